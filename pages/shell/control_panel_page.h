// The page of the section "Control Panel": Control Panel, printer, display,
// Task Manager and registry-editor policies of the current user, how .reg
// files open, the printer error beep, and the Control Panel items hidden
// from the user.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kControlPanelPage;
std::unique_ptr<forms::FormController> MakeControlPanelPage(Context& context);

}  // namespace kdw::pages

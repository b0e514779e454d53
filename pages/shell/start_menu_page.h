// The page of the section "Start Menu": Explorer policies that trim the Start
// menu and the taskbar for the current user.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kStartMenuPage;
std::unique_ptr<forms::FormController> MakeStartMenuPage(Context& context);

}  // namespace kdw::pages

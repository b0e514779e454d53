// The page of the section "Other Functions": the shortcut arrow, folder
// restore, context-menu entries, desktop restrictions, a Notepad entry for
// every file, the Open With web prompt, and the relocation of eight special
// folders of the current user.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kOtherFunctionsPage;
std::unique_ptr<forms::FormController> MakeOtherFunctionsPage(Context& context);

}  // namespace kdw::pages

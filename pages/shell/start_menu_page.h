// The page of the section "Start Menu": Explorer policies that trim the Start
// menu and the taskbar for the current user.
#pragma once

#include <memory>

#include "forms/form_controller.h"
#include "pages/page_context.h"

namespace kdw::pages {

std::unique_ptr<forms::FormController> MakeStartMenuPage(PageContext& context);

}  // namespace kdw::pages

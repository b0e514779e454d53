// The page of the section "Programs Rest.": the switch that makes Explorer
// refuse the listed programs, and the 101 numbered entries of that list.
// All its values are the current user's, so it has no account rule.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kProgramsPage;
std::unique_ptr<forms::FormController> MakeProgramsPage(Context& context);

}  // namespace kdw::pages

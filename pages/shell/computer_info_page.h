// The page of the section "Computer Info": the registered owner and
// organization of Windows, and what Windows records of the processor and
// the BIOS.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kComputerInfoPage;
std::unique_ptr<forms::FormController> MakeComputerInfoPage(Context& context);

}  // namespace kdw::pages

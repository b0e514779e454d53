// The page of the section "Drives": the drive report, each letter's title
// and icon, write protection of USB storage, the My Computer name, access
// to C: and the button that opens the drive-letter panel.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kDrivesPage;
std::unique_ptr<forms::FormController> MakeDrivesPage(Context& context);

}  // namespace kdw::pages

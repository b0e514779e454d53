// The drive-letter panel: which drive letters Explorer hides, one box per
// letter over the policy mask NoDrives. Opened by "Hide Drives" on the
// Drives page, modal and owned by the main window.
#pragma once

#include <cstdint>
#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

// Bit i of the mask hides the (i + 1)-th letter; 26 letters, so a mask with
// any higher bit (or read as negative) is no mask the panel can show.
inline constexpr std::int32_t kAllDrives = 0x3FFFFFF;
constexpr bool IsDriveMask(std::int32_t mask) { return mask >= 0 && mask <= kAllDrives; }

extern const PageSpec kDrivePanelPage;
std::unique_ptr<forms::FormController> MakeDrivePanelPage(Context& context);

}  // namespace kdw::pages

// The page of the section "Microsoft Office": which Office version to work
// on, three Office-wide switches of that version, the custom places of the
// Office file dialogs, and the buttons that open the Word, Outlook and
// Access dialogs.
#pragma once

#include <memory>
#include <string>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kOfficePage;
std::unique_ptr<forms::FormController> MakeOfficePage(Context& context);

}  // namespace kdw::pages

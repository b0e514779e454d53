// frmAccess: the run-time options that brand Access for the whole machine and
// the user's undo levels, for the Office version chosen on the Office page.
#pragma once

#include <memory>
#include <string>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kAccessPage;
// For the version the Office page's list shows ("Office 2003").
std::unique_ptr<forms::FormController> MakeAccessDialog(Context& context,
                                                      const std::string& version_text);
// For the version stored as the choice: the dialog on its own.
std::unique_ptr<forms::FormController> MakeAccessPage(Context& context);

}  // namespace kdw::pages

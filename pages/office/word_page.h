// frmWord: four Word switches and the cache size of Word documents opened
// over the network, for the Office version chosen on the Office page.
#pragma once

#include <memory>
#include <string>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kWordPage;
// For the version the Office page's list shows ("Office 2003").
std::unique_ptr<forms::FormController> MakeWordDialog(Context& context,
                                                      const std::string& version_text);
// For the version stored as the choice: the dialog on its own.
std::unique_ptr<forms::FormController> MakeWordPage(Context& context);

}  // namespace kdw::pages

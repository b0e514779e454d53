// The page of the section "Internet Explorer": the browser's window title,
// home page and three folders, four switches, and the two restriction
// dialogs it opens.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kInternetPage;
std::unique_ptr<forms::FormController> MakeInternetPage(Context& context);

}  // namespace kdw::pages

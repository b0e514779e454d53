// The borderless dialog of browser restrictions for the current user:
// eleven policies of the browser and the download action of the Internet
// zone. The Internet Explorer page opens it.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kNetResPage;
std::unique_ptr<forms::FormController> MakeNetResPage(Context& context);

}  // namespace kdw::pages

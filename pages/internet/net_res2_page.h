// The borderless dialog that locks parts of the browser's Internet Options
// for the current user: 34 policies in two groups under a tab strip. The
// Internet Explorer page opens it.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kNetRes2Page;
std::unique_ptr<forms::FormController> MakeNetRes2Page(Context& context);

}  // namespace kdw::pages

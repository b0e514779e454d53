// The page of the section "Logon": automatic logon, the legal notice, the
// classic logon dialog's texts, the logon wallpaper and the logon switches.
// The main window refuses it to a limited account, so it has no account rule.
#pragma once

#include <memory>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kLogonPage;
std::unique_ptr<forms::FormController> MakeLogonPage(Context& context);

}  // namespace kdw::pages

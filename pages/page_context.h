// What a page is handed when it is created: everything it may use of the
// program, as interfaces, so that pages run natively against fakes.
#pragma once

#include <functional>

#include "forms/form.h"
#include "registry/registry.h"

namespace kdw::pages {

struct PageContext {
  const Registry& registry;
  forms::FormHost& host;
  // The main window: owner of a page's own modal dialogs. May be null in tests.
  forms::Form* main_form = nullptr;
  // Determines the account type afresh; true for a limited account.
  std::function<bool()> limited_account = [] { return false; };
};

}  // namespace kdw::pages

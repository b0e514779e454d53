#include "pages/catalogue.h"

#include <array>

#include "pages/shell/computer_info_page.h"
#include "pages/shell/control_panel_page.h"
#include "pages/shell/logon_page.h"
#include "pages/shell/other_functions_page.h"
#include "pages/shell/start_menu_page.h"

namespace kdw::pages {
namespace {

// One line a page.
const std::array kPages = {
    PageEntry{kControlPanelPage, MakeControlPanelPage},
    PageEntry{kStartMenuPage, MakeStartMenuPage},
    PageEntry{kComputerInfoPage, MakeComputerInfoPage},
    PageEntry{kLogonPage, MakeLogonPage},
    PageEntry{kOtherFunctionsPage, MakeOtherFunctionsPage},
};

}  // namespace

std::span<const PageEntry> Catalogue() { return kPages; }

const PageEntry* FindPage(const std::string& form_name) {
  for (const PageEntry& page : kPages) {
    if (form_name == page.spec.name) return &page;
  }
  return nullptr;
}

}  // namespace kdw::pages

#include "pages/catalogue.h"

#include <array>
#include <vector>

#include "pages/drives/drive_panel_page.h"
#include "pages/drives/drives_page.h"
#include "pages/drives/programs_page.h"
#include "pages/internet/internet_page.h"
#include "pages/internet/media_player_page.h"
#include "pages/internet/net_res2_page.h"
#include "pages/internet/net_res_page.h"
#include "pages/office/access_page.h"
#include "pages/office/office_page.h"
#include "pages/office/outlook_page.h"
#include "pages/office/word_page.h"
#include "pages/shell/computer_info_page.h"
#include "pages/shell/control_panel_page.h"
#include "pages/shell/logon_page.h"
#include "pages/shell/other_functions_page.h"
#include "pages/shell/start_menu_page.h"

namespace kdw::pages {
namespace {

// One line a page; the dialogs a page opens are named by that page.
const std::array kPages = {
    PageEntry{kDrivesPage, MakeDrivesPage},
    PageEntry{kDrivePanelPage, MakeDrivePanelPage},
    PageEntry{kInternetPage, MakeInternetPage},
    PageEntry{kNetResPage, MakeNetResPage},
    PageEntry{kNetRes2Page, MakeNetRes2Page},
    PageEntry{kControlPanelPage, MakeControlPanelPage},
    PageEntry{kStartMenuPage, MakeStartMenuPage},
    PageEntry{kMediaPlayerPage, MakeMediaPlayerPage},
    PageEntry{kComputerInfoPage, MakeComputerInfoPage},
    PageEntry{kLogonPage, MakeLogonPage},
    PageEntry{kOtherFunctionsPage, MakeOtherFunctionsPage},
    PageEntry{kProgramsPage, MakeProgramsPage},
    PageEntry{kOfficePage, MakeOfficePage},
    PageEntry{kOutlookPage, MakeOutlookPage},
    PageEntry{kAccessPage, MakeAccessPage},
    PageEntry{kWordPage, MakeWordPage},
};

// A dialog's opener is declared once, by the page that opens it.
std::vector<PageEntry> WithOpeners() {
  std::vector<PageEntry> pages(kPages.begin(), kPages.end());
  for (PageEntry& page : pages) {
    for (const PageEntry& other : kPages) {
      for (const DialogOpener& opener : other.decl.dialogs) {
        if (opener.dialog != &page.decl) continue;
        page.opened_by = other.decl.name;
        page.opener = opener.button;
      }
    }
  }
  return pages;
}

}  // namespace

std::span<const PageEntry> Catalogue() {
  static const std::vector<PageEntry> pages = WithOpeners();
  return pages;
}

const char* ShownOn(const PageEntry& entry) {
  return *entry.opened_by ? entry.opened_by : entry.decl.name;
}

const PageEntry* FindPage(const std::string& form_name) {
  for (const PageEntry& page : Catalogue()) {
    if (form_name == page.decl.name) return &page;
  }
  return nullptr;
}

}  // namespace kdw::pages

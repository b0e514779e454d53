#include "pages/catalogue.h"

#include <array>

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

// One line a page.
const std::array kPages = {
    PageEntry{kDrivesPage, MakeDrivesPage},
    PageEntry{kDrivePanelPage, MakeDrivePanelPage, "frmDrives", "Command4"},
    PageEntry{kInternetPage, MakeInternetPage},
    PageEntry{kNetResPage, MakeNetResPage, "frmInternet", "Command1"},
    PageEntry{kNetRes2Page, MakeNetRes2Page, "frmInternet", "Command2"},
    PageEntry{kControlPanelPage, MakeControlPanelPage},
    PageEntry{kStartMenuPage, MakeStartMenuPage},
    PageEntry{kMediaPlayerPage, MakeMediaPlayerPage},
    PageEntry{kComputerInfoPage, MakeComputerInfoPage},
    PageEntry{kLogonPage, MakeLogonPage},
    PageEntry{kOtherFunctionsPage, MakeOtherFunctionsPage},
    PageEntry{kProgramsPage, MakeProgramsPage},
    PageEntry{kOfficePage, MakeOfficePage},
    PageEntry{kOutlookPage, MakeOutlookPage, "frmOffice", "Command1"},
    PageEntry{kAccessPage, MakeAccessPage, "frmOffice", "Command2"},
    PageEntry{kWordPage, MakeWordPage, "frmOffice", "Command3"},
};

}  // namespace

std::span<const PageEntry> Catalogue() { return kPages; }

const char* ShownOn(const PageEntry& entry) {
  return *entry.opened_by ? entry.opened_by : entry.decl.name;
}

const PageEntry* FindPage(const std::string& form_name) {
  for (const PageEntry& page : kPages) {
    if (form_name == page.decl.name) return &page;
  }
  return nullptr;
}

}  // namespace kdw::pages

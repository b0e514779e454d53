#include "pages/internet/net_res2_page.h"

#include <string>

#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kControlPanel =
    "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

// The close button on top; below it the tab strip, inside which the two
// groups lie on top of each other, each in two columns.
constexpr int kButton = 480;
constexpr int kColumnWidth = 4000;
constexpr Column kLeft{kMargin, kMargin, kColumnWidth};
constexpr Column kRight{2 * kMargin + kColumnWidth, kMargin, kColumnWidth};
constexpr int kGroupWidth = 2 * kColumnWidth + 3 * kMargin;
constexpr int kGroupHeight = kLeft.Bottom(9) + kMargin;
constexpr int kTabRow = 360;  // the tabs above the groups
constexpr int kTabsTop = 60 + kButton + 60;
constexpr int kTabsWidth = kGroupWidth + 2 * kMargin;
constexpr int kTabsHeight = kTabRow + kGroupHeight + kMargin;
constexpr int kWidth = kTabsWidth + 2 * kMargin;  // inside the dialog
constexpr int kHeight = kTabsTop + kTabsHeight + kMargin;

// Every switch stores its state as the number; several value names hold
// spaces or an underscore, exactly as the browser reads them.
constexpr SettingRow Lock(const char* control, const char* caption, const char* value,
                          const char* group, forms::Rect where) {
  return Number(control, caption, HKCU, kControlPanel, value).In(group, where);
}

constexpr SettingRow kRows[] = {
    Lock("Check1", "Remove General Tab", "GeneralTab", "Picture1", kLeft.Line(0)),
    Lock("Check2", "Remove Security Tab", "SecurityTab", "Picture1", kLeft.Line(1)),
    Lock("Check3", "Remove Content Tab", "ContentTab", "Picture1", kLeft.Line(2)),
    Lock("Check4", "Remove Connections Tab", "ConnectionsTab", "Picture1", kLeft.Line(3)),
    Lock("Check5", "Remove Programs Tab", "ProgramsTab", "Picture1", kLeft.Line(4)),
    Lock("Check6", "Remove Privacy Tab", "PrivacyTab", "Picture1", kLeft.Line(5)),
    Lock("Check7", "Remove Advanced Tab", "AdvancedTab", "Picture1", kLeft.Line(6)),
    // Temporary Internet files: "Settings" here, "Cache" for Check26.
    Lock("Check8", "Prevent Temporary Internet Files Changes", "Settings", "Picture1",
         kLeft.Line(7)),
    Lock("Check9", "Disable Internet Connection Wizard", "Connwiz Admin Lock", "Picture1",
         kLeft.Line(8)),
    Lock("Check10", "Disable \"Save Password\"", "FormSuggest Passwords", "Picture1",
         kRight.Line(0)),
    Lock("Check11", "Disable Forms AutoComplete", "FormSuggest", "Picture1", kRight.Line(1)),
    Lock("Check12", "Prevent Changes to Privacy Settings", "Privacy Settings", "Picture1",
         kRight.Line(2)),
    Lock("Check13", "Prevent Adding Site to any Zone", "SecAddSites", "Picture1", kRight.Line(3)),
    Lock("Check14", "Prevent Changing Security Levels for Internet Zone", "SecChangeSettings",
         "Picture1", kRight.Line(4)),
    Lock("Check15", "Prevent Changing Publisher Certificate", "CertifPub", "Picture1",
         kRight.Line(5)),
    Lock("Check16", "Prevent Changing Site Certificate", "CertifSite", "Picture1", kRight.Line(6)),
    Lock("Check17", "Prevent Changing Personal Certificate", "CertifPers", "Picture1",
         kRight.Line(7)),

    Lock("Check18", "Prevent Connection Settings Changes", "Connection Settings", "Picture2",
         kLeft.Line(0)),
    Lock("Check19", "Disable Connection Wizard", "Connection Wizard", "Picture2", kLeft.Line(1)),
    Lock("Check20", "Prevent Home Page Settings Changes", "HomePage", "Picture2", kLeft.Line(2)),
    Lock("Check21", "Prevent Rating Changes", "Ratings", "Picture2", kLeft.Line(3)),
    Lock("Check22", "Prevent Profiles Changes", "Profiles", "Picture2", kLeft.Line(4)),
    Lock("Check23", "Prevent Proxy Settings Changes", "Proxy", "Picture2", kLeft.Line(5)),
    Lock("Check24", "Prevent Changes to Advanced Settings", "Advanced", "Picture2", kLeft.Line(6)),
    Lock("Check25", "Prevent Changes to Auto Configuration", "Autoconfig", "Picture2",
         kLeft.Line(7)),
    Lock("Check26", "Prevent Changes to Temporary Files", "Cache", "Picture2", kLeft.Line(8)),
    Lock("Check27", "Prevent Changes to Security Certificates", "Certificates", "Picture2",
         kRight.Line(0)),
    Lock("Check28", "Prevent Color Changes", "Colors", "Picture2", kRight.Line(1)),
    Lock("Check29", "Prevent Font Changes", "Fonts", "Picture2", kRight.Line(2)),
    Lock("Check30", "Prevent Language Changes", "Languages", "Picture2", kRight.Line(3)),
    Lock("Check31", "Prevent Link Changes", "Links", "Picture2", kRight.Line(4)),
    Lock("Check32", "Prevent Default Browser Check Changes", "Check_If_Default", "Picture2",
         kRight.Line(5)),
    Lock("Check33", "Prevent Messaging Changes", "Messaging", "Picture2", kRight.Line(6)),
    Lock("Check34", "Prevent Wallet Settings Changes", "Wallet", "Picture2", kRight.Line(7)),
};

constexpr forms::Rect kGroup{kMargin, kTabRow, kGroupWidth, kGroupHeight};

constexpr forms::ControlSpec kControls[] = {
    {"Image1", ControlKind::kCommandButton, "Close",
     {kWidth - kMargin - kButton, 60, kButton, kButton}, "", 0, "BTN_CANCEL", "Close"},
    {"TabStrip1", ControlKind::kTabStrip, "", {kMargin, kTabsTop, kTabsWidth, kTabsHeight}},
    {"Picture1", ControlKind::kPictureBox, "", kGroup, "TabStrip1"},
    {"Picture2", ControlKind::kPictureBox, "", kGroup, "TabStrip1"},
};

// The first tab is selected at the start: its group shows.
constexpr TabPage kTabs[] = {{"1st Section", "Picture1"}, {"2nd Section", "Picture2"}};

constexpr PageSpec WithTabs(PageSpec page) {
  page.tab_strip = "TabStrip1";
  page.tabs = kTabs;
  return page;
}

}  // namespace

const PageSpec kNetRes2Page =
    WithTabs(BorderlessDialog("frmNetRes2", kWidth, kHeight, kRows, kControls));

std::unique_ptr<forms::FormController> MakeNetRes2Page(Context& context) {
  return MakeTablePage<kNetRes2Page>(context);
}

}  // namespace kdw::pages

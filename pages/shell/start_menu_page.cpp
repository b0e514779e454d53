#include "pages/shell/start_menu_page.h"

#include <array>

#include "pages/setting_page.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// Every row is a plain per-user number: no account rule, nothing deleted.
constexpr std::array kRows = {
    NumberRow("Check1", "Disable Tray Items", HKCU, kPolicies, "NoTrayItemsDisplay"),
    NumberRow("Check2", "Lock the Taskbar", HKCU, kPolicies, "LockTaskbar"),
    NumberRow("Check3", "Force the Use of Classic Start Menu", HKCU, kPolicies,
              "NoSimpleStartMenu"),
    NumberRow("Check4", "Hide Taskbar Clock", HKCU, kPolicies, "HideClock"),
    NumberRow("Check6", "Hide My Documents from Start Menu", HKCU, kPolicies, "NoSMMyDocs"),
    NumberRow("Check7", "Hide Recent Documents from Start Menu", HKCU, kPolicies,
              "NoRecentDocsMenu"),
    NumberRow("Check8", "Hide My Pictures from Start Menu", HKCU, kPolicies, "NoSMMyPictures"),
    NumberRow("Check9", "Hide My Music from Start Menu", HKCU, kPolicies, "NoStartMenuMyMusic"),
    // My Computer is hidden by its class identifier under the NonEnum policy.
    NumberRow("Check10", "Hide My Computer from Start Menu", HKCU, kNonEnum,
              "{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
    NumberRow("Check11", "Hide Network Connections from Start Menu", HKCU, kPolicies,
              "NoNetworkConnections"),
    NumberRow("Check12", "Hide Help from Start Menu", HKCU, kPolicies, "NoSMHelp"),
    NumberRow("Check13", "Hide Search from Start Menu", HKCU, kPolicies, "NoFind"),
    NumberRow("Check14", "Hide Run from Start Menu", HKCU, kPolicies, "NoRun"),
    NumberRow("Check15", "Hide \"All Programs\" Button from Start Menu", HKCU, kPolicies,
              "NoStartMenuMorePrograms"),
    NumberRow("Check16", "Hide Log Off", HKCU, kPolicies, "NoLogOff"),
    NumberRow("Check17", "Hide Shut Down", HKCU, kPolicies, "NoClose"),
    // Explorer's own setting, not a policy: checked stores 1, which enables.
    NumberRow("Check18", "Enable Balloon Tips", HKCU, kAdvanced, "EnableBalloonTips"),
    NumberRow("Check19", "Clear Recent Docs when Windows Exits", HKCU, kPolicies,
              "ClearRecentDocsOnExit"),
};

// Layout in twips. Check box captions come from the rows.
constexpr int kRow = 255;     // pitch of the check box rows
constexpr int kBox = 240;     // height of one check box
constexpr int kMargin = 120;
constexpr int kFrameTop = 60;
constexpr int kFrameWidth = 5640;
constexpr int kFrameHeight = 240 + 3 * kRow + 60;
constexpr int kListTop = kFrameTop + kFrameHeight + 60;

constexpr forms::Rect InFrame(int column, int line) {
  return {column == 0 ? 120 : 2280, 240 + line * kRow, column == 0 ? 2100 : 3240, kBox};
}
constexpr forms::Rect OnPage(int line) {
  return {kMargin, kListTop + line * kRow, kFrameWidth, kBox};
}

constexpr ControlSpec kControls[] = {
    {"Frame1", ControlKind::kFrame, "Taskbar", {kMargin, kFrameTop, kFrameWidth, kFrameHeight}},
    {"Check1", ControlKind::kCheckBox, "", InFrame(0, 0), "Frame1"},
    {"Check2", ControlKind::kCheckBox, "", InFrame(0, 1), "Frame1"},
    {"Check4", ControlKind::kCheckBox, "", InFrame(0, 2), "Frame1"},
    {"Check18", ControlKind::kCheckBox, "", InFrame(1, 0), "Frame1"},
    {"Check19", ControlKind::kCheckBox, "", InFrame(1, 1), "Frame1"},
    {"Check3", ControlKind::kCheckBox, "", OnPage(0)},
    {"Check6", ControlKind::kCheckBox, "", OnPage(1)},
    {"Check7", ControlKind::kCheckBox, "", OnPage(2)},
    {"Check8", ControlKind::kCheckBox, "", OnPage(3)},
    {"Check9", ControlKind::kCheckBox, "", OnPage(4)},
    {"Check10", ControlKind::kCheckBox, "", OnPage(5)},
    {"Check11", ControlKind::kCheckBox, "", OnPage(6)},
    {"Check12", ControlKind::kCheckBox, "", OnPage(7)},
    {"Check13", ControlKind::kCheckBox, "", OnPage(8)},
    {"Check14", ControlKind::kCheckBox, "", OnPage(9)},
    {"Check15", ControlKind::kCheckBox, "", OnPage(10)},
    {"Check16", ControlKind::kCheckBox, "", OnPage(11)},
    {"Check17", ControlKind::kCheckBox, "", OnPage(12)},
};

// The client area must hold the last row; the caption bar and borders take
// about 450 twips of the outer height.
constexpr int kHeight = 5000;
static_assert(kListTop + 13 * kRow <= kHeight - 450);

constexpr forms::FormSpec kForm{
    .name = "frmStart",
    .caption = "Start Menu and Taskbar",
    .style = forms::FormStyle::kMdiChild,
    .width = 6000,
    .height = kHeight,
    .controls = kControls,
};

}  // namespace

std::unique_ptr<forms::FormController> MakeStartMenuPage(PageContext& context) {
  return std::make_unique<SettingPage>(context, PageDefinition{.form = &kForm, .rows = kRows});
}

}  // namespace kdw::pages

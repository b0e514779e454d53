#include "pages/shell/start_menu_page.h"

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kPolicies = keys::kExplorerPolicies;
constexpr const char* kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr const char* kAdvanced = keys::kExplorerAdvanced;

constexpr int kFrameWidth = 5640;
constexpr int kFrameHeight = FrameHeight(3);
// The taskbar frame's two columns, and the column below the frame.
constexpr Column kLeft{kMargin, kFrameTop, 2100};
constexpr Column kRight{2280, kFrameTop, 3240};
constexpr Column kPage{kMargin, 60 + kFrameHeight + 60, kFrameWidth};

// Every row is a plain per-user number: no account rule, nothing deleted.
constexpr SettingRow kRows[] = {
    Number("Check1", "Disable Tray Items", HKCU, kPolicies, "NoTrayItemsDisplay")
        .In("Frame1", kLeft.Line(0)),
    Number("Check2", "Lock the Taskbar", HKCU, kPolicies, "LockTaskbar")
        .In("Frame1", kLeft.Line(1)),
    Number("Check3", "Force the Use of Classic Start Menu", HKCU, kPolicies, "NoSimpleStartMenu")
        .At(kPage.Line(0)),
    Number("Check4", "Hide Taskbar Clock", HKCU, kPolicies, "HideClock")
        .In("Frame1", kLeft.Line(2)),
    Number("Check6", "Hide My Documents from Start Menu", HKCU, kPolicies, "NoSMMyDocs")
        .At(kPage.Line(1)),
    Number("Check7", "Hide Recent Documents from Start Menu", HKCU, kPolicies, "NoRecentDocsMenu")
        .At(kPage.Line(2)),
    Number("Check8", "Hide My Pictures from Start Menu", HKCU, kPolicies, "NoSMMyPictures")
        .At(kPage.Line(3)),
    Number("Check9", "Hide My Music from Start Menu", HKCU, kPolicies, "NoStartMenuMyMusic")
        .At(kPage.Line(4)),
    // My Computer is hidden by its class identifier under the NonEnum policy.
    Number("Check10", "Hide My Computer from Start Menu", HKCU, kNonEnum,
           "{20D04FE0-3AEA-1069-A2D8-08002B30309D}")
        .At(kPage.Line(5)),
    Number("Check11", "Hide Network Connections from Start Menu", HKCU, kPolicies,
           "NoNetworkConnections")
        .At(kPage.Line(6)),
    Number("Check12", "Hide Help from Start Menu", HKCU, kPolicies, "NoSMHelp")
        .At(kPage.Line(7)),
    Number("Check13", "Hide Search from Start Menu", HKCU, kPolicies, "NoFind")
        .At(kPage.Line(8)),
    Number("Check14", "Hide Run from Start Menu", HKCU, kPolicies, "NoRun").At(kPage.Line(9)),
    Number("Check15", "Hide \"All Programs\" Button from Start Menu", HKCU, kPolicies,
           "NoStartMenuMorePrograms")
        .At(kPage.Line(10)),
    Number("Check16", "Hide Log Off", HKCU, kPolicies, "NoLogOff").At(kPage.Line(11)),
    Number("Check17", "Hide Shut Down", HKCU, kPolicies, "NoClose").At(kPage.Line(12)),
    // Explorer's own setting, not a policy: checked stores 1, which enables.
    Number("Check18", "Enable Balloon Tips", HKCU, kAdvanced, "EnableBalloonTips")
        .In("Frame1", kRight.Line(0)),
    Number("Check19", "Clear Recent Docs when Windows Exits", HKCU, kPolicies,
           "ClearRecentDocsOnExit")
        .In("Frame1", kRight.Line(1)),
};

constexpr forms::ControlSpec kControls[] = {
    {"Frame1", ControlKind::kFrame, "Taskbar", {kMargin, 60, kFrameWidth, kFrameHeight}},
};

}  // namespace

const PageSpec kStartMenuPage{
    .name = "frmStart",
    .caption = "Start Menu and Taskbar",
    .width = 6000,
    .height = kPage.Bottom(13) + 60 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
};

std::unique_ptr<forms::FormController> MakeStartMenuPage(Context& context) {
  return MakeTablePage<kStartMenuPage>(context);
}

}  // namespace kdw::pages

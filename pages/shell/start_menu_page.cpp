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
        .In("Frame1", kLeft.Line(0))
        .Explained(Effect::kExplorerRestart,
                   "The notification area beside the clock is hidden, so icons of programs running "
                   "there cannot be seen or clicked."),
    Number("Check2", "Lock the Taskbar", HKCU, kPolicies, "LockTaskbar")
        .In("Frame1", kLeft.Line(1))
        .Explained(Effect::kExplorerRestart,
                   "The taskbar stays where it is: it cannot be moved or resized, its toolbars "
                   "cannot be rearranged, and the lock cannot be released from its menu."),
    Number("Check3", "Force the Use of Classic Start Menu", HKCU, kPolicies, "NoSimpleStartMenu")
        .At(kPage.Line(0))
        .Explained(Effect::kExplorerRestart,
                   "The older one-column Start menu is forced, and the choice of the XP-style "
                   "Start menu is removed from Taskbar and Start Menu Properties."),
    Number("Check4", "Hide Taskbar Clock", HKCU, kPolicies, "HideClock")
        .In("Frame1", kLeft.Line(2))
        .Explained(Effect::kExplorerRestart,
                   "The clock is removed from the notification area and the user cannot switch it "
                   "back on."),
    Number("Check6", "Hide My Documents from Start Menu", HKCU, kPolicies, "NoSMMyDocs")
        .At(kPage.Line(1))
        .Explained(Effect::kExplorerRestart,
                   "My Documents is no longer on the Start menu; the folder itself stays reachable "
                   "elsewhere."),
    Number("Check7", "Hide Recent Documents from Start Menu", HKCU, kPolicies, "NoRecentDocsMenu")
        .At(kPage.Line(2))
        .Explained(Effect::kExplorerRestart,
                   "The My Recent Documents submenu, listing files opened lately, is taken off the "
                   "Start menu."),
    Number("Check8", "Hide My Pictures from Start Menu", HKCU, kPolicies, "NoSMMyPictures")
        .At(kPage.Line(3))
        .Explained(Effect::kExplorerRestart,
                   "The My Pictures link is left out of the Start menu."),
    Number("Check9", "Hide My Music from Start Menu", HKCU, kPolicies, "NoStartMenuMyMusic")
        .At(kPage.Line(4))
        .Explained(Effect::kExplorerRestart,
                   "My Music no longer appears on the Start menu."),
    // My Computer is hidden by its class identifier under the NonEnum policy.
    Number("Check10", "Hide My Computer from Start Menu", HKCU, kNonEnum,
           "{20D04FE0-3AEA-1069-A2D8-08002B30309D}")
        .At(kPage.Line(5))
        .Explained(Effect::kExplorerRestart,
                   "My Computer is hidden from the Start menu; because this is the general hiding "
                   "switch for that icon, it also vanishes from the desktop and Explorer's folder "
                   "tree."),
    Number("Check11", "Hide Network Connections from Start Menu", HKCU, kPolicies,
           "NoNetworkConnections")
        .At(kPage.Line(6))
        .Explained(Effect::kExplorerRestart,
                   "Network Connections and its submenu are removed from the Start menu."),
    Number("Check12", "Hide Help from Start Menu", HKCU, kPolicies, "NoSMHelp")
        .At(kPage.Line(7))
        .Explained(Effect::kExplorerRestart,
                   "Help and Support is no longer listed on the Start menu."),
    Number("Check13", "Hide Search from Start Menu", HKCU, kPolicies, "NoFind")
        .At(kPage.Line(8))
        .Explained(Effect::kExplorerRestart,
                   "Search disappears from the Start menu and from folder shortcut menus, and "
                   "Windows+F no longer opens it."),
    Number("Check14", "Hide Run from Start Menu", HKCU, kPolicies, "NoRun").At(kPage.Line(9))
        .Explained(Effect::kExplorerRestart,
                   "Run is removed from the Start menu and Windows+R stops working, so commands "
                   "cannot be typed there."),
    Number("Check15", "Hide \"All Programs\" Button from Start Menu", HKCU, kPolicies,
           "NoStartMenuMorePrograms")
        .At(kPage.Line(10))
        .Explained(Effect::kExplorerRestart,
                   "The All Programs list is dropped from the XP-style Start menu, leaving only "
                   "pinned and frequently used programs."),
    Number("Check16", "Hide Log Off", HKCU, kPolicies, "NoLogOff").At(kPage.Line(11))
        .Explained(Effect::kExplorerRestart,
                   "Log Off is taken off the Start menu; the Windows Security dialog "
                   "(Ctrl+Alt+Delete) still offers it."),
    Number("Check17", "Hide Shut Down", HKCU, kPolicies, "NoClose").At(kPage.Line(12))
        .Explained(Effect::kExplorerRestart,
                   "Turn Off Computer is removed from the Start menu and the Shut Down button in "
                   "the Windows Security dialog is disabled."),
    // Explorer's own setting, not a policy: checked stores 1, which enables.
    Number("Check18", "Enable Balloon Tips", HKCU, kAdvanced, "EnableBalloonTips")
        .In("Frame1", kRight.Line(0))
        .Explained(Effect::kExplorerRestart,
                   "Checked (1), programs in the notification area may show their pop-up balloon "
                   "messages; unchecked (0) those balloons are suppressed."),
    Number("Check19", "Clear Recent Docs when Windows Exits", HKCU, kPolicies,
           "ClearRecentDocsOnExit")
        .In("Frame1", kRight.Line(1))
        .Explained(Effect::kExplorerRestart,
                   "The list of recently opened documents is emptied every time the user logs off."),
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

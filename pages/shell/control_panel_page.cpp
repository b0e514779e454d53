#include "pages/shell/control_panel_page.h"

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kExplorer = keys::kExplorerPolicies;
constexpr const char* kSystem = keys::kSystemPolicies;
constexpr const char* kUninstall =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Uninstall";
constexpr const char* kPrint = "SYSTEM\\CurrentControlSet\\Control\\Print";
constexpr const char* kDontLoad = "Control Panel\\don't load";
#define KDW_CONTROL_RUNDLL "rundll32.exe shell32.dll,Control_RunDLL "

// Left: the page's own boxes, then the "Display" and "Registry" frames.
// Right: the hidden-items frame with its list, and the view reset below.
constexpr int kLeftWidth = 3400;
constexpr int kRightLeft = kMargin + kLeftWidth + 120;
constexpr int kRightWidth = 3100;
constexpr Column kPage{kMargin, 60, kLeftWidth};
constexpr Column kInFrame{kMargin, kFrameTop, kLeftWidth - 240};
constexpr int kDisplayTop = kPage.Bottom(8) + 60;
constexpr int kRegistryTop = kDisplayTop + FrameHeight(5) + 60;
constexpr int kListLines = 11;
constexpr Column kList{kMargin, kFrameTop, kRightWidth - 240};
constexpr int kHiddenHeight = kList.Bottom(kListLines) + 120 + 480 + 120;

// A hidden Control Panel item: present value "No", the item's file its name.
constexpr SettingRow Hidden(const char* caption, const char* file) {
  return Item(PresentString("List1", caption, HKCU, kDontLoad, file, "No"));
}

constexpr SettingRow kRows[] = {
    Number("Check1", "Disable Control Panel", HKCU, kExplorer, "NoControlPanel").At(kPage.Line(0))
        .Explained(Effect::kExplorerRestart,
                   "Control Panel is removed from the Start menu and My Computer, and its items "
                   "refuse to open with a message that a restriction is in effect."),
    Number("Check2", "Classic View in Control Panel", HKCU, kExplorer, "ForceClassicControlPanel")
        .At(kPage.Line(1))
        .Explained(Effect::kExplorerRestart,
                   "Control Panel always opens in classic view with all icons, and the user can no "
                   "longer switch to category view. The reset button beside it deletes the value "
                   "so the user may choose again."),
    Number("Check3", "Disable Add Printer", HKCU, kExplorer, "NoAddPrinter").At(kPage.Line(2))
        .Explained(Effect::kExplorerRestart,
                   "The Add Printer wizard cannot be started, so the user cannot install a local "
                   "or network printer."),
    Number("Check4", "Disable Remove Printer", HKCU, kExplorer, "NoDeletePrinter")
        .At(kPage.Line(3))
        .Explained(Effect::kExplorerRestart,
                   "Printers already installed cannot be deleted from the Printers and Faxes "
                   "folder."),
    Number("Check5", "Disable Add/Remove Programs", HKCU, kUninstall, "NoAddRemovePrograms")
        .At(kPage.Line(4))
        .Explained(Effect::kImmediately,
                   "Add or Remove Programs refuses to open for this user, so installed software "
                   "cannot be changed or uninstalled through it. Takes effect the next time Add or "
                   "Remove Programs starts."),
    Number("Check6", "Disable Display", HKCU, kSystem, "NoDispCPL")
        .In("Frame1", kInFrame.Line(0))
        .Explained(Effect::kImmediately,
                   "Display Properties will not open at all, from Control Panel or from the "
                   "desktop's Properties command; a restriction message appears instead. Takes "
                   "effect the next time Display Properties starts."),
    Number("Check7", "Disable Desktop", HKCU, kSystem, "NoDispBackgroundPage")
        .In("Frame1", kInFrame.Line(1))
        .Explained(Effect::kImmediately,
                   "Display Properties opens without its Desktop tab, so the wallpaper and desktop "
                   "icons cannot be changed there. Takes effect the next time Display Properties "
                   "starts."),
    Number("Check8", "Disable Screen Saver", HKCU, kSystem, "NoDispScrSavPage")
        .In("Frame1", kInFrame.Line(2))
        .Explained(Effect::kImmediately,
                   "The Screen Saver tab is hidden, so the screen saver, its wait time and its "
                   "password option cannot be changed. Takes effect the next time Display "
                   "Properties starts."),
    Number("Check9", "Disable Appearance", HKCU, kSystem, "NoDispAppearancePage")
        .In("Frame1", kInFrame.Line(3))
        .Explained(Effect::kImmediately,
                   "Removes the Appearance tab (and on XP the Themes tab), so window style, colour "
                   "scheme and font size stay as they are. Takes effect the next time Display "
                   "Properties starts."),
    Number("Check10", "Disable Settings", HKCU, kSystem, "NoDispSettingsPage")
        .In("Frame1", kInFrame.Line(4))
        .Explained(Effect::kImmediately,
                   "The Settings tab with screen resolution, colour quality and monitor options is "
                   "hidden. Takes effect the next time Display Properties starts."),
    Number("Check11", "Disable Task Manager", HKCU, kSystem, "DisableTaskMgr").At(kPage.Line(5))
        .Explained(Effect::kImmediately,
                   "Task Manager will not start: its button in the Windows Security dialog is "
                   "unavailable and running it shows a message that it was disabled. Takes effect "
                   "the next time Task Manager starts."),
    Number("Check12", "Disable Windows Registry", HKCU, kSystem, "DisableRegistryTools")
        .In("Frame2", kInFrame.Line(0))
        .Explained(Effect::kImmediately,
                   "Registry Editor refuses to start for this user, and double-clicked .reg files "
                   "are no longer merged. Takes effect the next time Registry Editor starts."),
    // The default verb of .reg files: "edit" opens them instead of merging;
    // unchecking leaves the verb empty rather than removing it.
    Strings("Check13", "Avoid Accidental Registry Imports", HKCR, "regfile\\shell", "", "edit", "")
        .In("Frame2", kInFrame.Line(1))
        .MachineWide()
        .Explained(Effect::kImmediately,
                   "Double-clicking a .reg file opens it in Notepad for reading instead of merging "
                   "it into the registry; Merge stays on its right-click menu. Applies to every "
                   "user of the machine."),
    Number("Check14", "Beep on Printers Errors", HKLM, kPrint, "BeepEnabled")
        .At(kPage.Line(6))
        .MachineWide()
        .Explained(Effect::kWindowsRestart,
                   "The print spooler of this computer beeps when a document sent to one of its "
                   "shared printers by another computer runs into an error. Machine-wide."),
    Number("Check15", "Disable System Properties", HKCU, kExplorer, "NoPropertiesMyComputer")
        .At(kPage.Line(7))
        .Explained(Effect::kExplorerRestart,
                   "Properties is taken off the My Computer shortcut menu, so System Properties "
                   "cannot be opened that way; System in Control Panel still opens it unless "
                   "hidden too."),

    Hidden("Accessibility Options", "access.cpl").Runs(KDW_CONTROL_RUNDLL "access.cpl")
        .Explained(Effect::kImmediately,
                   "Accessibility Options (sticky keys, high contrast, sound alerts) no longer "
                   "appears in this user's Control Panel; the applet still runs if started "
                   "directly."),
    Hidden("Add Hardware", "hdwwiz.cpl").Runs(KDW_CONTROL_RUNDLL "hdwwiz.cpl @1")
        .Explained(Effect::kImmediately,
                   "The Add Hardware wizard, which searches for and installs drivers for new "
                   "devices, is left out of Control Panel."),
    Hidden("Add or Remove Programs", "appwiz.cpl").Runs(KDW_CONTROL_RUNDLL "appwiz.cpl")
        .Explained(Effect::kImmediately,
                   "Hides the Add or Remove Programs icon only; other routes still open it, unlike "
                   "the Disable Add/Remove Programs switch."),
    Hidden("Automatic Updates", "wuaucpl.cpl").Runs(KDW_CONTROL_RUNDLL "wuaucpl.cpl")
        .Explained(Effect::kImmediately,
                   "The Automatic Updates icon (download and install schedule for updates) is "
                   "hidden; the matching tab in System Properties remains."),
    Hidden("Date and Time", "timedate.cpl").Runs(KDW_CONTROL_RUNDLL "timedate.cpl")
        .Explained(Effect::kImmediately,
                   "Date and Time disappears from Control Panel; double-clicking the taskbar clock "
                   "can still open it."),
    Hidden("Display", "desk.cpl").Runs(KDW_CONTROL_RUNDLL "desk.cpl")
        .Explained(Effect::kImmediately,
                   "Display is hidden from Control Panel, yet the desktop's Properties command "
                   "still opens it; the Disable Display switch blocks it everywhere."),
    Hidden("Game Controllers", "joy.cpl").Runs(KDW_CONTROL_RUNDLL "joy.cpl")
        .Explained(Effect::kImmediately,
                   "Game Controllers, used to add and calibrate joysticks and gamepads, is not "
                   "shown in Control Panel."),
    Hidden("Internet Options", "inetcpl.cpl").Runs(KDW_CONTROL_RUNDLL "inetcpl.cpl")
        .Explained(Effect::kImmediately,
                   "Hides Internet Options from Control Panel; the browser's Tools menu still "
                   "reaches the same dialog unless restricted separately."),
    Hidden("Mouse", "main.cpl").Runs(KDW_CONTROL_RUNDLL "main.cpl")
        .Explained(Effect::kImmediately,
                   "Hides Mouse from Control Panel; the same file provides Keyboard, so that icon "
                   "goes as well."),
    Hidden("Network Connections", "ncpa.cpl").Runs(KDW_CONTROL_RUNDLL "ncpa.cpl")
        .Explained(Effect::kImmediately,
                   "Network Connections is no longer listed in Control Panel; the Start menu link "
                   "to it is handled by its own switch."),
    Hidden("Network Setup Wizard", "netsetup.cpl").Runs(KDW_CONTROL_RUNDLL "netsetup.cpl")
        .Explained(Effect::kImmediately,
                   "Removes the Network Setup Wizard, which shares an Internet connection and sets "
                   "up a small home or office network."),
    Hidden("ODBC", "odbccp32.cpl").Runs(KDW_CONTROL_RUNDLL "odbccp32.cpl")
        .Explained(Effect::kImmediately,
                   "The ODBC Data Source Administrator, where programs' database connections are "
                   "defined, is kept out of Control Panel."),
    Hidden("Phone and Modem Options", "telephon.cpl").Runs(KDW_CONTROL_RUNDLL "telephon.cpl")
        .Explained(Effect::kImmediately,
                   "Phone and Modem Options (dialing locations, modems, telephony providers) is "
                   "hidden from Control Panel."),
    Hidden("Power", "powercfg.cpl").Runs(KDW_CONTROL_RUNDLL "powercfg.cpl")
        .Explained(Effect::kImmediately,
                   "Power Options (power schemes, standby, hibernation, UPS) is hidden; the Power "
                   "button on the Screen Saver tab may still reach it."),
    Hidden("Regional and Language Options", "intl.cpl").Runs(KDW_CONTROL_RUNDLL "intl.cpl")
        .Explained(Effect::kImmediately,
                   "Regional and Language Options, where number, date and currency formats and "
                   "input languages are set, is no longer shown."),
    Hidden("Sounds and Audio Devices", "mmsys.cpl").Runs(KDW_CONTROL_RUNDLL "mmsys.cpl")
        .Explained(Effect::kImmediately,
                   "Sounds and Audio Devices (volume, sound scheme, audio hardware) is hidden; the "
                   "taskbar volume control keeps working."),
    Hidden("System", "sysdm.cpl").Runs(KDW_CONTROL_RUNDLL "sysdm.cpl")
        .Explained(Effect::kImmediately,
                   "System is hidden from Control Panel; System Properties can still be opened "
                   "from My Computer unless that is disabled too."),
    Hidden("User Accounts", "nusrmgr.cpl").Runs(KDW_CONTROL_RUNDLL "nusrmgr.cpl")
        .Explained(Effect::kImmediately,
                   "Hides User Accounts, where passwords, account pictures and the logon style are "
                   "managed."),
    Hidden("Windows Firewall", "firewall.cpl").Runs(KDW_CONTROL_RUNDLL "firewall.cpl")
        .Explained(Effect::kImmediately,
                   "Windows Firewall (Service Pack 2) no longer appears in Control Panel; Security "
                   "Center may still link to it."),
};
#undef KDW_CONTROL_RUNDLL

// The two pictures act as buttons: buttons, so that the keyboard reaches
// them too.
constexpr forms::ControlSpec kControls[] = {
    {"Frame1", ControlKind::kFrame, "Display", {kMargin, kDisplayTop, kLeftWidth, FrameHeight(5)}},
    {"Frame2", ControlKind::kFrame, "Registry",
     {kMargin, kRegistryTop, kLeftWidth, FrameHeight(2)}},
    {"Frame3", ControlKind::kFrame, "Hidden Items in Control Panel",
     {kRightLeft, 60, kRightWidth, kHiddenHeight}},
    {"List1", ControlKind::kCheckList, "", kList.Lines(0, kListLines), "Frame3"},
    {"Image1", ControlKind::kCommandButton, "Open", {kMargin, kList.Bottom(kListLines) + 120, 480, 480},
     "Frame3", 0, "BTN_OK", "Open the selected item"},
    {"Label1", ControlKind::kLabel, "Open the selected item",
     {kMargin + 600, kList.Bottom(kListLines) + 240, kRightWidth - 840, kLineHeight}, "Frame3"},
    {"Image5", ControlKind::kCommandButton, "Reset", {kRightLeft, 60 + kHiddenHeight + 120, 480, 480},
     "", 0, "BTN_CANCEL", "Let the user choose the Control Panel view again"},
    {"Label2", ControlKind::kLabel, "Remove the forced Control Panel view",
     {kRightLeft + 600, 60 + kHiddenHeight + 120, kRightWidth - 600, 2 * kLineHeight}},
};

constexpr int kHeight = kRegistryTop + FrameHeight(2) + 60 + kChromeHeight;
static_assert(60 + kHiddenHeight + 120 + 480 + 60 + kChromeHeight <= kHeight,
              "the right column fits beside the left one");

class ControlPanelPage : public SettingPage {
 public:
  explicit ControlPanelPage(Context& context) : SettingPage(context, kControlPanelPage) {
    OnClick("Image1", [this] { Image1_Click(); });
    OnClick("Image5", [this] { Image5_Click(); });
  }

  void AfterRows() override { list1_.SetListIndex(0); }

 private:
  // Opens the current item of the list.
  void Image1_Click() {
    const SettingRow* row = RowOf("List1", list1_.list_index());
    if (row) RunCommand(context().processes, row->command);
  }
  // Gives the Control Panel view back to the user's own choice; Check2 shows
  // the change the next time the page opens.
  void Image5_Click() {
    Wrote(registry().DeleteValue(HKCU, kExplorer, "ForceClassicControlPanel"),
          "Classic View in Control Panel");
  }

  forms::ListControl& list1_ = Use<forms::ListControl>("List1");
};

}  // namespace

const PageSpec kControlPanelPage{
    .name = "frmPanel",
    .caption = "Control Panel",
    .width = kRightLeft + kRightWidth + kMargin + kChromeWidth,
    .height = kHeight,
    .rows = kRows,
    .controls = kControls,
};

std::unique_ptr<forms::FormController> MakeControlPanelPage(Context& context) {
  return std::make_unique<ControlPanelPage>(context);
}

}  // namespace kdw::pages

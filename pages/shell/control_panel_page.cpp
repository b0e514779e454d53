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
    Number("Check1", "Disable Control Panel", HKCU, kExplorer, "NoControlPanel").At(kPage.Line(0)),
    Number("Check2", "Classic View in Control Panel", HKCU, kExplorer, "ForceClassicControlPanel")
        .At(kPage.Line(1)),
    Number("Check3", "Disable Add Printer", HKCU, kExplorer, "NoAddPrinter").At(kPage.Line(2)),
    Number("Check4", "Disable Remove Printer", HKCU, kExplorer, "NoDeletePrinter")
        .At(kPage.Line(3)),
    Number("Check5", "Disable Add/Remove Programs", HKCU, kUninstall, "NoAddRemovePrograms")
        .At(kPage.Line(4)),
    Number("Check6", "Disable Display", HKCU, kSystem, "NoDispCPL")
        .In("Frame1", kInFrame.Line(0)),
    Number("Check7", "Disable Desktop", HKCU, kSystem, "NoDispBackgroundPage")
        .In("Frame1", kInFrame.Line(1)),
    Number("Check8", "Disable Screen Saver", HKCU, kSystem, "NoDispScrSavPage")
        .In("Frame1", kInFrame.Line(2)),
    Number("Check9", "Disable Appearance", HKCU, kSystem, "NoDispAppearancePage")
        .In("Frame1", kInFrame.Line(3)),
    Number("Check10", "Disable Settings", HKCU, kSystem, "NoDispSettingsPage")
        .In("Frame1", kInFrame.Line(4)),
    Number("Check11", "Disable Task Manager", HKCU, kSystem, "DisableTaskMgr").At(kPage.Line(5)),
    Number("Check12", "Disable Windows Registry", HKCU, kSystem, "DisableRegistryTools")
        .In("Frame2", kInFrame.Line(0)),
    // The default verb of .reg files: "edit" opens them instead of merging;
    // unchecking leaves the verb empty rather than removing it.
    Strings("Check13", "Avoid Accidental Registry Imports", HKCR, "regfile\\shell", "", "edit", "")
        .In("Frame2", kInFrame.Line(1))
        .MachineWide(),
    Number("Check14", "Beep on Printers Errors", HKLM, kPrint, "BeepEnabled")
        .At(kPage.Line(6))
        .MachineWide(),
    Number("Check15", "Disable System Properties", HKCU, kExplorer, "NoPropertiesMyComputer")
        .At(kPage.Line(7)),

    Hidden("Accessibility Options", "access.cpl").Runs(KDW_CONTROL_RUNDLL "access.cpl"),
    Hidden("Add Hardware", "hdwwiz.cpl").Runs(KDW_CONTROL_RUNDLL "hdwwiz.cpl @1"),
    Hidden("Add or Remove Programs", "appwiz.cpl").Runs(KDW_CONTROL_RUNDLL "appwiz.cpl"),
    Hidden("Automatic Updates", "wuaucpl.cpl").Runs(KDW_CONTROL_RUNDLL "wuaucpl.cpl"),
    Hidden("Date and Time", "timedate.cpl").Runs(KDW_CONTROL_RUNDLL "timedate.cpl"),
    Hidden("Display", "desk.cpl").Runs(KDW_CONTROL_RUNDLL "desk.cpl"),
    Hidden("Game Controllers", "joy.cpl").Runs(KDW_CONTROL_RUNDLL "joy.cpl"),
    Hidden("Internet Options", "inetcpl.cpl").Runs(KDW_CONTROL_RUNDLL "inetcpl.cpl"),
    Hidden("Mouse", "main.cpl").Runs(KDW_CONTROL_RUNDLL "main.cpl"),
    Hidden("Network Connections", "ncpa.cpl").Runs(KDW_CONTROL_RUNDLL "ncpa.cpl"),
    Hidden("Network Setup Wizard", "netsetup.cpl").Runs(KDW_CONTROL_RUNDLL "netsetup.cpl"),
    Hidden("ODBC", "odbccp32.cpl").Runs(KDW_CONTROL_RUNDLL "odbccp32.cpl"),
    Hidden("Phone and Modem Options", "telephon.cpl").Runs(KDW_CONTROL_RUNDLL "telephon.cpl"),
    Hidden("Power", "powercfg.cpl").Runs(KDW_CONTROL_RUNDLL "powercfg.cpl"),
    Hidden("Regional and Language Options", "intl.cpl").Runs(KDW_CONTROL_RUNDLL "intl.cpl"),
    Hidden("Sounds and Audio Devices", "mmsys.cpl").Runs(KDW_CONTROL_RUNDLL "mmsys.cpl"),
    Hidden("System", "sysdm.cpl").Runs(KDW_CONTROL_RUNDLL "sysdm.cpl"),
    Hidden("User Accounts", "nusrmgr.cpl").Runs(KDW_CONTROL_RUNDLL "nusrmgr.cpl"),
    Hidden("Windows Firewall", "firewall.cpl").Runs(KDW_CONTROL_RUNDLL "firewall.cpl"),
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

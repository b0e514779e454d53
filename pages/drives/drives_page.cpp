#include "pages/drives/drives_page.h"

#include <array>
#include <string>
#include <vector>

#include "base/keys.h"
#include "pages/drives/drive_panel_page.h"
#include "pages/drives/drive_report.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kStoragePolicies = "System\\CurrentControlSet\\Control\\StorageDevicePolicies";
constexpr const char* kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr const char* kExplorer = keys::kExplorerPolicies;
#define KDW_DRIVE_ICONS "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\"
constexpr const char* kUserOnComputer = "%USERNAME% on %COMPUTERNAME%";
constexpr const char* kNoLetter = "Choose a drive letter first.";

// Left: the report, the two switches and the C: frame. Right: the titles
// and icons frame, and "Hide Drives" below it.
constexpr int kLeftWidth = 3400;
constexpr int kRightLeft = kMargin + kLeftWidth + 120;
constexpr int kRightWidth = 3100;
constexpr int kReportTop = 60 + kLineHeight + 30;
constexpr int kReportHeight = 2700;
constexpr Column kChecks{kMargin, kReportTop + kReportHeight + 90, kLeftWidth};
constexpr int kAccessTop = kChecks.Bottom(2) + 90;
constexpr int kAccessHeight = kFrameTop + 480 + 120;

// Inside the titles frame: a label over each box.
constexpr int kInner = kRightWidth - 2 * kMargin;
constexpr int kComboTop = kFrameTop + 60;
constexpr int kTitleLabel = kComboTop + 315 + 120;
constexpr int kTitleBox = kTitleLabel + kLineHeight + 15;
constexpr int kIconLabel = kTitleBox + kTextHeight + 90;
constexpr int kIconBox = kIconLabel + kLineHeight + 15;
constexpr int kButtonsTop = kIconBox + kTextHeight + 150;
constexpr int kTitlesHeight = kButtonsTop + 360 + 120;
constexpr int kHideTop = 60 + kTitlesHeight + 150;

// Access to C: is one switch, shown as two pictures lying on one another:
// Image2 while C: is blocked. Any mask but 0 blocks it; a click stores C:
// alone, or nothing, whatever mask was stored.
constexpr TwoStates kAccessLooks{.partner = "Image2"};

constexpr SettingRow kRows[] = {
    Number("Check1", "Restrict Writing to USB Strorage Device", HKLM, kStoragePolicies,
           "WriteProtect")
        .At(kChecks.Line(0))
        .MachineWide()
        .Explained(Effect::kWindowsRestart,
                   "USB flash drives and other USB disks become read-only for every user: files "
                   "can be opened and copied off them, but nothing can be saved, renamed or "
                   "deleted on them. Needs Service Pack 2; unchecking makes them writable again."),
    // Explorer expands the name; any state but checked gives Windows' own
    // text back.
    SettingRow{"Check2", "Show User and Computer Name", HKCR, kMyComputer, "LocalizedString",
                   ValueKind::kExpandSz, LoadRule::kStringEquals, StoreExpandString(kUserOnComputer),
                   StoreExpandString("@%SystemRoot%\\system32\\SHELL32.dll,-9216"), kUserOnComputer}
        .At(kChecks.Line(1))
        .MachineWide()
        .Explained(Effect::kExplorerRestart,
                   "The My Computer icon is labelled with the logged-on user's name and the "
                   "computer's name (\"anna on OFFICE1\") instead of its usual title. Unchecking "
                   "puts the standard Windows title back. Applies to every account."),
    Toggle(NonZero("Image1", "Prevent Access to C:\\", HKCU, kExplorer, "NoViewOnDrive", 4),
           kAccessLooks)
        .Explained(Effect::kExplorerRestart,
                   "While on, the user can still see drive C: but cannot open it in My Computer or "
                   "Explorer, nor list it through Run or Map Network Drive. Only C: is covered: "
                   "any other drive mask stored in this value is replaced."),
};

// "Strorage" is the caption the switch has always had. The C: pictures are
// buttons lying on one another, so that the keyboard reaches the one shown.
constexpr forms::ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "Drives Info:", {kMargin, 60, kLeftWidth, kLineHeight}},
    {"Text3", ControlKind::kTextBox, "", {kMargin, kReportTop, kLeftWidth, kReportHeight}, "",
     forms::kMultiLine | forms::kReadOnly},
    {"Frame2", ControlKind::kFrame, "Prevent Access to C:\\",
     {kMargin, kAccessTop, kLeftWidth, kAccessHeight}},
    {"Image1", ControlKind::kCommandButton, "Prevent Access", {kMargin, kFrameTop, 480, 480},
     "Frame2", 0, "BTN_OK", "Access to C:\\ is allowed: click to prevent it"},
    {"Image2", ControlKind::kCommandButton, "Allow Access", {kMargin, kFrameTop, 480, 480},
     "Frame2", 0, "BTN_CANCEL", "Access to C:\\ is prevented: click to allow it"},
    {"Label5", ControlKind::kLabel, "Use this feature to prevent users from accessing the C:\\> drive.",
     {kMargin + 600, kFrameTop + 15, kLeftWidth - 600 - kMargin, 480}, "Frame2"},

    // Titles and icons are the machine's: the whole frame is machine-wide.
    // Two trailing blanks: the frame's caption as it has always been.
    MachineWide({"Frame1", ControlKind::kFrame, "Drives Titles and Icons  ",
                 {kRightLeft, 60, kRightWidth, kTitlesHeight}}),
    MachineWide({"Label2", ControlKind::kLabel, "Drive Letter:",
                 {kMargin, kComboTop + 40, 1000, kLineHeight}, "Frame1"}),
    MachineWide({"ImageCombo1", ControlKind::kImageCombo, "", {kMargin + 1020, kComboTop, 1200, 315},
                 "Frame1"}),
    MachineWide({"Image3", ControlKind::kImage, "",
                 {kRightWidth - kMargin - 480, kFrameTop - 30, 480, 480}, "Frame1", 0, "ADD05"}),
    MachineWide({"Label3", ControlKind::kLabel, "Drive Title:",
                 {kMargin, kTitleLabel, kInner, kLineHeight}, "Frame1"}),
    MachineWide({"Text1", ControlKind::kTextBox, "", {kMargin, kTitleBox, kInner, kTextHeight},
                 "Frame1"}),
    MachineWide({"Label4", ControlKind::kLabel, "Drive Icon:", {kMargin, kIconLabel, kInner, kLineHeight},
                 "Frame1"}),
    MachineWide({"Text2", ControlKind::kTextBox, "", {kMargin, kIconBox, kInner - 420, kTextHeight},
                 "Frame1", forms::kReadOnly | forms::kDeleteEmpties, "", "Press Delete to empty"}),
    MachineWide({"Command3", ControlKind::kCommandButton, "...",
                 {kMargin + kInner - 360, kIconBox, 360, kTextHeight}, "Frame1", 0, "",
                 "Choose an icon for your drive"}),
    MachineWide({"Command1", ControlKind::kCommandButton, "Create", {kMargin, kButtonsTop, 1200, 360},
                 "Frame1"}),
    MachineWide({"Command2", ControlKind::kCommandButton, "Delete",
                 {kMargin + 1320, kButtonsTop, 1200, 360}, "Frame1"}),

    {"Image4", ControlKind::kImage, "", {kRightLeft, kHideTop, 480, 480}, "", 0, "ADD08"},
    {"Command4", ControlKind::kCommandButton, "Hide Drives",
     {kRightLeft + 600, kHideTop + 60, 1800, 360}, "", 0, "", "Choose the drives Explorer hides"},
    // The letters walked in order; never shown.
    {"List1", ControlKind::kListBox, "", {kRightLeft, kHideTop + 600, 600, 300}},
};

// Each letter's title and icon, a key each, shown for the letter chosen;
// Create stores both and Delete removes both.
constexpr auto kLetters = [] {
  constexpr const char* kNames[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                      "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                      "S", "T", "U", "V", "W", "X", "Y", "Z"};
  std::array<PickerEntry, 26> letters{};
  for (std::size_t i = 0; i < letters.size(); ++i) letters[i] = {kNames[i]};
  return letters;
}();
constexpr SettingRow kTitleAndIcon[] = {
    Text("Text1", HKLM, KDW_DRIVE_ICONS "<entry>\\DefaultLabel", "", ValueKind::kKey)
        .Called("Drive Title (<entry>:)")
        .Explained(Effect::kExplorerRestart,
                   "Name shown for this drive letter in My Computer and Explorer in place of the "
                   "volume label, for all users. Deleting the title and icon brings the normal "
                   "label back."),
    Text("Text2", HKLM, KDW_DRIVE_ICONS "<entry>\\DefaultIcon", "", ValueKind::kKey)
        .Called("Drive Icon (<entry>:)")
        .Explained(Effect::kExplorerRestart,
                   "Path of an .ico file that My Computer and Explorer show for this drive letter "
                   "instead of the standard drive picture. Explorer may keep showing the old "
                   "picture from its icon cache until it restarts."),
};
#undef KDW_DRIVE_ICONS
constexpr EntryPicker kLetterPicker{
    .list = "ImageCombo1", .rows = kTitleAndIcon, .entries = kLetters, .edits = false};

constexpr BrowseButton kBrowse[] = {
    {"Command3", "Text2", "Choose an icon for your drive - Kelmor Deskwarden", "Icons (*.ico)|*.ico",
     StartIn::kProgramFolder},
};
constexpr DialogOpener kDialogs[] = {{"Command4", &kDrivePanelPage, MakeDrivePanelPage}};

constexpr int kHeight = kAccessTop + kAccessHeight + 60 + kChromeHeight;
static_assert(kHideTop + 600 + 300 + 60 + kChromeHeight <= kHeight,
                  "the right column fits beside the left one");

class DrivesPage : public SettingPage {
 public:
  explicit DrivesPage(Context& context) : SettingPage(context, kDrivesPage) {
    OnClick("Command1", [this] { Command1_Click(); });
    OnClick("Command2", [this] { Command2_Click(); });
  }

  void BeforeRows() override {
    letters_.SetVisible(false);
    for (const PickerEntry& letter : kLetters) letters_.AddItem(letter.item);
    combo_.SetImageList({std::begin(kDriveImagePictures), std::end(kDriveImagePictures)});
    std::string report;
    for (const std::string& letter : letters_.items()) {
      combo_.AddItem(letter, static_cast<int>(ImageOfKind(GetDriveKind(context().drives, letter))));
      report += DriveInfoText(context().drives, letter + ":\\");
    }
    report_.SetText(report);
  }

 private:
  // The chosen letter's rows, or none after telling the user to choose.
  std::span<const SettingRow> Chosen() {
    const std::span<const SettingRow> rows = PickedRows();
    if (rows.empty()) {
      context().messages.Show(context().Owner(), kNoLetter, kTitle, mb::kOk | mb::kIconStop);
      context().host.SetFocus(form(), combo_);
    }
    return rows;
  }

  void Command1_Click() {
    const std::span<const SettingRow> rows = Chosen();
    if (rows.empty()) return;
    RegStatus status;
    for (const SettingRow& row : rows) {
      if (status.ok()) status = StoreShown(row);
    }
    Done(status, "Title and Icon were created successfully.", "The title and icon could not be saved");
  }

  // A letter that had neither is a success too: neither is there now.
  void Command2_Click() {
    const std::span<const SettingRow> rows = Chosen();
    if (rows.empty()) return;
    RegStatus status;
    for (const SettingRow& row : rows) {
      if (status.ok()) status = registry().DeleteKey(row.hive, row.key);
    }
    Done(status, "Title and Icon were deleted successfully.", "The title and icon could not be deleted");
  }

  void Done(RegStatus status, const char* success, const char* failure) {
    if (!status.ok()) {
      context().messages.Show(context().Owner(),
                              std::string(failure) + ": " + DescribeRegError(status.code()) + ".",
                              kTitle, mb::kOk | mb::kIconStop);
      return;
    }
    context().messages.Show(context().Owner(), success, kTitle, mb::kOk | mb::kIconInformation);
    combo_.SetListIndex(-1);
  }

  forms::ListControl& combo_ = Use<forms::ListControl>("ImageCombo1");
  forms::ListControl& letters_ = Use<forms::ListControl>("List1");
  forms::TextBox& report_ = Use<forms::TextBox>("Text3");
};

}  // namespace

const PageSpec kDrivesPage{
    .name = "frmDrives",
    .caption = "Drives",
    .width = kRightLeft + kRightWidth + kMargin + kChromeWidth,
    .height = kHeight,
    .rows = kRows,
    .controls = kControls,
    .picker = &kLetterPicker,
    .browse = kBrowse,
    .dialogs = kDialogs,
};

std::unique_ptr<forms::FormController> MakeDrivesPage(Context& context) {
  return std::make_unique<DrivesPage>(context);
}

}  // namespace kdw::pages

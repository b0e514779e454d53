#include "pages/drives/drives_page.h"

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
constexpr const char* kDriveIcons = KDW_DRIVE_ICONS;
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

constexpr SettingRow kRows[] = {
    Number("Check1", "Restrict Writing to USB Strorage Device", HKLM, kStoragePolicies,
           "WriteProtect")
        .At(kChecks.Line(0))
        .MachineWide(),
    // Explorer expands the name; any state but checked gives Windows' own
    // text back.
    SettingRow{"Check2", "Show User and Computer Name", HKCR, kMyComputer, "LocalizedString",
                   ValueKind::kExpandSz, LoadRule::kStringEquals, StoreExpandString(kUserOnComputer),
                   StoreExpandString("@%SystemRoot%\\system32\\SHELL32.dll,-9216"), kUserOnComputer}
        .At(kChecks.Line(1))
        .MachineWide(),
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
                 "Frame1", forms::kReadOnly, "", "Press Delete to empty"}),
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

// What the page's own code binds: the C: switch of the two pictures, and
// each drive's title and icon, a key each, made by Create and removed by
// Delete for the letter chosen.
constexpr PageValue kValues[] = {
    {"Image1", "Prevent Access to C:\\", HKCU, kExplorer, "NoViewOnDrive"},
    {"Text1", "Drive Title", HKLM, KDW_DRIVE_ICONS "<drive>\\DefaultLabel", "", PageValue::kKey},
    {"Text2", "Drive Icon", HKLM, KDW_DRIVE_ICONS "<drive>\\DefaultIcon", "", PageValue::kKey},
};
#undef KDW_DRIVE_ICONS

constexpr int kHeight = kAccessTop + kAccessHeight + 60 + kChromeHeight;
static_assert(kHideTop + 600 + 300 + 60 + kChromeHeight <= kHeight,
                  "the right column fits beside the left one");

class DrivesPage : public SettingPage {
 public:
  explicit DrivesPage(Context& context) : SettingPage(context, kDrivesPage) {
    OnClick("Image1", [this] { ShowAccess(4); });
    OnClick("Image2", [this] { ShowAccess(0); });
    combo_.on_click = [this] { ImageCombo1_Click(); };
    OnClick("Command1", [this] { Command1_Click(); });
    OnClick("Command2", [this] { Command2_Click(); });
    OnClick("Command3", [this] { Command3_Click(); });
    OnClick("Command4", [this] { Command4_Click(); });
    text2_.on_key_down = [this](int key) {
      if (key == kDeleteKey) text2_.SetText("");
    };
  }

  void BeforeRows() override {
    letters_.SetVisible(false);
    for (char letter = 'A'; letter <= 'Z'; ++letter) letters_.AddItem(std::string(1, letter));

    combo_.SetImageList({std::begin(kDriveImagePictures), std::end(kDriveImagePictures)});
    for (const std::string& letter : letters_.items()) {
      const DriveImage image = ImageOfKind(GetDriveKind(context().drives, letter));
      combo_.AddItem(letter, static_cast<int>(image));
    }

    std::string report;
    for (const std::string& letter : letters_.items()) {
      report += DriveInfoText(context().drives, letter + ":\\");
    }
    text3_.SetText(report);
  }

  void AfterRows() override {
    ShowBlocked(registry().GetDwordValue(HKCU, kExplorer, "NoViewOnDrive", 0) != 0);
  }

 private:
  static constexpr int kDeleteKey = 46;

  
  static std::string LabelKey(const std::string& letter) {
    return kDriveIcons + letter + "\\DefaultLabel";
  }
  static std::string IconKey(const std::string& letter) {
    return kDriveIcons + letter + "\\DefaultIcon";
  }

  // Exactly one of the two pictures shows: Image2 while C: is blocked.
  void ShowBlocked(bool blocked) {
    image1_.SetVisible(!blocked);
    image2_.SetVisible(blocked);
  }

  // Only C: alone, or nothing: whatever mask was stored is replaced.
  void ShowAccess(std::int32_t mask) {
    // Refused, the picture that was clicked stays: it still tells the truth.
    if (!Wrote(registry().SaveDwordValue(HKCU, kExplorer, "NoViewOnDrive", mask),
                   kValues[0].caption)) {
      return;
    }
    ShowBlocked(mask != 0);
    // The button pressed has gone; the keyboard stays with its partner.
    context().host.SetFocus(form(), mask != 0 ? image2_ : image1_);
  }

  void ImageCombo1_Click() {
    const std::string letter = combo_.text();
    text1_.SetText(letter.empty() ? "" : registry().GetStringValue(HKLM, LabelKey(letter), ""));
    text2_.SetText(letter.empty() ? "" : registry().GetStringValue(HKLM, IconKey(letter), ""));
  }

  // The chosen letter, or the empty text after telling the user to choose.
  std::string ChosenLetter() {
    const std::string letter = combo_.text();
    if (letter.empty()) {
      context().messages.Show(context().Owner(), kNoLetter, kTitle, mb::kOk | mb::kIconStop);
      context().host.SetFocus(form(), combo_);
    }
    return letter;
  }

  void Command1_Click() {
    const std::string letter = ChosenLetter();
    if (letter.empty()) return;
    const std::string title = text1_.text();
    const std::string icon = text2_.text();
    RegStatus status = registry().SaveStringValue(HKLM, LabelKey(letter), "", title);
    if (status.ok()) status = registry().SaveStringValue(HKLM, IconKey(letter), "", icon);
    if (status.ok()) {
      Tell("Title and Icon were created successfully.");
      ClearFields();
    } else {
      Refuse("The title and icon could not be saved", status);
    }
  }

  void Command2_Click() {
    const std::string letter = ChosenLetter();
    if (letter.empty()) return;
    // A letter that had neither is a success too: neither is there now.
    RegStatus status = registry().DeleteKey(HKLM, LabelKey(letter));
    if (status.ok()) status = registry().DeleteKey(HKLM, IconKey(letter));
    if (status.ok()) {
      Tell("Title and Icon were deleted successfully.");
      ClearFields();
    } else {
      Refuse("The title and icon could not be deleted", status);
    }
  }

  void Tell(const char* text) {
    context().messages.Show(context().Owner(), text, kTitle, mb::kOk | mb::kIconInformation);
  }
  void Refuse(const char* what, RegStatus status) {
    context().messages.Show(context().Owner(),
                                    std::string(what) + ": " + DescribeRegError(status.code()) + ".",
                                    kTitle, mb::kOk | mb::kIconStop);
  }
  void ClearFields() {
    text1_.SetText("");
    text2_.SetText("");
    combo_.SetListIndex(-1);
  }

  void Command3_Click() {
    const std::string path = context().dialogs.ShowOpenFileDialog(
        context().Owner(), "Icons (*.ico)|*.ico", "Choose an icon for your drive - Kelmor Deskwarden",
        context().files.ProgramFolder());
    if (!path.empty()) text2_.SetText(path);
  }

  void Command4_Click() { ShowDialog(MakeDrivePanelPage(context())); }

  forms::Control& image1_ = Use<forms::Control>("Image1");
  forms::Control& image2_ = Use<forms::Control>("Image2");
  forms::ListControl& combo_ = Use<forms::ListControl>("ImageCombo1");
  forms::ListControl& letters_ = Use<forms::ListControl>("List1");
  forms::TextBox& text1_ = Use<forms::TextBox>("Text1");
  forms::TextBox& text2_ = Use<forms::TextBox>("Text2");
  forms::TextBox& text3_ = Use<forms::TextBox>("Text3");
};

}  // namespace

const PageSpec kDrivesPage{
    .name = "frmDrives",
    .caption = "Drives",
    .width = kRightLeft + kRightWidth + kMargin + kChromeWidth,
    .height = kHeight,
    .rows = kRows,
    .controls = kControls,
    .values = kValues,
};

std::unique_ptr<forms::FormController> MakeDrivesPage(Context& context) {
  return std::make_unique<DrivesPage>(context);
}

}  // namespace kdw::pages

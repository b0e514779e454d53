#include "pages/office/access_page.h"

#include "pages/layout.h"
#include "pages/office/office_dialog.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

// Machine-wide run-time options; the user's own settings.
constexpr const char* kRunTime = "Software\\Microsoft\\Office\\<version>\\Access\\Run-Time Options";
constexpr const char* kSettings = "Software\\Microsoft\\Office\\<version>\\Access\\Settings";
constexpr const char* kUndos = "Number of Undos";

constexpr int kWidth = kDialogWidth;
constexpr int kButton = kDialogButton;
// A label and a box a line; the file boxes end in Browse and Clear.
constexpr int kFieldLeft = kMargin + 1320;
constexpr Column kLabels{kMargin, kDialogBodyTop + 120, 1260, kButton + 60};
constexpr Column kFields{kFieldLeft, kDialogBodyTop + 98, 0, kButton + 60, kTextHeight};
constexpr int kClearLeft = kWidth - kMargin - kButton;
constexpr int kBrowseLeft = kClearLeft - 60 - kButton;
constexpr int kFileBoxWidth = kBrowseLeft - 60 - kFieldLeft;
constexpr int kTitleBoxWidth = kWidth - kMargin - kFieldLeft;
constexpr int kUndoLabel = kFields.Bottom(4) + 240;
constexpr int kSliderTop = kUndoLabel + kLineHeight + 60;
constexpr int kSliderHeight = 480;
constexpr int kValueWidth = 360;
constexpr int kResetLeft = kWidth - kMargin - kButton;
constexpr int kHeight = kSliderTop + kSliderHeight + 120;

constexpr forms::Rect FileBox(int line) { return {kFieldLeft, kFields.Line(line).top, kFileBoxWidth, kTextHeight}; }
constexpr forms::Rect ButtonBeside(int line, int left) {
  return {left, kFields.Line(line).top + kTextHeight / 2 - kButton / 2, kButton, kButton};
}

// In load order: the four texts, then the slider. The names are spelt as
// Access reads them: "Titlebar" with a small b, "Number of Undos" with spaces.
constexpr SettingRow kRows[] = {
    Text("Text1", HKLM, kRunTime, "Titlebar")
        .At({kFieldLeft, kFields.Line(0).top, kTitleBoxWidth, kTextHeight})
        .Explained(Effect::kImmediately,
                   "Text Access shows in its title bar instead of its own name when it runs in "
                   "run-time mode, for every user. Takes effect the next time Access starts."),
    Text("Text2", HKLM, kRunTime, "StartupScreen").At(FileBox(1))
        .Explained(Effect::kImmediately,
                   "Bitmap displayed as the splash screen while Access starts in run-time mode. "
                   "Takes effect the next time Access starts."),
    Text("Text3", HKLM, kRunTime, "Icon").At(FileBox(2))
        .Explained(Effect::kImmediately,
                   "Icon file used for the Access window and its taskbar button in run-time mode. "
                   "Takes effect the next time Access starts."),
    Text("Text4", HKLM, kRunTime, "AppHelpFile").At(FileBox(3))
        .Explained(Effect::kImmediately,
                   "Help file opened in place of Access's own help when the user asks for help in "
                   "a run-time application. Takes effect the next time Access starts."),
    Position("Slider1", HKCU, kSettings, kUndos, 1, 20)
        .At({kMargin, kSliderTop, kResetLeft - 60 - kValueWidth - 60 - kMargin, kSliderHeight})
        .Explained(Effect::kImmediately,
                   "How many recent actions the user can undo in Access (1 to 20); the reset "
                   "button deletes the value so Access uses its built-in level. Takes effect the "
                   "next time Access starts."),
};

constexpr forms::ControlSpec kUnbound[] = {
    {"Label1", ControlKind::kLabel, "Title Bar:", kLabels.Line(0)},
    {"Label2", ControlKind::kLabel, "Startup Screen:", kLabels.Line(1)},
    {"Label3", ControlKind::kLabel, "Icon:", kLabels.Line(2)},
    {"Label4", ControlKind::kLabel, "Help File:", kLabels.Line(3)},
    {"Image2", ControlKind::kCommandButton, "Browse", ButtonBeside(1, kBrowseLeft), "", 0, "ADD05",
     "Choose a picture"},
    {"Image6", ControlKind::kCommandButton, "Clear", ButtonBeside(1, kClearLeft), "", 0, "BTN_CANCEL",
     "Clear"},
    {"Image3", ControlKind::kCommandButton, "Browse", ButtonBeside(2, kBrowseLeft), "", 0, "ADD05",
     "Choose an icon"},
    {"Image7", ControlKind::kCommandButton, "Clear", ButtonBeside(2, kClearLeft), "", 0, "BTN_CANCEL",
     "Clear"},
    {"Image4", ControlKind::kCommandButton, "Browse", ButtonBeside(3, kBrowseLeft), "", 0, "ADD05",
     "Choose a help file"},
    {"Image8", ControlKind::kCommandButton, "Clear", ButtonBeside(3, kClearLeft), "", 0, "BTN_CANCEL",
     "Clear"},
    {"Label5", ControlKind::kLabel, "Undo Level in Access:",
     {kMargin, kUndoLabel, kWidth - 2 * kMargin, kLineHeight}},
    {"Label6", ControlKind::kLabel, "",
     {kResetLeft - 60 - kValueWidth, kSliderTop + kSliderHeight / 2 - kLineHeight / 2, kValueWidth,
      kLineHeight}},
    {"Image5", ControlKind::kCommandButton, "Reset",
     {kResetLeft, kSliderTop + kSliderHeight / 2 - kButton / 2, kButton, kButton}, "", 0,
     "BTN_RECOMMENDED", "Back to Access's own undo level"},
};

const std::vector<forms::ControlSpec> kControls =
    DialogControls({"Label7", "Access Restrictions"}, kRows, kUnbound);

// Each file box's Browse (a file of its kind) and Clear.
constexpr BrowseButton kBrowse[] = {
    {"Image2", "Text2", "Choose a picture to use as a Splash Screen - Kelmor Deskwarden",
     "BMP Pictures (*.bmp)|*.bmp"},
    {"Image3", "Text3", "Choose an icon to use - Kelmor Deskwarden", "Icon Pictures (*.ico)|*.ico"},
    {"Image4", "Text4", "Choose the help file to use - Kelmor Deskwarden", "Help Files (*.hlp)|*.hlp"},
};
constexpr const char* kClears[][2] = {{"Image6", "Text2"}, {"Image7", "Text3"}, {"Image8", "Text4"}};

class AccessPage : public OfficeDialog {
 public:
  AccessPage(Context& context, const std::string& version_text)
      : OfficeDialog(context, kAccessPage, version_text) {
    slider_.SetSteps(1, 5, 1);
    ShowsPosition("Slider1", "Label6");
    // Clearing stores the empty text; the value stays.
    for (const auto& [clear, box] : kClears) OnClick(clear, [&box = Use<forms::TextBox>(box)] { box.SetText(""); });
    OnClick("Image5", [this] { Image5_Click(); });
  }

  void AfterRows() override {
    OfficeDialog::AfterRows();
    // Typing goes on at the end of the title bar text.
    title_.PlaceCaret(title_.text().size());
  }

 private:
  // Back to Access's own undo level: no value, the slider at its start.
  void Image5_Click() {
    if (!has_version()) return;
    if (!Wrote(registry().DeleteValue(HKCU, KeyOf(kSettings), kUndos), kUndos)) return;
    slider_.SetValue(slider_.min());
    ShowPosition();
  }

  forms::Slider& slider_ = Use<forms::Slider>("Slider1");
  forms::TextBox& title_ = Use<forms::TextBox>("Text1");
};

}  // namespace

const PageSpec kAccessPage = DialogSpec("frmAccess", kHeight, kControls, kRows, kBrowse);

std::unique_ptr<forms::FormController> MakeAccessDialog(Context& context,
                                                        const std::string& version_text) {
  return std::make_unique<AccessPage>(context, version_text);
}

std::unique_ptr<forms::FormController> MakeAccessPage(Context& context) {
  return MakeAccessDialog(context, StoredOfficeVersion(context.registry));
}

}  // namespace kdw::pages

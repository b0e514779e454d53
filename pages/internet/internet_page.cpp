#include "pages/internet/internet_page.h"

#include <string>

#include "base/keys.h"
#include "pages/internet/net_res2_page.h"
#include "pages/internet/net_res_page.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
// The download folder lives one level above the other browser strings.
constexpr const char* kBrowser = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kInternetZone = keys::kInternetZone;
constexpr const char* kCurrentVersion = keys::kWindowsVersion;

// Five lines of label, text box and picture button; the switches in two
// columns below them; the two dialog buttons at the bottom.
constexpr int kWidth = 6600;  // inside the page
constexpr int kButton = 480;
constexpr int kPitch = kButton + 60;
constexpr int kLabelWidth = 1800;
constexpr int kTextLeft = kMargin + kLabelWidth + 60;
constexpr int kButtonLeft = kWidth - kMargin - kButton;
constexpr int kTextWidth = kButtonLeft - 60 - kTextLeft;
constexpr int kChecksTop = 60 + 5 * kPitch + 60;
constexpr int kColumnWidth = 3120;
constexpr Column kLeftChecks{kMargin, kChecksTop, kColumnWidth};
constexpr Column kRightChecks{kMargin + kColumnWidth + 120, kChecksTop, kWidth - 2 * kMargin - kColumnWidth - 120};
constexpr int kCommandsTop = kLeftChecks.Bottom(2) + 240;
constexpr int kCommandWidth = 2400;
constexpr int kHeight = kCommandsTop + kButton + 120;

constexpr int LineTop(int line) { return 60 + line * kPitch; }
constexpr forms::Rect LabelAt(int line) {
  return {kMargin, LineTop(line) + (kButton - kLineHeight) / 2, kLabelWidth, kLineHeight};
}
constexpr forms::Rect TextAt(int line) {
  return {kTextLeft, LineTop(line) + (kButton - kTextHeight) / 2, kTextWidth, kTextHeight};
}
constexpr forms::Rect ButtonAt(int line) { return {kButtonLeft, LineTop(line), kButton, kButton}; }

// The browser keeps three of its switches as the words "yes" and "no".
constexpr SettingRow kRows[] = {
    Text("Text1", HKCU, kMain, "Window Title").At(TextAt(0))
        .Explained(Effect::kImmediately,
                   "Text placed at the end of every Internet Explorer title bar instead of the "
                   "browser's own name; with no value the usual name returns. Takes effect the "
                   "next time Internet Explorer starts."),
    Text("Text2", HKCU, kMain, "Start Page").At(TextAt(1))
        .Explained(Effect::kImmediately,
                   "Address of the page the browser opens at start and when Home is clicked. Takes "
                   "effect the next time Internet Explorer starts."),
    Text("Text3", HKCU, kMain, "Save Directory").At(TextAt(2))
        .Explained(Effect::kImmediately,
                   "Folder offered first when the user saves a web page or a picture with Save As. "
                   "Takes effect the next time Internet Explorer starts."),
    Text("Text4", HKCU, kBrowser, "Download Directory").At(TextAt(3))
        .Explained(Effect::kImmediately,
                   "Folder proposed in the save dialog when a file is downloaded from a web site. "
                   "Takes effect the next time Internet Explorer starts."),
    Text("Text5", HKLM, kInternetSettings, "ActiveXCache").At(TextAt(4)).MachineWide()
        .Explained(Effect::kImmediately,
                   "Folder (normally Downloaded Program Files) where downloaded ActiveX controls "
                   "are installed, for every user; controls already there are not moved. Takes "
                   "effect the next time Internet Explorer starts."),
    // A grayed box counts as on here; the other two words count only a tick.
    Strings("Check1", "Underline Links", HKCU, kMain, "Anchor Underline", "yes", "no")
        .At(kLeftChecks.Line(0))
        .GrayedAsChecked()
        .Explained(Effect::kImmediately,
                   "Checked, links on web pages are always underlined; unchecked, never. The "
                   "browser's third choice, underlining only under the mouse, shows as unchecked. "
                   "Takes effect the next time Internet Explorer starts."),
    Strings("Check2", "Start in Full Mode", HKCU, kMain, "FullScreen", "yes", "no")
        .At(kRightChecks.Line(0))
        .Explained(Effect::kImmediately,
                   "New browser windows open full screen, without title bar and with a reduced "
                   "toolbar, as after pressing F11. Takes effect the next time Internet Explorer "
                   "starts."),
    Strings("Check3", "Show \"Go\" Button", HKCU, kMain, "ShowGoButton", "yes", "no")
        .At(kLeftChecks.Line(1))
        .Explained(Effect::kImmediately,
                   "Shows the Go button at the right of the Address bar; unchecked it is hidden "
                   "and a typed address is opened with Enter. Takes effect the next time Internet "
                   "Explorer starts."),
    // The Internet zone's action for signed ActiveX downloads: 3 disables,
    // 1 prompts. The page never enables them (0).
    Numbers("Check4", "Restrict ActiveX Program Installations", HKCU, kInternetZone, "1001", 3, 1)
        .At(kRightChecks.Line(1))
        .Explained(Effect::kImmediately,
                   "Checked (3), sites in the Internet zone can no longer download and install "
                   "signed ActiveX controls; unchecked (1) the browser asks the user each time "
                   "instead. Takes effect the next time Internet Explorer starts."),
};

// The pictures act as buttons, so that the keyboard reaches them too; their
// captions name them for screen readers.
constexpr forms::ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "Internet Explorer Title:", LabelAt(0)},
    {"Label2", ControlKind::kLabel, "Home Page:", LabelAt(1)},
    {"Label3", ControlKind::kLabel, "Saving Directory:", LabelAt(2)},
    {"Label4", ControlKind::kLabel, "Download Directory:", LabelAt(3)},
    // The ActiveX folder is the machine's, like its box.
    MachineWide({"Label5", ControlKind::kLabel, "ActiveX Directory:", LabelAt(4)}),
    {"Image6", ControlKind::kCommandButton, "Clear", ButtonAt(0), "", 0, "BTN_CANCEL"},
    {"Image1", ControlKind::kCommandButton, "Open", ButtonAt(1), "", 0, "ADD06"},
    {"Image2", ControlKind::kCommandButton, "Browse", ButtonAt(2), "", 0, "ADD05"},
    {"Image3", ControlKind::kCommandButton, "Browse", ButtonAt(3), "", 0, "ADD05"},
    MachineWide({"Image4", ControlKind::kCommandButton, "Browse", ButtonAt(4), "", 0, "ADD05"}),
    // The buttons' captions are spelt as the program has always shown them.
    {"Command1", ControlKind::kCommandButton, "Browser Restricions",
     {kMargin, kCommandsTop + 30, kCommandWidth, 420}},
    {"Command2", ControlKind::kCommandButton, "IE Options Restricions",
     {kMargin + kCommandWidth + 120, kCommandsTop + 30, kCommandWidth, 420}},
    {"Image5", ControlKind::kImage, "", {kButtonLeft, kCommandsTop, kButton, kButton}, "", 0,
     "ADD06"},
};

constexpr BrowseButton kBrowse[] = {
    {"Image2", "Text3", "Choose where you want to save your files."},
    {"Image3", "Text4", "Choose where you want to download your files."},
    {"Image4", "Text5", "Choose where you want to save ActiveX."},
};
constexpr DialogOpener kDialogs[] = {
    {"Command1", &kNetResPage, MakeNetResPage},
    {"Command2", &kNetRes2Page, MakeNetRes2Page},
};

class InternetPage : public SettingPage {
 public:
  explicit InternetPage(Context& context) : SettingPage(context, kInternetPage) {
    OnClick("Image1", [this] { Image1_Click(); });
    OnClick("Image6", [this] { Image6_Click(); });
  }

 private:
  // The browser at the home page as typed. The program's path is quoted:
  // unquoted, Windows would try "C:\Program.exe" first.
  void Image1_Click() {
    const std::string folder = registry().GetStringValue(HKLM, kCurrentVersion, "ProgramFilesDir");
    const std::string command =
        "\"" + folder + "\\Internet Explorer\\iexplore.exe\" " + text2_.text();
    if (!context().processes.Start(command, sw::kShowNormal)) {
      context().messages.Show(context().Owner(), "The web browser could not be started.", kTitle,
                              mb::kIconExclamation | mb::kOk);
    }
  }

  // The title ends absent, not empty: the browser then shows its own.
  void Image6_Click() {
    text1_.SetText("");
    WroteTyped("Text1", registry().DeleteValue(HKCU, kMain, "Window Title"), "Window Title");
  }

  forms::TextBox& text1_ = Use<forms::TextBox>("Text1");
  forms::TextBox& text2_ = Use<forms::TextBox>("Text2");
};

}  // namespace

const PageSpec kInternetPage{
    .name = "frmInternet",
    .caption = "Internet Explorer",
    .width = kWidth + kChromeWidth,
    .height = kHeight + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .browse = kBrowse,
    .dialogs = kDialogs,
    .always_maximized = true,
};

std::unique_ptr<forms::FormController> MakeInternetPage(Context& context) {
  return std::make_unique<InternetPage>(context);
}

}  // namespace kdw::pages

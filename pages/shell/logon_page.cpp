#include "pages/shell/logon_page.h"

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
// The same key in the letter case the Welcome screen row has always written.
constexpr const char* kWinLogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
constexpr const char* kUserList =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\SpecialAccounts\\UserList";
constexpr const char* kSystem = keys::kSystemPolicies;
constexpr const char* kExplorer = keys::kExplorerPolicies;
constexpr const char* kDefaultDesktop = ".DEFAULT\\Control Panel\\Desktop";

// Left: the automatic-logon frame, the wallpaper line and the switches.
// Right: the legal notice and the logon dialog, one frame each.
constexpr int kLeftWidth = 3900;
constexpr int kRightLeft = kMargin + kLeftWidth + 120;
constexpr int kRightWidth = 2600;

// Inside the automatic-logon frame: a label and a box a line.
constexpr Column kLabels{kMargin, 330, 960, 360};
constexpr Column kFields{kMargin + 960 + 60, 300, 2100, 360, kTextHeight};
constexpr int kAutoHeight = kFields.Bottom(3) + 120;
constexpr int kClearLeft = kFields.left + kFields.width + 60;
constexpr int kClearTop = kFields.Line(1).top + kTextHeight / 2 - 240;

constexpr int kWallpaperTop = 60 + kAutoHeight + 60;
constexpr int kWallpaperBox = kWallpaperTop + kLineHeight + 15;
constexpr Column kChecks{kMargin, kWallpaperBox + kTextHeight + 120, kLeftWidth};
constexpr int kBottom = kChecks.Bottom(6);

// The two text frames share the right column; the title box over the
// several-line text box.
constexpr int kTextFrameHeight = (kBottom - 60 - 60) / 2;
constexpr int kTitleWidth = kRightWidth - 2 * kMargin;
constexpr forms::Rect kTitleBox{kMargin, kFrameTop, kTitleWidth, kTextHeight};
constexpr int kBodyTop = kFrameTop + kTextHeight + 60;
constexpr forms::Rect kBodyBox{kMargin, kBodyTop, kTitleWidth, kTextFrameHeight - kBodyTop - 120};

// Text rows first, then the switches: the order in which the page loads.
constexpr SettingRow kRows[] = {
    Text("Text1", HKLM, kWinlogon, "DefaultUserName").In("Frame1", kFields.Line(0))
        .Explained(Effect::kNextLogon,
                   "Account that automatic logon signs in with; without automatic logon it is the "
                   "name pre-filled in the classic logon dialog."),
    // Windows reads the automatic-logon password as plain text; the box
    // only hides it from whoever looks at the screen, and exports leave it
    // out unless asked.
    Text("Text2", HKLM, kWinlogon, "DefaultPassword")
        .In("Frame1", kFields.Line(1))
        .Flags(forms::kPassword)
        .Secret()
        .Explained(Effect::kNextLogon,
                   "Password used by automatic logon. Windows keeps it as plain readable text, so "
                   "anyone able to read the registry can see it; clearing it stops automatic "
                   "logon."),
    Text("Text3", HKLM, kWinlogon, "DefaultDomainName").In("Frame1", kFields.Line(2))
        .Explained(Effect::kNextLogon,
                   "Domain, or this computer's name for a local account, that automatic logon uses "
                   "and the classic logon dialog proposes."),
    Text("Text4", HKU, kDefaultDesktop, "Wallpaper")
        .At({kMargin, kWallpaperBox, kLeftWidth - 360 - 60, kTextHeight})
        .Explained(Effect::kWindowsRestart,
                   "Bitmap shown as the screen background while nobody is logged on, behind the "
                   "classic logon dialog; the Welcome screen covers it."),
    Text("Text5", HKLM, kWinlogon, "LegalNoticeCaption").In("Frame2", kTitleBox).Tip("Title Text")
        .Explained(Effect::kNextLogon,
                   "Title of a notice window that every user must acknowledge with OK before "
                   "logging on; it appears only together with the notice text."),
    // Several lines: the edit window's line breaks (CR LF) are stored as typed.
    Text("Text6", HKLM, kWinlogon, "LegalNoticeText")
        .In("Frame2", kBodyBox)
        .Flags(forms::kMultiLine)
        .Tip("Dialog Text")
        .Explained(Effect::kNextLogon,
                   "Body of the pre-logon notice, such as an acceptable-use warning; logon "
                   "continues only after the user clicks OK."),
    Text("Text7", HKLM, kWinlogon, "Welcome").In("Frame3", kTitleBox).Tip("Title Text")
        .Explained(Effect::kNextLogon,
                   "Text added to the title bar of the classic Log On to Windows dialog; the "
                   "Welcome screen does not show it."),
    Text("Text8", HKLM, kWinlogon, "LogonPrompt")
        .In("Frame3", kBodyBox)
        .Flags(forms::kMultiLine)
        .Tip("Dialog Text")
        .Explained(Effect::kNextLogon,
                   "Message shown inside the classic logon dialog, above the user name and "
                   "password boxes; not visible with the Welcome screen."),

    // The value turns the secure attention sequence off; the caption asks
    // for it, so a missing value shows checked and is stored as 0.
    Inverted("Check1", "Press Ctrl + Alt + Delete Before Logon", HKLM, kWinlogon, "DisableCAD")
        .At(kChecks.Line(0))
        .Explained(Effect::kWindowsRestart,
                   "Checked (stores 0), the classic logon asks for Ctrl+Alt+Delete before the "
                   "logon dialog appears; unchecked (1) the dialog comes straight up. The Welcome "
                   "screen ignores it."),
    Number("Check2", "Don't Remember Last User Name", HKLM, kSystem, "DontDisplayLastUserName")
        .At(kChecks.Line(1))
        .Explained(Effect::kNextLogon,
                   "The classic logon dialog opens with an empty User name box instead of showing "
                   "who logged on last."),
    Number("Check3", "Remove User Name from Start Menu", HKCU, kExplorer, "NoUserNameInStartMenu")
        .At(kChecks.Line(2))
        .Explained(Effect::kExplorerRestart,
                   "The user's name and picture at the top of the XP-style Start menu are no "
                   "longer shown."),
    Number("Check4", "Show Administrator Account on Welcome Screen", HKLM, kUserList,
           "Administrator")
        .At(kChecks.Line(3))
        .Explained(Effect::kNextLogon,
                   "Checked (1), the built-in Administrator account gets its own picture on the "
                   "Welcome screen; unchecked (0) it is left off, as Windows does once other "
                   "administrator accounts exist."),
    Number("Check5", "Use Welcome Screen when Logon", HKLM, kWinLogon, "LogonType")
        .At(kChecks.Line(4))
        .Explained(Effect::kNextLogon,
                   "Checked, users log on by clicking their picture on the Welcome screen; "
                   "unchecked, the classic dialog asks them to type a user name and password."),
    Number("Check6", "Allow Fast User Switching", HKLM, kWinlogon, "AllowMultipleTSSessions")
        .At(kChecks.Line(5))
        .Explained(Effect::kNextLogon,
                   "Several users can stay logged on at once and switch between sessions without "
                   "closing programs; needs the Welcome screen. Unchecked, Switch User is not "
                   "offered."),
    // Windows reads this one as text: "1" on, "0" off.
    Strings("Check7", "Auto Logon", HKLM, kWinlogon, "AutoAdminLogon", "1", "0")
        .In("Frame1", {kMargin, 0, 1100, kLineHeight})
        .Explained(Effect::kNextLogon,
                   "Checked (\"1\"), Windows logs on by itself with the user name, password and "
                   "domain above when it starts and after a log off; holding Shift skips it once."),
};

// The automatic-logon frame is titled by its check box, which stands over
// the blank caption. The picture that clears the password is a button, so
// that the keyboard reaches it too.
constexpr forms::ControlSpec kControls[] = {
    {"Frame1", ControlKind::kFrame, "                                ",
     {kMargin, 60, kLeftWidth, kAutoHeight}},
    {"Label1", ControlKind::kLabel, "User Name:", kLabels.Line(0), "Frame1"},
    {"Label2", ControlKind::kLabel, "Password:", kLabels.Line(1), "Frame1"},
    {"Label3", ControlKind::kLabel, "Domain:", kLabels.Line(2), "Frame1"},
    {"Image2", ControlKind::kCommandButton, "Clear Password", {kClearLeft, kClearTop, 480, 480},
     "Frame1", 0, "BTN_CANCEL", "Clear Password"},
    {"Label4", ControlKind::kLabel, "Logon Wallpaper:", {kMargin, kWallpaperTop, 2000, kLineHeight}},
    {"Command1", ControlKind::kCommandButton, "...",
     {kMargin + kLeftWidth - 360, kWallpaperBox, 360, kTextHeight}},
    {"Frame2", ControlKind::kFrame, "Legal Notice", {kRightLeft, 60, kRightWidth, kTextFrameHeight}},
    {"Frame3", ControlKind::kFrame, "Logon Dialog",
     {kRightLeft, 60 + kTextFrameHeight + 60, kRightWidth, kTextFrameHeight}},
};

// A bitmap for the logon desktop, looked for first beside the program.
constexpr BrowseButton kBrowse[] = {{"Command1", "Text4",
                                     "Choose a BMP to set as a logon wallpaper - Kelmor Deskwarden",
                                     "Bitmap Pictures (*.bmp)|*.bmp", StartIn::kProgramFolder}};

class LogonPage : public SettingPage {
 public:
  explicit LogonPage(Context& context) : SettingPage(context, kLogonPage) {
    OnClick("Image2", [this] { Image2_Click(); });
  }

 private:
  // The password goes from the registry and from the box alike: a box still
  // showing it would claim a password that is no longer stored, and the
  // next keystroke in it would store it again.
  void Image2_Click() {
    Quietly([this] { text2_.SetText(""); });
    const SettingRow& password = *RowOf("Text2");
    // Refused, the box shows again the password that is still stored.
    if (!Wrote(registry().SaveStringValue(HKLM, kWinlogon, "DefaultPassword", ""),
               NameOf(password))) {
      Quietly([&] { LoadRow(password); });
    }
  }

  forms::TextBox& text2_ = Use<forms::TextBox>("Text2");
};

}  // namespace

const PageSpec kLogonPage{
    .name = "frmLogon",
    .caption = "Logon and Security",
    .width = kRightLeft + kRightWidth + kMargin + kChromeWidth,
    .height = kBottom + 60 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .browse = kBrowse,
};

std::unique_ptr<forms::FormController> MakeLogonPage(Context& context) {
  return std::make_unique<LogonPage>(context);
}

}  // namespace kdw::pages

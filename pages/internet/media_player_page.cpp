#include "pages/internet/media_player_page.h"

#include <string>
#include <string_view>

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kPreferences = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char* kPolicies = "Software\\Policies\\Microsoft\\WindowsMediaPlayer";
constexpr const char* kPlayerSettings = "Software\\Microsoft\\MediaPlayer\\Player\\Settings";
constexpr const char* kCurrentVersion = keys::kWindowsVersion;
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr const char* kEnableDvd = "Enable DVD Play";
constexpr const char* kDisableDvd = "Disable DVD Play";
// frmAdd's Image1 (DVD play on, offered to be turned off) and Image2.
constexpr const char* kDvdOnPicture = "ADD01";
constexpr const char* kDvdOffPicture = "ADD02";
constexpr const char* kSkinPattern = "*.wmz";

// Left: the switches, the two text boxes and the DVD button. Right: the skin
// frame, with the current skin over the list of installed ones.
constexpr int kLeftWidth = 3100;
constexpr Column kChecks{kMargin, 60, kLeftWidth};
constexpr int kTitleLabel = kChecks.Bottom(3) + 120;
constexpr int kTitleBox = kTitleLabel + kLineHeight + 15;
constexpr int kPathLabel = kTitleBox + kTextHeight + 120;
constexpr int kPathBox = kPathLabel + kLineHeight + 15;
constexpr int kButton = 360;   // a "..." button
constexpr int kPicture = 480;  // 32 pixels
constexpr int kPathWidth = kLeftWidth - kButton - 60;
constexpr int kDvdTop = kPathBox + kTextHeight + 180;
constexpr int kDvdHeight = 600;
constexpr int kLeftBottom = kDvdTop + kDvdHeight;

constexpr int kFrameLeft = kMargin + kLeftWidth + 120;
constexpr int kFrameWidth = 3400;
constexpr int kInner = kFrameWidth - 2 * kMargin;
constexpr int kSkinBox = kFrameTop + kLineHeight + 15;
constexpr int kListLabel = kSkinBox + kTextHeight + 120;
constexpr int kListTop = kListLabel + kLineHeight + 15;
constexpr int kListWidth = kInner - kPicture - 120;
constexpr int kListHeight = 1290;
constexpr int kButtonsLeft = kMargin + kListWidth + 120;
constexpr int kLockTop = kListTop + kListHeight + 90;
constexpr int kFrameHeight = kLockTop + kLineHeight + 120;
constexpr int kBottom = kLeftBottom > 60 + kFrameHeight ? kLeftBottom : 60 + kFrameHeight;

// The DVD switch is a button whose caption says what a click does.
constexpr TwoStates kDvdLooks{.off = {kEnableDvd, kDvdOffPicture}, .on = {kDisableDvd, kDvdOnPicture}};

constexpr SettingRow kRows[] = {
    // The player keeps this one as text: "0" or "1".
    NumberText("Check1", "Start Maximized", HKCU, kPreferences, "Maximized").At(kChecks.Line(0))
        .Explained(Effect::kImmediately,
                   "The Player window opens maximized. Takes effect the next time Windows Media "
                   "Player starts."),
    Number("Check2", "AutoPlay when CD inserted", HKCU, kPreferences, "CDAutoPlay")
        .At(kChecks.Line(1))
        .Explained(Effect::kImmediately,
                   "An audio CD put in the drive starts playing in the Player by itself. Takes "
                   "effect the next time Windows Media Player starts."),
    Number("Check3", "Disable Codec Downloads", HKCU, kPolicies, "PreventCodecDownload")
        .At(kChecks.Line(2))
        .Explained(Effect::kImmediately,
                   "The Player no longer fetches missing codecs from the Internet, and its own "
                   "option for that is locked; files needing one fail to play. Takes effect the "
                   "next time Windows Media Player starts."),
    Number("Check4", "Lock Current Skin", HKCU, kPolicies, "SetAndLockSkin")
        .In("Frame1", {kMargin, kLockTop, kInner, kLineHeight})
        .Explained(Effect::kImmediately,
                   "The Player is kept in skin mode with the skin picked in the list; the user can "
                   "switch neither to full mode nor to another skin. Takes effect the next time "
                   "Windows Media Player starts."),
    Text("Text1", HKCU, kPolicies, "TitleBar").At({kMargin, kTitleBox, kLeftWidth, kTextHeight})
        .Explained(Effect::kImmediately,
                   "Custom text shown in the Player's title bar, for example a company name. Takes "
                   "effect the next time Windows Media Player starts."),
    Text("Text2", HKCU, kPreferences, "SearchPath").At({kMargin, kPathBox, kPathWidth, kTextHeight})
        .Explained(Effect::kImmediately,
                   "Folder the Player searches for music and video to add to its Media Library. "
                   "Takes effect the next time Windows Media Player starts."),
    // The skin picked in the list of installed ones.
    Choice("File1", "Media Player Skin", HKCU, kPolicies, "DefaultSkin")
        .Explained(Effect::kImmediately,
                   "File name of the skin (.wmz, from the Player's Skins folder) used when the "
                   "skin is locked. Takes effect the next time Windows Media Player starts."),
    Toggle(Strings("Command1", kEnableDvd, HKCU, kPlayerSettings, "EnableDVDUI", "Yes", "No"),
           kDvdLooks)
        .Explained(Effect::kImmediately,
                   "\"Yes\" turns on the Player's DVD playback controls and menus; \"No\" turns them "
                   "off, so DVDs are not played in it. Takes effect the next time Windows Media "
                   "Player starts."),
};

// The current skin only shows (the list changes it). The pictures that act
// are the usual "..." buttons, so that the keyboard reaches them too.
constexpr forms::ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "Media Player Title:",
     {kMargin, kTitleLabel, kLeftWidth, kLineHeight}},
    {"Label2", ControlKind::kLabel, "Music Library Path:",
     {kMargin, kPathLabel, kLeftWidth, kLineHeight}},
    {"Image1", ControlKind::kCommandButton, "...",
     {kMargin + kPathWidth + 60, kPathBox, kButton, kTextHeight}},
    {"Command1", ControlKind::kCommandButton, kEnableDvd,
     {kMargin, kDvdTop, 2400, kDvdHeight}, "", forms::kCaptionAndPicture, kDvdOffPicture},
    {"Frame1", ControlKind::kFrame, "Media Player Skin",
     {kFrameLeft, 60, kFrameWidth, kFrameHeight}},
    {"Label3", ControlKind::kLabel, "Your Current Skin:",
     {kMargin, kFrameTop, kInner, kLineHeight}, "Frame1"},
    {"Text3", ControlKind::kTextBox, "", {kMargin, kSkinBox, kInner, kTextHeight}, "Frame1",
     forms::kReadOnly},
    {"Label4", ControlKind::kLabel, "Choose a skin to lock:",
     {kMargin, kListLabel, kInner, kLineHeight}, "Frame1"},
    {"File1", ControlKind::kFileList, "", {kMargin, kListTop, kListWidth, kListHeight}, "Frame1"},
    // Skins are copied into the player's folder, which is the machine's.
    MachineWide({"Image2", ControlKind::kCommandButton, "...",
                 {kButtonsLeft, kListTop, kButton, kTextHeight}, "Frame1", 0, "",
                 "Browse for a Media Player's skin"}),
    {"Image3", ControlKind::kImage, "",
     {kButtonsLeft, kListTop + kListHeight - kPicture, kPicture, kPicture}, "Frame1", 0, "ADD12"},
};

constexpr BrowseButton kBrowse[] = {{"Image1", "Text2", "Choose your Music Library path."}};

// Adding a skin copies a file into the skin folder under Program Files.
class MediaPlayerPage : public SettingPage {
 public:
  explicit MediaPlayerPage(Context& context) : SettingPage(context, kMediaPlayerPage) {
    skins_.SetPattern(kSkinPattern);
    OnClick("Image2", [this] { Image2_Click(); });
  }

  // The folder of the skins installed with the player, listed before the
  // stored skin is picked in it. A folder that is not there leaves the list
  // as designed: empty, with no folder.
  void BeforeRows() override {
    const std::string programs = registry().GetStringValue(HKLM, kCurrentVersion, "ProgramFilesDir");
    if (programs.empty()) return;
    const std::string folder = programs + "\\Windows Media Player\\Skins";
    if (!context().files.IsFolder(folder)) return;
    skins_.SetPath(folder);
    RefreshSkins();
  }

  void AfterRows() override { ShowSkin(); }

 private:
  void Stored(const SettingRow& row) override {
    if (row.load == LoadRule::kChoice) ShowSkin();
  }

  void ShowSkin() { current_.SetText(TextOf(registry().Read(HKCU, kPolicies, "DefaultSkin"), ValueType::kSz)); }

  // Lists the folder again, keeping the selected skin selected without
  // storing it again.
  void RefreshSkins() {
    const std::string selected = skins_.text();
    Quietly([&] {
      skins_.Clear();
      for (const std::string& name : context().files.ListFiles(skins_.path(), skins_.pattern())) {
        skins_.AddItem(name);
        if (name == selected) skins_.SetListIndex(skins_.count() - 1);
      }
    });
  }

  // Adds a skin file from elsewhere to the skin folder under a new name. The
  // name is checked before anything is copied, and the copy replaces a skin
  // of that name only once it is complete.
  void Image2_Click() {
    const std::string source = context().dialogs.ShowOpenFileDialog(
        context().Owner(), "Media Player's Skins (*.wmz)|*.wmz",
        "Choose for a skin - Kelmor Deskwarden", SkinDialogFolder());
    if (source.empty()) return;
    const std::string name = context().input.Ask(context().Owner(), "Choose a name for your skin.",
                                                 kTitle, "");
    if (name.find_first_not_of(' ') == std::string::npos) return;  // Cancel or nothing typed
    if (!IsUsableSkinName(name)) {
      Problem("\"" + name +
              "\" cannot be the name of a skin. A name may not hold any of the characters "
              "\\ / : * ? \" < > | and may not be the name of a device, such as CON or NUL.");
      return;
    }
    const std::string folder = skins_.path();
    if (folder.empty()) {
      Problem("The skin folder of Windows Media Player was not found, so no skin can be added.");
      return;
    }
    Bytes skin;
    if (!context().files.ReadWholeFile(source, skin)) {
      Problem("The skin could not be read:\n" + source);
      return;
    }
    const std::string target = folder + "\\" + name + ".wmz";
    if (!context().files.ReplaceWholeFile(target, skin)) {
      Problem("The skin could not be copied to:\n" + target);
      return;
    }
    RefreshSkins();
  }

  // The user's own Media Player folder when there is one, else My Documents.
  std::string SkinDialogFolder() {
    const std::string data = registry().GetStringValue(HKCU, kShellFolders, "AppData");
    if (!data.empty()) {
      const std::string player = data + "\\Microsoft\\Media Player";
      if (context().files.IsFolder(player)) return player;
    }
    return registry().GetStringValue(HKCU, kShellFolders, "Personal");
  }

  void Problem(const std::string& text) {
    context().messages.Show(context().Owner(), text, kTitle, mb::kIconError);
  }

  forms::ListControl& skins_ = Use<forms::ListControl>("File1");
  forms::TextBox& current_ = Use<forms::TextBox>("Text3");
};

}  // namespace

bool IsUsableSkinName(const std::string& name) {
  if (name.find_first_not_of(' ') == std::string::npos) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) !=
                                                    std::string_view::npos) {
      return false;
    }
  }
  // "CON.blue.wmz" is the device CON as much as "CON.wmz" is.
  return !IsDeviceName(name);
}

const PageSpec kMediaPlayerPage{
    .name = "frmWMP",
    .caption = "Windows Media Player",
    .width = kFrameLeft + kFrameWidth + kMargin + kChromeWidth,
    .height = kBottom + 60 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .invalid_number = InvalidNumber::kLeaveAlone,
    .browse = kBrowse,
};

std::unique_ptr<forms::FormController> MakeMediaPlayerPage(Context& context) {
  return std::make_unique<MediaPlayerPage>(context);
}

}  // namespace kdw::pages

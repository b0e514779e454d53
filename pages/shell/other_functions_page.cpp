#include "pages/shell/other_functions_page.h"

#include <array>
#include <iterator>
#include <string>

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kExplorer = keys::kExplorerPolicies;
constexpr const char* kSystem = keys::kSystemPolicies;
constexpr const char* kAdvanced = keys::kExplorerAdvanced;
constexpr const char* kBitBucket =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";
constexpr const char* kCleanupWiz =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz";
constexpr const char* kExplorerSettings = keys::kExplorer;
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kCurrentVersion = keys::kWindowsNtVersion;

// "Edit with Notepad" in the context menu of every file: the verb's key and
// its command key, made parent first and removed child first (the registry
// keeps a key that still has subkeys).
constexpr const char* kEditText = "*\\shell\\EditText";
constexpr const char* kEditCommand = "*\\shell\\EditText\\command";
constexpr KeyDefault kNotepadVerb[] = {{kEditText, "Edit with Notepad"},
                                       {kEditCommand, "notepad.exe %1"}};
constexpr KeyDefault kNotepadVerbChildFirst[] = {{kEditCommand}, {kEditText}};

// Top left: the page's own boxes over the context-menu frame; top right: the
// desktop frame. Below them, across the page, the special folders and the
// profile line.
constexpr int kLeftWidth = 3350;
constexpr int kRightLeft = kMargin + kLeftWidth + 60;
constexpr int kRightWidth = 3200;
constexpr int kFullWidth = kRightLeft + kRightWidth - kMargin;
constexpr Column kPage{kMargin, 60, kLeftWidth};
constexpr int kContextTop = kPage.Bottom(4) + 60;
constexpr Column kInLeftFrame{kMargin, kFrameTop, kLeftWidth - 2 * kMargin};
constexpr Column kInRightFrame{kMargin, kFrameTop, kRightWidth - 2 * kMargin};
constexpr int kFoldersTop = kContextTop + FrameHeight(4) + 60;
static_assert(FrameHeight(6) <= kFoldersTop - 60, "the desktop frame ends above the folders");

// Inside the special-folder frame: the list, the path, then the two
// picture buttons at the right end.
constexpr int kButton = 480;
constexpr int kFoldersHeight = kFrameTop + kButton + 120;
constexpr int kListWidth = 2000;
constexpr int kResetLeft = kFullWidth - kMargin - kButton;
constexpr int kBrowseLeft = kResetLeft - 60 - kButton;
constexpr int kPathLeft = kMargin + kListWidth + 120;
constexpr int kButtonMiddle = kFrameTop + kButton / 2;
constexpr int kProfileTop = kFoldersTop + kFoldersHeight + 60;

// Shell extensions of the context menu: on with their class identifier as
// the handler key's default value, off with the empty text (the key stays).
constexpr SettingRow Handler(const char* control, const char* caption, const char* key,
                             const char* class_id) {
  return Strings(control, caption, HKCR, key, "", class_id, "");
}

constexpr SettingRow kRows[] = {
    // Checked removes the arrow by removing the value; unchecking puts it
    // back empty, the way Windows ships it.
    SettingRow{.control = "Check1",
               .caption = "Remove Shortcut Arrow",
               .hive = HKCR,
               .key = "lnkfile",
               .value = "IsShortcut",
               .kind = ValueKind::kDelete,
               .load = LoadRule::kValueAbsent,
               .checked = RemoveValue(),
               .unchecked = StoreString("")}
        .At(kPage.Line(0))
        .Tip("Remove the little arrow displayed on shortcuts.")
        .Explained(Effect::kExplorerRestart,
                   "The small arrow drawn on shortcut icons disappears for every user, on the "
                   "desktop and in folders; shortcuts themselves work as before."),
    // The tip's wording is the program's own.
    Number("Check2", "Restore Folders at Startup", HKCU, kAdvanced, "PersistBrowsers")
        .At(kPage.Line(1))
        .Tip("Re-open folders you left them open when you shutted down Microsoft Windows.")
        .Explained(Effect::kNextLogon,
                   "Folder windows still open when the user logs off are opened again at the next "
                   "log on."),
    Number("Check4", "Hide \"Run As...\"", HKCU, kExplorer, "HideRunAsVerb")
        .In("Frame1", kInLeftFrame.Line(0))
        .Explained(Effect::kExplorerRestart,
                   "Run as is removed from the shortcut menus of programs and shortcuts, so the "
                   "user cannot start a program under another account from there."),
    Handler("Check5", "Show \"Copy To...\"",
            "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To",
            "{C2FBB630-2971-11d1-A18C-00C04FD75D13}")
        .In("Frame1", kInLeftFrame.Line(1))
        .MachineWide()
        .Explained(Effect::kImmediately,
                   "Adds Copy To Folder to the right-click menu of files and folders, so a copy "
                   "can be sent to a folder picked from a tree. Machine-wide."),
    Handler("Check6", "Show \"Move To...\"",
            "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To",
            "{C2FBB631-2971-11d1-A18C-00C04FD75D13}")
        .In("Frame1", kInLeftFrame.Line(2))
        .MachineWide()
        .Explained(Effect::kImmediately,
                   "Adds Move To Folder to the right-click menu, moving the selected items to a "
                   "folder chosen from a tree. Machine-wide."),
    Handler("Check7", "Show \"Send To...\"",
            "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To",
            "{7BA4C740-9E81-11CF-99D3-00AA004AE837}")
        .In("Frame1", kInLeftFrame.Line(3))
        .MachineWide()
        .Explained(Effect::kImmediately,
                   "Keeps the Send To submenu on files and folders; unchecked empties its handler "
                   "so the submenu vanishes for every user."),
    Number("Check8", "Show Windows Version on Desktop", HKCU, "Control Panel\\Desktop",
           "PaintDesktopVersion")
        .In("Frame2", kInRightFrame.Line(0))
        .Explained(Effect::kNextLogon,
                   "The Windows name, version and build number are painted in the lower right "
                   "corner of the desktop."),
    Number("Check9", "Disable Lock Computer", HKCU, kSystem, "DisableLockWorkstation")
        .In("Frame2", kInRightFrame.Line(1))
        .Explained(Effect::kNextLogon,
                   "Lock Computer is unavailable in the Windows Security dialog, so the user "
                   "cannot lock the session from there while stepping away."),
    Number("Check10", "Disable Recycle Bin", HKLM, kBitBucket, "NukeOnDelete")
        .In("Frame2", kInRightFrame.Line(2))
        .MachineWide()
        .Explained(Effect::kExplorerRestart,
                   "Deleted files skip the Recycle Bin and are removed at once, for every user and "
                   "drive, so nothing can be restored from the bin."),
    Number("Check11", "Disable Desktop", HKCU, kExplorer, "NoDesktop")
        .In("Frame2", kInRightFrame.Line(3))
        .Explained(Effect::kExplorerRestart,
                   "All icons and shortcuts, My Computer and Recycle Bin included, are hidden from "
                   "the desktop; the taskbar and Start menu remain."),
    Number("Check12", "Disable Desktop Clean Up Wizard", HKCU, kCleanupWiz, "NoRun")
        .In("Frame2", kInRightFrame.Line(4))
        .Explained(Effect::kExplorerRestart,
                   "Stops the wizard that offers every 60 days to move unused desktop shortcuts "
                   "into a separate folder."),
    Number("Check13", "Disable Desktop Right Click", HKCU, kExplorer, "NoViewContextMenu")
        .In("Frame2", kInRightFrame.Line(5))
        .Explained(Effect::kExplorerRestart,
                   "Right-clicking the desktop, or the file area of an Explorer window, brings up "
                   "no shortcut menu."),
    SettingRow{.control = "Check14",
               .caption = "Open Files with Notepad",
               .hive = HKCR,
               .key = kEditCommand,
               .value = "",
               .kind = ValueKind::kKey,
               .load = LoadRule::kStringEquals,
               .checked = CreateKeys(kNotepadVerb),
               .unchecked = RemoveKeys(kNotepadVerbChildFirst),
               .literal = "notepad.exe %1"}
        .At(kPage.Line(2))
        .MachineWide()
        .Explained(Effect::kImmediately,
                   "Adds Edit with Notepad to the right-click menu of every file, for every "
                   "account; it opens the clicked file in Notepad. Unchecking removes the command "
                   "and its menu text again."),
    // Checked stores 0: Windows then skips the prompt. The caption ends in
    // a blank, as it always has.
    Inverted("Check15", "Skip the \"Open With\" Web Service Prompt ", HKCU, kExplorerSettings,
             "InternetOpenWith")
        .At(kPage.Line(3))
        .Explained(Effect::kNextLogon,
                   "Checked (stores 0): opening a file of an unknown type should lead straight to "
                   "the list of programs instead of first offering a Web lookup. Unchecked (1) "
                   "brings the question back."),
};

// Each special folder's path, one value each: the list picks the folder,
// whose path shows as stored, unexpanded; Browse and Reset change it. Each
// entry keeps its default path.
constexpr PickerEntry kFolders[] = {
    {"Desktop", nullptr, nullptr, "%USERPROFILE%\\Desktop"},
    {"My Documents", "Personal", nullptr, "%USERPROFILE%\\My Documents"},
    {"My Pictures", nullptr, nullptr, "%USERPROFILE%\\My Documents\\My Pictures"},
    {"Startup", nullptr, nullptr, "%USERPROFILE%\\Start Menu\\Programs\\Startup"},
    {"SendTo", nullptr, nullptr, "%USERPROFILE%\\SendTo"},
    {"Cookies", nullptr, nullptr, "%USERPROFILE%\\Cookies"},
    {"Favorites", nullptr, nullptr, "%USERPROFILE%\\Favorites"},
    {"History", nullptr, nullptr, "%USERPROFILE%\\Local Settings\\History"},
};
constexpr SettingRow kFolderPath[] = {
    Text("Text1", HKCU, kShellFolders, kEntryMark, ValueKind::kExpandSz)
        .Called("<entry> Folder")
        .Explained(Effect::kNextLogon,
                   "The folder Windows and programs use as this special folder for the user, "
                   "stored as typed (%USERPROFILE% stays unexpanded). Files in the old folder "
                   "are not moved."),
};
constexpr EntryPicker kFolderPicker{.list = "Combo1",
                                    .rows = kFolderPath,
                                    .entries = kFolders,
                                    .edits = false,
                                    .found_at_list = true};

// The path box only shows: it changes through the list, Browse and Reset.
// The two pictures act as buttons, so that the keyboard reaches them too.
// The profile line reads like a label.
constexpr forms::ControlSpec kControls[] = {
    {"Frame1", ControlKind::kFrame, "Context Menu",
     {kMargin, kContextTop, kLeftWidth, FrameHeight(4)}},
    {"Frame2", ControlKind::kFrame, "Desktop", {kRightLeft, 60, kRightWidth, FrameHeight(6)}},
    {"Frame3", ControlKind::kFrame, "Special Folders",
     {kMargin, kFoldersTop, kFullWidth, kFoldersHeight}},
    {"Combo1", ControlKind::kComboBox, "", {kMargin, kButtonMiddle - 157, kListWidth, 315}, "Frame3"},
    {"Text1", ControlKind::kTextBox, "",
     {kPathLeft, kButtonMiddle - kTextHeight / 2, kBrowseLeft - 120 - kPathLeft, kTextHeight},
     "Frame3", forms::kReadOnly},
    {"Image2", ControlKind::kCommandButton, "Browse", {kBrowseLeft, kFrameTop, kButton, kButton},
     "Frame3", 0, "ADD05", "Choose a new folder"},
    {"Image1", ControlKind::kCommandButton, "Reset", {kResetLeft, kFrameTop, kButton, kButton},
     "Frame3", 0, "BTN_RECOMMENDED", "Back to the default folder"},
    {"Text2", ControlKind::kTextBox, "", {kMargin, kProfileTop, kFullWidth, kTextHeight}, "",
     forms::kReadOnly | forms::kFormBackground | forms::kBorderless},
};

class OtherFunctionsPage : public SettingPage {
 public:
  explicit OtherFunctionsPage(Context& context) : SettingPage(context, kOtherFunctionsPage) {
    OnClick("Image1", [this] { Image1_Click(); });
    OnClick("Image2", [this] { Image2_Click(); });
  }

  void AfterRows() override { profile_.SetText(ProfileLine()); }

 private:
  // Reset: the folder's default path.
  void Image1_Click() {
    const PickerEntry* folder = PickedOrAsk();
    if (!folder) return;
    StorePath(*folder, folder->data);
  }

  // Browse: a folder of the user's choice, stored as the plain path chosen.
  void Image2_Click() {
    const PickerEntry* folder = PickedEntry();
    if (!folder) return;
    const std::string path = context().dialogs.DirBox(
        context().Owner(), std::string("Choose a new path for ") + folder->item + ".");
    if (!path.empty()) StorePath(*folder, path);
  }

  void StorePath(const PickerEntry& folder, const std::string& path) {
    const SettingRow& row = PickedRows().front();
    if (Wrote(registry().SaveExpandStringValue(row.hive, row.key, row.value, path), folder.item)) {
      Quietly([&] { path_.SetText(path); });
    }
  }

  // Where %USERPROFILE% points: the system drive, the profiles folder and
  // the user's name, which the main window's first menu shows. The name of
  // the variable is spelt as the program has always shown it.
  std::string ProfileLine() {
    const std::string root = registry().GetStringValue(HKLM, kCurrentVersion, "SystemRoot");
    const forms::Form* main = context().main_form;
    const std::string user =
        main && !main->menu_bar().empty() ? main->menu_bar().front()->caption() : "";
    return " %USERPROFLE% = " + root.substr(0, 3) + "Documents and Settings\\" + user;
  }

  forms::TextBox& path_ = Use<forms::TextBox>("Text1");
  forms::TextBox& profile_ = Use<forms::TextBox>("Text2");
};

}  // namespace

const PageSpec kOtherFunctionsPage{
    .name = "frmOthers",
    .caption = "Other Functions",
    .width = kRightLeft + kRightWidth + kMargin + kChromeWidth,
    .height = kProfileTop + kTextHeight + 60 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .picker = &kFolderPicker,
};

std::unique_ptr<forms::FormController> MakeOtherFunctionsPage(Context& context) {
  return std::make_unique<OtherFunctionsPage>(context);
}

}  // namespace kdw::pages

#include "pages/drives/programs_page.h"

#include <string>

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kExplorer = keys::kExplorerPolicies;
// Each entry of the list is the value named by its number under this key.
constexpr const char* kDisallowRun =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowRun";
constexpr int kEntries = 101;  // "0" to "100"

// The switch across the top; below it the entries on the left and the
// chosen entry's program on the right, with the button that picks one.
constexpr int kListTop = 60 + kLineHeight + 120;
constexpr int kListWidth = 1200;
constexpr int kListHeight = 2700;
constexpr int kRightLeft = kMargin + kListWidth + 120;
constexpr int kButton = 360;
constexpr int kTextWidth = 3000;
constexpr int kTextTop = kListTop + kLineHeight + 15;
constexpr int kButtonLeft = kRightLeft + kTextWidth + 60;
constexpr int kWidth = kButtonLeft + kButton + kMargin;

constexpr SettingRow kRows[] = {
    Number("Check1", "Active Programs Restriction", HKCU, kExplorer, "DisallowRun")
        .At({kMargin, 60, kWidth - 2 * kMargin, kLineHeight})
        .Explained(Effect::kExplorerRestart,
                   "Switches on the list of forbidden programs: Explorer refuses to start any "
                   "program whose file name is listed. Programs started from a command prompt or "
                   "by other programs are not stopped."),
};

// The program box only shows: it changes through the button and the Delete
// key. The picture that picks a program is the usual "..." button, so that
// the keyboard reaches it too.
constexpr forms::ControlSpec kControls[] = {
    {"List1", ControlKind::kListBox, "", {kMargin, kListTop, kListWidth, kListHeight}},
    {"Label1", ControlKind::kLabel, "Program:", {kRightLeft, kListTop, kTextWidth, kLineHeight}},
    {"Text1", ControlKind::kTextBox, "", {kRightLeft, kTextTop, kTextWidth, kTextHeight}, "",
     forms::kReadOnly | forms::kDeleteEmpties},
    {"Image1", ControlKind::kCommandButton, "...", {kButtonLeft, kTextTop, kButton, kTextHeight},
     "", 0, "", "Choose a program to restrict"},
};

// The entries, each a value of the key named by its number, listed by the
// page; the program box shows and changes the one chosen.
constexpr SettingRow kProgram[] = {
    Text("Text1", HKCU, kDisallowRun, kEntryMark)
        .Called("Restricted Programs <entry>")
        .Explained(Effect::kExplorerRestart,
                   "Numbered entries, each the file name of a program (such as game.exe) the user "
                   "may not start from Explorer while the restriction is on; a renamed copy is "
                   "not caught."),
};
// An entry shows with its write-back; one the box cannot show whole (another
// type, text after a NUL) shows as far as it reads, without it, so that
// merely looking never replaces what another tool stored there.
constexpr EntryPicker kEntryPicker{.list = "List1", .rows = kProgram, .writes_back = true};

// A program is stored under an entry, so one must be chosen first: a name
// picked without one would show as if stored and then be lost.
constexpr BrowseButton kBrowse[] = {{.button = "Image1",
                                     .box = "Text1",
                                     .prompt = "Choose a program to restrict - Kelmor Deskwarden",
                                     .filter = "Application (*.exe)|*.exe",
                                     .name_only = true,
                                     .needs_entry = true}};

class ProgramsPage : public SettingPage {
 public:
  explicit ProgramsPage(Context& context) : SettingPage(context, kProgramsPage) {}

  void BeforeRows() override {
    for (int entry = 0; entry < kEntries; ++entry) entries_.AddItem(std::to_string(entry));
  }

 private:
  forms::ListControl& entries_ = Use<forms::ListControl>("List1");
};

}  // namespace

const PageSpec kProgramsPage{
    .name = "frmPrograms",
    .caption = "Programs Restriction",
    .width = kWidth + kChromeWidth,
    .height = kListTop + kListHeight + 120 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .picker = &kEntryPicker,
    .browse = kBrowse,
};

std::unique_ptr<forms::FormController> MakeProgramsPage(Context& context) {
  return std::make_unique<ProgramsPage>(context);
}

}  // namespace kdw::pages

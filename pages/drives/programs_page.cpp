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
constexpr int kDeleteKey = 46;

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
        .At({kMargin, 60, kWidth - 2 * kMargin, kLineHeight}),
};

// The program box only shows: it changes through the button and the Delete
// key. The picture that picks a program is the usual "..." button, so that
// the keyboard reaches it too.
constexpr forms::ControlSpec kControls[] = {
    {"List1", ControlKind::kListBox, "", {kMargin, kListTop, kListWidth, kListHeight}},
    {"Label1", ControlKind::kLabel, "Program:", {kRightLeft, kListTop, kTextWidth, kLineHeight}},
    {"Text1", ControlKind::kTextBox, "", {kRightLeft, kTextTop, kTextWidth, kTextHeight}, "",
     forms::kReadOnly},
    {"Image1", ControlKind::kCommandButton, "...", {kButtonLeft, kTextTop, kButton, kTextHeight},
     "", 0, "", "Choose a program to restrict"},
};

// The entries, each a value of the key, changed through the list and the
// program box.
constexpr PageValue kValues[] = {
    {"List1", "Restricted Programs", HKCU, kDisallowRun, "", PageValue::kAllValues},
};

class ProgramsPage : public SettingPage {
 public:
  explicit ProgramsPage(Context& context) : SettingPage(context, kProgramsPage) {
    entries_.on_click = [this] { List1_Click(); };
    program_.on_change = [this] { Text1_Change(); };
    program_.on_key_down = [this](int key) { Text1_KeyDown(key); };
    OnClick("Image1", [this] { Image1_Click(); });
  }

  void AfterRows() override {
    for (int entry = 0; entry < kEntries; ++entry) entries_.AddItem(std::to_string(entry));
  }

 private:
  // The selected entry's number as text; empty with none selected.
  std::string Entry() { return entries_.text(); }

  // Shows the entry's program, which the box's Change writes back under
  // it. A value the box cannot show whole (another type, text after a NUL)
  // is shown as far as it reads, without that write-back, so that merely
  // looking at an entry never replaces what another tool stored there.
  void List1_Click() {
    const std::string entry = Entry();
    if (entry.empty()) return;
    const StoredValue stored = registry().Read(HKCU, kDisallowRun, entry);
    const bool whole = !stored.present || ReadsWhole(stored, ValueType::kSz);
    ShowProgram(TextOf(stored, ValueType::kSz), !whole);
  }

  void ShowProgram(const std::string& program, bool only) {
    showing_only_ = only;
    program_.SetText(program);
    showing_only_ = false;
  }

  // Refused, the box shows again the program the entry holds.
  void Text1_Change() {
    const std::string entry = Entry();
    if (showing_only_ || entry.empty()) return;
    if (!Wrote(registry().SaveStringValue(HKCU, kDisallowRun, entry, program_.text()),
               std::string(kValues[0].caption) + " " + entry)) {
      ShowProgram(registry().GetStringValue(HKCU, kDisallowRun, entry), true);
    }
  }

  void Text1_KeyDown(int key) {
    if (key == kDeleteKey) program_.SetText("");
  }

  // A program is stored under an entry, so one must be chosen first: a
  // name picked without one would show as if stored and then be lost.
  void Image1_Click() {
    if (Entry().empty()) {
      context().messages.Show(context().Owner(), "Please choose an item.", kTitle, mb::kIconError);
      return;
    }
    const std::string path = context().dialogs.ShowOpenFileDialog(
        context().Owner(), "Application (*.exe)|*.exe",
        "Choose a program to restrict - Kelmor Deskwarden", "");
    if (!path.empty()) program_.SetText(FileNameOfPath(path));
  }

  bool showing_only_ = false;

  forms::ListControl& entries_ = Use<forms::ListControl>("List1");
  forms::TextBox& program_ = Use<forms::TextBox>("Text1");
};

}  // namespace

const PageSpec kProgramsPage{
    .name = "frmPrograms",
    .caption = "Programs Restriction",
    .width = kWidth + kChromeWidth,
    .height = kListTop + kListHeight + 120 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .values = kValues,
};

std::unique_ptr<forms::FormController> MakeProgramsPage(Context& context) {
  return std::make_unique<ProgramsPage>(context);
}

}  // namespace kdw::pages

#include "shell/find_form.h"

#include <algorithm>

#include "base/text.h"

#include "pages/whats_this.h"
#include "registry/reg_file.h"
#include "shell/main_window.h"

namespace kdw::shell {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr int kVirtualReturn = 13;
constexpr int kVirtualEscape = 27;
constexpr int kVirtualUp = 38;
constexpr int kVirtualDown = 40;

constexpr int kWidth = 10800;  // outer
constexpr int kInner = kWidth - 240;
constexpr int kButtonWidth = 1095;
constexpr int kListTop = 795;
constexpr int kListHeight = 3000;
// Seven lines of the pane: three of explanation, when, the path and the
// gaps between them; a longer text scrolls.
constexpr int kPaneTop = kListTop + kListHeight + 90;
constexpr int kPaneHeight = 1650;
constexpr int kPathTop = kPaneTop + kPaneHeight + 75;
constexpr int kButtonsTop = kPathTop + 285 + 195;

constexpr ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "Find settings whose name, value or key contains:",
     {120, 120, kInner - 240, 240}},
    {"Text1", ControlKind::kTextBox, "", {120, 390, kInner - 240, 285}},
    {"List1", ControlKind::kListBox, "", {120, kListTop, kInner - 240, kListHeight}},
    // What the chosen setting does, when a change takes effect and where it
    // is kept: what "What's This?" tells on its page.
    {"Text3", ControlKind::kTextBox, "", {120, kPaneTop, kInner - 240, kPaneHeight}, "",
     forms::kMultiLine | forms::kReadOnly},
    // The chosen setting's whole path, to read or copy.
    {"Text2", ControlKind::kTextBox, "", {120, kPathTop, kInner - 240, 285}, "",
     forms::kReadOnly | forms::kFormBackground},
    {"Label2", ControlKind::kLabel, "", {120, kButtonsTop + 60, 5000, 240}},
    {"Command1", ControlKind::kCommandButton, "Go To",
     {kInner - 120 - 2 * kButtonWidth - 120, kButtonsTop, kButtonWidth, 360}},
    {"Command2", ControlKind::kCommandButton, "Close",
     {kInner - 120 - kButtonWidth, kButtonsTop, kButtonWidth, 360}},
};

const forms::FormSpec kFindForm = {"frmFind", "Find Setting", forms::FormStyle::kDialog, kWidth,
                                   kButtonsTop + 360 + 120 + 450, kControls};

// Where the list's columns start: the section, the caption, the path.
const std::vector<int> kColumns = {1800, 6300};

}  // namespace

std::string RegistryPath(const pages::IndexedSetting& setting) {
  return setting.shape == pages::IndexedSetting::kValue
             ? ValuePath(setting.hive, setting.key, setting.value)
             : KeyPath(setting.hive, setting.key);
}

std::string SectionNameOf(const pages::IndexedSetting& setting) {
  const Section* section = SectionOfPage(pages::ShownOn(*setting.page));
  return section ? section->name : "";
}

std::vector<std::size_t> MatchSettings(const std::vector<pages::IndexedSetting>& settings,
                                       const std::string& text) {
  const std::string wanted = FoldCase(text);
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < settings.size(); ++i) {
    const pages::IndexedSetting& setting = settings[i];
    for (const std::string& field :
         {setting.caption, setting.value, RegistryPath(setting)}) {
      if (FoldCase(field).find(wanted) != std::string::npos) {
        found.push_back(i);
        break;
      }
    }
  }
  return found;
}

FindForm::FindForm(Context& context, std::vector<pages::IndexedSetting> settings)
    : context_(context), form_(kFindForm), settings_(std::move(settings)) {
  forms::TextBox& text = form_.text("Text1");
  text.on_change = [this] { Filter(); };
  text.on_key_down = [this](int key) {
    if (key == kVirtualReturn) Choose();
    if (key == kVirtualEscape) Close();
    if (key == kVirtualDown) Move(1);
    if (key == kVirtualUp) Move(-1);
  };
  form_.list("List1").on_double_click = [this] { Choose(); };
  form_.list("List1").on_click = [this] { ShowSelected(); };
  form_.list("List1").SetTabStops(kColumns);
  form_.on_enter = [this] { Choose(); };
  form_.control("Command1").on_click = [this] { Choose(); };
  form_.control("Command2").on_click = [this] { Close(); };
}

void FindForm::Load() { Filter(); }

void FindForm::Filter() {
  shown_ = MatchSettings(settings_, form_.text("Text1").text());
  std::vector<std::string> lines;
  for (std::size_t index : shown_) {
    const pages::IndexedSetting& setting = settings_[index];
    lines.push_back(SectionNameOf(setting) + "\t" + setting.caption + "\t" + RegistryPath(setting));
  }
  forms::ListControl& list = form_.list("List1");
  list.SetItems(std::move(lines));
  // The first match is the one Enter takes.
  if (!shown_.empty()) list.SetListIndex(0);
  ShowSelected();
  const std::size_t count = shown_.size();
  form_.control("Label2").SetCaption(count == 0 ? std::string("No setting matches.")
                                                : Counted(count, "setting", "settings") + " found.");
  form_.control("Command1").SetEnabled(count != 0);
}

void FindForm::ShowSelected() {
  const int index = form_.list("List1").list_index();
  if (index < 0 || static_cast<std::size_t>(index) >= shown_.size()) {
    form_.text("Text2").SetText("");
    form_.text("Text3").SetText("");
    return;
  }
  const pages::IndexedSetting& setting = settings_[shown_[static_cast<std::size_t>(index)]];
  form_.text("Text2").SetText(RegistryPath(setting));
  form_.text("Text3").SetText(
      pages::WhatsThisText(setting.explanation, setting.effect, RegistryPath(setting)));
}

void FindForm::Move(int by) {
  forms::ListControl& list = form_.list("List1");
  if (list.count() == 0) return;
  list.SetListIndex(std::clamp(list.list_index() + by, 0, list.count() - 1));
}

void FindForm::Choose() {
  const int index = form_.list("List1").list_index();
  if (index < 0 || static_cast<std::size_t>(index) >= shown_.size()) return;
  chosen_ = &settings_[shown_[index]];
  Close();
}

void FindForm::Close() { context_.host.Destroy(form_); }

}  // namespace kdw::shell

#include "shell/import_form.h"

#include <string>

#include "base/text.h"

namespace kdw::shell {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr int kWidth = 10800;  // outer
constexpr int kInner = kWidth - 240;
constexpr int kListWidth = kInner - 240;
constexpr int kButtonWidth = 1095;
constexpr int kButtonsTop = 4830;
// Where the list's columns start: the section, the caption, now, the file.
constexpr int kCaptionAt = 1800;
constexpr int kNowAt = 5400;
constexpr int kFileAt = 7900;

constexpr ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "", {120, 120, kListWidth, 240}},
    {"Label3", ControlKind::kLabel, "Section", {150, 420, kCaptionAt - 60, 240}},
    {"Label4", ControlKind::kLabel, "Setting", {150 + kCaptionAt, 420, kNowAt - kCaptionAt - 60, 240}},
    {"Label5", ControlKind::kLabel, "Now", {150 + kNowAt, 420, kFileAt - kNowAt - 60, 240}},
    {"Label6", ControlKind::kLabel, "In the file", {150 + kFileAt, 420, kListWidth - kFileAt - 60, 240}},
    {"List1", ControlKind::kListBox, "", {120, 690, kListWidth, 3600}},
    {"Label2", ControlKind::kLabel, "", {120, 4380, kListWidth, 240}},
    {"Command1", ControlKind::kCommandButton, "OK",
     {kInner - 120 - 2 * kButtonWidth - 120, kButtonsTop, kButtonWidth, 360}},
    {"Command2", ControlKind::kCommandButton, "Cancel",
     {kInner - 120 - kButtonWidth, kButtonsTop, kButtonWidth, 360}},
};

const forms::FormSpec kImportForm = {"frmImport", "Import Settings", forms::FormStyle::kDialog,
                                     kWidth, kButtonsTop + 360 + 120 + 450, kControls};

}  // namespace

ImportForm::ImportForm(Context& context, std::vector<SettingChange> changes, std::size_t left_alone)
    : context_(context), form_(kImportForm), changes_(std::move(changes)), left_alone_(left_alone) {
  form_.list("List1").SetTabStops({kCaptionAt, kNowAt, kFileAt});
  form_.on_close_request = [this] { Close(false); };
  form_.on_enter = [this] { Close(true); };
  form_.control("Command1").on_click = [this] { Close(true); };
  form_.control("Command2").on_click = [this] { Close(false); };
}

void ImportForm::Load() {
  std::vector<std::string> lines;
  for (const SettingChange& change : changes_) {
    lines.push_back(change.section + "\t" + change.caption + "\t" + change.now + "\t" + change.in_file);
  }
  form_.list("List1").SetItems(std::move(lines));
  form_.control("Label1").SetCaption(
      changes_.empty() ? std::string("The file would change no setting: they hold what it says already.")
                       : std::string("The file would change ")
                             .append(Counted(changes_.size(), "setting:", "settings:")));
  form_.control("Label2").SetCaption(
      left_alone_ == 0
          ? std::string("Every entry of the file is a setting of Kelmor Deskwarden.")
          : Counted(left_alone_, "entry is", "entries are") +
                " not a setting of Kelmor Deskwarden and will be left alone.");
}

void ImportForm::Close(bool accepted) {
  accepted_ = accepted;
  context_.host.Destroy(form_);
}

}  // namespace kdw::shell

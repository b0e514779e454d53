#include "pages/office/office_dialog.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <utility>

#include "pages/layout.h"

namespace kdw::pages {

std::vector<forms::ControlSpec> DialogControls(DialogTitle title, std::span<const SettingRow> rows,
                                               std::span<const forms::ControlSpec> unbound) {
  using forms::ControlKind;
  std::vector<forms::ControlSpec> all = ControlsOf(
      PageSpec{.name = "", .caption = "", .width = 0, .height = 0, .rows = rows, .controls = unbound});
  constexpr int kTitleTop = 120 + kDialogButton / 2 - kLineHeight / 2;
  all.push_back({"Picture1", ControlKind::kImage, "", {kMargin, 120, kDialogButton, kDialogButton},
                 "", 0, "ADD13"});
  all.push_back({title.label, ControlKind::kLabel, title.text,
                 {kMargin + kDialogButton + 120, kTitleTop, 3000, kLineHeight}, "", forms::kBoldFont});
  all.push_back({"Image1", ControlKind::kCommandButton, "Close",
                 {kDialogWidth - kMargin - kDialogButton, 120, kDialogButton, kDialogButton}, "", 0,
                 "BTN_CANCEL", "Close"});
  // The Tab order goes down the dialog as it reads, line by line (by the
  // controls' middles), the close button last.
  auto order = [](const forms::ControlSpec& control) {
    const bool close = std::string_view(control.name) == "Image1";
    return std::tuple(close, control.rect.top + control.rect.height / 2, control.rect.left);
  };
  std::stable_sort(all.begin(), all.end(),
                   [&](const auto& a, const auto& b) { return order(a) < order(b); });
  return all;
}

PageSpec DialogSpec(const char* name, int height, std::span<const forms::ControlSpec> controls,
                    std::span<const SettingRow> rows, std::span<const BrowseButton> browse) {
  PageSpec dialog = BorderlessDialog(name, kDialogWidth, height, {}, controls);
  dialog.marked_rows = rows;
  dialog.browse = browse;
  dialog.key_mark = &kOfficeVersionMark;
  return dialog;
}

OfficeDialog::OfficeDialog(Context& context, const PageSpec& page, const std::string& version_text)
    : SettingPage(context, page, OfficeVersionNumber(version_text)) {}

void OfficeDialog::AfterRows() {
  ShowPosition();
}

void OfficeDialog::ShowsPosition(const char* slider, const char* label) {
  slider_ = &Use<forms::Slider>(slider);
  label_ = &Use(label);
  forms::Slider& bar = *slider_;
  // After the row's own write.
  bar.on_scroll = [this, write = std::move(bar.on_scroll)] {
    if (write) write();
    ShowPosition();
  };
}

void OfficeDialog::ShowPosition() {
  if (!slider_) return;
  label_->SetCaption(std::to_string(slider_->value()));
}

}  // namespace kdw::pages

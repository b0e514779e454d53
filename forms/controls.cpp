#include "forms/controls.h"

#include <algorithm>

namespace kdw::forms {

Control::Control(std::string name, ControlKind kind, std::string caption, Rect rect,
                 std::string container, unsigned flags)
    : name_(std::move(name)),
      kind_(kind),
      caption_(std::move(caption)),
      rect_(rect),
      container_(std::move(container)),
      flags_(flags),
      enabled_(!(flags & kDisabled)) {}

void Control::Changed() {
  if (view_) view_->ModelChanged(*this);
}

void Control::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void Control::SetPicture(const std::string& picture) {
  if (picture == picture_) return;
  picture_ = picture;
  Changed();
}

void Control::UserClick() {
  if (enabled_) Raise(on_click);
}

void CheckBox::SetValue(int value) {
  if (value == value_) return;
  value_ = value;
  Changed();
  Raise(on_click);
}

void CheckBox::UserClick() {
  if (!enabled()) return;
  SetValue(value_ == 1 ? 0 : 1);
}

void TextBox::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed();
  Raise(on_change);
}

void TextBox::UserEdit(const std::string& text) {
  if (!enabled() || (flags() & kReadOnly)) return;
  SetText(text);
}

void TextBox::PlaceCaret(std::size_t position) {
  caret_ = std::min(position, text_.size());
  ++caret_placements_;
  Changed();
}

void ListControl::AddItem(const std::string& item, int image) {
  items_.push_back(item);
  images_.push_back(image);
  checks_.push_back(false);
  Changed();
}

void ListControl::Clear() {
  items_.clear();
  images_.clear();
  checks_.clear();
  list_index_ = -1;
  Changed();
}

void ListControl::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  images_.assign(items_.size(), -1);
  checks_.assign(items_.size(), false);
  list_index_ = -1;
  Changed();
}

void ListControl::SetImageList(std::vector<std::string> pictures) {
  image_list_ = std::move(pictures);
  Changed();
}

int ListControl::image(int index) const {
  return index >= 0 && index < count() ? images_[index] : -1;
}

void ListControl::SetListIndex(int index) {
  if (index < -1 || index >= count() || index == list_index_) return;
  list_index_ = index;
  Changed();
  Raise(on_click);
}

void ListControl::UserSelect(int index) {
  if (!enabled() || index < 0 || index >= count()) return;
  if (index != list_index_) {
    list_index_ = index;
    Changed();
  }
  Raise(on_click);
}

std::string ListControl::text() const {
  return list_index_ >= 0 ? items_[list_index_] : std::string();
}

bool ListControl::checked(int index) const {
  return index >= 0 && index < count() && checks_[index];
}

void ListControl::SetChecked(int index, bool checked) {
  if (index < 0 || index >= count() || checks_[index] == checked) return;
  checks_[index] = checked;
  Changed();
  if (on_item_check) on_item_check(index);
}

void Slider::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  value_ = std::clamp(value_, min_, max_);
  Changed();
}

void Slider::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  Changed();
}

void Slider::SetSteps(int line, int page, int ticks) {
  line_step_ = std::max(1, line);
  page_step_ = std::max(1, page);
  ticks_ = std::max(0, ticks);
  Changed();
}
void Slider::UserScroll(int value) {
  if (!enabled()) return;
  value_ = std::clamp(value, min_, max_);
  Changed();
  Raise(on_scroll);
}

void TabStrip::AddTab(const std::string& caption) {
  tabs_.push_back(caption);
  Changed();
}

void TabStrip::Select(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size()) || index == selected_) return;
  selected_ = index;
  Changed();
  Raise(on_click);
}

Timer::Timer(std::string name, std::string container, int interval_ms)
    : Control(std::move(name), ControlKind::kTimer, "", {}, std::move(container), 0),
      interval_(interval_ms) {}

}  // namespace kdw::forms

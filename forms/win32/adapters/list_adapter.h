// What the list kinds share: the window is refilled only when the model's
// items differ from those it shows, then the current item is shown.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "forms/win32/control_adapter.h"

namespace kdw::forms::adapters {

// The texts a window shows now, to change it only as far as the model's
// differ: items added after those shown are appended, anything else refills.
class ShownTexts {
 public:
  static constexpr std::size_t kSame = static_cast<std::size_t>(-1);

  // The first item the window must show anew, and `now` remembered: kSame
  // when it shows `now` already, the number it shows when `now` only adds
  // items after them, otherwise 0 (empty it and fill it again).
  std::size_t FirstChanged(const std::vector<std::string>& now) {
    if (known_ && now == shown_) return kSame;
    const bool extends = known_ && now.size() > shown_.size() &&
                         std::equal(shown_.begin(), shown_.end(), now.begin());
    const std::size_t first = extends ? shown_.size() : 0;
    shown_ = now;
    known_ = true;
    return first;
  }
  // True, and remembered, when `now` differs from what is shown.
  bool Changed(const std::vector<std::string>& now) { return FirstChanged(now) != kSame; }
  // The next change shows the items whole, even the same ones.
  void Forget() { known_ = false; }

 private:
  std::vector<std::string> shown_;
  bool known_ = true;  // a new window shows no items
};

class ListAdapter : public TypedAdapter<ListControl> {
 public:
  using TypedAdapter::TypedAdapter;

 protected:
  void PushState() override {
    const std::size_t first = shown_.FirstChanged(model().items());
    if (first != ShownTexts::kSame) Fill(first);
    ShowIndex(model().list_index());
  }
  // Puts the model's items from `first` on into the window, emptied first
  // when `first` is 0. Filling a list one AddItem at a time thus costs one
  // message an item, not the whole list again each time.
  virtual void Fill(std::size_t first) = 0;
  virtual void ShowIndex(int index) = 0;

  ShownTexts shown_;
};

// Drop-down lists, plain and with pictures: CB_ messages serve both.
class ComboAdapter : public ListAdapter {
 public:
  using ListAdapter::ListAdapter;

  void Command(int code) override;

 protected:
  void CreateCombo(const char* window_class, const Placement& place);
  void ShowIndex(int index) override;
};

}  // namespace kdw::forms::adapters

// What the list kinds share: the window is refilled only when the model's
// items differ from those it shows, then the current item is shown.
#pragma once

#include <string>
#include <vector>

#include "forms/win32/control_adapter.h"

namespace kdw::forms::adapters {

// The texts a window shows now, to refill it only when the model's differ.
class ShownTexts {
 public:
  // True, and remembered, when `now` differs from what is shown.
  bool Changed(const std::vector<std::string>& now) {
    if (now == shown_) return false;
    shown_ = now;
    return true;
  }
  void Forget() { shown_.clear(); }

 private:
  std::vector<std::string> shown_;
};

class ListAdapter : public TypedAdapter<ListControl> {
 public:
  using TypedAdapter::TypedAdapter;

 protected:
  void PushState() override {
    if (shown_.Changed(model().items())) Fill();
    ShowIndex(model().list_index());
  }
  // Puts the model's items into the emptied window.
  virtual void Fill() = 0;
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

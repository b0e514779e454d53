// Check box: a three-state button whose 0/1/2 is the model's value. The
// button does not change its own mark; the model decides and is shown.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class CheckBoxAdapter final : public TypedAdapter<CheckBox> {
 public:
  using TypedAdapter::TypedAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf("BUTTON", BS_3STATE | WS_TABSTOP, 0, control().caption(), place);
  }

  void Command(int code) override {
    if (code == BN_CLICKED) ButtonClicked();
  }

 private:
  void PushState() override {
    static const WPARAM kStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    const int value = model().value();
    SendMessageA(hwnd(), BM_SETCHECK, kStates[value >= 0 && value <= 2 ? value : 1], 0);
    PushCaption();
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeCheckBox(ControlSite& site, Control& control, int id) {
  return std::make_unique<CheckBoxAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

// Slider: a trackbar. Setting its position in code is silent; each scroll
// message from the user is the model's Scroll.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class SliderAdapter final : public TypedAdapter<Slider> {
 public:
  using TypedAdapter::TypedAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf(TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, "", place);
  }

  void Scroll() override {
    model().UserScroll(static_cast<int>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0)));
  }

 private:
  void PushState() override {
    SendMessageA(hwnd(), TBM_SETRANGE, TRUE, MAKELPARAM(model().min(), model().max()));
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, model().value());
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeSlider(ControlSite& site, Control& control, int id) {
  return std::make_unique<SliderAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

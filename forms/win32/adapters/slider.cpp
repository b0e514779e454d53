// Slider: a trackbar. Setting its position in code is silent; each scroll
// message from the user is the model's Scroll.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class SliderAdapter final : public TypedAdapter<Slider> {
 public:
  using TypedAdapter::TypedAdapter;

  void Create(const Placement& place) override {
    const DWORD ticks = model().ticks() > 0 ? TBS_AUTOTICKS : TBS_NOTICKS;
    CreateWindowOf(TRACKBAR_CLASSA, TBS_HORZ | ticks | WS_TABSTOP, 0, "", place);
  }

  void Scroll() override {
    model().UserScroll(static_cast<int>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0)));
  }

 private:
  void PushState() override {
    SendMessageA(hwnd(), TBM_SETRANGE, TRUE, MAKELPARAM(model().min(), model().max()));
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, model().value());
    SendMessageA(hwnd(), TBM_SETLINESIZE, 0, model().line_step());
    if (model().page_step() > 0) SendMessageA(hwnd(), TBM_SETPAGESIZE, 0, model().page_step());
    if (model().ticks() > 0) SendMessageA(hwnd(), TBM_SETTICFREQ, model().ticks(), 0);
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeSlider(ControlSite& site, Control& control, int id) {
  return std::make_unique<SliderAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

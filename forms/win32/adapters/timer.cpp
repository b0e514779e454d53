// Timer: no window of its own; a Win32 timer on the form window under the
// control's id, running while the model is enabled.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class TimerAdapter final : public TypedAdapter<Timer> {
 public:
  using TypedAdapter::TypedAdapter;

  void Create(const Placement&) override {}

  void Push() override {
    const auto id = static_cast<UINT_PTR>(this->id());
    if (model().enabled() && model().interval() > 0) {
      SetTimer(site_.window(), id, static_cast<UINT>(model().interval()), nullptr);
    } else {
      KillTimer(site_.window(), id);
    }
  }

  bool Tick() override {
    model().Fire();
    return true;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeTimer(ControlSite& site, Control& control, int id) {
  return std::make_unique<TimerAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

// Label: static text that reports the mouse's click as the model's click.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class LabelAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf("STATIC", SS_LEFT | SS_NOTIFY, 0, control().caption(), place);
  }

  void Command(int code) override {
    if (code == STN_CLICKED) control().UserClick();
  }

 private:
  void PushState() override { PushCaption(); }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeLabel(ControlSite& site, Control& control, int id) {
  return std::make_unique<LabelAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

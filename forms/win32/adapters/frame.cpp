// Frame: a group box. Its inside is left for the form to paint (MDI children
// do not clip their controls), so the controls it holds show through.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class FrameAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf("BUTTON", BS_GROUPBOX | WS_GROUP, 0, control().caption(), place);
  }

 private:
  void PushState() override { PushCaption(); }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeFrame(ControlSite& site, Control& control, int id) {
  return std::make_unique<FrameAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

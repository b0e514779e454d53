// Image: a bitmap resource in a static window; it may serve as a button, so
// the mouse's click is the model's click.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class ImageAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf("STATIC", SS_BITMAP | SS_NOTIFY | SS_CENTERIMAGE, 0, "", place);
  }

  void Command(int code) override {
    if (code == STN_CLICKED) control().UserClick();
  }

 private:
  void PushState() override {
    SendMessageA(hwnd(), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(site_.Picture(control().picture())));
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeImage(ControlSite& site, Control& control, int id) {
  return std::make_unique<ImageAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

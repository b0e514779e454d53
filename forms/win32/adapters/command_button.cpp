// Command button: a push button with a caption or a picture; a click is the
// model's click.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class CommandButtonAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    DWORD style = BS_PUSHBUTTON | WS_TABSTOP;
    if (!control().picture().empty()) style |= BS_BITMAP;
    CreateWindowOf("BUTTON", style, 0, control().caption(), place);
  }

  void Command(int code) override {
    if (code == BN_CLICKED) ButtonClicked();
  }

 private:
  void PushState() override {
    PushCaption();
    if (HBITMAP picture = site_.Picture(control().picture()))
      SendMessageA(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeCommandButton(ControlSite& site, Control& control, int id) {
  return std::make_unique<CommandButtonAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

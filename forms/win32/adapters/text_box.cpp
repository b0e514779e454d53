// Text box: an edit window. Each change of its text is one Change of the
// model with the whole text; a box that listens for keys hears them before
// they are typed, Enter and Escape included; a box whose model has a
// shortcut menu handler has its form's menu in place of its own.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class TextBoxAdapter final : public TypedAdapter<TextBox> {
 public:
  using TypedAdapter::TypedAdapter;

  void Create(const Placement& place) override {
    const unsigned flags = control().flags();
    DWORD style = ES_AUTOHSCROLL | WS_TABSTOP;
    if (flags & kMultiLine) {
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
      style &= ~ES_AUTOHSCROLL;
    }
    if (flags & kPassword) style |= ES_PASSWORD;
    if (flags & kReadOnly) style |= ES_READONLY;
    const DWORD ex_style = (flags & (kBorderless | kFormBackground)) ? 0 : WS_EX_CLIENTEDGE;
    CreateWindowOf("EDIT", style, ex_style, model().text(), place);
    if (!hwnd()) return;
    if (flags & kPassword) SendMessageA(hwnd(), EM_SETPASSWORDCHAR, 'x', 0);
    SetWindowLongPtrA(hwnd(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyProc)));
  }

  void Command(int code) override {
    if (code == EN_CHANGE) model().UserEdit(WindowText(hwnd()));
  }

 private:
  void PushState() override {
    const std::string& text = model().text();
    if (WindowText(hwnd()) != text) SetWindowTextA(hwnd(), text.c_str());
    // Each placement once, after the text it counts in: pushing the model
    // again must not take the caret from where the user has put it since.
    if (model().caret_placements() != caret_placements_shown_) {
      caret_placements_shown_ = model().caret_placements();
      const auto caret = static_cast<WPARAM>(model().caret());
      SendMessageA(hwnd(), EM_SETSEL, caret, static_cast<LPARAM>(caret));
      SendMessageA(hwnd(), EM_SCROLLCARET, 0, 0);
    }
  }

  static LRESULT CALLBACK KeyProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  WNDPROC original_proc_ = nullptr;
  unsigned caret_placements_shown_ = 0;
};

LRESULT CALLBACK TextBoxAdapter::KeyProc(HWND hwnd, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  auto* self = reinterpret_cast<TextBoxAdapter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  const WNDPROC original = self->original_proc_;
  TextBox* box = self->site_.attached() ? &self->model() : nullptr;
  switch (message) {
    case WM_GETDLGCODE:
      // A box that listens for keys gets Enter and Escape itself.
      if (box && box->on_key_down && lparam) {
        const auto* msg = reinterpret_cast<const MSG*>(lparam);
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
          return DLGC_WANTMESSAGE | CallWindowProcA(original, hwnd, message, wparam, lparam);
      }
      break;
    case WM_KEYDOWN:
      if (box && box->on_key_down) {
        // The handler may close the form; nothing of it is touched afterwards.
        ControlSite& site = self->site_;
        try {
          box->UserKeyDown(static_cast<int>(wparam));
        } catch (...) {
          site.HandlerFailed(std::current_exception());
          return 0;
        }
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) return 0;
        if (!IsWindow(hwnd)) return 0;
      }
      break;
    case WM_CHAR:
      if (box && box->on_key_down && (wparam == '\r' || wparam == 27)) return 0;
      break;
    case WM_CONTEXTMENU:
      // A box whose form has a shortcut menu for it leaves the menu to the
      // form, whose menu holds the box's editing commands too.
      if (box && box->on_context_menu)
        return SendMessageA(GetParent(hwnd), message, reinterpret_cast<WPARAM>(hwnd), lparam);
      break;
    default:
      break;
  }
  return CallWindowProcA(original, hwnd, message, wparam, lparam);
}

}  // namespace

std::unique_ptr<ControlAdapter> MakeTextBox(ControlSite& site, Control& control, int id) {
  return std::make_unique<TextBoxAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters

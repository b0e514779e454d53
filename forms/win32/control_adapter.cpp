#include "forms/win32/control_adapter.h"

#include "platform/design_name.h"

namespace kdw::forms {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

void ControlAdapter::CreateWindowOf(const char* window_class, DWORD style, DWORD ex_style,
                                    const std::string& text, const Placement& place) {
  hwnd_ = CreateWindowExA(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                          place.x, place.y, place.width, place.height, site_.window(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), site_.instance(),
                          nullptr);
  if (!hwnd_) return;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(site_.Font(control_.flags())), FALSE);
  SetDesignName(hwnd_, control_.name());
}

void ControlAdapter::Push() {
  if (!hwnd_) return;
  if (!IsWindowEnabled(hwnd_) != !control_.enabled()) EnableWindow(hwnd_, control_.enabled());
  // The window's own flag: IsWindowVisible is false for every control of a
  // form not shown yet, which would leave one hidden in code showing.
  const bool shown = site_.Shown(control_);
  const bool visible_flag = GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE;
  if (visible_flag != shown) ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE);
  PushState();
}

void ControlAdapter::PushCaption() {
  if (WindowText(hwnd_) != control_.caption()) SetWindowTextA(hwnd_, control_.caption().c_str());
}

void ControlAdapter::ButtonClicked() {
  control_.UserClick();
  if (site_.attached()) site_.Refresh(*this);
}

}  // namespace kdw::forms

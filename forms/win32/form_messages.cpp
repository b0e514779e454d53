// What a form window does with each message: the table in Handle names the
// member that serves it; everything else, and whatever a member leaves, goes
// to the system's handling for the kind of window.
#include "forms/win32/form_window.h"

#include <windowsx.h>

namespace kdw::forms {
namespace {

bool IsMdiChild(HWND hwnd) { return GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD; }

}  // namespace

using FormWindow = Win32Host::FormWindow;

LRESULT FormWindow::Handle(const Message& message) {
  static constexpr Route kRoutes[] = {
      {WM_COMMAND, &FormWindow::OnCommand},
      {WM_NOTIFY, &FormWindow::OnNotify},
      {WM_HSCROLL, &FormWindow::OnScroll},
      {WM_TIMER, &FormWindow::OnTimer},
      {WM_CTLCOLORSTATIC, &FormWindow::OnStaticColour},
      {WM_LBUTTONDOWN, &FormWindow::OnMouseDown},
      {WM_RBUTTONDOWN, &FormWindow::OnMouseDown},
      {WM_CONTEXTMENU, &FormWindow::OnContextMenu},
      {WM_SIZE, &FormWindow::OnSize},
      {WM_PAINT, &FormWindow::OnPaint},
      {WM_ACTIVATE, &FormWindow::OnActivate},
      {WM_MDIACTIVATE, &FormWindow::OnMdiActivate},
      {WM_SETFOCUS, &FormWindow::OnSetFocus},
      {WM_SETCURSOR, &FormWindow::OnSetCursor},
      {kShowFrame, &FormWindow::OnShowFrame},
      {WM_CLOSE, &FormWindow::OnClose},
      {WM_DESTROY, &FormWindow::OnDestroy},
  };
  for (const Route& route : kRoutes) {
    if (route.message == message.id) return (this->*route.handler)(message);
  }
  return Default(message);
}

LRESULT FormWindow::Default(const Message& m) {
  if (!form_) return DefWindowProcA(m.hwnd, m.id, m.wparam, m.lparam);
  switch (form_->style()) {
    case FormStyle::kMdiFrame:
      return DefFrameProcA(m.hwnd, mdi_client_, m.id, m.wparam, m.lparam);
    case FormStyle::kMdiChild:
      return DefMDIChildProcA(m.hwnd, m.id, m.wparam, m.lparam);
    default:
      return DefWindowProcA(m.hwnd, m.id, m.wparam, m.lparam);
  }
}

LRESULT FormWindow::OnCommand(const Message& m) {
  if (!form_) return Default(m);
  // lparam 0: a menu, a shortcut or a dialog key, not a control.
  const bool from_control = m.lparam != 0;
  if (!from_control && DialogKey(LOWORD(m.wparam))) return 0;
  if (from_control && GetParent(reinterpret_cast<HWND>(m.lparam)) != m.hwnd) return Default(m);
  Command(LOWORD(m.wparam), HIWORD(m.wparam));
  // The MDI frame's window menu activates children by these ids.
  if (!from_control && LOWORD(m.wparam) >= kFirstMdiChildId) return Default(m);
  return 0;
}

bool FormWindow::DialogKey(int id) {
  // Escape in a modal dialog closes it, as its close box would; Enter does
  // what the dialog's default would.
  if (form_->style() != FormStyle::kDialog && form_->style() != FormStyle::kBorderless)
    return false;
  if (id == IDCANCEL) {
    CloseRequested();
    return true;
  }
  if (id == IDOK && form_->on_enter) {
    form_->on_enter();
    return true;
  }
  return false;
}

void FormWindow::Command(int id, int code) {
  if (menus_.Click(static_cast<UINT>(id))) return;
  if (pushing_) return;
  if (ControlAdapter* adapter = AdapterAt(static_cast<UINT_PTR>(id))) adapter->Command(code);
}

LRESULT FormWindow::OnNotify(const Message& m) {
  if (form_ && !pushing_) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.lparam);
    if (ControlAdapter* adapter = AdapterAt(header->idFrom)) adapter->Notify(*header);
  }
  return Default(m);
}

LRESULT FormWindow::OnScroll(const Message& m) {
  if (form_ && !pushing_) {
    if (ControlAdapter* adapter = AdapterOf(reinterpret_cast<HWND>(m.lparam))) adapter->Scroll();
  }
  return Default(m);
}

LRESULT FormWindow::OnTimer(const Message& m) {
  if (form_) {
    ControlAdapter* adapter = AdapterAt(m.wparam);
    if (adapter && adapter->Tick()) return 0;
  }
  return Default(m);
}

LRESULT FormWindow::OnStaticColour(const Message& m) {
  ControlAdapter* adapter = form_ ? AdapterOf(reinterpret_cast<HWND>(m.lparam)) : nullptr;
  if (!adapter || !(adapter->control().flags() & kFormBackground)) return Default(m);
  SetBkColor(reinterpret_cast<HDC>(m.wparam), GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(background_);
}

LRESULT FormWindow::OnMouseDown(const Message& m) {
  if (!form_ || !form_->on_mouse_down) return Default(m);
  form_->on_mouse_down(m.id == WM_LBUTTONDOWN ? 1 : 2);
  return 0;
}

// Sent up from the control the user asked over (right click, Shift+F10,
// the menu key), or from the form itself over a disabled control.
LRESULT FormWindow::OnContextMenu(const Message& m) {
  if (!form_) return Default(m);
  const POINT point = {GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
  const bool keyboard = point.x == -1 && point.y == -1;
  HWND from = reinterpret_cast<HWND>(m.wparam);
  ControlAdapter* adapter = nullptr;
  if (from != m.hwnd) {
    adapter = AdapterAround(from);
  } else if (!keyboard) {
    adapter = AdapterUnder(point);
  }
  if (!adapter || !adapter->control().on_context_menu) return Default(m);
  AskForMenu(*adapter, keyboard ? nullptr : &point);
  return 0;
}

bool FormWindow::KeyboardContextMenu(HWND focus) {
  ControlAdapter* adapter = form_ ? AdapterAround(focus) : nullptr;
  if (!adapter || !adapter->control().on_context_menu) return false;
  try {
    AskForMenu(*adapter, nullptr);
  } catch (...) {
    HandlerFailed(std::current_exception());
  }
  return true;
}

void FormWindow::AskForMenu(ControlAdapter& adapter, const POINT* point) {
  Win32Host::MenuAnchor anchor{adapter.hwnd()};
  GetWindowRect(adapter.hwnd(), &anchor.beside);
  const int item = adapter.ContextItem(point, &anchor.beside);
  if (point) {
    // Below the pointer's tip, where the user looks.
    anchor.at = *point;
    anchor.beside = {point->x, point->y, point->x + 1, point->y + GetSystemMetrics(SM_CYCURSOR) / 2};
  } else {
    anchor.at = {anchor.beside.left, anchor.beside.bottom};
  }
  host_.anchor_ = anchor;
  adapter.control().UserContextMenu(item);
}

LRESULT FormWindow::OnSize(const Message& m) {
  if (!form_ || m.hwnd != hwnd_) return Default(m);
  RECT outer;
  GetWindowRect(m.hwnd, &outer);
  const WindowState state = m.wparam == SIZE_MINIMIZED   ? WindowState::kMinimized
                            : m.wparam == SIZE_MAXIMIZED ? WindowState::kMaximized
                                                         : WindowState::kNormal;
  form_->WindowResized(PixelsToTwips(outer.right - outer.left),
                       PixelsToTwips(outer.bottom - outer.top), state);
  // The child area keeps its declared place; DefFrameProc would stretch it
  // over the whole client area.
  if (form_ && form_->style() == FormStyle::kMdiFrame) return 0;
  return Default(m);
}

LRESULT FormWindow::OnPaint(const Message& m) {
  if (!form_ || m.hwnd != hwnd_) return Default(m);
  // Draws what has no window of its own.
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m.hwnd, &paint);
  for (auto& adapter : adapters_) adapter->Paint(dc);
  EndPaint(m.hwnd, &paint);
  return 0;
}

LRESULT FormWindow::OnActivate(const Message& m) {
  if (m.hwnd == hwnd_ && LOWORD(m.wparam) == WA_INACTIVE) RememberFocus();
  return Default(m);
}

LRESULT FormWindow::OnMdiActivate(const Message& m) {
  // Sent to the child being left (wparam) and the one being entered.
  if (m.hwnd == hwnd_ && reinterpret_cast<HWND>(m.wparam) == m.hwnd) RememberFocus();
  return Default(m);
}

LRESULT FormWindow::OnSetFocus(const Message& m) {
  if (!form_ || m.hwnd != hwnd_) return Default(m);
  // The frame gives the focus to its active page, as MDI does; with none,
  // to its own first control.
  const bool frame = form_->style() == FormStyle::kMdiFrame;
  if (frame && mdi_client_ && SendMessageA(mdi_client_, WM_MDIGETACTIVE, 0, 0)) return Default(m);
  PassFocusOn();
  return 0;
}

LRESULT FormWindow::OnSetCursor(const Message& m) {
  // Sent for the form and for each control the mouse comes over.
  if (form_ && m.hwnd == hwnd_ && !tooltips_made_) MakeTooltips();
  return Default(m);
}

LRESULT FormWindow::OnShowFrame(const Message& m) {
  if (m.hwnd == hwnd_) ShowWindow(m.hwnd, SW_SHOW);
  return 0;
}

LRESULT FormWindow::OnClose(const Message&) {
  CloseRequested();
  return 0;
}

LRESULT FormWindow::OnDestroy(const Message& m) {
  if (m.hwnd == hwnd_) Gone(m.hwnd);
  return Default(m);
}

void FormWindow::CloseRequested() {
  if (form_ && form_->on_close_request) {
    form_->on_close_request();
  } else if (form_ && form_->style() == FormStyle::kMdiFrame) {
    host_.Quit();
  } else if (form_) {
    host_.Destroy(*form_);
  }
}

void FormWindow::RememberFocus() {
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus)) last_focus_ = focus;
}

void FormWindow::PassFocusOn() {
  HWND target = last_focus_;
  if (!target || !IsChild(hwnd_, target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target) || (mdi_client_ && IsChild(mdi_client_, target))) {
    target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  }
  if (target && target != hwnd_) ::SetFocus(target);
}

void FormWindow::HandlerFailed(std::exception_ptr error) noexcept {
  host_.HandlerFailed(std::move(error), form_, hwnd_);
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self && message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    void* param = create->lpCreateParams;
    if (IsMdiChild(hwnd))
      param = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTA*>(param)->lParam);
    self = static_cast<FormWindow*>(param);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  // Without its object, or on its way out once its form let go of it, the
  // window gets the system's handling only.
  if (!self || self->hwnd_ != hwnd) {
    return IsMdiChild(hwnd) ? DefMDIChildProcA(hwnd, message, wparam, lparam)
                            : DefWindowProcA(hwnd, message, wparam, lparam);
  }
  // No exception leaves a window procedure (see handler_error.h).
  try {
    return self->Handle({hwnd, message, wparam, lparam});
  } catch (...) {
    self->HandlerFailed(std::current_exception());
    return 0;
  }
}

}  // namespace kdw::forms

#include "forms/win32/win32_host.h"

#include <commctrl.h>

#include <utility>

#include "forms/win32/context_menu.h"
#include "forms/win32/form_window.h"
#include "forms/win32/handler_error.h"
#include "forms/win32/help_popup.h"

namespace kdw::forms {

Win32Host::Win32Host(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  FormWindow::RegisterClasses(instance);
}

Win32Host::~Win32Host() {
  help_.reset();
  for (auto& [form, window] : windows_) window->Destroy();
}

Win32Host::FormWindow* Win32Host::Find(const Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

void Win32Host::Show(Form& form, Form* frame) {
  form.SetHost(this);
  // A form that is never shown needs no window: what it holds is read from
  // its model.
  if (form.style() == FormStyle::kHidden) return;
  if (Find(form)) return;
  auto window = std::make_unique<FormWindow>(*this, form);
  FormWindow* raw = window.get();
  windows_[&form] = std::move(window);
  HWND mdi_client = nullptr;
  if (frame) {
    if (FormWindow* frame_window = Find(*frame)) mdi_client = frame_window->mdi_client();
  }
  if (form.style() == FormStyle::kMdiChild && !mdi_client) return;
  raw->Create(nullptr, mdi_client);
  RethrowHandlerError();
}

void Win32Host::ShowModal(Form& form, Form& owner) {
  form.SetHost(this);
  if (Find(form)) return;
  HWND owner_window = reinterpret_cast<HWND>(WindowOf(owner));
  if (owner_window) owner_window = GetAncestor(owner_window, GA_ROOT);
  auto window = std::make_unique<FormWindow>(*this, form);
  FormWindow* raw = window.get();
  windows_[&form] = std::move(window);
  if (owner_window) EnableWindow(owner_window, FALSE);
  raw->Create(owner_window, nullptr);
  MSG msg;
  while (!raw->modal_done && !quitting_ && !HandlerErrorKept()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (owner_window) {
    EnableWindow(owner_window, TRUE);
    SetActiveWindow(owner_window);
  }
  RethrowHandlerError();
}

void Win32Host::Destroy(Form& form) {
  form.SetHost(nullptr);
  if (failures_) failures_->Forget(form);
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  // The window object may be in the middle of one of its own messages: it
  // is kept until the message loop is back at the top.
  std::unique_ptr<FormWindow> window = std::move(it->second);
  windows_.erase(it);
  window->Destroy();
  graveyard_.push_back(std::move(window));
}

void Win32Host::Resize(Form& form) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return;
  SetWindowPos(window->hwnd(), nullptr, 0, 0, TwipsToPixels(form.width()),
               TwipsToPixels(form.height()), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Host::ApplyWindowState(Form& form) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return;
  HWND hwnd = window->hwnd();
  // An MDI child is maximized and restored by its MDI client, which also
  // puts its caption buttons into the frame's menu bar.
  HWND mdi_client = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) ? GetParent(hwnd) : nullptr;
  switch (form.window_state()) {
    case WindowState::kMaximized:
      if (IsZoomed(hwnd)) break;
      if (mdi_client) {
        SendMessageA(mdi_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hwnd), 0);
      } else {
        ShowWindow(hwnd, SW_MAXIMIZE);
      }
      break;
    case WindowState::kMinimized:
      if (!IsIconic(hwnd)) ShowWindow(hwnd, SW_MINIMIZE);
      break;
    case WindowState::kNormal:
      if (!IsZoomed(hwnd) && !IsIconic(hwnd)) break;
      if (mdi_client) {
        SendMessageA(mdi_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hwnd), 0);
      } else {
        ShowWindow(hwnd, SW_RESTORE);
      }
      break;
  }
}

void Win32Host::PopupMenu(Form& form, MenuItem& menu) {
  if (FormWindow* window = Find(form)) window->PopupMenu(menu);
}

Win32Host::MenuAnchor Win32Host::AnchorOf(HWND control) const {
  if (control && anchor_.control == control) return anchor_;
  MenuAnchor anchor{control};
  if (control) GetWindowRect(control, &anchor.beside);
  anchor.at = {anchor.beside.left, anchor.beside.bottom};
  return anchor;
}

int Win32Host::ContextMenu(Form& form, Control& control, const std::vector<std::string>& items) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return -1;
  HWND hwnd = window->ControlHandle(control);
  return TrackContextMenu(window->hwnd(), hwnd, AnchorOf(hwnd).at, items);
}

void Win32Host::ShowHelpPopup(Form& form, Control& control, const std::string& text) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return;
  HWND hwnd = window->ControlHandle(control);
  MenuAnchor anchor = AnchorOf(hwnd);
  if (!hwnd) GetWindowRect(window->hwnd(), &anchor.beside);
  if (!help_) help_ = std::make_unique<HelpPopup>(instance_);
  help_->Show(GetAncestor(window->hwnd(), GA_ROOT), anchor.beside, text);
}

void Win32Host::SetFocus(Form& form, Control& control) {
  if (FormWindow* window = Find(form)) {
    if (HWND hwnd = window->ControlHandle(control)) ::SetFocus(hwnd);
  }
}

void Win32Host::BeginDrag(Form& form) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return;
  ReleaseCapture();
  SendMessageA(window->hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

std::uintptr_t Win32Host::WindowOf(const Form& form) const {
  FormWindow* window = Find(form);
  return window ? reinterpret_cast<std::uintptr_t>(window->hwnd()) : 0;
}

void Win32Host::TellHandlerFailures(MessageBoxes& messages) {
  failures_ = std::make_unique<HandlerFailureReport>(messages);
}

void Win32Host::HandlerFailed(std::exception_ptr error, Form* form, HWND window) noexcept {
  if (!failures_) {
    KeepHandlerError(std::move(error));
    return;
  }
  // The message is modal to the whole window the form is in: for a page,
  // the main window.
  HWND owner = window ? GetAncestor(window, GA_ROOT) : GetActiveWindow();
  failures_->Tell(error, form, reinterpret_cast<WindowHandle>(owner));
}

void Win32Host::Quit() {
  if (quitting_) return;
  quitting_ = true;
  PostQuitMessage(0);
}

namespace {

// Ctrl+Z, X, C, V and A in a text box are the box's own editing keys, before
// any menu shortcut of its form.
bool IsEditingKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000)) return false;
  switch (msg.wParam) {
    case 'Z':
    case 'X':
    case 'C':
    case 'V':
    case 'A':
      break;
    default:
      return false;
  }
  return IsEditBox(msg.hwnd);
}

// Shift+F10 and the menu key ask for the shortcut menu of the control
// with the focus.
bool IsMenuKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.wParam == VK_APPS) return true;
  return msg.wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000) &&
         !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000);
}

}  // namespace

bool Win32Host::PreTranslate(MSG& msg) {
  // The form window the message is for.
  FormWindow* target = FormWindow::Containing(msg.hwnd);
  if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
    // Left to the window, the release of F10 would open the menu bar, and
    // that of the menu key a second shortcut menu.
    if (msg.wParam == std::exchange(menu_key_, 0)) return true;
  } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    menu_key_ = 0;
    // Asked for here, whatever the control's window makes of the keys.
    if (target && IsMenuKey(msg) && target->KeyboardContextMenu(msg.hwnd)) {
      menu_key_ = msg.wParam;
      return true;
    }
  }
  const bool editing = IsEditingKey(msg);
  for (auto& [form, window] : windows_) {
    if (editing) break;
    if (window->accelerators() && window->hwnd() && IsWindowEnabled(window->hwnd()) &&
        (msg.hwnd == window->hwnd() || IsChild(window->hwnd(), msg.hwnd))) {
      if (TranslateAcceleratorA(window->hwnd(), window->accelerators(), &msg)) return true;
    }
    if (window->mdi_client() && IsChild(window->mdi_client(), msg.hwnd) &&
        TranslateMDISysAccel(window->mdi_client(), &msg))
      return true;
  }
  if (target && target->hwnd() && IsDialogMessageA(target->hwnd(), &msg)) return true;
  return false;
}

void Win32Host::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (HandlerErrorKept()) break;
  }
  graveyard_.clear();
  RethrowHandlerError();
}

int Win32Host::Run() {
  MSG msg = {};
  while (!quitting_ || PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    graveyard_.clear();
    RethrowHandlerError();
  }
  graveyard_.clear();
  return static_cast<int>(msg.wParam);
}

}  // namespace kdw::forms

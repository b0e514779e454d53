// One form shown as a window: the MDI frame, an MDI child, or a pop-up. It
// keeps what is form-level (the window itself, the MDI client, menus and
// shortcuts, fonts and pictures, tooltips, painting, closing) and hands
// each control's messages to that control's adapter.
#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/win32/control_adapter.h"
#include "forms/win32/form_menus.h"
#include "forms/win32/win32_host.h"
#include "platform/win32_handles.h"

namespace kdw::forms {

class Win32Host::FormWindow final : public ControlSite {
 public:
  FormWindow(Win32Host& host, Form& form) : host_(host), form_(&form) {}
  ~FormWindow() { Detach(); }
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Registers the window classes of the three kinds of form window.
  static void RegisterClasses(HINSTANCE instance);
  // The form window that `window` is or lies in; null for none of ours.
  static FormWindow* Containing(HWND window);

  Form* form() const { return form_; }
  HWND hwnd() const { return hwnd_; }
  HWND mdi_client() const { return mdi_client_; }
  HACCEL accelerators() const { return menus_.accelerators(); }

  void Create(HWND owner, HWND mdi_client);
  // Lets go of the models and destroys the window; the object itself stays
  // until the host's message loop is back at the top.
  void Destroy();
  void PopupMenu(const MenuItem& menu) const { menus_.Popup(menu, hwnd_); }
  // Shift+F10 or the menu key in `focus`: raises the shortcut menu event of
  // its control, if that control has a handler for it; whether it did.
  bool KeyboardContextMenu(HWND focus);
  HWND ControlHandle(const Control& control) const;
  bool modal_done = false;

  // ControlSite.
  HWND window() const override { return hwnd_; }
  HINSTANCE instance() const override { return host_.instance_; }
  HFONT Font(unsigned flags) override;
  HBITMAP Picture(const std::string& name) override;
  void Refresh(ControlAdapter& adapter) override;
  bool attached() const override { return form_ != nullptr; }
  bool Shown(const Control& control) const override;
  void HandlerFailed(std::exception_ptr error) noexcept override;

 private:
  // Where the messages go: a table from message to the member below that
  // serves it (form_messages.cpp). A handler that does not take a message
  // whole gives it to Default.
  struct Message {
    HWND hwnd;
    UINT id;
    WPARAM wparam;
    LPARAM lparam;
  };
  using Handler = LRESULT (FormWindow::*)(const Message&);
  struct Route {
    UINT message;
    Handler handler;
  };
  // Posted by an MDI frame to itself: it is shown when the message loop runs,
  // after its load has filled it, and so painted once, whole.
  static constexpr UINT kShowFrame = WM_APP + 0x4B;
  static constexpr UINT kFirstMdiChildId = 50000;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(const Message& message);
  LRESULT Default(const Message& message);
  LRESULT OnCommand(const Message& message);
  LRESULT OnNotify(const Message& message);
  LRESULT OnScroll(const Message& message);
  LRESULT OnTimer(const Message& message);
  LRESULT OnStaticColour(const Message& message);
  LRESULT OnMouseDown(const Message& message);
  LRESULT OnContextMenu(const Message& message);
  LRESULT OnSize(const Message& message);
  LRESULT OnPaint(const Message& message);
  LRESULT OnActivate(const Message& message);
  LRESULT OnMdiActivate(const Message& message);
  LRESULT OnSetFocus(const Message& message);
  LRESULT OnSetCursor(const Message& message);
  LRESULT OnShowFrame(const Message& message);
  LRESULT OnClose(const Message& message);
  LRESULT OnDestroy(const Message& message);

  void Detach();
  void CreateFrame();
  void CreateChild(HWND mdi_client);
  void CreatePopup(HWND owner);
  void CreateControls();
  void CreateMdiClient();
  Placement PlaceOf(const Control& control) const;
  // The tooltips are made when the mouse first comes over the form: until
  // then nobody can see one.
  void MakeTooltips();
  void AddTooltip(HWND control, const std::string& text);
  // Escape or Enter in a modal dialog; whether it was one.
  bool DialogKey(int id);
  void Command(int id, int code);
  ControlAdapter* AdapterAt(UINT_PTR id) const;
  ControlAdapter* AdapterOf(HWND window) const;
  // The adapter whose window is or holds `window` (a combo box's list).
  ControlAdapter* AdapterAround(HWND window) const;
  // The control shown under a point (screen) that has a shortcut menu of
  // its own, disabled ones included: the form gets their clicks.
  ControlAdapter* AdapterUnder(POINT point) const;
  // Raises the control's shortcut menu event, asked over `point` or, with
  // none, from the keyboard.
  void AskForMenu(ControlAdapter& adapter, const POINT* point);
  void CloseRequested();
  // Where the keyboard was when the form was left, to come back to it.
  void RememberFocus();
  // The form window itself got the focus: hands it on to the control that
  // had it last, or to the first one that takes it, as a dialog does.
  void PassFocusOn();
  void Gone(HWND hwnd);

  Win32Host& host_;
  Form* form_;
  HWND hwnd_ = nullptr;
  HWND mdi_client_ = nullptr;
  HWND tooltip_ = nullptr;
  bool tooltips_made_ = false;
  HWND last_focus_ = nullptr;
  FormMenus menus_;
  std::map<unsigned, UniqueFont> fonts_;
  std::map<std::string, UniqueBitmap> pictures_;
  // Declared after what they draw with, so they go first.
  std::vector<std::unique_ptr<ControlAdapter>> adapters_;
  HBRUSH background_ = GetSysColorBrush(COLOR_BTNFACE);
  // Up while the models' state is pushed to the windows: what the windows
  // report meanwhile is the push's echo, not the user.
  bool pushing_ = false;
};

}  // namespace kdw::forms

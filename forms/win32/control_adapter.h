// The link between one control model and its window: one adapter per control
// kind, each in its own file under forms/win32/adapters/. An adapter makes the
// window, shows the model's state on it, and turns the window's notifications
// into the model's user actions. The form window does the rest (form-level
// messages, the event guard, menus) and talks to adapters only through this.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

#include "forms/controls.h"

namespace kdw::forms {

class ControlAdapter;

// What an adapter may ask of the form window it sits on.
class ControlSite {
 public:
  virtual HWND window() const = 0;
  virtual HINSTANCE instance() const = 0;
  // The form's font for the control's font flags; the form owns it.
  virtual HFONT Font(unsigned flags) = 0;
  // A bitmap resource by name, loaded once per form; null for none.
  virtual HBITMAP Picture(const std::string& name) = 0;
  // Shows the adapter's model on its window again, with the event guard up.
  virtual void Refresh(ControlAdapter& adapter) = 0;
  // False once the form has let go of its models (it is being destroyed).
  virtual bool attached() const = 0;
  // Whether the control shows: it and every container it lies in are
  // visible, as a hidden frame or picture box hides what it holds.
  virtual bool Shown(const Control& control) const = 0;
  // What a handler threw while the adapter's window served the user: told
  // to the user or kept for the host's caller, as the host is set up.
  virtual void HandlerFailed(std::exception_ptr error) noexcept = 0;

 protected:
  ~ControlSite() = default;
};

// Where a control goes on the form window, in pixels.
struct Placement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class ControlAdapter : public ControlView {
 public:
  ControlAdapter(ControlSite& site, Control& control, int id)
      : site_(site), control_(control), id_(id) {}
  ControlAdapter(const ControlAdapter&) = delete;
  ControlAdapter& operator=(const ControlAdapter&) = delete;

  // Makes the control's window, if it has one, and whatever it needs before
  // the form adds the control's tooltip.
  virtual void Create(const Placement& place) = 0;
  // Shows the model's state. The form holds its event guard meanwhile, so
  // what the window reports back is not taken for the user's doing.
  virtual void Push();
  // The window's WM_COMMAND notification code, WM_NOTIFY and WM_HSCROLL;
  // never called while the guard is up.
  virtual void Command(int /*code*/) {}
  virtual void Notify(const NMHDR& /*header*/) {}
  virtual void Scroll() {}
  // WM_TIMER with the control's id: true when it was the adapter's.
  virtual bool Tick() { return false; }
  // Draws on the form's own surface, for kinds that have no window.
  virtual void Paint(HDC /*dc*/) {}
  // The item a shortcut menu is asked for: the one under `point` (screen),
  // or with none, the one with the focus; -1 for none, and for kinds
  // without items. Where there is one, `area` becomes its place (screen).
  virtual int ContextItem(const POINT* /*point*/, RECT* /*area*/) { return -1; }

  Control& control() const { return control_; }
  HWND hwnd() const { return hwnd_; }
  int id() const { return id_; }

 protected:
  // Makes a child window of the form with the form's font and the control's
  // design name.
  void CreateWindowOf(const char* window_class, DWORD style, DWORD ex_style,
                      const std::string& text, const Placement& place);
  // The kind's own state, after the shared enabled flag and visibility.
  virtual void PushState() {}
  // Sets the window text to the caption when it differs.
  void PushCaption();
  // A button's click: the model's click, then the model's state shown again,
  // since the model may have refused it (disabled). The click's handler may
  // have closed the form; then nothing is shown.
  void ButtonClicked();

  ControlSite& site_;

 private:
  void ModelChanged(Control&) final { site_.Refresh(*this); }

  Control& control_;
  const int id_;
  HWND hwnd_ = nullptr;
};

// An adapter for one model type: its model comes typed.
template <typename Model>
class TypedAdapter : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

 protected:
  Model& model() const { return static_cast<Model&>(control()); }
};

// The window's text, whatever its length.
std::string WindowText(HWND window);

// The adapter for the control's kind.
std::unique_ptr<ControlAdapter> MakeAdapter(ControlSite& site, Control& control, int id);

}  // namespace kdw::forms

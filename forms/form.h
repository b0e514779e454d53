// A form is declared once: its controls with kind, caption, position in twips
// and container, and its menus. The model below and the windows the host
// makes both come from that declaration.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "forms/controls.h"

namespace kdw::forms {

enum class FormStyle {
  kMdiFrame,     // the main window
  kMdiChild,     // a page inside the main window
  kDialog,       // a modal pop-up owned by another form, fixed border
  kBorderless,   // a modal pop-up without caption, dragged by its background
  kTopLevel,     // a modeless window of its own (the password prompt)
  kHidden,       // never shown (the picture holder)
};

enum class WindowState { kNormal, kMinimized, kMaximized };

struct ControlSpec {
  const char* name;
  ControlKind kind;
  const char* caption;
  Rect rect;
  const char* container = "";  // "" is the form itself
  unsigned flags = 0;
  const char* picture = "";
  const char* tooltip = "";
  int interval = 0;  // timers only
  // A setting of the whole machine: a limited account finds it disabled.
  bool machine_wide = false;

  constexpr ControlSpec MachineWide() const {
    ControlSpec control = *this;
    control.machine_wide = true;
    return control;
  }
};

// Menu shortcut: a function key (F1..F12) or Ctrl with a letter.
struct Shortcut {
  enum Kind { kNone, kFunction, kCtrl } kind = kNone;
  int key = 0;  // 1..12 for function keys, 'A'..'Z' with Ctrl
  std::string Text() const;
};
constexpr Shortcut kNoShortcut{};
constexpr Shortcut Fkey(int n) { return {Shortcut::kFunction, n}; }
constexpr Shortcut Ctrl(char letter) { return {Shortcut::kCtrl, letter}; }

struct MenuSpec {
  const char* name;
  const char* caption;  // "-" for a separator; "&" marks the access key
  const char* parent;   // "" for the menu bar
  Shortcut shortcut = kNoShortcut;
  bool visible = true;
};

struct FormSpec {
  const char* name;
  const char* caption;
  FormStyle style;
  int width;   // twips, the outer size
  int height;
  std::span<const ControlSpec> controls;
  std::span<const MenuSpec> menus = {};
  // MDI frames: where the child windows live, in twips of the client area.
  Rect child_area = {};
};

class MenuItem {
 public:
  MenuItem(const MenuSpec& decl, MenuItem* parent);
  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool separator() const { return caption_ == "-"; }
  bool visible() const { return visible_; }
  const Shortcut& shortcut() const { return shortcut_; }
  MenuItem* parent() const { return parent_; }
  const std::vector<MenuItem*>& children() const { return children_; }
  void AddChild(MenuItem* child) { children_.push_back(child); }

  std::function<void()> on_click;
  void UserClick() {
    if (on_click) on_click();
  }
  void AttachView(std::function<void(MenuItem&)> view) { view_ = std::move(view); }

 private:
  std::string name_;
  std::string caption_;
  Shortcut shortcut_;
  bool visible_;
  MenuItem* parent_;
  std::vector<MenuItem*> children_;
  std::function<void(MenuItem&)> view_;
};

class Form;

// What a form asks of the window system. The Win32 host shows real windows;
// tests use a recording fake.
class FormHost {
 public:
  virtual ~FormHost() = default;
  // Shows a form modeless: the MDI frame, a top-level window, or, with a
  // frame given, a child window of that frame.
  virtual void Show(Form& form, Form* frame) = 0;
  // Shows a form modal, owned by another; returns once it is unloaded.
  virtual void ShowModal(Form& form, Form& owner) = 0;
  // Destroys the form's windows.
  virtual void Destroy(Form& form) = 0;
  virtual void Resize(Form& form) = 0;
  // Gives the form's window the state its model asks for; a page is
  // maximized inside its frame. Hosts that show no windows ignore it.
  virtual void ApplyWindowState(Form& form) { (void)form; }
  virtual void PopupMenu(Form& form, MenuItem& menu) = 0;
  // A control's shortcut menu of these items ("&" marks an access key),
  // where the user asked for it; the index of the item chosen, -1 for none.
  // A text box's menu also offers the box's own editing commands (Undo,
  // Cut, Copy, Paste, Delete, Select All) below the items, and the host
  // carries them out as the box would.
  virtual int ContextMenu(Form& form, Control& control, const std::vector<std::string>& items) = 0;
  // Shows a text beside the control in a small pop-up of its own, as the
  // system's context help does, until the user presses a key or clicks
  // anywhere; it returns at once. The pop-up's window text is the text.
  virtual void ShowHelpPopup(Form& form, Control& control, const std::string& text) = 0;
  virtual void SetFocus(Form& form, Control& control) = 0;
  // Lets the user move the form by dragging, as if its caption were held:
  // called from a mouse-down on the form's background.
  virtual void BeginDrag(Form& form) = 0;
  // The form's window handle, 0 while it has none: the owner of message boxes.
  virtual std::uintptr_t WindowOf(const Form& form) const = 0;
  // Ends the program: every window goes, the message loop returns.
  virtual void Quit() = 0;
};

class Form {
 public:
  explicit Form(const FormSpec& decl);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  FormStyle style() const { return style_; }
  const Rect& child_area() const { return child_area_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Set by code; the host applies it to the window.
  void SetSize(int width, int height);
  // The window was resized by the user or the system.
  void WindowResized(int width, int height, WindowState state);
  void WindowResized(int width, int height, bool minimized) {
    WindowResized(width, height, minimized ? WindowState::kMinimized : WindowState::kNormal);
  }
  bool minimized() const { return window_state_ == WindowState::kMinimized; }
  WindowState window_state() const { return window_state_; }
  // Set by code, before the form is shown or while it is; the host applies it.
  void SetWindowState(WindowState state);

  Control& control(const std::string& name) const;
  Control* find(const std::string& name) const;
  CheckBox& check(const std::string& name) const { return As<CheckBox>(name); }
  TextBox& text(const std::string& name) const { return As<TextBox>(name); }
  ListControl& list(const std::string& name) const { return As<ListControl>(name); }
  Slider& slider(const std::string& name) const { return As<Slider>(name); }
  TabStrip& tabs(const std::string& name) const { return As<TabStrip>(name); }
  Timer& timer(const std::string& name) const { return As<Timer>(name); }
  // Controls in declaration order.
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  MenuItem& menu(const std::string& name) const;
  // Top-level menus in declaration order (their items hang below them).
  const std::vector<MenuItem*>& menu_bar() const { return menu_bar_; }
  const std::vector<std::unique_ptr<MenuItem>>& menu_items() const { return menu_items_; }

  // The form's host, set when the form is shown.
  FormHost* host() const { return host_; }
  void SetHost(FormHost* host) { host_ = host; }

  // Form-level events.
  std::function<void()> on_resize;
  std::function<void(int button)> on_mouse_down;
  // The user closed the window (its close box, Alt+F4).
  std::function<void()> on_close_request;
  // Enter in a dialog, where the control with the focus does not take it
  // itself: what a default button would do.
  std::function<void()> on_enter;
  // A handler of this form threw part-way and the user was told: the form
  // shows again what is stored, so that no control keeps a state that was
  // never written.
  std::function<void()> on_action_failed;

 private:
  template <typename T>
  T& As(const std::string& name) const {
    return dynamic_cast<T&>(control(name));
  }

  std::string name_;
  std::string caption_;
  FormStyle style_;
  int width_;
  int height_;
  Rect child_area_;
  WindowState window_state_ = WindowState::kNormal;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::string, Control*> by_name_;
  std::vector<std::unique_ptr<MenuItem>> menu_items_;
  std::vector<MenuItem*> menu_bar_;
  FormHost* host_ = nullptr;
};

// Twips to pixels at the standard 96 dots per inch, and back.
constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace kdw::forms

// Shows form models as real windows: the MDI frame and its children, modal
// owned pop-ups and modeless top-level windows. Model changes are pushed to
// the windows without raising a second event; window notifications become the
// models' user actions. Every control window carries its design name in the
// window property "Name" (a global atom), so another process can find it.
#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/handler_failure.h"

namespace kdw::forms {

class HelpPopup;

class Win32Host : public FormHost {
 public:
  // Pictures are bitmap resources of the executable, named by the models.
  explicit Win32Host(HINSTANCE instance);
  ~Win32Host() override;

  void Show(Form& form, Form* frame) override;
  void ShowModal(Form& form, Form& owner) override;
  void Destroy(Form& form) override;
  void Resize(Form& form) override;
  void ApplyWindowState(Form& form) override;
  void PopupMenu(Form& form, MenuItem& menu) override;
  int ContextMenu(Form& form, Control& control, const std::vector<std::string>& items) override;
  void ShowHelpPopup(Form& form, Control& control, const std::string& text) override;
  void SetFocus(Form& form, Control& control) override;
  void BeginDrag(Form& form) override;
  std::uintptr_t WindowOf(const Form& form) const override;
  void Quit() override;

  // From now on what an event handler throws is told to the user, once,
  // and the program goes on. Until then it reaches the host's caller: the
  // loop that dispatched the event throws it again.
  void TellHandlerFailures(MessageBoxes& messages);

  // Runs the message loop until Quit; returns the exit code.
  int Run();
  // Handles the messages waiting in the queue, as the loop would, and returns.
  void Pump();

  class FormWindow;

 private:
  // Where the user last asked for a control's shortcut menu: the menu
  // opens at `at`, and help it leads to shows beside `beside` (screen).
  struct MenuAnchor {
    HWND control = nullptr;
    POINT at = {};
    RECT beside = {};
  };
  // The anchor for a control, made from its window when the user did not
  // ask over it (code asked).
  MenuAnchor AnchorOf(HWND control) const;

  bool PreTranslate(MSG& msg);
  FormWindow* Find(const Form& form) const;
  // What a handler of `form` threw while `window` served the user.
  void HandlerFailed(std::exception_ptr error, Form* form, HWND window) noexcept;

  HINSTANCE instance_;
  std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
  std::vector<std::unique_ptr<FormWindow>> graveyard_;
  bool quitting_ = false;
  std::unique_ptr<HandlerFailureReport> failures_;
  MenuAnchor anchor_;
  std::unique_ptr<HelpPopup> help_;
  // The key whose press opened a shortcut menu: its release is the
  // menu's too, not the window's.
  WPARAM menu_key_ = 0;
  friend class FormWindow;
};

}  // namespace kdw::forms

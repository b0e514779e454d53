// Shows form models as real windows: the MDI frame and its children, modal
// owned pop-ups and modeless top-level windows. Model changes are pushed to
// the windows without raising a second event; window notifications become the
// models' user actions. Every control window carries its design name in the
// window property "Name" (a global atom), so another process can find it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"

namespace kdw::forms {

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
  void SetFocus(Form& form, Control& control) override;
  void BeginDrag(Form& form) override;
  std::uintptr_t WindowOf(const Form& form) const override;
  void Quit() override;

  // Runs the message loop until Quit; returns the exit code.
  int Run();
  // Handles the messages waiting in the queue, as the loop would, and returns.
  void Pump();

  class FormWindow;

 private:
  bool PreTranslate(MSG& msg);
  FormWindow* Find(const Form& form) const;

  HINSTANCE instance_;
  std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
  std::vector<std::unique_ptr<FormWindow>> graveyard_;
  bool quitting_ = false;
  friend class FormWindow;
};

}  // namespace kdw::forms

// The password lock: the prompt frmPass shown at start while a password is
// set, and the create / change dialogue of the main window's Settings item.
#pragma once

#include <functional>

#include "forms/form_controller.h"
#include "shell/general.h"

namespace kdw::shell {

inline constexpr char kPassValue[] = "Pass";

class PasswordPrompt : public forms::FormController {
 public:
  // open_main_window is called when the right password is typed.
  PasswordPrompt(Context& context, std::function<void()> open_main_window);
  forms::Form& form() override { return form_; }

  void Command1_Click();  // check
  void Command2_Click();  // give up
  void Text1_KeyDown(int key);

 private:
  Context& context_;
  std::function<void()> open_main_window_;
  forms::Form form_;
};

// menuOptions_Click of the main window.
void CreateOrChangePassword(Context& context, WindowHandle owner);

}  // namespace kdw::shell

// The program's start: Main settles the owner's name, the Windows version and
// the password, then shows one window. The Application keeps the shell's
// forms alive while the program runs.
#pragma once

#include <functional>
#include <memory>

#include "shell/main_window.h"
#include "shell/password.h"
#include "shell/general.h"

namespace kdw::shell {

// The start-up benchmark's breakdown: each step of start-up marks its end
// here. Nothing is recorded unless the program installed a recorder.
using StartupStepRecorder = void (*)(const char* step);
void SetStartupStepRecorder(StartupStepRecorder recorder);
void MarkStartupStep(const char* step);

class Application {
 public:
  explicit Application(Context& context) : context_(context) {}

  // Called once the main window exists, before it loads: the place where the
  // pages and the session commands are plugged in.
  std::function<void(MainWindow&)> on_main_window_created;

  // Returns false when the program is to end at once.
  bool Main();
  void ShowMainWindow();

  MainWindow* main_window() const { return main_.get(); }
  PasswordPrompt* password_prompt() const { return prompt_.get(); }

 private:
  Context& context_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<PasswordPrompt> prompt_;
};

}  // namespace kdw::shell

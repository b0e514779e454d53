#include "shell/startup.h"

#include "base/keys.h"
#include "shell/general.h"

namespace kdw::shell {
namespace {

StartupStepRecorder step_recorder = nullptr;

}  // namespace

void SetStartupStepRecorder(StartupStepRecorder recorder) { step_recorder = recorder; }

void MarkStartupStep(const char* step) {
  if (step_recorder) step_recorder(step);
}

bool Application::Main() {
  const Registry& registry = context_.registry;
  if (registry.GetStringValue(HKLM, kProductKey, "Owner").empty()) {
    // An empty answer is stored too, so the question comes again next time.
    const std::string owner =
        context_.input.Ask(0, "Enter this program's owner name.", kTitle, "");
    // Refused (a limited account), nothing is stored: the question comes
    // again at the next start, as after an empty answer.
    static_cast<void>(registry.SaveStringValue(HKLM, kProductKey, "Owner", owner));
  }
  MarkStartupStep("owner check");
  const std::string product = registry.GetStringValue(
      HKLM, keys::kWindowsNtVersion, "ProductName");
  MarkStartupStep("Windows check");
  if (product != "Microsoft Windows XP") {
    context_.messages.Show(0, "Sorry, this application is only for Microsoft Windows XP", kTitle,
                            mb::kIconStop | mb::kOk);
    context_.host.Quit();
    return false;
  }
  const bool locked = !registry.GetStringValue(HKLM, kProductKey, kPassValue).empty();
  MarkStartupStep("password check");
  if (locked) {
    prompt_ = std::make_unique<PasswordPrompt>(context_, [this] { ShowMainWindow(); });
    context_.host.Show(prompt_->form(), nullptr);
  } else {
    ShowMainWindow();
  }
  return true;
}

void Application::ShowMainWindow() {
  if (main_) return;
  main_ = std::make_unique<MainWindow>(context_);
  if (on_main_window_created) on_main_window_created(*main_);
  MarkStartupStep("frmMain model");
  // The frame must exist before its load shows the welcome form inside it.
  context_.host.Show(main_->form(), nullptr);
  MarkStartupStep("frmMain window and controls");
  main_->Load();
}

}  // namespace kdw::shell

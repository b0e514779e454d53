#include "shell/startup.h"

#include "core/keys.h"
#include "shell/general.h"

namespace kdw::shell {

bool Application::Main() {
  const Registry& registry = context_.registry;
  if (registry.GetStringValue(HKLM, kProductKey, "Owner").empty()) {
    // An empty answer is stored too, so the question comes again next time.
    const std::string owner =
        context_.input.Ask(0, "Enter this program's owner name.", kTitle, "");
    registry.SaveStringValue(HKLM, kProductKey, "Owner", owner);
  }
  const std::string product = registry.GetStringValue(
      HKLM, keys::kWindowsNtVersion, "ProductName");
  if (product != "Microsoft Windows XP") {
    context_.messages.Show(0, "Sorry, this application is only for Microsoft Windows XP", kTitle,
                            mb::kIconStop | mb::kOk);
    context_.host.Quit();
    return false;
  }
  if (!registry.GetStringValue(HKLM, kProductKey, kPassValue).empty()) {
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
  // The frame must exist before its load shows the welcome form inside it.
  context_.host.Show(main_->form(), nullptr);
  main_->Load();
}

}  // namespace kdw::shell

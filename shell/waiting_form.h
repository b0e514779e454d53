// frmWaiting: the changes still waiting for Windows, each with its section
// and when it takes effect, and the two ways to put them to work now.
#pragma once

#include <functional>
#include <vector>

#include "core/context.h"
#include "forms/form_controller.h"
#include "shell/waiting_changes.h"

namespace kdw::shell {

class WaitingForm : public forms::FormController {
 public:
  struct Actions {
    // Restarts Explorer ("Refresh Windows"); whether it did.
    std::function<bool()> refresh_windows;
    std::function<void()> log_off;
  };
  // `list` gives what waits now; it is asked again after a refresh.
  WaitingForm(Context& context, std::function<std::vector<WaitingChange>()> list, Actions actions);

  forms::Form& form() override { return form_; }
  void Load() override;

 private:
  void Command1_Click();

  Context& context_;
  forms::Form form_;
  std::function<std::vector<WaitingChange>()> list_;
  Actions actions_;
};

}  // namespace kdw::shell

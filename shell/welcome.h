// frmWelcome: names the program and shows the owner's name; changes nothing.
#pragma once

#include "forms/form_controller.h"
#include "registry/registry.h"

namespace kdw::shell {

class WelcomeForm : public forms::FormController {
 public:
  explicit WelcomeForm(const Registry& registry);
  forms::Form& form() override { return form_; }
  void Load() override;  // Form_Load

 private:
  const Registry& registry_;
  forms::Form form_;
};

}  // namespace kdw::shell

// The code behind one form: it owns the form model, binds the handlers of its
// controls and loads its state. The main window holds the page it shows as a
// FormController and knows nothing else of it.
#pragma once

#include "forms/form.h"

namespace kdw::forms {

class FormController {
 public:
  virtual ~FormController() = default;
  virtual Form& form() = 0;
  // Form_Load: runs once, before the form is shown.
  virtual void Load() {}
  // Form_Unload: runs once, before the form's windows go.
  virtual void Unload() {}
};

}  // namespace kdw::forms

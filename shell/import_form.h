// frmImport: the settings an import would change, what each holds now and
// what the file holds, and how many of the file's entries are left alone.
// OK accepts; the caller then carries the import out.
#pragma once

#include <cstddef>
#include <vector>

#include "core/context.h"
#include "forms/form_controller.h"
#include "shell/import.h"

namespace kdw::shell {

class ImportForm : public forms::FormController {
 public:
  ImportForm(Context& context, std::vector<SettingChange> changes, std::size_t left_alone);
  forms::Form& form() override { return form_; }
  void Load() override;

  // Whether the form was closed with OK.
  bool accepted() const { return accepted_; }

 private:
  void Close(bool accepted);

  Context& context_;
  forms::Form form_;
  std::vector<SettingChange> changes_;
  std::size_t left_alone_;
  bool accepted_ = false;
};

}  // namespace kdw::shell

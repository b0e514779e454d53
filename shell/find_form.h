// frmFind: finds a setting of any page by its caption, its value's name or
// its key, and takes the user to the control that changes it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/settings_index.h"

namespace kdw::shell {

// The setting's full place in the registry: "HKEY_CURRENT_USER\...\NoRun";
// a whole key or a key's every value is the key alone.
std::string RegistryPath(const pages::IndexedSetting& setting);

// The name of the section that shows the setting: its page's, or for a
// dialog's setting that of the page that opens the dialog. Empty for none.
std::string SectionNameOf(const pages::IndexedSetting& setting);

// The settings whose caption, value name or registry path holds `text`,
// whatever the case, in the order given; every one for the empty text.
std::vector<std::size_t> MatchSettings(const std::vector<pages::IndexedSetting>& settings,
                                       const std::string& text);

class FindForm : public forms::FormController {
 public:
  FindForm(Context& context, std::vector<pages::IndexedSetting> settings);
  forms::Form& form() override { return form_; }
  void Load() override;

  // The setting the user chose, once the form has closed; null when it
  // was closed without a choice.
  const pages::IndexedSetting* chosen() const { return chosen_; }

 private:
  void Filter();
  void ShowSelected();
  void Move(int by);
  void Choose();
  void Close();

  Context& context_;
  forms::Form form_;
  std::vector<pages::IndexedSetting> settings_;
  std::vector<std::size_t> shown_;
  const pages::IndexedSetting* chosen_ = nullptr;
};

}  // namespace kdw::shell

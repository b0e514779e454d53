// The Office versions the Office page and its three dialogs know, and the
// rows whose keys are named after the version chosen at run time.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <vector>

#include "core/keys.h"
#include "pages/setting_row.h"
#include "registry/registry.h"

namespace kdw::pages {

// Where the chosen version is kept: its display name, not its number.
inline constexpr const char* kOfficeChoiceKey = keys::kProduct;
inline constexpr char kOfficeChoiceValue[] = "Office";

// The display names, in list order.
inline constexpr const char* kOfficeVersions[] = {"Office XP", "Office 2003", "Office 2007"};

// "10.0", "11.0" or "12.0" for the display names above; empty for any other
// text, which names no Office at all.
std::string OfficeVersionNumber(const std::string& display_name);

// The version stored as the choice (its display name), or the empty text.
std::string StoredOfficeVersion(const Registry& registry);

// Stands in a row's key for the version number:
// Software\Microsoft\Office\<version>\Word\Options.
inline constexpr char kVersionMark[] = "<version>";

// The key with the mark replaced by the version number.
std::string WithVersion(const char* key, const std::string& number);

// Rows declared with kVersionMark in their keys, made real for one version
// number. The rows and their keys live as long as this object, which the
// page that binds them holds.
class VersionRows {
 public:
  // Copies of `templates` with the mark replaced by `number`; made once.
  std::span<const SettingRow> Make(std::span<const SettingRow> templates,
                                   const std::string& number);
  std::span<const SettingRow> rows() const { return rows_; }

 private:
  std::deque<std::string> keys_;
  std::vector<SettingRow> rows_;
};

}  // namespace kdw::pages

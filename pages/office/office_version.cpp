#include "pages/office/office_version.h"

namespace kdw::pages {

std::string OfficeVersionNumber(const std::string& display_name) {
  static constexpr const char* kNumbers[] = {"10.0", "11.0", "12.0"};
  for (std::size_t i = 0; i < std::size(kOfficeVersions); ++i) {
    if (display_name == kOfficeVersions[i]) return kNumbers[i];
  }
  return "";
}

std::string StoredOfficeVersion(const Registry& registry) {
  return registry.GetStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue);
}

std::string WithVersion(const char* key, const std::string& number) {
  std::string made = key;
  if (const auto mark = made.find(kVersionMark); mark != std::string::npos) {
    made.replace(mark, std::string_view(kVersionMark).size(), number);
  }
  return made;
}

std::span<const SettingRow> VersionRows::Make(std::span<const SettingRow> templates,
                                              const std::string& number) {
  rows_.clear();
  keys_.clear();
  for (const SettingRow& row : templates) {
    keys_.push_back(WithVersion(row.key, number));
    SettingRow made = row;
    made.key = keys_.back().c_str();
    rows_.push_back(made);
  }
  return rows_;
}

}  // namespace kdw::pages

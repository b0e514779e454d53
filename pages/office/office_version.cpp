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

std::string StoredOfficeVersionNumber(const Registry& registry) {
  return OfficeVersionNumber(StoredOfficeVersion(registry));
}

}  // namespace kdw::pages

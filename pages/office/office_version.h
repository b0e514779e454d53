// The Office versions the Office page and its three dialogs know, and the
// mark that stands in their keys for the version chosen at run time.
#pragma once

#include <string>

#include "base/keys.h"
#include "pages/key_mark.h"
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

// The number of the version stored as the choice; empty with none.
std::string StoredOfficeVersionNumber(const Registry& registry);
inline constexpr KeyMark kOfficeVersionMark{kVersionMark, &StoredOfficeVersionNumber};

// The key with the mark replaced by the version number.
inline std::string WithVersion(const char* key, const std::string& number) {
  return WithMark(key, kVersionMark, number);
}

}  // namespace kdw::pages

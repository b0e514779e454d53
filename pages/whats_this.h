// What "What's This?" tells of a setting, the same on its page and in the
// Find dialog: what the setting does, when a change takes effect, and where
// the registry keeps it.
#pragma once

#include <string>

#include "pages/setting_row.h"

namespace kdw::pages {

// The one item of a bound control's shortcut menu.
inline constexpr char kWhatsThis[] = "&What's This?";

// The explanation, when a change takes effect, and the place, as paragraphs.
std::string WhatsThisText(const std::string& explanation, Effect effect, const std::string& place);

// Where the registry keeps a row's setting: its value's full path
// ("HKEY_CURRENT_USER\...\NoRun"), or for a row that makes whole keys,
// each key's path, one a line.
std::string PlaceOf(const SettingRow& row);

// The whole text for a row.
inline std::string WhatsThisText(const SettingRow& row) {
  return WhatsThisText(row.explanation, row.effect, PlaceOf(row));
}

}  // namespace kdw::pages

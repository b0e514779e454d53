// Every setting as an administrator reads of it: where it lives, what it
// does and when a change takes effect. The same catalogue gives the
// command line's listing and the reference in the documentation.
#pragma once

#include <string>

#include "registry/registry.h"

namespace kdw::shell {

// A line a setting, tab-separated: section, caption, hive, key, value, type,
// when it takes effect, explanation. Keys under the Office version mark
// name the version stored, or keep the mark while none is.
std::string SettingsList(const Registry& registry);

// The reference as a Markdown document, section by section; the settings
// of one control that differ only in their entry (a drive letter, a custom
// place) are told once.
std::string SettingsReference(const Registry& registry);

}  // namespace kdw::shell

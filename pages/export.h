// The settings of every page as a file that regedit imports: each value as
// it is stored now, and each one that is not there as a deletion, so that
// importing the file gives back exactly this state.
#pragma once

#include <string>

#include "registry/registry.h"

namespace kdw::pages {

std::string ExportSettings(const Registry& registry);

}  // namespace kdw::pages

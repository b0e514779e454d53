// The settings of every page as a file that regedit imports: each value as
// it is stored now, and each one that is not there as a deletion, so that
// importing the file gives back exactly this state.
#pragma once

#include <string>

#include "registry/registry.h"

namespace kdw::pages {

// Secret settings (the automatic logon password) are left out unless asked
// for: then the file neither sets nor deletes them where it is imported.
enum class Secrets { kLeftOut, kIncluded };

std::string ExportSettings(const Registry& registry, Secrets secrets = Secrets::kLeftOut);

// Whether a secret setting is stored now, so that the export could carry it:
// only then is it worth asking whether to.
bool HasSecretToExport(const Registry& registry);

}  // namespace kdw::pages

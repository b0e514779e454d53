// The settings of every page as files that carry them to other machines:
// a .reg file that regedit imports, and the two policy files Group Policy
// applies. Each value goes in as it is stored now, and each one that is not
// there as a deletion, so that importing or applying them gives back
// exactly this state.
#pragma once

#include <string>
#include <vector>

#include "registry/policy_file.h"
#include "registry/reg_file.h"
#include "registry/registry.h"

namespace kdw::pages {

// Secret settings (the automatic logon password) are left out unless asked
// for: then the files neither set nor delete them where they are applied.
enum class Secrets { kLeftOut, kIncluded };

// What an export says of one key.
struct ExportedKey {
  enum Action {
    kValues,   // these values set, those not present deleted
    kRemoved,  // the key is not there: removed with all it holds
    kExactly,  // the key holds these values and no other
  };
  Hive hive;
  std::string key;
  Action action = kValues;
  std::vector<RegFileValue> values;
};

// Every bound key, in the order the catalogue first names it.
std::vector<ExportedKey> CollectSettings(const Registry& registry, Secrets secrets);

std::string ExportSettings(const Registry& registry, Secrets secrets = Secrets::kLeftOut);

// The machine's file (HKLM, and HKCR as HKLM's Software\Classes) and the
// user's (HKCU). Group Policy applies to nothing else: a setting of
// HKEY_USERS (the logon screen's, in .DEFAULT) is in neither.
struct PolicyFiles {
  PolicyFile machine;
  PolicyFile user;
};
PolicyFiles ExportPolicyFiles(const Registry& registry, Secrets secrets = Secrets::kLeftOut);

// Whether a secret setting is stored now, so that the export could carry it:
// only then is it worth asking whether to.
bool HasSecretToExport(const Registry& registry);

}  // namespace kdw::pages

#include "pages/export.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "base/text.h"
#include "pages/settings_index.h"
#include "registry/reg_file.h"

namespace kdw::pages {
namespace {

// The settings of one key, in the order they were first met.
struct KeyGroup {
  Hive hive;
  std::string key;
  bool whole = false;       // a key the pages make and remove whole
  bool all_values = false;  // every value it holds is bound
  std::vector<std::string> values;

  void AddValue(const std::string& name) {
    for (const std::string& known : values) {
      if (SameName(known, name)) return;
    }
    values.push_back(name);
  }
};

std::vector<KeyGroup> Group(const std::vector<IndexedSetting>& settings, Secrets secrets) {
  std::vector<KeyGroup> groups;
  for (const IndexedSetting& setting : settings) {
    if (setting.unresolved || (setting.secret && secrets == Secrets::kLeftOut)) continue;
    auto group = std::find_if(groups.begin(), groups.end(), [&](const KeyGroup& g) {
      return g.hive == setting.hive && SameName(g.key, setting.key);
    });
    if (group == groups.end()) group = groups.insert(groups.end(), KeyGroup{setting.hive, setting.key, false, false, {}});
    switch (setting.shape) {
      case IndexedSetting::kKey:
        group->whole = true;
        group->AddValue(setting.value);
        break;
      case IndexedSetting::kAllValues:
        group->all_values = true;
        break;
      case IndexedSetting::kValue:
        group->AddValue(setting.value);
        break;
    }
  }
  return groups;
}

RegFileValue ValueOf(const Registry& registry, const KeyGroup& group, const std::string& name) {
  StoredValue stored = registry.Read(group.hive, group.key, name);
  return {name, stored.present, stored.type, std::move(stored.data)};
}

// Whether `key` lies below `parent`.
// The machine file carries HKLM and HKCR (as HKLM's Software\Classes, which
// it is a view of); the user file HKCU. Other hives have no file.
PolicyFile* FileFor(PolicyFiles& files, Hive hive, std::string* key) {
  switch (hive) {
    case HKCR:
      *key = "Software\\Classes\\" + *key;
      return &files.machine;
    case HKLM:
      return &files.machine;
    case HKCU:
      return &files.user;
    default:
      return nullptr;
  }
}

}  // namespace

std::vector<ExportedKey> CollectSettings(const Registry& registry, Secrets secrets) {
  // Each key is opened once, however many of its values are bound.
  const Registry::KeepKeysOpen keep(registry);
  std::vector<ExportedKey> keys;
  for (KeyGroup& group : Group(IndexSettings(registry), secrets)) {
    const bool exists = registry.KeyExists(group.hive, group.key);
    if ((group.whole || group.all_values) && !exists) {
      keys.push_back({group.hive, group.key, ExportedKey::kRemoved, {}});
      continue;
    }
    ExportedKey key{group.hive, group.key, ExportedKey::kValues, {}};
    if (group.all_values) {
      // Made again with exactly the values it holds now: an entry the
      // importing machine has and this one has not goes with the key.
      key.action = ExportedKey::kExactly;
      for (const std::string& name : registry.ValueNames(group.hive, group.key))
        group.AddValue(name);
    }
    for (const std::string& name : group.values) {
      RegFileValue value = ValueOf(registry, group, name);
      // Nothing to delete in a key made afresh.
      if (group.all_values && !value.present) continue;
      key.values.push_back(std::move(value));
    }
    keys.push_back(std::move(key));
  }
  return keys;
}

std::string ExportSettings(const Registry& registry, Secrets secrets) {
  std::vector<RegFileKey> keys;
  for (ExportedKey& key : CollectSettings(registry, secrets)) {
    if (key.action != ExportedKey::kValues) keys.push_back({key.hive, key.key, true, {}});
    if (key.action != ExportedKey::kRemoved)
      keys.push_back({key.hive, key.key, false, std::move(key.values)});
  }
  return FormatRegFile(keys);
}

namespace {

// A key as its policy file names it.
struct Placed {
  PolicyFile* file;
  std::string path;
  ExportedKey key;
};

// A removal is one entry on the parent that names every removed subkey of
// it, where the first of them stands.
struct Removal {
  PolicyFile* file;
  std::string parent;
  std::vector<std::string> subkeys;
};

// The removals, and the one that stands at each placed key (by its index).
// A key below one removed goes with it: an entry of its own would make the
// removed parent again where the file is applied.
std::vector<Removal> GroupRemovals(const std::vector<Placed>& placed,
                                   std::vector<std::optional<std::size_t>>& removal_at) {
  auto removed_above = [&](const Placed& entry) {
    return std::any_of(placed.begin(), placed.end(), [&](const Placed& other) {
      return other.key.action == ExportedKey::kRemoved && other.file == entry.file &&
             IsBelow(entry.path, other.path);
    });
  };
  std::vector<Removal> removals;
  removal_at.assign(placed.size(), std::nullopt);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const Placed& entry = placed[i];
    const std::size_t cut = entry.path.find_last_of('\\');
    // A key right under the hive has no parent entry to carry its removal.
    if (entry.key.action != ExportedKey::kRemoved || cut == std::string::npos || removed_above(entry))
      continue;
    const std::string parent = entry.path.substr(0, cut);
    auto known = std::find_if(removals.begin(), removals.end(), [&](const Removal& r) {
      return r.file == entry.file && SameName(r.parent, parent);
    });
    if (known == removals.end()) {
      removal_at[i] = removals.size();
      known = removals.insert(removals.end(), Removal{entry.file, parent, {}});
    }
    known->subkeys.push_back(entry.path.substr(cut + 1));
  }
  return removals;
}

// One key's entries: its removal where one stands at it, else its values.
void WriteEntries(const Placed& entry, const Removal* removal) {
  switch (entry.key.action) {
    case ExportedKey::kRemoved:
      if (removal) entry.file->DeleteSubkeys(removal->parent, removal->subkeys);
      return;
    case ExportedKey::kExactly:
      entry.file->DeleteAllValues(entry.path);
      break;
    case ExportedKey::kValues:
      break;
  }
  for (const RegFileValue& value : entry.key.values) {
    if (value.present) {
      entry.file->SetValue(entry.path, value.name, value.type, value.data);
    } else {
      entry.file->DeleteValue(entry.path, value.name);
    }
  }
}

}  // namespace

PolicyFiles ExportPolicyFiles(const Registry& registry, Secrets secrets) {
  PolicyFiles files;
  std::vector<Placed> placed;
  for (ExportedKey& key : CollectSettings(registry, secrets)) {
    std::string path = key.key;
    if (PolicyFile* file = FileFor(files, key.hive, &path))
      placed.push_back({file, std::move(path), std::move(key)});
  }
  std::vector<std::optional<std::size_t>> removal_at;
  const std::vector<Removal> removals = GroupRemovals(placed, removal_at);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    WriteEntries(placed[i], removal_at[i] ? &removals[*removal_at[i]] : nullptr);
  }
  return files;
}

bool HasSecretToExport(const Registry& registry) {
  for (const IndexedSetting& setting : IndexSettings(registry)) {
    if (setting.secret && !setting.unresolved &&
        registry.Read(setting.hive, setting.key, setting.value).present) {
      return true;
    }
  }
  return false;
}

}  // namespace kdw::pages

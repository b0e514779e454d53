#include "pages/export.h"

#include <algorithm>
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

}  // namespace

std::string ExportSettings(const Registry& registry, Secrets secrets) {
  // Each key is opened once, however many of its values are bound.
  const Registry::KeepKeysOpen keep(registry);
  std::vector<RegFileKey> keys;
  for (KeyGroup& group : Group(IndexSettings(registry), secrets)) {
    const bool exists = registry.KeyExists(group.hive, group.key);
    if ((group.whole || group.all_values) && !exists) {
      keys.push_back({group.hive, group.key, true, {}});
      continue;
    }
    if (group.all_values) {
      // Made again with exactly the values it holds now: an entry the
      // importing machine has and this one has not goes with the key.
      keys.push_back({group.hive, group.key, true, {}});
      for (const std::string& name : registry.ValueNames(group.hive, group.key))
        group.AddValue(name);
    }
    RegFileKey key{group.hive, group.key, false, {}};
    for (const std::string& name : group.values) {
      RegFileValue value = ValueOf(registry, group, name);
      // Nothing to delete in a key made afresh.
      if (group.all_values && !value.present) continue;
      key.values.push_back(std::move(value));
    }
    keys.push_back(std::move(key));
  }
  return FormatRegFile(keys);
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

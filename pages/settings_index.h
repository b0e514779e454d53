// Every registry setting the pages bind, in one list: what walks all
// settings at once (search, export) reads it and knows no page. Rows come
// page by page in catalogue order, each page's rows in table order, then its
// rows under a key mark, then its entry picker's rows for each entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/catalogue.h"
#include "registry/registry.h"

namespace kdw::pages {

struct IndexedSetting {
  enum Shape {
    kValue,      // one value
    kKey,        // a key made and removed whole; `value` is its default, ""
    kAllValues,  // every value the key holds (a list of entries)
  };

  const PageEntry* page = nullptr;
  std::string control;  // the control the user changes it with
  int item = -1;        // its item, for a check-list row
  std::string caption;  // what search lists; the value's name where a row has none
  Hive hive = HKCU;
  std::string key;
  std::string value;
  Shape shape = kValue;
  // The key names the Office version and none is chosen: the setting names
  // no key yet, search shows it with the mark and export leaves it out.
  bool unresolved = false;
  // Its data stay out of exports unless asked for (the row is secret).
  bool secret = false;
  // What it does and when a change takes effect, as its row declares.
  std::string explanation;
  Effect effect = Effect::kUnknown;
  // The row that declares it (for an entry picker's, the row of the marked
  // keys it was made from).
  const SettingRow* row = nullptr;
  // The type of its data (a key's default value is text).
  ValueType type = ValueType::kSz;
};

// Rows under a key mark take what it stands for now (the Office version
// stored as the choice).
std::vector<IndexedSetting> IndexSettings(const Registry& registry);

// Whether the value `name` of `key` is (part of) the setting: its value, the
// default of its key, any value of its list. An unresolved one covers nothing.
bool Covers(const IndexedSetting& setting, Hive hive, const std::string& key,
            const std::string& name);

}  // namespace kdw::pages

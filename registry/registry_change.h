// What a .reg or policy file asks of the registry, read but not yet done:
// the readers give a list of these, and import decides which it carries out.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry_api.h"

namespace kdw {

struct RegistryChange {
  enum Kind {
    kSetValue,         // `name` set to `type` and `data`
    kCreateKey,        // the key made where it is missing
    kDeleteValue,      // `name` removed
    kDeleteKey,        // the key removed with all it holds
    kDeleteAllValues,  // every value of the key removed, the key kept
    kNotCarriedOut,    // a policy command this program does not carry out
  };
  Kind kind = kSetValue;
  Hive hive = HKCU;
  std::string key;   // within the hive, no leading backslash
  std::string name;  // "" is the key's default value
  ValueType type = ValueType::kNone;
  std::vector<std::uint8_t> data;  // as RegSetValueExA takes them

  // A change without data: a removal, or a key values are set in.
  static RegistryChange Of(Kind kind, Hive hive, std::string key, std::string name = {}) {
    RegistryChange change;
    change.kind = kind;
    change.hive = hive;
    change.key = std::move(key);
    change.name = std::move(name);
    return change;
  }
};

// A whole file read: its changes in file order, or, when any of it cannot
// be read, none and the reason naming the line or byte offset.
struct ReadChanges {
  std::vector<RegistryChange> changes;
  std::string error;
  bool ok() const { return error.empty(); }
};

}  // namespace kdw

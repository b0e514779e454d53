// The registry operations every part of the program reads and writes through.
// None of them reports failure: a read that fails gives the caller's default,
// a write or delete that fails does nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace kdw {

class Registry {
 public:
  explicit Registry(RegistryApi& api) : api_(api) {}

  std::string GetStringValue(std::uint32_t hive, const std::string& key, const std::string& name,
                             const std::string& fallback = "") const;
  void SaveStringValue(std::uint32_t hive, const std::string& key, const std::string& name,
                       const std::string& data) const;
  std::string GetExpandStringValue(std::uint32_t hive, const std::string& key,
                                   const std::string& name,
                                   const std::string& fallback = "") const;
  void SaveExpandStringValue(std::uint32_t hive, const std::string& key, const std::string& name,
                             const std::string& data) const;
  // Only the first string of the list.
  std::string GetMultiStringValue(std::uint32_t hive, const std::string& key,
                                  const std::string& name,
                                  const std::string& fallback = "") const;
  std::int32_t GetDwordValue(std::uint32_t hive, const std::string& key, const std::string& name,
                             std::int32_t fallback = 0) const;
  void SaveDwordValue(std::uint32_t hive, const std::string& key, const std::string& name,
                      std::int32_t data) const;
  // "Yes" when the value is missing (or its data is longer than four bytes),
  // "No" when it is there.
  std::string ValuePresence(std::uint32_t hive, const std::string& key,
                            const std::string& name) const;
  void DeleteValue(std::uint32_t hive, const std::string& key, const std::string& name) const;
  // Removes only a key without subkeys.
  void DeleteKey(std::uint32_t hive, const std::string& key) const;

  // Whether a text value of that type reads whole: false when it is missing,
  // of another type, or holds data after a NUL, which no text read shows and
  // so no text written back may keep. Not one of the operations a page
  // reads or writes through: the page engine asks it before writing back.
  bool ReadsWhole(std::uint32_t hive, const std::string& key, const std::string& name,
                  std::uint32_t type) const;

  // Whether the value is there at all, whatever its type and length (its
  // type in *type): no read can tell, each answers a missing value and one
  // of another shape alike. Also for the page engine only.
  bool IsStored(std::uint32_t hive, const std::string& key, const std::string& name,
                std::uint32_t* type = nullptr) const;

  // A value exactly as stored, for whatever copies or compares values
  // whole (export, undo): not for pages.
  struct Stored {
    bool present = false;
    std::uint32_t type = regtype::kNone;
    std::vector<std::uint8_t> data;
    bool operator==(const Stored&) const = default;
  };
  Stored ReadStored(std::uint32_t hive, const std::string& key, const std::string& name) const;
  bool KeyExists(std::uint32_t hive, const std::string& key) const;
  // The names of the key's values, in the registry's order.
  std::vector<std::string> ValueNames(std::uint32_t hive, const std::string& key) const;

  RegistryApi& api() const { return api_; }

 private:
  std::string ReadText(std::uint32_t hive, const std::string& key, const std::string& name,
                       const std::string& fallback, std::uint32_t accepted_type) const;
  void WriteText(std::uint32_t hive, const std::string& key, const std::string& name,
                 const std::string& data, std::uint32_t type) const;

  RegistryApi& api_;
};

// The value of an open key exactly as stored; not present when it is
// missing or cannot be read.
Registry::Stored ReadStoredValue(RegistryApi& api, RegKey key, const std::string& name);

}  // namespace kdw

// The registry operations every part of the program reads and writes
// through. Reads give the caller's default when the value cannot be read;
// writes and deletes report what they came to, so that a refused change
// reaches the page that asked for it. Each named operation is a thin form
// over one read primitive (Read) and one write primitive (Write).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "registry/registry_key.h"

namespace kdw {

// The answer of ValuePresence. Its rule is a four-byte query: kMissing ("Yes")
// for a value that is not there, in a key that is not there, or whose data
// is longer than four bytes; kThere ("No") otherwise.
enum class Presence { kMissing, kThere };

class Registry {
 public:
  explicit Registry(RegistryApi& api);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  std::string GetStringValue(Hive hive, const std::string& key, const std::string& name,
                             const std::string& fallback = "") const;
  RegStatus SaveStringValue(Hive hive, const std::string& key, const std::string& name,
                            const std::string& data) const;
  std::string GetExpandStringValue(Hive hive, const std::string& key, const std::string& name,
                                   const std::string& fallback = "") const;
  RegStatus SaveExpandStringValue(Hive hive, const std::string& key, const std::string& name,
                                  const std::string& data) const;
  // Only the first string of the list.
  std::string GetMultiStringValue(Hive hive, const std::string& key, const std::string& name,
                                  const std::string& fallback = "") const;
  std::int32_t GetDwordValue(Hive hive, const std::string& key, const std::string& name,
                             std::int32_t fallback = 0) const;
  RegStatus SaveDwordValue(Hive hive, const std::string& key, const std::string& name,
                           std::int32_t data) const;
  Presence ValuePresence(Hive hive, const std::string& key, const std::string& name) const;
  // A value that is not there (or whose key is not there) counts as removed.
  RegStatus DeleteValue(Hive hive, const std::string& key, const std::string& name) const;
  // Removes only a key without subkeys; a key that is not there counts as removed.
  RegStatus DeleteKey(Hive hive, const std::string& key) const;

  // The read primitive: a value exactly as stored.
  StoredValue Read(Hive hive, const std::string& key, const std::string& name) const;
  // The write primitive: the key made when missing, the data stored as given.
  RegStatus Write(Hive hive, const std::string& key, const std::string& name, ValueType type,
                  std::span<const std::uint8_t> data) const;

  bool KeyExists(Hive hive, const std::string& key) const;
  // The names of the key's values, in the registry's order.
  std::vector<std::string> ValueNames(Hive hive, const std::string& key) const;

  // While one lives, each distinct key is opened once and kept open, and
  // every operation goes through that handle: a page's load asks for one
  // open and one close per key, not per value. Scopes nest; the keys close
  // when the outermost ends.
  class KeepKeysOpen {
   public:
    explicit KeepKeysOpen(const Registry& registry);
    ~KeepKeysOpen();
    KeepKeysOpen(const KeepKeysOpen&) = delete;
    KeepKeysOpen& operator=(const KeepKeysOpen&) = delete;

   private:
    const Registry& registry_;
  };

  RegistryApi& api() const { return api_; }

 private:
  struct OpenKeys;
  // The key to read from: kept open in a scope, else opened for this call
  // (into *own, which closes it).
  const RegistryKey& ForRead(Hive hive, const std::string& key, RegistryKey* own) const;
  // The key to write to, made when missing.
  const RegistryKey& ForWrite(Hive hive, const std::string& key, RegistryKey* own) const;

  RegistryApi& api_;
  mutable std::unique_ptr<OpenKeys> open_;
  mutable int keep_open_ = 0;
};

// What the named reads make of a stored value.

// The text of a value of exactly that type, up to its first NUL; the fallback
// for a value that is missing or of another type.
std::string TextOf(const StoredValue& value, ValueType type, const std::string& fallback = "");
// The number of a REG_DWORD of at most four bytes; the fallback otherwise.
std::int32_t DwordOf(const StoredValue& value, std::int32_t fallback = 0);
Presence PresenceOf(const StoredValue& value);
// Whether a text value of that type reads whole: false when it is missing,
// of another type, or holds data after a NUL, which no text read shows and
// so no text written back may keep.
bool ReadsWhole(const StoredValue& value, ValueType type);

}  // namespace kdw

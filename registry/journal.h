// The journal of this run's changes: a registry that passes every call on
// to the real one and, the first time the program changes a value or
// creates or deletes a key, notes what was there before. Undo puts every
// noted value and key back as it was, newest first. The pages know nothing
// of it: it stands between the registry layer and the platform.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "registry/registry.h"
#include "registry/registry_api.h"

namespace kdw {

class RegistryJournal : public RegistryApi {
 public:
  explicit RegistryJournal(RegistryApi& inner) : inner_(inner) {}

  long OpenKey(RegKey parent, const std::string& path, RegKey* result) override;
  long CreateKey(RegKey parent, const std::string& path, RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, ValueType* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, ValueType type, const std::uint8_t* data,
                std::uint32_t size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long DeleteKey(RegKey parent, const std::string& path) override;
  long CloseKey(RegKey key) override;
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override;

  // What one noted thing was before the program first changed it. A key
  // entry has an empty `name` and stands for the key itself.
  struct Entry {
    Hive hive;
    std::string key;
    std::string name;
    bool is_key;
    StoredValue before;  // for a key: present or not
  };
  const std::vector<Entry>& entries() const { return entries_; }

  // The noted values and keys that differ now from what they were: the
  // same data written back is no change.
  int Changed() const;
  // Those entries, in the order first noted.
  std::vector<Entry> ChangedEntries() const;
  // What the noted value or key is now.
  StoredValue Current(const Entry& entry) const;
  // Told after each change that went through (not after Undo's).
  std::function<void()> on_change;

  struct UndoResult {
    int values = 0;  // values put back
    int keys = 0;    // keys made again or removed
    // Those that could not be put back, as "HKEY_...\path\name".
    std::vector<std::string> failed;
  };
  // Puts every changed value and key back, newest first. What is back as it
  // was stays noted: a later change is undone to the same first state.
  UndoResult Undo();

  // While held, every change is refused (ERROR_ACCESS_DENIED) and none
  // reaches the registry: for showing restored settings without the pages'
  // write-back of what they show.
  class Hold {
   public:
    explicit Hold(RegistryJournal& journal) : journal_(journal) { ++journal_.held_; }
    ~Hold() { --journal_.held_; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    RegistryJournal& journal_;
  };

 private:
  struct Location {
    Hive hive = HKCU;
    std::string path;
  };

  bool Locate(RegKey parent, const std::string& path, Location* out) const;
  void Track(RegKey handle, const Location& location);
  void NoteValue(const Location& key, const std::string& name);
  void NoteKey(const Location& key, bool existed);
  bool Exists(const Location& key) const;
  long Told(long rc);
  bool Restore(const Entry& entry);

  RegistryApi& inner_;
  std::map<RegKey, Location> handles_;
  std::vector<Entry> entries_;
  // Folded to lower case: "hive|key|name" for values, "hive|key" for keys.
  std::set<std::string> noted_;
  int held_ = 0;
};

}  // namespace kdw

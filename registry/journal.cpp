#include "registry/journal.h"

#include "base/text.h"
#include "registry/reg_file.h"

namespace kdw {
namespace {

bool IsHive(RegKey key) { return key >= HKCR && key <= HKU; }

// The path's parts joined by single backslashes: "a\\\\b\\" is "a\\b".
std::string Normal(const std::string& path) {
  std::string out;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path, start, end - start);
    }
    start = end + 1;
  }
  return out;
}

std::string NoteId(std::uint32_t hive, const std::string& key, const std::string* name) {
  std::string id = std::to_string(hive) + "|" + key;
  if (name) id += "|" + *name;
  return FoldCase(id);
}

}  // namespace

bool RegistryJournal::Locate(RegKey parent, const std::string& path, Location* out) const {
  if (IsHive(parent)) {
    *out = {static_cast<Hive>(parent), Normal(path)};
    return true;
  }
  auto it = handles_.find(parent);
  if (it == handles_.end()) return false;
  *out = {it->second.hive, Normal(it->second.path + "\\" + path)};
  return true;
}

void RegistryJournal::Track(RegKey handle, const Location& location) {
  if (handle) handles_[handle] = location;
}

bool RegistryJournal::Exists(const Location& key) const {
  return RegistryKey::Open(inner_, key.hive, key.path).is_open();
}

void RegistryJournal::NoteValue(const Location& key, const std::string& name) {
  if (!noted_.insert(NoteId(key.hive, key.path, &name)).second) return;
  StoredValue before = RegistryKey::Open(inner_, key.hive, key.path).Read(name);
  entries_.push_back({key.hive, key.path, name, false, std::move(before)});
}

void RegistryJournal::NoteKey(const Location& key, bool existed) {
  if (!noted_.insert(NoteId(key.hive, key.path, nullptr)).second) return;
  StoredValue before;
  before.present = existed;
  entries_.push_back({key.hive, key.path, "", true, before});
}

long RegistryJournal::OpenKey(RegKey parent, const std::string& path, RegKey* result) {
  const long rc = inner_.OpenKey(parent, path, result);
  Location location;
  if (rc == regerr::kSuccess && Locate(parent, path, &location)) Track(*result, location);
  return rc;
}

long RegistryJournal::CreateKey(RegKey parent, const std::string& path, RegKey* result) {
  if (held_) {
    *result = 0;
    return regerr::kAccessDenied;
  }
  Location target;
  const bool known = Locate(parent, path, &target);
  // The parts of the path that are not there yet: the call makes them.
  std::vector<Location> missing;
  if (known && !Exists(target)) {
    std::string prefix;
    std::size_t start = 0;
    while (start <= target.path.size()) {
      std::size_t end = target.path.find('\\', start);
      if (end == std::string::npos) end = target.path.size();
      prefix = target.path.substr(0, end);
      Location part{target.hive, prefix};
      if (!missing.empty() || !Exists(part)) missing.push_back(part);
      start = end + 1;
    }
  }
  const long rc = inner_.CreateKey(parent, path, result);
  if (rc == regerr::kSuccess && known) {
    for (const Location& made : missing) NoteKey(made, false);
    Track(*result, target);
  }
  return rc;
}

long RegistryJournal::QueryValue(RegKey key, const std::string& name, ValueType* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  return inner_.QueryValue(key, name, type, data, size);
}

long RegistryJournal::SetValue(RegKey key, const std::string& name, ValueType type,
                               const std::uint8_t* data, std::uint32_t size) {
  if (held_) return regerr::kAccessDenied;
  Location location;
  if (Locate(key, "", &location)) NoteValue(location, name);
  return Told(inner_.SetValue(key, name, type, data, size));
}

long RegistryJournal::DeleteValue(RegKey key, const std::string& name) {
  if (held_) return regerr::kAccessDenied;
  Location location;
  if (Locate(key, "", &location)) NoteValue(location, name);
  return Told(inner_.DeleteValue(key, name));
}

long RegistryJournal::DeleteKey(RegKey parent, const std::string& path) {
  if (held_) return regerr::kAccessDenied;
  Location target;
  if (Locate(parent, path, &target) && !target.path.empty()) {
    const RegistryKey opened = RegistryKey::Open(inner_, target.hive, target.path);
    if (opened.is_open()) {
      // The key goes with its values: each is noted, to come back with it.
      NoteKey(target, true);
      for (const std::string& name : opened.ValueNames()) NoteValue(target, name);
    }
  }
  return Told(inner_.DeleteKey(parent, path));
}

long RegistryJournal::Told(long rc) {
  if (rc == regerr::kSuccess && on_change) on_change();
  return rc;
}

std::vector<RegistryJournal::Entry> RegistryJournal::ChangedEntries() const {
  std::vector<Entry> changed;
  for (const Entry& entry : entries_) {
    if (Current(entry) != entry.before) changed.push_back(entry);
  }
  return changed;
}

long RegistryJournal::CloseKey(RegKey key) {
  handles_.erase(key);
  return inner_.CloseKey(key);
}

long RegistryJournal::EnumValue(RegKey key, std::uint32_t index, std::string* name) {
  return inner_.EnumValue(key, index, name);
}

StoredValue RegistryJournal::Current(const Entry& entry) const {
  const RegistryKey opened = RegistryKey::Open(inner_, entry.hive, entry.key);
  if (entry.is_key) {
    StoredValue now;
    now.present = opened.is_open();
    return now;
  }
  return opened.Read(entry.name);
}

int RegistryJournal::Changed() const {
  int changed = 0;
  for (const Entry& entry : entries_) {
    if (Current(entry) != entry.before) ++changed;
  }
  return changed;
}

bool RegistryJournal::Restore(const Entry& entry) {
  const RegistryKey opened = RegistryKey::Open(inner_, entry.hive, entry.key);
  if (entry.is_key) {
    if (entry.before.present) return RegistryKey::Create(inner_, entry.hive, entry.key).is_open();
    // A key made in this run that holds values of someone else's now
    // stays: removing it would take them along.
    if (!opened.ValueNames().empty()) return false;
    const long rc = inner_.DeleteKey(entry.hive, entry.key);
    return rc == regerr::kSuccess || rc == regerr::kFileNotFound;
  }
  if (entry.before.present) {
    const RegistryKey made = RegistryKey::Create(inner_, entry.hive, entry.key);
    // A NUL after the data, so that string data stored without one is
    // read as far as its end and no further.
    std::vector<std::uint8_t> bytes = entry.before.data;
    bytes.push_back(0);
    return made.Write(entry.name, entry.before.type,
                      std::span(bytes.data(), entry.before.data.size()))
        .ok();
  }
  return opened.Delete(entry.name).ok();  // no key, no value: nothing to remove
}

RegistryJournal::UndoResult RegistryJournal::Undo() {
  UndoResult result;
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    const Entry& entry = *it;
    if (Current(entry) == entry.before) continue;
    if (Restore(entry)) {
      ++(entry.is_key ? result.keys : result.values);
      continue;
    }
    result.failed.push_back(entry.is_key ? KeyPath(entry.hive, entry.key)
                                         : ValuePath(entry.hive, entry.key, entry.name));
  }
  return result;
}

}  // namespace kdw

#include "registry/registry.h"

#include <deque>

#include "base/text.h"

namespace kdw {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& text) {
  // The byte count of the text as stored, without a terminator.
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

// The keys a scope keeps open, each under its hive and its path folded to
// lower case (Windows compares key names without regard to case). A key that
// could not be opened is kept too, as not open, so that it is asked once.
struct Registry::OpenKeys {
  struct Entry {
    Hive hive;
    std::string path;  // folded
    RegistryKey key;
    bool stale = false;  // removed since: open it again when next asked
  };
  // A deque, so that a key handed out stays where it is as more are opened.
  std::deque<Entry> entries;

  Entry* Find(Hive hive, const std::string& path) {
    const std::string folded = FoldCase(path);
    for (Entry& entry : entries) {
      if (entry.hive == hive && entry.path == folded) return &entry;
    }
    return nullptr;
  }
  Entry& Add(Hive hive, const std::string& path, RegistryKey key) {
    return entries.push_back({hive, FoldCase(path), std::move(key)}), entries.back();
  }
  // A removed key, and every key below it, is no longer what its handle holds.
  void Forget(Hive hive, const std::string& path) {
    const std::string folded = FoldCase(path);
    for (Entry& entry : entries) {
      if (entry.hive != hive) continue;
      if (entry.path == folded || IsBelow(entry.path, folded)) {
        entry.key = RegistryKey();
        entry.stale = true;
      }
    }
  }
};

Registry::Registry(RegistryApi& api) : api_(api) {}
Registry::~Registry() = default;

Registry::KeepKeysOpen::KeepKeysOpen(const Registry& registry) : registry_(registry) {
  if (registry_.keep_open_++ == 0) registry_.open_ = std::make_unique<OpenKeys>();
}

Registry::KeepKeysOpen::~KeepKeysOpen() {
  if (--registry_.keep_open_ == 0) registry_.open_.reset();
}

const RegistryKey& Registry::ForRead(Hive hive, const std::string& key, RegistryKey* own) const {
  if (!open_) return *own = RegistryKey::Open(api_, hive, key);
  OpenKeys::Entry* entry = open_->Find(hive, key);
  if (!entry) return open_->Add(hive, key, RegistryKey::Open(api_, hive, key)).key;
  if (entry->stale) {
    entry->key = RegistryKey::Open(api_, hive, key);
    entry->stale = false;
  }
  return entry->key;
}

const RegistryKey& Registry::ForWrite(Hive hive, const std::string& key, RegistryKey* own) const {
  if (open_) {
    OpenKeys::Entry* entry = open_->Find(hive, key);
    if (entry && !entry->stale && entry->key.is_open()) return entry->key;
    RegistryKey made = RegistryKey::Create(api_, hive, key);
    if (made.is_open()) {
      if (!entry) return open_->Add(hive, key, std::move(made)).key;
      entry->key = std::move(made);
      entry->stale = false;
      return entry->key;
    }
    return *own = std::move(made);
  }
  return *own = RegistryKey::Create(api_, hive, key);
}

StoredValue Registry::Read(Hive hive, const std::string& key, const std::string& name) const {
  RegistryKey own;
  return ForRead(hive, key, &own).Read(name);
}

RegStatus Registry::Write(Hive hive, const std::string& key, const std::string& name,
                          ValueType type, std::span<const std::uint8_t> data) const {
  RegistryKey own;
  return ForWrite(hive, key, &own).Write(name, type, data);
}

std::string TextOf(const StoredValue& value, ValueType type, const std::string& fallback) {
  if (!value.present || value.type != type) return fallback;
  std::string text(value.data.begin(), value.data.end());
  const auto nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::int32_t DwordOf(const StoredValue& value, std::int32_t fallback) {
  // A four-byte query: longer data does not fit it, shorter data leaves the
  // rest of the number 0.
  if (!value.present || value.type != ValueType::kDword || value.data.size() > 4) return fallback;
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) number |= std::uint32_t{value.data[i]} << (8 * i);
  return static_cast<std::int32_t>(number);
}

Presence PresenceOf(const StoredValue& value) {
  return value.present && value.data.size() <= 4 ? Presence::kThere : Presence::kMissing;
}

bool ReadsWhole(const StoredValue& value, ValueType type) {
  if (!value.present || value.type != type) return false;
  // Terminating NULs are the text's end; a NUL with text after it is not.
  const auto& data = value.data;
  std::size_t end = data.size();
  while (end > 0 && data[end - 1] == 0) --end;
  for (std::size_t i = 0; i < end; ++i) {
    if (data[i] == 0) return false;
  }
  return true;
}

std::string Registry::GetStringValue(Hive hive, const std::string& key, const std::string& name,
                                     const std::string& fallback) const {
  return TextOf(Read(hive, key, name), ValueType::kSz, fallback);
}

RegStatus Registry::SaveStringValue(Hive hive, const std::string& key, const std::string& name,
                                    const std::string& data) const {
  return Write(hive, key, name, ValueType::kSz, BytesOf(data));
}

std::string Registry::GetExpandStringValue(Hive hive, const std::string& key,
                                           const std::string& name,
                                           const std::string& fallback) const {
  return TextOf(Read(hive, key, name), ValueType::kExpandSz, fallback);
}

RegStatus Registry::SaveExpandStringValue(Hive hive, const std::string& key,
                                          const std::string& name, const std::string& data) const {
  return Write(hive, key, name, ValueType::kExpandSz, BytesOf(data));
}

std::string Registry::GetMultiStringValue(Hive hive, const std::string& key,
                                          const std::string& name,
                                          const std::string& fallback) const {
  return TextOf(Read(hive, key, name), ValueType::kMultiSz, fallback);
}

std::int32_t Registry::GetDwordValue(Hive hive, const std::string& key, const std::string& name,
                                     std::int32_t fallback) const {
  return DwordOf(Read(hive, key, name), fallback);
}

RegStatus Registry::SaveDwordValue(Hive hive, const std::string& key, const std::string& name,
                                   std::int32_t data) const {
  const auto value = static_cast<std::uint32_t>(data);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value),
                                 static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16),
                                 static_cast<std::uint8_t>(value >> 24)};
  return Write(hive, key, name, ValueType::kDword, bytes);
}

Presence Registry::ValuePresence(Hive hive, const std::string& key,
                                 const std::string& name) const {
  return PresenceOf(Read(hive, key, name));
}

RegStatus Registry::DeleteValue(Hive hive, const std::string& key,
                                const std::string& name) const {
  RegistryKey own;
  return ForRead(hive, key, &own).Delete(name);
}

RegStatus Registry::DeleteKey(Hive hive, const std::string& key) const {
  if (open_) open_->Forget(hive, key);
  const long rc = api_.DeleteKey(hive, key);
  return RegStatus(rc == regerr::kFileNotFound ? regerr::kSuccess : rc);
}

bool Registry::KeyExists(Hive hive, const std::string& key) const {
  RegistryKey own;
  return ForRead(hive, key, &own).is_open();
}

std::vector<std::string> Registry::ValueNames(Hive hive, const std::string& key) const {
  RegistryKey own;
  return ForRead(hive, key, &own).ValueNames();
}

}  // namespace kdw

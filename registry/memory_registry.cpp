#include "registry/memory_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

namespace kdw {
namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](unsigned char x, unsigned char y) {
                                          return std::tolower(x) < std::tolower(y);
                                        });
  }
};

}  // namespace

struct MemoryRegistry::Node {
  struct Value {
    ValueType type;
    std::vector<std::uint8_t> data;
  };
  std::map<std::string, std::unique_ptr<Node>, CaseInsensitiveLess> subkeys;
  std::map<std::string, Value, CaseInsensitiveLess> values;
};

MemoryRegistry::MemoryRegistry() {
  for (std::uint32_t hive : {HKCU, HKLM, HKU}) roots_[hive] = std::make_unique<Node>();
  // The hives every Windows installation has; HKCR lives under HKLM.
  RegKey key = 0;
  CreateKey(HKLM, "Software\\Classes", &key);
  CloseKey(key);
  CreateKey(HKCU, "Software", &key);
  CloseKey(key);
}

MemoryRegistry::~MemoryRegistry() = default;

bool MemoryRegistry::Resolve(RegKey parent, const std::string& path, Location* out,
                             long* error) const {
  if (parent == HKCR) {
    *out = {HKLM, {"Software", "Classes"}};
  } else if (parent == HKCU || parent == HKLM || parent == HKU) {
    *out = {static_cast<std::uint32_t>(parent), {}};
  } else {
    auto it = handles_.find(parent);
    if (it == handles_.end()) {
      *error = regerr::kInvalidHandle;
      return false;
    }
    *out = it->second;
    if (!Find(*out)) {
      *error = regerr::kKeyDeleted;
      return false;
    }
  }
  if (!path.empty() && path.front() == '\\') {
    *error = regerr::kBadPathname;
    return false;
  }
  // Empty parts (a doubled or trailing backslash) are passed over, as Windows does.
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) out->parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

MemoryRegistry::Node* MemoryRegistry::Find(const Location& location) const {
  Node* node = roots_.at(location.hive).get();
  for (const auto& part : location.parts) {
    auto it = node->subkeys.find(part);
    if (it == node->subkeys.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

RegKey MemoryRegistry::NewHandle(const Location& location) {
  RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_[handle] = location;
  return handle;
}

bool MemoryRegistry::Writable(const Location& location) const {
  return !(machine_read_only_ && location.hive != HKCU);
}

long MemoryRegistry::OpenKey(RegKey parent, const std::string& path, RegKey* result) {
  *result = 0;
  Location location;
  long error = 0;
  if (!Resolve(parent, path, &location, &error)) return error;
  if (!Find(location)) return regerr::kFileNotFound;
  *result = NewHandle(location);
  return regerr::kSuccess;
}

long MemoryRegistry::CreateKey(RegKey parent, const std::string& path, RegKey* result) {
  *result = 0;
  Location location;
  long error = 0;
  if (!Resolve(parent, path, &location, &error)) return error;
  // Opening with full access is what a limited account is refused, whether
  // or not the key exists already.
  if (!Writable(location)) return regerr::kAccessDenied;
  Node* node = roots_.at(location.hive).get();
  for (const auto& part : location.parts) {
    auto& child = node->subkeys[part];
    if (!child) child = std::make_unique<Node>();
    node = child.get();
  }
  *result = NewHandle(location);
  return regerr::kSuccess;
}

long MemoryRegistry::QueryValue(RegKey key, const std::string& name, ValueType* type,
                                std::uint8_t* data, std::uint32_t* size) {
  Location location;
  long error = 0;
  if (!Resolve(key, "", &location, &error)) return error;
  Node* node = Find(location);
  auto it = node->values.find(name);
  if (it == node->values.end()) {
    if (type) *type = regtype::kNone;
    return regerr::kFileNotFound;
  }
  const auto& value = it->second;
  const auto length = static_cast<std::uint32_t>(value.data.size());
  if (type) *type = value.type;
  if (!data) {
    if (size) *size = length;
    return regerr::kSuccess;
  }
  if (!size) return 998;  // ERROR_NOACCESS
  if (*size < length) {
    *size = length;
    return regerr::kMoreData;
  }
  std::copy(value.data.begin(), value.data.end(), data);
  *size = length;
  return regerr::kSuccess;
}

long MemoryRegistry::SetValue(RegKey key, const std::string& name, ValueType type,
                              const std::uint8_t* data, std::uint32_t size) {
  Location location;
  long error = 0;
  if (!Resolve(key, "", &location, &error)) return error;
  if (!Writable(location)) return regerr::kAccessDenied;
  std::vector<std::uint8_t> bytes(data, data + (data ? size : 0));
  // The ANSI call stores string data with a terminator when it came without one.
  if (IsTextType(type) && !bytes.empty() && bytes.back() != 0) bytes.push_back(0);
  Find(location)->values[name] = {type, std::move(bytes)};
  return regerr::kSuccess;
}

long MemoryRegistry::DeleteValue(RegKey key, const std::string& name) {
  Location location;
  long error = 0;
  if (!Resolve(key, "", &location, &error)) return error;
  if (!Writable(location)) return regerr::kAccessDenied;
  return Find(location)->values.erase(name) ? regerr::kSuccess : regerr::kFileNotFound;
}

long MemoryRegistry::DeleteKey(RegKey parent, const std::string& path) {
  Location location;
  long error = 0;
  if (!Resolve(parent, path, &location, &error)) return error;
  if (location.parts.empty()) return regerr::kAccessDenied;
  Node* node = Find(location);
  if (!node) return regerr::kFileNotFound;
  if (!Writable(location) || !node->subkeys.empty()) return regerr::kAccessDenied;
  Location owner = location;
  owner.parts.pop_back();
  Find(owner)->subkeys.erase(location.parts.back());
  return regerr::kSuccess;
}

long MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, std::string* name) {
  Location location;
  long error = 0;
  if (!Resolve(key, "", &location, &error)) return error;
  const Node* node = Find(location);
  if (index >= node->values.size()) return regerr::kNoMoreItems;
  *name = std::next(node->values.begin(), index)->first;
  return regerr::kSuccess;
}

long MemoryRegistry::CloseKey(RegKey key) {
  return handles_.erase(key) ? regerr::kSuccess : regerr::kInvalidHandle;
}

bool MemoryRegistry::KeyExists(Hive hive, const std::string& path) const {
  Location location;
  long error = 0;
  return Resolve(hive, path, &location, &error) && Find(location) != nullptr;
}

}  // namespace kdw

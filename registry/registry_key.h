// One open registry key: the only owner of its handle, closed when it goes,
// movable and never copied. Every read and write of the program comes down to
// its one read primitive and its one write primitive.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace kdw {

// A value exactly as stored; `present` is false when it is missing or could
// not be read (the key missing too).
struct StoredValue {
  bool present = false;
  ValueType type = ValueType::kNone;
  std::vector<std::uint8_t> data;
  bool operator==(const StoredValue&) const = default;
};

class RegistryKey {
 public:
  RegistryKey() = default;
  // RegOpenKeyA: an existing key, or a key that is not open (status() says why).
  static RegistryKey Open(RegistryApi& api, RegKey parent, const std::string& path);
  // RegCreateKeyA: the key, made with every missing part of its path.
  static RegistryKey Create(RegistryApi& api, RegKey parent, const std::string& path);

  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey();

  bool is_open() const { return handle_ != 0; }
  // The open's own answer: success, or why the key is not open.
  RegStatus status() const { return RegStatus(status_); }
  RegKey handle() const { return handle_; }

  // The read primitive: the whole value in one query when it fits the first
  // buffer, asked again with the size Windows names when it does not (and
  // again if the value grew in between).
  StoredValue Read(const std::string& name) const;
  // The write primitive: data stored as given, under the given type.
  RegStatus Write(const std::string& name, ValueType type,
                  std::span<const std::uint8_t> data) const;
  // Removes a value; one that is not there counts as removed.
  RegStatus Delete(const std::string& name) const;
  // The names of the key's values, in the registry's order.
  std::vector<std::string> ValueNames() const;

 private:
  RegistryKey(RegistryApi* api, RegKey handle, long status)
      : api_(api), handle_(handle), status_(status) {}
  void Close();

  RegistryApi* api_ = nullptr;
  RegKey handle_ = 0;
  long status_ = regerr::kFileNotFound;
};

}  // namespace kdw

// The eight registry calls the registry layer is written against. Two
// implementations stand behind it: advapi32 on Windows and an in-process
// registry for native tests. Return codes are Win32 error codes.
#pragma once

#include <cstdint>
#include <string>

namespace kdw {

using RegKey = std::uintptr_t;

// The predefined root keys, as their 32-bit handle numbers.
enum Hive : std::uint32_t {
  HKCR = 0x80000000u,
  HKCU = 0x80000001u,
  HKLM = 0x80000002u,
  HKU = 0x80000003u,
};

namespace regtype {
constexpr std::uint32_t kNone = 0;
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kExpandSz = 2;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kMultiSz = 7;
}  // namespace regtype

namespace regerr {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kBadPathname = 161;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
constexpr long kKeyDeleted = 1018;
}  // namespace regerr

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyA: opens an existing key; on failure *result is 0.
  virtual long OpenKey(RegKey parent, const std::string& path, RegKey* result) = 0;
  // RegCreateKeyA: opens the key, creating every missing part of the path.
  virtual long CreateKey(RegKey parent, const std::string& path, RegKey* result) = 0;
  // RegQueryValueExA: data may be null to ask for type and size only.
  virtual long QueryValue(RegKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA.
  virtual long SetValue(RegKey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // RegDeleteKeyA: only a key without subkeys.
  virtual long DeleteKey(RegKey parent, const std::string& path) = 0;
  // RegCloseKey.
  virtual long CloseKey(RegKey key) = 0;
  // RegEnumValueA: the name of the key's value at that index;
  // ERROR_NO_MORE_ITEMS past the last.
  virtual long EnumValue(RegKey key, std::uint32_t index, std::string* name) = 0;
};

// A key handle that is closed when the operation ends, whatever happened.
// A handle left at 0 by a failed open is closed too: that is harmless.
class ScopedKey {
 public:
  explicit ScopedKey(RegistryApi& api) : api_(api) {}
  ~ScopedKey() { api_.CloseKey(key_); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  RegKey* out() { return &key_; }
  RegKey get() const { return key_; }

 private:
  RegistryApi& api_;
  RegKey key_ = 0;
};

}  // namespace kdw

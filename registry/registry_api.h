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

// A value's data type, as the registry keeps it. Types the program never
// writes (REG_QWORD, REG_NONE, ...) still pass through as their numbers.
enum class ValueType : std::uint32_t {
  kNone = 0,
  kSz = 1,
  kExpandSz = 2,
  kBinary = 3,
  kDword = 4,
  kMultiSz = 7,
};
namespace regtype {
using enum ValueType;
}  // namespace regtype

constexpr std::uint32_t TypeNumber(ValueType type) { return static_cast<std::uint32_t>(type); }

// Whether the data are text (one string, to be expanded or not, or a list).
constexpr bool IsTextType(ValueType type) {
  return type == regtype::kSz || type == regtype::kExpandSz || type == regtype::kMultiSz;
}

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

// What a write or delete came to: success, or the Windows error code that
// refused it. It has to be looked at: a write that fails in silence leaves a
// page claiming a setting that is not in force.
class [[nodiscard]] RegStatus {
 public:
  constexpr RegStatus() = default;
  constexpr explicit RegStatus(long code) : code_(code) {}
  constexpr bool ok() const { return code_ == regerr::kSuccess; }
  constexpr long code() const { return code_; }
  constexpr bool operator==(const RegStatus&) const = default;

 private:
  long code_ = regerr::kSuccess;
};

// Why Windows refused: "access is denied", in words that can follow a colon.
std::string DescribeRegError(long code);

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyA: opens an existing key; on failure *result is 0.
  virtual long OpenKey(RegKey parent, const std::string& path, RegKey* result) = 0;
  // RegCreateKeyA: opens the key, creating every missing part of the path.
  virtual long CreateKey(RegKey parent, const std::string& path, RegKey* result) = 0;
  // RegQueryValueExA: data may be null to ask for type and size only. When
  // the buffer is too short the answer is ERROR_MORE_DATA with the size needed.
  virtual long QueryValue(RegKey key, const std::string& name, ValueType* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA.
  virtual long SetValue(RegKey key, const std::string& name, ValueType type,
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

}  // namespace kdw

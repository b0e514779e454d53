// Registry values as a REGEDIT4 file that regedit imports: the pure
// formatter behind "Export Settings...". It calls nothing of Windows; the
// caller collects the values and writes the text to disk as it is (the text
// already carries its CR LF line ends).
//
// What the file cannot carry is left out, and a ';' comment line stands in
// its place, so an import never reads a line the caller did not mean:
// - a key whose hive is not one of the four named ones, or whose path holds
//   a NUL, CR or LF;
// - a removal of a whole hive (an empty path);
// - a value whose name holds a NUL, CR or LF.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace kdw {

struct RegFileValue {
  std::string name;                // "" is the key's default value, written as @
  bool present = true;             // false: written as a deletion, "name"=-
  ValueType type = ValueType::kNone;
  std::vector<std::uint8_t> data;  // the bytes as RegQueryValueExA gives them
};

struct RegFileKey {
  std::uint32_t hive;   // kdw::HKCR/HKCU/HKLM/HKU from registry/registry_api.h
  std::string path;     // "Software\\Microsoft\\..." (no leading backslash)
  bool remove = false;  // written as [-HIVE\path]; values are then ignored
  std::vector<RegFileValue> values;
};

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"; "" otherwise.
const char* HiveName(std::uint32_t hive);
// A key or a value as regedit names it: "HKEY_CURRENT_USER\Software\x" and
// "HKEY_CURRENT_USER\Software\x\Name", the default value as "(Default)".
std::string KeyPath(std::uint32_t hive, const std::string& key);
std::string ValuePath(std::uint32_t hive, const std::string& key, const std::string& name);

// The first line of a file in the system code page, as written and as read.
inline constexpr char kRegFileHeader[] = "REGEDIT4";

// The whole file, in the order given.
std::string FormatRegFile(std::span<const RegFileKey> keys);

}  // namespace kdw

// A registry policy file ("Registry.pol"), as Group Policy applies it to
// one hive: the pure writer behind "Export for Group Policy...". It calls
// nothing of Windows; the caller says which values to set and which values
// and keys to remove, and writes the bytes to disk as they are.
//
// The file is the signature "PReg", the version 1, then one entry per
// change: [key;value;type;size;data], every character of it UTF-16LE, key
// and value names NUL-terminated, type and size little-endian 32-bit
// numbers and the data as the value holds it. Removals are entries whose
// value names Group Policy reads as commands: "**del." and the value's
// name, "**delvals." for every value of the key, "**DeleteKeys" with the
// subkeys to remove.
//
// Names and text data come in the system code page and go into the file as
// UTF-16 (text data keeps its NULs). What the file cannot carry is left out,
// so that applying it never does what the caller did not mean:
// - a value whose name begins with "**", which would be read as a command;
// - a subkey to remove whose name holds a ';', which separates the names.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace kdw {

class PolicyFile {
 public:
  PolicyFile();  // the header alone

  // Key paths are within the hive, without its name ("Software\\Policies\\x").
  void SetValue(const std::string& key, const std::string& name, ValueType type,
                std::span<const std::uint8_t> data);
  void DeleteValue(const std::string& key, const std::string& name);
  // Every value of the key, before values are set in it afresh.
  void DeleteAllValues(const std::string& key);
  // Subkeys of `key`, each with all it holds; nothing for an empty list.
  void DeleteSubkeys(const std::string& key, std::span<const std::string> subkeys);

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  void Entry(const std::string& key, const std::u16string& name, ValueType type,
             std::span<const std::uint8_t> data);
  // The one-character text that removals carry: a NUL.
  void Command(const std::string& key, const std::u16string& name);

  std::vector<std::uint8_t> bytes_;
};

}  // namespace kdw

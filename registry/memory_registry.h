// An in-process registry that answers the eight calls as Windows (Wine) does,
// for native tests: case-insensitive names, whole paths created on demand,
// string data given a terminator when written without one, ERROR_MORE_DATA for
// a short buffer, HKEY_CLASSES_ROOT as a view of HKLM\Software\Classes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace kdw {

class MemoryRegistry : public RegistryApi {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

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

  // Stands for a limited account: every write under HKLM, HKCR and HKU is
  // refused with ERROR_ACCESS_DENIED.
  void SetMachineWideReadOnly(bool read_only) { machine_read_only_ = read_only; }

  // Test helpers that bypass the account rule.
  bool KeyExists(Hive hive, const std::string& path) const;
  std::size_t OpenHandleCount() const { return handles_.size(); }

 private:
  struct Node;
  struct Location {
    std::uint32_t hive;  // HKCR is folded into HKLM\Software\Classes
    std::vector<std::string> parts;
  };

  bool Resolve(RegKey parent, const std::string& path, Location* out, long* error) const;
  Node* Find(const Location& location) const;
  RegKey NewHandle(const Location& location);
  bool Writable(const Location& location) const;

  std::map<std::uint32_t, std::unique_ptr<Node>> roots_;
  std::map<RegKey, Location> handles_;
  RegKey next_handle_ = 0x1000;
  bool machine_read_only_ = false;
};

}  // namespace kdw

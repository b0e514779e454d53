// The in-process registry, keeping a log of every write and delete that
// reached it, so that tests can tell "written back unchanged" from "not
// written at all".
#pragma once

#include <string>
#include <vector>

#include "registry/memory_registry.h"

namespace kdw::pages::test {

class RecordingRegistry : public MemoryRegistry {
 public:
  long SetValue(RegKey key, const std::string& name, ValueType type, const std::uint8_t* data,
                std::uint32_t size) override {
    writes.push_back("set " + name);
    return MemoryRegistry::SetValue(key, name, type, data, size);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    writes.push_back("delete " + name);
    return MemoryRegistry::DeleteValue(key, name);
  }
  long CreateKey(RegKey parent, const std::string& path, RegKey* result) override {
    created.push_back(path);
    return MemoryRegistry::CreateKey(parent, path, result);
  }
  long DeleteKey(RegKey parent, const std::string& path) override {
    writes.push_back("delete key " + path);
    return MemoryRegistry::DeleteKey(parent, path);
  }

  std::vector<std::string> writes;
  std::vector<std::string> created;  // the paths CreateKey was asked for
};

// The type of a stored value, regtype::kNone when it is missing.
inline ValueType TypeOf(RegistryApi& api, Hive hive, const std::string& key,
                            const std::string& name) {
  RegKey handle = 0;
  if (api.OpenKey(hive, key, &handle) != regerr::kSuccess) return regtype::kNone;
  ValueType type = regtype::kNone;
  std::uint32_t size = 0;
  const long rc = api.QueryValue(handle, name, &type, nullptr, &size);
  api.CloseKey(handle);
  return rc == regerr::kSuccess ? type : regtype::kNone;
}

}  // namespace kdw::pages::test

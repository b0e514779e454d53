// The eight calls answered by advapi32, nothing added.
#pragma once

#include "registry/registry_api.h"

namespace kdw {

class Win32RegistryApi : public RegistryApi {
 public:
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
};

}  // namespace kdw

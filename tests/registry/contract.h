// The registry contract is written once and run against each implementation:
// natively against the in-process registry, under Wine against the real one.
#pragma once

#include <memory>
#include <string>

#include "registry/registry_api.h"

namespace kdw::contract {

// Every test works below this key of HKEY_CURRENT_USER.
inline const std::string kScratch = "Software\\KdwContractScratch";

// Supplied once per implementation.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual RegistryApi& api() = 0;
  // Removes the scratch key and everything below it.
  virtual void Clean() = 0;
};
std::unique_ptr<Backend> MakeBackend();

}  // namespace kdw::contract

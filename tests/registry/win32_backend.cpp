#include <windows.h>
#include <shlwapi.h>

#include "registry/win32_registry.h"
#include "tests/registry/contract.h"

namespace kdw::contract {
namespace {

class Win32Backend : public Backend {
 public:
  RegistryApi& api() override { return api_; }
  void Clean() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch.c_str()); }

 private:
  Win32RegistryApi api_;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() { return std::make_unique<Win32Backend>(); }

}  // namespace kdw::contract

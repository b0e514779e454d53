#include "registry/memory_registry.h"
#include "tests/registry/contract.h"

namespace kdw::contract {
namespace {

class MemoryBackend : public Backend {
 public:
  RegistryApi& api() override { return *registry_; }
  void Clean() override { registry_ = std::make_unique<MemoryRegistry>(); }

 private:
  std::unique_ptr<MemoryRegistry> registry_ = std::make_unique<MemoryRegistry>();
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() { return std::make_unique<MemoryBackend>(); }

}  // namespace kdw::contract

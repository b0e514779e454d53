// Cost of one registry read and one write on each implementation: the
// in-process registry everywhere, and the real registry on Windows (Wine).
#include <cstdio>

#include "bench/bench_util.h"
#include "registry/memory_registry.h"
#include "registry/registry.h"
#ifdef _WIN32
#include "registry/win32_registry.h"
#endif

namespace {

const char* const kKey = "Software\\KdwBenchScratch";

void Run(const char* name, kdw::RegistryApi& api) {
  kdw::Registry reg(api);
  static_cast<void>(reg.SaveDwordValue(kdw::HKCU, kKey, "dword", 1));
  char label[96];
  std::snprintf(label, sizeof label, "%s GetDwordValue", name);
  kdw::bench::Measure(label, [&] { reg.GetDwordValue(kdw::HKCU, kKey, "dword"); });
  std::snprintf(label, sizeof label, "%s SaveStringValue", name);
  kdw::bench::Measure(label, [&] { static_cast<void>(reg.SaveStringValue(kdw::HKCU, kKey, "text", "benchmark")); });
  static_cast<void>(reg.DeleteValue(kdw::HKCU, kKey, "dword"));
  static_cast<void>(reg.DeleteValue(kdw::HKCU, kKey, "text"));
  static_cast<void>(reg.DeleteKey(kdw::HKCU, kKey));
}

}  // namespace

int main() {
  kdw::MemoryRegistry memory;
  Run("memory", memory);
#ifdef _WIN32
  kdw::Win32RegistryApi win32;
  Run("win32", win32);
#endif
  return 0;
}

#include "registry/account_type.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

namespace kdw {
namespace {

// Data no earlier probe can have left behind: a leftover value must not make
// a limited account pass for an administrator.
std::string UniqueProbeData() {
  static unsigned counter = 0;
  std::random_device random;
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  char text[64];
  std::snprintf(text, sizeof text, "Admin %08x%08x%04x", random(),
                static_cast<unsigned>(ticks), ++counter & 0xffff);
  return text;
}

}  // namespace

AccountType DetectAccountType(const Registry& registry) {
  const std::string probe = UniqueProbeData();
  if (!registry.SaveStringValue(HKLM, kProbeKey, kProbeValue, probe).ok() ||
      registry.GetStringValue(HKLM, kProbeKey, kProbeValue) != probe) {
    return AccountType::kLimited;
  }
  // A probe value left behind does no harm: the next probe never matches it.
  static_cast<void>(registry.DeleteValue(HKLM, kProbeKey, kProbeValue));
  return AccountType::kAdministrator;
}

const char* AccountTypeName(AccountType type) {
  return type == AccountType::kLimited ? "Limited" : "Administrator";
}

}  // namespace kdw

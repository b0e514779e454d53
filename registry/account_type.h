// Whether the current user is an administrator, decided afresh at every call
// by a write probe under HKEY_LOCAL_MACHINE. Both programs use it: kdw3 to
// refuse or disable what a limited account cannot change, kdwsetup before it
// copies anything.
#pragma once

#include "registry/registry.h"

namespace kdw {

enum class AccountType { kAdministrator, kLimited };

// The probe: HKLM "Software\Kelmor" "Account", written, read back and removed.
inline constexpr char kProbeKey[] = "Software\\Kelmor";
inline constexpr char kProbeValue[] = "Account";

// Writes unique probe data under HKLM and reads it back: an administrator
// reads what was written (the probe is then removed), a limited account does
// not. A probe value left behind by an earlier run never passes.
AccountType DetectAccountType(const Registry& registry);

// "Administrator" or "Limited".
const char* AccountTypeName(AccountType type);

}  // namespace kdw

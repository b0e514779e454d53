// The values and texts of the program itself that the shell shares.
#pragma once

#include <string>

#include "core/context.h"

namespace kdw::shell {

// The program's own values.
inline constexpr char kProductKey[] = "Software\\Kelmor\\Deskwarden";
// The product's web site; its update page is this followed by "/updates".
inline constexpr char kWebSite[] = "http://www.kelmor.com/deskwarden";

}  // namespace kdw::shell

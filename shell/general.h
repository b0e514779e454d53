// The values and texts of the program itself that the shell shares.
#pragma once

#include <string>

#include "core/context.h"
#include "base/keys.h"

namespace kdw::shell {

// The program's own values.
inline constexpr const char* kProductKey = keys::kProduct;
// The product's web site; its update page is this followed by "/updates".
inline constexpr char kWebSite[] = "http://www.kelmor.com/deskwarden";

}  // namespace kdw::shell

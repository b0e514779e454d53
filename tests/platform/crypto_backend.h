// The crypto vectors are written once and run against each build's
// platform crypto: OpenSSL natively, CryptoAPI under Wine.
#pragma once

#include <memory>

#include "platform/crypto.h"

namespace kdw::testing {

// Supplied once per build.
std::unique_ptr<Crypto> MakePlatformCrypto();

}  // namespace kdw::testing

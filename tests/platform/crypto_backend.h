// The crypto vectors are written once and run against each build's
// platform crypto: OpenSSL natively, CryptoAPI under Wine.
#pragma once

#include <memory>

#include "platform/crypto.h"

namespace kdw::testing {

// Supplied once per build. kBundled stands for a Windows without SHA-256 in
// CryptoAPI (XP before SP3).
std::unique_ptr<Crypto> MakePlatformCrypto(
    Sha256Source source = Sha256Source::kPlatformWhenPresent);

}  // namespace kdw::testing

#include "platform/openssl_crypto.h"
#include "tests/platform/crypto_backend.h"

namespace kdw::testing {

std::unique_ptr<Crypto> MakePlatformCrypto() { return std::make_unique<OpenSslCrypto>(); }

}  // namespace kdw::testing

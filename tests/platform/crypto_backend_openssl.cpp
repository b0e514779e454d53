#include "platform/openssl_crypto.h"
#include "tests/platform/crypto_backend.h"

namespace kdw::testing {

std::unique_ptr<Crypto> MakePlatformCrypto(Sha256Source source) {
  return std::make_unique<OpenSslCrypto>(source);
}

}  // namespace kdw::testing

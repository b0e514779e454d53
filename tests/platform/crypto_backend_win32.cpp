#include "platform/win32_platform.h"
#include "tests/platform/crypto_backend.h"

namespace kdw::testing {

std::unique_ptr<Crypto> MakePlatformCrypto(Sha256Source source) {
  return std::make_unique<Win32Crypto>(source);
}

}  // namespace kdw::testing

// The program's cryptography, its CryptoAPI context acquired at the first
// call rather than at start-up: only the password needs it, and acquiring
// it loads the provider's DLLs.
#pragma once

#include <optional>

#include "platform/win32_platform.h"

namespace kdw::app {

class FirstUseCrypto : public Crypto {
 public:
  bool RandomBytes(std::size_t count, Bytes& out) override {
    return Provider().RandomBytes(count, out);
  }
  bool Sha256(const Bytes& data, Sha256Digest& out) override {
    return Provider().Sha256(data, out);
  }

 private:
  Win32Crypto& Provider() {
    if (!crypto_) crypto_.emplace();
    return *crypto_;
  }

  std::optional<Win32Crypto> crypto_;
};

}  // namespace kdw::app

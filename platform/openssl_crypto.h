// The native builds' Crypto: OpenSSL's libcrypto (RAND_bytes, EVP SHA-256).
#pragma once

#include "platform/crypto.h"

namespace kdw {

class OpenSslCrypto : public Crypto {
 public:
  explicit OpenSslCrypto(Sha256Source source = Sha256Source::kPlatformWhenPresent)
      : source_(source) {}
  bool RandomBytes(std::size_t count, Bytes& out) override;
  bool Sha256(const Bytes& data, Sha256Digest& out) override;

 private:
  Sha256Source source_;
};

}  // namespace kdw

// The native builds' Crypto: OpenSSL's libcrypto (RAND_bytes, EVP SHA-256).
#pragma once

#include "platform/crypto.h"

namespace kdw {

class OpenSslCrypto : public Crypto {
 public:
  bool RandomBytes(std::size_t count, Bytes& out) override;
  bool Sha256(const Bytes& data, Sha256Digest& out) override;
};

}  // namespace kdw

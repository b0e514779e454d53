#include "platform/openssl_crypto.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>

#include "platform/sha256.h"

namespace kdw {

bool OpenSslCrypto::RandomBytes(std::size_t count, Bytes& out) {
  out.assign(count, 0);
  if (count == 0) return true;
  if (count > INT_MAX || RAND_bytes(out.data(), static_cast<int>(count)) != 1) {
    out.clear();
    return false;
  }
  return true;
}

bool OpenSslCrypto::Sha256(const Bytes& data, Sha256Digest& out) {
  if (source_ == Sha256Source::kBundled) {
    out = BundledSha256(data.data(), data.size());
    return true;
  }
  unsigned int size = 0;
  return EVP_Digest(data.data(), data.size(), out.data(), &size, EVP_sha256(), nullptr) == 1 &&
         size == out.size();
}

}  // namespace kdw

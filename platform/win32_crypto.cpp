#include <windows.h>
// after windows.h
#include <wincrypt.h>

#include "platform/sha256.h"
#include "platform/win32_platform.h"

// SHA-256 came to CryptoAPI with Windows XP SP3; the headers show it only
// to builds aimed past SP2, so the XP build names it itself.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)  // ALG_SID_SHA_256
#endif

namespace kdw {
namespace {

HCRYPTPROV Provider(std::uintptr_t provider) { return static_cast<HCRYPTPROV>(provider); }

}  // namespace

Win32Crypto::Win32Crypto(Sha256Source source) {
  HCRYPTPROV provider = 0;
  if (CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
      CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
    provider_ = static_cast<std::uintptr_t>(provider);
  }
  if (!provider_ || source == Sha256Source::kBundled) return;
  // Before SP3 the AES provider is there but refuses the algorithm.
  HCRYPTHASH probe = 0;
  if (CryptCreateHash(provider, CALG_SHA_256, 0, 0, &probe)) {
    CryptDestroyHash(probe);
    platform_sha256_ = true;
  }
}

Win32Crypto::~Win32Crypto() {
  if (provider_) CryptReleaseContext(Provider(provider_), 0);
}

bool Win32Crypto::RandomBytes(std::size_t count, Bytes& out) {
  out.assign(count, 0);
  if (count == 0) return true;
  if (!provider_ || count > MAXDWORD ||
      !CryptGenRandom(Provider(provider_), static_cast<DWORD>(count), out.data())) {
    out.clear();
    return false;
  }
  return true;
}

bool Win32Crypto::Sha256(const Bytes& data, Sha256Digest& out) {
  if (!platform_sha256_) {
    out = BundledSha256(data.data(), data.size());
    return true;
  }
  if (data.size() > MAXDWORD) return false;
  HCRYPTHASH hash = 0;
  if (!CryptCreateHash(Provider(provider_), CALG_SHA_256, 0, 0, &hash)) return false;
  DWORD size = static_cast<DWORD>(out.size());
  const bool ok = CryptHashData(hash, data.data(), static_cast<DWORD>(data.size()), 0) &&
                  CryptGetHashParam(hash, HP_HASHVAL, out.data(), &size, 0) && size == out.size();
  CryptDestroyHash(hash);
  return ok;
}

}  // namespace kdw

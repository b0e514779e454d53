// The platform's cryptographic primitives (random source and SHA-256), and
// HMAC-SHA-256 and PBKDF2-HMAC-SHA-256 built once on top of them. Windows
// answers with CryptoAPI, native builds with OpenSSL; where the platform has
// no SHA-256 (Windows XP before SP3) the bundled one hashes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace kdw {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Where a platform Crypto takes SHA-256 from. kBundled stands for a platform
// without one of its own, as Windows XP before SP3 is: tests choose it to
// see that records and seals come out the same.
enum class Sha256Source {
  kPlatformWhenPresent,  // the platform's own, else the bundled one
  kBundled,
};

class Crypto {
 public:
  virtual ~Crypto() = default;
  // `count` bytes from the platform's cryptographic random source; false
  // (and `out` emptied) when it gave none.
  virtual bool RandomBytes(std::size_t count, Bytes& out) = 0;
  // The SHA-256 digest of `data`; false when the platform could not hash.
  virtual bool Sha256(const Bytes& data, Sha256Digest& out) = 0;
};

// HMAC-SHA-256 (RFC 2104, RFC 4231) of `message` under `key`.
bool HmacSha256(Crypto& crypto, const Bytes& key, const Bytes& message, Sha256Digest& out);

// PBKDF2 (RFC 8018) with HMAC-SHA-256: `length` bytes derived from the
// password and the salt with `iterations` rounds (at least 1).
bool Pbkdf2HmacSha256(Crypto& crypto, const Bytes& password, const Bytes& salt,
                      std::uint32_t iterations, std::size_t length, Bytes& out);

// Lower-case hexadecimal, two digits a byte.
std::string ToHex(const std::uint8_t* data, std::size_t size);
inline std::string ToHex(const Bytes& data) { return ToHex(data.data(), data.size()); }
// Parses hexadecimal digits of either case; false for an odd length or a
// character that is not a digit.
bool FromHex(const std::string& text, Bytes& out);

// Compares two byte strings in time that depends only on their lengths.
bool ConstantTimeEquals(const Bytes& a, const Bytes& b);

}  // namespace kdw

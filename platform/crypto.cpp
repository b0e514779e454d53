// HMAC-SHA-256 and PBKDF2-HMAC-SHA-256 over the platform's SHA-256, written
// once so that both builds derive the same bytes.
#include "platform/crypto.h"

#include <algorithm>

namespace kdw {
namespace {

constexpr std::size_t kBlockSize = 64;  // SHA-256's input block

}  // namespace

bool HmacSha256(Crypto& crypto, const Bytes& key, const Bytes& message, Sha256Digest& out) {
  Bytes block_key(kBlockSize, 0);
  if (key.size() > kBlockSize) {
    Sha256Digest hashed_key;
    if (!crypto.Sha256(key, hashed_key)) return false;
    std::copy(hashed_key.begin(), hashed_key.end(), block_key.begin());
  } else {
    std::copy(key.begin(), key.end(), block_key.begin());
  }

  Bytes inner(kBlockSize);
  for (std::size_t i = 0; i < kBlockSize; ++i) inner[i] = block_key[i] ^ 0x36;
  inner.insert(inner.end(), message.begin(), message.end());
  Sha256Digest inner_hash;
  if (!crypto.Sha256(inner, inner_hash)) return false;

  Bytes outer(kBlockSize);
  for (std::size_t i = 0; i < kBlockSize; ++i) outer[i] = block_key[i] ^ 0x5c;
  outer.insert(outer.end(), inner_hash.begin(), inner_hash.end());
  return crypto.Sha256(outer, out);
}

bool Pbkdf2HmacSha256(Crypto& crypto, const Bytes& password, const Bytes& salt,
                      std::uint32_t iterations, std::size_t length, Bytes& out) {
  out.clear();
  if (iterations == 0) return false;
  Bytes result;
  result.reserve(length);
  Bytes message;
  for (std::uint32_t block = 1; result.size() < length; ++block) {
    // U1 = PRF(P, S || INT(i)); T = U1 ^ U2 ^ ... ^ Uc.
    message = salt;
    message.push_back(static_cast<std::uint8_t>(block >> 24));
    message.push_back(static_cast<std::uint8_t>(block >> 16));
    message.push_back(static_cast<std::uint8_t>(block >> 8));
    message.push_back(static_cast<std::uint8_t>(block));
    Sha256Digest u;
    if (!HmacSha256(crypto, password, message, u)) return false;
    Sha256Digest t = u;
    for (std::uint32_t round = 1; round < iterations; ++round) {
      message.assign(u.begin(), u.end());
      if (!HmacSha256(crypto, password, message, u)) return false;
      for (std::size_t i = 0; i < t.size(); ++i) t[i] ^= u[i];
    }
    const std::size_t take = std::min(t.size(), length - result.size());
    result.insert(result.end(), t.begin(), t.begin() + take);
  }
  out = std::move(result);
  return true;
}

std::string ToHex(const std::uint8_t* data, std::size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[data[i] >> 4];
    text += kDigits[data[i] & 0xF];
  }
  return text;
}

bool FromHex(const std::string& text, Bytes& out) {
  out.clear();
  if (text.size() % 2 != 0) return false;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  Bytes bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = digit(text[i]);
    const int low = digit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  out = std::move(bytes);
  return true;
}

bool ConstantTimeEquals(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size()) return false;
  volatile std::uint8_t difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i) difference = difference | (a[i] ^ b[i]);
  return difference == 0;
}

}  // namespace kdw

#include "platform/password_hash.h"

#include <string_view>

namespace kdw {
namespace {

constexpr std::uint32_t kMaxIterations = 10000000;  // a damaged record must not hang the prompt
constexpr std::size_t kMaxSaltBytes = 64;
constexpr std::size_t kHashBytes = 32;

struct Record {
  std::uint32_t iterations = 0;
  Bytes salt;
  Bytes hash;
};

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

bool ParseIterations(std::string_view text, std::uint32_t* out) {
  if (text.empty() || text.size() > 8 || text[0] == '0') return false;
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (value > kMaxIterations) return false;
  *out = value;
  return true;
}

bool ParseRecord(const std::string& stored, Record* record) {
  const std::string_view prefix = kPasswordRecordPrefix;
  if (stored.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string_view rest = std::string_view(stored).substr(prefix.size());
  const auto first = rest.find('$');
  if (first == std::string_view::npos) return false;
  const auto second = rest.find('$', first + 1);
  if (second == std::string_view::npos) return false;
  if (!ParseIterations(rest.substr(0, first), &record->iterations)) return false;
  if (!FromHex(std::string(rest.substr(first + 1, second - first - 1)), record->salt) ||
      record->salt.empty() || record->salt.size() > kMaxSaltBytes) {
    return false;
  }
  return FromHex(std::string(rest.substr(second + 1)), record->hash) &&
         record->hash.size() == kHashBytes;
}

}  // namespace

std::optional<std::string> MakePasswordRecord(Crypto& crypto, const std::string& password) {
  if (password.empty()) return std::string();
  Bytes salt;
  if (!crypto.RandomBytes(kPasswordSaltBytes, salt) || salt.size() != kPasswordSaltBytes) {
    return std::nullopt;
  }
  Bytes hash;
  if (!Pbkdf2HmacSha256(crypto, BytesOf(password), salt, kPasswordIterations, kHashBytes, hash)) {
    return std::nullopt;
  }
  return std::string(kPasswordRecordPrefix) + std::to_string(kPasswordIterations) + "$" +
         ToHex(salt) + "$" + ToHex(hash);
}

bool IsHashedRecord(const std::string& stored) {
  Record record;
  return ParseRecord(stored, &record);
}

bool PasswordMatches(Crypto& crypto, const std::string& stored, const std::string& typed) {
  Record record;
  if (!ParseRecord(stored, &record)) return stored == typed;
  Bytes derived;
  if (!Pbkdf2HmacSha256(crypto, BytesOf(typed), record.salt, record.iterations, kHashBytes,
                        derived)) {
    return false;
  }
  return ConstantTimeEquals(derived, record.hash);
}

}  // namespace kdw

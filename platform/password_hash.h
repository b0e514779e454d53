// The stored form of the program's password (HKLM Software\Kelmor\Deskwarden
// value Pass): a salted, iterated PBKDF2-HMAC-SHA-256 hash written as
//   pbkdf2-sha256$ITERATIONS$SALT_HEX$HASH_HEX
// e.g. "pbkdf2-sha256$10000$<32 hex digits>$<64 hex digits>". A stored text
// that is not such a record is a password kept as plain text by an earlier
// version, and is compared as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/crypto.h"

namespace kdw {

inline constexpr char kPasswordRecordPrefix[] = "pbkdf2-sha256$";
inline constexpr std::uint32_t kPasswordIterations = 10000;
inline constexpr std::size_t kPasswordSaltBytes = 16;

// The record to store for a new password: a fresh random salt from the
// platform, kPasswordIterations rounds. The empty password gives the empty
// text, which the program reads as "no password", so storing it removes the
// password as before. std::nullopt when the platform gave no random bytes or
// could not hash: then store nothing.
std::optional<std::string> MakePasswordRecord(Crypto& crypto, const std::string& password);

// True when `stored` is a well-formed record (prefix, an iteration count from
// 1 to 10,000,000, a salt of 1 to 64 bytes, a 32-byte hash, lower- or
// upper-case hex). A text that begins with the prefix but is not well formed
// is not a record: it counts as plain text.
bool IsHashedRecord(const std::string& stored);

// Whether `typed` is the password `stored` stands for. A record: the typed
// text is hashed with the record's salt and rounds and compared in constant
// time (a hashing failure gives false). Anything else: exact, case-sensitive
// comparison of the whole texts, as the program always compared.
bool PasswordMatches(Crypto& crypto, const std::string& stored, const std::string& typed);

}  // namespace kdw

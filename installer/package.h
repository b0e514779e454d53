// The package: kdwsetup's own executable file with the files it installs
// appended behind the program image. It is read from its end:
//
//   ... image | data 2 | header 2 | data 1 | header 1 | count | closing block
//
// Entry 1 is the file appended last. Each header is the file's name (40
// bytes, right-aligned, padded on the left with CR) and its size (10
// decimal digits, padded with "0"); the count is 5 bytes, right-aligned,
// padded with CR; the closing block is 514 bytes. The block's content is
// free; our packer writes the SHA-256 of everything before it there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/crypto.h"
#include "platform/handles.h"

namespace kdw::installer {

inline constexpr std::size_t kClosingBlockLength = 514;
inline constexpr std::size_t kCountLength = 5;
inline constexpr std::size_t kNameLength = 40;
inline constexpr std::size_t kSizeLength = 10;
inline constexpr std::size_t kHeaderLength = kNameLength + kSizeLength;
// The packed sizes have ten digits.
inline constexpr std::uint64_t kLargestSize = 9'999'999'999;

// A closing block that begins with this tag carries the lower-case hex
// SHA-256 of everything in front of the block right after it; the rest of
// the block is TAB characters and a closing CR LF.
inline constexpr std::string_view kChecksumTag = "KDWPKG SHA-256 ";
inline constexpr std::size_t kDigestHexLength = 64;

struct PackageEntry {
  std::string name;          // the destination file name
  std::uint64_t offset = 0;  // where its data begin in the package
  std::uint64_t size = 0;
};

// The file count: every CR removed, then the leading decimal number (blanks
// and a sign allowed before it); text that does not start with a number
// counts 0. No count when the number does not fit a 16-bit integer.
std::optional<int> ReadCountField(std::string_view field);

// The file name: every CR removed. Only a plain name is accepted: not empty,
// no folder or drive part, no wildcard or control character, no device name,
// and no trailing dot or blank, which Windows would drop.
std::optional<std::string> ReadNameField(std::string_view field);

// The size: decimal digits, with blanks allowed around them.
std::optional<std::uint64_t> ReadSizeField(std::string_view field);

// The walk from the end: entries k = 1, 2, ... up to the count, at least
// one. No index when the package is damaged: too short for its fields, a
// field that does not read, or a header or data that would begin before
// the start of the file.
std::optional<std::vector<PackageEntry>> ReadPackageIndex(const Bytes& package);

enum class Seal {
  kNone,        // the closing block carries no checksum
  kIntact,      // it carries one, and the content matches it
  kBroken,      // it carries one, and the content does not match (or it is garbled)
  kUncheckable  // it carries one, and this computer cannot compute SHA-256
};
Seal CheckSeal(const Bytes& package, Crypto& crypto);

// The closing block our packer writes over content with that digest.
std::string SealedClosingBlock(const Sha256Digest& digest);

}  // namespace kdw::installer

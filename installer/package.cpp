#include "installer/package.h"

#include <algorithm>

#include "platform/file_system.h"

namespace kdw::installer {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutCr(std::string_view field) {
  std::string text;
  for (char c : field) {
    if (c != '\r') text += c;
  }
  return text;
}

std::string_view Field(const Bytes& package, std::uint64_t offset, std::size_t length) {
  return {reinterpret_cast<const char*>(package.data()) + offset, length};
}


}  // namespace

std::optional<int> ReadCountField(std::string_view field) {
  const std::string text = WithoutCr(field);
  std::size_t i = 0;
  while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long number = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    number = number * 10 + (text[i] - '0');
    if (number > 32768) return std::nullopt;  // no 16-bit integer, however it goes on
  }
  if (negative) number = -number;
  if (number < -32768 || number > 32767) return std::nullopt;
  return static_cast<int>(number);
}

std::optional<std::string> ReadNameField(std::string_view field) {
  std::string name = WithoutCr(field);
  if (name.empty()) return std::nullopt;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      return std::nullopt;
    }
  }
  // A trailing dot or blank ("..", "name.") is one Windows would drop.
  if (name.back() == '.' || name.back() == ' ' || IsDeviceName(name)) return std::nullopt;
  return name;
}

std::optional<std::uint64_t> ReadSizeField(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && IsBlank(field[i])) ++i;
  const std::size_t first_digit = i;
  std::uint64_t size = 0;
  for (; i < field.size() && IsDigit(field[i]); ++i) size = size * 10 + (field[i] - '0');
  if (i == first_digit || i - first_digit > kSizeLength) return std::nullopt;
  while (i < field.size() && IsBlank(field[i])) ++i;
  if (i != field.size()) return std::nullopt;
  return size;
}

std::optional<std::vector<PackageEntry>> ReadPackageIndex(const Bytes& package) {
  // Positions are signed: a damaged index points before the start of the file.
  const std::int64_t length = static_cast<std::int64_t>(package.size());
  const std::int64_t count_at =
      length - static_cast<std::int64_t>(kClosingBlockLength + kCountLength);
  if (count_at < 0) return std::nullopt;
  const std::optional<int> count = ReadCountField(Field(package, count_at, kCountLength));
  if (!count) return std::nullopt;

  std::vector<PackageEntry> entries;
  std::int64_t header_at = count_at;  // each header ends where the one after it begins
  int k = 1;
  do {  // tested at its end: entry 1 is read even for a count of 0
    header_at -= static_cast<std::int64_t>(kHeaderLength);
    if (header_at < 0) return std::nullopt;
    auto name = ReadNameField(Field(package, header_at, kNameLength));
    const auto size = ReadSizeField(Field(package, header_at + kNameLength, kSizeLength));
    if (!name || !size) return std::nullopt;
    // The data must lie within the file too, or the copy could never read them.
    const std::int64_t data_at = header_at - static_cast<std::int64_t>(*size);
    if (data_at < 0) return std::nullopt;
    entries.push_back({std::move(*name), static_cast<std::uint64_t>(data_at), *size});
    header_at = data_at;
    ++k;
  } while (k <= *count);
  return entries;
}

Seal CheckSeal(const Bytes& package, Crypto& crypto) {
  if (package.size() < kClosingBlockLength) return Seal::kNone;
  const std::size_t block_at = package.size() - kClosingBlockLength;
  const std::string_view block = Field(package, block_at, kClosingBlockLength);
  if (!block.starts_with(kChecksumTag)) return Seal::kNone;
  Bytes recorded;
  if (!FromHex(std::string(block.substr(kChecksumTag.size(), kDigestHexLength)), recorded) ||
      recorded.size() != Sha256Digest().size()) {
    return Seal::kBroken;
  }
  Sha256Digest digest;
  if (!crypto.Sha256(
          Bytes(package.begin(), package.begin() + static_cast<std::ptrdiff_t>(block_at)),
          digest)) {
    return Seal::kUncheckable;
  }
  return ConstantTimeEquals(recorded, Bytes(digest.begin(), digest.end())) ? Seal::kIntact
                                                                           : Seal::kBroken;
}

std::string SealedClosingBlock(const Sha256Digest& digest) {
  std::string block(kChecksumTag);
  block += ToHex(digest.data(), digest.size());
  block.append(kClosingBlockLength - block.size() - 2, '\t');
  block += "\r\n";
  return block;
}

}  // namespace kdw::installer

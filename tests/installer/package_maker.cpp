#include "tests/installer/package_maker.h"

#include "installer/package.h"

namespace kdw::installer::testing {
namespace {

void Append(Bytes& to, std::string_view text) { to.insert(to.end(), text.begin(), text.end()); }

std::string PadLeft(const std::string& text, std::size_t width, char pad) {
  return text.size() >= width ? text : std::string(width - text.size(), pad) + text;
}

}  // namespace

Bytes MakePackage(Crypto& crypto, const Bytes& image, const std::vector<PackedFile>& files,
                  Closing closing) {
  Bytes package = image;
  for (const PackedFile& file : files) {
    package.insert(package.end(), file.data.begin(), file.data.end());
    Append(package, PadLeft(file.name, kNameLength, '\r'));
    Append(package, PadLeft(std::to_string(file.data.size()), kSizeLength, '0'));
  }
  Append(package, PadLeft(std::to_string(files.size()), kCountLength, '\r'));
  if (closing == Closing::kSealed) {
    package.resize(package.size() + kClosingBlockLength);
    Reseal(crypto, package);
  } else {
    std::string block = "Kelmor Deskwarden OCX package";
    block.append(kClosingBlockLength - block.size() - 2, '\t');
    Append(package, block + "\r\n");
  }
  return package;
}

void Reseal(Crypto& crypto, Bytes& package) {
  const std::size_t body = package.size() - kClosingBlockLength;
  Sha256Digest digest{};
  crypto.Sha256(Bytes(package.begin(), package.begin() + static_cast<std::ptrdiff_t>(body)),
                digest);
  PutFromEnd(package, kClosingBlockLength, SealedClosingBlock(digest));
}

void PutFromEnd(Bytes& package, std::size_t offset, std::string_view text) {
  std::copy(text.begin(), text.end(), package.end() - static_cast<std::ptrdiff_t>(offset));
}

Bytes StandIn(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>((i * 31 + seed * 7 + (i >> 8)) & 0xFF);
  }
  return bytes;
}

std::string Slice(const Bytes& bytes, std::size_t offset, std::size_t length) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

}  // namespace kdw::installer::testing

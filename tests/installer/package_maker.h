// Packages for tests, laid out byte by byte as the packer lays them out, so
// that a test can build the shipped layout with stand-in files and then
// damage any field of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/crypto.h"
#include "platform/handles.h"

namespace kdw::installer::testing {

struct PackedFile {
  std::string name;
  Bytes data;
};

enum class Closing {
  kSealed,  // the packer's block: the SHA-256 of everything before it
  kPlain,   // text padded with TABs, ending with CR LF, and no checksum
};

// The image, then each file in the order given (data, then its header),
// the count and the closing block.
Bytes MakePackage(Crypto& crypto, const Bytes& image, const std::vector<PackedFile>& files,
                  Closing closing = Closing::kSealed);

// Writes the seal again over the package as it now is, after a test has
// changed a field on purpose.
void Reseal(Crypto& crypto, Bytes& package);

// Overwrites `text.size()` bytes from `offset` counted back from the end.
void PutFromEnd(Bytes& package, std::size_t offset, std::string_view text);

// Stand-in file contents: `size` bytes of every value, different per seed.
Bytes StandIn(std::size_t size, std::uint8_t seed);

std::string Slice(const Bytes& bytes, std::size_t offset, std::size_t length);

}  // namespace kdw::installer::testing

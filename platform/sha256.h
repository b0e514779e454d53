// SHA-256 (FIPS 180-4) in portable C++, for the Windows that have none of
// their own: CryptoAPI hashes SHA-256 only from Windows XP SP3 on. Password
// records and package seals are the same bytes whichever hashed them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kdw {

class Sha256Hasher {
 public:
  Sha256Hasher();
  void Update(const std::uint8_t* data, std::size_t size);
  // The digest of everything given; the hasher is spent afterwards.
  std::array<std::uint8_t, 32> Finish();

 private:
  void Compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> pending_{};
  std::size_t pending_size_ = 0;
  std::uint64_t total_bytes_ = 0;
};

// The digest of `size` bytes at `data` in one call.
std::array<std::uint8_t, 32> BundledSha256(const std::uint8_t* data, std::size_t size);

}  // namespace kdw

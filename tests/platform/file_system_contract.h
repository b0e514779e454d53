// The FileSystem contract is written once and run against each
// implementation: natively against the in-memory fake, under Wine against
// the real files in a temporary folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace kdw::fscontract {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual FileSystem& fs() = 0;
  // An empty folder that exists for one test; no trailing backslash.
  virtual std::string Scratch() = 0;
  // Set-up and inspection that go around the interface.
  virtual void MakeFile(const std::string& path, const std::string& contents,
                        std::uint32_t attributes) = 0;
  virtual void MakeFolder(const std::string& path) = 0;
  virtual std::uint32_t Attributes(const std::string& path) = 0;  // 0 when missing
  // Removes the scratch folder and everything in it.
  virtual void Clean() = 0;
};
std::unique_ptr<Backend> MakeBackend();

}  // namespace kdw::fscontract

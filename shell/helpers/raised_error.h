// An error raised the way the form code expects it: a number, the routine
// that raised it and a description. Callers that do not catch it receive it,
// as they would an unhandled run-time error.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace kdw {

// Numbers the window helpers raise (as the 32-bit pattern of the error code).
namespace errnum {
inline constexpr std::uint32_t kUserDefined = 0x80040000;      // first user-defined error
inline constexpr std::uint32_t kRegionSizeUnknown = 0x800409D2;
inline constexpr std::uint32_t kRegionDataUnreadable = 0x800409D1;
inline constexpr std::uint32_t kFileNotFound = 53;
inline constexpr std::uint32_t kPathFileAccess = 75;
inline constexpr std::uint32_t kInvalidFileFormat = 321;
}  // namespace errnum

class RaisedError : public std::runtime_error {
 public:
  RaisedError(std::uint32_t number, std::string source, const std::string& description)
      : std::runtime_error(description), number_(number), source_(std::move(source)) {}

  std::uint32_t number() const { return number_; }
  const std::string& source() const { return source_; }
  std::string description() const { return what(); }

  // The same error passed on by another routine under its own name.
  RaisedError WithSource(std::string source) const {
    return RaisedError(number_, std::move(source), what());
  }

 private:
  std::uint32_t number_;
  std::string source_;
};

}  // namespace kdw

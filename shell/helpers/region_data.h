// The shape of a window cut out of a picture, as a list of rectangles, and
// the byte form Windows uses for it (RGNDATA) in region files.
//
// Rectangles are kept in Windows' own canonical order, so a list built here
// equals what GetRegionData returns for the same region: y-x bands (top to
// bottom, each band's rectangles left to right, sharing top and bottom),
// touching rectangles in a band merged, and vertically adjacent bands with
// the same spans merged into one.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kdw {

struct RegionRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

// The colour (0x00BBGGRR, as GetPixel answers) of the picture at (x, y).
using PixelSource = std::function<std::uint32_t(int x, int y)>;

// The picture's rectangle (0, 0, width, height) minus every pixel of the
// transparent colour. Only pixels inside the picture are asked for.
std::vector<RegionRect> ScanPictureRegion(int width, int height, const PixelSource& pixel,
                                          std::uint32_t transparent);

// The smallest rectangle holding all of them; all zero for none.
RegionRect RegionBounds(const std::vector<RegionRect>& rects);

inline constexpr std::uint32_t kRegionHeaderSize = 32;
inline constexpr std::uint32_t kRegionTypeRectangles = 1;  // RDH_RECTANGLES
inline constexpr std::uint32_t kRegionRectSize = 16;

// The RGNDATA block: a 32-byte header (size 32, type 1, count, rectangle
// buffer size, bounding rectangle), then 16 bytes per rectangle, all
// little-endian.
std::vector<std::uint8_t> SerializeRegionData(const std::vector<RegionRect>& rects);

// Reads a block as SerializeRegionData or GetRegionData writes it. Nothing
// when it cannot be one: shorter than its header, a header size other than
// 32, a type other than rectangles, more rectangles than bytes, or an empty
// or inverted rectangle. The buffer-size field and bytes after the last
// rectangle are not checked: Windows itself writes the one as 0 at times and
// ignores the other.
std::optional<std::vector<RegionRect>> ParseRegionData(const std::uint8_t* data,
                                                       std::size_t size);
inline std::optional<std::vector<RegionRect>> ParseRegionData(
    const std::vector<std::uint8_t>& bytes) {
  return ParseRegionData(bytes.data(), bytes.size());
}

}  // namespace kdw

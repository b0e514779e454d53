#include "shell/helpers/region_data.h"

#include <algorithm>

namespace kdw {
namespace {

struct Span {
  std::int32_t left;
  std::int32_t right;
  friend bool operator==(const Span&, const Span&) = default;
};

// The opaque stretches of one row, left to right, each as long as it goes.
std::vector<Span> RowSpans(int y, int width, const PixelSource& pixel, std::uint32_t transparent) {
  std::vector<Span> spans;
  int x = 0;
  while (x < width) {
    while (x < width && pixel(x, y) == transparent) ++x;
    const int start = x;
    while (x < width && pixel(x, y) != transparent) ++x;
    if (start < x) spans.push_back({start, x});
  }
  return spans;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutRect(std::vector<std::uint8_t>& out, const RegionRect& r) {
  PutU32(out, static_cast<std::uint32_t>(r.left));
  PutU32(out, static_cast<std::uint32_t>(r.top));
  PutU32(out, static_cast<std::uint32_t>(r.right));
  PutU32(out, static_cast<std::uint32_t>(r.bottom));
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

RegionRect GetRect(const std::uint8_t* p) {
  return {static_cast<std::int32_t>(GetU32(p)), static_cast<std::int32_t>(GetU32(p + 4)),
          static_cast<std::int32_t>(GetU32(p + 8)), static_cast<std::int32_t>(GetU32(p + 12))};
}

}  // namespace

std::vector<RegionRect> ScanPictureRegion(int width, int height, const PixelSource& pixel,
                                          std::uint32_t transparent) {
  std::vector<RegionRect> rects;
  if (width <= 0 || height <= 0) return rects;

  // The open band: rows band_top..y-1 all had exactly these spans.
  std::vector<Span> band;
  int band_top = 0;
  auto close_band = [&](int bottom) {
    for (const Span& s : band) rects.push_back({s.left, band_top, s.right, bottom});
  };
  for (int y = 0; y < height; ++y) {
    std::vector<Span> row = RowSpans(y, width, pixel, transparent);
    if (row == band) continue;
    close_band(y);
    band = std::move(row);
    band_top = y;
  }
  close_band(height);
  return rects;
}

RegionRect RegionBounds(const std::vector<RegionRect>& rects) {
  if (rects.empty()) return {};
  RegionRect b = rects.front();
  for (const RegionRect& r : rects) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

std::vector<std::uint8_t> SerializeRegionData(const std::vector<RegionRect>& rects) {
  std::vector<std::uint8_t> out;
  const auto count = static_cast<std::uint32_t>(rects.size());
  out.reserve(kRegionHeaderSize + kRegionRectSize * rects.size());
  PutU32(out, kRegionHeaderSize);
  PutU32(out, kRegionTypeRectangles);
  PutU32(out, count);
  PutU32(out, count * kRegionRectSize);
  PutRect(out, RegionBounds(rects));
  for (const RegionRect& r : rects) PutRect(out, r);
  return out;
}

std::optional<std::vector<RegionRect>> ParseRegionData(const std::uint8_t* data,
                                                       std::size_t size) {
  if (data == nullptr || size < kRegionHeaderSize) return std::nullopt;
  if (GetU32(data) != kRegionHeaderSize || GetU32(data + 4) != kRegionTypeRectangles) {
    return std::nullopt;
  }
  // In 64 bits: a count near 2^32 must not wrap round to a small length.
  const std::uint64_t count = GetU32(data + 8);
  if (count > (size - kRegionHeaderSize) / kRegionRectSize) return std::nullopt;

  std::vector<RegionRect> rects;
  rects.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) {
    const RegionRect r = GetRect(data + kRegionHeaderSize + i * kRegionRectSize);
    if (r.left >= r.right || r.top >= r.bottom) return std::nullopt;
    rects.push_back(r);
  }
  return rects;
}

}  // namespace kdw

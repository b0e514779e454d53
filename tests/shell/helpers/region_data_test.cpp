// The region cut from a picture and its file form, without Windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "shell/helpers/region_data.h"

namespace kdw {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;

// A picture drawn as text rows: '.' is white (transparent), anything else red.
struct Picture {
  std::vector<std::string> rows;
  int width() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
  int height() const { return static_cast<int>(rows.size()); }
  std::vector<RegionRect> Scan() const {
    return ScanPictureRegion(
        width(), height(),
        [this](int x, int y) { return rows.at(y).at(x) == '.' ? kWhite : kRed; }, kWhite);
  }
};

using Rects = std::vector<RegionRect>;

TEST(ScanPictureRegion, CutsOutEveryRunOfTheTransparentColour) {
  EXPECT_EQ((Rects{{1, 0, 2, 1}}), (Picture{{".x."}}.Scan()));
  EXPECT_EQ((Rects{{0, 0, 3, 2}}), (Picture{{"xxx", "xxx"}}.Scan()));
  EXPECT_EQ(Rects{}, (Picture{{"...", "..."}}.Scan()));
  // Runs touching the left and right edges, and several runs in one row.
  EXPECT_EQ((Rects{{2, 0, 3, 1}, {5, 0, 6, 1}}), (Picture{{"..x..x"}}.Scan()));
  EXPECT_EQ((Rects{{0, 0, 1, 1}, {3, 0, 4, 1}}), (Picture{{"x..x.."}}.Scan()));
  EXPECT_EQ(Rects{}, ScanPictureRegion(-3, -3, [](int, int) -> std::uint32_t { throw 0; }, 0));
}

TEST(ScanPictureRegion, GivesWindowsBandedForm) {
  // Rows with the same spans share one band; a different row, or a blank
  // row between equal ones, starts a new band.
  const Picture p{{"x..x",
                   "x..x",
                   "xxxx",
                   "....",
                   "x..x"}};
  EXPECT_EQ((Rects{{0, 0, 1, 2}, {3, 0, 4, 2}, {0, 2, 4, 3}, {0, 4, 1, 5}, {3, 4, 4, 5}}),
            p.Scan());
}

TEST(ScanPictureRegion, RandomPicturesAreCoveredExactlyOnce) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 200; ++round) {
    Picture p;
    const int w = 1 + static_cast<int>(rng() % 9);
    const int h = 1 + static_cast<int>(rng() % 9);
    for (int y = 0; y < h; ++y) {
      std::string row;
      for (int x = 0; x < w; ++x) row += rng() % 3 == 0 ? '.' : 'x';
      // Repeat rows now and then so that bands form.
      p.rows.push_back(y > 0 && rng() % 2 ? p.rows.back() : row);
    }
    const Rects rects = p.Scan();
    std::vector<int> cover(w * h, 0);
    for (std::size_t i = 0; i < rects.size(); ++i) {
      const RegionRect& r = rects[i];
      ASSERT_TRUE(r.left < r.right && r.top < r.bottom);
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ++cover.at(y * w + x);
      if (i > 0) {
        const RegionRect& q = rects[i - 1];
        // Ordered by band, then left to right, never touching in a band.
        ASSERT_TRUE(q.top < r.top || (q.top == r.top && q.bottom == r.bottom && q.right < r.left));
      }
    }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(p.rows[y][x] == '.' ? 0 : 1, cover[y * w + x]) << "at " << x << "," << y;
  }
}

std::vector<std::uint8_t> Le32(std::initializer_list<std::uint32_t> values) {
  std::vector<std::uint8_t> out;
  for (std::uint32_t v : values)
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  return out;
}

TEST(RegionData, SerialisesAsRgndataAndReadsBack) {
  const Rects rects{{1, 0, 2, 1}, {-5, 3, 7, 4}};
  const auto bytes = SerializeRegionData(rects);
  EXPECT_EQ(Le32({32, 1, 2, 32, static_cast<std::uint32_t>(-5), 0, 7, 4,
                  1, 0, 2, 1, static_cast<std::uint32_t>(-5), 3, 7, 4}),
            bytes);
  EXPECT_EQ(rects, ParseRegionData(bytes));

  EXPECT_EQ(Le32({32, 1, 0, 0, 0, 0, 0, 0}), SerializeRegionData({}));
  EXPECT_EQ(Rects{}, ParseRegionData(SerializeRegionData({})));
}

TEST(RegionData, AcceptsWhatWindowsMayWrite) {
  // A zero buffer-size field and bytes after the last rectangle.
  auto bytes = Le32({32, 1, 1, 0, 0, 0, 4, 4, 0, 0, 4, 4, 0xDEADBEEF});
  EXPECT_EQ((Rects{{0, 0, 4, 4}}), ParseRegionData(bytes));
}

TEST(RegionData, RejectsDamagedBlocks) {
  const auto good = SerializeRegionData({{0, 0, 2, 2}, {3, 0, 4, 2}});
  ASSERT_TRUE(ParseRegionData(good));

  EXPECT_FALSE(ParseRegionData(nullptr, 0));
  EXPECT_FALSE(ParseRegionData({}));
  EXPECT_FALSE(ParseRegionData(std::vector<std::uint8_t>(good.begin(), good.begin() + 31)));
  // One byte short of the last rectangle.
  EXPECT_FALSE(ParseRegionData(std::vector<std::uint8_t>(good.begin(), good.end() - 1)));

  auto patched = [&](std::size_t offset, std::uint32_t value) {
    auto bytes = good;
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
  };
  EXPECT_FALSE(ParseRegionData(patched(0, 40)));          // header size
  EXPECT_FALSE(ParseRegionData(patched(4, 2)));           // type
  EXPECT_FALSE(ParseRegionData(patched(8, 3)));           // count beyond the data
  EXPECT_FALSE(ParseRegionData(patched(8, 0x10000002)));  // count that wraps when multiplied
  EXPECT_FALSE(ParseRegionData(patched(8, 0xFFFFFFFF)));
  EXPECT_FALSE(ParseRegionData(patched(32 + 8, 0)));      // right left of left
  EXPECT_FALSE(ParseRegionData(patched(48 + 12, 0)));     // empty height
}

}  // namespace
}  // namespace kdw

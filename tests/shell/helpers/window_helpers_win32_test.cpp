// The window helpers against real windows, menus, regions and files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "shell/helpers/buttons.h"
#include "shell/helpers/region_data.h"
#include "shell/helpers/transparent.h"

namespace kdw {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class Window {
 public:
  explicit Window(DWORD style, HWND owner = nullptr) {
    hwnd_ = CreateWindowExA(0, "STATIC", "helpers", style, 10, 10, 200, 150, owner, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  ~Window() { DestroyWindow(hwnd_); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

class Bitmap {
 public:
  // Each text row is one pixel row: '.' white, anything else red.
  explicit Bitmap(const std::vector<std::string>& rows) {
    const UniqueScreenDc screen(GetDC(nullptr));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), static_cast<int>(rows[0].size()),
                                         static_cast<int>(rows.size())));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelect selected(dc.get(), bitmap_.get());
    for (std::size_t y = 0; y < rows.size(); ++y)
      for (std::size_t x = 0; x < rows[y].size(); ++x)
        SetPixel(dc.get(), static_cast<int>(x), static_cast<int>(y),
                 rows[y][x] == '.' ? kWhite : kRed);
  }
  HBITMAP get() const { return bitmap_.get(); }

 private:
  UniqueBitmap bitmap_;
};

std::vector<std::uint8_t> RegionBytes(HRGN region) {
  std::vector<std::uint8_t> bytes(GetRegionData(region, 0, nullptr));
  if (!bytes.empty()) {
    GetRegionData(region, static_cast<DWORD>(bytes.size()),
                  reinterpret_cast<RGNDATA*>(bytes.data()));
  }
  return bytes;
}

std::vector<std::uint8_t> WindowRegionBytes(HWND window) {
  UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.get()) == ERROR) return {};
  return RegionBytes(region.get());
}

std::string TempFile(const std::string& name) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + "kdw_helpers_" + name;
  DeleteFileA(path.c_str());
  return path;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

bool HasMenuItem(HWND window, UINT id, UINT* state = nullptr) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STATE;
  if (!GetMenuItemInfoA(GetSystemMenu(window, FALSE), id, FALSE, &mii)) return false;
  if (state) *state = mii.fState;
  return true;
}

template <typename F>
RaisedError RaisedBy(F f) {
  try {
    f();
  } catch (const RaisedError& e) {
    return e;
  }
  ADD_FAILURE() << "nothing was raised";
  return RaisedError(0, "", "");
}

TEST(EnableMaxButton, GreysAndRestoresTheMaximizeButton) {
  Window w(WS_OVERLAPPEDWINDOW);
  ASSERT_TRUE(w.get());
  ASSERT_TRUE(HasMenuItem(w.get(), SC_MAXIMIZE));

  EnableMaxButton(w.get(), false);
  EXPECT_FALSE(GetWindowLongA(w.get(), GWL_STYLE) & WS_MAXIMIZEBOX);
  EXPECT_FALSE(HasMenuItem(w.get(), SC_MAXIMIZE));
  UINT state = 0;
  ASSERT_TRUE(HasMenuItem(w.get(), kDisabledMaximizeId, &state));
  EXPECT_EQ(UINT{MFS_GRAYED}, state & MFS_GRAYED);

  // Already greyed: the item is no longer where it is looked for.
  const RaisedError again = RaisedBy([&] { EnableMaxButton(w.get(), false); });
  EXPECT_EQ(0x80040000u, again.number());
  EXPECT_EQ("modCloseBtn::EnableMaxButton", again.source());
  EXPECT_EQ("modCloseBtn::EnableMaxButton() - Menu Item Not Found", again.description());

  EnableMaxButton(w.get(), true);
  EXPECT_TRUE(GetWindowLongA(w.get(), GWL_STYLE) & WS_MAXIMIZEBOX);
  EXPECT_FALSE(HasMenuItem(w.get(), kDisabledMaximizeId));
  ASSERT_TRUE(HasMenuItem(w.get(), SC_MAXIMIZE, &state));
  EXPECT_EQ(0u, state & MFS_GRAYED);
  EXPECT_EQ("modCloseBtn::EnableMaxButton() - Menu Item Not Found",
            RaisedBy([&] { EnableMaxButton(w.get(), true); }).description());
}

TEST(EnableMaxButton, RaisesForAWindowThatIsNone) {
  HWND gone = Window(WS_OVERLAPPEDWINDOW).get();
  for (HWND h : {HWND{nullptr}, gone}) {
    const RaisedError e = RaisedBy([&] { EnableMaxButton(h, false); });
    EXPECT_EQ(0x80040000u, e.number());
    EXPECT_EQ("modCloseBtn::EnableMaxButton", e.source());
    EXPECT_EQ("modCloseBtn::EnableMaxButton() - Invalid Window Handle", e.description());
  }
  EXPECT_EQ("modCloseBtn::Close() - Invalid Window Handle",
            RaisedBy([] { SetSystemMenuItemState(nullptr, SC_CLOSE, 0xFFF0, false, "Close"); })
                .description());
}

TEST(EnableMaxButton, OwnedPopupStaysTopLevel) {
  // GetParent answers a popup's owner.
  Window owner(WS_OVERLAPPEDWINDOW);
  Window popup(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, owner.get());
  ASSERT_EQ(owner.get(), GetParent(popup.get()));
  EnableMaxButton(popup.get(), false);
  EXPECT_EQ(owner.get(), GetWindow(popup.get(), GW_OWNER));
  EXPECT_EQ(GetDesktopWindow(), GetAncestor(popup.get(), GA_PARENT));
  EXPECT_FALSE(GetWindowLongA(popup.get(), GWL_STYLE) & WS_MAXIMIZEBOX);
}

TEST(TransparentRegion, PictureGivesTheOpaquePixels) {
  Window w(WS_POPUP);
  Bitmap picture({".x."});
  clsTransparent shaper;
  shaper.SetRegion(w.get(), picture.get(), kWhite);
  EXPECT_EQ(w.get(), shaper.form());

  UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(SIMPLEREGION, GetWindowRgn(w.get(), region.get()));
  RECT box{};
  GetRgnBox(region.get(), &box);
  EXPECT_EQ(1, box.left);
  EXPECT_EQ(0, box.top);
  EXPECT_EQ(2, box.right);
  EXPECT_EQ(1, box.bottom);
}

TEST(TransparentRegion, ScanMatchesWhatWindowsMakesOfIt) {
  const std::vector<std::string> rows{"..xx..x", "..xx..x", "xxxxxxx", ".......", "x.....x"};
  Bitmap picture(rows);
  clsTransparent shaper;
  UniqueRegion region(shaper.RegionFromPicture(picture.get(), kWhite));
  ASSERT_TRUE(region);
  const auto expected = ScanPictureRegion(
      7, 5, [&](int x, int y) { return rows[y][x] == '.' ? 0xFFFFFFu : 0xFFu; }, 0xFFFFFF);
  EXPECT_EQ(SerializeRegionData(expected), RegionBytes(region.get()));

  // Nothing transparent: the whole picture. All transparent: nothing.
  UniqueRegion full(shaper.RegionFromPicture(picture.get(), RGB(0, 255, 0)));
  EXPECT_EQ(SerializeRegionData({{0, 0, 7, 5}}), RegionBytes(full.get()));
  Bitmap blank({"...", "..."});
  UniqueRegion none(shaper.RegionFromPicture(blank.get(), kWhite));
  RECT box{};
  EXPECT_EQ(NULLREGION, GetRgnBox(none.get(), &box));
}

TEST(TransparentRegion, FileIsWrittenOnceAndThenUsed) {
  const std::string file = TempFile("shape.rgn");
  Window first(WS_POPUP);
  Bitmap picture({"x.x", "xxx"});
  clsTransparent shaper;
  shaper.SetRegion(first.get(), picture.get(), kWhite, file);
  const auto written = ReadBytes(file);
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(WindowRegionBytes(first.get()), written);

  // The second form's picture has no transparent pixel: its shape can only
  // come from the file.
  Window second(WS_POPUP);
  Bitmap solid({"xxx", "xxx"});
  clsTransparent again;
  again.SetRegion(second.get(), solid.get(), kWhite, file);
  EXPECT_EQ(written, WindowRegionBytes(second.get()));
  EXPECT_EQ(written, ReadBytes(file));
  DeleteFileA(file.c_str());
}

TEST(TransparentRegion, SaveFailuresAreRaisedAsTransForm) {
  clsTransparent shaper;
  const RaisedError none = RaisedBy([&] { shaper.SaveRegionDataToFile(TempFile("none.rgn")); });
  EXPECT_EQ(0x800409D2u, none.number());
  EXPECT_EQ("TransForm", none.source());
  EXPECT_EQ("Unable to determine size of region in SaveRegionDataToFile", none.description());

  // A folder that does not exist: the error comes out of SetRegion, and the
  // window keeps the shape it had.
  Window w(WS_POPUP);
  Bitmap picture({".x."});
  const std::string bad = TempFile("no_such_folder\\shape.rgn");
  const RaisedError unwritable =
      RaisedBy([&] { shaper.SetRegion(w.get(), picture.get(), kWhite, bad); });
  EXPECT_EQ("TransForm", unwritable.source());
  EXPECT_EQ(ERROR, GetWindowRgn(w.get(), UniqueRegion(CreateRectRgn(0, 0, 0, 0)).get()));
}

TEST(TransparentRegion, MissingOrDamagedFileIsRaisedNotRead) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string program = exe;
  program = program.substr(program.find_last_of('\\') + 1);
  program = program.substr(0, program.rfind('.'));
  const std::string source = program + ".cDIBSectionRegion";

  clsTransparent shaper;
  const RaisedError missing = RaisedBy([&] { shaper.RegionFromFile(TempFile("missing.rgn")); });
  EXPECT_EQ(53u, missing.number());
  EXPECT_EQ(source, missing.source());

  const auto good = SerializeRegionData({{0, 0, 2, 2}, {3, 0, 4, 2}});
  auto huge_count = good;
  huge_count[10] = 0xFF;  // count 0x00FF0002
  auto wrong_type = good;
  wrong_type[4] = 2;
  const std::vector<std::vector<std::uint8_t>> damaged{
      {}, {good.begin(), good.begin() + 20}, {good.begin(), good.end() - 4}, huge_count,
      wrong_type};
  const std::string file = TempFile("damaged.rgn");
  for (const auto& bytes : damaged) {
    WriteBytes(file, bytes);
    const RaisedError e = RaisedBy([&] { shaper.RegionFromFile(file); });
    EXPECT_EQ(321u, e.number()) << bytes.size() << " bytes";
    EXPECT_EQ(source, e.source());
  }

  // And a damaged file named to SetRegion leaves the window unshaped.
  Window w(WS_POPUP);
  Bitmap picture({".x."});
  EXPECT_EQ(321u, RaisedBy([&] { shaper.SetRegion(w.get(), picture.get(), kWhite, file); })
                      .number());
  EXPECT_EQ(ERROR, GetWindowRgn(w.get(), UniqueRegion(CreateRectRgn(0, 0, 0, 0)).get()));

  WriteBytes(file, good);
  UniqueRegion loaded(shaper.RegionFromFile(file));
  EXPECT_EQ(good, RegionBytes(loaded.get()));
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace kdw

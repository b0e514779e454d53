// The handle owner: each handle is freed exactly once, whichever way it
// leaves its owner, and the real traits free what they own.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <utility>

#include "platform/win32_handles.h"

namespace kdw {
namespace {

// Counts each handle's frees; 0 is "none".
struct CountingTraits {
  static std::map<int, int>& frees() {
    static std::map<int, int> counts;
    return counts;
  }
  static int Invalid() { return 0; }
  static bool Valid(int h) { return h != 0; }
  static void Close(int h) { ++frees()[h]; }
};
using Counted = UniqueHandle<int, CountingTraits>;

TEST(UniqueHandle, FreesEachHandleExactlyOnce) {
  CountingTraits::frees().clear();
  {
    Counted a(1);
    Counted b(std::move(a));  // moved: only b frees 1
    EXPECT_FALSE(a);
    EXPECT_EQ(1, b.get());

    Counted c(2);
    c = std::move(b);  // 2 goes now, 1 moves on
    EXPECT_EQ(1, CountingTraits::frees()[2]);
    c.reset(1);  // the handle it holds: nothing
    EXPECT_EQ(0, CountingTraits::frees()[1]);

    Counted d(3);
    const int kept = d.release();  // released: its new owner frees it
    EXPECT_EQ(3, kept);
    d.reset(4);
    d.reset();
    EXPECT_EQ(1, CountingTraits::frees()[4]);
    d.reset();  // empty: nothing more
  }
  // 3 was released, so never freed here.
  EXPECT_EQ((std::map<int, int>{{1, 1}, {2, 1}, {4, 1}}), CountingTraits::frees());
}

TEST(UniqueHandle, RealTraitsFreeWhatTheyOwn) {
  // A name nothing else in the session holds: the owner's reference is the
  // only one.
  const char kName[] = "kdw_unique_handle_atom_check";
  ASSERT_EQ(0, GlobalFindAtomA(kName));
  UniqueGlobalAtom atom(GlobalAddAtomA(kName));
  ASSERT_TRUE(atom);
  EXPECT_EQ(atom.get(), GlobalFindAtomA(kName));
  atom.reset();
  EXPECT_EQ(0, GlobalFindAtomA(kName));

  UniqueFont font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, "Tahoma"));
  const HFONT font_handle = font.get();
  EXPECT_EQ(DWORD{OBJ_FONT}, GetObjectType(font_handle));
  font.reset();
  EXPECT_EQ(0u, GetObjectType(font_handle));

  HMENU menu_handle = nullptr;
  {
    UniqueMenu menu(CreatePopupMenu());
    menu_handle = menu.get();
    EXPECT_TRUE(IsMenu(menu_handle));
  }
  EXPECT_FALSE(IsMenu(menu_handle));

  // CreateFile's failure value is "none": nothing is closed for it.
  UniqueFile missing(CreateFileA("Z:\\kdw\\no such folder\\none", GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);
}

}  // namespace
}  // namespace kdw

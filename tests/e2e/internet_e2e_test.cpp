// The Internet Explorer page of kdw3.exe and its two restriction dialogs
// under Wine, driven from this process by design names; the registry is
// checked through advapi32.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kBrowser[] = "Software\\Microsoft\\Internet Explorer";
const char kMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kZone[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";

class InternetE2e : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    Touch(HKEY_CURRENT_USER, kBrowser, "Download Directory");
    Touch(HKEY_CURRENT_USER, kMain, "Download Directory");
    Touch(HKEY_CURRENT_USER, kZone, "1803");
  }

  HWND OpenPage() {
    main_ = StartToMainWindow();
    if (!main_) return nullptr;
    PressKey(main_, VK_F2);
    return program.WaitFor("frmInternet");
  }

  // Posted: the modal dialog the button opens runs its own message loop.
  HWND OpenDialog(const char* button, const char* dialog) {
    HWND opener = InForm("frmInternet", button);
    if (!opener) return nullptr;
    PostMessageA(opener, BM_CLICK, 0, 0);
    return program.WaitForShownForm(dialog);
  }

  HWND main_ = nullptr;
};

TEST_F(InternetE2e, PageOpensMaximizedAndTypingStoresTheDownloadFolder) {
  HWND page = OpenPage();
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Internet Explorer", Text(page));
  EXPECT_TRUE(IsZoomed(page));
  // Restoring it puts it back at once.
  SendMessageA(GetParent(page), WM_MDIRESTORE, reinterpret_cast<WPARAM>(page), 0);
  EXPECT_TRUE(Eventually([&] { return IsZoomed(page); }));

  HWND folder = InForm("frmInternet", "Text4");
  ASSERT_NE(nullptr, folder);
  for (char key : {'D', ':'}) PostMessageA(folder, WM_CHAR, static_cast<WPARAM>(key), 1);
  EXPECT_EQ("D:", Until(TextOf(HKEY_CURRENT_USER, kBrowser, "Download Directory"), "D:"));
  auto stored = Read(HKEY_CURRENT_USER, kBrowser, "Download Directory");
  ASSERT_TRUE(stored);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
  EXPECT_FALSE(Read(HKEY_CURRENT_USER, kMain, "Download Directory"));
}

TEST_F(InternetE2e, BrowserRestrictionsRewriteAPromptAsDisabledAndClose) {
  WriteDword(HKEY_CURRENT_USER, kZone, "1803", 1);
  ASSERT_NE(nullptr, OpenPage());
  EXPECT_EQ("Browser Restricions", Text(InForm("frmInternet", "Command1")));
  HWND dialog = OpenDialog("Command1", "frmNetRes");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(main_, GetWindow(dialog, GW_OWNER));
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the dialog is modal";
  EXPECT_EQ(BST_CHECKED, CheckState(InForm("frmNetRes", "Check6")));
  EXPECT_EQ(3u, ReadDword(HKEY_CURRENT_USER, kZone, "1803"));

  Click(InForm("frmNetRes", "Check6"));
  EXPECT_EQ(0u, Until(DwordOf(HKEY_CURRENT_USER, kZone, "1803"), 0u));
  Click(InForm("frmNetRes", "Image1"));
  EXPECT_TRUE(program.WaitGone("frmNetRes"));
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(main_); }));
}

TEST_F(InternetE2e, OptionsRestrictionsShowOneGroupPerTabAndEscapeCloses) {
  ASSERT_NE(nullptr, OpenPage());
  EXPECT_EQ("IE Options Restricions", Text(InForm("frmInternet", "Command2")));
  HWND dialog = OpenDialog("Command2", "frmNetRes2");
  ASSERT_NE(nullptr, dialog);
  HWND first = InForm("frmNetRes2", "Check1");
  HWND second = InForm("frmNetRes2", "Check18");
  ASSERT_TRUE(first && second);
  EXPECT_EQ("Remove General Tab", Text(first));
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_FALSE(IsWindowVisible(second));

  // The right arrow in the tab strip picks "2nd Section", as a click would.
  const auto visible = [](HWND window) { return [=] { return IsWindowVisible(window) != 0; }; };
  PressKey(InForm("frmNetRes2", "TabStrip1"), VK_RIGHT);
  EXPECT_FALSE(Until(visible(first), false));
  for (int n = 18; n <= 34; ++n) {
    const std::string name = "Check" + std::to_string(n);
    EXPECT_TRUE(Until(visible(InForm("frmNetRes2", name.c_str())), true)) << name;
  }
  PressKey(InForm("frmNetRes2", "TabStrip1"), VK_LEFT);
  EXPECT_TRUE(Until(visible(first), true));
  EXPECT_FALSE(Until(visible(second), false));

  PressKey(dialog, VK_ESCAPE);
  EXPECT_TRUE(program.WaitGone("frmNetRes2"));
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(main_); }));
}

}  // namespace
}  // namespace kdw::e2e

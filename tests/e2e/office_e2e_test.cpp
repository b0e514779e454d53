// The Office page of kdw3.exe under Wine and its Word and Outlook dialogs,
// driven from this process by design names; the registry is checked
// through advapi32.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <utility>

#include "platform/design_name.h"
#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kChoice[] = "Software\\Kelmor\\Deskwarden";
const char kWordOptions[] = "Software\\Microsoft\\Office\\11.0\\Word\\Options";
const char kWordGeneral[] = "Software\\Microsoft\\Office\\11.0\\Common\\General";
const char kSecurityPolicy[] = "Software\\Policies\\Microsoft\\Office\\11.0\\Outlook\\Security";
const char kOutlook[] = "Software\\Microsoft\\Office\\11.0\\Outlook\\";

class Office : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    // No version chosen and nothing of Office 2003 set: an empty registry.
    Touch(HKEY_LOCAL_MACHINE, kChoice, "Office");
    Touch(HKEY_CURRENT_USER, kWordOptions, "CACHESIZE");
    for (const char* name : {"NoPromptToForkDocuments", "NoWideTextPrinting", "NoLiveScrolling"})
      Touch(HKEY_CURRENT_USER, kWordOptions, name);
    Touch(HKEY_CURRENT_USER, kWordGeneral, "Use AutoComplete");
    Touch(HKEY_CURRENT_USER, kSecurityPolicy, "EnableRememberPw");
    for (const auto& [key, name] : kOutlookValues) {
      Touch(HKEY_CURRENT_USER, (std::string(kOutlook) + key).c_str(), name);
    }
    Touch(HKEY_CURRENT_USER, "Software\\Policies\\Microsoft\\Office\\11.0\\Outlook\\InstantMessaging",
          "ForceDisableIM");
  }

  // Presses a button of a page whose handler shows a modal dialog: posted,
  // since the handler returns only when the dialog goes.
  HWND OpenDialog(const char* button, const char* form) {
    PostMessageA(InForm("frmOffice", button), BM_CLICK, 0, 0);
    return program.WaitForShownForm(form);
  }

 private:
  static constexpr std::pair<const char*, const char*> kOutlookValues[] = {
      {"RPC", "DisablePWDialog"},
      {"Preferences", "MinToTray"},
      {"PST", "PSTNullFreeOnClose"},
      {"Today", "Url"},
      {"Security", "OutlookSecureTempFolder"},
  };
};

TEST_F(Office, TheVersionChosenNamesTheKeysOfTheWordAndOutlookDialogs) {
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  PressKey(main, VK_F11);
  HWND page = program.WaitFor("frmOffice");
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Microsoft Office", Text(page));
  EXPECT_FALSE(IsWindowEnabled(InForm("frmOffice", "Check1"))) << "no version yet";

  Pick(InForm("frmOffice", "Combo2"), 1);
  EXPECT_EQ("Office 2003", Until(TextOf(HKEY_LOCAL_MACHINE, kChoice, "Office"), "Office 2003"));
  const auto choice = Read(HKEY_LOCAL_MACHINE, kChoice, "Office");
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), choice->type);
  EXPECT_STREQ("Office 2003", choice->data.c_str());

  HWND word = OpenDialog("Command3", "frmWord");
  ASSERT_NE(nullptr, word);
  EXPECT_NE(WS_CAPTION, GetWindowLongA(word, GWL_STYLE) & WS_CAPTION) << "no title bar";
  EXPECT_FALSE(IsWindowEnabled(main)) << "modal, owned by the main window";
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kWordOptions, "CACHESIZE").has_value())
      << "opening writes nothing for the slider";
  HWND slider = FindByDesignName(word, "Slider1");
  ASSERT_NE(nullptr, slider);
  EXPECT_EQ(5, SendMessageA(slider, TBM_GETPAGESIZE, 0, 0));
  const auto cache = DwordOf(HKEY_CURRENT_USER, kWordOptions, "CACHESIZE");
  PressKey(slider, VK_END);
  EXPECT_EQ(1024u, Until(cache, 1024u));
  PressKey(slider, VK_HOME);
  EXPECT_EQ(64u, Until(cache, 64u));
  Click(FindByDesignName(word, "Image1"));
  EXPECT_TRUE(program.WaitGone("frmWord"));
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(main); }));

  HWND outlook = OpenDialog("Command1", "frmOutlook");
  ASSERT_NE(nullptr, outlook);
  EXPECT_EQ(BST_CHECKED, CheckState(FindByDesignName(outlook, "Check1")));
  EXPECT_EQ(0u, Until(DwordOf(HKEY_CURRENT_USER, kSecurityPolicy, "EnableRememberPw"), 0u));
  Click(FindByDesignName(outlook, "Image1"));
  EXPECT_TRUE(program.WaitGone("frmOutlook"));
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(main); }));
  EXPECT_TRUE(program.running());
}

}  // namespace
}  // namespace kdw::e2e

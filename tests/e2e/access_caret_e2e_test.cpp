// The Access dialog of kdw3.exe under Wine: when it opens, the caret of the
// title bar box stands after its last character, ready for typing on.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/design_name.h"
#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kChoice[] = "Software\\Kelmor\\Deskwarden";
const char kRunTime[] = "Software\\Microsoft\\Office\\11.0\\Access\\Run-Time Options";

// The edit window's selection, start and end.
std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0xdeadbeef, end = 0xdeadbeef;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

class AccessCaret : public Kdw3Test {};

TEST_F(AccessCaret, TheTitleBarBoxOpensWithTheCaretAfterItsText) {
  Touch(HKEY_LOCAL_MACHINE, kChoice, "Office");
  Touch(HKEY_LOCAL_MACHINE, kRunTime, "Titlebar");
  WriteString(HKEY_LOCAL_MACHINE, kChoice, "Office", "Office 2003");
  const std::string title = "Orders Ltd";
  WriteString(HKEY_LOCAL_MACHINE, kRunTime, "Titlebar", title);

  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  PressKey(main, VK_F11);
  ASSERT_NE(nullptr, program.WaitFor("frmOffice"));
  // Posted: the button's handler returns only when the dialog goes.
  PostMessageA(InForm("frmOffice", "Command2"), BM_CLICK, 0, 0);
  HWND access = program.WaitForForm("frmAccess");
  ASSERT_NE(nullptr, access);
  HWND text1 = FindByDesignName(access, "Text1");
  ASSERT_NE(nullptr, text1);
  const auto end = static_cast<DWORD>(title.size());
  // Bounded wait for the load to have shown its text and caret.
  EXPECT_EQ(std::make_pair(end, end), Until([&] { return Selection(text1); }, std::make_pair(end, end)));
  EXPECT_EQ(title, Text(text1));
  Click(FindByDesignName(access, "Image1"));
  EXPECT_TRUE(program.WaitGone("frmAccess"));
}

}  // namespace
}  // namespace kdw::e2e

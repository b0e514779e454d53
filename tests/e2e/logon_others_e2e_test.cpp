// The Logon and Other Functions pages of kdw3.exe under Wine, driven from
// this process by design names; the registry is checked through advapi32.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kEditText[] = "*\\shell\\EditText";
const char kEditCommand[] = "*\\shell\\EditText\\command";

bool KeyExists(HKEY hive, const char* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(hive, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// Types into a text box as the keyboard does, one character at a time.
void Type(HWND edit, char key) {
  PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 1);
}

class LogonOthers : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    // Opening the pages stores DisableCAD and InternetOpenWith when missing.
    Touch(HKEY_LOCAL_MACHINE, kWinlogon, "DisableCAD");
    Touch(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName");
    Touch(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword");
    Touch(HKEY_LOCAL_MACHINE, kWinlogon, "LegalNoticeText");
    Touch(HKEY_CURRENT_USER, kExplorer, "InternetOpenWith");
    Touch(HKEY_CURRENT_USER, kShellFolders, "History");
    verb_existed_ = KeyExists(HKEY_CLASSES_ROOT, kEditText);
    command_existed_ = KeyExists(HKEY_CLASSES_ROOT, kEditCommand);
    Touch(HKEY_CLASSES_ROOT, kEditCommand, "");
    Touch(HKEY_CLASSES_ROOT, kEditText, "");
  }
  // The Notepad verb's keys go too when a test made them and left them.
  void TearDown() override {
    Kdw3Test::TearDown();
    if (!command_existed_) RegDeleteKeyA(HKEY_CLASSES_ROOT, kEditCommand);
    if (!verb_existed_) RegDeleteKeyA(HKEY_CLASSES_ROOT, kEditText);
  }

  HWND OpenSection(UINT key, const char* form) {
    HWND main = StartToMainWindow();
    if (!main) return nullptr;
    PressKey(main, key);
    return program.WaitFor(form);
  }

 private:
  bool verb_existed_ = false;
  bool command_existed_ = false;
};

TEST_F(LogonOthers, LogonPageWritesEveryKeystrokeAndClearsThePassword) {
  WriteString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword", "secret");
  HWND page = OpenSection(VK_F7, "frmLogon");
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Logon and Security", Text(page));
  // A missing DisableCAD asks for Ctrl + Alt + Delete, and is stored so.
  EXPECT_EQ(BST_CHECKED, CheckState(InForm("frmLogon", "Check1")));
  EXPECT_EQ(0u, Until(DwordOf(HKEY_LOCAL_MACHINE, kWinlogon, "DisableCAD"), 0u));

  HWND user = InForm("frmLogon", "Text1");
  ASSERT_NE(nullptr, user);
  std::string typed;
  for (char key : {'A', 'b'}) {
    Type(user, key);
    typed += key;
    EXPECT_EQ(typed, Until(TextOf(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName"), typed));
    auto stored = Read(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName");
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
  }

  // Enter in the legal notice breaks the line, stored as CR LF.
  HWND notice = InForm("frmLogon", "Text6");
  ASSERT_NE(nullptr, notice);
  for (char key : {'a', '\r', 'b'}) Type(notice, key);
  EXPECT_EQ("a\r\nb", Until(TextOf(HKEY_LOCAL_MACHINE, kWinlogon, "LegalNoticeText"), "a\r\nb"));

  HWND password = InForm("frmLogon", "Text2");
  ASSERT_NE(nullptr, password);
  EXPECT_EQ('x', SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0));
  // Another process may not read a password box's text, only its length.
  EXPECT_EQ(6, SendMessageA(password, EM_LINELENGTH, 0, 0));
  Click(InForm("frmLogon", "Image2"));
  EXPECT_EQ("", Until(TextOf(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword"), ""));
  EXPECT_EQ(0, Until([&] { return SendMessageA(password, EM_LINELENGTH, 0, 0); }, 0));
}

TEST_F(LogonOthers, OtherFunctionsPageMakesTheNotepadVerbAndResetsAFolder) {
  HWND page = OpenSection(VK_F8, "frmOthers");
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Other Functions", Text(page));
  EXPECT_EQ(0u, Text(InForm("frmOthers", "Text2")).rfind(" %USERPROFLE% = ", 0));

  HWND notepad = InForm("frmOthers", "Check14");
  ASSERT_NE(nullptr, notepad);
  EXPECT_EQ("Open Files with Notepad", Text(notepad));
  EXPECT_EQ(BST_UNCHECKED, CheckState(notepad));
  Click(notepad);
  EXPECT_EQ("Edit with Notepad",
            Until(TextOf(HKEY_CLASSES_ROOT, kEditText, ""), "Edit with Notepad"));
  EXPECT_EQ("notepad.exe %1", Until(TextOf(HKEY_CLASSES_ROOT, kEditCommand, ""), "notepad.exe %1"));
  Click(notepad);
  EXPECT_FALSE(Until([] { return KeyExists(HKEY_CLASSES_ROOT, kEditCommand); }, false));
  EXPECT_FALSE(Until([] { return KeyExists(HKEY_CLASSES_ROOT, kEditText); }, false));

  Pick(InForm("frmOthers", "Combo1"), 7);  // History
  Click(InForm("frmOthers", "Image1"));
  const char* folder = "%USERPROFILE%\\Local Settings\\History";
  EXPECT_EQ(folder, Until(TextOf(HKEY_CURRENT_USER, kShellFolders, "History"), folder));
  auto history = Read(HKEY_CURRENT_USER, kShellFolders, "History");
  ASSERT_TRUE(history);
  EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), history->type);
  EXPECT_STREQ("%USERPROFILE%\\Local Settings\\History", history->data.c_str());
  EXPECT_EQ(folder, Until(TextOf(InForm("frmOthers", "Text1")), folder));
}

}  // namespace
}  // namespace kdw::e2e

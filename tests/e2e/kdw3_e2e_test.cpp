// kdw3.exe under Wine, driven from this process by design names; the registry
// is checked through advapi32 directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/design_name.h"
#include "platform/password_hash.h"
#include "platform/win32_platform.h"
#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kProduct[] = "Software\\Kelmor\\Deskwarden";
const char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kNonEnum[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
const char kMyComputer[] = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char kDontLoad[] = "Control Panel\\don't load";
const char kCurrentVersion[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// Every value these tests may change.
struct Touched {
  HKEY hive;
  const char* key;
  const char* name;
};
const Touched kTouched[] = {
    {HKEY_LOCAL_MACHINE, kProduct, "Pass"},
    {HKEY_CURRENT_USER, kPolicies, "NoRun"},
    {HKEY_CURRENT_USER, kPolicies, "NoClose"},
    {HKEY_CURRENT_USER, kPolicies, "HideClock"},
    {HKEY_CURRENT_USER, kPolicies, "LockTaskbar"},
    {HKEY_CURRENT_USER, kPolicies, "NoNetworkConnections"},
    {HKEY_CURRENT_USER, kNonEnum, kMyComputer},
    {HKEY_CURRENT_USER, kDontLoad, "desk.cpl"},
    {HKEY_CURRENT_USER, kPolicies, "ForceClassicControlPanel"},
    {HKEY_LOCAL_MACHINE, kCurrentVersion, "RegisteredOwner"},
};

class Kdw3 : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    for (const Touched& value : kTouched) Touch(value.hive, value.key, value.name);
  }
};

TEST_F(Kdw3, MainWindowStartsWithWelcomeAtItsFixedSize) {
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  EXPECT_EQ("Kelmor Deskwarden", Text(main));
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(9735 / 15, outer.right - outer.left);
  EXPECT_EQ(6510 / 15, outer.bottom - outer.top);
  EXPECT_FALSE(GetWindowLongA(main, GWL_STYLE) & WS_MAXIMIZEBOX);

  HWND combo = program.Find("Combo1");
  EXPECT_EQ(10, SendMessageA(combo, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("Welcome", Label2());
  EXPECT_EQ("Account Type: Administrator", Text(program.Find("Label3")));
  EXPECT_EQ("E2E Owner", Text(program.Find("Text1")));

  // Resizing by the border snaps back.
  SetWindowPos(main, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  const auto size = [&] {
    GetWindowRect(main, &outer);
    return std::pair(outer.right - outer.left, outer.bottom - outer.top);
  };
  EXPECT_EQ(std::pair(9735L / 15, 6510L / 15), Until(size, std::pair(9735L / 15, 6510L / 15)));

  // Closing the main window ends the program, cleanly.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, program.WaitForExit());
}

TEST_F(Kdw3, SectionsOpenFromTheListAndByTheirKeys) {
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  Pick(program.Find("Combo1"), 3);  // Start Menu
  ASSERT_NE(nullptr, program.WaitFor("frmStart"));
  EXPECT_TRUE(program.WaitGone("frmWelcome"));
  EXPECT_EQ("Start Menu", Until([&] { return Label2(); }, "Start Menu"));

  PressKey(main, VK_F12);  // About
  ASSERT_NE(nullptr, program.WaitFor("frmWelcome"));
  EXPECT_TRUE(program.WaitGone("frmStart"));
  EXPECT_EQ("Welcome", Until([&] { return Label2(); }, "Welcome"));

  PressKey(main, VK_F4);
  ASSERT_NE(nullptr, program.WaitFor("frmStart"));
  EXPECT_EQ("Start Menu", Until([&] { return Label2(); }, "Start Menu"));
  // The list is left as it was.
  EXPECT_EQ(3, SendMessageA(program.Find("Combo1"), CB_GETCURSEL, 0, 0));

  // A section whose page is not there yet closes the old page and names itself.
  PressKey(main, VK_F11);
  EXPECT_TRUE(program.WaitGone("frmStart"));
  EXPECT_EQ("Microsoft Office", Until([&] { return Label2(); }, "Microsoft Office"));
}

TEST_F(Kdw3, PasswordPromptRefusesAWrongPasswordAndOpensOnTheRightOne) {
  Win32Crypto crypto;
  ASSERT_TRUE(crypto.available());
  WriteString(HKEY_LOCAL_MACHINE, kProduct, "Pass", *MakePasswordRecord(crypto, "Open Sesame"));
  ASSERT_TRUE(program.Start());
  HWND prompt = program.WaitForForm("frmPass");
  ASSERT_NE(nullptr, prompt);
  EXPECT_EQ("Welcome to Kelmor Deskwarden", Text(prompt));
  EXPECT_EQ(nullptr, program.Find("frmMain"));

  HWND entry = program.WaitFor("Text1");
  ASSERT_NE(nullptr, entry);
  SetText(entry, "open sesame");
  PostMessageA(program.Find("Command1"), BM_CLICK, 0, 0);
  HWND box = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, box);
  PostMessageA(box, WM_COMMAND, IDRETRY, 0);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(box); }));
  EXPECT_EQ("", Until(TextOf(entry), ""));
  EXPECT_EQ(nullptr, program.Find("frmMain"));

  SetText(entry, "Open Sesame");
  PostMessageA(entry, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_NE(nullptr, program.WaitForForm("frmMain"));
  EXPECT_TRUE(program.WaitGone("frmPass"));
}

TEST_F(Kdw3, EscapeInThePasswordPromptEndsTheProgram) {
  WriteString(HKEY_LOCAL_MACHINE, kProduct, "Pass", "legacy plain text");
  ASSERT_TRUE(program.Start());
  ASSERT_NE(nullptr, program.WaitForForm("frmPass"));
  HWND entry = program.WaitFor("Text1");
  ASSERT_NE(nullptr, entry);
  PostMessageA(entry, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(0u, program.WaitForExit());
}

TEST_F(Kdw3, StartMenuPageLoadsWritesBackAndWritesEachClick) {
  WriteDword(HKEY_CURRENT_USER, kPolicies, "NoRun", 1);
  WriteDword(HKEY_CURRENT_USER, kPolicies, "NoClose", 2);
  WriteString(HKEY_CURRENT_USER, kPolicies, "HideClock", "1");
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  PressKey(main, VK_F4);
  ASSERT_NE(nullptr, program.WaitFor("frmStart"));
  EXPECT_EQ("Start Menu and Taskbar", Text(program.Find("frmStart")));

  EXPECT_EQ(BST_CHECKED, CheckState(program.Find("Check14")));
  EXPECT_EQ(BST_INDETERMINATE, CheckState(program.Find("Check17")));
  EXPECT_EQ(BST_UNCHECKED, CheckState(program.Find("Check4")));
  EXPECT_EQ(BST_UNCHECKED, CheckState(program.Find("Check2")));
  // Written back as read; what was absent or of another type is left alone.
  EXPECT_EQ(1u, ReadDword(HKEY_CURRENT_USER, kPolicies, "NoRun"));
  EXPECT_EQ(2u, ReadDword(HKEY_CURRENT_USER, kPolicies, "NoClose"));
  EXPECT_FALSE(Read(HKEY_CURRENT_USER, kPolicies, "LockTaskbar"));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), Read(HKEY_CURRENT_USER, kPolicies, "HideClock")->type);

  Click(program.Find("Check2"));
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "LockTaskbar"), 1u));
  Click(program.Find("Check2"));
  EXPECT_EQ(0u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "LockTaskbar"), 0u));
  EXPECT_EQ(BST_UNCHECKED, CheckState(program.Find("Check2")));

  // A grayed box becomes checked at the user's click.
  Click(program.Find("Check17"));
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoClose"), 1u));
  EXPECT_EQ(BST_CHECKED, CheckState(program.Find("Check17")));

  Click(program.Find("Check10"));
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kNonEnum, kMyComputer), 1u));

  // The keyboard: the clicked box has the focus, Tab moves on to the next
  // one in declaration order, Space ticks it.
  HWND clicked = program.Find("Check10");
  PressKey(clicked, VK_TAB);
  HWND next = Until([&] { return FocusOf(clicked); }, program.Find("Check11"));
  EXPECT_EQ("Check11", DesignNameOf(next));
  PressKey(next, VK_SPACE);
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoNetworkConnections"), 1u));
}

TEST_F(Kdw3, ControlPanelPageHidesItemsFromTheKeyboardAndResetsTheView) {
  WriteDword(HKEY_CURRENT_USER, kPolicies, "ForceClassicControlPanel", 1);
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  PressKey(main, VK_F3);
  ASSERT_NE(nullptr, program.WaitFor("frmPanel"));
  EXPECT_EQ("Control Panel", Text(program.Find("frmPanel")));
  EXPECT_EQ(BST_CHECKED, CheckState(program.Find("Check2")));
  EXPECT_EQ("Avoid Accidental Registry Imports", Text(program.Find("Check13")));

  // "Display" is the sixth item: down from the first, then Space ticks it.
  HWND list = program.Find("List1");
  ASSERT_NE(nullptr, list);
  PressKey(list, VK_HOME);
  for (int i = 0; i < 5; ++i) PressKey(list, VK_DOWN);
  PressKey(list, VK_SPACE);
  const auto display = TextOf(HKEY_CURRENT_USER, kDontLoad, "desk.cpl");
  EXPECT_EQ("No", Until(display, "No"));
  auto stored = Read(HKEY_CURRENT_USER, kDontLoad, "desk.cpl");
  ASSERT_TRUE(stored);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
  PressKey(list, VK_SPACE);
  EXPECT_FALSE(Until(display, std::nullopt));

  Click(program.Find("Image5"));
  EXPECT_FALSE(Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "ForceClassicControlPanel"),
                     std::nullopt));
}

TEST_F(Kdw3, ComputerInfoPageWritesTheOwnerAtEveryKeystroke) {
  WriteString(HKEY_LOCAL_MACHINE, kCurrentVersion, "RegisteredOwner", "Ann");
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  PressKey(main, VK_F6);
  ASSERT_NE(nullptr, program.WaitFor("frmInfos"));
  EXPECT_EQ("Computer Informations", Text(program.Find("frmInfos")));
  // The main window has a Label2 of its own: look inside the page.
  const std::string cpu = Text(InForm("frmInfos", "Label2"));
  EXPECT_EQ(0u, cpu.rfind("CPU Name: ", 0)) << cpu;
  EXPECT_EQ(0u, Text(InForm("frmInfos", "Label6")).rfind("System BIOS Version: ", 0));

  HWND owner = program.Find("Text1");
  ASSERT_NE(nullptr, owner);
  EXPECT_EQ("Ann", Text(owner));
  PressKey(owner, VK_END);
  for (const char* typed : {"Anne", "Anne!"}) {
    PostMessageA(owner, WM_CHAR, static_cast<WPARAM>(std::string(typed).back()), 1);
    EXPECT_EQ(typed,
              Until(TextOf(HKEY_LOCAL_MACHINE, kCurrentVersion, "RegisteredOwner"), typed));
  }
}

TEST_F(Kdw3, FirstStartAsksForTheOwnerAndKeepsTheAnswer) {
  Delete(HKEY_LOCAL_MACHINE, kProduct, "Owner");
  ASSERT_TRUE(program.Start());
  HWND question = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, question);
  ASSERT_NE(nullptr, program.WaitFor("InputText"));
  EXPECT_EQ("Enter this program's owner name.", Text(program.Find("InputPrompt")));
  SetText(program.Find("InputText"), "Ada Owner");
  PostMessageA(program.Find("InputOK"), BM_CLICK, 0, 0);
  ASSERT_NE(nullptr, program.WaitForForm("frmMain"));
  EXPECT_EQ(std::string("Ada Owner"), Read(HKEY_LOCAL_MACHINE, kProduct, "Owner")->data.c_str());
  ASSERT_NE(nullptr, program.WaitFor("frmWelcome"));
  EXPECT_EQ("Ada Owner", Until([&] { return Text(program.Find("Text1")); }, "Ada Owner"));
}

TEST_F(Kdw3, AnotherWindowsIsRefusedAndTheProgramEnds) {
  const char* version = "Software\\Microsoft\\Windows NT\\CurrentVersion";
  const std::string product = Read(HKEY_LOCAL_MACHINE, version, "ProductName")->data.c_str();
  WriteString(HKEY_LOCAL_MACHINE, version, "ProductName", "Microsoft Windows XP Home");
  ASSERT_TRUE(program.Start());
  HWND refusal = program.WaitForDialog("Kelmor Deskwarden");
  WriteString(HKEY_LOCAL_MACHINE, version, "ProductName", product);
  ASSERT_NE(nullptr, refusal);
  PostMessageA(refusal, WM_COMMAND, IDOK, 0);
  EXPECT_NE(STILL_ACTIVE, program.WaitForExit());
  EXPECT_EQ(nullptr, program.Find("frmMain"));
}

}  // namespace
}  // namespace kdw::e2e

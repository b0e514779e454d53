// The Drives page and the drive-letter panel of kdw3.exe under Wine, driven
// from this process by design names; the registry is checked through
// advapi32 and the drives through kernel32.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "platform/design_name.h"
#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kStorage[] = "System\\CurrentControlSet\\Control\\StorageDevicePolicies";
const char kMyComputer[] = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// A letter few machines use, so that its title and icon are the test's own.
const char kLetterKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\Q";
const char kLabelKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\Q\\DefaultLabel";
const char kIconKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\Q\\DefaultIcon";

bool KeyExists(HKEY hive, const char* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(hive, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// Presses a button whose handler shows a message box, and closes the box:
// the box's text.
std::string PressAndConfirm(const Program& program, HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
  HWND box = program.WaitForDialog("Kelmor Deskwarden");
  if (!box) return "(no message)";
  std::string text;
  // The message is the box's static text (control id 0xFFFF).
  if (HWND label = GetDlgItem(box, 0xFFFF)) text = Text(label);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (!Eventually([&] { return !IsWindow(box); })) text += " (the box stayed open)";
  return text;
}

class Drives : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    Touch(HKEY_CURRENT_USER, kPolicies, "NoDrives");
    Touch(HKEY_CURRENT_USER, kPolicies, "NoViewOnDrive");
    Touch(HKEY_LOCAL_MACHINE, kStorage, "WriteProtect");
    Touch(HKEY_CLASSES_ROOT, kMyComputer, "LocalizedString");
    letter_existed_ = KeyExists(HKEY_LOCAL_MACHINE, kLetterKey);
    label_existed_ = KeyExists(HKEY_LOCAL_MACHINE, kLabelKey);
    icon_existed_ = KeyExists(HKEY_LOCAL_MACHINE, kIconKey);
    Touch(HKEY_LOCAL_MACHINE, kLabelKey, "");
    Touch(HKEY_LOCAL_MACHINE, kIconKey, "");
  }
  void TearDown() override {
    Kdw3Test::TearDown();
    if (!label_existed_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kLabelKey);
    if (!icon_existed_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kIconKey);
    if (!letter_existed_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kLetterKey);
  }

  HWND OpenDrives() {
    HWND main = StartToMainWindow();
    if (!main) return nullptr;
    PressKey(main, VK_F1);
    return program.WaitFor("frmDrives");
  }

 private:
  bool letter_existed_ = false;
  bool label_existed_ = false;
  bool icon_existed_ = false;
};

TEST_F(Drives, F1OpensThePageWhoseReportListsTheDrivesOfThisMachine) {
  HWND page = OpenDrives();
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Drives", Text(page));
  const std::string report = Text(InForm("frmDrives", "Text3"));

  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, MAX_PATH);
  const std::string root = std::string(folder, 2) + "\\";
  DWORD sectors = 0, bytes = 0, free_clusters = 0, total = 0;
  ASSERT_TRUE(GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &free_clusters, &total));
  const double mb = static_cast<double>(total) / 1024.0 * (sectors * bytes) / 1024.0;
  const std::string size = std::to_string(static_cast<long long>(std::nearbyint(mb)));
  EXPECT_NE(report.find(root + " drive - Fixed Drive\r\n\tDrive Size: " + size + " MB\r\n\tFree Space: "),
            std::string::npos)
      << report;
  // Every drive whose size can be read has its block, from A to Z.
  std::size_t last = 0;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string drive = std::string(1, letter) + ":\\";
    if (!GetDiskFreeSpaceA(drive.c_str(), &sectors, &bytes, &free_clusters, &total)) continue;
    const std::size_t at = report.find(drive + " drive - ");
    EXPECT_NE(at, std::string::npos) << drive;
    if (at == std::string::npos) continue;
    EXPECT_GE(at, last) << drive;
    last = at;
  }
  HWND combo = InForm("frmDrives", "ImageCombo1");
  ASSERT_NE(nullptr, combo);
  EXPECT_EQ(26, SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

TEST_F(Drives, ATitleCreatedForALetterIsStoredAndGoesWithDelete) {
  ASSERT_NE(nullptr, OpenDrives());
  Pick(InForm("frmDrives", "ImageCombo1"), 'Q' - 'A');
  SetText(InForm("frmDrives", "Text1"), "E2E Title");
  EXPECT_EQ("Title and Icon were created successfully.",
            PressAndConfirm(program, InForm("frmDrives", "Command1")));
  const auto title = Until([] { return Read(HKEY_LOCAL_MACHINE, kLabelKey, ""); },
                           std::optional(Stored{REG_SZ, std::string("E2E Title", 10)}));
  ASSERT_TRUE(title.has_value());
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), title->type);
  EXPECT_EQ(std::string("E2E Title", 10), title->data) << "with its NUL";
  EXPECT_TRUE(Read(HKEY_LOCAL_MACHINE, kIconKey, "").has_value()) << "an empty icon is stored";
  EXPECT_EQ("", Until(TextOf(InForm("frmDrives", "Text1")), ""));

  // Choosing the letter again shows what is stored; Delete removes both.
  Pick(InForm("frmDrives", "ImageCombo1"), 'Q' - 'A');
  EXPECT_EQ("E2E Title", Until(TextOf(InForm("frmDrives", "Text1")), "E2E Title"));
  EXPECT_EQ("Title and Icon were deleted successfully.",
            PressAndConfirm(program, InForm("frmDrives", "Command2")));
  EXPECT_FALSE(Until([] { return KeyExists(HKEY_LOCAL_MACHINE, kLabelKey); }, false));
  EXPECT_FALSE(Until([] { return KeyExists(HKEY_LOCAL_MACHINE, kIconKey); }, false));
}

TEST_F(Drives, HideDrivesOpensThePanelWhoseLetterBoxesWriteTheMask) {
  HWND page = OpenDrives();
  ASSERT_NE(nullptr, page);
  PostMessageA(InForm("frmDrives", "Command4"), BM_CLICK, 0, 0);
  HWND panel = program.WaitForForm("frmDrv");
  ASSERT_NE(nullptr, panel);
  EXPECT_NE(WS_CAPTION, GetWindowLongA(panel, GWL_STYLE) & WS_CAPTION) << "no title bar";
  EXPECT_FALSE(IsWindowEnabled(program.Find("frmMain"))) << "modal, owned by the main window";
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kPolicies, "NoDrives").has_value())
      << "opening writes nothing";

  HWND d = FindByDesignName(panel, "d");
  ASSERT_NE(nullptr, d);
  EXPECT_EQ("D:\\", Text(d));
  const auto no_drives = DwordOf(HKEY_CURRENT_USER, kPolicies, "NoDrives");
  Click(d);
  EXPECT_EQ(8u, Until(no_drives, 8u));
  EXPECT_EQ(BST_CHECKED, CheckState(d));

  // The right button toggles nothing and so writes nothing new. A click on
  // E: posted after it is handled after it, so once E:'s bit is stored the
  // right button's turn has passed; had it cleared D:'s bit, that mask
  // would never be seen.
  WriteDword(HKEY_CURRENT_USER, kPolicies, "NoDrives", 8 | 0x2000000);
  HWND e = FindByDesignName(panel, "e");
  ASSERT_NE(nullptr, e);
  PostMessageA(d, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
  PostMessageA(d, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
  PostMessageA(e, BM_CLICK, 0, 0);
  EXPECT_EQ(8u | 16u | 0x2000000u, Until(no_drives, 8u | 16u | 0x2000000u));
  EXPECT_EQ(BST_CHECKED, CheckState(d));

  Click(FindByDesignName(panel, "Image2"));
  EXPECT_TRUE(program.WaitGone("frmDrv"));
  EXPECT_TRUE(Eventually([&] { return IsWindowEnabled(program.Find("frmMain")); }));
  EXPECT_NE(nullptr, program.Find("frmDrives"));
}

}  // namespace
}  // namespace kdw::e2e

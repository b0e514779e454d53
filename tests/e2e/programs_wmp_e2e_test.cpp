// The Programs restriction and Media Player pages of kdw3.exe under Wine,
// driven from this process by design names; the registry is checked through
// advapi32 and the skin folder is a real folder of the prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kDisallowRun[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowRun";
const char kPreferences[] = "Software\\Microsoft\\MediaPlayer\\Preferences";
const char kPolicies[] = "Software\\Policies\\Microsoft\\WindowsMediaPlayer";
const char kPlayerSettings[] = "Software\\Microsoft\\MediaPlayer\\Player\\Settings";
const char kSkinName[] = "E2E Test Skin.wmz";

// Picks an item of a list box as a mouse click does: the selection, then
// the notification to the form.
void Select(HWND list, int index) {
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

class ProgramsWmp : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    Touch(HKEY_CURRENT_USER, kExplorer, "DisallowRun");
    Touch(HKEY_CURRENT_USER, kDisallowRun, "1");
    for (const char* name : {"Maximized", "CDAutoPlay", "SearchPath"})
      Touch(HKEY_CURRENT_USER, kPreferences, name);
    for (const char* name : {"PreventCodecDownload", "SetAndLockSkin", "TitleBar", "DefaultSkin"})
      Touch(HKEY_CURRENT_USER, kPolicies, name);
    Touch(HKEY_CURRENT_USER, kPlayerSettings, "EnableDVDUI");
  }
  // The skin file and the folders a test made go again, innermost first.
  void TearDown() override {
    Kdw3Test::TearDown();
    if (!skin_.empty()) DeleteFileA(skin_.c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryA(it->c_str());
  }

  HWND OpenSection(UINT key, const char* form) {
    HWND main = StartToMainWindow();
    if (!main) return nullptr;
    PressKey(main, key);
    return program.WaitFor(form);
  }

  // A skin in the player's skin folder under Program Files, the folders
  // made as needed.
  bool MakeSkin() {
    auto programs = Read(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                         "ProgramFilesDir");
    if (!programs) return false;
    std::string folder = programs->data.c_str();
    for (const char* part : {"\\Windows Media Player", "\\Skins"}) {
      folder += part;
      if (CreateDirectoryA(folder.c_str(), nullptr)) made_.push_back(folder);
    }
    skin_ = folder + "\\" + kSkinName;
    HANDLE file = CreateFileA(skin_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      skin_.clear();
      return false;
    }
    DWORD written = 0;
    WriteFile(file, "PK", 2, &written, nullptr);
    CloseHandle(file);
    return true;
  }

 private:
  std::vector<std::string> made_;
  std::string skin_;
};

TEST_F(ProgramsWmp, ProgramsPageShowsAnEntryAndTheDeleteKeyEmptiesIt) {
  WriteString(HKEY_CURRENT_USER, kDisallowRun, "1", "notepad.exe");
  HWND page = OpenSection(VK_F9, "frmPrograms");
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Programs Restriction", Text(page));
  EXPECT_EQ("Active Programs Restriction", Text(InForm("frmPrograms", "Check1")));

  HWND list = InForm("frmPrograms", "List1");
  HWND program_box = InForm("frmPrograms", "Text1");
  ASSERT_TRUE(list && program_box);
  EXPECT_EQ(101, SendMessageA(list, LB_GETCOUNT, 0, 0));
  EXPECT_EQ("100", ListItemText(list, 100));
  EXPECT_EQ("", Text(program_box));

  Select(list, 1);
  EXPECT_EQ("notepad.exe", Until(TextOf(program_box), "notepad.exe"));
  PressKey(program_box, VK_DELETE);
  EXPECT_EQ("", Until(TextOf(program_box), ""));
  EXPECT_EQ("", Until(TextOf(HKEY_CURRENT_USER, kDisallowRun, "1"), ""));
  auto stored = Read(HKEY_CURRENT_USER, kDisallowRun, "1");
  ASSERT_TRUE(stored);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
  EXPECT_STREQ("", stored->data.c_str());
}

TEST_F(ProgramsWmp, MediaPlayerPageSelectsTheStoredSkinAndTurnsDvdPlayOn) {
  ASSERT_TRUE(MakeSkin());
  WriteString(HKEY_CURRENT_USER, kPolicies, "DefaultSkin", kSkinName);
  HWND page = OpenSection(VK_F5, "frmWMP");
  ASSERT_NE(nullptr, page);
  EXPECT_EQ("Windows Media Player", Text(page));

  HWND skins = InForm("frmWMP", "File1");
  ASSERT_NE(nullptr, skins);
  const LRESULT selected = SendMessageA(skins, LB_GETCURSEL, 0, 0);
  ASSERT_NE(LB_ERR, selected);
  EXPECT_EQ(kSkinName, ListItemText(skins, static_cast<int>(selected)));
  EXPECT_EQ(kSkinName, Text(InForm("frmWMP", "Text3")));

  HWND dvd = InForm("frmWMP", "Command1");
  ASSERT_NE(nullptr, dvd);
  EXPECT_EQ("Enable DVD Play", Text(dvd));
  Click(dvd);
  EXPECT_EQ("Yes", Until(TextOf(HKEY_CURRENT_USER, kPlayerSettings, "EnableDVDUI"), "Yes"));
  auto stored = Read(HKEY_CURRENT_USER, kPlayerSettings, "EnableDVDUI");
  ASSERT_TRUE(stored);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
  EXPECT_STREQ("Yes", stored->data.c_str());
  EXPECT_EQ("Disable DVD Play", Until(TextOf(dvd), "Disable DVD Play"));
}

}  // namespace
}  // namespace kdw::e2e

// What only the real Windows implementations can show: processes start, the
// program finds its own folder, and the dialogs open, carry their design
// names and answer as promised. The dialogs are driven from a second thread
// through window messages, as a user would press their keys and buttons.
#include "platform/design_name.h"
#include "platform/win32_platform.h"

#include <windows.h>
// after windows.h
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace kdw {
namespace {

std::string Unique(const std::string& text) {
  return text + " " + std::to_string(GetCurrentProcessId());
}

struct WindowSearch {
  const char* caption;  // nullptr: any dialog of this process
  HWND found = nullptr;
};

BOOL CALLBACK MatchOwnDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char class_name[32] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      std::string(class_name) == "#32770" &&
      (!search->caption || std::string(caption) == search->caption)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Waits up to ten seconds for a visible dialog of this process.
HWND WaitForDialog(const char* caption) {
  for (int tries = 0; tries < 200; ++tries) {
    WindowSearch search{caption};
    EnumWindows(MatchOwnDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = temp;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Wine's CryptoAPI hashes SHA-256 as XP SP3 does; asked for the bundled
// hash, the object must not use it, or the crypto vectors would test it twice.
TEST(Win32Crypto, HashesWithCryptoApiUnlessToldNotTo) {
  const Win32Crypto platform;
  const Win32Crypto bundled(Sha256Source::kBundled);
  EXPECT_TRUE(platform.available() && platform.platform_sha256());
  EXPECT_TRUE(bundled.available());
  EXPECT_FALSE(bundled.platform_sha256());
}

TEST(Win32FileSystem, ProgramFolderHoldsThisProgram) {
  Win32FileSystem fs;
  const std::string folder = fs.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE('\\', folder.back());
  EXPECT_TRUE(fs.IsNormalFile(folder + "\\platform_win32_tests.exe"));
  EXPECT_FALSE(fs.IsNormalFile(folder + "\\kdwhelp-not-here.exe"));
}

TEST(Win32ProcessStarter, StartsWithoutWaitingAndReportsMissingPrograms) {
  Win32ProcessStarter starter;
  EXPECT_TRUE(starter.Start("cmd.exe /c exit", sw::kShow));
  EXPECT_FALSE(starter.Start("C:\\no\\such\\folder\\program.exe", sw::kShowNormal));
  EXPECT_FALSE(starter.Start("", sw::kShow));

  // The command line arrives whole: the started program writes a file.
  const std::string marker = TempFolder() + "\\" + Unique("kdw started") + ".txt";
  DeleteFileA(marker.c_str());
  ASSERT_TRUE(starter.Start("cmd.exe /c echo started> \"" + marker + "\"", sw::kShowNormal));
  bool appeared = false;
  for (int tries = 0; tries < 200 && !appeared; ++tries) {
    appeared = GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!appeared) Sleep(50);
  }
  EXPECT_TRUE(appeared);
  Sleep(200);  // let cmd close the file
  DeleteFileA(marker.c_str());
}

TEST(Win32MessageBoxes, GivesTheButtonPressed) {
  Win32MessageBoxes boxes;
  const std::string title = Unique("Kdw message");
  std::string text_seen;
  std::thread user([&] {
    const HWND box = WaitForDialog(title.c_str());
    if (!box) return;
    PostMessageA(box, WM_COMMAND, IDRETRY, 0);
  });
  const int answer = boxes.Show(0, "Password is incorrect. Would you like to try again?", title,
                                mb::kRetryCancel | mb::kIconStop);
  user.join();
  EXPECT_EQ(mb::kIdRetry, answer);
}

class Win32InputBoxTest : public ::testing::Test {
 protected:
  // Opens the box, lets `act` work on it from another thread, and returns
  // the answer.
  template <typename Act>
  std::string AskWhile(const std::string& default_text, Act act) {
    std::thread user([&] {
      const HWND dialog = WaitForDialog(title_.c_str());
      if (!dialog) return;
      act(dialog);
    });
    std::string answer = box_.Ask(0, "Enter this program's owner name.", title_, default_text);
    user.join();
    return answer;
  }

  Win32InputBox box_;
  const std::string title_ = Unique("Kelmor Deskwarden");
};

TEST_F(Win32InputBoxTest, ShowsItsControlsByDesignNameAndGivesTheTypedText) {
  std::string prompt_seen, default_seen, ok_caption, cancel_caption;
  bool centred = false;
  const std::string answer = AskWhile("old text", [&](HWND dialog) {
    const HWND prompt = FindByDesignName(dialog, kInputPromptName);
    const HWND text = FindByDesignName(dialog, kInputTextName);
    const HWND ok = FindByDesignName(dialog, kInputOkName);
    const HWND cancel = FindByDesignName(dialog, kInputCancelName);
    prompt_seen = TextOf(prompt);
    default_seen = TextOf(text);
    ok_caption = TextOf(ok);
    cancel_caption = TextOf(cancel);
    RECT box, work;
    GetWindowRect(dialog, &box);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    centred = std::abs((box.left + box.right) - (work.left + work.right)) <= 2 &&
              std::abs((box.top + box.bottom) - (work.top + work.bottom)) <= 2;
    if (!text || !ok) {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      return;
    }
    SendMessageA(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Jane Owner"));
    PostMessageA(ok, BM_CLICK, 0, 0);
  });
  EXPECT_EQ("Enter this program's owner name.", prompt_seen);
  EXPECT_EQ("old text", default_seen);
  EXPECT_EQ("OK", ok_caption);
  EXPECT_EQ("Cancel", cancel_caption);
  EXPECT_TRUE(centred);
  EXPECT_EQ("Jane Owner", answer);
}

TEST_F(Win32InputBoxTest, CancelGivesTheEmptyText) {
  EXPECT_EQ("", AskWhile("default", [&](HWND dialog) {
              const HWND cancel = FindByDesignName(dialog, kInputCancelName);
              PostMessageA(cancel ? cancel : dialog, cancel ? BM_CLICK : WM_CLOSE, 0, 0);
            }));
}

TEST_F(Win32InputBoxTest, KeyboardEnterConfirmsAndEscapeCancels) {
  // The text box has the focus with the default text in it.
  EXPECT_EQ("as given", AskWhile("as given", [&](HWND dialog) {
              const HWND text = FindByDesignName(dialog, kInputTextName);
              PostMessageA(text ? text : dialog, WM_KEYDOWN, VK_RETURN, 0);
              if (!text) PostMessageA(dialog, WM_CLOSE, 0, 0);
            }));
  EXPECT_EQ("", AskWhile("as given", [&](HWND dialog) {
              const HWND text = FindByDesignName(dialog, kInputTextName);
              PostMessageA(text ? text : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
              if (!text) PostMessageA(dialog, WM_CLOSE, 0, 0);
            }));
}

TEST(Win32FileDialogs, OpenFileDialogGivesTheChosenPathOrNothing) {
  Win32FileDialogs dialogs;
  const std::string folder = TempFolder();
  const std::string file = folder + "\\" + Unique("kdw logon") + ".bmp";
  const HANDLE made = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, made);
  CloseHandle(made);

  const std::string title = Unique("Select a picture");
  std::thread user([&] {
    const HWND dialog = WaitForDialog(title.c_str());
    if (!dialog) return;
    HWND name = GetDlgItem(dialog, edt1);
    if (!name) name = GetDlgItem(dialog, cmb13);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
  const std::string chosen =
      dialogs.ShowOpenFileDialog(0, "Bitmap Pictures (*.bmp)|*.bmp", title, folder);
  user.join();
  EXPECT_EQ(0, lstrcmpiA(file.c_str(), chosen.c_str())) << chosen;

  std::thread cancel([&] {
    const HWND dialog = WaitForDialog(title.c_str());
    if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ("", dialogs.ShowOpenFileDialog(0, "Bitmap Pictures (*.bmp)|*.bmp|", title, folder));
  cancel.join();
  DeleteFileA(file.c_str());
}

TEST(Win32FileDialogs, DirBoxGivesTheChosenFolderOrNothing) {
  Win32FileDialogs dialogs;
  const std::string folder = TempFolder();
  std::thread user([&] {
    const HWND dialog = WaitForDialog(nullptr);
    if (!dialog) return;
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const std::string chosen = dialogs.DirBox(0, "Choose the folder for the skins.");
  user.join();
  EXPECT_EQ(0, lstrcmpiA(folder.c_str(), chosen.c_str())) << chosen;

  std::thread cancel([&] {
    const HWND dialog = WaitForDialog(nullptr);
    if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ("", dialogs.DirBox(0, "Choose a folder."));
  cancel.join();
}

}  // namespace
}  // namespace kdw

// kdwsetup.exe end to end under Wine: packages made from the built program
// and small files of the test's own, run from a scratch folder; the message
// box is found by its title, read and answered from this process, and the
// files it copies are checked in the real system folder (and removed again).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "installer/installer.h"
#include "platform/win32_platform.h"
#include "tests/e2e/driver.h"
#include "tests/installer/package_maker.h"

namespace kdw::installer {
namespace {

std::string g_setup;  // kdwsetup.exe as built

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  char window_class[16] = {};
  GetClassNameA(child, window_class, sizeof window_class);
  const std::string text = e2e::Text(child);
  if (lstrcmpiA(window_class, "Static") == 0 && !text.empty()) {
    *reinterpret_cast<std::string*>(param) += text;
  }
  return TRUE;
}

class KdwSetupE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string id = std::to_string(GetCurrentProcessId());
    folder_ = std::string(temp) + "KdwSetupE2E" + id;
    CreateDirectoryA(folder_.c_str(), nullptr);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    system_ = system;
    names_ = {"KDWE2E" + id + "A.OCX", "KDWE2E" + id + "B.OCX"};
    ASSERT_TRUE(files_.ReadWholeFile(g_setup, image_)) << g_setup;
  }
  void TearDown() override {
    for (const std::string& name : names_) DeleteFileA(Installed(name).c_str());
    for (const std::string& exe : made_) {
      DeleteFileA(exe.c_str());
      RemoveDirectoryA(exe.substr(0, exe.rfind('\\')).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Installed(const std::string& name) const { return system_ + "\\" + name; }
  Bytes Package(const std::vector<testing::PackedFile>& files) {
    return testing::MakePackage(crypto_, image_, files);
  }

  struct Run {
    std::string text;  // of the one message box
    DWORD exit_code = STILL_ACTIVE;
  };
  // Runs the package as `exe_name` in a folder of its own below the scratch
  // folder (Wine may still hold the image of a program that has just ended,
  // so no run writes over another's), answers its message with OK and waits
  // for it to end.
  Run RunPackage(const Bytes& package, const std::string& exe_name) {
    static int runs = 0;  // across the tests, which share the scratch folder
    const std::string folder = folder_ + "\\run" + std::to_string(runs++);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\" + exe_name;
    made_.push_back(exe);
    EXPECT_TRUE(files_.WriteWholeFile(exe, package));
    e2e::Program program(exe);
    Run run;
    EXPECT_TRUE(program.Start()) << exe << ": error " << GetLastError();
    HWND box = program.WaitForDialog(kTitle, 30000);
    EXPECT_NE(nullptr, box);
    if (!box) return run;
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&run.text));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    run.exit_code = program.WaitForExit(15000);
    return run;
  }
  Bytes Read(const std::string& path) {
    Bytes bytes;
    return files_.ReadWholeFile(path, bytes) ? bytes : Bytes{'-', '-'};
  }

  Win32FileSystem files_;
  Win32Crypto crypto_;
  Bytes image_;
  std::string folder_;
  std::string system_;
  std::vector<std::string> names_;
  std::vector<std::string> made_;
};

TEST_F(KdwSetupE2E, InstallsBothFilesByteForByte) {
  Bytes first;  // every byte value, CR LF, end-of-file and NUL
  for (int i = 0; i < 256; ++i) first.push_back(static_cast<std::uint8_t>(i));
  first.insert(first.end(), {'\r', '\n', 0x1a, 0});
  const Bytes second = testing::StandIn(65'537, 7);

  const Run run = RunPackage(Package({{names_[0], first}, {names_[1], second}}), "kdwsetup.exe");
  EXPECT_EQ(kInstalled, run.text);
  EXPECT_EQ(static_cast<DWORD>(Outcome::kInstalled), run.exit_code);
  EXPECT_EQ(first, Read(Installed(names_[0])));
  EXPECT_EQ(second, Read(Installed(names_[1])));
}

// Two entries under one name: the file appended first is copied last, so
// it is the one left in place. The program finds its package under
// whatever name it was started as.
TEST_F(KdwSetupE2E, CopiesTheFileAppendedLastFirst) {
  const Bytes appended_first = testing::StandIn(300, 1);
  const Bytes appended_last = testing::StandIn(500, 2);
  const Run run = RunPackage(Package({{names_[0], appended_first}, {names_[0], appended_last}}),
                             "ocx setup copy.exe");
  EXPECT_EQ(kInstalled, run.text);
  EXPECT_EQ(appended_first, Read(Installed(names_[0])));
}

TEST_F(KdwSetupE2E, DamagedPackageCopiesNothing) {
  Bytes package = Package({{names_[0], testing::StandIn(4000, 3)}, {names_[1], {}}});
  package[image_.size() + 1000] ^= 0x20;  // a payload byte: only the seal sees it
  const Run run = RunPackage(package, "kdwsetup.exe");
  EXPECT_EQ(kDamaged, run.text);
  EXPECT_EQ(static_cast<DWORD>(Outcome::kDamaged), run.exit_code);
  for (const std::string& name : names_) {
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Installed(name).c_str())) << name;
  }
}

}  // namespace
}  // namespace kdw::installer

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: installer_win32_tests path\\to\\kdwsetup.exe\n");
    return 2;
  }
  kdw::installer::g_setup = kdw::e2e::WindowsPath(argv[1]);
  return RUN_ALL_TESTS();
}

// What only real files show: the program's own name, and a destination that
// another program holds open.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32_platform.h"

namespace kdw {
namespace {

std::string Scratch() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "KdwReplaceScratch" + std::to_string(GetCurrentProcessId());
}

TEST(Win32FileSystem, ProgramNameIsThisProgramsWithoutExtension) {
  Win32FileSystem fs;
  EXPECT_EQ("installer_win32_tests", fs.ProgramName());
  EXPECT_TRUE(fs.IsNormalFile(fs.ProgramFolder() + "\\" + fs.ProgramName() + ".exe"));
}

// A file in use cannot be replaced; the old one stays whole, and the
// temporary file the bytes went to is gone again.
TEST(Win32FileSystem, BusyDestinationIsLeftWhole) {
  const std::string folder = Scratch();
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\busy.ocx";
  Win32FileSystem fs;
  ASSERT_TRUE(fs.WriteWholeFile(path, {'o', 'l', 'd'}));

  const HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  EXPECT_FALSE(fs.ReplaceWholeFile(path, Bytes(100000, 'n')));
  CloseHandle(holder);

  Bytes back;
  ASSERT_TRUE(fs.ReadWholeFile(path, back));
  EXPECT_EQ((Bytes{'o', 'l', 'd'}), back);
  EXPECT_EQ((std::vector<std::string>{"busy.ocx"}), fs.ListFiles(folder, "*"));

  EXPECT_TRUE(fs.ReplaceWholeFile(path, Bytes(100000, 'n')));  // free again
  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace kdw

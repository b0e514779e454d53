// One tight scenario per test, exact expected answers; Wine is the reference.
#include "tests/platform/file_system_contract.h"

#include <gtest/gtest.h>

namespace kdw::fscontract {
namespace {

class FileSystemContract : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_->Clean();
    backend_->MakeFolder(dir_);
  }
  void TearDown() override { backend_->Clean(); }

  std::string At(const std::string& name) const { return dir_ + "\\" + name; }
  std::string Read(const std::string& path) {
    Bytes bytes;
    EXPECT_TRUE(fs().ReadWholeFile(path, bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
  }
  bool Write(const std::string& path, const std::string& text) {
    return fs().WriteWholeFile(path, Bytes(text.begin(), text.end()));
  }
  FileSystem& fs() { return backend_->fs(); }

  std::unique_ptr<Backend> backend_ = MakeBackend();
  const std::string dir_ = backend_->Scratch();
};

TEST_F(FileSystemContract, OnlyExistingNormalFilesAreFound) {
  backend_->MakeFile(At("plain.exe"), "x", fileattr::kNormal);
  backend_->MakeFile(At("archived.exe"), "x", fileattr::kArchive);
  backend_->MakeFile(At("locked.exe"), "x", fileattr::kReadOnly);
  backend_->MakeFile(At("hidden.exe"), "x", fileattr::kHidden);
  backend_->MakeFile(At("system.exe"), "x", fileattr::kSystem);
  backend_->MakeFolder(At("folder.exe"));

  EXPECT_TRUE(fs().IsNormalFile(At("plain.exe")));
  EXPECT_TRUE(fs().IsNormalFile(At("archived.exe")));
  EXPECT_TRUE(fs().IsNormalFile(At("locked.exe")));
  EXPECT_TRUE(fs().IsNormalFile(At("PLAIN.EXE")));
  EXPECT_FALSE(fs().IsNormalFile(At("hidden.exe")));
  EXPECT_FALSE(fs().IsNormalFile(At("system.exe")));
  EXPECT_FALSE(fs().IsNormalFile(At("folder.exe")));
  EXPECT_FALSE(fs().IsNormalFile(At("missing.exe")));
  EXPECT_FALSE(fs().IsNormalFile(At("missing\\plain.exe")));
  EXPECT_FALSE(fs().IsNormalFile(dir_));
  EXPECT_FALSE(fs().IsNormalFile(""));
}

TEST_F(FileSystemContract, WildcardsFindANormalFileAmongOthers) {
  backend_->MakeFile(At("hidden.dat"), "x", fileattr::kHidden);
  backend_->MakeFolder(At("folder.dat"));
  EXPECT_FALSE(fs().IsNormalFile(At("*.dat")));
  backend_->MakeFile(At("shown.dat"), "x", fileattr::kArchive);
  EXPECT_TRUE(fs().IsNormalFile(At("*.dat")));
  EXPECT_TRUE(fs().IsNormalFile(At("sh?wn.*")));
  EXPECT_FALSE(fs().IsNormalFile(At("*.txt")));
}

TEST_F(FileSystemContract, FileListsShowNormalFilesByPatternInOrder) {
  backend_->MakeFile(At("Corporate.wmz"), "x", fileattr::kArchive);
  backend_->MakeFile(At("atomic.WMZ"), "x", fileattr::kReadOnly);
  backend_->MakeFile(At("hidden.wmz"), "x", fileattr::kHidden);
  backend_->MakeFile(At("readme.txt"), "x", fileattr::kArchive);
  backend_->MakeFolder(At("folder.wmz"));
  EXPECT_EQ((std::vector<std::string>{"atomic.WMZ", "Corporate.wmz"}),
            fs().ListFiles(dir_, "*.wmz"));
  EXPECT_EQ((std::vector<std::string>{"atomic.WMZ", "Corporate.wmz"}),
            fs().ListFiles(dir_ + "\\", "*.wmz"));
  EXPECT_TRUE(fs().ListFiles(dir_ + "\\missing", "*.wmz").empty());
  EXPECT_TRUE(fs().ListFiles("", "*.wmz").empty());
}

TEST_F(FileSystemContract, WholeFilesRoundTripAsBinary) {
  Bytes all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
  all.insert(all.end(), {'\r', '\n', 0x1a, 0});
  ASSERT_TRUE(fs().WriteWholeFile(At("region.dat"), all));
  Bytes back;
  ASSERT_TRUE(fs().ReadWholeFile(At("region.dat"), back));
  EXPECT_EQ(all, back);
  EXPECT_TRUE(fs().IsNormalFile(At("region.dat")));

  ASSERT_TRUE(fs().WriteWholeFile(At("empty.dat"), {}));
  back = {1, 2, 3};
  ASSERT_TRUE(fs().ReadWholeFile(At("empty.dat"), back));
  EXPECT_TRUE(back.empty());
}

TEST_F(FileSystemContract, WritingReplacesTheWholeFile) {
  ASSERT_TRUE(Write(At("a.txt"), "a long first text"));
  ASSERT_TRUE(Write(At("A.TXT"), "short"));
  EXPECT_EQ("short", Read(At("a.txt")));

  // A hidden file is replaced by a normal one.
  backend_->MakeFile(At("hidden.rgn"), "old contents", fileattr::kHidden);
  ASSERT_TRUE(Write(At("hidden.rgn"), "new"));
  EXPECT_EQ("new", Read(At("hidden.rgn")));
  EXPECT_TRUE(fs().IsNormalFile(At("hidden.rgn")));
  EXPECT_EQ(0u, backend_->Attributes(At("hidden.rgn")) & fileattr::kHidden);
}

TEST_F(FileSystemContract, WhatCannotBeWrittenOrReadFails) {
  backend_->MakeFile(At("locked.txt"), "kept", fileattr::kReadOnly);
  EXPECT_FALSE(Write(At("locked.txt"), "lost"));
  EXPECT_EQ("kept", Read(At("locked.txt")));

  backend_->MakeFolder(At("folder"));
  EXPECT_FALSE(Write(At("folder"), "x"));
  EXPECT_FALSE(Write(At("missing\\file.txt"), "x"));
  EXPECT_FALSE(Write(At("locked.txt\\inside.txt"), "x"));

  Bytes bytes = {1};
  EXPECT_FALSE(fs().ReadWholeFile(At("missing.txt"), bytes));
  EXPECT_TRUE(bytes.empty());
  bytes = {1};
  EXPECT_FALSE(fs().ReadWholeFile(At("folder"), bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(FileSystemContract, AFolderIsMadeOnlyUnderOneThatExists) {
  EXPECT_TRUE(fs().MakeFolder(At("Machine")));
  EXPECT_TRUE(fs().IsFolder(At("machine")));
  EXPECT_TRUE(Write(At("Machine\\Registry.pol"), "x"));
  EXPECT_TRUE(fs().MakeFolder(At("MACHINE")));  // there already: kept with what it holds
  EXPECT_EQ("x", Read(At("Machine\\Registry.pol")));

  EXPECT_FALSE(fs().MakeFolder(At("missing\\User")));
  EXPECT_FALSE(fs().IsFolder(At("missing")));
  backend_->MakeFile(At("file"), "kept", fileattr::kArchive);
  EXPECT_FALSE(fs().MakeFolder(At("file")));
  EXPECT_EQ("kept", Read(At("file")));
  EXPECT_FALSE(fs().MakeFolder(""));
}

TEST_F(FileSystemContract, HiddenFilesCanStillBeRead) {
  backend_->MakeFile(At("shape.rgn"), "bytes", fileattr::kHidden | fileattr::kSystem);
  EXPECT_EQ("bytes", Read(At("shape.rgn")));
}

}  // namespace
}  // namespace kdw::fscontract

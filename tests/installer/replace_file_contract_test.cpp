// ReplaceWholeFile, written once and run against each FileSystem: natively
// the fake, under Wine the real files (the backends of the FileSystem
// contract). Wine is the reference.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/file_system_contract.h"

namespace kdw::fscontract {
namespace {

// Helpers take names of files in the scratch folder.
class ReplaceFileContract : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_->Clean();
    backend_->MakeFolder(dir_);
  }
  void TearDown() override { backend_->Clean(); }

  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
  void Make(const std::string& name, const std::string& text, std::uint32_t attributes) {
    backend_->MakeFile(Path(name), text, attributes);
  }
  bool Replace(const std::string& name, const std::string& text) {
    return backend_->fs().ReplaceWholeFile(Path(name), Bytes(text.begin(), text.end()));
  }
  std::string Contents(const std::string& name) {
    Bytes bytes;
    return backend_->fs().ReadWholeFile(Path(name), bytes) ? std::string(bytes.begin(), bytes.end())
                                                           : "<missing>";
  }
  // Every file in the scratch folder, hidden ones too: no temporary file
  // may stay behind.
  std::vector<std::string> Left() {
    std::vector<std::string> names = backend_->fs().ListFiles(dir_, "*");
    for (const char* hidden : {"hidden.ocx", "system.ocx"}) {
      if (backend_->Attributes(Path(hidden))) names.push_back(hidden);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());  // no longer hidden
    return names;
  }

  std::unique_ptr<Backend> backend_ = MakeBackend();
  const std::string dir_ = backend_->Scratch();
};

TEST_F(ReplaceFileContract, NewFileGetsExactlyTheBytes) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  all += std::string("\r\n\x1a", 3) + '\0';
  ASSERT_TRUE(Replace("new.ocx", all));
  EXPECT_EQ(all, Contents("new.ocx"));
  ASSERT_TRUE(Replace("empty.ocx", ""));
  EXPECT_EQ("", Contents("empty.ocx"));
  EXPECT_EQ((std::vector<std::string>{"empty.ocx", "new.ocx"}), Left());
}

TEST_F(ReplaceFileContract, LongerOldFileEndsAtTheNewLength) {
  Make("long.ocx", std::string(4096, 'o'), fileattr::kArchive);
  Make("hidden.ocx", "old hidden", fileattr::kHidden);
  Make("system.ocx", "old system", fileattr::kSystem);
  ASSERT_TRUE(Replace("long.ocx", "new"));
  ASSERT_TRUE(Replace("hidden.ocx", "new hidden"));
  ASSERT_TRUE(Replace("system.ocx", "new system"));
  EXPECT_EQ("new", Contents("long.ocx"));
  EXPECT_EQ("new hidden", Contents("hidden.ocx"));
  EXPECT_EQ("new system", Contents("system.ocx"));
  EXPECT_EQ((std::vector<std::string>{"hidden.ocx", "long.ocx", "system.ocx"}), Left());
}

TEST_F(ReplaceFileContract, RefusedReplacementLeavesTheOldFileAndNoTemporary) {
  Make("locked.ocx", "old locked", fileattr::kReadOnly);
  backend_->MakeFolder(Path("folder.ocx"));
  EXPECT_FALSE(Replace("locked.ocx", "new"));
  EXPECT_FALSE(Replace("folder.ocx", "new"));
  EXPECT_FALSE(Replace("missing\\new.ocx", "new"));
  EXPECT_FALSE(backend_->fs().ReplaceWholeFile("", {'x'}));
  EXPECT_EQ("old locked", Contents("locked.ocx"));
  EXPECT_EQ((std::vector<std::string>{"locked.ocx"}), Left());
}

}  // namespace
}  // namespace kdw::fscontract

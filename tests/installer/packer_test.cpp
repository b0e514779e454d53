// The packer script, run as the build runs it: its package is byte for byte
// the layout the reader is tested on, seal included, and it refuses what the
// installer could not install.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "installer/package.h"
#include "tests/installer/package_maker.h"
#include "tests/platform/crypto_backend.h"

namespace kdw::installer {
namespace {

namespace fs = std::filesystem;

class PackerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kdw-packer-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    image_ = Write("kdwsetup-image.exe", testing::StandIn(1000, 0));
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const Bytes& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  static Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Runs the packer; true when it succeeded.
  bool Pack(const std::string& files, const fs::path& image) {
    const std::string command = std::string("\"") + KDW_CMAKE_COMMAND + "\" -DIMAGE=\"" +
                                image.string() + "\" -DOUTPUT=\"" + output_.string() +
                                "\" \"-DFILES=" + files + "\" -P \"" + KDW_PACK_SCRIPT +
                                "\" >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }

  fs::path dir_;
  fs::path image_;
  fs::path output_ = fs::temp_directory_path() / ("kdw-packer-" + std::to_string(getpid())) /
                     "out" / "kdwsetup.exe";
  std::unique_ptr<Crypto> crypto_ = kdw::testing::MakePlatformCrypto();
};

TEST_F(PackerTest, PackageIsTheLayoutTheReaderReads) {
  Bytes awkward;  // every byte value, and the ones text handling trips on
  for (int i = 0; i < 256; ++i) awkward.push_back(static_cast<std::uint8_t>(i));
  awkward.insert(awkward.end(), {'\r', '\n', 0x1a, 0, '\n'});
  const Bytes second = testing::StandIn(70'000, 2);
  const fs::path a = Write("COMDLG32.OCX", awkward);
  const fs::path b = Write("MS Comctl (2).ocx", second);
  const fs::path empty = Write("EMPTY.OCX", {});

  ASSERT_TRUE(Pack(a.string() + ";" + b.string() + ";" + empty.string(), image_));
  const Bytes package = Read(output_);
  EXPECT_EQ(testing::MakePackage(
                *crypto_, Read(image_),
                {{"COMDLG32.OCX", awkward}, {"MS Comctl (2).ocx", second}, {"EMPTY.OCX", {}}}),
            package);
  EXPECT_EQ(Seal::kIntact, CheckSeal(package, *crypto_));
  const auto entries = ReadPackageIndex(package);
  ASSERT_TRUE(entries);
  ASSERT_EQ(3u, entries->size());
  EXPECT_EQ("EMPTY.OCX", (*entries)[0].name);
  EXPECT_EQ("COMDLG32.OCX", (*entries)[2].name);
  EXPECT_FALSE(fs::exists(output_.string() + ".parts"));
}

TEST_F(PackerTest, RefusesWhatCouldNotBeInstalledAndLeavesNoPackage) {
  const fs::path good = Write("GOOD.OCX", {1, 2, 3});
  const fs::path long_name = Write(std::string(41, 'L'), {1});
  const fs::path device = Write("nul.ocx", {1});
  const fs::path trailing = Write("dot.", {1});
  const fs::path twin = Write("good.ocx", {4});
  const fs::path backslash = Write("a\\b.ocx", {1});

  for (const std::string& files :
       {std::string(), (dir_ / "missing.ocx").string(), long_name.string(), device.string(),
        trailing.string(), backslash.string(), good.string() + ";" + twin.string(),
        dir_.string()}) {
    EXPECT_FALSE(Pack(files, image_)) << files;
    EXPECT_FALSE(fs::exists(output_)) << files;
  }
  EXPECT_FALSE(Pack(good.string(), dir_ / "no-image.exe"));
  EXPECT_FALSE(fs::exists(output_));
  EXPECT_TRUE(Pack(good.string(), image_));  // and the same run with a sound list works
}

}  // namespace
}  // namespace kdw::installer

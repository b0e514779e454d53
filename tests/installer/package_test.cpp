// The package reader: its fields, the walk from the end and the seal.
#include "installer/package.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/fakes.h"
#include "tests/installer/package_maker.h"
#include "tests/platform/crypto_backend.h"

namespace kdw::installer {
namespace {

using testing::Closing;
using testing::MakePackage;
using testing::PutFromEnd;
using testing::Slice;
using testing::StandIn;

const std::string kCr28(28, '\r');

class PackageTest : public ::testing::Test {
 protected:
  std::unique_ptr<Crypto> crypto_ = kdw::testing::MakePlatformCrypto();

  Bytes Small(Closing closing = Closing::kSealed) {
    return MakePackage(*crypto_, StandIn(300, 1),
                       {{"FIRST.OCX", StandIn(70, 2)}, {"SECOND.OCX", StandIn(90, 3)}}, closing);
  }
};

// The shipped package, with stand-in files of the same sizes: every field at
// its offset, and the walk finds the file appended last first.
TEST_F(PackageTest, ShippedLayoutReadsAtItsOffsets) {
  const Bytes package =
      MakePackage(*crypto_, StandIn(77'824, 0),
                  {{"COMDLG32.OCX", StandIn(198'656, 1)}, {"MSCOMCTL.OCX", StandIn(1'077'336, 2)}},
                  Closing::kPlain);
  ASSERT_EQ(1'354'435u, package.size());
  EXPECT_EQ(kCr28 + "COMDLG32.OCX", Slice(package, 0x43800, 40));
  EXPECT_EQ("0000198656", Slice(package, 0x43828, 10));
  EXPECT_EQ(kCr28 + "MSCOMCTL.OCX", Slice(package, 0x14A88A, 40));
  EXPECT_EQ("0001077336", Slice(package, 0x14A8B2, 10));
  EXPECT_EQ("\r\r\r\r2", Slice(package, 0x14A8BC, 5));

  const auto entries = ReadPackageIndex(package);
  ASSERT_TRUE(entries);
  ASSERT_EQ(2u, entries->size());
  EXPECT_EQ("MSCOMCTL.OCX", (*entries)[0].name);
  EXPECT_EQ(0x43832u, (*entries)[0].offset);
  EXPECT_EQ(1'077'336u, (*entries)[0].size);
  EXPECT_EQ("COMDLG32.OCX", (*entries)[1].name);
  EXPECT_EQ(0x13000u, (*entries)[1].offset);
  EXPECT_EQ(198'656u, (*entries)[1].size);
  EXPECT_EQ(Seal::kNone, CheckSeal(package, *crypto_));
}

TEST_F(PackageTest, CountFieldReadsTheLeadingNumberOfA16BitInteger) {
  EXPECT_EQ(2, ReadCountField("\r\r\r\r2"));
  EXPECT_EQ(12, ReadCountField("\r\r\r12"));
  EXPECT_EQ(32, ReadCountField("\r3\r2\r"));  // every CR goes, wherever it stands
  EXPECT_EQ(0, ReadCountField("\r\r\r\r\r"));
  EXPECT_EQ(0, ReadCountField("abc\r\r"));
  EXPECT_EQ(7, ReadCountField("\r\r 7x"));
  EXPECT_EQ(-3, ReadCountField("-0003"));
  EXPECT_EQ(32767, ReadCountField("32767"));
  EXPECT_FALSE(ReadCountField("32768"));
  EXPECT_FALSE(ReadCountField("99999"));
}

TEST_F(PackageTest, SizeFieldIsDigitsWithBlanksAround) {
  EXPECT_EQ(198'656u, ReadSizeField("0000198656"));
  EXPECT_EQ(0u, ReadSizeField("0000000000"));
  EXPECT_EQ(12u, ReadSizeField("        12"));
  EXPECT_EQ(12u, ReadSizeField("12        "));
  EXPECT_EQ(9'999'999'999u, ReadSizeField("9999999999"));
  for (const char* bad : {"X000107733", "", "          ", "-000000001", "+000000001", "000000001.",
                          "00001 0000", "\r000000001", "0x00000010"}) {
    EXPECT_FALSE(ReadSizeField(bad)) << bad;
  }
}

// The name becomes part of a path in the system folder: only a plain file
// name may come out of a package.
TEST_F(PackageTest, NameFieldGivesOnlyPlainFileNames) {
  EXPECT_EQ("COMDLG32.OCX", ReadNameField(kCr28 + "COMDLG32.OCX"));
  EXPECT_EQ("AB", ReadNameField("\r\rA\rB"));
  EXPECT_EQ("My Control 2.ocx", ReadNameField("My Control 2.ocx"));
  EXPECT_EQ("COM10.OCX", ReadNameField("COM10.OCX"));
  for (const std::string& bad :
       {std::string(40, '\r'), std::string("..\\..\\boot.ini"), std::string("C:evil.ocx"),
        std::string("sub/evil.ocx"), std::string("..\\evil.ocx"), std::string(".."),
        std::string("*.ocx"), std::string("a\"b"), std::string("tab\there"),
        std::string("nul\0x", 5), std::string("NUL"), std::string("con.ocx"), std::string("Lpt1"),
        std::string("COM3.dll"), std::string("trailing."), std::string("trailing ")}) {
    EXPECT_FALSE(ReadNameField(bad)) << bad;
  }
}

TEST_F(PackageTest, ACountOfZeroOrLessStillReadsEntryOne) {
  for (const char* count : {"\r\r\r\r\r", "\r\r\r-1", "\r\r\rab"}) {
    Bytes package = Small();
    PutFromEnd(package, 519, count);
    const auto entries = ReadPackageIndex(package);
    ASSERT_TRUE(entries) << count;
    ASSERT_EQ(1u, entries->size());
    EXPECT_EQ("SECOND.OCX", (*entries)[0].name);
  }
}

TEST_F(PackageTest, DamagedIndexesAreRefused) {
  const Bytes good = Small();
  ASSERT_TRUE(ReadPackageIndex(good));

  // Cut short by one byte: every field shifts, and the size of entry 1 now
  // begins with the last letter of its name.
  Bytes cut(good.begin(), good.end() - 1);
  EXPECT_FALSE(ReadPackageIndex(cut));

  Bytes too_many = good;
  PutFromEnd(too_many, 519, "32768");
  EXPECT_FALSE(ReadPackageIndex(too_many));

  // More entries counted than there are: the walk runs into the image.
  Bytes three = good;
  PutFromEnd(three, 519, "\r\r\r\r3");
  EXPECT_FALSE(ReadPackageIndex(three));

  // A size larger than all that lies in front of its header.
  Bytes huge = good;
  PutFromEnd(huge, 529, "9999999999");
  EXPECT_FALSE(ReadPackageIndex(huge));

  Bytes bad_name = good;
  PutFromEnd(bad_name, 569, std::string(30, '\r') + "..\\a.ocx\r\r");
  EXPECT_FALSE(ReadPackageIndex(bad_name));

  // Too short to hold even the count, or entry 1's header.
  for (std::size_t length : {0u, 1u, 518u, 519u, 568u}) {
    EXPECT_FALSE(ReadPackageIndex(Bytes(length, '\r'))) << length;
  }
}

TEST_F(PackageTest, TheWalkReachesTheFirstByteButNotBeyond) {
  // No image at all: entry 2's data start at offset 0.
  Bytes bare = MakePackage(*crypto_, {}, {{"A.OCX", StandIn(5, 1)}, {"B.OCX", {}}});
  const auto entries = ReadPackageIndex(bare);
  ASSERT_TRUE(entries);
  ASSERT_EQ(2u, entries->size());
  EXPECT_EQ(0u, (*entries)[1].offset);
  EXPECT_EQ(5u, (*entries)[1].size);
  EXPECT_EQ(0u, (*entries)[0].size);  // an empty file is a file too

  PutFromEnd(bare, 529 + 50 + 0, "0000000006");  // entry 2 one byte longer than there is
  EXPECT_FALSE(ReadPackageIndex(bare));
}

TEST_F(PackageTest, TheSealCoversEveryByteBeforeTheClosingBlock) {
  const Bytes sealed = Small();
  EXPECT_EQ(Seal::kIntact, CheckSeal(sealed, *crypto_));

  Bytes flipped = sealed;
  flipped[300 + 10] ^= 0x01;  // inside FIRST.OCX's data; the index still reads
  ASSERT_TRUE(ReadPackageIndex(flipped));
  EXPECT_EQ(Seal::kBroken, CheckSeal(flipped, *crypto_));

  Bytes image_cut(sealed.begin() + 1, sealed.end());  // positions from the end stay right
  ASSERT_TRUE(ReadPackageIndex(image_cut));
  EXPECT_EQ(Seal::kBroken, CheckSeal(image_cut, *crypto_));

  Bytes upper = sealed;
  for (std::size_t i = 0; i < kDigestHexLength; ++i) {
    auto& c = upper[upper.size() - 514 + kChecksumTag.size() + i];
    c = static_cast<std::uint8_t>(std::toupper(c));
  }
  EXPECT_EQ(Seal::kIntact, CheckSeal(upper, *crypto_));

  Bytes garbled = sealed;
  PutFromEnd(garbled, 514 - kChecksumTag.size(), "zz");
  EXPECT_EQ(Seal::kBroken, CheckSeal(garbled, *crypto_));

  FakeCrypto no_hash(*crypto_);
  no_hash.SetHashFails(true);
  EXPECT_EQ(Seal::kUncheckable, CheckSeal(sealed, no_hash));
  EXPECT_EQ(Seal::kNone, CheckSeal(Small(Closing::kPlain), no_hash));
  EXPECT_EQ(Seal::kNone, CheckSeal(Bytes(100, 'K'), *crypto_));
}

TEST_F(PackageTest, SealedBlockIsTagDigestTabsAndCrLf) {
  Sha256Digest digest{};
  for (std::size_t i = 0; i < digest.size(); ++i) digest[i] = static_cast<std::uint8_t>(i * 8);
  const std::string block = SealedClosingBlock(digest);
  ASSERT_EQ(kClosingBlockLength, block.size());
  EXPECT_EQ(std::string(kChecksumTag) +
                "0008101820283038404850586068707880889098a0a8b0b8c0c8d0d8e0e8f0f8",
            block.substr(0, 79));
  EXPECT_EQ(std::string(433, '\t') + "\r\n", block.substr(79));
}

}  // namespace
}  // namespace kdw::installer

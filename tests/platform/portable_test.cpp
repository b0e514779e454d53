// The platform-free rules the Win32 implementations rely on.
#include <gtest/gtest.h>

#include "platform/crypto.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace kdw {
namespace {

using namespace std::string_literals;

TEST(OpenFileDialogFilter, PipesBecomeNulsWithOneClosingPipe) {
  EXPECT_EQ("Bitmap Pictures (*.bmp)\0*.bmp\0"s,
            OpenFileDialogFilter("Bitmap Pictures (*.bmp)|*.bmp"));
  // A filter already ending in "|" gets no second one.
  EXPECT_EQ("Icons\0*.ico\0"s, OpenFileDialogFilter("Icons|*.ico|"));
  EXPECT_EQ("Skins\0*.wmz\0All\0*.*\0"s, OpenFileDialogFilter("Skins|*.wmz|All|*.*"));
  EXPECT_EQ("\0"s, OpenFileDialogFilter(""));
  // c_str() adds the second NUL that ends the list.
  const std::string filter = OpenFileDialogFilter("a|b");
  EXPECT_EQ('\0', filter.c_str()[filter.size()]);
}

TEST(TextBeforeNul, CutsAtTheFirstNul) {
  const char buffer[] = "C:\\Temp\0 garbage  ";
  EXPECT_EQ("C:\\Temp", TextBeforeNul(buffer, sizeof buffer));
  EXPECT_EQ("abc", TextBeforeNul("abcdef", 3));  // no NUL: all of it
  EXPECT_EQ("", TextBeforeNul("\0x", 2));
}

TEST(FolderOfPath, EverythingBeforeTheLastSeparator) {
  EXPECT_EQ("C:\\Program Files\\Kelmor", FolderOfPath("C:\\Program Files\\Kelmor\\kdw3.exe"));
  EXPECT_EQ("C:", FolderOfPath("C:\\kdw3.exe"));
  EXPECT_EQ("/opt/kdw", FolderOfPath("/opt/kdw/kdw3"));
  EXPECT_EQ("", FolderOfPath("kdw3.exe"));
}

TEST(FileNameOfPath, EverythingAfterTheLastSeparator) {
  EXPECT_EQ("game.exe", FileNameOfPath("C:\\Tools\\game.exe"));
  EXPECT_EQ("game.exe", FileNameOfPath("C:/Tools/game.exe"));
  EXPECT_EQ("game.exe", FileNameOfPath("game.exe"));
  EXPECT_EQ("", FileNameOfPath("C:\\Tools\\"));
}

TEST(MessageBoxStyle, FirstButtonOfEachSet) {
  EXPECT_EQ(mb::kIdOk, mb::FirstButton(mb::kOk | mb::kIconInformation));
  EXPECT_EQ(mb::kIdOk, mb::FirstButton(mb::kOkCancel));
  EXPECT_EQ(mb::kIdAbort, mb::FirstButton(mb::kAbortRetryIgnore));
  EXPECT_EQ(mb::kIdYes, mb::FirstButton(mb::kYesNoCancel));
  EXPECT_EQ(mb::kIdYes, mb::FirstButton(mb::kYesNo | mb::kIconQuestion));
  EXPECT_EQ(mb::kIdRetry, mb::FirstButton(mb::kRetryCancel | mb::kIconStop));
  // Enter's button: the first unless another is named, and never one the
  // set does not have.
  EXPECT_EQ(mb::kIdYes, mb::DefaultButton(mb::kYesNo));
  EXPECT_EQ(mb::kIdNo, mb::DefaultButton(mb::kYesNo | mb::kDefaultButton2 | mb::kIconQuestion));
  EXPECT_EQ(mb::kIdIgnore, mb::DefaultButton(mb::kAbortRetryIgnore | mb::kDefaultButton3));
  EXPECT_EQ(mb::kIdOk, mb::DefaultButton(mb::kOk | mb::kDefaultButton2));
  EXPECT_EQ(mb::kIdYes, mb::DefaultButton(mb::kYesNo | mb::kDefaultButton3));
  // The Win32 numbers themselves, as MessageBoxA takes and gives them.
  EXPECT_EQ(0x15u, mb::kRetryCancel | mb::kIconStop);
  EXPECT_EQ(0x40u, mb::kOk | mb::kIconInformation);
}

TEST(Hex, RoundTripsAndRejectsBadText) {
  const Bytes bytes = {0x00, 0x7f, 0x80, 0xff};
  EXPECT_EQ("007f80ff", ToHex(bytes));
  Bytes back;
  ASSERT_TRUE(FromHex("007F80fF", back));
  EXPECT_EQ(bytes, back);
  EXPECT_FALSE(FromHex("abc", back));
  EXPECT_FALSE(FromHex("zz", back));
  EXPECT_FALSE(FromHex("0g", back));
  EXPECT_TRUE(FromHex("", back));
  EXPECT_TRUE(back.empty());
}

TEST(ConstantTimeEquals, ComparesLengthAndEveryByte) {
  EXPECT_TRUE(ConstantTimeEquals({1, 2, 3}, {1, 2, 3}));
  EXPECT_FALSE(ConstantTimeEquals({1, 2, 3}, {1, 2, 4}));
  EXPECT_FALSE(ConstantTimeEquals({0, 2, 3}, {1, 2, 3}));
  EXPECT_FALSE(ConstantTimeEquals({1, 2}, {1, 2, 3}));
  EXPECT_TRUE(ConstantTimeEquals({}, {}));
}

}  // namespace
}  // namespace kdw

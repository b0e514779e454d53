// The fakes script and record as the shell's tests will lean on them, and
// the password record's rules that need a controlled random source.
#include "platform/fakes.h"

#include <gtest/gtest.h>

#include "platform/openssl_crypto.h"
#include "platform/password_hash.h"

namespace kdw {
namespace {

TEST(FakeMessageBoxes, RecordsEachMessageAndAnswersFromTheScript) {
  FakeMessageBoxes boxes;
  boxes.QueueAnswer(mb::kIdCancel);
  EXPECT_EQ(mb::kIdCancel, boxes.Show(0x1234, "Password is incorrect. Would you like to try again?",
                                      "Kelmor Deskwarden", mb::kRetryCancel | mb::kIconStop));
  // Unscripted: the first button of the set.
  EXPECT_EQ(mb::kIdRetry, boxes.Show(0, "again", "t", mb::kRetryCancel));
  EXPECT_EQ(mb::kIdOk,
            boxes.Show(0, "Password created.", "Kelmor Deskwarden", mb::kIconInformation));
  ASSERT_EQ(3u, boxes.shown().size());
  const ShownMessage& first = boxes.shown()[0];
  EXPECT_EQ(0x1234u, first.owner);
  EXPECT_EQ("Password is incorrect. Would you like to try again?", first.text);
  EXPECT_EQ("Kelmor Deskwarden", first.title);
  EXPECT_EQ(mb::kIconStop, first.icon());
  EXPECT_EQ(mb::kRetryCancel, first.buttons());
  EXPECT_EQ(mb::kIconInformation, boxes.shown()[2].icon());
  EXPECT_EQ(0u, boxes.unused_answers());
  boxes.Clear();
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(FakeInputBox, AnswersCancelsAndDefaults) {
  FakeInputBox box;
  box.QueueAnswer("Owner Name");
  box.QueueCancel();
  EXPECT_EQ("Owner Name", box.Ask(0, "Enter this program's owner name.", "Kelmor Deskwarden", ""));
  EXPECT_EQ("", box.Ask(7, "Enter your old password.", "Kelmor Deskwarden", "typed"));
  EXPECT_EQ("as opened", box.Ask(0, "p", "t", "as opened"));
  ASSERT_EQ(3u, box.asked().size());
  EXPECT_EQ("Enter this program's owner name.", box.asked()[0].prompt);
  EXPECT_EQ(7u, box.asked()[1].owner);
  EXPECT_EQ("Enter your old password.", box.asked()[1].prompt);
  EXPECT_EQ("typed", box.asked()[1].default_text);
}

TEST(FakeProcessStarter, RecordsEveryAttemptAndCanFail) {
  FakeProcessStarter starter;
  EXPECT_TRUE(starter.Start("C:\\Kdw\\kdwhelp.exe", sw::kShowNormal));
  starter.SetFailing(true);
  EXPECT_FALSE(starter.Start("rundll32.exe shell32.dll,Control_RunDLL desk.cpl", sw::kShow));
  ASSERT_EQ(2u, starter.started().size());
  EXPECT_EQ("C:\\Kdw\\kdwhelp.exe", starter.started()[0].command_line);
  EXPECT_EQ(1, starter.started()[0].show_command);
  EXPECT_TRUE(starter.started()[0].succeeded);
  EXPECT_EQ(5, starter.started()[1].show_command);
  EXPECT_FALSE(starter.started()[1].succeeded);
}

TEST(FakeFileDialogs, ScriptedResultsThenCancel) {
  FakeFileDialogs dialogs;
  dialogs.QueueOpenFileResult("C:\\Pictures\\logon.bmp");
  dialogs.QueueDirBoxResult("C:\\Temp");
  EXPECT_EQ("C:\\Pictures\\logon.bmp",
            dialogs.ShowOpenFileDialog(9, "Bitmap Pictures (*.bmp)|*.bmp", "Select", "C:\\"));
  EXPECT_EQ("", dialogs.ShowOpenFileDialog(9, "f", "t", ""));
  EXPECT_EQ("C:\\Temp", dialogs.DirBox(9, "Choose a folder"));
  EXPECT_EQ("", dialogs.DirBox(9, "again"));
  ASSERT_EQ(2u, dialogs.open_file_calls().size());
  EXPECT_EQ("Bitmap Pictures (*.bmp)|*.bmp", dialogs.open_file_calls()[0].filter);
  EXPECT_EQ("Select", dialogs.open_file_calls()[0].title);
  EXPECT_EQ("C:\\", dialogs.open_file_calls()[0].initial_folder);
  EXPECT_EQ(9u, dialogs.open_file_calls()[0].owner);
  ASSERT_EQ(2u, dialogs.dir_box_calls().size());
  EXPECT_EQ("Choose a folder", dialogs.dir_box_calls()[0].message);
}

TEST(FakeFileSystem, SetUpAndReadBack) {
  FakeFileSystem fs;
  EXPECT_EQ("C:\\Program Files\\Kelmor Deskwarden", fs.ProgramFolder());
  fs.SetProgramFolder("D:\\Kdw");
  fs.AddFile("D:\\Kdw\\kdwhelp.exe", "MZ");
  EXPECT_EQ("D:\\Kdw", fs.ProgramFolder());
  EXPECT_TRUE(fs.IsNormalFile(fs.ProgramFolder() + "\\kdwhelp.exe"));
  EXPECT_TRUE(fs.IsFolder("d:/kdw/"));
  EXPECT_TRUE(fs.IsFolder("D:"));
  EXPECT_EQ(fileattr::kArchive, fs.Attributes("D:\\Kdw\\KDWHELP.EXE"));
  EXPECT_EQ("MZ", fs.TextContents("D:\\Kdw\\kdwhelp.exe"));

  ASSERT_TRUE(fs.WriteWholeFile("D:\\Kdw\\shape.rgn", {1, 2}));
  EXPECT_EQ(1u, fs.write_count());
  EXPECT_EQ((Bytes{1, 2}), *fs.Contents("d:\\kdw\\shape.rgn"));
  EXPECT_TRUE(fs.WriteWholeFile("D:\\top.bin", {}));  // a drive root exists
  EXPECT_FALSE(fs.IsNormalFile("D:\\Kdw\\kdwhelp.exe\\"));

  fs.Remove("D:\\Kdw");
  EXPECT_FALSE(fs.Exists("D:\\Kdw\\kdwhelp.exe"));
  EXPECT_FALSE(fs.Exists("D:\\Kdw"));
  EXPECT_TRUE(fs.Exists("D:\\top.bin"));
  EXPECT_FALSE(fs.Contents("D:\\Kdw\\shape.rgn").has_value());
}

class PasswordRecord : public ::testing::Test {
 protected:
  OpenSslCrypto real_;
  FakeCrypto crypto_{real_};
};

TEST_F(PasswordRecord, IsMadeFromTheRandomSaltAndTenThousandRounds) {
  // Unscripted, the fake's random source counts 00 01 02 ... 0f.
  EXPECT_EQ(
      "pbkdf2-sha256$10000$000102030405060708090a0b0c0d0e0f$"
      "671eade3546f4056725a0b3d8a8e72a48e80c9f9a96167cb87217de8d1bbe268",
      MakePasswordRecord(crypto_, "Secret Word").value());
  EXPECT_EQ(1u, crypto_.random_requests());
}

TEST_F(PasswordRecord, TheEmptyPasswordStaysEmpty) {
  // Storing the empty text removes the password, as before.
  EXPECT_EQ("", MakePasswordRecord(crypto_, "").value());
  EXPECT_EQ(0u, crypto_.random_requests());
  EXPECT_TRUE(PasswordMatches(crypto_, "", ""));
  EXPECT_FALSE(PasswordMatches(crypto_, "", "x"));
}

TEST_F(PasswordRecord, NoRandomOrNoHashingGivesNoRecord) {
  crypto_.SetRandomFails(true);
  EXPECT_FALSE(MakePasswordRecord(crypto_, "pw").has_value());
  crypto_.SetRandomFails(false);
  crypto_.SetHashFails(true);
  EXPECT_FALSE(MakePasswordRecord(crypto_, "pw").has_value());
  crypto_.QueueRandom(Bytes(5, 1));  // the wrong count
  crypto_.SetHashFails(false);
  EXPECT_FALSE(MakePasswordRecord(crypto_, "pw").has_value());
}

TEST_F(PasswordRecord, AHashingFailureNeverUnlocks) {
  const std::string record = MakePasswordRecord(crypto_, "pw").value();
  crypto_.SetHashFails(true);
  EXPECT_FALSE(PasswordMatches(crypto_, record, "pw"));
}

TEST_F(PasswordRecord, PlainTextFromEarlierVersionsIsComparedExactly) {
  EXPECT_FALSE(IsHashedRecord("Secret"));
  EXPECT_TRUE(PasswordMatches(crypto_, "Secret", "Secret"));
  EXPECT_FALSE(PasswordMatches(crypto_, "Secret", "secret"));
  EXPECT_FALSE(PasswordMatches(crypto_, "Secret", "Secret "));
  EXPECT_FALSE(PasswordMatches(crypto_, "Secret", "Secre"));
  EXPECT_EQ(0u, crypto_.hash_count());
}

TEST_F(PasswordRecord, OnlyWellFormedRecordsCountAsHashed) {
  const std::string salt = "000102030405060708090a0b0c0d0e0f";
  const std::string hash = "671eade3546f4056725a0b3d8a8e72a48e80c9f9a96167cb87217de8d1bbe268";
  EXPECT_TRUE(IsHashedRecord("pbkdf2-sha256$10000$" + salt + "$" + hash));
  EXPECT_TRUE(IsHashedRecord("pbkdf2-sha256$1$ab$" + hash));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$0$" + salt + "$" + hash));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$010000$" + salt + "$" + hash));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$99999999$" + salt + "$" + hash));  // too many
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$-1$" + salt + "$" + hash));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$10000$$" + hash));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$10000$" + salt + "$" + hash.substr(2)));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$10000$" + salt + "$" + hash + "00"));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$10000$" + salt + "x$" + hash));
  EXPECT_FALSE(IsHashedRecord("pbkdf2-sha256$10000$" + salt));
  EXPECT_FALSE(IsHashedRecord("PBKDF2-SHA256$10000$" + salt + "$" + hash));
  // Not a record, so it is plain text: only the very same text matches.
  const std::string damaged = "pbkdf2-sha256$10000$" + salt;
  EXPECT_TRUE(PasswordMatches(crypto_, damaged, damaged));
  EXPECT_FALSE(PasswordMatches(crypto_, damaged, "Secret Word"));
}

}  // namespace
}  // namespace kdw

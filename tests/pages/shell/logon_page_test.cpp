// frmLogon through its control models: the text rows, the inverted and the
// text-valued switches, the wallpaper browse and the clear-password button.
#include "pages/shell/logon_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kDefaultDesktop = ".DEFAULT\\Control Panel\\Desktop";

class LogonPageTest : public test::PageTest {
 protected:
  LogonPageTest() : PageTest(MakeLogonPage) {}
  void StoreRaw(std::uint32_t hive, const char* key, const char* name, ValueType type,
                const std::string& data) {
    RegKey handle = 0;
    api_.CreateKey(hive, key, &handle);
    api_.SetValue(handle, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                  static_cast<std::uint32_t>(data.size()));
    api_.CloseKey(handle);
  }
  int WritesOf(const std::string& name) {
    int count = 0;
    for (const std::string& write : api_.writes) count += write == "set " + name;
    return count;
  }
};

TEST_F(LogonPageTest, TextsLoadAsStoredAndEveryKeystrokeWritesTheWholeText) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kWinlogon, "LegalNoticeText", "Line one\r\nLine two").ok());
  StoreRaw(HKU, kDefaultDesktop, "Wallpaper", regtype::kExpandSz, "%SystemRoot%\\logon.bmp");
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(form.caption(), "Logon and Security");
  EXPECT_EQ(form.text("Text6").text(), "Line one\r\nLine two");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "LegalNoticeText"), "Line one\r\nLine two");
  EXPECT_TRUE(form.text("Text6").flags() & forms::kMultiLine);
  EXPECT_EQ(form.text("Text4").text(), "") << "an expandable wallpaper is not the text row's";
  EXPECT_EQ(TypeOf(api_, HKU, kDefaultDesktop, "Wallpaper"), regtype::kExpandSz);
  EXPECT_EQ(form.text("Text5").tooltip(), "Title Text");
  EXPECT_EQ(form.text("Text8").tooltip(), "Dialog Text");
  // The page has no account rule of its own: no probe.
  for (const std::string& write : api_.writes) EXPECT_EQ(write.find("Account"), std::string::npos);

  form.text("Text1").UserEdit("A");
  form.text("Text1").UserEdit("Ab");
  EXPECT_EQ(WritesOf("DefaultUserName"), 2);
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "DefaultUserName"), "Ab");

  // Line breaks are stored as the box holds them.
  form.text("Text8").UserEdit("Welcome\r\nto work");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "LogonPrompt"), "Welcome\r\nto work");
}

TEST_F(LogonPageTest, SecureAttentionBoxIsInvertedAndAMissingValueIsStoredAsZero) {
  Open();
  EXPECT_EQ(page_->form().check("Check1").value(), 1);
  EXPECT_EQ(TypeOf(api_, HKLM, kWinlogon, "DisableCAD"), regtype::kDword);
  EXPECT_EQ(reg_.GetDwordValue(HKLM, kWinlogon, "DisableCAD", -1), 0);

  page_->form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKLM, kWinlogon, "DisableCAD", -1), 1);

  for (std::int32_t stored : {1, 5}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKLM, kWinlogon, "DisableCAD", stored).ok());
    api_.writes.clear();
    Open();
    EXPECT_EQ(page_->form().check("Check1").value(), 0) << stored;
    EXPECT_EQ(WritesOf("DisableCAD"), 0) << stored;
  }

  // Text where a number belongs reads as 0: the box shows the sequence
  // asked for, and the text stays as it is.
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kWinlogon, "DisableCAD", "1").ok());
  Open();
  EXPECT_EQ(page_->form().check("Check1").value(), 1);
  EXPECT_EQ(TypeOf(api_, HKLM, kWinlogon, "DisableCAD"), regtype::kSz);
  page_->form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKLM, kWinlogon, "DisableCAD", -1), 1);
}

TEST_F(LogonPageTest, AutoLogonIsCheckedOnlyByTheTextOne) {
  struct Case {
    ValueType type;
    std::string data;
    int shown;
  };
  const std::uint8_t one[4] = {1, 0, 0, 0};
  const Case cases[] = {
      {regtype::kSz, "1", 1},
      {regtype::kSz, "2", 0},
      {regtype::kSz, " 1", 0},
      {regtype::kSz, "yes", 0},
      {regtype::kDword, std::string(reinterpret_cast<const char*>(one), 4), 0},
  };
  for (const Case& stored : cases) {
    StoreRaw(HKLM, kWinlogon, "AutoAdminLogon", stored.type, stored.data);
    api_.writes.clear();
    Open();
    EXPECT_EQ(page_->form().check("Check7").value(), stored.shown) << stored.data;
    EXPECT_EQ(WritesOf("AutoAdminLogon"), stored.shown) << stored.data;
    EXPECT_EQ(TypeOf(api_, HKLM, kWinlogon, "AutoAdminLogon"), stored.type) << stored.data;
  }
  forms::CheckBox& box = page_->form().check("Check7");
  EXPECT_EQ(box.caption(), "Auto Logon");
  EXPECT_EQ(box.container(), "Frame1");
  box.UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "AutoAdminLogon"), "1");
  box.UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "AutoAdminLogon"), "0");
}

TEST_F(LogonPageTest, BrowseOffersBitmapsFromTheProgramFolderAndStoresTheChoice) {
  fakes_.files.SetProgramFolder("C:\\Tools\\Kelmor");
  EXPECT_TRUE(reg_.SaveStringValue(HKU, kDefaultDesktop, "Wallpaper", "C:\\old.bmp").ok());
  forms::Form& form = Open();
  form.control("Command1").UserClick();  // cancelled
  EXPECT_EQ(form.text("Text4").text(), "C:\\old.bmp");
  EXPECT_EQ(reg_.GetStringValue(HKU, kDefaultDesktop, "Wallpaper"), "C:\\old.bmp");

  fakes_.dialogs.QueueOpenFileResult("D:\\Pictures\\logon.bmp");
  form.control("Command1").UserClick();
  ASSERT_EQ(fakes_.dialogs.open_file_calls().size(), 2u);
  const OpenFileDialogCall& call = fakes_.dialogs.open_file_calls().back();
  EXPECT_EQ(call.title, "Choose a BMP to set as a logon wallpaper - Kelmor Deskwarden");
  EXPECT_EQ(call.filter, "Bitmap Pictures (*.bmp)|*.bmp");
  EXPECT_EQ(call.initial_folder, "C:\\Tools\\Kelmor");
  EXPECT_EQ(form.text("Text4").text(), "D:\\Pictures\\logon.bmp");
  EXPECT_EQ(reg_.GetStringValue(HKU, kDefaultDesktop, "Wallpaper"), "D:\\Pictures\\logon.bmp");
  EXPECT_EQ(TypeOf(api_, HKU, kDefaultDesktop, "Wallpaper"), regtype::kSz);
}

TEST_F(LogonPageTest, ClearPasswordEmptiesTheStoredValueAndTheBox) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "secret").ok());
  forms::Form& form = Open();
  forms::TextBox& password = form.text("Text2");
  EXPECT_EQ(password.text(), "secret");
  EXPECT_TRUE(password.flags() & forms::kPassword);
  EXPECT_EQ(form.control("Image2").tooltip(), "Clear Password");

  api_.writes.clear();
  form.control("Image2").UserClick();
  EXPECT_EQ(WritesOf("DefaultPassword"), 1);
  EXPECT_EQ(reg_.ValuePresence(HKLM, kWinlogon, "DefaultPassword"), Presence::kThere);
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "DefaultPassword", "<none>"), "");
  EXPECT_EQ(password.text(), "") << "the box shows what is stored";
  // Typing starts a new password instead of bringing the old one back.
  password.UserEdit("n");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "DefaultPassword"), "n");

  // With nothing stored, clearing leaves an empty value, as Windows expects.
  EXPECT_TRUE(reg_.DeleteValue(HKLM, kWinlogon, "DefaultPassword").ok());
  Open();
  page_->form().control("Image2").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKLM, kWinlogon, "DefaultPassword", "<none>"), "");
}

}  // namespace
}  // namespace kdw::pages

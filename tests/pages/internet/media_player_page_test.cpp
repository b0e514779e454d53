// frmWMP through its control models: the skip-on-error load, the text-valued
// switch, the DVD button, the skin list and the skin import with its checks.
#include "pages/internet/media_player_page.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kPreferences = "Software\\Microsoft\\MediaPlayer\\Preferences";
constexpr const char* kPolicies = "Software\\Policies\\Microsoft\\WindowsMediaPlayer";
constexpr const char* kPlayerSettings = "Software\\Microsoft\\MediaPlayer\\Player\\Settings";
constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kSkins = "C:\\Program Files\\Windows Media Player\\Skins";

class MediaPlayerPageTest : public test::PageTest {
 protected:
  MediaPlayerPageTest() : PageTest(MakeMediaPlayerPage) {
    EXPECT_TRUE(reg_.SaveStringValue(HKLM, kCurrentVersion, "ProgramFilesDir", "C:\\Program Files").ok());
    fakes_.files.AddFile(std::string(kSkins) + "\\Classic.wmz", "classic");
    fakes_.files.AddFile(std::string(kSkins) + "\\Revert.wmz", "revert");
    fakes_.files.AddFile(std::string(kSkins) + "\\readme.txt", "not a skin");
    api_.writes.clear();
  }

  forms::Form& form() { return page_->form(); }
  forms::ListControl& Skins() { return form().list("File1"); }
  forms::Control& Dvd() { return form().control("Command1"); }
  int WritesOf(const std::string& name) {
    int count = 0;
    for (const std::string& write : api_.writes) count += write == "set " + name;
    return count;
  }
  void StoreRaw(const char* key, const char* name, ValueType type, const std::string& data) {
    RegKey handle = 0;
    api_.CreateKey(HKCU, key, &handle);
    api_.SetValue(handle, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                  static_cast<std::uint32_t>(data.size()));
    api_.CloseKey(handle);
  }
  // Adds a skin through the picture button: the file dialog gives `source`,
  // the input box `name`.
  void AddSkin(const std::string& source, const std::string& name) {
    fakes_.dialogs.QueueOpenFileResult(source);
    fakes_.input.QueueAnswer(name);
    form().control("Image2").UserClick();
  }
};

TEST_F(MediaPlayerPageTest, MaximizedIsTextAndABadValueLeavesItsBoxAloneUnwritten) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPreferences, "Maximized", "1").ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(form().caption(), "Windows Media Player");
  EXPECT_EQ(form().check("Check1").value(), 1);
  EXPECT_EQ(WritesOf("Maximized"), 1);
  form().check("Check1").UserClick();
  EXPECT_EQ(TypeOf(api_, HKCU, kPreferences, "Maximized"), regtype::kSz);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPreferences, "Maximized"), "0");
  form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPreferences, "Maximized"), "1");

  // A number where the text belongs, text that is no number, numbers that
  // are no box state: each step fails alone and the next ones still load.
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPolicies, "TitleBar", "My Player").ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kPolicies, "SetAndLockSkin", 1).ok());
  struct Bad {
    const char* key;
    const char* name;
    ValueType type;
    std::string data;
  };
  const Bad bad[] = {
      {kPreferences, "Maximized", regtype::kDword, std::string("\x01\0\0\0", 4)},
      {kPreferences, "Maximized", regtype::kSz, "yes"},
      {kPreferences, "Maximized", regtype::kSz, "7"},
      {kPreferences, "Maximized", regtype::kSz, "-1"},
      {kPreferences, "Maximized", regtype::kSz, "99999"},
      {kPreferences, "CDAutoPlay", regtype::kDword, std::string("\x07\0\0\0", 4)},
      {kPolicies, "PreventCodecDownload", regtype::kDword, std::string("\xff\xff\xff\xff", 4)},
  };
  for (const Bad& value : bad) {
    EXPECT_TRUE(reg_.DeleteValue(HKCU, kPreferences, "Maximized").ok());
    StoreRaw(value.key, value.name, value.type, value.data);
    api_.writes.clear();
    Open();
    const char* box = std::string(value.name) == "Maximized"   ? "Check1"
                      : std::string(value.name) == "CDAutoPlay" ? "Check2"
                                                                : "Check3";
    EXPECT_EQ(form().check(box).value(), 0) << value.name << " " << value.data;
    EXPECT_EQ(WritesOf(value.name), 0) << value.name << " " << value.data;
    EXPECT_EQ(TypeOf(api_, HKCU, value.key, value.name), value.type);
    EXPECT_EQ(form().check("Check4").value(), 1);
    EXPECT_EQ(form().text("Text1").text(), "My Player");
    EXPECT_TRUE(reg_.DeleteValue(HKCU, value.key, value.name).ok());
  }
}

TEST_F(MediaPlayerPageTest, DvdButtonFollowsAnExactYesAndTogglesByItsCaption) {
  Open();
  EXPECT_EQ(Dvd().caption(), "Enable DVD Play");
  EXPECT_EQ(Dvd().picture(), "ADD02");
  EXPECT_EQ(WritesOf("EnableDVDUI"), 0);

  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPlayerSettings, "EnableDVDUI", "yes").ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(Dvd().caption(), "Enable DVD Play") << "only \"Yes\" exactly is on";
  EXPECT_EQ(WritesOf("EnableDVDUI"), 0);
  Dvd().UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPlayerSettings, "EnableDVDUI"), "Yes");
  EXPECT_EQ(Dvd().caption(), "Disable DVD Play");
  EXPECT_EQ(Dvd().picture(), "ADD01");
  Dvd().UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPlayerSettings, "EnableDVDUI"), "No");
  EXPECT_EQ(Dvd().caption(), "Enable DVD Play");
  EXPECT_EQ(Dvd().picture(), "ADD02");

  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPlayerSettings, "EnableDVDUI", "Yes").ok());
  Open();
  EXPECT_EQ(Dvd().caption(), "Disable DVD Play");
  EXPECT_EQ(Dvd().picture(), "ADD01");
}

TEST_F(MediaPlayerPageTest, SkinListShowsTheFolderAndTheStoredSkinIsSelected) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPolicies, "DefaultSkin", "Revert.wmz").ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(Skins().path(), kSkins);
  EXPECT_EQ(Skins().items(), (std::vector<std::string>{"Classic.wmz", "Revert.wmz"}));
  EXPECT_EQ(Skins().text(), "Revert.wmz");
  EXPECT_EQ(form().text("Text3").text(), "Revert.wmz");
  EXPECT_EQ(WritesOf("DefaultSkin"), 1) << "selecting stores the same name again";
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPolicies, "DefaultSkin"), "Revert.wmz");

  // Picking stores the file name alone and shows what is stored.
  Skins().UserSelect(0);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPolicies, "DefaultSkin"), "Classic.wmz");
  EXPECT_EQ(form().text("Text3").text(), "Classic.wmz");
  form().text("Text3").UserEdit("typed");  // only shows: no write of its own
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPolicies, "DefaultSkin"), "Classic.wmz");

  // A name that matches no file (letter case counts) selects nothing and
  // is left as it is.
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPolicies, "DefaultSkin", "classic.wmz").ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(Skins().list_index(), -1);
  EXPECT_EQ(form().text("Text3").text(), "classic.wmz");
  EXPECT_EQ(WritesOf("DefaultSkin"), 0);

  // A stored name with more after a NUL is selected without replacing it.
  StoreRaw(kPolicies, "DefaultSkin", regtype::kSz, std::string("Classic.wmz\0old", 15));
  api_.writes.clear();
  Open();
  EXPECT_EQ(Skins().text(), "Classic.wmz");
  EXPECT_EQ(WritesOf("DefaultSkin"), 0);
}

TEST_F(MediaPlayerPageTest, NoSkinFolderLeavesTheListEmptyAndTheRestLoads) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPolicies, "DefaultSkin", "Classic.wmz").ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kPreferences, "CDAutoPlay", 1).ok());
  for (const char* programs : {"", "D:\\Nowhere"}) {
    EXPECT_TRUE(reg_.SaveStringValue(HKLM, kCurrentVersion, "ProgramFilesDir", programs).ok());
    api_.writes.clear();
    Open();
    EXPECT_EQ(Skins().path(), "") << programs;
    EXPECT_EQ(Skins().count(), 0) << programs;
    EXPECT_EQ(form().text("Text3").text(), "Classic.wmz");
    EXPECT_EQ(form().check("Check2").value(), 1);
    EXPECT_EQ(WritesOf("DefaultSkin"), 0);

    // Nothing can be added without the folder: said, and nothing copied.
    fakes_.files.AddFile("C:\\Downloads\\Blue.wmz", "blue");
    const std::size_t writes = fakes_.files.write_count();
    AddSkin("C:\\Downloads\\Blue.wmz", "Blue");
    EXPECT_EQ(fakes_.files.write_count(), writes);
    ASSERT_FALSE(fakes_.messages.shown().empty());
    EXPECT_NE(fakes_.messages.shown().back().text.find("skin folder"), std::string::npos);
  }
}

TEST_F(MediaPlayerPageTest, MusicLibraryBrowseAndTheTitleWriteTheirTexts) {
  Open();
  form().control("Image1").UserClick();  // cancelled
  EXPECT_EQ(form().text("Text2").text(), "");
  EXPECT_EQ(WritesOf("SearchPath"), 0);
  fakes_.dialogs.QueueDirBoxResult("D:\\Music");
  form().control("Image1").UserClick();
  ASSERT_EQ(fakes_.dialogs.dir_box_calls().size(), 2u);
  EXPECT_EQ(fakes_.dialogs.dir_box_calls()[1].message, "Choose your Music Library path.");
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPreferences, "SearchPath"), "D:\\Music");
  form().text("Text1").UserEdit("Mine");
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPolicies, "TitleBar"), "Mine");
}

TEST_F(MediaPlayerPageTest, AddingASkinCopiesItUnderTheNameGivenAndListsIt) {
  fakes_.files.AddFile("C:\\Downloads\\blue skin.wmz", "blue bytes");
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kShellFolders, "AppData", "C:\\Users\\Ann\\Application Data").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kShellFolders, "Personal", "C:\\Users\\Ann\\My Documents").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kPolicies, "DefaultSkin", "Revert.wmz").ok());
  Open();
  api_.writes.clear();

  form().control("Image2").UserClick();  // the file dialog cancelled
  EXPECT_TRUE(fakes_.input.asked().empty());
  ASSERT_EQ(fakes_.dialogs.open_file_calls().size(), 1u);
  const OpenFileDialogCall& call = fakes_.dialogs.open_file_calls()[0];
  EXPECT_EQ(call.title, "Choose for a skin - Kelmor Deskwarden");
  EXPECT_EQ(call.filter, "Media Player's Skins (*.wmz)|*.wmz");
  EXPECT_EQ(call.initial_folder, "C:\\Users\\Ann\\My Documents") << "no Media Player folder yet";

  fakes_.files.AddFolder("C:\\Users\\Ann\\Application Data\\Microsoft\\Media Player");
  AddSkin("C:\\Downloads\\blue skin.wmz", "Blue");
  EXPECT_EQ(fakes_.dialogs.open_file_calls()[1].initial_folder,
            "C:\\Users\\Ann\\Application Data\\Microsoft\\Media Player");
  ASSERT_EQ(fakes_.input.asked().size(), 1u);
  EXPECT_EQ(fakes_.input.asked()[0].prompt, "Choose a name for your skin.");
  EXPECT_EQ(fakes_.input.asked()[0].title, "Kelmor Deskwarden");
  EXPECT_EQ(fakes_.input.asked()[0].default_text, "");
  EXPECT_EQ(fakes_.files.TextContents(std::string(kSkins) + "\\Blue.wmz"), "blue bytes");
  EXPECT_EQ(Skins().items(),
            (std::vector<std::string>{"Blue.wmz", "Classic.wmz", "Revert.wmz"}));
  EXPECT_EQ(Skins().text(), "Revert.wmz") << "the selection stays";
  EXPECT_TRUE(api_.writes.empty()) << "adding a skin stores nothing";
  EXPECT_TRUE(fakes_.messages.shown().empty());

  // A skin of that name is replaced whole.
  fakes_.files.AddFile("C:\\Downloads\\new.wmz", "newer bytes");
  AddSkin("C:\\Downloads\\new.wmz", "Blue");
  EXPECT_EQ(fakes_.files.TextContents(std::string(kSkins) + "\\Blue.wmz"), "newer bytes");
  EXPECT_EQ(Skins().count(), 3);
}

TEST_F(MediaPlayerPageTest, ASkinNameIsCheckedBeforeAnythingIsCopied) {
  fakes_.files.AddFile("C:\\Downloads\\blue.wmz", "blue");
  Open();
  const std::size_t writes = fakes_.files.write_count();
  // Cancel, nothing typed, blanks: nothing copied and nothing said.
  for (const char* empty : {"", "   "}) AddSkin("C:\\Downloads\\blue.wmz", empty);
  EXPECT_TRUE(fakes_.messages.shown().empty());
  EXPECT_FALSE(fakes_.files.Exists(std::string(kSkins) + "\\.wmz"));

  for (const char* hostile : {"..\\..\\Windows\\evil", "../evil", "C:evil", "D:\\evil", "a*b",
                              "what?", "say \"hi\"", "<b>", "a|b", "tab\there", "CON", "nul",
                              "com1", "LPT9", "con.blue", "AUX "}) {
    fakes_.messages.Clear();
    AddSkin("C:\\Downloads\\blue.wmz", hostile);
    ASSERT_EQ(fakes_.messages.shown().size(), 1u) << hostile;
    EXPECT_NE(fakes_.messages.shown()[0].text.find(hostile), std::string::npos) << hostile;
    EXPECT_EQ(fakes_.messages.shown()[0].title, "Kelmor Deskwarden");
    EXPECT_EQ(fakes_.messages.shown()[0].icon(), mb::kIconError);
  }
  EXPECT_EQ(fakes_.files.write_count(), writes);
  EXPECT_EQ(Skins().count(), 2);

  // Names that only look odd are fine.
  for (const char* fine : {"Blue. Dark", "..blue", "CONSOLE", "COM10", "Ünïcode"}) {
    EXPECT_TRUE(IsUsableSkinName(fine)) << fine;
  }
}

TEST_F(MediaPlayerPageTest, AFailedCopyIsReportedAndLeavesTheOldSkinWhole) {
  const std::string blue = std::string(kSkins) + "\\Blue.wmz";
  fakes_.files.AddFile(blue, "old blue");
  fakes_.files.AddFile("C:\\Downloads\\new.wmz", "new blue");
  Open();

  // The skin folder refuses the write half-way (a busy or locked file).
  fakes_.files.RefuseWrites(blue, 1);
  AddSkin("C:\\Downloads\\new.wmz", "Blue");
  EXPECT_EQ(fakes_.files.TextContents(blue), "old blue");
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_NE(fakes_.messages.shown()[0].text.find(blue), std::string::npos);

  // A source that cannot be read.
  fakes_.messages.Clear();
  AddSkin("C:\\Downloads\\gone.wmz", "Gone");
  EXPECT_FALSE(fakes_.files.Exists(std::string(kSkins) + "\\Gone.wmz"));
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_NE(fakes_.messages.shown()[0].text.find("could not be read"), std::string::npos);
}

TEST_F(MediaPlayerPageTest, ALimitedAccountCannotAddASkinButUsesTheRest) {
  api_.SetMachineWideReadOnly(true);
  Open();
  EXPECT_FALSE(form().control("Image2").enabled());
  for (const char* other : {"Check1", "Check4", "Text1", "Text2", "File1", "Command1", "Image1"})
    EXPECT_TRUE(form().control(other).enabled()) << other;
  Skins().UserSelect(1);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kPolicies, "DefaultSkin"), "Revert.wmz");
}

}  // namespace
}  // namespace kdw::pages

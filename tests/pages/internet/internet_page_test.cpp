// frmInternet through its control models: the three write rules of the
// word switches and the zone switch, the folders, the title reset, the
// browser's command line, the two dialogs, the maximized window and the
// account rule.
#include "pages/internet/internet_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kBrowser = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kZone = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
constexpr const char* kSettings = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

class InternetPageTest : public test::PageTest {
 protected:
  InternetPageTest() : PageTest(MakeInternetPage) {}
  forms::Form& OpenFresh() {
    forms::Form& form = Open();
    api_.writes.clear();
    return form;
  }
  // The writes of the last opening that were the page's own, not the
  // account probe's.
  std::vector<std::string> PageWrites() {
    std::vector<std::string> own;
    for (const std::string& write : api_.writes) {
      if (write != "set Account" && write != "delete Account") own.push_back(write);
    }
    return own;
  }
  std::string Word(const char* name) { return reg_.GetStringValue(HKCU, kMain, name, "<none>"); }
  int Zone() { return reg_.GetDwordValue(HKCU, kZone, "1001", -99); }
};

TEST_F(InternetPageTest, NothingStoredOpensEmptyAndWritesNothing) {
  forms::Form& form = Open();
  EXPECT_TRUE(PageWrites().empty());
  EXPECT_EQ(form.caption(), "Internet Explorer");
  for (const char* box : {"Check1", "Check2", "Check3", "Check4"}) {
    EXPECT_EQ(form.check(box).value(), 0) << box;
  }
  for (const char* text : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
    EXPECT_EQ(form.text(text).text(), "") << text;
  }
  EXPECT_EQ(form.control("Command1").caption(), "Browser Restricions");
  EXPECT_EQ(form.control("Command2").caption(), "IE Options Restricions");
}

TEST_F(InternetPageTest, WordSwitchesLoadOnlyAnExactYesAndWriteByTheirOwnRules) {
  // Any other capitalisation is not "yes": unchecked, and left as stored.
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kMain, "Anchor Underline", "Yes").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kMain, "FullScreen", "YES").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kMain, "ShowGoButton", "yes").ok());
  forms::Form& form = OpenFresh();
  EXPECT_EQ(form.check("Check1").value(), 0);
  EXPECT_EQ(form.check("Check2").value(), 0);
  EXPECT_EQ(form.check("Check3").value(), 1);
  EXPECT_EQ(Word("Anchor Underline"), "Yes");
  EXPECT_EQ(Word("FullScreen"), "YES");

  form.check("Check1").UserClick();
  EXPECT_EQ(Word("Anchor Underline"), "yes");
  form.check("Check3").UserClick();
  EXPECT_EQ(Word("ShowGoButton"), "no");

  // A grayed box is on for the underlining, off for the other two.
  form.check("Check1").SetValue(2);
  form.check("Check2").SetValue(2);
  form.check("Check3").SetValue(2);
  EXPECT_EQ(Word("Anchor Underline"), "yes");
  EXPECT_EQ(Word("FullScreen"), "no");
  EXPECT_EQ(Word("ShowGoButton"), "no");
  EXPECT_EQ(TypeOf(api_, HKCU, kMain, "FullScreen"), regtype::kSz);
}

TEST_F(InternetPageTest, ActiveXZoneSwitchNeverWritesZero) {
  for (int stored : {0, 1}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kZone, "1001", stored).ok());
    api_.writes.clear();
    forms::Form& form = Open();
    EXPECT_EQ(form.check("Check4").value(), 0) << stored;
    EXPECT_TRUE(PageWrites().empty());
    EXPECT_EQ(Zone(), stored);
    form.check("Check4").UserClick();
    EXPECT_EQ(Zone(), 3);
    form.check("Check4").UserClick();
    EXPECT_EQ(Zone(), 1);
    form.check("Check4").SetValue(2);
    EXPECT_EQ(Zone(), 1);
  }
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kZone, "1001", 3).ok());
  EXPECT_EQ(Open().check("Check4").value(), 1);
}

TEST_F(InternetPageTest, TextsLoadAndWriteWhereTheyLive) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kMain, "Start Page", "http://example.org/").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kSettings, "ActiveXCache", "C:\\WINDOWS\\Downloaded Program Files").ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.text("Text2").text(), "http://example.org/");
  EXPECT_EQ(form.text("Text5").text(), "C:\\WINDOWS\\Downloaded Program Files");

  // The download folder is one level above the Main key.
  form.text("Text4").UserEdit("D");
  form.text("Text4").UserEdit("D:");
  EXPECT_EQ(reg_.GetStringValue(HKCU, kBrowser, "Download Directory"), "D:");
  EXPECT_EQ(reg_.ValuePresence(HKCU, kMain, "Download Directory"), Presence::kMissing);
  form.text("Text3").UserEdit("E:\\Saved");
  EXPECT_EQ(Word("Save Directory"), "E:\\Saved");
}

TEST_F(InternetPageTest, FolderDialogsFillTheirBoxesAndCancelChangesNothing) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kMain, "Save Directory", "C:\\Old").ok());
  forms::Form& form = OpenFresh();
  form.control("Image2").UserClick();  // cancelled: nothing queued
  EXPECT_EQ(form.text("Text3").text(), "C:\\Old");
  EXPECT_TRUE(api_.writes.empty());

  fakes_.dialogs.QueueDirBoxResult("C:\\Saves");
  form.control("Image2").UserClick();
  fakes_.dialogs.QueueDirBoxResult("C:\\Downloads");
  form.control("Image3").UserClick();
  fakes_.dialogs.QueueDirBoxResult("C:\\ActiveX");
  form.control("Image4").UserClick();
  EXPECT_EQ(Word("Save Directory"), "C:\\Saves");
  EXPECT_EQ(reg_.GetStringValue(HKCU, kBrowser, "Download Directory"), "C:\\Downloads");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kSettings, "ActiveXCache"), "C:\\ActiveX");

  const auto& calls = fakes_.dialogs.dir_box_calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].message, "Choose where you want to save your files.");
  EXPECT_EQ(calls[2].message, "Choose where you want to download your files.");
  EXPECT_EQ(calls[3].message, "Choose where you want to save ActiveX.");
}

TEST_F(InternetPageTest, ClearingTheTitleLeavesNoValue) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kMain, "Window Title", "Kiosk").ok());
  forms::Form& form = OpenFresh();
  EXPECT_EQ(form.text("Text1").text(), "Kiosk");
  form.control("Image6").UserClick();
  EXPECT_EQ(form.text("Text1").text(), "");
  EXPECT_EQ(reg_.ValuePresence(HKCU, kMain, "Window Title"), Presence::kMissing);
  EXPECT_EQ(TypeOf(api_, HKCU, kMain, "Window Title"), regtype::kNone);
}

TEST_F(InternetPageTest, BrowserStartsQuotedAtTheHomePageAsTyped) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                       "C:\\Program Files").ok());
  forms::Form& form = Open();
  form.control("Image1").UserClick();
  form.text("Text2").UserEdit("www.example.org");
  form.control("Image1").UserClick();
  const auto& started = fakes_.processes.started();
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].command_line, "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" ");
  EXPECT_EQ(started[1].command_line,
            "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" www.example.org");
  EXPECT_EQ(started[1].show_command, sw::kShowNormal);
  EXPECT_TRUE(fakes_.messages.shown().empty());

  // A start that fails says so.
  fakes_.processes.SetFailing(true);
  form.control("Image1").UserClick();
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_EQ(fakes_.messages.shown()[0].text, "The web browser could not be started.");
  EXPECT_EQ(fakes_.messages.shown()[0].title, kTitle);
}

TEST_F(InternetPageTest, TheButtonsOpenTheDialogsModallyOverTheMainWindow) {
  constexpr forms::FormSpec kMainSpec{"frmMain", "Kelmor Deskwarden", forms::FormStyle::kMdiFrame,
                                      9735, 6510, {}};
  forms::Form main(kMainSpec);
  context_.main_form = &main;
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kZone, "1803", 1).ok());
  host_.on_modal = [&](forms::Form& dialog) {
    // Loaded before it shows.
    if (dialog.name() == "frmNetRes") {
      EXPECT_EQ(dialog.check("Check6").value(), 1);
    }
    dialog.control("Image1").UserClick();  // closes it
  };
  forms::Form& form = Open();
  form.control("Command1").UserClick();
  form.control("Command2").UserClick();
  EXPECT_EQ(host_.modal, (std::vector<std::string>{"frmNetRes", "frmNetRes2"}));
  EXPECT_EQ(host_.destroyed, host_.modal);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kZone, "1803"), 3);
  context_.main_form = nullptr;
}

TEST_F(InternetPageTest, StaysMaximized) {
  forms::Form& form = OpenFresh();
  EXPECT_EQ(form.window_state(), forms::WindowState::kMaximized);
  form.WindowResized(3000, 2000, forms::WindowState::kNormal);
  EXPECT_EQ(form.window_state(), forms::WindowState::kMaximized);
  form.WindowResized(3000, 2000, forms::WindowState::kMinimized);
  EXPECT_EQ(form.window_state(), forms::WindowState::kMaximized);
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(InternetPageTest, LimitedAccountLosesOnlyTheActiveXFolder) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kSettings, "ActiveXCache", "C:\\Cache").ok());
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  for (const char* name : {"Label5", "Text5", "Image4"}) {
    EXPECT_FALSE(form.control(name).enabled()) << name;
  }
  EXPECT_EQ(form.text("Text5").text(), "C:\\Cache");
  for (const char* name : {"Text1", "Text4", "Image2", "Image3", "Check4", "Command1"}) {
    EXPECT_TRUE(form.control(name).enabled()) << name;
  }
}

}  // namespace
}  // namespace kdw::pages

// frmOthers through its control models: the shortcut arrow, the
// context-menu handlers, the Notepad verb's keys, the special folders, the
// profile line and the account rule.
#include "pages/shell/other_functions_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kHandlers = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\";
constexpr const char* kEditText = "*\\shell\\EditText";
constexpr const char* kEditCommand = "*\\shell\\EditText\\command";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class OtherFunctionsPageTest : public test::PageTest {
 protected:
  OtherFunctionsPageTest() : PageTest(MakeOtherFunctionsPage) {}
  forms::ListControl& Folders() { return page_->form().list("Combo1"); }
  std::string Path() { return page_->form().text("Text1").text(); }
  // Opens the page and forgets what its load wrote (the account probe among
  // it): the writes from then on are the user's.
  forms::Form& OpenFresh() {
    forms::Form& form = Open();
    api_.writes.clear();
    return form;
  }
  bool KeyThere(const std::string& key) { return api_.KeyExists(HKCR, key); }
};

TEST_F(OtherFunctionsPageTest, ShortcutArrowRowDeletesTheValueAndPutsItBackEmpty) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, "lnkfile", "IsShortcut", "").ok());
  forms::Form& form = Open();
  forms::CheckBox& arrow = form.check("Check1");
  EXPECT_EQ(arrow.caption(), "Remove Shortcut Arrow");
  EXPECT_EQ(arrow.tooltip(), "Remove the little arrow displayed on shortcuts.");
  EXPECT_EQ(arrow.value(), 0);
  arrow.UserClick();
  EXPECT_EQ(reg_.ValuePresence(HKCR, "lnkfile", "IsShortcut"), Presence::kMissing);
  arrow.UserClick();
  EXPECT_EQ(TypeOf(api_, HKCR, "lnkfile", "IsShortcut"), regtype::kSz);
  EXPECT_EQ(reg_.GetStringValue(HKCR, "lnkfile", "IsShortcut", "<none>"), "");

  // Absent: checked, and the write-back deletes nothing that is there.
  EXPECT_TRUE(reg_.DeleteValue(HKCR, "lnkfile", "IsShortcut").ok());
  Open();
  EXPECT_EQ(page_->form().check("Check1").value(), 1);

  // A value with longer data is there all the same: the arrow shows, and
  // opening the page must not remove it.
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, "lnkfile", "IsShortcut", "arrow please").ok());
  Open();
  EXPECT_EQ(page_->form().check("Check1").value(), 0);
  EXPECT_EQ(reg_.GetStringValue(HKCR, "lnkfile", "IsShortcut"), "arrow please");
}

TEST_F(OtherFunctionsPageTest, HandlersAreMatchedExactlyAndUncheckingKeepsTheKey) {
  const std::string copy_to = std::string(kHandlers) + "Copy To";
  const std::string move_to = std::string(kHandlers) + "Move To";
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, copy_to, "", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}").ok());
  // The right identifier, but with a capital D in its third group.
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, move_to, "", "{C2FBB631-2971-11D1-A18C-00C04FD75D13}").ok());
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(form.check("Check5").caption(), "Show \"Copy To...\"");
  EXPECT_EQ(form.check("Check5").value(), 1);
  EXPECT_EQ(form.check("Check6").value(), 0);
  EXPECT_EQ(form.check("Check7").value(), 0);
  EXPECT_EQ(reg_.GetStringValue(HKCR, move_to, ""), "{C2FBB631-2971-11D1-A18C-00C04FD75D13}");

  form.check("Check5").UserClick();
  EXPECT_TRUE(KeyThere(copy_to));
  EXPECT_EQ(reg_.GetStringValue(HKCR, copy_to, "", "<none>"), "");
  form.check("Check7").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCR, std::string(kHandlers) + "Send To", ""),
            "{7BA4C740-9E81-11CF-99D3-00AA004AE837}");
}

TEST_F(OtherFunctionsPageTest, NotepadVerbMakesBothKeysAndRemovesThemChildFirst) {
  forms::Form& form = Open();
  EXPECT_FALSE(KeyThere(kEditText));
  form.check("Check14").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCR, kEditText, ""), "Edit with Notepad");
  EXPECT_EQ(reg_.GetStringValue(HKCR, kEditCommand, ""), "notepad.exe %1");

  OpenFresh();
  ASSERT_EQ(page_->form().check("Check14").value(), 1);
  page_->form().check("Check14").UserClick();
  EXPECT_EQ(api_.writes, (std::vector<std::string>{std::string("delete key ") + kEditCommand,
                                                    std::string("delete key ") + kEditText}));
  EXPECT_FALSE(KeyThere(kEditText));

  // A verb key that holds more than the command stays, and the user is told
  // that the verb is still there.
  page_->form().check("Check14").UserClick();
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, std::string(kEditText) + "\\ddeexec", "", "open").ok());
  page_->form().check("Check14").UserClick();
  EXPECT_FALSE(KeyThere(kEditCommand));
  EXPECT_TRUE(KeyThere(kEditText));
  EXPECT_EQ(fakes_.messages.shown().size(), 1u);
}

TEST_F(OtherFunctionsPageTest, ChoosingAFolderShowsItsStoredPathAndStoresNothing) {
  EXPECT_TRUE(reg_.SaveExpandStringValue(HKCU, kShellFolders, "Personal", "%USERPROFILE%\\My Documents").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kShellFolders, "Desktop", "C:\\Desk").ok());
  OpenFresh();
  ASSERT_EQ(Folders().count(), 8);
  EXPECT_EQ(Folders().items()[1], "My Documents");
  EXPECT_EQ(Folders().items()[7], "History");
  EXPECT_EQ(Folders().list_index(), -1);
  EXPECT_EQ(Path(), "");

  Folders().UserSelect(1);
  EXPECT_EQ(Path(), "%USERPROFILE%\\My Documents") << "unexpanded, from Personal";
  Folders().UserSelect(0);
  EXPECT_EQ(Path(), "") << "a REG_SZ is not a folder path";
  Folders().UserSelect(5);
  EXPECT_EQ(Path(), "") << "Cookies is not stored";
  EXPECT_TRUE(api_.writes.empty());
  EXPECT_EQ(TypeOf(api_, HKCU, kShellFolders, "Desktop"), regtype::kSz);
  EXPECT_EQ(TypeOf(api_, HKCU, kShellFolders, "Cookies"), regtype::kNone);
}

TEST_F(OtherFunctionsPageTest, ResetAndBrowseStoreExpandablePathsOfTheChosenFolder) {
  forms::Form& form = OpenFresh();
  // Nothing chosen: Browse does nothing at all, Reset asks for a choice.
  form.control("Image2").UserClick();
  EXPECT_TRUE(fakes_.dialogs.dir_box_calls().empty());
  EXPECT_TRUE(fakes_.messages.shown().empty());
  form.control("Image1").UserClick();
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_EQ(fakes_.messages.shown()[0].text, "Please choose an item.");
  EXPECT_EQ(fakes_.messages.shown()[0].title, "Kelmor Deskwarden");
  EXPECT_EQ(fakes_.messages.shown()[0].icon(), mb::kIconError);
  EXPECT_TRUE(api_.writes.empty());

  Folders().UserSelect(7);
  form.control("Image1").UserClick();
  EXPECT_EQ(TypeOf(api_, HKCU, kShellFolders, "History"), regtype::kExpandSz);
  EXPECT_EQ(reg_.GetExpandStringValue(HKCU, kShellFolders, "History"),
            "%USERPROFILE%\\Local Settings\\History");
  EXPECT_EQ(Path(), "%USERPROFILE%\\Local Settings\\History");

  Folders().UserSelect(1);
  form.control("Image2").UserClick();  // cancelled
  EXPECT_EQ(reg_.ValuePresence(HKCU, kShellFolders, "Personal"), Presence::kMissing);
  fakes_.dialogs.QueueDirBoxResult("D:\\Docs");
  form.control("Image2").UserClick();
  ASSERT_EQ(fakes_.dialogs.dir_box_calls().size(), 2u);
  EXPECT_EQ(fakes_.dialogs.dir_box_calls()[1].message, "Choose a new path for My Documents.");
  EXPECT_EQ(TypeOf(api_, HKCU, kShellFolders, "Personal"), regtype::kExpandSz);
  EXPECT_EQ(reg_.GetExpandStringValue(HKCU, kShellFolders, "Personal"), "D:\\Docs");
  EXPECT_EQ(Path(), "D:\\Docs");
  EXPECT_EQ(reg_.ValuePresence(HKCU, kShellFolders, "My Documents"), Presence::kMissing);
}

TEST_F(OtherFunctionsPageTest, ProfileLineNamesTheSystemDriveAndTheMainWindowsUser) {
  constexpr forms::MenuSpec kMenus[] = {{"menu", "", ""}, {"menuExit", "E&xit", "menu"}};
  forms::Form main(forms::FormSpec{.name = "frmMain",
                                   .caption = "Kelmor Deskwarden",
                                   .style = forms::FormStyle::kMdiFrame,
                                   .width = 9735,
                                   .height = 6510,
                                   .controls = {},
                                   .menus = kMenus});
  main.menu("menu").SetCaption("Ann");
  context_.main_form = &main;
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot",
                       "D:\\WINNT").ok());
  Open();
  // The variable's name is spelt as the program has always shown it.
  EXPECT_EQ(page_->form().text("Text2").text(), " %USERPROFLE% = D:\\Documents and Settings\\Ann");
  EXPECT_TRUE(page_->form().text("Text2").flags() & forms::kReadOnly);

  EXPECT_TRUE(reg_.DeleteValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot").ok());
  context_.main_form = nullptr;
  Open();
  EXPECT_EQ(page_->form().text("Text2").text(), " %USERPROFLE% = Documents and Settings\\");
}

TEST_F(OtherFunctionsPageTest, LimitedAccountKeepsTheShortcutArrowAndTheFolders) {
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  for (const char* name : {"Check5", "Check6", "Check7", "Check10", "Check14"})
    EXPECT_FALSE(form.control(name).enabled()) << name;
  // The arrow row stays usable; its refused write under HKCR is told once,
  // and the box shows again that the arrow is still removed.
  form.check("Check1").UserClick();
  EXPECT_EQ(reg_.ValuePresence(HKCR, "lnkfile", "IsShortcut"), Presence::kMissing);
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_EQ(fakes_.messages.shown()[0].text,
            "Kelmor Deskwarden could not change \"Remove Shortcut Arrow\": access is denied.");
  EXPECT_EQ(form.check("Check1").value(), 1);
  Folders().UserSelect(6);
  form.control("Image1").UserClick();
  EXPECT_EQ(reg_.GetExpandStringValue(HKCU, kShellFolders, "Favorites"), "%USERPROFILE%\\Favorites");
}

}  // namespace
}  // namespace kdw::pages

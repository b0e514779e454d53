// frmPrograms through its control models: the switch, the numbered entries,
// the program box's write-back, the Delete key and the program picker.
#include "pages/drives/programs_page.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kDisallowRun =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowRun";
constexpr int kDeleteKey = 46;

class ProgramsPageTest : public test::PageTest {
 protected:
  ProgramsPageTest() : PageTest(MakeProgramsPage) {}

  forms::ListControl& List() { return page_->form().list("List1"); }
  forms::TextBox& Program() { return page_->form().text("Text1"); }
  void Choose(const std::string& entry) { List().UserSelect(std::stoi(entry)); }
  std::string Stored(const std::string& entry) {
    return reg_.GetStringValue(HKCU, kDisallowRun, entry, "<none>");
  }
  void StoreRaw(const char* name, ValueType type, const std::string& data) {
    RegKey handle = 0;
    api_.CreateKey(HKCU, kDisallowRun, &handle);
    api_.SetValue(handle, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                  static_cast<std::uint32_t>(data.size()));
    api_.CloseKey(handle);
  }
};

TEST_F(ProgramsPageTest, OpensWithTheSwitchAndTheHundredAndOneEntriesNoneSelected) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kDisallowRun, "1", "notepad.exe").ok());
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(form.caption(), "Programs Restriction");
  ASSERT_EQ(List().count(), 101);
  EXPECT_EQ(List().items().front(), "0");
  EXPECT_EQ(List().items()[10], "10");
  EXPECT_EQ(List().items().back(), "100");
  EXPECT_EQ(List().list_index(), -1);
  EXPECT_EQ(Program().text(), "");
  EXPECT_TRUE(Program().flags() & forms::kReadOnly);
  EXPECT_TRUE(api_.writes.empty()) << "an absent switch and no selection write nothing";

  // The switch is the common number row; the list is left alone by it.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "DisallowRun", 1).ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(page_->form().check("Check1").value(), 1);
  ASSERT_EQ(api_.writes.size(), 1u);
  EXPECT_EQ(api_.writes[0], "set DisallowRun");
  page_->form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kExplorer, "DisallowRun", -1), 0);
  EXPECT_EQ(Stored("1"), "notepad.exe");
}

TEST_F(ProgramsPageTest, SelectingAnEntryShowsItsProgramAndWritesWhatIsShownUnderIt) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kDisallowRun, "1", "notepad.exe").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kDisallowRun, "2", "calc.exe").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kDisallowRun, "Other", "keep.exe").ok());
  Open();
  Choose("1");
  EXPECT_EQ(Program().text(), "notepad.exe");
  EXPECT_EQ(Stored("1"), "notepad.exe");
  Choose("2");
  EXPECT_EQ(Program().text(), "calc.exe");

  // An absent entry after a program: the box empties, and that empty text
  // is stored under the new entry.
  Choose("5");
  EXPECT_EQ(Program().text(), "");
  EXPECT_EQ(TypeOf(api_, HKCU, kDisallowRun, "5"), regtype::kSz);
  EXPECT_EQ(Stored("5"), "");
  // From one empty entry to another nothing changes, so nothing is made.
  Choose("6");
  EXPECT_EQ(TypeOf(api_, HKCU, kDisallowRun, "6"), regtype::kNone);

  EXPECT_EQ(Stored("Other"), "keep.exe") << "names that are no entry stay as they are";
  EXPECT_EQ(Stored("1"), "notepad.exe");
  EXPECT_EQ(Stored("2"), "calc.exe");
}

TEST_F(ProgramsPageTest, AnEntryStoredInAnotherShapeIsShownWithoutBeingReplaced) {
  StoreRaw("3", regtype::kExpandSz, "%windir%\\notepad.exe");
  StoreRaw("4", regtype::kDword, std::string("\x01\0\0\0", 4));
  StoreRaw("7", regtype::kSz, std::string("game.exe\0more", 13));
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kDisallowRun, "2", "calc.exe").ok());
  Open();
  for (const char* entry : {"3", "4", "7"}) {
    Choose("2");
    Choose(entry);
    EXPECT_NE(Program().text(), "calc.exe") << entry;
  }
  EXPECT_EQ(Program().text(), "game.exe");
  EXPECT_EQ(TypeOf(api_, HKCU, kDisallowRun, "3"), regtype::kExpandSz);
  EXPECT_EQ(TypeOf(api_, HKCU, kDisallowRun, "4"), regtype::kDword);
  EXPECT_FALSE(ReadsWhole(reg_.Read(HKCU, kDisallowRun, "7"), regtype::kSz))
      << "the text after the NUL is still there";

  // The user's own change replaces it, as any change does.
  Program().UserKeyDown(kDeleteKey);
  EXPECT_EQ(TypeOf(api_, HKCU, kDisallowRun, "7"), regtype::kSz);
  EXPECT_EQ(Stored("7"), "");
}

TEST_F(ProgramsPageTest, DeleteKeyEmptiesTheEntryAndOtherKeysDoNothing) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kDisallowRun, "1", "notepad.exe").ok());
  Open();
  Program().UserKeyDown(kDeleteKey);  // no entry selected: nothing to empty
  EXPECT_EQ(Stored("1"), "notepad.exe");
  Choose("1");
  Program().UserKeyDown('A');
  Program().UserKeyDown(8);  // Backspace
  EXPECT_EQ(Program().text(), "notepad.exe");
  Program().UserKeyDown(kDeleteKey);
  EXPECT_EQ(Program().text(), "");
  EXPECT_EQ(TypeOf(api_, HKCU, kDisallowRun, "1"), regtype::kSz) << "emptied, not removed";
  EXPECT_EQ(Stored("1"), "");
}

TEST_F(ProgramsPageTest, PickingAProgramStoresItsFileNameUnderTheSelectedEntry) {
  Open();
  fakes_.dialogs.QueueOpenFileResult("C:\\Tools\\game.exe");
  Choose("3");
  page_->form().control("Image1").UserClick();
  ASSERT_EQ(fakes_.dialogs.open_file_calls().size(), 1u);
  const OpenFileDialogCall& call = fakes_.dialogs.open_file_calls()[0];
  EXPECT_EQ(call.title, "Choose a program to restrict - Kelmor Deskwarden");
  EXPECT_EQ(call.filter, "Application (*.exe)|*.exe");
  EXPECT_EQ(Program().text(), "game.exe");
  EXPECT_EQ(Stored("3"), "game.exe");

  // Cancelling changes nothing.
  api_.writes.clear();
  page_->form().control("Image1").UserClick();
  EXPECT_EQ(Program().text(), "game.exe");
  EXPECT_TRUE(api_.writes.empty());
  EXPECT_TRUE(fakes_.messages.shown().empty());
}

TEST_F(ProgramsPageTest, PickingWithNoEntrySelectedAsksForOneFirst) {
  Open();
  fakes_.dialogs.QueueOpenFileResult("C:\\Tools\\game.exe");
  page_->form().control("Image1").UserClick();
  EXPECT_TRUE(fakes_.dialogs.open_file_calls().empty());
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_EQ(fakes_.messages.shown()[0].text, "Please choose an item.");
  EXPECT_EQ(fakes_.messages.shown()[0].title, "Kelmor Deskwarden");
  EXPECT_EQ(Program().text(), "") << "nothing shown that is not stored";
}

}  // namespace
}  // namespace kdw::pages

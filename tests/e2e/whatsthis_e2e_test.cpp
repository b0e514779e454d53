// "What's This?" on a page of kdw3.exe under Wine: a real right click and
// Shift+F10 open the box's shortcut menu, its item, chosen with the mouse
// or the keyboard, shows the help pop-up, whose window text (what screen
// readers read) tells what the setting does and where it is kept; a key
// closes it and the page goes on as before.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "pages/catalogue.h"
#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kNoRunPath[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoRun";

// The "Hide Run" row as the Start Menu page declares it.
const pages::SettingRow& RunRow() {
  for (const pages::SettingRow& row : pages::FindPage("frmStart")->decl.rows) {
    if (std::string_view(row.control) == "Check14") return row;
  }
  ADD_FAILURE() << "no Check14 on frmStart";
  static const pages::SettingRow none{};
  return none;
}

class WhatsThis : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    Touch(HKEY_CURRENT_USER, kPolicies, "NoRun");
  }

  // Opens the Start Menu page from the keyboard; its "Hide Run" box.
  HWND OpenRunBox() {
    main_ = StartToMainWindow();
    if (!main_ || !BringToFront(main_)) return nullptr;
    Press(VK_F4);
    if (!program.WaitFor("frmStart")) return nullptr;
    return InForm("frmStart", "Check14");
  }

  HWND WaitForMenu() {
    HWND menu = nullptr;
    Eventually([&] { return menu = program.ShownWindowOfClass("#32768"); });
    return menu;
  }

  // The pop-up's text, once it shows.
  std::string HelpShown(HWND* popup) {
    *popup = program.WaitForShownForm("HelpPopup");
    return *popup ? Text(*popup) : std::string();
  }

  static void ExpectExplained(const std::string& help) {
    const pages::SettingRow& row = RunRow();
    EXPECT_NE(help.find(row.explanation), std::string::npos) << help;
    EXPECT_NE(help.find(pages::EffectSentence(row.effect)),
              std::string::npos)
        << help;
    EXPECT_NE(help.find(kNoRunPath), std::string::npos) << help;
  }

  HWND main_ = nullptr;
};

TEST_F(WhatsThis, ARightClickOffersItAndItsPopupTellsWhatAndWhere) {
  HWND box = OpenRunBox();
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(ClickAt(box, MouseButton::kRight));
  HWND menu = WaitForMenu();
  ASSERT_NE(nullptr, menu);
  // Its first item, with the mouse.
  RECT area;
  GetWindowRect(menu, &area);
  ASSERT_TRUE(ClickAtPoint({area.left + 24, area.top + 3 + GetSystemMetrics(SM_CYMENU) / 2}));
  HWND popup = nullptr;
  ExpectExplained(HelpShown(&popup));
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(popup, GetForegroundWindow()) << "the next key goes to it";

  Press(VK_ESCAPE);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(popup); }));
  // Asking changed nothing, and the page takes clicks as before.
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kPolicies, "NoRun"));
  ASSERT_TRUE(ClickAt(box));
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u));
}

TEST_F(WhatsThis, ShiftF10OnTheFocusedBoxOffersItAndAKeyGivesTheKeyboardBack) {
  // Find opens the page with the keyboard on the box.
  main_ = StartToMainWindow();
  HWND box = GoToWithFind("NoRun", "frmStart", "Check14");
  ASSERT_NE(nullptr, box);

  PressShift(VK_F10);
  ASSERT_NE(nullptr, WaitForMenu());
  Press('W');  // "&What's This?"
  HWND popup = nullptr;
  ExpectExplained(HelpShown(&popup));
  ASSERT_NE(nullptr, popup);

  Press('A');
  EXPECT_TRUE(Eventually([&] { return !IsWindow(popup); }));
  EXPECT_EQ(box, Until([&] { return FocusOf(main_); }, box));
  // The keyboard works the box from there: the release of F10 did not
  // take it to the menu bar.
  Press(VK_SPACE);
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u));
}

}  // namespace
}  // namespace kdw::e2e

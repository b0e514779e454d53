// The Win32 host against real windows: model changes reach the windows
// without a second event, and the user's actions on the windows reach the
// models as the models' own user actions.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "forms/win32/win32_host.h"
#include "platform/design_name.h"

namespace kdw::forms {
namespace {

constexpr ControlSpec kFrameControls[] = {
    {"Label1", ControlKind::kLabel, "Panel", {60, 60, 1800, 240}},
};
constexpr MenuSpec kMenus[] = {
    {"menuSections", "Sections", ""},
    {"menuFour", "Four", "menuSections", Fkey(4)},
};
const FormSpec kFrame = {"frmFrame", "Frame", FormStyle::kMdiFrame, 9735, 6510,
                         kFrameControls, kMenus, {2460, 0, 0, 0}};

constexpr ControlSpec kPageControls[] = {
    {"Frame1", ControlKind::kFrame, "Group", {120, 120, 4000, 1200}},
    {"Check1", ControlKind::kCheckBox, "Box", {120, 240, 2000, 240}, "Frame1"},
    {"Text1", ControlKind::kTextBox, "", {120, 600, 2000, 300}, "Frame1"},
    {"Combo1", ControlKind::kComboBox, "", {120, 1500, 2000, 300}},
    {"List1", ControlKind::kCheckList, "", {120, 1900, 2000, 900}},
    {"Slider1", ControlKind::kSlider, "", {120, 2900, 2000, 400}},
    {"Command1", ControlKind::kCommandButton, "Go", {2400, 1500, 1000, 400}},
    {"ImageCombo1", ControlKind::kImageCombo, "", {2400, 2000, 2000, 300}},
    {"Timer1", ControlKind::kTimer, "", {}, "", 0, "", "", 10},
};
const FormSpec kPage = {"frmPage", "Page", FormStyle::kMdiChild, 6000, 5000, kPageControls};

constexpr ControlSpec kDialogControls[] = {
    {"Timer1", ControlKind::kTimer, "", {}, "", 0, "", "", 10},
};
const FormSpec kDialog = {"frmDialog", "Dialog", FormStyle::kBorderless, 3000, 2000,
                          kDialogControls};

std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Show(frame, nullptr);
    frame_window = reinterpret_cast<HWND>(host.WindowOf(frame));
    ASSERT_NE(nullptr, frame_window);
  }
  HWND ShowPage() {
    host.Show(page, &frame);
    host.Pump();
    return reinterpret_cast<HWND>(host.WindowOf(page));
  }

  Win32Host host{GetModuleHandleA(nullptr)};
  Form frame{kFrame};
  Form page{kPage};
  HWND frame_window = nullptr;
};

TEST_F(HostTest, FormsBecomeNamedWindowsInTheirPlaces) {
  EXPECT_EQ("Frame", Text(frame_window));
  EXPECT_EQ("frmFrame", DesignNameOf(frame_window));
  RECT outer;
  GetWindowRect(frame_window, &outer);
  EXPECT_EQ(649, outer.right - outer.left);
  HWND page_window = ShowPage();
  ASSERT_NE(nullptr, page_window);
  char window_class[32];
  GetClassNameA(GetParent(page_window), window_class, sizeof window_class);
  EXPECT_STREQ("MDIClient", window_class);
  HWND check = FindByDesignName(page_window, "Check1");
  ASSERT_NE(nullptr, check);
  EXPECT_EQ("Box", Text(check));
  // Inside its frame: the frame's place plus its own, in pixels.
  RECT box, client;
  GetWindowRect(check, &box);
  MapWindowPoints(nullptr, page_window, reinterpret_cast<POINT*>(&box), 2);
  GetClientRect(page_window, &client);
  EXPECT_EQ((120 + 120) / 15, box.left);
  EXPECT_EQ((120 + 240) / 15, box.top);

  host.Destroy(page);
  host.Pump();
  EXPECT_FALSE(IsWindow(page_window));
  EXPECT_EQ(0u, host.WindowOf(page));
}

TEST_F(HostTest, ModelChangesShowWithoutASecondEvent) {
  int clicks = 0, changes = 0, selects = 0, marks = 0;
  page.check("Check1").on_click = [&] { ++clicks; };
  page.text("Text1").on_change = [&] { ++changes; };
  page.list("Combo1").on_click = [&] { ++selects; };
  page.list("List1").on_item_check = [&](int) { ++marks; };
  HWND window = ShowPage();

  page.check("Check1").SetValue(2);
  page.text("Text1").SetText("typed in code");
  page.list("Combo1").AddItem("one");
  page.list("Combo1").AddItem("two");
  page.list("Combo1").SetListIndex(1);
  page.list("List1").AddItem("item");
  page.list("List1").SetChecked(0, true);
  page.slider("Slider1").SetRange(0, 4);
  page.slider("Slider1").SetValue(3);
  page.control("Command1").SetEnabled(false);
  auto& drives = page.list("ImageCombo1");
  drives.SetImageList({"NO_SUCH_PICTURE", "NO_SUCH_PICTURE"});
  drives.AddItem("C", 1);
  drives.AddItem("D", 0);
  drives.SetListIndex(0);
  host.Pump();

  COMBOBOXEXITEMA item = {};
  char text[8] = {};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE;
  item.iItem = 0;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(FindByDesignName(window, "ImageCombo1"), CBEM_GETITEMA, 0,
               reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ("C", text);
  EXPECT_EQ(1, item.iImage);
  EXPECT_EQ(0, SendMessageA(FindByDesignName(window, "ImageCombo1"), CB_GETCURSEL, 0, 0));

  EXPECT_EQ(BST_INDETERMINATE, SendMessageA(FindByDesignName(window, "Check1"), BM_GETCHECK, 0, 0));
  EXPECT_EQ("typed in code", Text(FindByDesignName(window, "Text1")));
  EXPECT_EQ(1, SendMessageA(FindByDesignName(window, "Combo1"), CB_GETCURSEL, 0, 0));
  EXPECT_EQ(2, SendMessageA(FindByDesignName(window, "Combo1"), CB_GETCOUNT, 0, 0));
  EXPECT_EQ(2u << 12, SendMessageA(FindByDesignName(window, "List1"), LVM_GETITEMSTATE, 0,
                                   LVIS_STATEIMAGEMASK));
  EXPECT_EQ(3, SendMessageA(FindByDesignName(window, "Slider1"), TBM_GETPOS, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(FindByDesignName(window, "Command1")));
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(1, changes);
  EXPECT_EQ(1, selects);
  EXPECT_EQ(1, marks);
}

TEST_F(HostTest, UserActionsReachTheModels) {
  int clicks = 0, changes = 0, selects = 0, marks = 0, scrolls = 0, commands = 0;
  page.check("Check1").on_click = [&] { ++clicks; };
  page.text("Text1").on_change = [&] { ++changes; };
  page.list("Combo1").on_click = [&] { ++selects; };
  page.list("List1").on_item_check = [&](int) { ++marks; };
  page.slider("Slider1").on_scroll = [&] { ++scrolls; };
  page.control("Command1").on_click = [&] { ++commands; };
  page.list("Combo1").AddItem("one");
  page.list("Combo1").AddItem("two");
  page.list("List1").AddItem("item");
  page.check("Check1").SetValue(2);
  clicks = 0;
  HWND window = ShowPage();

  HWND check = FindByDesignName(window, "Check1");
  SendMessageA(check, BM_CLICK, 0, 0);
  EXPECT_EQ(1, page.check("Check1").value());
  EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));
  SendMessageA(check, BM_CLICK, 0, 0);
  EXPECT_EQ(0, page.check("Check1").value());
  EXPECT_EQ(2, clicks);

  SetWindowTextA(FindByDesignName(window, "Text1"), "abc");
  EXPECT_EQ("abc", page.text("Text1").text());
  EXPECT_EQ(1, changes);

  HWND combo = FindByDesignName(window, "Combo1");
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(1, page.list("Combo1").list_index());
  EXPECT_EQ(1, selects);

  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageA(FindByDesignName(window, "List1"), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(page.list("List1").checked(0));
  EXPECT_EQ(1, marks);

  HWND slider = FindByDesignName(window, "Slider1");
  SendMessageA(slider, TBM_SETPOS, TRUE, 2);
  SendMessageA(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 2),
               reinterpret_cast<LPARAM>(slider));
  EXPECT_EQ(2, page.slider("Slider1").value());
  EXPECT_EQ(1, scrolls);

  SendMessageA(FindByDesignName(window, "Command1"), BM_CLICK, 0, 0);
  EXPECT_EQ(1, commands);
}

TEST_F(HostTest, TimersShortcutsAndModalForms) {
  int ticks = 0, fours = 0;
  page.timer("Timer1").on_timer = [&] {
    if (++ticks == 2) page.timer("Timer1").SetEnabled(false);
  };
  frame.menu("menuFour").on_click = [&] { ++fours; };
  ShowPage();
  for (int i = 0; i < 50 && ticks < 2; ++i) {
    Sleep(20);
    host.Pump();
  }
  EXPECT_EQ(2, ticks);

  PostMessageA(frame_window, WM_KEYDOWN, VK_F4, 1);
  host.Pump();
  EXPECT_EQ(1, fours);

  // A modal form disables its owner until it goes.
  Form dialog(kDialog);
  bool owner_enabled_while_open = true;
  dialog.timer("Timer1").on_timer = [&] {
    owner_enabled_while_open = IsWindowEnabled(frame_window);
    host.Destroy(dialog);
  };
  host.ShowModal(dialog, page);
  EXPECT_FALSE(owner_enabled_while_open);
  EXPECT_TRUE(IsWindowEnabled(frame_window));
  EXPECT_EQ(0u, host.WindowOf(dialog));

  frame.SetSize(9000, 6000);
  RECT outer;
  GetWindowRect(frame_window, &outer);
  EXPECT_EQ(600, outer.right - outer.left);
}

}  // namespace
}  // namespace kdw::forms

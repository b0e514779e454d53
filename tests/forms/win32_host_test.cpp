// The Win32 host against real windows: model changes reach the windows
// without a second event, and the user's actions on the windows reach the
// models as the models' own user actions.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "forms/win32/win32_host.h"
#include "platform/design_name.h"
#include "tests/forms/real_click.h"
#include "platform/fakes.h"
#include "platform/win32_platform.h"

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

// The kinds the page above leaves out, one of each.
constexpr ControlSpec kMoreControls[] = {
    {"Label1", ControlKind::kLabel, "Name", {120, 120, 1500, 240}},
    {"Frame1", ControlKind::kFrame, "Group", {120, 400, 3000, 1000}},
    {"List1", ControlKind::kListBox, "", {120, 1500, 2000, 900}},
    {"File1", ControlKind::kFileList, "", {2400, 1500, 2000, 900}},
    {"Tabs1", ControlKind::kTabStrip, "", {120, 2500, 3000, 400}},
    {"Line1", ControlKind::kLine, "", {120, 3000, 3000, 30}},
    {"Picture1", ControlKind::kPictureBox, "", {3300, 120, 1500, 1200}},
    {"Text1", ControlKind::kTextBox, "", {120, 3200, 2000, 300}},
};
const FormSpec kMore = {"frmMore", "More", FormStyle::kMdiChild, 6000, 5000, kMoreControls};

// Menu names no other test or program holds, to see them freed.
constexpr MenuSpec kNamedMenus[] = {
    {"menuNamedTop", "Top", ""},
    {"menuNamedItem", "Item", "menuNamedTop", Ctrl('Q')},
};
const FormSpec kNamed = {"frmNamed", "Named", FormStyle::kMdiFrame, 6000, 4000, {}, kNamedMenus};

std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The design name a menu item carries in its item data, as a global atom.
std::string MenuItemName(HMENU menu, UINT position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return "";
  char name[64] = {};
  GlobalGetAtomNameA(static_cast<ATOM>(info.dwItemData), name, sizeof name);
  return name;
}

void SendCommand(HWND form, HWND control, int code) {
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
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
  page.slider("Slider1").SetSteps(1, 3, 2);
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
  HWND slider = FindByDesignName(window, "Slider1");
  EXPECT_EQ(3, SendMessageA(slider, TBM_GETPOS, 0, 0));
  EXPECT_EQ(1, SendMessageA(slider, TBM_GETLINESIZE, 0, 0));
  EXPECT_EQ(3, SendMessageA(slider, TBM_GETPAGESIZE, 0, 0));
  // A tick at 2, besides the two ends.
  EXPECT_EQ(3, SendMessageA(slider, TBM_GETNUMTICS, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(FindByDesignName(window, "Command1")));
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(1, changes);
  EXPECT_EQ(1, selects);
  EXPECT_EQ(1, marks);
}

// The items a list window shows, whatever its kind.
std::vector<std::string> ShownItems(HWND list) {
  std::vector<std::string> items;
  const std::string kind = ClassOf(list);
  char text[64] = {};
  if (kind == "SysListView32") {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      LVITEMA item = {};
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      items.push_back(text);
    }
    return items;
  }
  const bool box = kind == "ListBox";
  const int count = static_cast<int>(SendMessageA(list, box ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    SendMessageA(list, box ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

// Lists filled an item at a time take each added item once; any other
// change (an item replaced, the order changed, the list emptied) shows the
// model's items whole, and the current item follows the model.
TEST_F(HostTest, ListWindowsShowTheModelsItemsHoweverTheyChange) {
  Form more(kMore);
  host.Show(more, &frame);
  HWND page_window = ShowPage();
  HWND more_window = reinterpret_cast<HWND>(host.WindowOf(more));
  const std::pair<ListControl*, HWND> lists[] = {
      {&page.list("Combo1"), FindByDesignName(page_window, "Combo1")},
      {&page.list("List1"), FindByDesignName(page_window, "List1")},
      {&page.list("ImageCombo1"), FindByDesignName(page_window, "ImageCombo1")},
      {&more.list("List1"), FindByDesignName(more_window, "List1")},
  };
  using Items = std::vector<std::string>;
  for (const auto& [model, window] : lists) {
    SCOPED_TRACE(ClassOf(window));
    for (const char* item : {"a", "b", "c"}) model->AddItem(item);
    model->SetListIndex(2);
    model->AddItem("d");
    EXPECT_EQ((Items{"a", "b", "c", "d"}), ShownItems(window));
    model->SetItems({"a", "x", "c", "d"});
    EXPECT_EQ((Items{"a", "x", "c", "d"}), ShownItems(window));
    model->SetItems({"a", "x"});
    EXPECT_EQ((Items{"a", "x"}), ShownItems(window));
    model->Clear();
    EXPECT_EQ(Items{}, ShownItems(window));
    model->AddItem("e");
    model->AddItem("f");
    model->SetListIndex(1);
    EXPECT_EQ((Items{"e", "f"}), ShownItems(window));
    if (ClassOf(window) != "SysListView32") {
      EXPECT_EQ(1, SendMessageA(window, ClassOf(window) == "ListBox" ? LB_GETCURSEL : CB_GETCURSEL,
                                0, 0));
    }
  }
  // An image combo shows an item again when only its picture changed.
  auto& drives = page.list("ImageCombo1");
  drives.SetImageList({"NO_SUCH_PICTURE", "NO_SUCH_PICTURE"});
  drives.Clear();
  drives.AddItem("C", 1);
  drives.SetItems({"C"});  // the same text, without its picture
  COMBOBOXEXITEMA item = {};
  item.mask = CBEIF_IMAGE;
  SendMessageA(lists[2].second, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_NE(1, item.iImage);
  EXPECT_EQ(drives.image(0), item.iImage);
  host.Destroy(more);
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

// The caret: placed before the window exists, it shows when the window is
// made; later pushes of the model leave where the user put it alone.
TEST_F(HostTest, ATextBoxShowsEachCaretPlacementOnce) {
  auto Selection = [](HWND edit) {
    DWORD start = 0xdeadbeef, end = 0xdeadbeef;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return std::pair<DWORD, DWORD>(start, end);
  };
  TextBox& text = page.text("Text1");
  text.SetText("Orders");
  text.PlaceCaret(text.text().size());
  HWND window = ShowPage();
  HWND edit = FindByDesignName(window, "Text1");
  ASSERT_NE(nullptr, edit);
  EXPECT_EQ(std::make_pair(DWORD{6}, DWORD{6}), Selection(edit));

  SendMessageA(edit, EM_SETSEL, 2, 2);  // the user moves it
  page.check("Check1").SetValue(1);     // the frame's contents are pushed again
  text.SetEnabled(false);
  text.SetEnabled(true);
  host.Pump();
  EXPECT_EQ(std::make_pair(DWORD{2}, DWORD{2}), Selection(edit));

  text.PlaceCaret(3);
  EXPECT_EQ(std::make_pair(DWORD{3}, DWORD{3}), Selection(edit));
  text.PlaceCaret(50);
  EXPECT_EQ(std::make_pair(DWORD{6}, DWORD{6}), Selection(edit));
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

TEST_F(HostTest, EveryOtherKindBindsBothWays) {
  Form more(kMore);
  int label_clicks = 0, list_clicks = 0, tab_clicks = 0;
  more.control("Label1").on_click = [&] { ++label_clicks; };
  more.list("List1").on_click = [&] { ++list_clicks; };
  more.tabs("Tabs1").on_click = [&] { ++tab_clicks; };
  host.Show(more, &frame);
  host.Pump();
  HWND window = reinterpret_cast<HWND>(host.WindowOf(more));
  ASSERT_NE(nullptr, window);

  // Model to window.
  HWND label = FindByDesignName(window, "Label1");
  more.control("Label1").SetCaption("Full name");
  more.control("Frame1").SetCaption("Options");
  EXPECT_EQ("Full name", Text(label));
  EXPECT_EQ("Options", Text(FindByDesignName(window, "Frame1")));
  HWND list = FindByDesignName(window, "List1");
  more.list("List1").AddItem("a");
  more.list("List1").AddItem("b");
  more.list("List1").SetListIndex(1);
  EXPECT_EQ(2, SendMessageA(list, LB_GETCOUNT, 0, 0));
  EXPECT_EQ(1, SendMessageA(list, LB_GETCURSEL, 0, 0));
  HWND files = FindByDesignName(window, "File1");
  EXPECT_EQ("ListBox", ClassOf(files));
  more.list("File1").AddItem("x.wmz");
  EXPECT_EQ(1, SendMessageA(files, LB_GETCOUNT, 0, 0));
  HWND tabs = FindByDesignName(window, "Tabs1");
  more.tabs("Tabs1").AddTab("One");
  more.tabs("Tabs1").AddTab("Two");
  more.tabs("Tabs1").Select(1);
  EXPECT_EQ(2, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(1, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  HWND line = FindByDesignName(window, "Line1");
  ASSERT_NE(nullptr, line);
  EXPECT_EQ(SS_ETCHEDHORZ, GetWindowLongA(line, GWL_STYLE) & SS_TYPEMASK);
  EXPECT_EQ(1, list_clicks);
  EXPECT_EQ(1, tab_clicks);

  // Window to model.
  SendCommand(window, label, STN_CLICKED);
  EXPECT_EQ(1, label_clicks);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  SendCommand(window, list, LBN_SELCHANGE);
  EXPECT_EQ(0, more.list("List1").list_index());
  EXPECT_EQ(2, list_clicks);
  SendMessageA(tabs, TCM_SETCURSEL, 0, 0);
  NMHDR change = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), TCN_SELCHANGE};
  SendMessageA(window, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(0, more.tabs("Tabs1").selected());
  EXPECT_EQ(2, tab_clicks);

  // A picture box is the form's drawing, not a window; hiding it has the
  // form draw its place again.
  EXPECT_EQ(nullptr, FindByDesignName(window, "Picture1"));
  ValidateRect(window, nullptr);
  more.control("Picture1").SetVisible(false);
  RECT dirty = {};
  ASSERT_TRUE(GetUpdateRect(window, &dirty, FALSE));
  EXPECT_LE(dirty.left, 3300 / 15);
  EXPECT_LE(dirty.top, 120 / 15);
  EXPECT_GE(dirty.right, (3300 + 1500) / 15);
  EXPECT_GE(dirty.bottom, (120 + 1200) / 15);
}

TEST_F(HostTest, ATextBoxHearsKeysEvenWhenOneClosesItsForm) {
  Form more(kMore);
  std::vector<int> keys;
  more.text("Text1").on_key_down = [&](int key) {
    keys.push_back(key);
    if (key == VK_RETURN) host.Destroy(more);
  };
  host.Show(more, &frame);
  host.Pump();
  HWND window = reinterpret_cast<HWND>(host.WindowOf(more));
  HWND edit = FindByDesignName(window, "Text1");
  ASSERT_NE(nullptr, edit);

  // Enter is the box's own, not the dialog navigation's.
  MSG enter = {};
  enter.hwnd = edit;
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_TRUE(SendMessageA(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTMESSAGE);
  SendMessageA(edit, WM_KEYDOWN, 'A', 0);
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ((std::vector<int>{'A', VK_RETURN}), keys);
  EXPECT_FALSE(IsWindow(window));
  host.Pump();
  EXPECT_EQ(0u, host.WindowOf(more));
}

// A handler's exception crosses no system frames (the i686 unwinder cannot):
// it reaches the code that called the host, after the system call returns,
// and the program goes on.
TEST_F(HostTest, AnExceptionFromAHandlerReachesTheHostsCaller) {
  Form more(kMore);
  more.text("Text1").on_key_down = [](int) { throw std::runtime_error("from a key"); };
  more.text("Text1").on_change = [] { throw std::runtime_error("from a change"); };
  host.Show(more, &frame);
  host.Pump();
  HWND edit = FindByDesignName(reinterpret_cast<HWND>(host.WindowOf(more)), "Text1");
  ASSERT_NE(nullptr, edit);

  const auto pumped = [&]() -> std::string {
    try {
      host.Pump();
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "";
  };
  SendMessageA(edit, WM_KEYDOWN, 'A', 0);
  SendMessageA(edit, WM_KEYDOWN, 'B', 0);
  EXPECT_EQ("from a key", pumped()) << "the first one kept, once";
  EXPECT_EQ("", pumped());

  SetWindowTextA(edit, "typed");
  EXPECT_EQ("from a change", pumped());
  EXPECT_TRUE(IsWindow(edit));
}

// Pumps the host's messages until `holds()`, for a bounded time.
template <typename Holds>
bool PumpUntil(Win32Host& host, Holds holds) {
  for (int waited = 0; waited < 30000; waited += 10) {
    host.Pump();
    if (holds()) return true;
    Sleep(10);
  }
  return false;
}

// A real click, through the system's input queue, in the middle of `window`
// once nothing covers it there.
bool RealClick(Win32Host& host, HWND window) {
  POINT point = {};
  const bool uncovered = PumpUntil(host, [&] {
    RECT rect;
    GetWindowRect(window, &rect);
    point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    return WindowFromPoint(point) == window;
  });
  if (!uncovered) return false;
  return real_input::SendClickAt(point);
}

// Puts the mouse back where it was: tests that follow expect no form to have
// had it over them.
struct MouseKeeper {
  MouseKeeper() { GetCursorPos(&where); }
  ~MouseKeeper() { SetCursorPos(where.x, where.y); }
  POINT where = {};
};

// The real message boxes, noting the style each was asked with, which the
// box's window does not show.
class NotedMessageBoxes : public MessageBoxes {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& title,
           std::uint32_t style) override {
    noted.push_back({owner, text, title, style});
    return real.Show(owner, text, title, style);
  }
  Win32MessageBoxes real;
  std::vector<ShownMessage> noted;
};

BOOL CALLBACK MatchFailureBox(HWND window, LPARAM found) {
  char window_class[16] = {};
  GetClassNameA(window, window_class, sizeof window_class);
  // The class first: reading a caption waits for the window's thread.
  if (std::string(window_class) != "#32770" || !IsWindowVisible(window) ||
      Text(window) != "Kelmor Deskwarden")
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// As the user: waits for the failure message, reads it, and presses OK.
std::string DismissFailureBox() {
  for (int waited = 0; waited < 30000; waited += 20) {
    HWND box = nullptr;
    EnumWindows(MatchFailureBox, reinterpret_cast<LPARAM>(&box));
    if (box) {
      char text[512] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      SendMessageA(FindWindowExA(box, nullptr, "Button", "OK"), BM_CLICK, 0, 0);
      return text;
    }
    Sleep(20);
  }
  return "";
}

// A handler that throws, reached by a real click: one message with what it
// threw, and the window stays and takes the next click.
TEST_F(HostTest, AFailedClickIsToldOnceAndTheWindowGoesOn) {
  const MouseKeeper mouse;
  NotedMessageBoxes boxes;
  host.TellHandlerFailures(boxes);
  int clicks = 0, put_back = 0;
  page.control("Command1").on_click = [&] {
    if (++clicks == 1) throw std::runtime_error("Access is denied.");
  };
  page.on_action_failed = [&] { ++put_back; };
  HWND window = ShowPage();
  HWND button = FindByDesignName(window, "Command1");
  ASSERT_NE(nullptr, button);

  std::string box_text;
  std::thread user([&] { box_text = DismissFailureBox(); });
  const bool clicked = RealClick(host, button);
  const bool served = PumpUntil(host, [&] { return clicks == 1 && put_back == 1; });
  user.join();
  ASSERT_TRUE(clicked);
  ASSERT_TRUE(served);
  EXPECT_EQ(
      "Kelmor Deskwarden met an internal error and could not finish this action.\n\n"
      "Access is denied.",
      box_text);
  ASSERT_EQ(1u, boxes.noted.size());
  EXPECT_EQ(mb::kOk | mb::kIconStop, boxes.noted[0].style);
  EXPECT_EQ(reinterpret_cast<WindowHandle>(frame_window), boxes.noted[0].owner);

  ASSERT_TRUE(IsWindow(window));
  ASSERT_TRUE(RealClick(host, button));
  EXPECT_TRUE(PumpUntil(host, [&] { return clicks == 2; }));
  EXPECT_EQ(1u, boxes.noted.size());
  EXPECT_EQ(1, put_back);
}

TEST_F(HostTest, MenuItemsCarryTheirNamesUntilTheFormGoes) {
  HMENU bar = GetMenu(frame_window);
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ("menuSections", MenuItemName(bar, 0));
  EXPECT_EQ("menuFour", MenuItemName(GetSubMenu(bar, 0), 0));

  Form named(kNamed);
  int quits = 0;
  named.menu("menuNamedItem").on_click = [&] { ++quits; };
  host.Show(named, nullptr);
  HWND window = reinterpret_cast<HWND>(host.WindowOf(named));
  ASSERT_NE(nullptr, window);
  EXPECT_NE(0, GlobalFindAtomA("menuNamedItem"));
  named.menu("menuNamedItem").SetCaption("Leave");
  char caption[32] = {};
  GetMenuStringA(GetSubMenu(GetMenu(window), 0), 0, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_STREQ("Leave\tCtrl+Q", caption);
  PostMessageA(window, WM_KEYDOWN, 'Q', 1);
  PostMessageA(window, WM_KEYUP, 'Q', 1);
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  host.Pump();
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
  EXPECT_EQ(1, quits);

  host.Destroy(named);
  host.Pump();
  EXPECT_EQ(0, GlobalFindAtomA("menuNamedTop"));
  EXPECT_EQ(0, GlobalFindAtomA("menuNamedItem"));
}

// A picture button shows the picture alone; with kCaptionAndPicture its
// caption shows too, the picture beside it.
constexpr ControlSpec kButtonControls[] = {
    {"Command1", ControlKind::kCommandButton, "Clear", {120, 120, 480, 480}, "", 0, "ADD01"},
    {"Command2", ControlKind::kCommandButton, "Enable DVD Play", {120, 720, 2400, 600}, "",
     kCaptionAndPicture, "ADD02"},
};
const FormSpec kButtons = {"frmButtons", "Buttons", FormStyle::kMdiChild, 4000, 2500,
                           kButtonControls};

TEST_F(HostTest, APictureButtonShowsItsCaptionOnlyWhenAskedTo) {
  Form buttons(kButtons);
  host.Show(buttons, &frame);
  host.Pump();
  HWND window = reinterpret_cast<HWND>(host.WindowOf(buttons));
  ASSERT_NE(nullptr, window);
  HWND alone = FindByDesignName(window, "Command1");
  HWND beside = FindByDesignName(window, "Command2");
  ASSERT_TRUE(alone && beside);
  EXPECT_TRUE(GetWindowLongA(alone, GWL_STYLE) & BS_BITMAP);
  EXPECT_FALSE(GetWindowLongA(beside, GWL_STYLE) & BS_BITMAP);
  buttons.control("Command2").SetCaption("Disable DVD Play");
  buttons.control("Command2").SetPicture("ADD01");
  EXPECT_EQ("Disable DVD Play", Text(beside));
  host.Destroy(buttons);
}

}  // namespace
}  // namespace kdw::forms

namespace kdw::forms {
namespace {

constexpr ControlSpec kFindControls[] = {
    {"Text1", ControlKind::kTextBox, "", {120, 120, 3000, 300}},
    {"List1", ControlKind::kListBox, "", {120, 540, 3000, 900}},
};
const FormSpec kFind = {"frmFindLike", "Find", FormStyle::kDialog, 3600, 2400, kFindControls};

// Holds Ctrl down for the keys posted while it lives.
class CtrlHeld {
 public:
  CtrlHeld() { Set(0x80); }
  ~CtrlHeld() { Set(0); }

 private:
  static void Set(BYTE value) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = value;
    SetKeyboardState(state);
  }
};

TEST_F(HostTest, EnterAndDoubleClicksInADialogReachTheForm) {
  Form find(kFind);
  int enters = 0, double_clicks = 0;
  find.on_enter = [&] { ++enters; };
  find.list("List1").on_double_click = [&] { ++double_clicks; };
  find.list("List1").SetTabStops({1200});
  find.list("List1").SetItems({"Start Menu\tHide Run", "Other Functions\tDisable Desktop"});
  host.Show(find, nullptr);
  HWND window = reinterpret_cast<HWND>(host.WindowOf(find));
  ASSERT_NE(nullptr, window);
  HWND list = FindByDesignName(window, "List1");
  HWND text = FindByDesignName(window, "Text1");
  EXPECT_EQ(2, SendMessageA(list, LB_GETCOUNT, 0, 0));
  EXPECT_GT(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 0);

  // Enter where no control takes it: the list, and a text box that does
  // not listen for keys.
  for (HWND target : {list, text}) {
    PostMessageA(target, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(target, WM_KEYUP, VK_RETURN, 0xC0000001);
    host.Pump();
  }
  EXPECT_EQ(2, enters);

  SendCommand(window, list, LBN_DBLCLK);  // nothing selected yet
  EXPECT_EQ(0, double_clicks);
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  SendCommand(window, list, LBN_DBLCLK);
  EXPECT_EQ(1, double_clicks);
  host.Destroy(find);
  host.Pump();
}

constexpr ControlSpec kEditingControls[] = {
    {"Text1", ControlKind::kTextBox, "", {60, 60, 1800, 300}},
    {"Check1", ControlKind::kCheckBox, "Box", {60, 480, 1800, 240}},
};
constexpr MenuSpec kUndoMenus[] = {
    {"menuEditingTop", "Tools", ""},
    {"menuEditingUndo", "Undo", "menuEditingTop", Ctrl('Z')},
};
const FormSpec kEditing = {"frmEditing", "Editing", FormStyle::kMdiFrame, 6000, 4000,
                           kEditingControls, kUndoMenus};

TEST_F(HostTest, ATextBoxKeepsItsEditingKeysBeforeTheMenuShortcuts) {
  Form editing(kEditing);
  int undos = 0;
  editing.menu("menuEditingUndo").on_click = [&] { ++undos; };
  host.Show(editing, nullptr);
  HWND window = reinterpret_cast<HWND>(host.WindowOf(editing));
  ASSERT_NE(nullptr, window);
  {
    CtrlHeld ctrl;
    PostMessageA(FindByDesignName(window, "Text1"), WM_KEYDOWN, 'Z', 1);
    host.Pump();
    EXPECT_EQ(0, undos) << "Ctrl+Z in a text box undoes its typing";
    PostMessageA(FindByDesignName(window, "Check1"), WM_KEYDOWN, 'Z', 1);
    host.Pump();
    EXPECT_EQ(1, undos);
  }
  host.Destroy(editing);
  host.Pump();
}

// The centre of a window's rectangle, or of a list view item's, on the
// screen, as a WM_CONTEXTMENU point.
LPARAM CentreOf(RECT rect) {
  return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}
LPARAM CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return CentreOf(rect);
}

// A right click (the control's window sends WM_CONTEXTMENU up) and the menu
// key reach the models, with the list item asked over or the one with the
// focus; a text box's own menu gives way to its form's; a disabled control
// is found under the point the form gets; a control without a handler
// keeps what its window does.
TEST_F(HostTest, ShortcutMenuRequestsReachTheModels) {
  std::vector<std::string> asked;
  for (const char* name : {"Check1", "Text1", "List1"}) {
    page.control(name).on_context_menu = [&asked, name](int item) {
      asked.push_back(name + std::string(" ") + std::to_string(item));
    };
  }
  page.list("List1").AddItem("first");
  page.list("List1").AddItem("second");
  page.list("List1").SetListIndex(0);
  HWND window = ShowPage();
  HWND check = FindByDesignName(window, "Check1");
  HWND text = FindByDesignName(window, "Text1");
  HWND list = FindByDesignName(window, "List1");
  HWND combo = FindByDesignName(window, "Combo1");

  SendMessageA(check, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(check), CentreOf(check));
  SendMessageA(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), CentreOf(text));
  RECT second = {};
  second.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&second), 2);
  SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), CentreOf(second));
  SendMessageA(combo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(combo), CentreOf(combo));
  EXPECT_EQ(asked, (std::vector<std::string>{"Check1 -1", "Text1 -1", "List1 1"}));

  // The menu key, in the list: the item with the focus. Its release
  // belongs to the menu, not to the window.
  asked.clear();
  SetFocus(list);
  PostMessageA(list, WM_KEYDOWN, VK_APPS, 1);
  PostMessageA(list, WM_KEYUP, VK_APPS, 0xC0000001);
  host.Pump();
  EXPECT_EQ(asked, std::vector<std::string>{"List1 0"});

  asked.clear();
  page.check("Check1").SetEnabled(false);
  SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), CentreOf(check));
  EXPECT_EQ(asked, std::vector<std::string>{"Check1 -1"});
}

// A text box's shortcut menu holds the box's editing commands below the
// form's items and carries them out as the box's own menu would, the model
// hearing each change; an item of the form's is answered by its index.
// The user's choices come as the keys of their access letters.
TEST_F(HostTest, ATextBoxsShortcutMenuKeepsItsEditingCommands) {
  std::vector<std::string> changes;
  page.text("Text1").on_change = [&] { changes.push_back(page.text("Text1").text()); };
  HWND window = ShowPage();
  HWND text = FindByDesignName(window, "Text1");
  SetWindowTextA(text, "typed");
  SendMessageA(text, EM_SETSEL, 0, -1);
  auto choose = [&](char letter) {
    PostMessageA(text, WM_CHAR, static_cast<WPARAM>(letter), 1);
    return host.ContextMenu(page, page.text("Text1"), {"&What's This?"});
  };
  EXPECT_EQ(-1, choose('t'));  // Cut
  EXPECT_EQ(page.text("Text1").text(), "");
  EXPECT_EQ(text, GetFocus()) << "the box has the keyboard, as with its own menu";
  EXPECT_EQ(-1, choose('u'));  // Undo
  EXPECT_EQ(page.text("Text1").text(), "typed");
  EXPECT_EQ(0, choose('w'));
  EXPECT_EQ(changes, (std::vector<std::string>{"typed", "", "typed"}));
}

// The help pop-up: its window text is the text, shown wrapped on the
// info-tip colours in a thin border, owned by the form's top window, below
// the control and on the screen, and active, so that the next key comes to
// it; a key closes it and gives the keyboard back, and so does taking the
// activation away.
TEST_F(HostTest, HelpShowsInAPopupThatAKeyOrAnotherWindowCloses) {
  HWND window = ShowPage();
  HWND text = FindByDesignName(window, "Text1");
  SetFocus(text);
  const std::string help = "Hides the Run command from the Start menu, so that programs are started "
                     "only from their shortcuts.\r\n\r\nTakes effect when Windows Explorer "
                     "restarts.\r\n\r\nHKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                     "CurrentVersion\\Policies\\Explorer\\NoRun";
  host.ShowHelpPopup(page, page.text("Text1"), help);
  HWND popup = FindWindowA("KdwHelpPopup", nullptr);
  ASSERT_NE(nullptr, popup);
  std::string shown(static_cast<std::size_t>(GetWindowTextLengthA(popup)) + 1, '\0');
  shown.resize(static_cast<std::size_t>(GetWindowTextA(popup, shown.data(), static_cast<int>(shown.size()))));
  EXPECT_EQ(shown, help);
  EXPECT_EQ("HelpPopup", DesignNameOf(popup));
  EXPECT_EQ(frame_window, GetWindow(popup, GW_OWNER));
  const LONG style = GetWindowLongA(popup, GWL_STYLE);
  EXPECT_TRUE((style & WS_POPUP) && (style & WS_BORDER) && !(style & WS_DLGFRAME));
  RECT box, area, work;
  GetWindowRect(text, &box);
  GetWindowRect(popup, &area);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GE(area.top, box.bottom);
  EXPECT_TRUE(area.left >= work.left && area.right <= work.right && area.bottom <= work.bottom);
  EXPECT_LE(area.right - area.left, 400 + 20) << "wrapped, not one long line";
  EXPECT_GT(area.bottom - area.top, 6 * 12) << "seven lines, the gaps among them";
  EXPECT_EQ(popup, GetActiveWindow());
  EXPECT_EQ(popup, GetFocus());

  PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 1);
  host.Pump();
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(text, GetFocus());
  EXPECT_EQ(frame_window, GetActiveWindow());

  host.ShowHelpPopup(page, page.text("Text1"), "Again.");
  popup = FindWindowA("KdwHelpPopup", nullptr);
  ASSERT_NE(nullptr, popup);
  SetActiveWindow(frame_window);
  host.Pump();
  EXPECT_FALSE(IsWindow(popup));
}

}  // namespace
}  // namespace kdw::forms

namespace kdw::forms {
namespace {

constexpr ControlSpec kTippedControls[] = {
    {"Command1", ControlKind::kCommandButton, "Help", {60, 60, 1200, 400}, "", 0, "", "Helps"},
    {"Command2", ControlKind::kCommandButton, "Quiet", {60, 600, 1200, 400}},
    {"Command3", ControlKind::kCommandButton, "Power", {60, 1140, 1200, 400}, "", 0, "",
     "Powers"},
};
const FormSpec kTipped = {"frmTipped", "Tipped", FormStyle::kMdiFrame, 6000, 4000,
                          kTippedControls};
const FormSpec kHolder = {"frmHolder", "Holder", FormStyle::kHidden, 2000, 2000, {}};

BOOL CALLBACK FindTooltipOf(HWND window, LPARAM search) {
  auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(search);
  if (GetWindow(window, GW_OWNER) == found->first && ClassOf(window) == TOOLTIPS_CLASSA) {
    found->second = window;
    return FALSE;
  }
  return TRUE;
}

HWND TooltipOf(HWND form) {
  std::pair<HWND, HWND> search{form, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindTooltipOf, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// What start-up leaves for later: a frame is shown by the message loop once
// its load has filled it, a hidden form gets no window, and tooltips come
// when the mouse first comes over their form.
TEST(HostStartUp, FrameShowsFromTheLoopHiddenFormsHaveNoWindowTipsComeWithTheMouse) {
  Win32Host host{GetModuleHandleA(nullptr)};
  Form holder{kHolder};
  host.Show(holder, nullptr);
  EXPECT_EQ(0u, host.WindowOf(holder));

  Form tipped{kTipped};
  host.Show(tipped, nullptr);
  HWND window = reinterpret_cast<HWND>(host.WindowOf(tipped));
  ASSERT_NE(nullptr, window);
  EXPECT_FALSE(IsWindowVisible(window)) << "not before the loop runs";
  host.Pump();
  EXPECT_TRUE(IsWindowVisible(window));

  EXPECT_EQ(nullptr, TooltipOf(window));
  HWND button = FindByDesignName(window, "Command1");
  SendMessageA(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  HWND tooltip = TooltipOf(window);
  ASSERT_NE(nullptr, tooltip);
  EXPECT_EQ(2, SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0)) << "one per control with a tip";
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(2, SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0)) << "made once";
  host.Destroy(tipped);
  host.Destroy(holder);
  host.Pump();
}

}  // namespace
}  // namespace kdw::forms

#include "forms/win32/win32_host.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/design_name.h"

namespace kdw::forms {
namespace {

const char kFrameClass[] = "KdwMdiFrame";
const char kChildClass[] = "KdwMdiChild";
const char kFormClass[] = "KdwForm";
const char kFormProp[] = "KdwFormWindow";
constexpr int kFirstControlId = 1000;
constexpr UINT kFirstMenuId = 20000;
constexpr UINT kFirstMdiChildId = 50000;

int Px(int twips) { return TwipsToPixels(twips); }

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

// A menu item's caption with its shortcut shown at the right.
std::string MenuText(const MenuItem& item) {
  std::string text = item.caption();
  const std::string keys = item.shortcut().Text();
  if (!keys.empty()) {
    text += '\t';
    text += keys;
  }
  return text;
}

}  // namespace

class Win32Host::FormWindow {
 public:
  struct ControlWindow : ControlView {
    FormWindow* owner = nullptr;
    Control* model = nullptr;
    HWND hwnd = nullptr;
    int id = 0;
    WNDPROC original_proc = nullptr;
    std::vector<std::string> shown_items;  // what the list window holds now
    std::vector<std::string> shown_images;
    HIMAGELIST image_list = nullptr;
    RECT drawn = {};  // containers and shapes the form draws itself
    void ModelChanged(Control&) override { owner->Push(*this); }
  };

  FormWindow(Win32Host& host, Form& form) : host_(host), form_(&form) {}
  ~FormWindow() { Detach(); }

  Form* form() const { return form_; }
  HWND hwnd() const { return hwnd_; }
  HWND mdi_client() const { return mdi_client_; }
  HACCEL accelerators() const { return accelerators_; }

  void Create(HWND owner, HWND mdi_client);
  void Destroy();
  void Detach();
  void Push(ControlWindow& control);
  void PopupMenu(MenuItem& menu);
  HWND ControlHandle(const Control& control) const {
    for (const auto& c : controls_) {
      if (c->model == &control) return c->hwnd;
    }
    return nullptr;
  }
  bool modal_done = false;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  void CreateControl(Control& control, POINT origin);
  POINT Origin(const Control& control) const;
  void BuildMenus();
  HMENU BuildPopup(MenuItem& item);
  void Command(int id, int code);
  void Notify(NMHDR* header);
  HFONT FontFor(unsigned flags);
  HBITMAP Picture(const std::string& name);
  void FillList(ControlWindow& control, ListControl& list);
  void CloseRequested();

  Win32Host& host_;
  Form* form_;
  HWND hwnd_ = nullptr;
  HWND mdi_client_ = nullptr;
  HWND tooltip_ = nullptr;
  HMENU menu_bar_ = nullptr;
  std::vector<HMENU> loose_popups_;
  HACCEL accelerators_ = nullptr;
  std::vector<std::unique_ptr<ControlWindow>> controls_;
  std::map<UINT, MenuItem*> menus_by_id_;
  std::map<const MenuItem*, std::pair<HMENU, UINT>> menu_places_;
  std::map<const MenuItem*, HMENU> popups_;
  std::map<unsigned, HFONT> fonts_;
  std::map<std::string, HBITMAP> pictures_;
  HBRUSH background_ = GetSysColorBrush(COLOR_BTNFACE);
  bool pushing_ = false;
};

void Win32Host::FormWindow::Create(HWND owner, HWND mdi_client) {
  const int width = Px(form_->width()), height = Px(form_->height());
  HINSTANCE instance = host_.instance_;
  const char* caption = form_->caption().c_str();
  switch (form_->style()) {
    case FormStyle::kMdiFrame:
      BuildMenus();
      hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kFrameClass, caption,
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                  WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr, menu_bar_,
                              instance, this);
      break;
    case FormStyle::kMdiChild: {
      MDICREATESTRUCTA create = {};
      create.szClass = kChildClass;
      create.szTitle = caption;
      create.hOwner = instance;
      create.x = 0;
      create.y = 0;
      create.cx = width;
      create.cy = height;
      // No WS_CLIPCHILDREN: group boxes leave their inside for the form to paint.
      create.style = WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
      create.lParam = reinterpret_cast<LPARAM>(this);
      SendMessageA(mdi_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create));
      break;
    }
    case FormStyle::kDialog:
    case FormStyle::kBorderless:
    case FormStyle::kTopLevel: {
      DWORD style = 0;
      if (form_->style() == FormStyle::kBorderless) {
        style |= WS_POPUP | WS_BORDER;
      } else if (form_->style() == FormStyle::kDialog) {
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      } else {
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
      }
      // Centred on the owner, or on the screen.
      RECT area;
      if (owner) {
        GetWindowRect(owner, &area);
      } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
      }
      const int x = area.left + (area.right - area.left - width) / 2;
      const int y = area.top + (area.bottom - area.top - height) / 2;
      hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, kFormClass, caption,
                              style, x, y, width, height, owner, nullptr, instance, this);
      break;
    }
    case FormStyle::kHidden:
      return;
  }
  if (!hwnd_) return;
  SetPropA(hwnd_, kFormProp, this);
  CreateControls();
  // Named last: whoever finds the form by its name finds it whole.
  SetDesignName(hwnd_, form_->name());
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Win32Host::FormWindow::Detach() {
  if (!form_) return;
  for (auto& control : controls_) control->model->AttachView(nullptr);
  for (auto& item : form_->menu_items()) item->AttachView(nullptr);
  form_->SetHost(nullptr);
  form_ = nullptr;
}

void Win32Host::FormWindow::Destroy() {
  Detach();
  if (hwnd_) {
    HWND window = hwnd_;
    mdi_client_ = nullptr;
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
      SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    } else {
      DestroyWindow(window);
    }
  }
  for (auto& [flags, font] : fonts_) {
    if (flags) DeleteObject(font);
  }
  fonts_.clear();
  for (auto& [name, bitmap] : pictures_) DeleteObject(bitmap);
  pictures_.clear();
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  accelerators_ = nullptr;
  for (HMENU popup : loose_popups_) DestroyMenu(popup);
  loose_popups_.clear();
  for (auto& control : controls_) {
    if (control->image_list) ImageList_Destroy(control->image_list);
    control->image_list = nullptr;
  }
}

POINT Win32Host::FormWindow::Origin(const Control& control) const {
  POINT origin = {0, 0};
  const Control* container = form_->find(control.container());
  while (container) {
    origin.x += container->rect().left;
    origin.y += container->rect().top;
    container = form_->find(container->container());
  }
  return origin;
}

HFONT Win32Host::FormWindow::FontFor(unsigned flags) {
  flags &= kSerifFont | kBoldFont | kLargeFont;
  auto it = fonts_.find(flags);
  if (it != fonts_.end()) return it->second;
  HFONT font;
  if (!flags) {
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  } else {
    const int points = (flags & kLargeFont) ? 14 : 8;
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font = CreateFontA(height, 0, 0, 0, (flags & kBoldFont) ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, (flags & kSerifFont) ? "Times New Roman" : "Tahoma");
  }
  fonts_[flags] = font;
  return font;
}

HBITMAP Win32Host::FormWindow::Picture(const std::string& name) {
  if (name.empty()) return nullptr;
  auto it = pictures_.find(name);
  if (it != pictures_.end()) return it->second;
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(host_.instance_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  pictures_[name] = bitmap;
  return bitmap;
}

void Win32Host::FormWindow::CreateControls() {
  for (const auto& control : form_->controls()) CreateControl(*control, Origin(*control));
  if (form_->style() == FormStyle::kMdiFrame) {
    CLIENTCREATESTRUCT client = {nullptr, kFirstMdiChildId};
    const Rect& area = form_->child_area();
    RECT client_rect;
    GetClientRect(hwnd_, &client_rect);
    const int width = area.width ? Px(area.width) : client_rect.right - Px(area.left);
    const int height = area.height ? Px(area.height) : client_rect.bottom - Px(area.top);
    mdi_client_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                  WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE |
                                      MDIS_ALLCHILDSTYLES,
                                  Px(area.left), Px(area.top), width, height, hwnd_, nullptr,
                                  host_.instance_, &client);
  }
}

void Win32Host::FormWindow::CreateControl(Control& control, POINT origin) {
  auto window = std::make_unique<ControlWindow>();
  window->owner = this;
  window->model = &control;
  window->id = kFirstControlId + static_cast<int>(controls_.size());
  const Rect& r = control.rect();
  int x = Px(origin.x + r.left), y = Px(origin.y + r.top);
  int width = Px(r.width), height = Px(r.height);
  const unsigned flags = control.flags();
  const char* window_class = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD ex_style = 0;
  std::string text = control.caption();
  switch (control.kind()) {
    case ControlKind::kCheckBox:
      window_class = "BUTTON";
      style |= BS_3STATE | WS_TABSTOP;
      break;
    case ControlKind::kTextBox:
      window_class = "EDIT";
      text = static_cast<TextBox&>(control).text();
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      if (flags & kMultiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
        style &= ~ES_AUTOHSCROLL;
      }
      if (flags & kPassword) style |= ES_PASSWORD;
      if (flags & kReadOnly) style |= ES_READONLY;
      if (!(flags & (kBorderless | kFormBackground))) ex_style |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kLabel:
      style |= SS_LEFT | SS_NOTIFY;
      break;
    case ControlKind::kFrame:
      window_class = "BUTTON";
      style |= BS_GROUPBOX | WS_GROUP;
      break;
    case ControlKind::kComboBox:
      window_class = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height += 200;  // room for the drop-down list
      break;
    case ControlKind::kImageCombo:
      window_class = WC_COMBOBOXEXA;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height += 200;
      break;
    case ControlKind::kListBox:
    case ControlKind::kFileList:
      window_class = "LISTBOX";
      style |= LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT;
      ex_style |= WS_EX_CLIENTEDGE;
      text.clear();
      break;
    case ControlKind::kCheckList:
      window_class = WC_LISTVIEWA;
      style |= LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
      ex_style |= WS_EX_CLIENTEDGE;
      text.clear();
      break;
    case ControlKind::kSlider:
      window_class = TRACKBAR_CLASSA;
      style |= TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP;
      text.clear();
      break;
    case ControlKind::kTabStrip:
      window_class = WC_TABCONTROLA;
      style |= WS_TABSTOP | WS_CLIPSIBLINGS;
      text.clear();
      break;
    case ControlKind::kImage:
      style |= SS_BITMAP | SS_NOTIFY | SS_CENTERIMAGE;
      text.clear();
      break;
    case ControlKind::kCommandButton:
      window_class = "BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      if (!control.picture().empty()) style |= BS_BITMAP;
      break;
    case ControlKind::kLine:
      style |= width >= height ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
      text.clear();
      break;
    case ControlKind::kPictureBox:
    case ControlKind::kShape:
      // Drawn by the form: a window here would hide what lies inside it.
      window->drawn = {x, y, x + width, y + height};
      control.AttachView(window.get());
      controls_.push_back(std::move(window));
      return;
    case ControlKind::kTimer:
      control.AttachView(window.get());
      controls_.push_back(std::move(window));
      Push(*controls_.back());
      return;
  }
  window->hwnd = CreateWindowExA(ex_style, window_class, text.c_str(), style, x, y, width,
                                 height, hwnd_, reinterpret_cast<HMENU>(window->id),
                                 host_.instance_, nullptr);
  HWND hwnd = window->hwnd;
  if (!hwnd) return;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(flags)), FALSE);
  SetDesignName(hwnd, control.name());
  if (control.kind() == ControlKind::kTextBox) {
    if (flags & kPassword) SendMessageA(hwnd, EM_SETPASSWORDCHAR, 'x', 0);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window.get()));
    window->original_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
  }
  if (control.kind() == ControlKind::kCheckList) {
    SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = width - GetSystemMetrics(SM_CXVSCROLL) - 4;
    SendMessageA(hwnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  }
  if (!control.tooltip().empty()) {
    if (!tooltip_) {
      tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | WS_POPUP,
                                 0, 0, 0, 0, hwnd_, nullptr, host_.instance_, nullptr);
    }
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = const_cast<char*>(control.tooltip().c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  control.AttachView(window.get());
  controls_.push_back(std::move(window));
  Push(*controls_.back());
}

void Win32Host::FormWindow::FillList(ControlWindow& window, ListControl& list) {
  HWND hwnd = window.hwnd;
  const auto kind = list.kind();
  if (kind == ControlKind::kImageCombo && window.shown_images != list.image_list()) {
    // The pictures as small images beside the items.
    window.shown_images = list.image_list();
    if (window.image_list) ImageList_Destroy(window.image_list);
    window.image_list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4);
    for (const auto& name : list.image_list()) {
      auto small = static_cast<HBITMAP>(
          LoadImageA(host_.instance_, name.c_str(), IMAGE_BITMAP, 16, 16, LR_DEFAULTCOLOR));
      ImageList_AddMasked(window.image_list, small, GetSysColor(COLOR_BTNFACE));
      if (small) DeleteObject(small);
    }
    SendMessageA(hwnd, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(window.image_list));
    window.shown_items.clear();  // the items take their images anew
  }
  if (window.shown_items != list.items()) {
    window.shown_items = list.items();
    if (kind == ControlKind::kComboBox) {
      SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
      for (const auto& item : list.items())
        SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    } else if (kind == ControlKind::kImageCombo) {
      SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
      for (int i = 0; i < list.count(); ++i) {
        COMBOBOXEXITEMA item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.iImage = item.iSelectedImage = list.image(i);
        item.pszText = const_cast<char*>(list.items()[i].c_str());
        SendMessageA(hwnd, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      }
    } else if (kind == ControlKind::kCheckList) {
      SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
      for (int i = 0; i < list.count(); ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(list.items()[i].c_str());
        SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      }
    } else {
      SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
      for (const auto& item : list.items())
        SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
  }
  const int index = list.list_index();
  if (kind == ControlKind::kComboBox || kind == ControlKind::kImageCombo) {
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else if (kind == ControlKind::kCheckList) {
    for (int i = 0; i < list.count(); ++i) {
      LVITEMA item = {};
      item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
      item.state = INDEXTOSTATEIMAGEMASK(list.checked(i) ? 2 : 1) |
                   (i == index ? LVIS_SELECTED | LVIS_FOCUSED : 0);
      SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
  } else {
    SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void Win32Host::FormWindow::Push(ControlWindow& window) {
  Control& control = *window.model;
  HWND hwnd = window.hwnd;
  const bool was_pushing = pushing_;
  pushing_ = true;
  if (control.kind() == ControlKind::kTimer) {
    auto& timer = static_cast<Timer&>(control);
    if (timer.enabled() && timer.interval() > 0) {
      SetTimer(hwnd_, static_cast<UINT_PTR>(window.id), static_cast<UINT>(timer.interval()),
               nullptr);
    } else {
      KillTimer(hwnd_, static_cast<UINT_PTR>(window.id));
    }
    pushing_ = was_pushing;
    return;
  }
  if (!hwnd) {
    pushing_ = was_pushing;
    return;
  }
  if (!IsWindowEnabled(hwnd) != !control.enabled()) EnableWindow(hwnd, control.enabled());
  if (!IsWindowVisible(hwnd) != !control.visible())
    ShowWindow(hwnd, control.visible() ? SW_SHOWNA : SW_HIDE);
  switch (control.kind()) {
    case ControlKind::kCheckBox: {
      static const WPARAM states[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
      const int value = static_cast<CheckBox&>(control).value();
      SendMessageA(hwnd, BM_SETCHECK, states[value >= 0 && value <= 2 ? value : 1], 0);
      if (WindowText(hwnd) != control.caption()) SetWindowTextA(hwnd, control.caption().c_str());
      break;
    }
    case ControlKind::kTextBox: {
      const auto& text = static_cast<TextBox&>(control).text();
      if (WindowText(hwnd) != text) SetWindowTextA(hwnd, text.c_str());
      break;
    }
    case ControlKind::kLabel:
    case ControlKind::kFrame:
      if (WindowText(hwnd) != control.caption()) SetWindowTextA(hwnd, control.caption().c_str());
      break;
    case ControlKind::kCommandButton:
      if (WindowText(hwnd) != control.caption()) SetWindowTextA(hwnd, control.caption().c_str());
      if (HBITMAP picture = Picture(control.picture()))
        SendMessageA(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
      break;
    case ControlKind::kImage:
      SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(Picture(control.picture())));
      break;
    case ControlKind::kComboBox:
    case ControlKind::kImageCombo:
    case ControlKind::kListBox:
    case ControlKind::kFileList:
    case ControlKind::kCheckList:
      FillList(window, static_cast<ListControl&>(control));
      break;
    case ControlKind::kSlider: {
      auto& slider = static_cast<Slider&>(control);
      SendMessageA(hwnd, TBM_SETRANGE, TRUE, MAKELPARAM(slider.min(), slider.max()));
      SendMessageA(hwnd, TBM_SETPOS, TRUE, slider.value());
      break;
    }
    case ControlKind::kTabStrip: {
      auto& tabs = static_cast<TabStrip&>(control);
      if (window.shown_items != tabs.tabs()) {
        window.shown_items = tabs.tabs();
        SendMessageA(hwnd, TCM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < tabs.tabs().size(); ++i) {
          TCITEMA item = {};
          item.mask = TCIF_TEXT;
          item.pszText = const_cast<char*>(tabs.tabs()[i].c_str());
          SendMessageA(hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
      }
      SendMessageA(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(tabs.selected()), 0);
      break;
    }
    default:
      break;
  }
  pushing_ = was_pushing;
}

void Win32Host::FormWindow::BuildMenus() {
  if (form_->menu_items().empty()) return;
  menu_bar_ = CreateMenu();
  std::vector<ACCEL> accels;
  UINT next_id = kFirstMenuId;
  std::function<void(MenuItem&, HMENU)> add = [&](MenuItem& item, HMENU into) {
    if (item.separator()) {
      AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
      return;
    }
    const UINT id = next_id++;
    menus_by_id_[id] = &item;
    const std::string text = MenuText(item);
    if (!item.children().empty()) {
      HMENU popup = CreatePopupMenu();
      for (MenuItem* child : item.children()) add(*child, popup);
      popups_[&item] = popup;
      if (into) {
        AppendMenuA(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text.c_str());
      } else {
        loose_popups_.push_back(popup);  // shown only as a pop-up menu
      }
    } else {
      AppendMenuA(into, MF_STRING, id, text.c_str());
    }
    if (into) {
      const int position = GetMenuItemCount(into) - 1;
      menu_places_[&item] = {into, static_cast<UINT>(position)};
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_DATA;
      info.dwItemData = GlobalAddAtomA(item.name().c_str());
      SetMenuItemInfoA(into, static_cast<UINT>(position), TRUE, &info);
    }
    const Shortcut& shortcut = item.shortcut();
    if (shortcut.kind == Shortcut::kFunction) {
      accels.push_back({FVIRTKEY, static_cast<WORD>(VK_F1 + shortcut.key - 1), static_cast<WORD>(id)});
    } else if (shortcut.kind == Shortcut::kCtrl) {
      accels.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(shortcut.key), static_cast<WORD>(id)});
    }
    item.AttachView([this](MenuItem& changed) {
      auto place = menu_places_.find(&changed);
      if (place == menu_places_.end()) return;
      std::string caption = MenuText(changed);
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STRING;
      info.dwTypeData = caption.data();
      SetMenuItemInfoA(place->second.first, place->second.second, TRUE, &info);
      if (hwnd_) DrawMenuBar(hwnd_);
    });
  };
  for (MenuItem* top : form_->menu_bar()) add(*top, top->visible() ? menu_bar_ : nullptr);
  if (!accels.empty())
    accelerators_ = CreateAcceleratorTableA(accels.data(), static_cast<int>(accels.size()));
}

void Win32Host::FormWindow::PopupMenu(MenuItem& menu) {
  auto it = popups_.find(&menu);
  if (it == popups_.end() || !hwnd_) return;
  POINT cursor;
  GetCursorPos(&cursor);
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(it->second, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd_,
                 nullptr);
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void Win32Host::FormWindow::CloseRequested() {
  if (form_ && form_->on_close_request) {
    form_->on_close_request();
  } else if (form_ && form_->style() == FormStyle::kMdiFrame) {
    host_.Quit();
  } else if (form_) {
    host_.Destroy(*form_);
  }
}

void Win32Host::FormWindow::Command(int id, int code) {
  if (auto menu = menus_by_id_.find(static_cast<UINT>(id)); menu != menus_by_id_.end()) {
    menu->second->UserClick();
    return;
  }
  const int index = id - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(controls_.size()) || pushing_) return;
  ControlWindow& window = *controls_[static_cast<std::size_t>(index)];
  Control& control = *window.model;
  switch (control.kind()) {
    case ControlKind::kCheckBox:
    case ControlKind::kCommandButton:
      if (code == BN_CLICKED) {
        control.UserClick();
        // A check box the model refused (disabled) shows the model's state again.
        if (form_ && window.owner->form_) Push(window);
      }
      break;
    case ControlKind::kImage:
    case ControlKind::kLabel:
      if (code == STN_CLICKED) control.UserClick();
      break;
    case ControlKind::kTextBox:
      if (code == EN_CHANGE) static_cast<TextBox&>(control).UserEdit(WindowText(window.hwnd));
      break;
    case ControlKind::kComboBox:
    case ControlKind::kImageCombo:
      if (code == CBN_SELCHANGE) {
        const auto index = static_cast<int>(SendMessageA(window.hwnd, CB_GETCURSEL, 0, 0));
        static_cast<ListControl&>(control).UserSelect(index);
      }
      break;
    case ControlKind::kListBox:
    case ControlKind::kFileList:
      if (code == LBN_SELCHANGE) {
        const auto index = static_cast<int>(SendMessageA(window.hwnd, LB_GETCURSEL, 0, 0));
        static_cast<ListControl&>(control).UserSelect(index);
      }
      break;
    default:
      break;
  }
}

void Win32Host::FormWindow::Notify(NMHDR* header) {
  if (pushing_) return;
  const int index = static_cast<int>(header->idFrom) - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(controls_.size())) return;
  Control& control = *controls_[static_cast<std::size_t>(index)]->model;
  if (control.kind() == ControlKind::kCheckList && header->code == LVN_ITEMCHANGED) {
    auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE) || change->iItem < 0) return;
    auto& list = static_cast<ListControl&>(control);
    if ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) {
      const bool checked = ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
      list.SetChecked(change->iItem, checked);
    }
    if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
      list.UserSelect(change->iItem);
  } else if (control.kind() == ControlKind::kTabStrip && header->code == TCN_SELCHANGE) {
    const auto selected = static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
    static_cast<TabStrip&>(control).Select(selected);
  }
}

LRESULT Win32Host::FormWindow::Default(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!form_) return DefWindowProcA(hwnd, message, wparam, lparam);
  switch (form_->style()) {
    case FormStyle::kMdiFrame:
      return DefFrameProcA(hwnd, mdi_client_, message, wparam, lparam);
    case FormStyle::kMdiChild:
      return DefMDIChildProcA(hwnd, message, wparam, lparam);
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

LRESULT Win32Host::FormWindow::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (form_ && (lparam == 0 || GetParent(reinterpret_cast<HWND>(lparam)) == hwnd)) {
        Command(LOWORD(wparam), HIWORD(wparam));
        if (lparam == 0 && LOWORD(wparam) >= kFirstMdiChildId)
          return Default(hwnd, message, wparam, lparam);
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (form_) Notify(reinterpret_cast<NMHDR*>(lparam));
      break;
    case WM_HSCROLL:
      if (form_ && lparam && !pushing_) {
        for (auto& window : controls_) {
          if (window->hwnd == reinterpret_cast<HWND>(lparam) &&
              window->model->kind() == ControlKind::kSlider) {
            const auto position = static_cast<int>(SendMessageA(window->hwnd, TBM_GETPOS, 0, 0));
            static_cast<Slider&>(*window->model).UserScroll(position);
          }
        }
      }
      break;
    case WM_TIMER:
      if (form_) {
        const int index = static_cast<int>(wparam) - kFirstControlId;
        if (index >= 0 && index < static_cast<int>(controls_.size()) &&
            controls_[static_cast<std::size_t>(index)]->model->kind() == ControlKind::kTimer) {
          static_cast<Timer&>(*controls_[static_cast<std::size_t>(index)]->model).Fire();
          return 0;
        }
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (form_) {
        for (auto& window : controls_) {
          if (window->hwnd == reinterpret_cast<HWND>(lparam) &&
              (window->model->flags() & kFormBackground)) {
            SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(background_);
          }
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (form_ && form_->on_mouse_down) {
        form_->on_mouse_down(message == WM_LBUTTONDOWN ? 1 : 2);
        return 0;
      }
      break;
    case WM_SIZE:
      if (form_ && hwnd == hwnd_) {
        RECT outer;
        GetWindowRect(hwnd, &outer);
        form_->WindowResized(PixelsToTwips(outer.right - outer.left),
                             PixelsToTwips(outer.bottom - outer.top), wparam == SIZE_MINIMIZED);
        // The child area keeps its declared place; DefFrameProc would
        // stretch it over the whole client area.
        if (form_ && form_->style() == FormStyle::kMdiFrame) return 0;
      }
      break;
    case WM_PAINT:
      if (form_ && hwnd == hwnd_) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        for (auto& window : controls_) {
          if (window->drawn.right > window->drawn.left && window->model->visible())
            DrawEdge(dc, &window->drawn, EDGE_ETCHED, BF_RECT);
        }
        EndPaint(hwnd, &paint);
        return 0;
      }
      break;
    case WM_CLOSE:
      CloseRequested();
      return 0;
    case WM_DESTROY:
      if (hwnd == hwnd_) {
        for (auto& window : controls_) {
          if (window->hwnd) RemoveDesignName(window->hwnd);
        }
        RemoveDesignName(hwnd);
        RemovePropA(hwnd, kFormProp);
        hwnd_ = nullptr;
        modal_done = true;
      }
      break;
    default:
      break;
  }
  return Default(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32Host::FormWindow::Proc(HWND hwnd, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self && message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    void* param = create->lpCreateParams;
    if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) {
      param = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTA*>(param)->lParam);
    }
    self = static_cast<FormWindow*>(param);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) {
    return GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD
               ? DefMDIChildProcA(hwnd, message, wparam, lparam)
               : DefWindowProcA(hwnd, message, wparam, lparam);
  }
  if (self->hwnd_ != hwnd) {
    // The window is on its way out and its form has let go of it.
    return GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD
               ? DefMDIChildProcA(hwnd, message, wparam, lparam)
               : DefWindowProcA(hwnd, message, wparam, lparam);
  }
  return self->Handle(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32Host::FormWindow::EditProc(HWND hwnd, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
  auto* window = reinterpret_cast<ControlWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  const WNDPROC original = window->original_proc;
  auto* box = window->owner->form_ ? static_cast<TextBox*>(window->model) : nullptr;
  switch (message) {
    case WM_GETDLGCODE:
      // A box that listens for keys gets Enter and Escape itself.
      if (box && box->on_key_down && lparam) {
        const auto* msg = reinterpret_cast<const MSG*>(lparam);
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
          return DLGC_WANTMESSAGE | CallWindowProcA(original, hwnd, message, wparam, lparam);
      }
      break;
    case WM_KEYDOWN:
      if (box && box->on_key_down) {
        // The handler may close the form; nothing of it is touched afterwards.
        box->UserKeyDown(static_cast<int>(wparam));
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) return 0;
        if (!IsWindow(hwnd)) return 0;
      }
      break;
    case WM_CHAR:
      if (box && box->on_key_down && (wparam == '\r' || wparam == 27)) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcA(original, hwnd, message, wparam, lparam);
}

// The host.

Win32Host::Win32Host(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &FormWindow::Proc;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hIconSm = icon;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  for (const char* name : {kFrameClass, kChildClass, kFormClass}) {
    window_class.lpszClassName = name;
    RegisterClassExA(&window_class);
  }
}

Win32Host::~Win32Host() {
  for (auto& [form, window] : windows_) window->Destroy();
}

Win32Host::FormWindow* Win32Host::Find(const Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

void Win32Host::Show(Form& form, Form* frame) {
  form.SetHost(this);
  if (Find(form)) return;
  auto window = std::make_unique<FormWindow>(*this, form);
  FormWindow* raw = window.get();
  windows_[&form] = std::move(window);
  HWND mdi_client = nullptr;
  if (frame) {
    if (FormWindow* frame_window = Find(*frame)) mdi_client = frame_window->mdi_client();
  }
  if (form.style() == FormStyle::kMdiChild && !mdi_client) return;
  raw->Create(nullptr, mdi_client);
}

void Win32Host::ShowModal(Form& form, Form& owner) {
  form.SetHost(this);
  if (Find(form)) return;
  HWND owner_window = reinterpret_cast<HWND>(WindowOf(owner));
  if (owner_window) owner_window = GetAncestor(owner_window, GA_ROOT);
  auto window = std::make_unique<FormWindow>(*this, form);
  FormWindow* raw = window.get();
  windows_[&form] = std::move(window);
  if (owner_window) EnableWindow(owner_window, FALSE);
  raw->Create(owner_window, nullptr);
  MSG msg;
  while (!raw->modal_done && !quitting_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (owner_window) {
    EnableWindow(owner_window, TRUE);
    SetActiveWindow(owner_window);
  }
}

void Win32Host::Destroy(Form& form) {
  form.SetHost(nullptr);
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  // The window object may be in the middle of one of its own messages: it
  // is kept until the message loop is back at the top.
  std::unique_ptr<FormWindow> window = std::move(it->second);
  windows_.erase(it);
  window->Destroy();
  graveyard_.push_back(std::move(window));
}

void Win32Host::Resize(Form& form) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return;
  SetWindowPos(window->hwnd(), nullptr, 0, 0, TwipsToPixels(form.width()),
               TwipsToPixels(form.height()), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Host::PopupMenu(Form& form, MenuItem& menu) {
  if (FormWindow* window = Find(form)) window->PopupMenu(menu);
}

void Win32Host::SetFocus(Form& form, Control& control) {
  if (FormWindow* window = Find(form)) {
    if (HWND hwnd = window->ControlHandle(control)) ::SetFocus(hwnd);
  }
}

void Win32Host::BeginDrag(Form& form) {
  FormWindow* window = Find(form);
  if (!window || !window->hwnd()) return;
  ReleaseCapture();
  SendMessageA(window->hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

std::uintptr_t Win32Host::WindowOf(const Form& form) const {
  FormWindow* window = Find(form);
  return window ? reinterpret_cast<std::uintptr_t>(window->hwnd()) : 0;
}

void Win32Host::Quit() {
  if (quitting_) return;
  quitting_ = true;
  PostQuitMessage(0);
}

bool Win32Host::PreTranslate(MSG& msg) {
  // Find the form window the message is for.
  FormWindow* target = nullptr;
  for (HWND w = msg.hwnd; w && !target; w = GetParent(w))
    target = static_cast<FormWindow*>(GetPropA(w, kFormProp));
  for (auto& [form, window] : windows_) {
    if (window->accelerators() && window->hwnd() && IsWindowEnabled(window->hwnd()) &&
        (msg.hwnd == window->hwnd() || IsChild(window->hwnd(), msg.hwnd))) {
      if (TranslateAcceleratorA(window->hwnd(), window->accelerators(), &msg)) return true;
    }
    if (window->mdi_client() && IsChild(window->mdi_client(), msg.hwnd) &&
        TranslateMDISysAccel(window->mdi_client(), &msg))
      return true;
  }
  if (target && target->hwnd() && IsDialogMessageA(target->hwnd(), &msg)) return true;
  return false;
}

void Win32Host::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  graveyard_.clear();
}

int Win32Host::Run() {
  MSG msg = {};
  while (!quitting_ || PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    graveyard_.clear();
  }
  graveyard_.clear();
  return static_cast<int>(msg.wParam);
}

}  // namespace kdw::forms

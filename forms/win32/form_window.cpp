#include "forms/win32/form_window.h"

#include <algorithm>

#include "platform/design_name.h"

namespace kdw::forms {
namespace {

const char kFrameClass[] = "KdwMdiFrame";
const char kChildClass[] = "KdwMdiChild";
const char kFormClass[] = "KdwForm";
// Marks a form window with its object, for the message loop to find.
const char kFormProp[] = "KdwFormWindow";
constexpr UINT_PTR kFirstControlId = 1000;

int Px(int twips) { return TwipsToPixels(twips); }

}  // namespace

using FormWindow = Win32Host::FormWindow;

void FormWindow::RegisterClasses(HINSTANCE instance) {
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Proc;
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

FormWindow* FormWindow::Containing(HWND window) {
  FormWindow* found = nullptr;
  for (HWND w = window; w && !found; w = GetParent(w))
    found = static_cast<FormWindow*>(GetPropA(w, kFormProp));
  return found;
}

void FormWindow::Create(HWND owner, HWND mdi_client) {
  switch (form_->style()) {
    case FormStyle::kMdiFrame:
      CreateFrame();
      break;
    case FormStyle::kMdiChild:
      CreateChild(mdi_client);
      break;
    case FormStyle::kDialog:
    case FormStyle::kBorderless:
    case FormStyle::kTopLevel:
      CreatePopup(owner);
      break;
    case FormStyle::kHidden:
      // A window that is never shown, so that the form can still be shaped.
      hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kFormClass, form_->caption().c_str(), WS_POPUP, 0,
                              0, Px(form_->width()), Px(form_->height()), nullptr, nullptr,
                              host_.instance_, this);
      break;
  }
  if (!hwnd_) return;
  SetPropA(hwnd_, kFormProp, this);
  CreateControls();
  if (form_->style() == FormStyle::kMdiFrame) CreateMdiClient();
  // Named last: whoever finds the form by its name finds it whole.
  SetDesignName(hwnd_, form_->name());
  if (form_->style() == FormStyle::kHidden) return;
  if (form_->style() == FormStyle::kMdiFrame) {
    PostMessageA(hwnd_, kShowFrame, 0, 0);
    return;
  }
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void FormWindow::CreateFrame() {
  menus_.Build(*form_, [this] { return hwnd_; });
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kFrameClass, form_->caption().c_str(),
                          WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                              WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, Px(form_->width()), Px(form_->height()),
                          nullptr, menus_.bar(), host_.instance_, this);
  if (hwnd_) menus_.BarTaken();
}

void FormWindow::CreateChild(HWND mdi_client) {
  MDICREATESTRUCTA create = {};
  create.szClass = kChildClass;
  create.szTitle = form_->caption().c_str();
  create.hOwner = host_.instance_;
  create.x = 0;
  create.y = 0;
  create.cx = Px(form_->width());
  create.cy = Px(form_->height());
  // No WS_CLIPCHILDREN: group boxes leave their inside for the form to paint.
  create.style = WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
  if (form_->window_state() == WindowState::kMaximized) create.style |= WS_MAXIMIZE;
  create.lParam = reinterpret_cast<LPARAM>(this);
  SendMessageA(mdi_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create));
}

void FormWindow::CreatePopup(HWND owner) {
  const int width = Px(form_->width()), height = Px(form_->height());
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
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  // Whole on the screen, even when wider than its owner.
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, kFormClass,
                          form_->caption().c_str(), style, x, y, width, height, owner, nullptr,
                          host_.instance_, this);
}

void FormWindow::Detach() {
  if (!form_) return;
  for (auto& adapter : adapters_) adapter->control().AttachView(nullptr);
  for (auto& item : form_->menu_items()) item->AttachView(nullptr);
  form_->SetHost(nullptr);
  form_ = nullptr;
}

void FormWindow::Destroy() {
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
  // The windows that used them are gone.
  fonts_.clear();
  pictures_.clear();
  menus_.Release();
}

Placement FormWindow::PlaceOf(const Control& control) const {
  // A container's place is relative to its own container.
  int x = control.rect().left, y = control.rect().top;
  for (const Control* c = form_->find(control.container()); c; c = form_->find(c->container())) {
    x += c->rect().left;
    y += c->rect().top;
  }
  return {Px(x), Px(y), Px(control.rect().width), Px(control.rect().height)};
}

HFONT FormWindow::Font(unsigned flags) {
  flags &= kSerifFont | kBoldFont | kLargeFont;
  if (!flags) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  auto [it, added] = fonts_.try_emplace(flags);
  if (added) {
    const int points = (flags & kLargeFont) ? 14 : 8;
    const UniqueScreenDc screen(GetDC(nullptr));
    const int height = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    it->second.reset(CreateFontA(height, 0, 0, 0, (flags & kBoldFont) ? FW_BOLD : FW_NORMAL, 0,
                                 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH,
                                 (flags & kSerifFont) ? "Times New Roman" : "Tahoma"));
  }
  return it->second.get();
}

HBITMAP FormWindow::Picture(const std::string& name) {
  if (name.empty()) return nullptr;
  // A picture that failed to load is not asked for again.
  auto [it, added] = pictures_.try_emplace(name);
  if (added) {
    it->second.reset(static_cast<HBITMAP>(
        LoadImageA(host_.instance_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  }
  return it->second.get();
}

void FormWindow::CreateControls() {
  for (const auto& control : form_->controls()) {
    const UINT_PTR id = kFirstControlId + adapters_.size();
    auto adapter = MakeAdapter(*this, *control, static_cast<int>(id));
    adapter->Create(PlaceOf(*control));
    control->AttachView(adapter.get());
    adapters_.push_back(std::move(adapter));
    Refresh(*adapters_.back());
  }
}

void FormWindow::CreateMdiClient() {
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

void FormWindow::MakeTooltips() {
  tooltips_made_ = true;
  for (const auto& adapter : adapters_) {
    const std::string& tip = adapter->control().tooltip();
    if (adapter->hwnd() && !tip.empty()) AddTooltip(adapter->hwnd(), tip);
  }
}

void FormWindow::AddTooltip(HWND control, const std::string& text) {
  if (!tooltip_) {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | WS_POPUP,
                               0, 0, 0, 0, hwnd_, nullptr, host_.instance_, nullptr);
  }
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::Refresh(ControlAdapter& adapter) {
  const bool was_pushing = pushing_;
  pushing_ = true;
  adapter.Push();
  pushing_ = was_pushing;
  // What the control holds shows or hides with it.
  const std::string& name = adapter.control().name();
  for (auto& inside : adapters_) {
    if (inside->control().container() == name) Refresh(*inside);
  }
}

bool FormWindow::Shown(const Control& control) const {
  for (const Control* c = &control; c; c = form_ ? form_->find(c->container()) : nullptr) {
    if (!c->visible()) return false;
  }
  return true;
}

HWND FormWindow::ControlHandle(const Control& control) const {
  for (const auto& adapter : adapters_) {
    if (&adapter->control() == &control) return adapter->hwnd();
  }
  return nullptr;
}

ControlAdapter* FormWindow::AdapterAt(UINT_PTR id) const {
  if (id < kFirstControlId || id - kFirstControlId >= adapters_.size()) return nullptr;
  return adapters_[id - kFirstControlId].get();
}

ControlAdapter* FormWindow::AdapterOf(HWND window) const {
  if (!window) return nullptr;
  for (const auto& adapter : adapters_) {
    if (adapter->hwnd() == window) return adapter.get();
  }
  return nullptr;
}

ControlAdapter* FormWindow::AdapterAround(HWND window) const {
  for (HWND w = window; w && w != hwnd_; w = GetParent(w)) {
    if (ControlAdapter* adapter = AdapterOf(w)) return adapter;
  }
  return nullptr;
}

ControlAdapter* FormWindow::AdapterUnder(POINT point) const {
  for (const auto& adapter : adapters_) {
    HWND window = adapter->hwnd();
    RECT area;
    if (!window || !adapter->control().on_context_menu || !IsWindowVisible(window) ||
        !GetWindowRect(window, &area) || !PtInRect(&area, point))
      continue;
    return adapter.get();
  }
  return nullptr;
}

// The window is being destroyed: its names go with it.
void FormWindow::Gone(HWND hwnd) {
  for (auto& adapter : adapters_) {
    if (adapter->hwnd()) RemoveDesignName(adapter->hwnd());
  }
  RemoveDesignName(hwnd);
  RemovePropA(hwnd, kFormProp);
  hwnd_ = nullptr;
  modal_done = true;
  // Wakes a modal loop waiting for a posted message: the form may have gone
  // inside a sent one (another program's BM_CLICK), which ends no wait.
  PostMessageA(nullptr, WM_NULL, 0, 0);
}

}  // namespace kdw::forms

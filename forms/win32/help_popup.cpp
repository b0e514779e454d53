#include "forms/win32/help_popup.h"

#include <algorithm>

#include "forms/text_wrap.h"
#include "platform/design_name.h"

namespace kdw::forms {
namespace {

const char kPopupClass[] = "KdwHelpPopup";
// Room around the text, and the widest the text runs before it wraps.
constexpr int kMarginX = 8;
constexpr int kMarginY = 6;
constexpr int kMaxTextWidth = 400;
constexpr int kGap = 2;  // between the pop-up and what it explains

void RegisterPopupClass(HINSTANCE instance) {
  WNDCLASSEXA window_class = {};
  if (GetClassInfoExA(instance, kPopupClass, &window_class)) return;
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_SAVEBITS | CS_DROPSHADOW;
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = kPopupClass;
  RegisterClassExA(&window_class);
}

// The font of tooltips and the status bar, as the system's help pop-ups use.
HFONT MakeHelpFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfStatusFont);
}

// The work area of the monitor that shows most of `rect`.
RECT WorkAreaNear(const RECT& rect) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace

HelpPopup::HelpPopup(HINSTANCE instance) : instance_(instance), font_(MakeHelpFont()) {
  RegisterPopupClass(instance);
}

HelpPopup::~HelpPopup() { Destroy(); }

void HelpPopup::Destroy() {
  if (!hwnd_) return;
  closing_ = true;
  DestroyWindow(hwnd_);
}

HGDIOBJ HelpPopup::Font() const {
  return font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT);
}

void HelpPopup::Show(HWND owner, const RECT& beside, const std::string& text) {
  Destroy();
  closing_ = false;
  owner_ = owner;
  focus_ = GetFocus();
  const RECT work = WorkAreaNear(beside);
  const SIZE size = Layout(text, work);
  int y = beside.bottom + kGap;
  if (y + size.cy > work.bottom) y = beside.top - kGap - size.cy;
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - size.cy));
  const int x = std::max<int>(work.left, std::min<int>(beside.left, work.right - size.cx));
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, text.c_str(), WS_POPUP | WS_BORDER, x, y,
                          size.cx, size.cy, owner, nullptr, instance_, nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  SetDesignName(hwnd_, "HelpPopup");
  // Shown active: the next key press comes here, and a click elsewhere
  // takes the activation away.
  ShowWindow(hwnd_, SW_SHOW);
  SetFocus(hwnd_);
}

SIZE HelpPopup::Layout(const std::string& text, const RECT& work) {
  const UniqueScreenDc dc(GetDC(nullptr));
  HGDIOBJ old = SelectObject(dc.get(), Font());
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc.get(), &metrics);
  line_height_ = metrics.tmHeight + metrics.tmExternalLeading;
  auto measure = [&](std::string_view piece) {
    SIZE extent = {};
    GetTextExtentPoint32A(dc.get(), piece.data(), static_cast<int>(piece.size()), &extent);
    return static_cast<int>(extent.cx);
  };
  const int room = static_cast<int>(work.right - work.left) - 2 * kMarginX - 2;
  const int width = std::max(1, std::min(kMaxTextWidth, room));
  lines_.clear();
  int widest = 0;
  for (std::string_view line : WrapText(text, width, measure)) {
    widest = std::max(widest, measure(line));
    lines_.emplace_back(line);
  }
  SelectObject(dc.get(), old);
  // The border takes a pixel on each side.
  return {widest + 2 * kMarginX + 2,
          static_cast<LONG>(lines_.size()) * line_height_ + 2 * kMarginY + 2};
}

void HelpPopup::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  HGDIOBJ old = SelectObject(dc, Font());
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    TextOutA(dc, kMarginX, kMarginY + static_cast<int>(i) * line_height_, lines_[i].data(),
             static_cast<int>(lines_[i].size()));
  }
  SelectObject(dc, old);
  EndPaint(hwnd_, &paint);
}

void HelpPopup::Close(bool give_back) {
  if (!hwnd_ || closing_) return;
  closing_ = true;
  HWND window = hwnd_;
  if (give_back && IsWindow(owner_) && IsWindowEnabled(owner_)) SetActiveWindow(owner_);
  DestroyWindow(window);
  if (give_back && IsWindow(focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_)) SetFocus(focus_);
  closing_ = false;
}

LRESULT HelpPopup::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      Close(true);
      return 0;
    case WM_ACTIVATE:
      // Another window took the activation: a click elsewhere, a switch to
      // another program. Closed once that is done.
      if (LOWORD(wparam) == WA_INACTIVE && !closing_) PostMessageA(hwnd, WM_CLOSE, 0, 0);
      break;
    case WM_CLOSE:
      Close(false);
      return 0;
    case WM_NCDESTROY:
      RemoveDesignName(hwnd);
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK HelpPopup::Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<HelpPopup*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || self->hwnd_ != hwnd) return DefWindowProcA(hwnd, message, wparam, lparam);
  return self->Handle(hwnd, message, wparam, lparam);
}

}  // namespace kdw::forms

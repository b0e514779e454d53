// The yardsticks of the start-up benchmark: a Win32 program that opens one
// window and waits, built the same way as kdw3. Built with
// KDW_STYLED_WINDOW (styled_window.exe), it is the same window with what
// visual styles cost every program that has them: kdw3's manifest, the
// common controls started and one combo box (the first common control a
// window creates starts them). Built with KDW_FILLED_WINDOW as well
// (filled_window.exe), the styled window also holds the windows of kdw3's
// first screen (the main window with the welcome form inside it), of the
// same kinds and sizes in the same places, with a menu bar and the list's
// ten sections: what those windows cost, with nothing of kdw3's behind them.
#include <windows.h>

#include <cstddef>
#ifdef KDW_STYLED_WINDOW
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

#ifdef KDW_FILLED_WINDOW
struct Window {
  const char* window_class;
  DWORD style;
  int x, y, width, height;  // pixels
  const char* text;
};

constexpr DWORD kLabel = SS_LEFT | SS_NOTIFY;
constexpr DWORD kLine = SS_ETCHEDHORZ;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr char kLong[] =
    "A long text that wraps over five lines of the box, as the notice of the first screen "
    "does: it names what the program changes, when the changes take effect and the terms "
    "under which it may be copied, in plain words, to be read before anything is changed.";

// The main window's panel, in the places and sizes kdw3 gives them.
constexpr Window kPanel[] = {
    {"Static", kLabel, 8, 16, 36, 36, ""},          {"Static", kLabel, 52, 26, 100, 17, "Welcome"},
    {"Static", kLabel, 4, 80, 156, 16, "Choose"},   {"Button", kButton, 4, 128, 48, 44, ""},
    {"Button", kButton, 58, 128, 48, 44, ""},       {"Button", kButton, 112, 128, 48, 44, ""},
    {"Static", kLine, 4, 180, 156, 2, ""},          {"Static", kLabel, 10, 196, 144, 16, "Account"},
    {"Static", kLabel, 10, 216, 144, 16, "CPU"},    {"Static", kLine, 10, 236, 144, 2, ""},
    {"Static", kLabel, 10, 250, 32, 32, ""},        {"Static", kLabel, 48, 250, 100, 34, "Battery"},
    {"Button", kButton, 10, 294, 136, 28, "Refresh"}, {"Static", kLabel, 4, 344, 156, 40, ""},
};

// The welcome form.
constexpr Window kWelcome[] = {
    {"Static", kLabel, 16, 16, 32, 32, ""},
    {"Static", kLabel, 60, 20, 347, 28, "Welcome"},
    {"Static", kLine, 16, 60, 393, 2, ""},
    {"Static", kLabel, 16, 76, 393, 17, "Registered to:"},
    {"Edit", ES_READONLY | ES_AUTOHSCROLL, 16, 96, 393, 19, "Owner"},
    {"Edit", ES_READONLY | ES_AUTOHSCROLL, 16, 120, 393, 19, ""},
    {"Static", kLabel, 24, 160, 377, 88, kLong},
    {"Static", kLabel, 16, 268, 32, 32, ""},
    {"Static", kLabel, 60, 276, 347, 17, "Maker"},
};

template <std::size_t count>
void Place(const Window (&windows)[count], HWND parent) {
  for (const Window& window : windows) {
    HWND child = CreateWindowA(window.window_class, window.text,
                               WS_CHILD | WS_VISIBLE | window.style, window.x, window.y,
                               window.width, window.height, parent, nullptr, nullptr, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 0);
  }
}

// The menu bar of three menus, the section list with its ten items, the
// panel, and the welcome form in a child window with a caption.
void Fill(HWND window) {
  HMENU bar = CreateMenu();
  static const char* const kMenus[] = {"User", "&Sections", "&Tools"};
  for (const char* menu : kMenus) {
    HMENU items = CreatePopupMenu();
    for (int item = 0; item < 10; ++item) AppendMenuA(items, MF_STRING, 100 + item, "Item");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(items), menu);
  }
  SetMenu(window, bar);
  HWND list = CreateWindowA("ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                            4, 96, 156, 221, window, nullptr, nullptr, nullptr);
  for (int section = 0; section < 10; ++section)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Section"));
  Place(kPanel, window);
  HWND form = CreateWindowA("KdwBareWindow", "Welcome",
                            WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 168, 4, 432, 336,
                            window, nullptr, nullptr, nullptr);
  Place(kWelcome, form);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef KDW_STYLED_WINDOW
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = Proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "KdwBareWindow";
  RegisterClassA(&window_class);
  HWND window = CreateWindowA("KdwBareWindow", "Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 649, 434, nullptr, nullptr, instance, nullptr);
#if defined(KDW_FILLED_WINDOW)
  Fill(window);
#elif defined(KDW_STYLED_WINDOW)
  CreateWindowA("ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 8, 8, 160, 200, window,
                nullptr, instance, nullptr);
#endif
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

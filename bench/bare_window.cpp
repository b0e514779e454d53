// The yardsticks of the start-up benchmark: a Win32 program that opens one
// window and waits, built the same way as kdw3. Built with
// KDW_STYLED_WINDOW (styled_window.exe), it is the same window with what
// visual styles cost every program that has them: kdw3's manifest, the
// common controls started and one combo box (the first common control a
// window creates starts them). Built with KDW_FILLED_WINDOW as well
// (filled_window.exe), the styled window also holds as many windows of each
// kind as kdw3's first screen (the main window with the welcome form inside
// it), with the same menu bar and the list's ten sections: what those
// windows cost, with nothing of kdw3's behind them.
#include <windows.h>
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
HWND Child(const char* window_class, const char* text, DWORD style, int index, HWND parent) {
  HWND child = CreateWindowA(window_class, text, WS_CHILD | WS_VISIBLE | style,
                             8 + (index % 3) * 100, 40 + (index / 3) * 26, 92, 22, parent,
                             nullptr, nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return child;
}

// The main window: ten labels and pictures (two of them lines), four
// buttons and the section list; the welcome form: seven more (one a line)
// and two text boxes, in a child window with a caption.
void Fill(HWND window) {
  HMENU bar = CreateMenu();
  static const char* const kMenus[] = {"User", "&Sections", "&Tools"};
  for (const char* menu : kMenus) {
    HMENU items = CreatePopupMenu();
    for (int item = 0; item < 10; ++item) AppendMenuA(items, MF_STRING, 100 + item, "Item");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(items), menu);
  }
  SetMenu(window, bar);
  HWND list = Child("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, window);
  for (int section = 0; section < 10; ++section)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Section"));
  int index = 1;
  for (int i = 0; i < 10; ++i)
    Child("Static", "Label", i < 2 ? SS_ETCHEDHORZ : SS_LEFT | SS_NOTIFY, index++, window);
  for (int i = 0; i < 4; ++i) Child("Button", "Button", BS_PUSHBUTTON | WS_TABSTOP, index++, window);
  HWND form = CreateWindowA("KdwBareWindow", "Welcome", WS_CHILD | WS_VISIBLE | WS_CAPTION,
                            320, 40, 300, 300, window, nullptr, nullptr, nullptr);
  for (int i = 0; i < 7; ++i)
    Child("Static", "Label", i < 1 ? SS_ETCHEDHORZ : SS_LEFT | SS_NOTIFY, i, form);
  for (int i = 7; i < 9; ++i)
    Child("Edit", "Text", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, i, form);
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

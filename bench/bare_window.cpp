// The yardsticks of the start-up benchmark: a Win32 program that opens one
// window and waits, built the same way as kdw3. Built with
// KDW_STYLED_WINDOW (styled_window.exe), it is the same window with what
// visual styles cost every program that has them: kdw3's manifest, the
// common controls started and one combo box (the first common control a
// window creates starts them).
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
#ifdef KDW_STYLED_WINDOW
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

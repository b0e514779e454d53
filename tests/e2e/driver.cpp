#include "tests/e2e/driver.h"

#include <cctype>
#include <vector>

#include "platform/design_name.h"
#include "tests/forms/real_click.h"

namespace kdw::e2e {
namespace {

struct Search {
  DWORD process;
  std::string name;  // a form's design name, or the window's title ("": any)
  bool by_title;
  HWND found;
  const char* window_class = "#32770";  // by title: the dialogs' class
};

BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  if (search->by_title) {
    char window_class[32] = {};
    GetClassNameA(window, window_class, sizeof window_class);
    if ((search->name.empty() || Text(window) == search->name) &&
        std::string(window_class) == search->window_class) {
      search->found = window;
      return FALSE;
    }
    return TRUE;
  }
  search->found =
      DesignNameOf(window) == search->name ? window : FindByDesignName(window, search->name);
  return search->found ? FALSE : TRUE;
}

BOOL CALLBACK MatchForm(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && DesignNameOf(window) == search->name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

template <typename F>
HWND Poll(int timeout_ms, F find) {
  for (int waited = 0;; waited += 50) {
    if (HWND window = find()) return window;
    if (waited >= timeout_ms) return nullptr;
    Sleep(50);
  }
}

}  // namespace

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return "Z:" + path;
}

bool Program::Start() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe_ + "\"";
  return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_) != 0;
}

bool Program::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::WaitForExit(int timeout_ms) const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess && WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout_ms)) ==
                            WAIT_OBJECT_0) {
    GetExitCodeProcess(info_.hProcess, &code);
  }
  return code;
}

void Program::Stop() {
  if (!info_.hProcess) return;
  if (running()) {
    if (HWND main = WaitForForm("frmMain", 0)) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 5000) == WAIT_TIMEOUT)
      TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
  info_ = {};
}

HWND Program::WaitForForm(const std::string& name, int timeout_ms) const {
  return Poll(timeout_ms, [&]() -> HWND {
    Search search{info_.dwProcessId, name, false, nullptr};
    EnumWindows(MatchForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
  });
}

HWND Program::WaitForShownForm(const std::string& name, int timeout_ms) const {
  return Poll(timeout_ms, [&]() -> HWND {
    HWND form = WaitForForm(name, 0);
    return form && IsWindowVisible(form) ? form : nullptr;
  });
}

HWND Program::Find(const std::string& name) const {
  Search search{info_.dwProcessId, name, false, nullptr};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Program::WaitFor(const std::string& name, int timeout_ms) const {
  return Poll(timeout_ms, [&] { return Find(name); });
}

bool Program::WaitGone(const std::string& name, int timeout_ms) const {
  return Eventually([&] { return !Find(name); }, timeout_ms);
}

HWND Program::WaitForDialog(const std::string& title, int timeout_ms) const {
  return Poll(timeout_ms, [&]() -> HWND {
    Search search{info_.dwProcessId, title, true, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
  });
}

HWND Program::ShownWindowOfClass(const char* window_class) const {
  Search search{info_.dwProcessId, "", true, nullptr, window_class};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string Text(HWND window) {
  char text[1024] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &result);
  return text;
}

void SetText(HWND edit, const std::string& text) {
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ListItemText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return "";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  std::string narrow(text.size() * 2 + 1, '\0');
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                       narrow.data(), static_cast<int>(narrow.size()), nullptr,
                                       nullptr);
  narrow.resize(static_cast<std::size_t>(size > 0 ? size : 0));
  return narrow;
}

int CheckState(HWND button) { return static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0)); }

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

void Pick(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void PressKey(HWND window, UINT key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

bool BringToFront(HWND window) {
  return Eventually([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

void SendKeys(const std::vector<std::pair<WORD, bool>>& strokes) {
  std::vector<INPUT> inputs;
  for (const auto& [key, up] : strokes) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Press(WORD key) { SendKeys({{key, false}, {key, true}}); }

void PressWith(WORD modifier, WORD key) {
  SendKeys({{modifier, false}, {key, false}, {key, true}, {modifier, true}});
}

void PressCtrl(WORD key) { PressWith(VK_CONTROL, key); }
void PressShift(WORD key) { PressWith(VK_SHIFT, key); }

void TypeLetters(const std::string& text) {
  for (char c : text) {
    const WORD key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)));
    if (std::isupper(static_cast<unsigned char>(c))) {
      PressShift(key);
    } else {
      Press(key);
    }
  }
}

bool ClickAtPoint(POINT point, MouseButton button) {
  return real_input::SendClickAt(point, button == MouseButton::kRight);
}

bool ClickAt(HWND window, MouseButton button) {
  POINT point = {};
  if (!Eventually([&] {
        RECT rect;
        GetWindowRect(window, &rect);
        point = {rect.left + 8, (rect.top + rect.bottom) / 2};
        return IsWindowVisible(window) && WindowFromPoint(point) == window;
      }))
    return false;
  return ClickAtPoint(point, button);
}

}  // namespace kdw::e2e

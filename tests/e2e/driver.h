// Drives kdw3.exe from another process, as a person would: it starts the
// program in a prepared registry state, finds windows by their design names
// (the window property "Name") and works them with real messages.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace kdw::e2e {

// How long a wait lasts before a test gives up. Generous, since a loaded
// machine or one that emulates the processor may take seconds for what
// takes milliseconds elsewhere; a wait that is met ends at once.
inline constexpr int kPatience = 30000;

// Reads until the reading equals `want` or the time is up: the last reading,
// so that a failed expectation on it shows what was there instead. Every
// state a test checks after input comes through here or Eventually, since
// the program handles input in its own time.
template <typename Read, typename Want>
auto Until(Read read, const Want& want, int timeout_ms = kPatience) -> decltype(read()) {
  for (int waited = 0;; waited += 20) {
    auto reading = read();
    if (reading == want || waited >= timeout_ms) return reading;
    Sleep(20);
  }
}

// Whether `holds()` became true within the time.
template <typename Holds>
bool Eventually(Holds holds, int timeout_ms = kPatience) {
  return Until([&] { return static_cast<bool>(holds()); }, true, timeout_ms);
}

// A path as this Windows program sees it: ctest hands over Unix paths, and
// Wine shows the Unix root as drive Z:.
std::string WindowsPath(std::string path);

class Program {
 public:
  explicit Program(std::string exe) : exe_(std::move(exe)) {}
  ~Program() { Stop(); }
  bool Start();
  // Ends the program: closes its windows, then terminates what is left.
  void Stop();
  bool running() const;
  // Waits for the program to end; its exit code, or STILL_ACTIVE.
  DWORD WaitForExit(int timeout_ms = kPatience) const;
  DWORD process_id() const { return info_.dwProcessId; }

  // A top-level window of the program by design name, waiting up to the
  // timeout for it to appear; null when it does not.
  HWND WaitForForm(const std::string& name, int timeout_ms = kPatience) const;
  // A window of the program with that design name anywhere below the root.
  HWND Find(const std::string& name) const;
  HWND WaitFor(const std::string& name, int timeout_ms = kPatience) const;
  // A form once it shows: a window is made before it is shown, and the
  // controls of a hidden one are not found among the visible windows.
  HWND WaitForShownForm(const std::string& name, int timeout_ms = kPatience) const;
  bool WaitGone(const std::string& name, int timeout_ms = kPatience) const;
  // A message box (or input box) of the program with that title.
  HWND WaitForDialog(const std::string& title, int timeout_ms = kPatience) const;
  // A shown top-level window of the program of that class ("#32768": a
  // shortcut menu), if there is one now.
  HWND ShownWindowOfClass(const char* window_class) const;

 private:
  std::string exe_;
  PROCESS_INFORMATION info_ = {};
};

std::string Text(HWND window);
int CheckState(HWND button);
// Readers for Until: the window's state at each call.
inline auto TextOf(HWND window) {
  return [=] { return Text(window); };
}
inline auto CheckOf(HWND button) {
  return [=] { return CheckState(button); };
}
void SetText(HWND edit, const std::string& text);
// A list box's item, read as wide text: Wine hands a list item to another
// process as the list holds it, whatever form of the message asks.
std::string ListItemText(HWND list, int index);
void Click(HWND button);
// Picks a drop-down list's item as the user does, with its notification.
void Pick(HWND combo, int index);
// A key pressed in a window: down and up, posted to its message queue.
void PressKey(HWND window, UINT key);
// The window with the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);
// Makes `window` the foreground window, waiting until it is: real input
// goes there.
bool BringToFront(HWND window);

// Real input: keys and clicks through the system's queue, to whatever has
// the focus or lies under the pointer, as a person gives them. The program
// takes them in its own time, so a test waits for their effect.
// Each stroke is a key and whether it is the key's release.
void SendKeys(const std::vector<std::pair<WORD, bool>>& strokes);
void Press(WORD key);
// The key pressed while `modifier` (VK_CONTROL, VK_SHIFT) is held down.
void PressWith(WORD modifier, WORD key);
void PressCtrl(WORD key);
void PressShift(WORD key);
void TypeLetters(const std::string& text);
enum class MouseButton { kLeft, kRight };
// Clicks near the left end of the window once it is the one under that
// point: a page that is still being laid out may cover it for a moment.
bool ClickAt(HWND window, MouseButton button = MouseButton::kLeft);
// Clicks at a point of the screen, whatever lies there.
bool ClickAtPoint(POINT point, MouseButton button = MouseButton::kLeft);

}  // namespace kdw::e2e

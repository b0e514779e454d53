// Drives kdw3.exe from another process, as a person would: it starts the
// program in a prepared registry state, finds windows by their design names
// (the window property "Name") and works them with real messages.
#pragma once

#include <windows.h>

#include <string>

namespace kdw::e2e {

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
  DWORD WaitForExit(int timeout_ms = 10000) const;
  DWORD process_id() const { return info_.dwProcessId; }

  // A top-level window of the program by design name, waiting up to the
  // timeout for it to appear; null when it does not.
  HWND WaitForForm(const std::string& name, int timeout_ms = 10000) const;
  // A window of the program with that design name anywhere below the root.
  HWND Find(const std::string& name) const;
  HWND WaitFor(const std::string& name, int timeout_ms = 10000) const;
  bool WaitGone(const std::string& name, int timeout_ms = 10000) const;
  // A message box (or input box) of the program with that title.
  HWND WaitForDialog(const std::string& title, int timeout_ms = 10000) const;

 private:
  std::string exe_;
  PROCESS_INFORMATION info_ = {};
};

std::string Text(HWND window);
void SetText(HWND edit, const std::string& text);
int CheckState(HWND button);
void Click(HWND button);
// Picks a drop-down list's item as the user does, with its notification.
void Pick(HWND combo, int index);
// A key pressed in a window: down and up, through the message queue.
void PressKey(HWND window, UINT key);
// Lets the program handle what was posted to it.
void Settle(int ms = 300);

}  // namespace kdw::e2e

// Starting another program by its command line, without waiting for it.
#pragma once

#include <string>

namespace kdw {

// Show commands (SW_...) with their Win32 values.
namespace sw {
constexpr int kHide = 0;
constexpr int kShowNormal = 1;  // normal window with the focus
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;  // maximized window with the focus
constexpr int kShow = 5;           // shown in its current size and place
}  // namespace sw

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts the command line as a new process whose first window is shown with
  // `show_command`; returns at once. False when the process could not be
  // made (a missing program, a bad command line).
  virtual bool Start(const std::string& command_line, int show_command) = 0;
};

// Starts a command line with its window shown, without waiting; failures are
// ignored.
inline void RunCommand(ProcessStarter& processes, const std::string& command_line) {
  processes.Start(command_line, sw::kShow);
}

}  // namespace kdw

// Session control (clsShutDown: log off, shut down, restart) and the shell
// restart (RefreshExplorer: end the running Explorer so that Windows starts
// it again with the changed settings).
#pragma once

#include <cstdint>

#include "platform/session.h"

// winuser.h's ExitWindows, a macro for logging off, would swallow the
// method's name wherever <windows.h> comes first.
#ifdef ExitWindows
#undef ExitWindows
#endif

namespace kdw::shell {

// ExitWindows' commands.
namespace exit_command {
constexpr int kLogOff = 0;
constexpr int kShutDown = 1;
constexpr int kRestart = 2;
}  // namespace exit_command

class clsShutDown {
 public:
  explicit clsShutDown(SessionControl& session) : session_(session) {}

  // Ends the session as the command says (exit_command); any other number
  // does nothing. Programs are asked to close and may keep unsaved work from
  // being lost; only programs that hang are ended. Nothing is reported.
  void ExitWindows(int command);
  // Shut down and restart need the privilege; log off goes ahead without it.
  void EnableShutdownPrivilege();

 private:
  SessionControl& session_;
};

class RefreshExplorer {
 public:
  explicit RefreshExplorer(ProcessList& processes) : processes_(processes) {}

  // Searches the running processes for Explorer: the file name without its
  // folder, in any letter case. With several, the one listed last.
  void FindExplorerProcess();
  // Ends the process; whether it could.
  bool TerminateProcessById(std::uint32_t process_id);
  // "Refresh Windows": finds Explorer and ends it when there is one;
  // whether it did (Windows then starts Explorer again).
  bool Refresh();

  // Set by the last search; 0 when it found none.
  std::uint32_t ExplorerProcessId() const { return explorer_process_id_; }

 private:
  ProcessList& processes_;
  std::uint32_t explorer_process_id_ = 0;
};

}  // namespace kdw::shell

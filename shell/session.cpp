#include "shell/session.h"

#include <string>

namespace kdw::shell {
namespace {

bool IsExplorerFile(std::string name) {
  name = name.substr(0, name.find('\0'));  // up to the first NUL
  const std::size_t slash = name.find_last_of('\\');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name == "explorer.exe";
}

}  // namespace

void clsShutDown::ExitWindows(int command) {
  if (command != exit_command::kLogOff && command != exit_command::kShutDown &&
      command != exit_command::kRestart) {
    return;
  }
  EnableShutdownPrivilege();
  // Not EWX_FORCE: a forced exit closes programs without asking them and
  // loses their unsaved work.
  session_.ExitWindowsEx(static_cast<std::uint32_t>(command) | ewx::kForceIfHung);
}

void clsShutDown::EnableShutdownPrivilege() { session_.EnableShutdownPrivilege(); }

void RefreshExplorer::FindExplorerProcess() {
  // An identifier from an earlier search may by now name another process.
  explorer_process_id_ = 0;
  for (const ProcessEntry& process : processes_.List()) {
    if (IsExplorerFile(process.exe_file)) explorer_process_id_ = process.id;
  }
}

bool RefreshExplorer::TerminateProcessById(std::uint32_t process_id) {
  return processes_.Terminate(process_id);
}

bool RefreshExplorer::Refresh() {
  FindExplorerProcess();
  return explorer_process_id_ != 0 && TerminateProcessById(explorer_process_id_);
}

}  // namespace kdw::shell

// Ending the Windows session, and the running processes: listed and ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kdw {

// ExitWindowsEx flags (EWX_...) with their Win32 values.
namespace ewx {
constexpr std::uint32_t kLogOff = 0x0;
constexpr std::uint32_t kShutdown = 0x1;
constexpr std::uint32_t kReboot = 0x2;
constexpr std::uint32_t kForce = 0x4;         // other programs are not asked
constexpr std::uint32_t kForceIfHung = 0x10;  // only programs that do not answer are ended
}  // namespace ewx

class SessionControl {
 public:
  virtual ~SessionControl() = default;
  // Enables SeShutdownPrivilege in this process's token (OpenProcessToken,
  // LookupPrivilegeValueA, AdjustTokenPrivileges; the token is closed
  // again). False when it could not be enabled.
  virtual bool EnableShutdownPrivilege() = 0;
  // ExitWindowsEx(flags, 0): returns at once; false when Windows refuses.
  virtual bool ExitWindowsEx(std::uint32_t flags) = 0;
};

struct ProcessEntry {
  std::uint32_t id = 0;
  std::string exe_file;  // PROCESSENTRY32's szExeFile, as Windows gives it
};

class ProcessList {
 public:
  virtual ~ProcessList() = default;
  // A snapshot of the running processes (CreateToolhelp32Snapshot,
  // Process32First/Next) in the order Windows lists them; empty when no
  // snapshot could be taken.
  virtual std::vector<ProcessEntry> List() = 0;
  // OpenProcess(PROCESS_TERMINATE) and TerminateProcess with exit code 0.
  // False when the process cannot be opened or ended.
  virtual bool Terminate(std::uint32_t process_id) = 0;
};

}  // namespace kdw

// Scriptable stand-ins for session control and the process list: a test
// says which processes run and whether the privilege or a termination is
// refused, and reads back every call in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/session.h"

namespace kdw {

class FakeSessionControl : public SessionControl {
 public:
  bool EnableShutdownPrivilege() override;
  bool ExitWindowsEx(std::uint32_t flags) override;

  void SetPrivilegeRefused(bool refused) { privilege_refused_ = refused; }
  // Every call in order: "EnableShutdownPrivilege" and "ExitWindowsEx 0x12"
  // (the flags in hexadecimal).
  const std::vector<std::string>& calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  std::vector<std::string> calls_;
  bool privilege_refused_ = false;
};

class FakeProcessList : public ProcessList {
 public:
  std::vector<ProcessEntry> List() override { return processes_; }
  // An ended process leaves the list, as it would leave Windows'.
  bool Terminate(std::uint32_t process_id) override;

  // Set-up: the processes in the order Windows would list them.
  void SetProcesses(std::vector<ProcessEntry> processes) { processes_ = std::move(processes); }
  // From now on every termination is refused (true) or carried out.
  void SetTerminateRefused(bool refused) { terminate_refused_ = refused; }

  // Every termination asked for, refused ones included.
  const std::vector<std::uint32_t>& terminate_requests() const { return terminate_requests_; }
  const std::vector<ProcessEntry>& processes() const { return processes_; }

 private:
  std::vector<ProcessEntry> processes_;
  std::vector<std::uint32_t> terminate_requests_;
  bool terminate_refused_ = false;
};

}  // namespace kdw

// The Win32 session control and process list (cross build only).
#pragma once

#include "platform/session.h"

namespace kdw {

// advapi32 for the privilege, user32 for ExitWindowsEx.
class Win32SessionControl : public SessionControl {
 public:
  bool EnableShutdownPrivilege() override;
  bool ExitWindowsEx(std::uint32_t flags) override;
};

// The tool-help snapshot and OpenProcess/TerminateProcess.
class Win32ProcessList : public ProcessList {
 public:
  std::vector<ProcessEntry> List() override;
  bool Terminate(std::uint32_t process_id) override;
};

}  // namespace kdw

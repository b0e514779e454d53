// The session through advapi32 and user32, processes through kernel32.
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <cstring>

#include "platform/win32_handles.h"
#include "platform/win32_session.h"

namespace kdw {
namespace {

// Tokens, snapshots and processes close as files do.
using UniqueKernelHandle = UniqueHandle<HANDLE, FileTraits>;

}  // namespace

bool Win32SessionControl::EnableShutdownPrivilege() {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
    return false;
  }
  const UniqueKernelHandle token(opened);
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    return false;
  }
  // AdjustTokenPrivileges succeeds even when the token lacks the privilege;
  // only the last error then says ERROR_NOT_ALL_ASSIGNED.
  SetLastError(ERROR_SUCCESS);
  return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
         GetLastError() == ERROR_SUCCESS;
}

bool Win32SessionControl::ExitWindowsEx(std::uint32_t flags) {
  return ::ExitWindowsEx(flags, 0) != FALSE;
}

std::vector<ProcessEntry> Win32ProcessList::List() {
  std::vector<ProcessEntry> processes;
  const UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    processes.push_back(
        {entry.th32ProcessID, std::string(entry.szExeFile, strnlen(entry.szExeFile,
                                                                   sizeof entry.szExeFile))});
  }
  return processes;
}

bool Win32ProcessList::Terminate(std::uint32_t process_id) {
  const UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, process_id));
  return process && TerminateProcess(process.get(), 0) != FALSE;
}

}  // namespace kdw

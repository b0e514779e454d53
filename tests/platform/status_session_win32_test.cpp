// What only Windows itself can show of the status monitors and session
// control: the processor counter resolves and gives a percentage, the power
// status answers, the process list holds this program, and a process found
// by the Explorer search is ended. ExitWindowsEx is never called: it would
// end the session the tests run in.
#include <windows.h>

#include "platform/win32_session.h"
#include "platform/win32_system_status.h"
#include "shell/session.h"
#include "shell/status_monitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

namespace kdw {
namespace {

std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

TEST(Win32PerformanceCounters, WholeMachineProcessorTimeGivesAPercentage) {
  Win32PerformanceCounters counters;
  // What this Windows answers for the names by index (Wine names only the
  // counter, not the object, so the English path stands in there).
  const std::string object = counters.LookupPerfNameByIndex(pdh::kProcessorObjectIndex);
  const std::string counter_name = counters.LookupPerfNameByIndex(pdh::kProcessorTimeIndex);
  const std::string path = shell::ProcessorCounterPath(counters);
  std::printf("index 238: \"%s\", index 6: \"%s\", counter path: \"%s\"\n", object.c_str(),
              counter_name.c_str(), path.c_str());
  EXPECT_NE(std::string::npos, path.find("(_Total)\\"));

  PdhQueryHandle query = 0;
  ASSERT_EQ(pdh::kSuccess, counters.OpenQuery(query));
  ASSERT_NE(0u, query);
  PdhCounterHandle counter = 0;
  ASSERT_EQ(pdh::kSuccess, counters.AddCounter(query, path, counter)) << path;
  ASSERT_NE(0u, counter);
  PdhCounterHandle missing = 0xdeadbeef;
  EXPECT_NE(pdh::kSuccess, counters.AddCounter(query, "\\No Such Object\\No Counter", missing));
  EXPECT_EQ(0u, missing);

  // The monitor over the same real calls, loaded alongside.
  Win32PowerStatus power;
  shell::StatusMonitor monitor(counters, power);
  monitor.Load();

  EXPECT_EQ(pdh::kSuccess, counters.CollectQueryData(query));
  Sleep(1000);  // a rate needs two collections some time apart
  EXPECT_EQ(pdh::kSuccess, counters.CollectQueryData(query));
  const CounterValue reading = counters.GetDoubleCounterValue(counter);
  EXPECT_TRUE(reading.status == pdh::kCStatusValidData || reading.status == pdh::kCStatusNewData)
      << std::hex << reading.status;
  std::printf("processor time: %g (status %#x)\n", reading.value, reading.status);
  EXPECT_GE(reading.value, 0.0);
  EXPECT_LE(reading.value, 100.0);

  monitor.Timer1_Timer();
  EXPECT_TRUE(std::regex_match(monitor.processor_text(), std::regex("CPU Usage: \\d{1,3} %")))
      << monitor.processor_text();

  // A bad handle must not read as valid data.
  const CounterValue bad = counters.GetDoubleCounterValue(0);
  EXPECT_NE(pdh::kCStatusValidData, bad.status);
  EXPECT_NE(pdh::kCStatusNewData, bad.status);
}

TEST(Win32PowerStatus, AnswersAPercentOrUnknown) {
  Win32PowerStatus power;
  const std::optional<std::uint8_t> percent = power.BatteryLifePercent();
  ASSERT_TRUE(percent.has_value());
  std::printf("BatteryLifePercent: %d\n", *percent);
  EXPECT_TRUE(*percent <= 100 || *percent == 255) << int(*percent);
}

TEST(Win32SessionControl, EnablesTheShutdownPrivilege) {
  // Only the privilege: enabling it in this process's own token changes
  // nothing outside it.
  EXPECT_TRUE(Win32SessionControl().EnableShutdownPrivilege());
}

TEST(Win32ProcessList, ListsThisProgram) {
  Win32ProcessList processes;
  const std::vector<ProcessEntry> list = processes.List();
  const auto self = std::find_if(list.begin(), list.end(), [](const ProcessEntry& p) {
    return p.id == GetCurrentProcessId();
  });
  ASSERT_NE(list.end(), self);
  EXPECT_TRUE(EqualsIgnoringCase("status_session_win32_tests.exe", self->exe_file))
      << self->exe_file;
  EXPECT_FALSE(processes.Terminate(0));  // no process 0 to open
}

// Starts a copy of the stand-in program as "EXPLORER.EXE" in a folder of its
// own, and ends it again if the test has not.
class StandInExplorer {
 public:
  StandInExplorer() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "kdw-explorer-" + std::to_string(GetCurrentProcessId());
    exe_ = folder_ + "\\EXPLORER.EXE";
    CreateDirectoryA(folder_.c_str(), nullptr);
    const std::string stand_in = FolderOfThisProgram() + "\\kdw_stand_in.exe";
    if (!CopyFileA(stand_in.c_str(), exe_.c_str(), FALSE)) return;
    std::string command = "\"" + exe_ + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(exe_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder_.c_str(), &startup, &process_)) {
      CloseHandle(process_.hThread);
    }
  }
  ~StandInExplorer() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
      }
      CloseHandle(process_.hProcess);
    }
    DeleteFileA(exe_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  StandInExplorer(const StandInExplorer&) = delete;
  StandInExplorer& operator=(const StandInExplorer&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  std::uint32_t id() const { return process_.dwProcessId; }
  HANDLE handle() const { return process_.hProcess; }

 private:
  std::string folder_;
  std::string exe_;
  PROCESS_INFORMATION process_ = {};
};

TEST(RefreshExplorer, FindsAndEndsAStandInExplorer) {
  StandInExplorer stand_in;
  ASSERT_TRUE(stand_in.started()) << "the stand-in program could not be started";
  Win32ProcessList processes;
  std::string listed_as;
  for (int tries = 0; tries < 100 && listed_as.empty(); ++tries) {
    for (const ProcessEntry& p : processes.List()) {
      if (p.id == stand_in.id()) listed_as = p.exe_file;
    }
    if (listed_as.empty()) Sleep(50);
  }
  ASSERT_TRUE(EqualsIgnoringCase("EXPLORER.EXE", listed_as)) << listed_as;

  shell::RefreshExplorer refresh(processes);
  refresh.FindExplorerProcess();
  const std::uint32_t found = refresh.ExplorerProcessId();
  // The session's own Explorer runs too; only the stand-in may be ended.
  if (found != stand_in.id()) {
    GTEST_SKIP() << "the search chose process " << found << ", not the stand-in "
                 << stand_in.id() << "; nothing was ended";
  }
  refresh.TerminateProcessById(found);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(stand_in.handle(), 10000));
  DWORD exit_code = 0xdeadbeef;
  ASSERT_TRUE(GetExitCodeProcess(stand_in.handle(), &exit_code));
  EXPECT_EQ(0u, exit_code);
}

}  // namespace
}  // namespace kdw

// Log off, shut down and restart, and the Explorer search, over the fake
// session and process list.
#include "shell/session.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/fake_session.h"

namespace kdw::shell {
namespace {

using Calls = std::vector<std::string>;
using Ids = std::vector<std::uint32_t>;
using namespace std::string_view_literals;

TEST(clsShutDown, AsksProgramsToCloseAfterEnablingThePrivilege) {
  const struct {
    int command;
    const char* exit_call;
  } cases[] = {
      {exit_command::kLogOff, "ExitWindowsEx 0x10"},
      {exit_command::kShutDown, "ExitWindowsEx 0x11"},
      {exit_command::kRestart, "ExitWindowsEx 0x12"},
  };
  for (const auto& c : cases) {
    FakeSessionControl session;
    clsShutDown(session).ExitWindows(c.command);
    EXPECT_EQ((Calls{"EnableShutdownPrivilege", c.exit_call}), session.calls()) << c.command;
  }
}

TEST(clsShutDown, GoesOnWithoutThePrivilegeAndIgnoresUnknownCommands) {
  FakeSessionControl session;
  session.SetPrivilegeRefused(true);
  clsShutDown shutdown(session);
  shutdown.ExitWindows(exit_command::kLogOff);
  EXPECT_EQ((Calls{"EnableShutdownPrivilege", "ExitWindowsEx 0x10"}), session.calls());

  // 4 would be EWX_FORCE, 8 EWX_POWEROFF: not commands of this program.
  session.Clear();
  for (int command : {-1, 3, 4, 8, 0x12}) shutdown.ExitWindows(command);
  EXPECT_TRUE(session.calls().empty());
}

TEST(RefreshExplorer, FindsExplorerByItsFileNameInAnyCase) {
  FakeProcessList processes;
  RefreshExplorer refresh(processes);
  const struct {
    std::string_view exe_file;
    bool found;
  } cases[] = {
      {"explorer.exe", true},
      {"EXPLORER.EXE", true},
      {"C:\\WINDOWS\\Explorer.exe", true},
      {"\\??\\C:\\Windows\\explorer.exe", true},
      {"explorer.exe\0junk"sv, true},  // cut at the first NUL
      {"iexplorer.exe", false},
      {"explorer.exe.bak", false},
      {"C:\\explorer.exe\\setup.exe", false},
      {"explorer", false},
      {"", false},
  };
  for (const auto& c : cases) {
    processes.SetProcesses({{4, "System"}, {1500, std::string(c.exe_file)}, {1600, "cmd.exe"}});
    refresh.FindExplorerProcess();
    EXPECT_EQ(c.found ? 1500u : 0u, refresh.ExplorerProcessId()) << c.exe_file;
  }
  EXPECT_TRUE(processes.terminate_requests().empty());
}

TEST(RefreshExplorer, EndsTheLastExplorerListedAndNothingOnceNoneRuns) {
  FakeProcessList processes;
  processes.SetProcesses({{1200, "explorer.exe"}, {1300, "notepad.exe"}, {1400, "Explorer.EXE"}});
  RefreshExplorer refresh(processes);
  refresh.Refresh();
  EXPECT_EQ(1400u, refresh.ExplorerProcessId());
  EXPECT_EQ((Ids{1400}), processes.terminate_requests());
  ASSERT_EQ(2u, processes.processes().size());

  // Windows has not started a new one yet: the second click (and a third)
  // must not reuse the identifier found before.
  processes.SetProcesses({{1300, "notepad.exe"}});
  refresh.Refresh();
  refresh.Refresh();
  EXPECT_EQ(0u, refresh.ExplorerProcessId());
  EXPECT_EQ((Ids{1400}), processes.terminate_requests());

  // A refused termination is not reported and leaves the process running.
  processes.SetProcesses({{1700, "explorer.exe"}});
  processes.SetTerminateRefused(true);
  refresh.Refresh();
  EXPECT_EQ((Ids{1400, 1700}), processes.terminate_requests());
  EXPECT_EQ(1u, processes.processes().size());
}

}  // namespace
}  // namespace kdw::shell

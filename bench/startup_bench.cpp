// Start-up to an idle first window: kdw3 against a bare program that opens
// one window, both started the same way in one run, alternating; then the
// working set of each once idle, and the size of each executable.
// Usage (under Wine): startup_bench kdw3.exe bare_window.exe [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms = 0;
  SIZE_T working_set = 0;
};

// The visible top-level windows of a process.
BOOL CALLBACK CloseWindowsOf(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process) && IsWindowVisible(window))
    PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

bool Run(const std::string& exe, Sample* sample) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string command = "\"" + exe + "\"";
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  const DWORD idle = WaitForInputIdle(info.hProcess, 30000);
  sample->ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory))
    sample->working_set = memory.WorkingSetSize;
  EnumWindows(CloseWindowsOf, static_cast<LPARAM>(info.dwProcessId));
  if (WaitForSingleObject(info.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return idle == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench kdw3.exe bare_window.exe [runs]\n");
    return 2;
  }
  const std::string programs[] = {argv[1], argv[2]};
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  std::vector<double> times[2];
  SIZE_T working_set[2] = {};
  // One start of each first, not counted: it brings the files into the cache.
  for (int run = -1; run < runs; ++run) {
    for (int i = 0; i < 2; ++i) {
      Sample sample;
      if (!Run(programs[i], &sample)) {
        std::fprintf(stderr, "%s did not reach an idle window\n", programs[i].c_str());
        return 1;
      }
      if (run < 0) continue;
      times[i].push_back(sample.ms);
      working_set[i] = std::max(working_set[i], sample.working_set);
    }
  }
  for (int i = 0; i < 2; ++i) {
    std::printf("%-40s start to idle window: median %7.1f ms over %d runs; working set %6.0f KiB; "
                "file %8lld bytes\n",
                programs[i].c_str(), Median(times[i]), runs, working_set[i] / 1024.0,
                FileSize(programs[i]));
  }
  return 0;
}

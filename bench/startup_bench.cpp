// Start-up to an idle first window: kdw3 against a bare program that opens
// one window, and against any further yardsticks, all started the same way
// in one run, in turns; then the working set of each once idle, the size of
// each executable, and where
// kdw3's start-up goes, step by step (kdw3 records its steps when
// KDW_STARTUP_STEPS names a file; those starts are timed apart from the
// others, as recording costs a little).
// Usage (under Wine):
//   startup_bench kdw3.exe bare_window.exe [yardstick.exe...] [runs] [file...]
// Files after the count of runs (kdwsetup.exe) are listed with their sizes.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms = 0;
  SIZE_T working_set = 0;
  LONGLONG started = 0;  // performance counter ticks
  LONGLONG idle = 0;
};

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Ms(LONGLONG ticks) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return ticks * 1000.0 / frequency;
}

struct Search {
  DWORD process;
  std::vector<HWND> found;
};

BOOL CALLBACK AddIfVisibleOf(HWND window, LPARAM search_pointer) {
  auto* search = reinterpret_cast<Search*>(search_pointer);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

// The visible top-level windows of a process.
std::vector<HWND> VisibleWindowsOf(DWORD process) {
  Search search = {process, {}};
  EnumWindows(AddIfVisibleOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Run(const std::string& exe, Sample* sample) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string command = "\"" + exe + "\"";
  sample->started = Now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  // Idle: waiting for input, with a visible window that answers a message
  // (Wine may report input idle before the first window exists).
  const DWORD idle = WaitForInputIdle(info.hProcess, 30000);
  std::vector<HWND> windows;
  const LONGLONG give_up = Now() + static_cast<LONGLONG>(30000 / Ms(1));
  while (idle == 0 && (windows = VisibleWindowsOf(info.dwProcessId)).empty() && Now() < give_up)
    Sleep(1);
  HWND window = windows.empty() ? nullptr : windows.front();
  DWORD_PTR answer = 0;
  if (window) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
  sample->idle = Now();
  sample->ms = Ms(sample->idle - sample->started);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory))
    sample->working_set = memory.WorkingSetSize;
  for (HWND shown : VisibleWindowsOf(info.dwProcessId)) PostMessageA(shown, WM_CLOSE, 0, 0);
  // The program writes its steps as it ends: wait for that.
  if (WaitForSingleObject(info.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return idle == 0 && window;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? T() : values[values.size() / 2];
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double MiB(double bytes) { return bytes / (1024.0 * 1024.0); }

// kdw3 stops at its owner question or its password prompt when those
// values ask for them: the benchmark measures the way to the main window.
bool PrepareProfile() {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Kelmor\\Deskwarden", &key) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot open HKLM\\Software\\Kelmor\\Deskwarden\n");
    return false;
  }
  auto read = [key](const char* name) {
    char text[256] = {};
    DWORD size = sizeof text - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
      return std::string();
    return std::string(text);
  };
  bool ready = true;
  if (read("Owner").empty()) {
    static const char owner[] = "Benchmark";
    RegSetValueExA(key, "Owner", 0, REG_SZ, reinterpret_cast<const BYTE*>(owner), sizeof owner);
    std::printf("(Owner was not set; set to \"%s\" so that no question is asked)\n", owner);
  }
  if (!read("Pass").empty()) {
    std::fprintf(stderr, "a password is set: kdw3 would stop at its prompt\n");
    ready = false;
  }
  RegCloseKey(key);
  return ready;
}

struct StepTimes {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> ms, working_set;
};

// One recorded start: each step's time since the one before (the first
// since the process was created), and the working set at its end.
bool ReadSteps(const std::string& path, const Sample& sample, StepTimes* steps) {
  std::ifstream in(path);
  std::string word;
  long long frequency = 0;
  if (!(in >> word >> frequency) || word != "frequency" || frequency <= 0) return false;
  LONGLONG previous = sample.started;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    long long ticks = 0;
    unsigned long long working_set = 0;
    std::string name;
    if (!(fields >> ticks >> working_set)) continue;
    std::getline(fields >> std::ws, name);
    if (!steps->ms.count(name)) steps->order.push_back(name);
    steps->ms[name].push_back(Ms(ticks - previous));
    steps->working_set[name].push_back(static_cast<double>(working_set));
    previous = ticks;
  }
  const std::string idle = "to input idle (painting, first messages)";
  if (!steps->ms.count(idle)) steps->order.push_back(idle);
  steps->ms[idle].push_back(Ms(sample.idle - previous));
  steps->working_set[idle].push_back(static_cast<double>(sample.working_set));
  return true;
}

bool IsCount(const char* text) {
  char* end = nullptr;
  return std::strtol(text, &end, 10) > 0 && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  // kdw3, then the yardsticks (the first the bare program), then the count
  // of runs, then files only to list.
  std::vector<std::string> programs;
  int arg = 1;
  for (; arg < argc && !IsCount(argv[arg]); ++arg) programs.push_back(argv[arg]);
  if (programs.size() < 2) {
    std::fprintf(stderr,
                 "usage: startup_bench kdw3.exe bare_window.exe [yardstick.exe...] [runs] "
                 "[file...]\n");
    return 2;
  }
  const int runs = arg < argc ? std::atoi(argv[arg++]) : 7;
  const int first_listed = arg;
  if (!PrepareProfile()) return 1;

  const std::size_t count = programs.size();
  std::vector<std::vector<double>> times(count);
  std::vector<std::vector<SIZE_T>> working_sets(count);
  // One start of each first, not counted: it brings the files into the cache.
  for (int run = -1; run < runs; ++run) {
    for (std::size_t i = 0; i < count; ++i) {
      Sample sample;
      if (!Run(programs[i], &sample)) {
        std::fprintf(stderr, "%s did not reach an idle window\n", programs[i].c_str());
        return 1;
      }
      if (run < 0) continue;
      times[i].push_back(sample.ms);
      working_sets[i].push_back(sample.working_set);
    }
  }

  // The breakdown, from starts of their own.
  char folder[MAX_PATH] = {}, steps_file[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  GetTempFileNameA(folder, "kdw", 0, steps_file);
  SetEnvironmentVariableA("KDW_STARTUP_STEPS", steps_file);
  StepTimes steps;
  for (int run = 0; run < runs; ++run) {
    DeleteFileA(steps_file);
    Sample sample;
    if (!Run(programs[0], &sample) || !ReadSteps(steps_file, sample, &steps)) {
      std::fprintf(stderr, "%s recorded no start-up steps\n", programs[0].c_str());
      break;
    }
  }
  SetEnvironmentVariableA("KDW_STARTUP_STEPS", nullptr);
  DeleteFileA(steps_file);

  std::printf("%-40s %10s %12s %14s\n", "program", "to idle", "working set", "file");
  std::vector<double> idle(count), working_set(count);
  for (std::size_t i = 0; i < count; ++i) {
    idle[i] = Median(times[i]);
    working_set[i] = static_cast<double>(Median(working_sets[i]));
    std::printf("%-40s %7.1f ms %8.1f MiB %14lld bytes\n", programs[i].c_str(), idle[i],
                MiB(working_set[i]), FileSize(programs[i]));
  }
  for (int i = first_listed; i < argc; ++i)
    std::printf("%-40s %10s %12s %14lld bytes\n", argv[i], "", "", FileSize(argv[i]));
  // Each kdw3 start against the yardstick's start right after it, too: less
  // swayed by a machine whose load drifts.
  auto paired = [&](std::size_t yardstick) {
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) ratios.push_back(times[0][run] / times[yardstick][run]);
    return Median(ratios);
  };
  std::printf("start to idle: %.2f times the bare program's (medians of %d runs; median of the "
              "paired ratios %.2f); working set: bare + %.1f MiB\n",
              idle[1] > 0 ? idle[0] / idle[1] : 0.0, runs, paired(1),
              MiB(working_set[0] - working_set[1]));
  for (std::size_t i = 2; i < count; ++i) {
    std::printf("against %s: %.2f times (paired %.2f); working set + %.1f MiB; it takes %.2f "
                "times the bare program's\n",
                programs[i].c_str(), idle[i] > 0 ? idle[0] / idle[i] : 0.0, paired(i),
                MiB(working_set[0] - working_set[i]), idle[1] > 0 ? idle[i] / idle[1] : 0.0);
  }

  if (!steps.order.empty()) {
    std::printf("\nkdw3 start-up by step (medians of %d recorded starts):\n", runs);
    std::printf("%-44s %9s %13s\n", "step", "time", "working set");
    double total = 0;
    for (const std::string& name : steps.order) {
      const double ms = Median(steps.ms[name]);
      total += ms;
      std::printf("%-44s %6.1f ms %9.1f MiB\n", name.c_str(), ms,
                  MiB(Median(steps.working_set[name])));
    }
    std::printf("%-44s %6.1f ms\n", "sum of the steps", total);
  }
  return 0;
}

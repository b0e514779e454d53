#include "app/startup_steps.h"

#include <windows.h>
// after windows.h
#include <psapi.h>

#include <cstdio>

#include "shell/startup.h"

namespace kdw::app {
namespace {

struct Step {
  const char* name;
  LONGLONG ticks;
  SIZE_T working_set;
};

// Enough for every step of start-up; marks beyond are dropped.
constexpr int kMaxSteps = 32;
Step steps[kMaxSteps];
int step_count = 0;
bool recording = false;
char file[MAX_PATH];

using GetProcessMemoryInfoFn = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
GetProcessMemoryInfoFn get_memory_info = nullptr;

void Record(const char* name) {
  if (!recording || step_count == kMaxSteps) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (get_memory_info) get_memory_info(GetCurrentProcess(), &memory, sizeof memory);
  steps[step_count++] = {name, now.QuadPart, memory.WorkingSetSize};
}

}  // namespace

void StartStartupSteps() {
  const DWORD length = GetEnvironmentVariableA("KDW_STARTUP_STEPS", file, sizeof file);
  if (length == 0 || length >= sizeof file) return;
  // Loaded here rather than imported: a program not asked to record does
  // not pay for it.
  if (HMODULE psapi = LoadLibraryA("psapi.dll")) {
    get_memory_info = reinterpret_cast<GetProcessMemoryInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(psapi, "GetProcessMemoryInfo")));
  }
  recording = true;
  Record("process and runtime start");
  shell::SetStartupStepRecorder(Record);
}

void EndStartupSteps() {
  Record("message loop reached");
  recording = false;
}

void WriteStartupSteps() {
  if (step_count == 0) return;
  FILE* out = std::fopen(file, "w");
  if (!out) return;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::fprintf(out, "frequency %lld\n", static_cast<long long>(frequency.QuadPart));
  for (int i = 0; i < step_count; ++i) {
    std::fprintf(out, "%lld %llu %s\n", static_cast<long long>(steps[i].ticks),
                 static_cast<unsigned long long>(steps[i].working_set), steps[i].name);
  }
  std::fclose(out);
}

}  // namespace kdw::app

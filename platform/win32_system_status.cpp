// Performance counters through pdh.dll, the battery through kernel32.
#include <windows.h>
// after windows.h
#include <pdh.h>
#include <pdhmsg.h>

#include <cstring>

#include "platform/win32_system_status.h"

namespace kdw {
namespace {

PDH_HQUERY QueryOf(PdhQueryHandle query) { return reinterpret_cast<PDH_HQUERY>(query); }
PDH_HCOUNTER CounterOf(PdhCounterHandle counter) {
  return reinterpret_cast<PDH_HCOUNTER>(counter);
}

}  // namespace

std::uint32_t Win32PerformanceCounters::OpenQuery(PdhQueryHandle& query) {
  PDH_HQUERY opened = nullptr;
  const PDH_STATUS status = PdhOpenQueryA(nullptr, 0, &opened);
  query = status == ERROR_SUCCESS ? reinterpret_cast<PdhQueryHandle>(opened) : 0;
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32PerformanceCounters::AddCounter(PdhQueryHandle query, const std::string& path,
                                                   PdhCounterHandle& counter) {
  PDH_HCOUNTER added = nullptr;
  const PDH_STATUS status = PdhAddCounterA(QueryOf(query), path.c_str(), 0, &added);
  counter = status == ERROR_SUCCESS ? reinterpret_cast<PdhCounterHandle>(added) : 0;
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32PerformanceCounters::CollectQueryData(PdhQueryHandle query) {
  return static_cast<std::uint32_t>(PdhCollectQueryData(QueryOf(query)));
}

CounterValue Win32PerformanceCounters::GetDoubleCounterValue(PdhCounterHandle counter) {
  PDH_FMT_COUNTERVALUE value = {};
  const PDH_STATUS status =
      PdhGetFormattedCounterValue(CounterOf(counter), PDH_FMT_DOUBLE, nullptr, &value);
  if (status != ERROR_SUCCESS) {
    // A bad handle fails before PDH writes a counter status; the zeroed one
    // would read as valid data.
    const bool has_own_error =
        value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA;
    return {0.0, has_own_error ? static_cast<std::uint32_t>(value.CStatus)
                               : static_cast<std::uint32_t>(status)};
  }
  return {value.doubleValue, static_cast<std::uint32_t>(value.CStatus)};
}

std::string Win32PerformanceCounters::LookupPerfNameByIndex(std::uint32_t index) {
  // Windows XP wants the buffer from the first call (it does not answer the
  // size question); PDH_MAX_COUNTER_NAME holds any name. The buffer starts
  // empty because some implementations report success for index 0 without
  // writing anything.
  char name[PDH_MAX_COUNTER_NAME] = {};
  DWORD size = PDH_MAX_COUNTER_NAME;
  if (PdhLookupPerfNameByIndexA(nullptr, index, name, &size) != ERROR_SUCCESS) return "";
  return std::string(name, strnlen(name, sizeof name));
}

std::optional<std::uint8_t> Win32PowerStatus::BatteryLifePercent() {
  SYSTEM_POWER_STATUS status = {};
  if (!GetSystemPowerStatus(&status)) return std::nullopt;
  return status.BatteryLifePercent;
}

}  // namespace kdw

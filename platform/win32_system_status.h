// The Win32 performance counters and power status (cross build only).
#pragma once

#include "platform/system_status.h"

namespace kdw {

// pdh.dll. Queries and counters opened here are never closed: the program
// keeps its one query until it ends.
class Win32PerformanceCounters : public PerformanceCounters {
 public:
  std::uint32_t OpenQuery(PdhQueryHandle& query) override;
  std::uint32_t AddCounter(PdhQueryHandle query, const std::string& path,
                           PdhCounterHandle& counter) override;
  std::uint32_t CollectQueryData(PdhQueryHandle query) override;
  CounterValue GetDoubleCounterValue(PdhCounterHandle counter) override;
  std::string LookupPerfNameByIndex(std::uint32_t index) override;
};

// GetSystemPowerStatus.
class Win32PowerStatus : public PowerStatus {
 public:
  std::optional<std::uint8_t> BatteryLifePercent() override;
};

}  // namespace kdw

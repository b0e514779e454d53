// The processor usage through the Performance Data Helper (pdh.dll) and the
// battery charge from the power status.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kdw {

// PDH query and counter handles. They are pointers on x86_64, so they are
// kept as numbers of pointer width: a handle cut to 32 bits points anywhere.
using PdhQueryHandle = std::uintptr_t;
using PdhCounterHandle = std::uintptr_t;

// PDH statuses with their Win32 values (pdhmsg.h).
namespace pdh {
constexpr std::uint32_t kSuccess = 0;
// The two counter statuses that carry a value.
constexpr std::uint32_t kCStatusValidData = 0x00000000;
constexpr std::uint32_t kCStatusNewData = 0x00000001;
constexpr std::uint32_t kNoData = 0x800007D5;
constexpr std::uint32_t kCStatusNoCounter = 0xC0000BB9;
constexpr std::uint32_t kCStatusInvalidData = 0xC0000BBA;
constexpr std::uint32_t kInvalidHandle = 0xC0000BBC;
constexpr std::uint32_t kInvalidArgument = 0xC0000BBD;

// Index numbers in the Perflib name tables: the same on every Windows,
// whatever language its counter names are in.
constexpr std::uint32_t kProcessorObjectIndex = 238;  // "Processor"
constexpr std::uint32_t kProcessorTimeIndex = 6;      // "% Processor Time"
}  // namespace pdh

// A counter's value with its counter status (CStatus).
struct CounterValue {
  double value = 0.0;
  std::uint32_t status = pdh::kCStatusInvalidData;
};

class PerformanceCounters {
 public:
  virtual ~PerformanceCounters() = default;
  // PdhOpenQueryA on live data. The status; `query` is 0 when it failed.
  virtual std::uint32_t OpenQuery(PdhQueryHandle& query) = 0;
  // PdhAddCounterA. The status; `counter` is 0 when it failed.
  virtual std::uint32_t AddCounter(PdhQueryHandle query, const std::string& path,
                                   PdhCounterHandle& counter) = 0;
  // PdhCollectQueryData.
  virtual std::uint32_t CollectQueryData(PdhQueryHandle query) = 0;
  // PdhGetFormattedCounterValue as a double. When the call itself fails
  // without a counter status of its own, its result stands in the status, so
  // a failed read never looks valid.
  virtual CounterValue GetDoubleCounterValue(PdhCounterHandle counter) = 0;
  // PdhLookupPerfNameByIndexA on the local machine: the object or counter
  // name in the system's language; empty when Windows has none to give.
  virtual std::string LookupPerfNameByIndex(std::uint32_t index) = 0;
};

class PowerStatus {
 public:
  virtual ~PowerStatus() = default;
  // GetSystemPowerStatus's BatteryLifePercent: 0 to 100, or 255 when the
  // charge is unknown (no battery); nothing when the call fails.
  virtual std::optional<std::uint8_t> BatteryLifePercent() = 0;
};

}  // namespace kdw

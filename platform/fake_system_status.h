// Scriptable stand-ins for the performance counters and the power status:
// a test says what the look-ups, the query and each reading answer, and
// reads back which counters were added and how often data was collected.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_status.h"

namespace kdw {

// Handles are numbers from the top of the pointer range, so that a handle
// cut to 32 bits on x86_64 no longer matches any of them.
class FakePerformanceCounters : public PerformanceCounters {
 public:
  std::uint32_t OpenQuery(PdhQueryHandle& query) override;
  std::uint32_t AddCounter(PdhQueryHandle query, const std::string& path,
                           PdhCounterHandle& counter) override;
  std::uint32_t CollectQueryData(PdhQueryHandle query) override;
  CounterValue GetDoubleCounterValue(PdhCounterHandle counter) override;
  std::string LookupPerfNameByIndex(std::uint32_t index) override;

  // Set-up. Opening a query gives `status` (pdh::kSuccess by default).
  void SetOpenStatus(std::uint32_t status) { open_status_ = status; }
  // The name an index looks up to; an index without one looks up to nothing.
  void SetName(std::uint32_t index, const std::string& name) { names_[index] = name; }
  // The next reading of an added counter. With nothing queued a counter
  // reads as invalid data, as a rate does before its second collection.
  void QueueValue(double value, std::uint32_t status) { values_.push_back({value, status}); }

  // Reading back: the path of every counter added to an open query.
  const std::vector<std::string>& added_paths() const { return added_paths_; }
  std::size_t collections() const { return collections_; }

 private:
  bool IsCounter(PdhCounterHandle counter) const;

  std::uint32_t open_status_ = pdh::kSuccess;
  std::map<std::uint32_t, std::string> names_;
  std::deque<CounterValue> values_;
  std::vector<PdhQueryHandle> queries_;
  std::vector<std::string> added_paths_;
  std::size_t collections_ = 0;
};

class FakePowerStatus : public PowerStatus {
 public:
  std::optional<std::uint8_t> BatteryLifePercent() override {
    ++calls_;
    return percent_;
  }
  // What every following call answers; nothing: the call fails.
  void SetBatteryLifePercent(std::optional<std::uint8_t> percent) { percent_ = percent; }
  std::size_t calls() const { return calls_; }

 private:
  std::optional<std::uint8_t> percent_ = 255;  // a desktop: no battery
  std::size_t calls_ = 0;
};

}  // namespace kdw

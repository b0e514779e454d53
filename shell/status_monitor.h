// The main window's two live readings: processor usage (Label4, refreshed by
// Timer1) and battery charge (Label5 and the picture Image2, refreshed by
// Timer2). The monitor holds what those controls should show; the main
// window copies it into them after each call.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "platform/system_status.h"

namespace kdw::shell {

// Label4's text while no reading is valid, and Label5's until the first tick.
inline constexpr char kCpuUsageUnknown[] = "CPU Usage: ????????";
inline constexpr char kBatteryNotRead[] = "Error........";

// The whole machine's processor time (all processors, not the first one),
// named in the system's language where Windows gives the names by their
// index numbers, in English where it does not.
std::string ProcessorCounterPath(PerformanceCounters& counters);

class StatusMonitor {
 public:
  static constexpr std::size_t kCounterTableSize = 100;

  StatusMonitor(PerformanceCounters& counters, PowerStatus& power)
      : counters_(counters), power_(power) {}
  StatusMonitor(const StatusMonitor&) = delete;
  StatusMonitor& operator=(const StatusMonitor&) = delete;

  // Opens the query, adds the processor counter and reads it once. The first
  // tick does it, so that none of it runs before the main window is idle.
  void Load();
  // Adds a counter to the query and to the table. False, with nothing
  // added, when the table's 100 entries are all in use.
  [[nodiscard]] bool AddCounter(const std::string& path, PdhQueryHandle query);
  // Collects the query and shows the first counter's value when it is valid.
  void UpdateProcessorUsage();
  void Timer1_Timer() {
    if (started_) {
      UpdateProcessorUsage();
    } else {
      Load();
    }
  }
  // Reads the battery charge into Label5's text and Image2's picture.
  void Timer2_Timer();

  const std::string& processor_text() const { return processor_text_; }  // Label4
  const std::string& battery_text() const { return battery_text_; }      // Label5
  // The ImageN of frmAdd (15 to 20) that Image2 shows; 0 until a reading
  // chose one.
  int battery_picture() const { return battery_picture_; }
  std::size_t counter_count() const { return count_; }

 private:
  struct CounterEntry {
    PdhCounterHandle counter = 0;
    std::string path;
  };

  PerformanceCounters& counters_;
  PowerStatus& power_;
  PdhQueryHandle query_ = 0;
  std::array<CounterEntry, kCounterTableSize> table_;
  std::size_t count_ = 0;
  bool started_ = false;
  std::string processor_text_ = kCpuUsageUnknown;
  std::string battery_text_ = kBatteryNotRead;
  int battery_picture_ = 0;
};

}  // namespace kdw::shell

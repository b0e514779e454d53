#include "shell/status_monitor.h"

#include <cmath>
#include <cstdio>

namespace kdw::shell {
namespace {

constexpr char kEnglishProcessorPath[] = "\\Processor(_Total)\\% Processor Time";

// The value rounded to a whole number, halves away from zero, without
// decimals or grouping.
std::string WholeNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", std::round(value) + 0.0);  // + 0.0: no "-0"
  return text;
}

// The charge bands, the boundaries belonging to the lower band; 0 for a
// percent that has no picture (101 to 254), which leaves the picture as it is.
int BatteryPicture(int percent) {
  if (percent <= 20) return 20;
  if (percent <= 40) return 19;
  if (percent <= 60) return 18;
  if (percent <= 80) return 15;
  if (percent <= 100) return 17;
  if (percent == 255) return 16;
  return 0;
}

}  // namespace

std::string ProcessorCounterPath(PerformanceCounters& counters) {
  const std::string object = counters.LookupPerfNameByIndex(pdh::kProcessorObjectIndex);
  const std::string counter = counters.LookupPerfNameByIndex(pdh::kProcessorTimeIndex);
  if (object.empty() || counter.empty()) return kEnglishProcessorPath;
  // Instance names are not translated: "_Total" is the same everywhere.
  return "\\" + object + "(_Total)\\" + counter;
}

void StatusMonitor::Load() {
  started_ = true;
  if (counters_.OpenQuery(query_) != pdh::kSuccess) processor_text_ = kCpuUsageUnknown;
  // The table is empty at load, so there is room; a counter PDH refused
  // keeps handle 0, whose readings are never valid.
  (void)AddCounter(ProcessorCounterPath(counters_), query_);
  UpdateProcessorUsage();
}

bool StatusMonitor::AddCounter(const std::string& path, PdhQueryHandle query) {
  // Refused before PDH sees it, so the query never holds a counter the
  // table cannot name.
  if (count_ >= table_.size()) return false;
  PdhCounterHandle counter = 0;
  counters_.AddCounter(query, path, counter);
  table_[count_++] = {counter, path};
  return true;
}

void StatusMonitor::UpdateProcessorUsage() {
  counters_.CollectQueryData(query_);
  const CounterValue reading = counters_.GetDoubleCounterValue(table_[0].counter);
  const bool valid =
      reading.status == pdh::kCStatusValidData || reading.status == pdh::kCStatusNewData;
  if (!valid || !std::isfinite(reading.value)) return;
  processor_text_ = "CPU Usage: " + WholeNumber(reading.value) + " %";
}

void StatusMonitor::Timer2_Timer() {
  const std::optional<std::uint8_t> percent = power_.BatteryLifePercent();
  // A failed call says nothing about the battery: what is shown stays.
  if (!percent) return;
  battery_text_ = "Battery Life: " + std::to_string(*percent) + "%";
  if (const int picture = BatteryPicture(*percent)) battery_picture_ = picture;
  if (*percent == 255) battery_text_ = "Battery was removed.";
}

}  // namespace kdw::shell

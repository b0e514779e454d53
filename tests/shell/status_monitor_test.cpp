// The status panel's texts and battery pictures over the fake counters and
// power status.
#include "shell/status_monitor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/fake_system_status.h"

namespace kdw::shell {
namespace {

class StatusMonitorTest : public ::testing::Test {
 protected:
  FakePerformanceCounters counters;
  FakePowerStatus power;
  StatusMonitor monitor{counters, power};
};

TEST_F(StatusMonitorTest, ProcessorTextShowsOnlyValidReadingsAsWholeNumbers) {
  monitor.Load();
  // A rate has no value at its first collection: the load text stays.
  EXPECT_EQ("CPU Usage: ????????", monitor.processor_text());
  ASSERT_EQ(1u, counters.added_paths().size());
  EXPECT_EQ("\\Processor(_Total)\\% Processor Time", counters.added_paths()[0]);

  counters.QueueValue(12.5, pdh::kCStatusValidData);
  monitor.Timer1_Timer();
  EXPECT_EQ("CPU Usage: 13 %", monitor.processor_text());
  counters.QueueValue(100.0, pdh::kCStatusNewData);
  monitor.Timer1_Timer();
  EXPECT_EQ("CPU Usage: 100 %", monitor.processor_text());
  counters.QueueValue(0.2, pdh::kCStatusValidData);
  monitor.Timer1_Timer();
  EXPECT_EQ("CPU Usage: 0 %", monitor.processor_text());

  // Any other status, or a value that is no number, leaves the text.
  counters.QueueValue(55.0, pdh::kCStatusInvalidData);
  monitor.Timer1_Timer();
  counters.QueueValue(std::numeric_limits<double>::quiet_NaN(), pdh::kCStatusValidData);
  monitor.Timer1_Timer();
  monitor.Timer1_Timer();  // nothing queued: invalid data
  EXPECT_EQ("CPU Usage: 0 %", monitor.processor_text());
  EXPECT_EQ(7u, counters.collections());  // one at load, one per tick
}

TEST_F(StatusMonitorTest, AQueryThatCannotBeOpenedKeepsTheUnknownText) {
  counters.SetOpenStatus(pdh::kInvalidArgument);
  monitor.Load();
  EXPECT_EQ("CPU Usage: ????????", monitor.processor_text());
  // The counter went to no query, so nothing it reads is valid.
  counters.QueueValue(40.0, pdh::kCStatusValidData);
  monitor.Timer1_Timer();
  EXPECT_EQ("CPU Usage: ????????", monitor.processor_text());
  EXPECT_TRUE(counters.added_paths().empty());
  EXPECT_EQ(1u, monitor.counter_count());
}

TEST_F(StatusMonitorTest, CounterPathUsesTheSystemsNamesWhenWindowsGivesBoth) {
  counters.SetName(pdh::kProcessorObjectIndex, "Prozessor");
  EXPECT_EQ("\\Processor(_Total)\\% Processor Time", ProcessorCounterPath(counters));
  counters.SetName(pdh::kProcessorTimeIndex, "Prozessorzeit (%)");
  EXPECT_EQ("\\Prozessor(_Total)\\Prozessorzeit (%)", ProcessorCounterPath(counters));
}

TEST_F(StatusMonitorTest, CounterTableHoldsAHundredAndRefusesMore) {
  PdhQueryHandle query = 0;
  ASSERT_EQ(pdh::kSuccess, counters.OpenQuery(query));
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(monitor.AddCounter("\\Memory\\Counter " + std::to_string(i), query)) << i;
  }
  EXPECT_FALSE(monitor.AddCounter("\\Memory\\One too many", query));
  EXPECT_EQ(100u, monitor.counter_count());
  // The refused counter never reached the query.
  EXPECT_EQ(100u, counters.added_paths().size());
  EXPECT_EQ("\\Memory\\Counter 99", counters.added_paths().back());

  // Entry 0 is the one the update reads.
  counters.QueueValue(33.3, pdh::kCStatusValidData);
  monitor.Timer1_Timer();
  EXPECT_EQ("CPU Usage: 33 %", monitor.processor_text());
}

TEST_F(StatusMonitorTest, BatteryTextAndPictureFollowTheCharge) {
  // Nothing is read before the first tick.
  EXPECT_EQ("Error........", monitor.battery_text());
  EXPECT_EQ(0, monitor.battery_picture());
  EXPECT_EQ(0u, power.calls());

  const struct {
    int percent;
    const char* text;
    int picture;
  } cases[] = {
      {0, "Battery Life: 0%", 20},     {20, "Battery Life: 20%", 20},
      {21, "Battery Life: 21%", 19},   {40, "Battery Life: 40%", 19},
      {41, "Battery Life: 41%", 18},   {60, "Battery Life: 60%", 18},
      {61, "Battery Life: 61%", 15},   {80, "Battery Life: 80%", 15},
      {81, "Battery Life: 81%", 17},   {100, "Battery Life: 100%", 17},
      {255, "Battery was removed.", 16}, {255, "Battery was removed.", 16},
      {12, "Battery Life: 12%", 20},
      // Out of range: the text says it, the picture stays.
      {150, "Battery Life: 150%", 20},
  };
  for (const auto& c : cases) {
    power.SetBatteryLifePercent(static_cast<std::uint8_t>(c.percent));
    monitor.Timer2_Timer();
    EXPECT_EQ(c.text, monitor.battery_text()) << c.percent;
    EXPECT_EQ(c.picture, monitor.battery_picture()) << c.percent;
  }

  // A failed call changes nothing.
  power.SetBatteryLifePercent(std::nullopt);
  monitor.Timer2_Timer();
  EXPECT_EQ("Battery Life: 150%", monitor.battery_text());
  EXPECT_EQ(20, monitor.battery_picture());
}

}  // namespace
}  // namespace kdw::shell

#include "system/os/LocalTime.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

sys::LocalDateTime LeapDayEvening() { return {2024, 2, 29, 23, 59, 58, 4}; }

TEST(LocalTime, SystemClockGivesTodaysCalendarDate) {
  std::time_t now = std::time(nullptr);
  std::tm expected{};
  localtime_r(&now, &expected);
  sys::LocalDateTime local = sys::LocalNow();
  EXPECT_EQ(local.year, expected.tm_year + 1900);
  EXPECT_EQ(local.month, expected.tm_mon + 1) << "months count from 1";
  EXPECT_EQ(local.day, expected.tm_mday);
  EXPECT_EQ(local.weekday, expected.tm_wday);
}

TEST(LocalTime, ReplacedSourceIsReadUntilRemoved) {
  sys::SetLocalTimeSource(LeapDayEvening);
  sys::LocalDateTime fixed = sys::LocalNow();
  EXPECT_EQ(fixed.year, 2024);
  EXPECT_EQ(fixed.day, 29);
  EXPECT_EQ(fixed.second, 58);
  sys::SetLocalTimeSource(nullptr);
  EXPECT_NE(sys::LocalNow().year, 2024);
}

}  // namespace

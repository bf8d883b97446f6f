// Minute stamps and their texts agree with the plug-in's own calendar conversion.
#include "minute_clock.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/ole_date_time.h"
#include "host_form.h"

namespace {

std::string EngineText(double days) {
  return FormatDateTime(COleDateTime{days, DateTimeStatus::Valid}, "%Y-%m-%d %H%M");
}

TEST(MinuteClock, EveryMinuteOfTwoDaysAndSecondsWithin) {
  for (int minute = 0; minute < 2 * 1440; ++minute) {
    for (int second : {0, 1, 59}) {
      const double days = *HostDays({2024, 2, 28 + minute / 1440, minute / 60 % 24, minute % 60, second});
      EXPECT_EQ(MinuteText(MinuteOf(days)), EngineText(days)) << minute << ":" << second;
      EXPECT_EQ(MinuteOf(days), MinuteOf(*HostDays({2024, 2, 28 + minute / 1440, minute / 60 % 24, minute % 60, 0})));
    }
  }
}

TEST(MinuteClock, FarDatesAndHours) {
  for (const CalendarTime& t : {CalendarTime{1899, 12, 30, 0, 0, 0}, CalendarTime{1899, 12, 29, 6, 0, 30},
                                CalendarTime{1850, 6, 15, 23, 59, 59}, CalendarTime{2000, 2, 29, 12, 34, 0},
                                CalendarTime{2100, 3, 1, 0, 1, 0}, CalendarTime{9999, 12, 31, 23, 59, 0}}) {
    const double days = *HostDays(t);
    EXPECT_EQ(MinuteText(MinuteOf(days)), EngineText(days)) << t.year;
    char hour[16];
    std::snprintf(hour, sizeof hour, "%04d-%02d-%02dT%02d", t.year, t.month, t.day, t.hour);
    EXPECT_EQ(HourText(HourOf(MinuteOf(days))), hour) << t.year;
  }
}

}  // namespace

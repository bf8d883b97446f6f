// The calendar: a log's times the plug-in reads back to the second, and minute stamps and their
// texts that agree with the plug-in's own date-time texts.
#include "calendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "ole_date_time.h"

namespace {

void ExpectReadBackAs(const CalendarTime& t) {
  const std::optional<double> days = HostDays(t);
  ASSERT_TRUE(days);
  const std::optional<CalendarTime> back = ToCalendarTime(*days);
  ASSERT_TRUE(back);
  EXPECT_EQ(std::tie(back->year, back->month, back->day, back->hour, back->minute, back->second),
            std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second));
}

TEST(HostDays, EverySecondOfADayReadsBackExactly) {
  for (int s = 0; s < 86400; ++s) ExpectReadBackAs({2025, 3, 15, s / 3600, s / 60 % 60, s % 60});
}

TEST(HostDays, DatesAcrossCenturiesAndLeapDays) {
  EXPECT_EQ(HostDays({1899, 12, 30, 0, 0, 0}), 0.0);
  EXPECT_EQ(HostDays({1900, 1, 1, 0, 0, 0}), 2.0);
  EXPECT_EQ(HostDays({2026, 2, 1, 0, 0, 0}), 46054.0);
  EXPECT_EQ(HostDays({2026, 2, 1, 18, 0, 0}), 46054.75);
  EXPECT_EQ(HostDays({1899, 12, 29, 6, 0, 0}), -1.25);
  for (CalendarTime t :
       {CalendarTime{2000, 2, 29, 23, 59, 59}, CalendarTime{2024, 2, 29, 0, 0, 1}, CalendarTime{1999, 12, 31, 23, 59, 59},
        CalendarTime{2100, 3, 1, 12, 34, 56}, CalendarTime{1850, 6, 15, 6, 7, 8}}) {
    ExpectReadBackAs(t);
  }
}

TEST(HostDays, ImpossibleDatesAndTimesHaveNone) {
  for (CalendarTime t :
       {CalendarTime{2025, 2, 29, 0, 0, 0}, CalendarTime{1900, 2, 29, 0, 0, 0}, CalendarTime{2025, 13, 1, 0, 0, 0},
        CalendarTime{2025, 0, 1, 0, 0, 0}, CalendarTime{2025, 4, 31, 0, 0, 0}, CalendarTime{2025, 1, 0, 0, 0, 0},
        CalendarTime{2025, 1, 1, 24, 0, 0}, CalendarTime{2025, 1, 1, 12, 60, 0}, CalendarTime{2025, 1, 1, 12, 0, 60}}) {
    EXPECT_FALSE(HostDays(t)) << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
                              << t.second;
  }
}


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
    // Days before day zero count down: the day of 1899-12-29 06:00 is -1, not 0.
    EXPECT_EQ(DayText(DayOf(MinuteOf(days))), std::string(hour).substr(0, 10)) << t.year;
    EXPECT_EQ(DayOf(MinuteOf(days)), DayNumber(t.year, t.month, t.day)) << t.year;
  }
}

}  // namespace

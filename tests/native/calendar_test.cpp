// The calendar: a log's times the plug-in reads back to the second, and minute stamps and their
// texts that agree with the plug-in's own date-time texts.
#include "calendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "date_text.h"
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

// Every way a date and a time may be written, read by one rule: the written minute comes back as
// the minute's own text, and what is no moment is none.
TEST(DateText, MomentsAsTheyAreWritten) {
  for (const char* text : {"2025-03-15 1805", "2025-03-15T1805", "2025-03-15 18:05", "2025-03-15T18:05"}) {
    const std::optional<Moment> m = ReadMoment(text);
    ASSERT_TRUE(m) << text;
    EXPECT_EQ(MinuteText(m->minute), "2025-03-15 1805") << text;
    EXPECT_FALSE(m->wholeDay) << text;
  }
  const std::optional<Moment> day = ReadMoment("2024-02-29");
  ASSERT_TRUE(day);
  EXPECT_EQ(MinuteText(day->minute), "2024-02-29 0000");
  EXPECT_TRUE(day->wholeDay);
  for (const char* text : {"", "2025-03-15 18", "2025-03-15 180", "2025-03-15 18050", "2025-03-15x1805",
                           "2025-02-30", "2025-03-15 2400", "2025-03-15 1860", "2025-3-15 1805", "2025-03-15 18.05",
                           "1899-12-31", "2101-01-01 0000", "+025-03-15", "2025-03-15 1805 "}) {
    EXPECT_FALSE(ReadMoment(text)) << text;
  }
  EXPECT_EQ(std::get<DateFault>(ReadDateTime("2025-02-29", "1200")), DateFault::Shape);
  EXPECT_EQ(std::get<DateFault>(ReadDateTime("2025-03-15", "12:00")), DateFault::Shape);
  EXPECT_EQ(std::get<DateFault>(ReadDateTime("1825-03-15", "1200")), DateFault::Year);
  EXPECT_EQ(std::get<double>(ReadDateTime("2026-02-01", "1800")), 46054.75);
}

TEST(DateText, APeriodEndsAtItsEndOrAfterTheContestsLength) {
  const Moment start = *ReadMoment("2025-03-15 1200");
  const std::optional<ContestPeriod> contest = PeriodOf(start, std::nullopt);
  ASSERT_TRUE(contest);
  EXPECT_EQ(MinuteText(contest->end), "2025-03-16 1200");
  EXPECT_TRUE(contest->Holds(start.minute));
  EXPECT_FALSE(contest->Holds(contest->end));
  EXPECT_TRUE(contest->Holds(contest->end - 1));
  EXPECT_FALSE(contest->Holds(start.minute - 1));
  // A day alone as the end is the whole day; as the start, its first minute.
  const std::optional<ContestPeriod> days = PeriodOf(*ReadMoment("2025-03-15"), *ReadMoment("2025-03-16"));
  ASSERT_TRUE(days);
  EXPECT_EQ(MinuteText(days->start), "2025-03-15 0000");
  EXPECT_EQ(MinuteText(days->end), "2025-03-17 0000");
  EXPECT_EQ(MinuteText(PeriodOf(start, *ReadMoment("2025-03-15 1800"))->end), "2025-03-15 1800");
  EXPECT_FALSE(PeriodOf(start, start));
  EXPECT_FALSE(PeriodOf(start, *ReadMoment("2025-03-14")));
  EXPECT_TRUE(PeriodOf(start, *ReadMoment("2025-03-15")));  // to the end of that day
}

}  // namespace

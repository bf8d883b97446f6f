// The host's calendar: day counts since 1899-12-30 00:00 (the fraction is the time of day),
// proleptic Gregorian dates, and the whole minutes and hours the tools count in.
#pragma once

#include <optional>
#include <string>

// The years a contest log's dates may lie in. The host's platform converts dates from the year 100
// on, but a date outside these years is a typo, and in the plug-in's files it would read wrongly.
inline constexpr int kFirstLogYear = 1900, kLastLogYear = 2100;

struct CalendarTime {
  int year, month, day, hour, minute, second;
};

struct CivilDate {
  int year, month, day;
};

// Days from 1899-12-30 to the date; negative before it.
long long DayNumber(int year, int month, int day);
CivilDate DateOfDay(long long dayNumber);

// The host's day count of a calendar time; nothing for an impossible date or time (month 13,
// 30 February, 24:00, second 60).
std::optional<double> HostDays(const CalendarTime& t);

// The calendar time in whole seconds as the host's platform converts it, or nothing when the day
// count lies outside the convertible range (0100-01-01 to 9999-12-31; the last half second
// rounds into 10000-01-01, as the platform's own conversion does).
std::optional<CalendarTime> ToCalendarTime(double days);

// Whole minutes since day zero, by the same rule as ToCalendarTime, so that a minute here is the
// minute the plug-in prints for the same day count: 12:03:59 is 12:03. The day count must be
// finite.
long long MinuteOf(double days);
long long HourOf(long long minute);        // whole hours since day zero
long long DayOf(long long minute);         // whole days since day zero: the day number of the date
std::string MinuteText(long long minute);  // "2025-03-15 1203"
std::string HourText(long long hour);      // "2025-03-15T12"
std::string DayText(long long day);        // "2025-03-15"

// One conversion each way. The host's platform turns a day count into a time of day by nudging
// the fraction up a little and cutting hours, minutes and seconds off it in turn, then rounding
// the milliseconds into the seconds; every minute and text here goes the same way.
#include "calendar.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

// The platform converts day counts from 0100-01-01 (-657434) up to 9999-12-31 (2958465),
// fractions included.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

struct DayAndSecond {
  long long day;  // may be one past the day count's own, when the seconds carried over
  int second;     // of that day, 0 to 86399
};

// The date is the day count truncated towards zero: for a negative count the fraction still
// counts forward from that day's midnight (-1.25 is 1899-12-29 06:00).
DayAndSecond HostSecond(double days) {
  const double whole = std::trunc(days);
  double fraction = std::fabs(days - whole);
  // The nudge keeps truncation from losing a second that binary fractions cannot hold exactly.
  fraction += 0.00000000001;
  if (fraction >= 1.0) fraction -= 0.00000000001;

  double rest = fraction * 24.0;
  const int hour = static_cast<int>(rest);
  rest = (rest - hour) * 60.0;
  const int minute = static_cast<int>(rest);
  rest = (rest - minute) * 60.0;
  const int second = static_cast<int>(rest);
  rest -= second;

  DayAndSecond at{static_cast<long long>(whole), hour * 3600 + minute * 60 + second};
  // Milliseconds are rounded into the seconds, which may carry over to the next day.
  if (rest > 0.5 && ++at.second == 86400) {
    at.second = 0;
    ++at.day;
  }
  return at;
}

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// Days from 0000-03-01 to 1899-12-30: the shift to a calendar whose leap day ends the year.
constexpr long long kDayZeroFromMarchZero = 693899;

}  // namespace

long long DayNumber(int year, int month, int day) {
  const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153LL * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - kDayZeroFromMarchZero;
}

CivilDate DateOfDay(long long dayNumber) {
  const long long z = dayNumber + kDayZeroFromMarchZero;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

std::optional<double> HostDays(const CalendarTime& t) {
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return std::nullopt;
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return std::nullopt;
  }
  const long long day = DayNumber(t.year, t.month, t.day);
  // One division of whole seconds: the nearest double to the second, which the host's own
  // conversion reads back as that same second. Before 1899-12-30 the day count runs backwards
  // while the time of day still runs forwards: -1.25 is 1899-12-29 06:00.
  const double time = (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
  return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

std::optional<CalendarTime> ToCalendarTime(double days) {
  if (!(days > kFirstDay - 1.0 && days < kLastDay + 1.0)) return std::nullopt;
  const DayAndSecond at = HostSecond(days);
  const CivilDate date = DateOfDay(at.day);
  return CalendarTime{date.year, date.month, date.day, at.second / 3600, at.second / 60 % 60, at.second % 60};
}

long long MinuteOf(double days) {
  const DayAndSecond at = HostSecond(days);
  return at.day * 1440 + at.second / 60;
}

long long HourOf(long long minute) { return FloorDiv(minute, 60); }

long long DayOf(long long minute) { return FloorDiv(minute, 1440); }

std::string MinuteText(long long minute) {
  const long long day = FloorDiv(minute, 1440);
  const int inDay = static_cast<int>(minute - day * 1440);
  const CivilDate d = DateOfDay(day);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%02d", d.year, d.month, d.day, inDay / 60, inDay % 60);
  return text;
}

std::string HourText(long long hour) {
  const long long day = FloorDiv(hour, 24);
  const CivilDate d = DateOfDay(day);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d", d.year, d.month, d.day, static_cast<int>(hour - day * 24));
  return text;
}

std::string DayText(long long day) {
  const CivilDate d = DateOfDay(day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

// Times come as the host's day counts; the nearest whole second is what the host shows too.
#include "minute_clock.h"

#include <cmath>
#include <cstdio>

namespace {

struct Date {
  int year, month, day;
};

// From days since 1970-01-01 to the proleptic Gregorian date.
Date DateOf(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long doe = days - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

constexpr long long kDayZeroFrom1970 = -25569;  // 1899-12-30

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

long long MinuteOf(double days) {
  // Before day zero the day count runs backwards while the time of day still runs forwards:
  // -1.25 is 1899-12-29 06:00.
  double whole = std::trunc(days);
  long long seconds = std::llround(std::fabs(days - whole) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += 1;
  }
  return static_cast<long long>(whole) * 1440 + seconds / 60;
}

long long HourOf(long long minute) { return FloorDiv(minute, 60); }

std::string MinuteText(long long minute) {
  const long long day = FloorDiv(minute, 1440);
  const int inDay = static_cast<int>(minute - day * 1440);
  const Date d = DateOf(day + kDayZeroFrom1970);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%02d", d.year, d.month, d.day, inDay / 60, inDay % 60);
  return text;
}

std::string HourText(long long hour) {
  const long long day = FloorDiv(hour, 24);
  const Date d = DateOf(day + kDayZeroFrom1970);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d", d.year, d.month, d.day, static_cast<int>(hour - day * 24));
  return text;
}

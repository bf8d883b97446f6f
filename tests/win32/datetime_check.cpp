// Our day-count conversion against the platform's own, on the values where the two are most likely
// to part: before day 0, a hair before midnight, on half seconds, at the ends of the range. The
// host shows its date-times through the platform, so a QSO line must name the same second.
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "calendar.h"
#include "ole_date_time.h"

namespace {

std::string Show(const CalendarTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::string Show(const std::optional<CalendarTime>& t) { return t ? Show(*t) : std::string("refused"); }

std::optional<CalendarTime> Platform(double days) {
  SYSTEMTIME st{};
  if (!VariantTimeToSystemTime(days, &st)) return std::nullopt;
  return CalendarTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

bool Same(const std::optional<CalendarTime>& a, const std::optional<CalendarTime>& b) {
  if (!a || !b) return !a && !b;
  return a->year == b->year && a->month == b->month && a->day == b->day && a->hour == b->hour &&
         a->minute == b->minute && a->second == b->second;
}

std::string Formatted(double days) {
  return FormatDateTime(COleDateTime{days, DateTimeStatus::Valid}, "%Y-%m-%d %H:%M:%S");
}

bool IsMidnight(const CalendarTime& t) { return t.hour == 0 && t.minute == 0 && t.second == 0; }

int g_platformSlips = 0;

// The platform's answer, except where it carries a rounded-up last second into the next day and
// lands somewhere other than its own answer for that next midnight: then the midnight answer is
// the reference, and the slip is listed without counting against us. Wine 8, for one, carries
// 30 November 23:59:59.5 into 1 January of the following year.
std::optional<CalendarTime> Reference(double days) {
  std::optional<CalendarTime> carried = Platform(days);
  double whole = std::trunc(days);
  if (!carried || !IsMidnight(*carried) || !(std::fabs(days - whole) > 0.5)) return carried;
  std::optional<CalendarTime> midnight = Platform(whole + 1);
  if (!midnight || Same(carried, midnight)) return carried;
  ++g_platformSlips;
  std::printf("platform slip %.17g: carries into %s, its next midnight is %s\n", days, Show(carried).c_str(),
              Show(midnight).c_str());
  return midnight;
}

void Compare(double days) {
  std::optional<CalendarTime> reference = Reference(days);
  std::optional<CalendarTime> ours = ToCalendarTime(days);
  bool ok = Same(reference, ours);
  // Where the platform refuses, the text must say so rather than show some date.
  std::string text = Formatted(days);
  if (!reference && text != kInvalidDateTimeText) ok = false;
  if (ok) return Check(true, "");
  char detail[160];
  std::snprintf(detail, sizeof detail, "%.17g: platform %s, ours %s, text \"%s\"", days, Show(reference).c_str(),
                Show(ours).c_str(), text.c_str());
  Check(false, "ours and the platform's conversion agree", detail);
}

// A few values whose answer is known without either implementation.
void Expect(double days, std::optional<CalendarTime> expected) {
  std::optional<CalendarTime> ours = ToCalendarTime(days);
  std::optional<CalendarTime> platform = Platform(days);
  char detail[160];
  std::snprintf(detail, sizeof detail, "%.17g: expected %s, ours %s, platform %s", days, Show(expected).c_str(),
                Show(ours).c_str(), Show(platform).c_str());
  Check(Same(ours, expected) && Same(platform, expected), "a known calendar time", detail);
}

void ExpectText(double days, const char* text) {
  char what[64];
  std::snprintf(what, sizeof what, "the text of %.17g", days);
  CheckText(what, Formatted(days), text);
}

// The day count of a calendar date, from the platform.
double DayOf(int year, int month, int day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  double days = 0;
  Check(SystemTimeToVariantTime(&st, &days) != 0, "the platform has a day count for " + std::to_string(year) + "-" +
                                                     std::to_string(month) + "-" + std::to_string(day));
  return days;
}

// A time of day on day `day`: for days before day 0 the fraction is written with the day's sign,
// since the count is truncated towards zero and the fraction then counts forward from midnight.
double OnDay(double day, double fraction) { return day < 0 ? day - fraction : day + fraction; }

std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

int main() {
  Expect(0.0, CalendarTime{1899, 12, 30, 0, 0, 0});
  Expect(-1.25, CalendarTime{1899, 12, 29, 6, 0, 0});
  Expect(-0.5, CalendarTime{1899, 12, 30, 12, 0, 0});
  Expect(46054.0 + 18.0 / 24 + 5.0 / 1440, CalendarTime{2026, 2, 1, 18, 5, 0});
  Expect(-657434.0, CalendarTime{100, 1, 1, 0, 0, 0});
  Expect(2958465.0, CalendarTime{9999, 12, 31, 0, 0, 0});
  Expect(2958466.0, std::nullopt);
  Expect(-657435.0, std::nullopt);
  ExpectText(-1.25, "1899-12-29 06:00:00");
  ExpectText(46054.0 + (23 * 3600 + 59 * 60 + 59.7) / 86400, "2026-02-02 00:00:00");
  ExpectText(2958466.0, "Invalid DateTime");
  // Not a number is no date, whatever the platform makes of it.
  ExpectText(std::numeric_limits<double>::quiet_NaN(), "Invalid DateTime");

  std::vector<double> values;

  // A spread over the whole range and a little past both ends.
  std::uint64_t state = 20260201;
  for (int i = 0; i < 240; ++i) {
    double unit = static_cast<double>(SplitMix(state) >> 11) / 9007199254740992.0;
    values.push_back(-657436.0 + unit * (2958467.0 - -657436.0));
  }

  for (double v : {-0.25, -0.5, -0.75, -1.0, -1.25, -1.5, -1.999, -2.75, -365.5, -36522.125, -100000.3, -657000.9})
    values.push_back(v);

  // Just before and after midnight: 0.99999 of a day is 23:59:59.136, 0.999995 rounds into the next
  // day, 1e-9 of a day is 86 microseconds.
  const double nearMidnight[] = {0.99999, 0.999994, 0.999995, 0.999996, 1 - 1e-9, 1e-9, 0.000005, 0.000006};
  for (double day : {0.0, 1.0, 2.0, 59.0, 60.0, 61.0, 36525.0, 46053.0, 46054.0, 2958464.0, -1.0, -2.0, -59.0,
                     -36526.0, -657433.0}) {
    for (double f : nearMidnight) {
      values.push_back(day + f);
      values.push_back(day - f);
    }
  }

  // The last second of the last four days of every month, rounded into the next day: into the
  // 29th, 30th, 31st and the next month's 1st, leap and century years included.
  for (int year : {100, 1600, 1899, 1900, 2000, 2024, 2026, 9999}) {
    for (int month = 1; month <= 12; ++month) {
      double first = DayOf(year, month, 1);
      for (int back = 1; back <= 4; ++back) {
        for (double f : {0.99999, 0.999995, 1 - 1e-9}) values.push_back(OnDay(first - back, f));
      }
    }
  }

  // The ends of the convertible range and beyond.
  for (double v : {-657434.0, -657434.5, -657434.99999, -657434.999995, -657435.0 + 1e-9, -657435.0, -657435.5,
                   -657436.0, 2958465.0, 2958465.5, 2958465.99999, 2958465.999995, 2958466.0 - 1e-9, 2958466.0,
                   2958467.0, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()})
    values.push_back(v);

  // Half seconds: exactly, and a little either side.
  for (double day : {0.0, 46054.0, -1.0, -46054.0, 2958465.0, -657434.0}) {
    for (double second : {0.0, 1.0, 59.0, 3599.0, 43199.0, 86398.0, 86399.0}) {
      for (double delta : {0.0, -1e-4, 1e-4, -1e-6, 1e-6}) {
        values.push_back(OnDay(day, (second + 0.5 + delta) / 86400.0));
      }
    }
  }

  for (double v : values) Compare(v);

  if (g_platformSlips) std::printf("%d values where the platform contradicts itself\n", g_platformSlips);
  return Summary();
}

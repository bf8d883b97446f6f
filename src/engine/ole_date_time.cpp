// Date-time conversion done the way the host platform does it, so the texts agree with the host's.
#include "engine/ole_date_time.h"

#include <cmath>

bool operator==(const COleDateTime& a, const COleDateTime& b) {
  if (a.status != b.status) return false;
  if (a.status == DateTimeStatus::Null) return true;
  return a.status == DateTimeStatus::Valid && a.days == b.days;
}

namespace {

// The platform converts day counts from 0100-01-01 (-657434) up to 9999-12-31 (2958465),
// fractions included.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

// Proleptic Gregorian calendar date of a day count since 1899-12-30.
void CivilFromDays(long long days, int& year, int& month, int& day) {
  // Shift to days since 0000-03-01, where leap days fall at the end of the year.
  long long z = days + 693899;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

std::optional<CalendarTime> ToCalendarTime(double days) {
  if (!(days > kFirstDay - 1.0 && days < kLastDay + 1.0)) return std::nullopt;

  // The date is the day count truncated towards zero: for a negative count the fraction still
  // counts forward from that day's midnight (-1.25 is 1899-12-29 06:00).
  double whole = std::trunc(days);
  double fraction = std::fabs(days - whole);
  // The platform nudges the fraction up a little so truncation does not lose a second that
  // binary fractions cannot hold exactly.
  fraction += 0.00000000001;
  if (fraction >= 1.0) fraction -= 0.00000000001;

  CalendarTime t{};
  double rest = fraction * 24.0;
  t.hour = static_cast<int>(rest);
  rest = (rest - t.hour) * 60.0;
  t.minute = static_cast<int>(rest);
  rest = (rest - t.minute) * 60.0;
  t.second = static_cast<int>(rest);
  rest -= t.second;

  long long dayCount = static_cast<long long>(whole);
  // Milliseconds are rounded into the seconds, which may carry over to the next day.
  if (rest > 0.5 && ++t.second == 60) {
    t.second = 0;
    if (++t.minute == 60) {
      t.minute = 0;
      if (++t.hour == 24) {
        t.hour = 0;
        ++dayCount;
      }
    }
  }
  CivilFromDays(dayCount, t.year, t.month, t.day);
  return t;
}

namespace {

void AppendNumber(std::string& out, int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

}  // namespace

std::string FormatDateTime(const COleDateTime& value, std::string_view pattern) {
  if (value.status == DateTimeStatus::Null) return {};
  std::optional<CalendarTime> t;
  if (value.status == DateTimeStatus::Valid) t = ToCalendarTime(value.days);
  if (!t) return std::string(kInvalidDateTimeText);

  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      out += pattern[i];
      continue;
    }
    switch (pattern[++i]) {
      case 'Y': AppendNumber(out, t->year, 1); break;
      case 'm': AppendNumber(out, t->month, 2); break;
      case 'd': AppendNumber(out, t->day, 2); break;
      case 'H': AppendNumber(out, t->hour, 2); break;
      case 'M': AppendNumber(out, t->minute, 2); break;
      case 'S': AppendNumber(out, t->second, 2); break;
      case '%': out += '%'; break;
      default:
        out += '%';
        out += pattern[i];
    }
  }
  return out;
}

// The host's date-time value and its texts, converted the way the host platform does it.
#include "ole_date_time.h"

#include <optional>

#include "calendar.h"

bool operator==(const COleDateTime& a, const COleDateTime& b) {
  if (a.status != b.status) return false;
  if (a.status == DateTimeStatus::Null) return true;
  return a.status == DateTimeStatus::Valid && a.days == b.days;
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

// Only digits are read as numbers and every date goes through the host's calendar, so that
// "2025-02-30" and "2400" are no moments.
#include "date_text.h"

#include <algorithm>

#include "calendar.h"
#include "contest_rules.h"

namespace {

bool Digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::variant<double, DateFault> ReadDateTime(std::string_view date, std::string_view time) {
  const bool shaped = date.size() == 10 && date[4] == '-' && date[7] == '-' && Digits(date.substr(0, 4)) &&
                      Digits(date.substr(5, 2)) && Digits(date.substr(8, 2)) && time.size() == 4 && Digits(time);
  if (!shaped) return DateFault::Shape;
  const std::optional<double> days = HostDays({Number(date.substr(0, 4)), Number(date.substr(5, 2)),
                                               Number(date.substr(8, 2)), Number(time.substr(0, 2)),
                                               Number(time.substr(2, 2)), 0});
  if (!days) return DateFault::Shape;
  const int year = Number(date.substr(0, 4));
  if (year < kFirstLogYear || year > kLastLogYear) return DateFault::Year;
  return *days;
}

std::optional<Moment> ReadMoment(std::string_view text) {
  if (text.size() < 10) return std::nullopt;
  const std::string_view date = text.substr(0, 10);
  std::string time = "0000";
  if (text.size() > 10) {
    const std::string_view clock = text.substr(11);
    if (text[10] != ' ' && text[10] != 'T') return std::nullopt;
    if (clock.size() == 5 && clock[2] == ':') {
      time = std::string(clock.substr(0, 2)) + std::string(clock.substr(3, 2));
    } else if (clock.size() == 4) {
      time = clock;
    } else {
      return std::nullopt;
    }
  }
  const std::variant<double, DateFault> days = ReadDateTime(date, time);
  if (!std::holds_alternative<double>(days)) return std::nullopt;
  return Moment{std::get<double>(days), MinuteOf(std::get<double>(days)), text.size() == 10};
}

std::optional<ContestPeriod> PeriodOf(const Moment& start, const std::optional<Moment>& end) {
  ContestPeriod period{start.minute, start.minute + kContestMinutes};
  if (end) period.end = end->wholeDay ? end->minute + 24 * 60 : end->minute;
  if (period.end <= period.start) return std::nullopt;
  return period;
}

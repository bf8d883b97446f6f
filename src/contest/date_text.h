// Dates and times as people write them in a log or on a command line, read by one set of rules
// for every tool, and the contest period they name.
#pragma once

#include <optional>
#include <string_view>
#include <variant>

// Why a date and time could not be read.
enum class DateFault {
  Shape,  // not YYYY-MM-DD and HHMM, or no such day or time (30 February, 2460)
  Year,   // a year outside kFirstLogYear to kLastLogYear: a typo in the year
};

// A date "2025-03-15" and a time "1805", as a Cabrillo QSO line and OFFTIME write them: the
// host's day count.
std::variant<double, DateFault> ReadDateTime(std::string_view date, std::string_view time);

// A moment on a command line: "2025-03-15" (the day as a whole), "2025-03-15 1805",
// "2025-03-15T1805", "2025-03-15 18:05".
struct Moment {
  double days = 0;        // the host's day count
  long long minute = 0;   // whole minutes since day zero
  bool wholeDay = false;  // no time of day was given: the day's first minute
};
std::optional<Moment> ReadMoment(std::string_view text);

// Minutes from `start` up to, not including, `end`.
struct ContestPeriod {
  long long start = 0, end = 0;
  bool Holds(long long minute) const { return minute >= start && minute < end; }
};

// The period a start and an end name: a day alone as the end is the whole day; without an end,
// the contest's own length from the start. Nothing when it would end before it begins.
std::optional<ContestPeriod> PeriodOf(const Moment& start, const std::optional<Moment>& end);

// The forms are those of ReadMoment; the message names them and the years a log may hold.
#include "period_options.h"

#include "calendar.h"
#include "option_reader.h"

Moment MomentOption(const std::string& name, const std::string& text) {
  if (std::optional<Moment> moment = ReadMoment(text)) return *moment;
  throw UsageError(name + ": '" + text + "' is no date YYYY-MM-DD or date and time YYYY-MM-DD HHMM, from " +
                   std::to_string(kFirstLogYear) + " to " + std::to_string(kLastLogYear));
}

std::optional<ContestPeriod> PeriodOption(const std::optional<Moment>& start, const std::optional<Moment>& end) {
  if (!start) {
    if (end) throw UsageError("--end without --start");
    return std::nullopt;
  }
  std::optional<ContestPeriod> period = PeriodOf(*start, end);
  if (!period) throw UsageError("--end is not after --start");
  return period;
}

// --start and --end as both programs read them: one way to write a moment, one contest period.
#pragma once

#include <optional>
#include <string>

#include "date_text.h"

// The moment an option names. Throws UsageError, naming the option and the forms it takes.
Moment MomentOption(const std::string& name, const std::string& text);

// The period from --start up to --end (a date alone is the whole day), or the contest's 24 hours
// from --start; none without either. Throws UsageError for an end without a start or not after it.
std::optional<ContestPeriod> PeriodOption(const std::optional<Moment>& start, const std::optional<Moment>& end);

// Whether a log can be replayed at all: a file that is neither format, holds no QSO, or holds none
// that counts for the contest is not run through the plug-in.
#pragma once

#include <optional>
#include <string>

#include "finding.h"
#include "log_file.h"

// The check's finding for a log in a format that is not replayed, at line 1 (NoQsoRead to
// NoQsoCounts); nothing when it can be replayed or is in no format at all.
std::optional<Finding> NotReplayed(const LogFile& log);

// Why the log is not replayed, in one line; nothing when it can be.
std::optional<std::string> WhyNotReplayed(const LogFile& log);

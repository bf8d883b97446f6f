// Whether a log can be replayed at all: a file that is neither format, holds no QSO, or holds none
// that counts for the contest is not run through the plug-in.
#pragma once

#include <optional>
#include <string>

#include "log_file.h"

// Why the log is not replayed, in one line; nothing when it can be.
std::optional<std::string> WhyNotReplayed(const LogFile& log);

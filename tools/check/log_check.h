// The check a contester runs before submitting: every fault of a log, with what the plug-in made
// of it, as one finding per fault at the line of the record at fault.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "call_list.h"
#include "date_text.h"
#include "finding.h"
#include "log_file.h"
#include "replay_session.h"

struct CheckChoices {
  std::optional<ContestPeriod> period;   // none: every QSO lies in it
  const CallList* knownCalls = nullptr;  // none: calls are not looked up
};

// In line order, the findings of one line in the order the checks run.
std::vector<Finding> CheckLog(const LogFile& log, const ReplayedLog& replayed, const CheckChoices& choices);

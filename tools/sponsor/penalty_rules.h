// What each decision costs a log: which QSOs are removed before the log is scored again.
#pragma once

#include <string_view>

#include "cross_check.h"

struct PenaltyRules {
  bool uniqueRemoved = false;  // a unique call is a note unless asked for
  bool bandMismatchKept = false;
  bool wrongSerialKept = false;
  int extraPenalty = 0;  // QSO points taken off for each not-in-log or busted QSO
};

// Confirmed, not submitted and (by default) unique QSOs are kept; not in log, busted call and what
// the contest's rules do not count are always removed.
bool Kept(Decision decision, const PenaltyRules& rules);
// The decisions that cost the extra penalty besides the QSO.
bool Penalised(Decision decision);

std::string_view DecisionName(Decision decision);  // "not in log"

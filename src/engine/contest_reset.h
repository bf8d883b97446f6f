// Opening a contest: the log and band list emptied, who operates and when.
#pragma once

#include <cstdint>
#include <string_view>

#include "contest_log.h"

struct ResetArgs {
  std::int32_t startFlag = 0;  // nonzero: a report run with the Cabrillo header dialog
  std::string_view contestant;
  COleDateTime start;
  COleDateTime end;
};

// The in-memory part of a reset. The per-band lists of the last summary are kept: the windows
// show them until the next summary.
void ResetContest(Contest& contest, const ResetArgs& args);

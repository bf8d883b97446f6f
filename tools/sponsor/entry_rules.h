// The contest's rules that fall on a QSO after matching: the contest period (on the corrected
// times) and a single-band entry's band. Such a QSO still confirms the other station's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cross_check.h"
#include "date_text.h"

// A QSO's time with its log's clock offset taken out, when it was corrected.
std::int64_t CorrectedMinute(const CheckedQso& qso, const ClockOffset& offset);

// The contest's 24 hours from its start time of the day that hold the most QSOs of the logs (the
// earliest on a tie); the first day's when there is no QSO.
ContestPeriod PeriodFromLogs(const std::vector<CheckedLog>& logs, const std::vector<ClockOffset>& offsets);

// entryBands: by log, the band of a single-band entry ("80m") or empty.
void ApplyEntryRules(const std::vector<CheckedLog>& logs, const std::vector<std::string>& entryBands,
                     const ContestPeriod& period, CrossCheckResult& result);

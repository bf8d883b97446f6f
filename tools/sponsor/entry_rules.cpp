// The period is taken after the clocks are corrected: a station whose clock was an hour off did
// not work outside the contest.
#include "entry_rules.h"

#include <map>

#include "contest_rules.h"

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::int64_t CorrectedMinute(const CheckedQso& qso, const ClockOffset& offset) {
  return qso.minute - (offset.corrected ? offset.minutes : 0);
}

ContestPeriod PeriodFromLogs(const std::vector<CheckedLog>& logs, const std::vector<ClockOffset>& offsets) {
  std::map<std::int64_t, std::size_t> byStart;  // period start: QSOs in it
  for (std::size_t l = 0; l < logs.size(); ++l) {
    for (const CheckedQso& q : logs[l].qsos) {
      const std::int64_t day = FloorDiv(CorrectedMinute(q, offsets[l]) - kContestStartMinuteOfDay, 1440);
      ++byStart[day * 1440 + kContestStartMinuteOfDay];
    }
  }
  ContestPeriod period;
  std::size_t most = 0;
  for (const auto& [start, count] : byStart) {
    if (count > most) {
      most = count;
      period.start = start;
    }
  }
  period.end = period.start + kContestMinutes;
  return period;
}

void ApplyEntryRules(const std::vector<CheckedLog>& logs, const std::vector<std::string>& entryBands,
                     const ContestPeriod& period, CrossCheckResult& result) {
  for (std::size_t l = 0; l < logs.size(); ++l) {
    for (std::size_t q = 0; q < logs[l].qsos.size(); ++q) {
      const CheckedQso& qso = logs[l].qsos[q];
      if (qso.ruled >= 0) continue;
      const std::int64_t minute = CorrectedMinute(qso, result.offsets[l]);
      Verdict& verdict = result.verdicts[l][q];
      if (!period.Holds(minute)) {
        verdict.decision = Decision::OutsidePeriod;
      } else if (!entryBands[l].empty() && qso.band != entryBands[l]) {
        verdict.decision = Decision::OffEntryBand;
      }
    }
  }
}

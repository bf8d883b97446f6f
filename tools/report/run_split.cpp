// Running against search and pounce, told from the frequencies alone: a station that calls CQ
// stays on its frequency QSO after QSO, one that searches moves for each.
#include "stats_parts.h"

#include <algorithm>

#include "calendar.h"

namespace {

// The time of a run: from its first QSO's minute to its last's, both included.
long long MinutesOf(const std::vector<CountedQso>& counted, std::size_t first, std::size_t end) {
  return counted[end - 1].minute - counted[first].minute + 1;
}

long long PerHour(long long qsos, long long minutes) { return minutes > 0 ? qsos * 60 / minutes : 0; }

}  // namespace

RunSplit RunSplitOf(const std::vector<CountedQso>& counted, const ContestStats& stats, const RunRule& rule) {
  RunSplit split;
  split.rule = rule;
  split.byHour.resize(stats.qsosByHour.size());
  if (counted.empty()) return split;
  const long long firstHour = stats.qsosByHour.front().hour;
  auto hourOf = [&](const CountedQso& c) -> RunSplit::Hour& {
    return split.byHour[static_cast<std::size_t>(HourOf(c.minute) - firstHour)];
  };
  auto linked = [&](const CountedQso& a, const CountedQso& b) {
    const std::uint32_t fa = a.qso->freqHz, fb = b.qso->freqHz;
    return a.band == b.band && fa != 0 && fb != 0 && (fa > fb ? fa - fb : fb - fa) <= rule.toleranceHz &&
           b.minute - a.minute - 1 < stats.minBreakMinutes;
  };

  long long coveredTo = counted.front().minute - 1;  // the last minute a run has covered
  for (std::size_t first = 0; first < counted.size();) {
    std::size_t end = first + 1;
    while (end < counted.size() && linked(counted[end - 1], counted[end])) ++end;
    const bool isRun = static_cast<long long>(end - first) >= rule.minQsos && counted[first].qso->freqHz != 0;
    if (isRun) {
      const long long qsos = static_cast<long long>(end - first), minutes = MinutesOf(counted, first, end);
      ++split.runs;
      split.list.push_back({counted[first].minute, counted[end - 1].minute, counted[first].qso->band,
                            counted[first].qso->freqHz, {qsos, minutes, PerHour(qsos, minutes)}});
      split.run.qsos += qsos;
      // Runs come in time order: a run can share only its first minute with the runs before it
      // (one ends in the minute the next begins), and that minute counts once.
      const long long from = std::max(counted[first].minute, coveredTo + 1);
      if (counted[end - 1].minute >= from) split.run.minutes += counted[end - 1].minute - from + 1;
      coveredTo = std::max(coveredTo, counted[end - 1].minute);
    }
    for (std::size_t i = first; i < end; ++i) {
      if (isRun) {
        ++hourOf(counted[i]).run;
      } else if (counted[i].qso->freqHz == 0) {
        ++split.noFrequency;
        ++hourOf(counted[i]).noFrequency;
      } else {
        ++split.searchAndPounce.qsos;
        ++hourOf(counted[i]).searchAndPounce;
      }
    }
    first = end;
  }
  // A run has no off time inside it, so its minutes all lie in the on time.
  split.searchAndPounce.minutes = stats.onTimeMinutes - split.run.minutes;
  split.run.qsosPerHour = PerHour(split.run.qsos, split.run.minutes);
  split.searchAndPounce.qsosPerHour = PerHour(split.searchAndPounce.qsos, split.searchAndPounce.minutes);
  return split;
}

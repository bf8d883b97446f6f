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

  for (std::size_t first = 0; first < counted.size();) {
    std::size_t end = first + 1;
    while (end < counted.size() && linked(counted[end - 1], counted[end])) ++end;
    const bool isRun = static_cast<long long>(end - first) >= rule.minQsos && counted[first].qso->freqHz != 0;
    if (isRun) {
      ++split.runs;
      split.run.qsos += static_cast<long long>(end - first);
      split.run.minutes += MinutesOf(counted, first, end);
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
  split.searchAndPounce.minutes = std::max(0LL, stats.onTimeMinutes - split.run.minutes);
  split.run.qsosPerHour = PerHour(split.run.qsos, split.run.minutes);
  split.searchAndPounce.qsosPerHour = PerHour(split.searchAndPounce.qsos, split.searchAndPounce.minutes);
  return split;
}

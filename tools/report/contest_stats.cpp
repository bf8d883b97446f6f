// One pass in time order for the counts, the breaks and the band changes; a second over the
// counted QSOs' minutes for the best windows. The score grows as the plug-in scores it.
#include "contest_stats.h"

#include <algorithm>
#include <set>
#include <unordered_set>

#include "calendar.h"
#include "contest_rules.h"

namespace {

std::vector<std::string> BandsOf(const ReplayedLog& log, const std::vector<std::string>& bandOrder) {
  std::vector<std::string> bands = bandOrder;
  for (const ReplayedQso& q : log.qsos) {
    if (std::find(bands.begin(), bands.end(), q.band) == bands.end()) bands.push_back(q.band);
  }
  return bands;
}

// The window starts at a counted QSO's minute: any best window can be moved on to one without
// losing a QSO, and this is where its first QSO was made.
BestWindow Best(const std::vector<long long>& minutes, long long length) {
  BestWindow best;
  std::size_t end = 0;
  for (std::size_t start = 0; start < minutes.size(); ++start) {
    if (start > 0 && minutes[start] == minutes[start - 1]) continue;
    while (end < minutes.size() && minutes[end] < minutes[start] + length) ++end;
    const long long count = static_cast<long long>(end - start);
    if (count > best.qsos) best = {minutes[start], count};
  }
  return best;
}

struct BandScoreState {
  std::unordered_set<std::string> entities, calls;
};

}  // namespace

ContestStats ComputeStats(const ReplayedLog& log, const std::vector<std::string>& bandOrder, int minBreakMinutes) {
  ContestStats stats;
  stats.minBreakMinutes = minBreakMinutes;
  stats.bands = BandsOf(log, bandOrder);
  if (log.qsos.empty()) return stats;

  auto bandIndex = [&](const std::string& band) {
    return static_cast<std::size_t>(std::find(stats.bands.begin(), stats.bands.end(), band) - stats.bands.begin());
  };
  const long long firstMinute = MinuteOf(log.qsos.front().days), lastMinute = MinuteOf(log.qsos.back().days);
  const long long firstHour = HourOf(firstMinute), lastHour = HourOf(lastMinute);
  for (long long h = firstHour; h <= lastHour; ++h) {
    stats.qsosByHour.push_back({h, std::vector<long long>(stats.bands.size(), 0)});
    stats.bandChangesByHour.push_back({h, 0});
    stats.scoreByHour.push_back({h, 0, 0, 0, 0});
  }

  std::vector<long long> countedMinutes;
  std::vector<BandScoreState> scoreState(stats.bands.size());
  std::map<std::string, std::map<std::string, long long>> continents;
  long long qsos = 0, dxcc = 0, newCalls = 0;
  long long offMinutes = 0;
  const ReplayedQso* previous = nullptr;
  std::size_t hourAt = 0;
  auto closeHoursBefore = [&](long long hour) {
    for (; hourAt < stats.scoreByHour.size() && stats.scoreByHour[hourAt].hour < hour; ++hourAt) {
      stats.scoreByHour[hourAt] = {stats.scoreByHour[hourAt].hour, qsos, dxcc, newCalls,
                                    Score(qsos * kPointsPerQso, dxcc, newCalls)};
    }
  };

  for (const ReplayedQso& q : log.qsos) {
    const long long minute = MinuteOf(q.days), hour = HourOf(minute);
    closeHoursBefore(hour);
    const std::size_t slot = static_cast<std::size_t>(hour - firstHour);
    if (previous) {
      const long long gap = minute - MinuteOf(previous->days) - 1;
      if (gap >= minBreakMinutes) {
        stats.offTimes.push_back({minute - gap, minute - 1, gap});
        offMinutes += gap;
      }
      if (q.band != previous->band) ++stats.bandChangesByHour[slot].second;
    }
    previous = &q;
    if (q.fate != QsoFate::Accepted) continue;

    const std::size_t band = bandIndex(q.band);
    ++stats.qsosByHour[slot].perBand[band];
    countedMinutes.push_back(minute);
    ++continents[q.band][q.continent.empty() ? kUnknownContinent : q.continent];
    ++qsos;
    if (scoreState[band].entities.insert(q.dxcc).second) ++dxcc;
    if (!q.call.empty() && scoreState[band].calls.insert(q.call).second) ++newCalls;
  }
  closeHoursBefore(lastHour + 1);

  stats.best60 = Best(countedMinutes, 60);
  stats.best10 = Best(countedMinutes, 10);
  stats.onTimeMinutes = lastMinute - firstMinute + 1 - offMinutes;
  for (const std::string& band : stats.bands) {
    auto it = continents.find(band);
    if (it != continents.end()) stats.continents.emplace_back(band, std::move(it->second));
  }
  return stats;
}

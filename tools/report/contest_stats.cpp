// One pass in time order over the QSOs of the contest period for the hourly and daily counts,
// the breaks, the band changes and the score as the plug-in scores it; the other figures come
// from the counted QSOs that pass collects (stats_parts.h).
#include "contest_stats.h"

#include <algorithm>
#include <set>
#include <unordered_set>

#include "calendar.h"
#include "contest_rules.h"
#include "stats_parts.h"

namespace {

std::vector<std::string> BandsOf(const ReplayedLog& log, const std::vector<std::string>& bandOrder) {
  std::vector<std::string> bands = bandOrder;
  for (const ReplayedQso& q : log.qsos) {
    if (std::find(bands.begin(), bands.end(), q.band) == bands.end()) bands.push_back(q.band);
  }
  return bands;
}

struct BandScoreState {
  std::unordered_set<std::string> entities, calls;
};

const std::string& ContinentOf(const ReplayedQso& q) {
  static const std::string unknown = kUnknownContinent;
  return q.continent.empty() ? unknown : q.continent;
}

void CountOutside(const ReplayedLog& log, const StatsChoices& choices, ContestStats& stats,
                  const auto& bandIndex) {
  OutsidePeriod& outside = stats.outside;
  outside.period = choices.period;
  std::map<long long, std::vector<long long>> byHour;
  for (const ReplayedQso& q : log.qsos) {
    if (InContestPeriod(q, choices)) continue;
    ++outside.logged;
    if (q.fate != QsoFate::Accepted) continue;
    ++outside.counted;
    auto [it, added] = byHour.try_emplace(HourOf(MinuteOf(q.days)), stats.bands.size(), 0);
    ++it->second[bandIndex(q.band)];
  }
  for (auto& [hour, perBand] : byHour) outside.byHour.push_back({hour, std::move(perBand)});
}

}  // namespace

bool InContestPeriod(const ReplayedQso& q, const StatsChoices& choices) {
  return !choices.period || choices.period->Holds(MinuteOf(q.days));
}

ContestStats ComputeStats(const ReplayedLog& log, const std::vector<std::string>& bandOrder,
                          const StatsChoices& choices) {
  ContestStats stats;
  stats.minBreakMinutes = choices.minBreakMinutes;
  stats.bands = BandsOf(log, bandOrder);
  stats.origin = choices.origin;
  stats.runSplit.rule = choices.run;
  stats.bestHourByBand.assign(stats.bands.size(), {});
  auto bandIndex = [&](const std::string& band) {
    return static_cast<std::size_t>(std::find(stats.bands.begin(), stats.bands.end(), band) - stats.bands.begin());
  };
  CountOutside(log, choices, stats, bandIndex);

  std::vector<const ReplayedQso*> logged;
  logged.reserve(log.qsos.size());
  for (const ReplayedQso& q : log.qsos) {
    if (InContestPeriod(q, choices)) logged.push_back(&q);
  }
  if (choices.period) stats.contestStartMinute = choices.period->start;
  if (logged.empty()) return stats;

  const long long firstMinute = MinuteOf(logged.front()->days), lastMinute = MinuteOf(logged.back()->days);
  const long long firstHour = HourOf(firstMinute), lastHour = HourOf(lastMinute);
  if (!stats.contestStartMinute) stats.contestStartMinute = firstHour * 60;
  for (long long h = firstHour; h <= lastHour; ++h) {
    stats.qsosByHour.push_back({h, std::vector<long long>(stats.bands.size(), 0)});
    stats.bandChangesByHour.push_back({h, 0});
    stats.scoreByHour.push_back({h, 0, 0, 0, 0});
  }
  stats.gainsByHour.resize(stats.qsosByHour.size());
  const long long firstDay = DayOf(firstMinute);
  for (long long d = firstDay; d <= DayOf(lastMinute); ++d) {
    stats.days.push_back({d, std::vector<long long>(stats.bands.size(), 0), {}});
  }

  std::set<std::string> continentSet;
  for (const ReplayedQso* q : logged) {
    if (q->fate == QsoFate::Accepted) continentSet.insert(ContinentOf(*q));
  }
  stats.continentNames.assign(continentSet.begin(), continentSet.end());
  stats.continentsByHour.assign(stats.qsosByHour.size(), std::vector<long long>(stats.continentNames.size(), 0));

  std::vector<CountedQso> counted;
  counted.reserve(logged.size());
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

  for (const ReplayedQso* q : logged) {
    const long long minute = MinuteOf(q->days), hour = HourOf(minute);
    closeHoursBefore(hour);
    const std::size_t slot = static_cast<std::size_t>(hour - firstHour);
    if (previous) {
      const long long gap = minute - MinuteOf(previous->days) - 1;
      if (gap >= choices.minBreakMinutes) {
        stats.offTimes.push_back({minute - gap, minute - 1, gap});
        offMinutes += gap;
      }
      if (q->band != previous->band) ++stats.bandChangesByHour[slot].second;
    }
    previous = q;
    if (q->fate != QsoFate::Accepted) continue;

    const std::size_t band = bandIndex(q->band);
    const std::string& continent = ContinentOf(*q);
    Gains& hourGains = stats.gainsByHour[slot];
    DayCount& day = stats.days[static_cast<std::size_t>(DayOf(minute) - firstDay)];
    ++stats.qsosByHour[slot].perBand[band];
    ++day.perBand[band];
    counted.push_back({q, minute, band});
    ++continents[q->band][continent];
    const auto continentAt = std::lower_bound(stats.continentNames.begin(), stats.continentNames.end(), continent);
    ++stats.continentsByHour[slot][static_cast<std::size_t>(continentAt - stats.continentNames.begin())];
    ++qsos, ++hourGains.qsos, ++day.gains.qsos;
    if (scoreState[band].entities.insert(q->dxcc).second) {
      ++dxcc, ++hourGains.dxcc, ++day.gains.dxcc;
      stats.newMultipliers.push_back({minute, q->band, q->call, q->dxcc, continent, q->line});
    }
    if (!q->call.empty() && scoreState[band].calls.insert(q->call).second) {
      ++newCalls, ++hourGains.newCalls, ++day.gains.newCalls;
    }
  }
  closeHoursBefore(lastHour + 1);

  stats.best60 = BestWindowOf(counted, 60);
  stats.best10 = BestWindowOf(counted, 10);
  BestHours(stats);
  stats.onTimeMinutes = lastMinute - firstMinute + 1 - offMinutes;
  stats.rates = RatesOf(counted, firstMinute, lastMinute);
  stats.qsosBy10Minutes = TenMinuteSlots(counted, stats.bands.size(), *stats.contestStartMinute, lastMinute);
  for (const std::string& band : stats.bands) {
    auto it = continents.find(band);
    if (it != continents.end()) stats.continents.emplace_back(band, std::move(it->second));
  }
  stats.runSplit = RunSplitOf(counted, stats, choices.run);
  BandLists(counted, stats);
  if (choices.entities) stats.notWorked = NotWorkedByBand(*choices.entities, stats);
  return stats;
}

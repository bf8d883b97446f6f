// Each log's calls and entities as sets of (name, band), held as views into the replayed QSOs,
// which outlive the comparison; the lead from each log's score by the hours since its start.
#include "rival_comparison.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "calendar.h"

namespace {

struct Worked {
  std::set<std::pair<std::string_view, std::string_view>> calls, entities;  // name, band
};

Worked WorkedIn(const ReplayedLog& log, const StatsChoices& choices) {
  Worked worked;
  for (const ReplayedQso& q : log.qsos) {
    if (q.fate != QsoFate::Accepted || !InContestPeriod(q, choices)) continue;
    if (!q.call.empty()) worked.calls.emplace(q.call, q.band);
    if (!q.dxcc.empty()) worked.entities.emplace(q.dxcc, q.band);
  }
  return worked;
}

// The names of `in` on bands `out` lacks them, with those bands.
std::vector<OnlyInOne> OnlyIn(const std::set<std::pair<std::string_view, std::string_view>>& in,
                              const std::set<std::pair<std::string_view, std::string_view>>& out,
                              const std::vector<std::string>& bandOrder) {
  std::map<std::string_view, std::vector<std::string>> byName;
  for (const auto& worked : in) {
    if (!out.contains(worked)) byName[worked.first].emplace_back(worked.second);
  }
  auto rank = [&](const std::string& band) {
    return std::find(bandOrder.begin(), bandOrder.end(), band) - bandOrder.begin();
  };
  std::vector<OnlyInOne> list;
  list.reserve(byName.size());
  for (auto& [name, bands] : byName) {
    std::sort(bands.begin(), bands.end(),
              [&](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
    list.push_back({std::string(name), std::move(bands)});
  }
  return list;
}

// The score up to the end of each contest hour, held after the log's last hour.
std::vector<long long> ScoreByContestHour(const ContestStats& stats, long long hours) {
  std::vector<long long> score(static_cast<std::size_t>(hours), 0);
  if (stats.scoreByHour.empty()) return score;
  const long long startHour = HourOf(*stats.contestStartMinute);
  long long held = 0;
  std::size_t next = 0;
  for (long long k = 0; k < hours; ++k) {
    while (next < stats.scoreByHour.size() && stats.scoreByHour[next].hour - startHour <= k) {
      held = stats.scoreByHour[next++].score;
    }
    score[static_cast<std::size_t>(k)] = held;
  }
  return score;
}

long long HoursOf(const ContestStats& stats) {
  return stats.scoreByHour.empty() ? 0 : stats.scoreByHour.back().hour - HourOf(*stats.contestStartMinute) + 1;
}

}  // namespace

RivalComparison CompareWithRival(const ReplayedLog& own, const StatsChoices& ownChoices, const ContestStats& ownStats,
                                 const ReplayedLog& other, const StatsChoices& otherChoices,
                                 const ContestStats& otherStats) {
  const Worked mine = WorkedIn(own, ownChoices), theirs = WorkedIn(other, otherChoices);
  // The own log's bands, then those only the other log has.
  std::vector<std::string> bands = ownStats.bands;
  for (const std::string& band : otherStats.bands) {
    if (std::find(bands.begin(), bands.end(), band) == bands.end()) bands.push_back(band);
  }
  RivalComparison c;
  c.ownCalls = OnlyIn(mine.calls, theirs.calls, bands);
  c.otherCalls = OnlyIn(theirs.calls, mine.calls, bands);
  c.ownEntities = OnlyIn(mine.entities, theirs.entities, bands);
  c.otherEntities = OnlyIn(theirs.entities, mine.entities, bands);

  const long long hours = std::max(HoursOf(ownStats), HoursOf(otherStats));
  const std::vector<long long> ownScore = ScoreByContestHour(ownStats, hours);
  const std::vector<long long> otherScore = ScoreByContestHour(otherStats, hours);
  for (long long k = 0; k < hours; ++k) {
    const std::size_t at = static_cast<std::size_t>(k);
    c.lead.push_back({k, ownScore[at], otherScore[at]});
  }
  return c;
}

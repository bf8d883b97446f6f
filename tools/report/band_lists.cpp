// The entities table, the lists of calls and entities worked on one band only, and the entities
// not worked per band: in this contest each band counts its calls and entities anew, so a station
// missing on a band is a multiplier still to be had there.
#include "stats_parts.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "contest_rules.h"

namespace {

struct Bands {
  std::size_t first;
  bool several = false;
};

// Keyed by views into the replayed QSOs, which outlive the tables: a copy of every call of a
// long log was most of this pass's cost.
using Worked = std::unordered_map<std::string_view, Bands>;

void Note(Worked& worked, std::string_view name, std::size_t band) {
  auto [it, added] = worked.try_emplace(name, Bands{band});
  if (!added && it->second.first != band) it->second.several = true;
}

std::vector<OneBand> OneBandOnly(const Worked& worked, const std::vector<std::string>& bands) {
  std::vector<OneBand> list;
  for (const auto& [name, on] : worked) {
    if (on.several) continue;
    OneBand& row = list.emplace_back(OneBand{std::string(name), bands[on.first], {}});
    for (std::string_view band : kContestBands) {
      if (band != row.band) row.missing.emplace_back(band);
    }
  }
  std::sort(list.begin(), list.end(), [](const OneBand& a, const OneBand& b) { return a.name < b.name; });
  return list;
}

}  // namespace

void BandLists(const std::vector<CountedQso>& counted, ContestStats& stats) {
  std::unordered_map<std::string_view, std::size_t> rowOf;
  Worked calls, entities;
  calls.reserve(counted.size());
  for (const CountedQso& c : counted) {
    const ReplayedQso& q = *c.qso;
    auto [it, added] = rowOf.try_emplace(q.dxcc, stats.entities.size());
    if (added) {
      stats.entities.push_back({q.dxcc, q.continent.empty() ? kUnknownContinent : q.continent,
                                std::vector<long long>(stats.bands.size(), 0), q.position, std::nullopt});
      if (q.position && stats.origin) stats.entities.back().beam = BeamTo(stats.origin->position, *q.position);
    }
    ++stats.entities[it->second].perBand[c.band];
    if (!q.call.empty()) Note(calls, q.call, c.band);
    if (!q.dxcc.empty()) Note(entities, q.dxcc, c.band);
  }
  std::sort(stats.entities.begin(), stats.entities.end(),
            [](const EntityRow& a, const EntityRow& b) { return a.entity < b.entity; });
  stats.oneBandCalls = OneBandOnly(calls, stats.bands);
  stats.oneBandEntities = OneBandOnly(entities, stats.bands);
}

// An entity worked on another band is known to be on the air and within reach: it comes first.
// Then the nearest, which the low bands reach most often (whole kilometres, so that both builds
// sort alike); without a distance, by continent and name.
std::vector<std::pair<std::string, std::vector<NotWorked>>> NotWorkedByBand(const std::vector<Entity>& entities,
                                                                             const ContestStats& stats) {
  std::unordered_map<std::string_view, const EntityRow*> worked;
  for (const EntityRow& row : stats.entities) worked.emplace(row.entity, &row);
  auto qsosOn = [&](const EntityRow* row, std::string_view band) -> long long {
    const auto at = std::find(stats.bands.begin(), stats.bands.end(), band);
    return row && at != stats.bands.end() ? row->perBand[static_cast<std::size_t>(at - stats.bands.begin())] : 0;
  };
  auto order = [](const NotWorked& e) {
    return std::tuple(e.workedOn.empty(), !e.beam, e.beam ? std::llround(e.beam->kilometres) : 0LL,
                      std::string_view(e.continent), std::string_view(e.entity));
  };

  std::vector<std::pair<std::string, std::vector<NotWorked>>> byBand;
  for (std::string_view band : kContestBands) {
    std::vector<NotWorked>& list = byBand.emplace_back(std::string(band), std::vector<NotWorked>()).second;
    for (const Entity& entity : entities) {
      const auto it = worked.find(entity.name);
      const EntityRow* row = it == worked.end() ? nullptr : it->second;
      if (qsosOn(row, band) > 0) continue;
      NotWorked& missing = list.emplace_back(NotWorked{entity.name, entity.continent, {}, std::nullopt});
      for (std::string_view other : kContestBands) {
        if (qsosOn(row, other) > 0) missing.workedOn.emplace_back(other);
      }
      if (entity.position && stats.origin) missing.beam = BeamTo(stats.origin->position, *entity.position);
    }
    std::sort(list.begin(), list.end(), [&](const NotWorked& a, const NotWorked& b) { return order(a) < order(b); });
  }
  return byBand;
}

// The best windows, the best clock hours, the running rates and the 10-minute slots, each from
// the counted QSOs' minutes in time order.
#include "stats_parts.h"

#include <numeric>

BestWindow BestWindowOf(const std::vector<CountedQso>& counted, long long length) {
  // The window starts at a counted QSO's minute: any best window can be moved on to one without
  // losing a QSO, and this is where its first QSO was made.
  BestWindow best;
  std::size_t end = 0;
  for (std::size_t start = 0; start < counted.size(); ++start) {
    if (start > 0 && counted[start].minute == counted[start - 1].minute) continue;
    while (end < counted.size() && counted[end].minute < counted[start].minute + length) ++end;
    const long long count = static_cast<long long>(end - start);
    if (count > best.qsos) best = {counted[start].minute, count};
  }
  return best;
}

void BestHours(ContestStats& stats) {
  for (const HourCount& hour : stats.qsosByHour) {
    const long long total = std::accumulate(hour.perBand.begin(), hour.perBand.end(), 0LL);
    if (total > stats.bestHour.qsos) stats.bestHour = {hour.hour, total};
    for (std::size_t b = 0; b < hour.perBand.size(); ++b) {
      if (hour.perBand[b] > stats.bestHourByBand[b].qsos) stats.bestHourByBand[b] = {hour.hour, hour.perBand[b]};
    }
  }
}

// Points every minute up to a week; a longer log gets a coarser step, so that its page stays small.
RunningRates RatesOf(const std::vector<CountedQso>& counted, long long firstMinute, long long lastMinute) {
  constexpr long long kMostPoints = 7 * 24 * 60;
  RunningRates rates;
  rates.fromMinute = firstMinute;
  const long long span = lastMinute - firstMinute + 1;
  rates.stepMinutes = (span + kMostPoints - 1) / kMostPoints;
  // QSOs up to and including a minute, and those before the window's first minute.
  std::size_t upTo = 0, before10 = 0, before60 = 0;
  for (long long m = firstMinute; m <= lastMinute; m += rates.stepMinutes) {
    while (upTo < counted.size() && counted[upTo].minute <= m) ++upTo;
    while (before10 < counted.size() && counted[before10].minute <= m - 10) ++before10;
    while (before60 < counted.size() && counted[before60].minute <= m - 60) ++before60;
    rates.last10.push_back(6 * static_cast<long long>(upTo - before10));
    rates.last60.push_back(static_cast<long long>(upTo - before60));
  }
  return rates;
}

std::vector<SlotCount> TenMinuteSlots(const std::vector<CountedQso>& counted, std::size_t bands, long long firstMinute,
                                      long long lastMinute) {
  constexpr long long kSlot = 10;
  const long long first = firstMinute / kSlot;
  std::vector<SlotCount> slots;
  for (long long slot = first; slot <= lastMinute / kSlot; ++slot) {
    slots.push_back({slot * kSlot, std::vector<long long>(bands, 0)});
  }
  for (const CountedQso& c : counted) ++slots[static_cast<std::size_t>(c.minute / kSlot - first)].perBand[c.band];
  return slots;
}

// The parts of ComputeStats that each take the counted QSOs of the contest period on their own.
#pragma once

#include <vector>

#include "contest_stats.h"

// A counted QSO inside the period, with its minute.
struct CountedQso {
  const ReplayedQso* qso;
  long long minute;
  std::size_t band;  // into ContestStats::bands
};

BestWindow BestWindowOf(const std::vector<CountedQso>& counted, long long length);
// The clock hours of `hours` with the most QSOs, of all bands and of each; the earliest on a tie.
void BestHours(ContestStats& stats);
RunningRates RatesOf(const std::vector<CountedQso>& counted, long long firstMinute, long long lastMinute);
// Every clock-aligned 10 minutes from the one holding `firstMinute` to the one holding `lastMinute`.
std::vector<SlotCount> TenMinuteSlots(const std::vector<CountedQso>& counted, std::size_t bands, long long firstMinute,
                                      long long lastMinute);
RunSplit RunSplitOf(const std::vector<CountedQso>& counted, const ContestStats& stats, const RunRule& rule);
// The entities table with headings from the origin, and the one-band lists.
void BandLists(const std::vector<CountedQso>& counted, ContestStats& stats);
// From the entities table: per contest band, the entities of the country file not worked there.
std::vector<std::pair<std::string, std::vector<NotWorked>>> NotWorkedByBand(const std::vector<Entity>& entities,
                                                                             const ContestStats& stats);

// The statistics of a replayed contest: rates per hour and band, the best hour and ten minutes,
// breaks and operating time, band changes, continents, and the score as it grew.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "replay_session.h"

// Minutes and hours count from the host's day zero (calendar.h).
struct HourCount {
  long long hour = 0;
  std::vector<long long> perBand;  // in the order of ContestStats::bands
};

struct BestWindow {
  std::optional<long long> startMinute;  // none without a counted QSO
  long long qsos = 0;
};

struct OffTime {
  long long fromMinute = 0, toMinute = 0;  // the first and the last minute without a QSO
  long long minutes = 0;
};

struct ScoreAtHour {
  long long hour = 0;
  long long qsos = 0, dxcc = 0, newCalls = 0, score = 0;  // all QSOs up to the end of the hour
};

struct ContestStats {
  std::vector<std::string> bands;
  std::vector<HourCount> qsosByHour;  // every hour from the first to the last logged QSO
  BestWindow best60, best10;
  int minBreakMinutes = 30;
  std::vector<OffTime> offTimes;
  long long onTimeMinutes = 0;
  std::vector<std::pair<long long, long long>> bandChangesByHour;                    // hour, changes; same hours
  std::vector<std::pair<std::string, std::map<std::string, long long>>> continents;  // band: continent: QSOs
  std::vector<ScoreAtHour> scoreByHour;                                              // same hours
};

// A counted QSO is one the plug-in stored and not as a dupe; a logged one is any QSO replayed.
// `bandOrder`: the plug-in's order of its band lines; bands it lacks follow in order of first use.
ContestStats ComputeStats(const ReplayedLog& log, const std::vector<std::string>& bandOrder, int minBreakMinutes);

inline constexpr const char* kUnknownContinent = "unknown";

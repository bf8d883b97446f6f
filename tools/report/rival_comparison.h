// A log against another QSO by QSO: the calls and entities of a band that one has and the other
// lacks, and the score lead hour by hour since each contest's start.
#pragma once

#include <string>
#include <vector>

#include "contest_stats.h"
#include "replay_session.h"

// A call or entity one log has on `bands` and the other not.
struct OnlyInOne {
  std::string name;
  std::vector<std::string> bands;  // in the own log's band order, then the other's
};

struct LeadAtHour {
  long long contestHour = 0;  // 0 is the hour of each log's contest start
  long long score = 0, otherScore = 0;  // up to the end of the hour; after a log's last hour, its last
};

struct RivalComparison {
  std::vector<OnlyInOne> ownCalls, otherCalls, ownEntities, otherEntities;  // by name
  std::vector<LeadAtHour> lead;  // from hour 0 to the later log's last
};

// Both logs' counted QSOs of their own contest periods; `*Stats` as ComputeStats made them with the same choices.
RivalComparison CompareWithRival(const ReplayedLog& own, const StatsChoices& ownChoices, const ContestStats& ownStats,
                                 const ReplayedLog& other, const StatsChoices& otherChoices,
                                 const ContestStats& otherStats);

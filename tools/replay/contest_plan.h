// From a log as read to what the replay hands the plug-in.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "country_file.h"
#include "log_file.h"
#include "replay.h"

struct PlanChoices {
  int startFlag = 1;
  std::string ownCall;                     // wins over the log's
  std::optional<double> startDay, endDay;  // win over the log's first and last day
};

struct ContestPlan {
  ContestOpening opening;
  std::vector<LogQso> qsos;    // in time order, entity and own call settled
  std::vector<Problem> notes;  // QSOs whose entity could not be settled as the log has it
};

ContestPlan PlanContest(LogFile log, const CountryFile& countries, const PlanChoices& choices);

// From a log as read to what the replay hands the plug-in: the QSOs in time order, each with its
// entity settled from the country file, and how the contest is opened.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "country_file.h"
#include "log_file.h"

struct ContestOpening {
  int startFlag = 1;  // a report run: header dialog, Cabrillo file
  std::string ownCall;
  std::optional<double> startDay, endDay;  // nothing: a null date-time
};

struct PlanChoices {
  int startFlag = 1;
  std::string ownCall;                     // wins over the log's
  std::optional<double> startDay, endDay;  // win over the log's first and last day
};

// One QSO as the host offers it: the record as read, the rest settled beside it.
struct PlannedQso {
  const LogQso* qso = nullptr;     // into the log the plan was made from, which must outlive it
  const Entity* entity = nullptr;  // from the country file; none when neither number nor call settles it
  SharedText continent;            // the log's, else the entity's where the call lies: "EU"
  std::uint32_t index = 0;         // of the QSO in the log's QSOs, which are in file order
  bool ownCallFromLog = false;     // the record's own call; else the opening's
};

struct ContestPlan {
  ContestOpening opening;
  std::vector<PlannedQso> qsos;  // in time order
  std::vector<Problem> notes;    // QSOs whose entity could not be settled as the log has it
};

// The plan refers into `log` and `countries`: both must outlive it.
ContestPlan PlanContest(const LogFile& log, const CountryFile& countries, const PlanChoices& choices);

// What the plug-in gets for a planned QSO.
const std::string& OwnCallOf(const PlannedQso& planned, const ContestOpening& opening);

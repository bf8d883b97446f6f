// From a log as read to what the replay hands the plug-in: the QSOs in time order, each with its
// entity settled from the country file, and how the contest is opened.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
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

// Called for each QSO in time order; the QSO is valid only during the call.
using PlannedQsoVisitor = std::function<void(const PlannedQso&)>;

struct ContestPlan {
  ContestOpening opening;
  std::vector<PlannedQso> qsos;  // in time order; empty in a plan that reads its QSOs anew
  std::vector<Problem> notes;    // QSOs whose entity could not be settled as the log has it
  // A plan that does not hold its QSOs reads them anew from the log's file whenever they are
  // visited, each planned as it was the first time; the count is the first reading's.
  std::function<void(const PlannedQsoVisitor&)> readQsos;
  std::size_t readCount = 0;

  std::size_t QsoCount() const { return readQsos ? readCount : qsos.size(); }
  void VisitQsos(const PlannedQsoVisitor& visit) const;
};

// The plan refers into `log` and `countries`: both must outlive it.
ContestPlan PlanContest(const LogFile& log, const CountryFile& countries, const PlanChoices& choices);

// The same plan for the log `log` was read from, without its QSOs: they are read from `file` again
// when the replay needs them, so that a long log is not held beside the plug-in's own copy of it.
// None when the log is not in time order, as the replay then needs all its QSOs at once. The
// reading anew throws std::runtime_error when the file no longer holds the same QSOs.
std::optional<ContestPlan> PlanReadingAnew(const ContestPlan& plan, const std::filesystem::path& file,
                                           const FileStamp& read, const CountryFile& countries,
                                           const PlanChoices& choices);

// The log such a plan was made from, read once more whole (for the check); it throws as the
// reading anew does when the file no longer holds the same `qsos` QSOs.
LogFile ReadLogAgain(const std::filesystem::path& file, const FileStamp& read, std::size_t qsos);

// What the plug-in gets for a planned QSO.
const std::string& OwnCallOf(const PlannedQso& planned, const ContestOpening& opening);

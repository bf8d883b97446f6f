// The cross-check's results as text and CSV: the tables a sponsor publishes (overall, by each
// category the logs declare, entity and continent leaders, clubs, checklogs apart), the count of
// each decision, the checking summary, and every decision as CSV. The pages: result_pages.h.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "check_report.h"
#include "entry_rules.h"
#include "log_set.h"

using DecisionCounts = std::array<std::size_t, kDecisionCount>;

struct LogResult {
  std::string call;
  std::string category;  // CATEGORY-OPERATOR as written; empty when the log names none
  std::filesystem::path file;
  EntryHeader header;
  std::string entity, continent;  // of the entrant's call; empty when it has none
  bool checklog = false;
  std::size_t qsos = 0, kept = 0, removed = 0;
  DecisionCounts decisions{};                                     // the log's QSOs per decision
  DecisionCounts removedBy{};                                     // of those, the ones removed
  std::optional<long long> claimed;                               // CLAIMED-SCORE as written
  long long points = 0, multipliers = 0, checked = 0;             // checked, full 64-bit figures
  long long pointsBefore = 0, multipliersBefore = 0, before = 0;  // the log as submitted
  ClockOffset offset;
  std::string reportName;  // the report's file name without extension, unique among the logs
};

// Per table, the logs by checked score, highest first, then call; equal scores share a rank.
std::string ResultsText(const std::vector<LogResult>& results);
// table,rank,call,claimed_score,checked_score,reduction_percent,qsos,kept,removed,<removed per decision>,
// multipliers,file,entity,continent,club,logs: one row per log and table it is in, checklogs in the
// table "checklog", unranked; then "entity leader" and "continent leader" rows (the leader's log,
// logs: the group's), then "club" rows (rank, checked_score: the sum, club, logs: its members).
std::string ResultsCsv(const std::vector<LogResult>& results);

DecisionCounts CountDecisions(const std::vector<std::vector<Verdict>>& verdicts);

struct SummaryFacts {
  const LogSet& set;
  const std::vector<LogResult>& results;
  const CheckContext& context;
  const ContestPeriod& period;
  bool periodFromLogs = true;  // the period the logs told, not the sponsor's --start
  std::vector<std::string> notReported;  // "DL1AA: <why>": logs checked whose report could not be written
};
// The run in a few lines: logs received, processed and passed over, QSOs per decision, what was
// removed, the distribution of error rates, clock offsets, uniques, the most-worked absent
// stations.
std::string SummaryText(const SummaryFacts& facts);

// call,line,decision,kept,right_call,other_call,other_line: one row per QSO of every log, written
// as it is made (the table of a large contest would take as much memory as all the rest).
void WriteDecisionsCsv(const CheckContext& context, std::ostream& out);

// The removed QSOs' decisions, in the order of the results' columns, and their headings ("NIL").
extern const std::array<Decision, 9> kRemovingDecisions;
extern const std::array<const char*, 9> kRemovingColumns;
// How much less the checked score is than the claimed one, in percent, "9.1"; empty without a
// claim.
std::string ReductionPercent(const LogResult& result);

// The cross-check's results: the tables a sponsor publishes (overall, by each category the logs
// declare, entity and continent leaders, clubs, checklogs apart), the count of each decision,
// the checking summary, and every decision as CSV.
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
// multipliers,file: one row per log and table it is in; checklogs in the table CHECKLOG, unranked.
std::string ResultsCsv(const std::vector<LogResult>& results);
// The same tables as one page with a link to each station's page (stations/<report name>.html).
std::string ResultsPage(const std::vector<LogResult>& results, const std::string& summaryText);
// A station's page: its report in full.
std::string StationPage(const LogResult& result, const std::string& reportText);

DecisionCounts CountDecisions(const std::vector<std::vector<Verdict>>& verdicts);

struct SummaryFacts {
  const LogSet& set;
  const std::vector<LogResult>& results;
  const CheckContext& context;
  const ContestPeriod& period;
  std::vector<std::string> notReported;  // "DL1AA: <why>": logs checked whose report could not be written
};
// The run in a few lines: logs received, processed and passed over, QSOs per decision, what was
// removed, the distribution of error rates, clock offsets, uniques, the most-worked absent
// stations.
std::string SummaryText(const SummaryFacts& facts);

// call,line,decision,kept,right_call,other_call,other_line: one row per QSO of every log, written
// as it is made (the table of a large contest would take as much memory as all the rest).
void WriteDecisionsCsv(const CheckContext& context, std::ostream& out);

// The removed QSOs' decisions, in the order of the results' columns.
extern const std::array<Decision, 9> kRemovingDecisions;

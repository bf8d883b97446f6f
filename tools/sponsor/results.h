// The cross-check's results: the table of scores per category, the count of each decision, and
// every decision as CSV.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "check_report.h"
#include "log_set.h"

struct LogResult {
  std::string call;
  std::string category;  // empty when the log names none
  std::filesystem::path file;
  std::size_t qsos = 0, kept = 0, removed = 0;
  long long claimed = 0, checked = 0;
};

// Per category (in name order, none last), the logs by checked score, highest first, then call.
std::string ResultsText(const std::vector<LogResult>& results);
// category,rank,call,claimed_score,checked_score,qsos,kept,removed,file
std::string ResultsCsv(const std::vector<LogResult>& results);

using DecisionCounts = std::array<std::size_t, kDecisionCount>;
DecisionCounts CountDecisions(const std::vector<std::vector<Verdict>>& verdicts);

// The run in a few lines: logs, files passed over, QSOs per decision, what was removed.
std::string SummaryText(const LogSet& set, const std::vector<LogResult>& results, const DecisionCounts& counts,
                        const PenaltyRules& rules, int tolerance);

// call,line,decision,kept,right_call,other_call,other_line: one row per QSO of every log.
std::string DecisionsCsv(const CheckContext& context);

// A log's check report: what the cross-check changed or noted, QSO by QSO, with the evidence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cross_check.h"
#include "log_file.h"
#include "penalty_rules.h"

struct CheckContext {
  const std::vector<CheckedLog>& logs;
  const std::vector<std::vector<Verdict>>& verdicts;
  const PenaltyRules& rules;
  int tolerance;
};

// What the other log shows, in a sentence: "OK1XYZ sent 0034 (its line 88, 80m 2025-03-15 1805)".
std::string EvidenceOf(const CheckContext& context, std::size_t log, std::size_t qso);

// One line for every QSO not simply confirmed, in file order:
//   line 57: <the Cabrillo line> | not in log, removed | <evidence>
// `file`: the log as read, whose QSOs the log's checked QSOs are, one for one.
std::string ReportLines(const CheckContext& context, std::size_t log, const LogFile& file);

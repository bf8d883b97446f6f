// A log's check report: what the cross-check changed or noted, QSO by QSO, with the evidence, and
// what the other logs' checks did to this log's call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cross_check.h"
#include "finding.h"
#include "log_file.h"
#include "penalty_rules.h"

struct CheckContext {
  const std::vector<CheckedLog>& logs;
  const std::vector<std::vector<Verdict>>& verdicts;
  const PenaltyRules& rules;
  int tolerance;
  // The line of a log's QSO as read (the checked QSOs are the log's, one for one): the other
  // log's line is quoted. Empty: the evidence names the line without quoting it.
  std::function<std::string(std::size_t log, std::size_t qso)> lineOf = {};
  // By log, the other logs' QSOs that name it (PointingAt).
  std::vector<std::vector<QsoRef>> pointingAt = {};
  // By log, as the cross-check estimated them; empty: no clock was corrected. The reports show
  // a corrected time beside the written one, since the decisions were taken on it.
  std::span<const ClockOffset> offsets = {};
};

// By log, the QSOs of other logs that cost them something through its call (busted call, wrong
// serial, not in log): those whose verdict names a QSO of that log as its partner, and those not
// in log whose call is that log's but that have no QSO of it to name. What DoneToUs tells.
std::vector<std::vector<QsoRef>> PointingAt(const std::vector<CheckedLog>& logs, const CrossCheckResult& checked);

// What the other log shows, in a sentence: "OK1XYZ sent 0034 (its line 88, 80m 2025-03-15 1805)".
std::string EvidenceOf(const CheckContext& context, std::size_t log, std::size_t qso);

// One line for every QSO not simply confirmed, in file order, but the not-submitted ones (they
// cost nothing and prove nothing; the report counts them):
//   line 57: <the Cabrillo line> | not in log, removed | <evidence>
// `file`: the log as read, whose QSOs the log's checked QSOs are, one for one.
std::string ReportLines(const CheckContext& context, std::size_t log, const LogFile& file);

// The other logs' QSOs that this log's call lost them: a busted call of ours, a serial of ours
// copied wrong, a QSO with us that our log does not have. One line each, by their call and line.
std::string DoneToUs(const CheckContext& context, std::size_t log);

// A finding of the log's own check as an entrant reads it, "NOTE line 5: ...": without the tools'
// inner workings (the plug-in, its problem file, the host); nothing for the kinds the cross-check's
// own lines state better (a QSO the scoring refused, a score past 32 bits), that are none for the
// sponsor (CATEGORY-BAND "ALL") or that tell only what the tools make of the log. Decided by the
// finding's kind, never by its words.
std::optional<std::string> EntrantFinding(const Finding& finding);

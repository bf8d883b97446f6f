// stats.json: the statistics, the plug-in's summary and the check's findings as one JSON object,
// and the smaller form of the same that report.html carries.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "contest_stats.h"
#include "finding.h"
#include "rival_comparison.h"
#include "score_summary.h"

struct LogFigures {
  const ContestStats& stats;
  const std::optional<ScoreSummary>& summary;
};

// The other log of a comparison: last year's, or another station's.
struct ComparedFigures {
  std::string log, call;  // its file name and own call
  LogFigures figures;
  const RivalComparison& rival;
};

// File: everything. Page: the findings grouped with a few of each group, long lists cut at
// kPageListLimit rows (the page tells how many it left out), the other log's figures only those
// the comparison shows.
enum class JsonForm { File, Page };
inline constexpr std::size_t kPageListLimit = 1000;
inline constexpr std::size_t kPageFindingsPerGroup = 100;

std::string StatsJson(const LogFigures& figures, const std::vector<Finding>& findings, const ComparedFigures* compare,
                      JsonForm form);

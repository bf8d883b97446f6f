// stats.json: the statistics, the plug-in's summary and the check's findings as one JSON object.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "contest_stats.h"
#include "finding.h"
#include "score_summary.h"

std::string StatsJson(const ContestStats& stats, const std::optional<ScoreSummary>& summary,
                      const std::vector<Finding>& findings);

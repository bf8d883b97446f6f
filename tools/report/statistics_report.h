// The statistics report of a replayed log: stats.json and report.html in a folder, with another
// log's figures beside its own when one is given to compare with.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "contest_stats.h"
#include "finding.h"
#include "replay_session.h"

struct StatisticsFiles {
  std::filesystem::path json, page;
};

struct ComparedLog {
  std::string log, call;         // its file name and own call
  const ReplayedLog* replayed;   // must outlive the report's writing
  StatsChoices choices;          // its period starts at its own contest's start, when given
};

struct ReportChoices {
  StatsChoices stats;
  std::optional<ComparedLog> compare;
};

// Creates the folder when missing. Throws std::runtime_error when a file cannot be written.
StatisticsFiles WriteStatisticsReport(const std::filesystem::path& folder, const ReplayedLog& replayed,
                                      const std::vector<Finding>& findings, const ReportChoices& choices,
                                      const std::string& heading, const std::string& counts);

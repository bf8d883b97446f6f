// The statistics report of a replayed log: stats.json and report.html in a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "finding.h"
#include "replay_session.h"

struct StatisticsFiles {
  std::filesystem::path json, page;
};

// Creates the folder when missing. Throws std::runtime_error when a file cannot be written.
StatisticsFiles WriteStatisticsReport(const std::filesystem::path& folder, const ReplayedLog& replayed,
                                      const std::vector<Finding>& findings, int minBreakMinutes,
                                      const std::string& heading, const std::string& counts);

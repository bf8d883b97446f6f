// The statistics report of a replayed log: stats.json and report.html in a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "log_check.h"
#include "replayed_log.h"

struct StatisticsFiles {
  std::filesystem::path json, page;
};

// Creates the folder when missing. Throws std::runtime_error when a file cannot be written.
StatisticsFiles WriteStatisticsReport(const std::filesystem::path& folder, const ReplayedLog& replayed,
                                      const std::vector<Finding>& findings, int minBreakMinutes,
                                      const std::string& heading, const std::string& counts);

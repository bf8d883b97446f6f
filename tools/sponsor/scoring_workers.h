// Every log scored through the plug-in and its report written, over worker processes: the
// plug-in's module state is the process's, so each worker loads a plug-in of its own.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "check_report.h"
#include "country_file.h"
#include "log_set.h"
#include "output_folder.h"
#include "results.h"

struct ScoringJob {
  const LogSet& set;
  const CheckContext& context;
  const std::vector<ClockOffset>& offsets;
  const std::vector<std::string>& reportNames;  // by log
  std::filesystem::path plugin;
  const CountryFile& countries;
  std::size_t workers = 1;  // processes; 1 scores in this process
  // The parent's own work, done on a thread of its own while its workers score, or before the
  // scoring when this process scores: it may write into the folder, which nothing else of this
  // process touches meanwhile.
  std::function<void()> meanwhile = [] {};
};

struct ScoringOutcome {
  std::vector<LogResult> results;        // of the logs scored, in log order
  std::vector<std::string> notReported;  // "DL1AA: why", for logs whose report could not be written
};

// Writes reports/<name>.txt and stations/<name>.html into the folder for each log. Throws
// PluginFailure when the plug-in gives no score for a log, std::runtime_error when a worker
// fails otherwise.
ScoringOutcome ScoreAll(const ScoringJob& job, OutputFolder& out);

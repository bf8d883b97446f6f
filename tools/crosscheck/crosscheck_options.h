// The command line of stats-crosscheck.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "date_text.h"
#include "option_reader.h"
#include "penalty_rules.h"

struct CrossCheckOptions {
  std::filesystem::path logFolder;
  std::filesystem::path outFolder = "crosscheck";
  std::filesystem::path plugin;       // empty: the one beside the program
  std::filesystem::path countryFile;  // empty: the platform's default
  std::filesystem::path countryCsv;   // empty: cty.csv beside the country file
  std::filesystem::path receipts;     // empty: no receipt list
  int tolerance = 3;                  // minutes
  bool correctClocks = true;
  std::optional<ContestPeriod> period;  // none: from the logs
  std::size_t jobs = 0;                 // worker processes; 0: one per core
  PenaltyRules rules;
  bool help = false;
};

extern const char* const kCrossCheckUsage;

// The arguments after the program name. Throws UsageError.
CrossCheckOptions ParseCrossCheckOptions(const std::vector<std::string>& args);

// The command line of stats-crosscheck.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "penalty_rules.h"

struct CrossCheckOptions {
  std::filesystem::path logFolder;
  std::filesystem::path outFolder = "crosscheck";
  std::filesystem::path plugin;       // empty: the one beside the program
  std::filesystem::path countryFile;  // empty: the platform's default
  std::filesystem::path countryCsv;   // empty: cty.csv beside the country file
  int tolerance = 3;                  // minutes
  PenaltyRules rules;
  bool help = false;
};

struct CrossCheckUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

extern const char* const kCrossCheckUsage;

// The arguments after the program name. Throws CrossCheckUsageError.
CrossCheckOptions ParseCrossCheckOptions(const std::vector<std::string>& args);

// The command line of stats-replay.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct Options {
  std::filesystem::path log;
  std::filesystem::path plugin;  // empty: the one beside the program
  std::filesystem::path outFolder = ".";
  std::filesystem::path countryFile;  // empty: the platform's default
  std::filesystem::path countryCsv;   // empty: cty.csv beside the country file
  std::string ownCall;
  std::optional<double> startDay, endDay;
  bool noReport = false;
  bool verbose = false;
  bool unattended = false;
  bool help = false;
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

extern const char* const kUsage;

// The arguments after the program name. Throws UsageError.
Options ParseOptions(const std::vector<std::string>& args);

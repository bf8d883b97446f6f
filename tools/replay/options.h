// The command line of stats-replay.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "date_text.h"
#include "option_reader.h"

struct Options {
  std::filesystem::path log;
  std::filesystem::path plugin;  // empty: the one beside the program
  std::filesystem::path outFolder = ".";
  std::filesystem::path countryFile;  // empty: the platform's default
  std::filesystem::path countryCsv;   // empty: cty.csv beside the country file
  std::string ownCall;
  std::optional<double> startDay, endDay;  // as given, date or date-time: the dates the plug-in gets
  // The contest period the check holds QSOs against, from --start up to but not including --end
  // (a date alone is the whole day), or the contest's 24 hours. Nothing: not checked.
  std::optional<ContestPeriod> period;
  bool check = false;                 // also on with a report folder
  std::filesystem::path reportFolder;  // empty: no statistics report
  int minBreakMinutes = 30;
  std::uint32_t runToleranceHz = 100;  // the report's run rule
  int runMinQsos = 3;
  std::string locator;                  // the operator's, upper case; empty: the own call's entity
  std::filesystem::path compareLog;     // empty: no comparison
  std::optional<ContestPeriod> comparePeriod;  // the other log's, from --compare-start; none: all of it
  std::filesystem::path callList;  // empty: MASTER.SCP beside the country file
  bool noReport = false;
  bool verbose = false;
  bool unattended = false;
  bool help = false;
};

extern const char* const kUsage;

// The arguments after the program name. Throws UsageError.
Options ParseOptions(const std::vector<std::string>& args);

// What the replay tests share: the native plug-in loaded once, the country file, and a log
// replayed and checked as stats-replay does it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "call_list.h"
#include "contest_plan.h"
#include "country_file.h"
#include "log_check.h"
#include "log_file.h"
#include "plugin_library.h"
#include "replay_session.h"
#include "test_files.h"

namespace replay_test {

namespace fs = std::filesystem;

inline const StatsEntryPoints& Plugin() {
  static const PluginLibrary library(STATS_PLUGIN_FILE);
  return library.entryPoints();
}

inline const CountryFile& Countries() {
  static const CountryFile file = CountryFile::Load(COUNTRY_DAT_FILE, COUNTRY_CSV_FILE);
  return file;
}

inline const CallList& KnownCalls() {
  static const CallList list = CallList::Load(CALL_LIST_FILE);
  return list;
}

// A log replayed through the plug-in in `folder`, with what the replay found. The plan refers into
// the log: moving the whole keeps it valid, copying it would not.
struct CheckedReplay {
  LogFile log;
  ContestPlan plan;
  ReplayedLog replayed;
};

inline CheckedReplay ReplayForCheck(const fs::path& folder, const fs::path& logFile, const PlanChoices& choices = {}) {
  CheckedReplay run;
  run.log = ReadLogFile(logFile);
  run.plan = PlanContest(run.log, Countries(), choices);
  run.replayed = ReplayInFolder(folder, Plugin(), run.plan).replayed;
  return run;
}

}  // namespace replay_test

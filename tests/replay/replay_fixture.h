// What the replay tests share: a fresh folder per test, the native plug-in loaded once, the
// country file, and a log replayed and checked as stats-replay does it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "call_list.h"
#include "contest_plan.h"
#include "country_file.h"
#include "log_check.h"
#include "log_file.h"
#include "plugin_library.h"
#include "replay_folder.h"
#include "replayed_log.h"

namespace replay_test {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder()
      : path_(fs::temp_directory_path() /
              ("stats-replay-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  fs::path operator/(const char* name) const { return path_ / name; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

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

inline std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in) << file;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A log replayed through the plug-in in `folder`, with what the replay found.
struct CheckedReplay {
  LogFile log;
  ContestPlan plan;
  ReplayedLog replayed;
  ReplayCounts counts;
};

inline CheckedReplay ReplayForCheck(const fs::path& folder, const fs::path& logFile, const PlanChoices& choices = {}) {
  CheckedReplay run;
  run.log = ReadLogFile(logFile);
  run.plan = PlanContest(run.log, Countries(), choices);
  ReplayRecorder recorder(folder / "err.txt");
  const FolderReplay done =
      ReplayInFolder(folder, Plugin(), run.plan.opening, run.plan.qsos,
                     [&](std::size_t, const LogQso& qso, int, QsoFate fate) { recorder.Take(qso, fate); });
  run.replayed = std::move(recorder.log());
  run.replayed.notes = run.plan.notes;
  run.replayed.summary = done.result.summary;
  run.counts = done.result.counts;
  return run;
}

}  // namespace replay_test

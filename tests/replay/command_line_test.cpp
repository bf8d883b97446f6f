// stats-replay as a user runs it: what it prints, where, and its exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

namespace fs = std::filesystem;

class CommandLine : public ::testing::Test {
 protected:
  struct Outcome {
    int exitCode;
    std::string out, err;
  };

  void SetUp() override {
    temp_.emplace();
    folder_ = temp_->path();
  }
  void TearDown() override { temp_.reset(); }

  fs::path Write(const char* name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }

  Outcome Replay(const std::string& arguments) const {
    const fs::path out = folder_ / "stdout", err = folder_ / "stderr", code = folder_ / "exit";
    const std::string command = "'" STATS_REPLAY_FILE "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() +
                                "'; echo $? >'" + code.string() + "'";
    std::system(command.c_str());
    return {std::stoi(FileBytes(code)), FileBytes(out), FileBytes(err)};
  }

  std::string Folder() const { return "'" + folder_.string() + "'"; }
  std::optional<TempFolder> temp_;
  fs::path folder_;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(CommandLine, TheSampleReplaysCleanly) {
  const Outcome o = Replay("--out " + Folder() + "/run '" SAMPLE_LOG_FILE "'");
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_TRUE(o.out.starts_with("  PSK-TORVALE 15.03-16.03.2025 \n     Contestant: N0CALL\n")) << o.out;
  EXPECT_TRUE(Has(o.out, " s: 388 accepted, 5 flagged as dupes, 7 rejected\nRecords skipped: 0\nFiles written:\n  " +
                             fs::canonical(folder_).string() + "/run/N0CALL.cbr\n"))
      << o.out;
  EXPECT_EQ(o.err, "Output: File produced: N0CALL.cbr\n");
}

TEST_F(CommandLine, VerboseTellsEveryCallCheck) {
  const Outcome o = Replay("--verbose --out " + Folder() + " '" SAMPLE_LOG_FILE "'");
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_TRUE(Has(o.out, "sample-contest.adi:5: JK3DGX 40m BPSK63: call check 2 (new multiplier), accepted\n"))
      << o.out;
  std::size_t dupes = 0;
  for (std::size_t at = 0; (at = o.out.find("call check 0 (dupe), stored as dupe\n", at)) != std::string::npos; ++at)
    ++dupes;
  EXPECT_EQ(dupes, 5u);
}

TEST_F(CommandLine, ABrokenLogIsReplayedAsFarAsItCanBeRead) {
  const fs::path log = Write("broken.adi",
                             "Broken on purpose\n<EOH>\n"
                             "<CALL:6>DL1ABC <QSO_DATE:8>20250315 <TIME_ON:4>1203 <BAND:3>80M <MODE:6>BPSK63 "
                             "<STX:1>1 <SRX:1>5 <EOR>\n"
                             "<CALL:6>OK1ABC <QSO_DATE:8>20250315 <TIME_ON:x>1204 <BAND:3>80M <EOR>\n"
                             "<CALL:6>SP1ABC <QSO_DATE:8>20250332 <TIME_ON:4>1205 <BAND:3>80M <EOR>\n"
                             "<CALL:6>Q1ABCD <QSO_DATE:8>20250315 <TIME_ON:4>1206 <BAND:3>40M <MODE:6>BPSK63 "
                             "<STX:1>2 <SRX:1>9 <EOR>\n"
                             "<CALL:6>S51ABC <QSO_DATE:8>20250315 <TIME_ON:4>1207 <BAND:3>40M\n");
  const Outcome o = Replay("--out " + Folder() + " --own-call N0CALL '" + log.string() + "'");
  EXPECT_EQ(o.exitCode, 1);
  const std::string where = log.string() + ":";
  EXPECT_EQ(o.err, where + "4: malformed tag <TIME_ON:x>; the record from line 4 is skipped\n" + where +
                       "5: record skipped: QSO_DATE '20250332' is no date (YYYYMMDD)\n" + where +
                       "7: the last record is not closed by <EOR>; it is skipped\n" + where +
                       "6: no DXCC entity for Q1ABCD\n"
                       "Output: File produced: N0CALL.cbr\n");
  EXPECT_TRUE(Has(o.out, "Replayed 2 QSOs in ")) << o.out;
  EXPECT_TRUE(
      Has(o.out, " s: 2 accepted, 0 flagged as dupes, 0 rejected\nRecords skipped: 3 (see the messages above)\n"))
      << o.out;
}

TEST_F(CommandLine, TheCheckAfterTheReplay) {
  const Outcome plain = Replay("--out " + Folder() + "/plain '" SAMPLE_LOG_FILE "'");
  const Outcome o = Replay("--check --out " + Folder() + "/run '" SAMPLE_LOG_FILE "'");
  EXPECT_EQ(o.exitCode, 0) << o.err;
  // What a replay prints comes first, unchanged but for the folder and the time taken.
  const std::string replayed = o.out.substr(0, o.out.find("\nWARNING line "));
  EXPECT_EQ(replayed.substr(0, replayed.find("Replayed ")), plain.out.substr(0, plain.out.find("Replayed ")));
  EXPECT_TRUE(
      Has(o.out,
          "\nWARNING line 124: mode RTTY is not BPSK63, the only mode of this contest: the plug-in rejected the "
          "QSO; err.txt got: QSO:  7057  RTTY  2025-03-15 1442  N0CALL  599  0120  PY4LH  599  0090   NO "
          "CONTEST MODE !!!\n"))
      << o.out;
  EXPECT_TRUE(o.out.ends_with("\nCheck: 0 errors, 7 warnings, 5 notes\n")) << o.out;
  EXPECT_EQ(o.err, "Output: File produced: N0CALL.cbr\n");
}

TEST_F(CommandLine, AnErrorMakesExitCodeFourTheReportItsFiles) {
  const Outcome o = Replay("--out " + Folder() + "/run --report " + Folder() +
                           "/stats --start 2025-03-15T12:00 "
                           "--end '2025-03-16 1200' '" SEEDED_CABRILLO_FILE "'");
  EXPECT_EQ(o.exitCode, 4) << o.err;
  EXPECT_TRUE(Has(o.out, "\nERROR line 21: QSO at 2025-03-15 1159 is before the contest's start, 2025-03-15 1200\n"))
      << o.out;
  EXPECT_TRUE(Has(o.out, "\nCheck: 14 errors, 17 warnings, 3 notes\nReport written:\n  " + folder_.string() +
                             "/stats/stats.json\n  " + folder_.string() + "/stats/report.html\n"))
      << o.out;
  EXPECT_TRUE(fs::file_size(folder_ / "stats" / "report.html") > 100'000);
  // The readers' messages are findings now, not lines of their own.
  EXPECT_EQ(o.err, "Output: File produced: N0CALL.cbr\n");
}

TEST_F(CommandLine, SkippedRecordsWithoutErrorsStillSayOne) {
  const fs::path log = Write("skips.adi",
                             "<CALL:6>DL1WA <QSO_DATE:8>20250315 <TIME_ON:4>1203 <BAND:3>80M <FREQ:5>3.582 "
                             "<MODE:6>BPSK63 <RST_SENT:3>599 <RST_RCVD:3>599 <STX:1>1 <SRX:1>5 <EOR>\n"
                             "<CALL:4>OK1T <QSO_DATE:8>20250332 <TIME_ON:4>1205 <BAND:3>80M <EOR>\n");
  const Outcome o = Replay("--check --own-call N0CALL --out " + Folder() + " '" + log.string() + "'");
  EXPECT_EQ(o.exitCode, 1) << o.out << o.err;
  EXPECT_TRUE(Has(o.out, "\nRecords skipped: 1 (see the findings below)\n")) << o.out;
  EXPECT_TRUE(Has(o.out, "\nWARNING line 2: record skipped: QSO_DATE '20250332' is no date (YYYYMMDD)\n")) << o.out;
}

TEST_F(CommandLine, TheReportComparesWithAnotherLogAndLeavesNothingOfIt) {
  const Outcome o = Replay("--out " + Folder() + "/run --report " + Folder() + "/stats --locator JO62QM --compare '" +
                           SAMPLE_LOG_FILE "' '" SAMPLE_LOG_FILE "'");
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_TRUE(Has(o.out, "\nCompared with sample-contest.adi: 400 QSOs replayed, 388 accepted, 5 flagged as dupes, "
                         "7 rejected; records skipped: 0\nReport written:\n"))
      << o.out;
  const std::string json = FileBytes(folder_ / "stats" / "stats.json");
  EXPECT_TRUE(Has(json, "\"compare\": {\n    \"log\": \"sample-contest.adi\",\n    \"call\": \"N0CALL\","));
  EXPECT_TRUE(Has(json, "\"map_origin\": {\"latitude\": 52.52, \"longitude\": 13.38, \"from\": \"locator JO62QM\"}"));
  // The other log was replayed elsewhere: the run folder holds this log's files only.
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(folder_ / "run")) files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, std::vector<std::string>({"N0CALL.cbr", "Plugins", "err.txt"}));
}

TEST_F(CommandLine, AComparedLogThatCannotBeReadStopsTheRunAtOnce) {
  const Outcome o = Replay("--out " + Folder() + "/run --report " + Folder() + "/stats --compare " + Folder() +
                           "/missing.adi '" SAMPLE_LOG_FILE "'");
  EXPECT_EQ(o.exitCode, 2);
  EXPECT_EQ(o.err, "stats-replay: " + folder_.string() + "/missing.adi: cannot be read\n");
  EXPECT_FALSE(fs::exists(folder_ / "run"));
}

TEST_F(CommandLine, WhatStopsARunIsNamed) {
  const Outcome usage = Replay("--start 2025-13-01 x.adi");
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_TRUE(usage.err.starts_with(
      "stats-replay: --start: '2025-13-01' is no date YYYY-MM-DD or date and time YYYY-MM-DD HHMM, from 1900 to "
      "2100\nusage: "))
      << usage.err;

  const Outcome noLog = Replay(Folder() + "/missing.adi");
  EXPECT_EQ(noLog.exitCode, 2);
  EXPECT_EQ(noLog.err, "stats-replay: " + folder_.string() + "/missing.adi: cannot be read\n");

  const Outcome folderAsLog = Replay(Folder());
  EXPECT_EQ(folderAsLog.exitCode, 2);
  EXPECT_EQ(folderAsLog.err, "stats-replay: " + folder_.string() + ": cannot be read\n");

  const fs::path log = Write("one.adi",
                             "<CALL:6>DL1ABC <QSO_DATE:8>20250315 <TIME_ON:4>1203 <BAND:3>80M <MODE:6>BPSK63 "
                             "<STX:1>1 <SRX:1>5 <EOR>");
  const Outcome noPlugin = Replay("--plugin " + Folder() + "/libNone.so '" + log.string() + "'");
  EXPECT_EQ(noPlugin.exitCode, 2);
  EXPECT_TRUE(noPlugin.err.starts_with("stats-replay: " + folder_.string() + "/libNone.so: cannot be loaded: "))
      << noPlugin.err;

  const Outcome noCountries = Replay("--cty " + Folder() + "/cty.dat '" + log.string() + "'");
  EXPECT_EQ(noCountries.exitCode, 2);
  EXPECT_EQ(noCountries.err, "stats-replay: " + folder_.string() + "/cty.dat: cannot be read\n");

  const Outcome noCallList = Replay("--check --scp " + Folder() + "/none.scp '" + log.string() + "'");
  EXPECT_EQ(noCallList.exitCode, 2);
  EXPECT_EQ(noCallList.err, "stats-replay: " + folder_.string() + "/none.scp: cannot be read\n");

  const Outcome help = Replay("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("usage: stats-replay [options] LOG\n"));
}

}  // namespace

// A generated contest of more than 200 logs with 600 injected faults, through the program itself:
// every QSO line's decision against the generator's truth, and every score in the results table
// against a plain count of the kept QSOs, done here without the plug-in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "country_file.h"
#include "test_files.h"
#include "log_file.h"

namespace {

namespace fs = std::filesystem;

using Row = std::vector<std::string>;

// name -> column, and the rows; none of these files quotes a field.
struct Csv {
  std::map<std::string, std::size_t> column;
  std::vector<Row> rows;
  const std::string& At(const Row& row, const std::string& name) const { return row.at(column.at(name)); }
};

Csv ReadCsv(const fs::path& file) {
  std::ifstream in(file);
  EXPECT_TRUE(in) << file;
  Csv csv;
  std::string line;
  for (bool header = true; std::getline(in, line); header = false) {
    Row fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, ',');) fields.push_back(field);
    if (line.ends_with(',')) fields.emplace_back();
    if (header) {
      for (std::size_t i = 0; i < fields.size(); ++i) csv.column[fields[i]] = i;
    } else {
      csv.rows.push_back(fields);
    }
  }
  return csv;
}

int ExitCodeOf(const std::string& command) {
  const int status = std::system((command + " >/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const CountryFile& Countries() {
  static const CountryFile file = CountryFile::Load(COUNTRY_DAT_FILE, COUNTRY_CSV_FILE);
  return file;
}

// The contest's rule counted plainly: one point per QSO in the contest mode with both serials,
// the first with a call on a band only; times the distinct entities plus the distinct calls,
// both per band.
struct PlainScore {
  long long points = 0, multipliers = 0;
  long long Score(long long deducted = 0) const { return std::max(0LL, points - deducted) * multipliers; }
};

PlainScore PlainScoreOf(std::vector<LogQso> qsos) {
  std::stable_sort(qsos.begin(), qsos.end(), [](const LogQso& a, const LogQso& b) { return a.days < b.days; });
  std::set<std::pair<std::string, std::string>> calls, entities;
  PlainScore score;
  for (const LogQso& q : qsos) {
    if (q.mode != "BPSK63" || q.exchSent.empty() || q.exchRcvd.empty()) continue;
    if (!calls.insert({q.band, q.call}).second) continue;
    ++score.points;
    const std::optional<CountryMatch> match = Countries().ForCall(q.call);
    entities.insert({q.band, match ? match->entity->name : ""});
  }
  score.multipliers = static_cast<long long>(calls.size() + entities.size());
  return score;
}

class GeneratedContest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    suiteFolder_ = new TempFolder;
    folder_ = suiteFolder_->path();
    ASSERT_EQ(ExitCodeOf("python3 " MAKE_CONTEST_SCRIPT " --logs 210 --qsos-per-log 60 --faults 600 --second-files 6 "
                         "--seed 7 --out " +
                         folder_.string()),
              0);
    ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) + " --out " + (folder_ / "out").string() + " " +
                         (folder_ / "logs").string()),
              0);
    truth_ = ReadCsv(folder_ / "truth.csv");
  }
  static void TearDownTestSuite() { delete suiteFolder_; }

  // The truth as (call, line) -> row.
  static std::map<std::pair<std::string, std::string>, const Row*> TruthByLine() {
    std::map<std::pair<std::string, std::string>, const Row*> byLine;
    for (const Row& row : truth_.rows) byLine[{truth_.At(row, "call"), truth_.At(row, "line")}] = &row;
    return byLine;
  }

  // Each log's kept QSOs by the truth's decisions, and how many QSOs not in log or busted it has.
  struct Expected {
    std::vector<LogQso> all, kept;
    long long penalised = 0;
  };
  static std::map<std::string, Expected> ExpectedLogs(const std::set<std::string>& removed) {
    std::map<std::string, std::map<std::size_t, std::string>> decisions;  // call -> line -> decision
    std::map<std::string, std::string> files;
    for (const Row& row : truth_.rows) {
      decisions[truth_.At(row, "call")][std::stoul(truth_.At(row, "line"))] = truth_.At(row, "decision");
      files[truth_.At(row, "call")] = truth_.At(row, "file");
    }
    std::map<std::string, Expected> expected;
    for (const auto& [call, file] : files) {
      Expected& e = expected[call];
      e.all = ReadLogFile(folder_ / "logs" / file).qsos;
      for (const LogQso& q : e.all) {
        const std::string& decision = decisions[call].at(q.line);
        if (!removed.count(decision)) e.kept.push_back(q);
        e.penalised += decision == "not in log" || decision == "busted call";
      }
    }
    return expected;
  }

  static void ExpectScores(const fs::path& resultsCsv, const std::set<std::string>& removed, long long extraPenalty) {
    const Csv results = ReadCsv(resultsCsv);
    std::map<std::string, Expected> expected = ExpectedLogs(removed);
    ASSERT_EQ(results.rows.size(), expected.size());
    for (const Row& row : results.rows) {
      const std::string& call = results.At(row, "call");
      const Expected& e = expected.at(call);
      EXPECT_EQ(std::stoll(results.At(row, "claimed_score")), PlainScoreOf(e.all).Score()) << call;
      EXPECT_EQ(std::stoll(results.At(row, "checked_score")), PlainScoreOf(e.kept).Score(e.penalised * extraPenalty))
          << call;
      EXPECT_EQ(std::stoul(results.At(row, "kept")), e.kept.size()) << call;
      EXPECT_EQ(std::stoul(results.At(row, "removed")), e.all.size() - e.kept.size()) << call;
    }
  }

  static TempFolder* suiteFolder_;  // one generated contest for the whole suite
  static fs::path folder_;
  static Csv truth_;
};

TempFolder* GeneratedContest::suiteFolder_ = nullptr;
fs::path GeneratedContest::folder_;
Csv GeneratedContest::truth_;

const std::set<std::string> kRemovedByDefault = {"not in log", "busted call", "wrong serial received", "band mismatch"};

TEST_F(GeneratedContest, EveryQsoGetsTheDecisionOfTheTruth) {
  std::set<std::string> logs;
  std::size_t faults = 0;
  for (const Row& row : truth_.rows) {
    logs.insert(truth_.At(row, "call"));
    faults += truth_.At(row, "fault") != "clean";
  }
  ASSERT_GE(logs.size(), 200u);
  ASSERT_GE(faults, 500u);

  const Csv decided = ReadCsv(folder_ / "out" / "decisions.csv");
  ASSERT_EQ(decided.rows.size(), truth_.rows.size());
  const auto truth = TruthByLine();
  std::map<std::string, std::size_t> wrong;
  for (const Row& row : decided.rows) {
    const auto expected = truth.find({decided.At(row, "call"), decided.At(row, "line")});
    ASSERT_NE(expected, truth.end()) << decided.At(row, "call") << " line " << decided.At(row, "line");
    const Row& t = *expected->second;
    const bool same = decided.At(row, "decision") == truth_.At(t, "decision") &&
                      decided.At(row, "right_call") == truth_.At(t, "right_call");
    if (!same) {
      ++wrong[truth_.At(t, "fault")];
      ADD_FAILURE() << decided.At(row, "call") << " line " << decided.At(row, "line") << " (" << truth_.At(t, "fault")
                    << "): " << decided.At(row, "decision") << " " << decided.At(row, "right_call") << ", truth "
                    << truth_.At(t, "decision") << " " << truth_.At(t, "right_call");
    }
  }
  EXPECT_TRUE(wrong.empty());
}

TEST_F(GeneratedContest, ScoresEqualAPlainCountOfTheKeptQsos) {
  ExpectScores(folder_ / "out" / "results.csv", kRemovedByDefault, 0);
}

TEST_F(GeneratedContest, PenaltyOptionsChangeWhatIsKeptAndTheScore) {
  const fs::path out = folder_ / "out-penalties";
  ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) +
                       " --unique-penalty --keep-band-mismatch --extra-penalty 2 --out " + out.string() + " " +
                       (folder_ / "logs").string()),
            0);
  ExpectScores(out / "results.csv", {"not in log", "busted call", "wrong serial received", "unique"}, 2);
}

TEST_F(GeneratedContest, TheNewestFileOfACallIsChecked) {
  std::map<std::string, std::string> truthFile;
  for (const Row& row : truth_.rows) truthFile[truth_.At(row, "call")] = truth_.At(row, "file");
  const Csv results = ReadCsv(folder_ / "out" / "results.csv");
  for (const Row& row : results.rows) EXPECT_EQ(results.At(row, "file"), truthFile.at(results.At(row, "call")));

  const std::string summary = FileBytes(folder_ / "out" / "summary.txt");
  std::size_t older = 0;
  for (std::size_t at = 0; (at = summary.find(": an older file for ", at)) != std::string::npos; ++at) ++older;
  EXPECT_EQ(older, 6u) << summary;
}

TEST_F(GeneratedContest, ReportsShowEveryChangedQsoWithItsLine) {
  const std::set<std::string> notReported = {"confirmed"};
  std::map<std::string, std::vector<std::string>> fileLines;
  std::size_t checkedLines = 0;
  for (const Row& row : truth_.rows) {
    if (notReported.count(truth_.At(row, "decision"))) continue;
    const std::string& call = truth_.At(row, "call");
    std::vector<std::string>& lines = fileLines[call];
    if (lines.empty()) {
      std::istringstream in(FileBytes(folder_ / "logs" / truth_.At(row, "file")));
      for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
    }
    const std::string report = FileBytes(folder_ / "out" / "reports" / (call + ".txt"));
    const std::size_t line = std::stoul(truth_.At(row, "line"));
    const std::string expected = "line " + std::to_string(line) + ": " + lines.at(line - 1) + " | " +
                                 truth_.At(row, "decision") +
                                 (kRemovedByDefault.count(truth_.At(row, "decision")) ? ", removed | " : ", kept | ");
    EXPECT_NE(report.find(expected), std::string::npos) << expected;
    ++checkedLines;
  }
  EXPECT_GT(checkedLines, 1000u);
}

TEST_F(GeneratedContest, TheSummaryCountsEachDecision) {
  std::map<std::string, std::size_t> counts;
  std::set<std::string> logs;
  std::size_t removed = 0;
  for (const Row& row : truth_.rows) {
    ++counts[truth_.At(row, "decision")];
    logs.insert(truth_.At(row, "call"));
    removed += kRemovedByDefault.count(truth_.At(row, "decision"));
  }
  const std::string summary = FileBytes(folder_ / "out" / "summary.txt");
  EXPECT_TRUE(summary.starts_with(std::to_string(logs.size()) + " logs cross-checked, " +
                                  std::to_string(truth_.rows.size()) + " QSOs, " + std::to_string(removed) +
                                  " removed; time tolerance 3 minutes\n"))
      << summary;
  for (const auto& [decision, count] : counts) {
    char line[96];
    std::snprintf(line, sizeof line, "  %-22s %9zu  %5.1f %%  %s\n", decision.c_str(), count,
                  100.0 * static_cast<double>(count) / static_cast<double>(truth_.rows.size()),
                  kRemovedByDefault.count(decision) ? "removed" : "kept");
    EXPECT_NE(summary.find(line), std::string::npos) << line << summary;
  }
}

TEST_F(GeneratedContest, EachReportOpensWithItsLogsFigures) {
  const std::map<std::string, Expected> expected = ExpectedLogs(kRemovedByDefault);
  for (const auto& [call, e] : expected) {
    const std::string report = FileBytes(folder_ / "out" / "reports" / (call + ".txt"));
    const std::string figures = std::to_string(e.all.size()) + " QSOs checked: " + std::to_string(e.kept.size()) +
                                " kept, " + std::to_string(e.all.size() - e.kept.size()) + " removed; claimed score " +
                                std::to_string(PlainScoreOf(e.all).Score()) + ", checked score " +
                                std::to_string(PlainScoreOf(e.kept).Score()) + "\n";
    EXPECT_NE(report.find(figures), std::string::npos) << figures << report.substr(0, 200);
  }
}

}  // namespace

namespace {

// The program on two hand-made logs: the log's own check sits in its report, with the line the
// plug-in wrote into its problem file while the cross-check replayed the log.
TEST(CrossCheckProgram, TheReportHoldsTheLogsOwnCheck) {
  const TempFolder temp;
  const fs::path& folder = temp.path();
  fs::create_directories(folder / "logs");
  auto write = [&](const std::string& name, const std::string& call, const std::vector<std::string>& qsos) {
    std::ofstream out(folder / "logs" / name, std::ios::binary);
    out << "START-OF-LOG: 3.0\r\nCALLSIGN: " << call << "\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n";
    for (const std::string& q : qsos) out << "QSO: " << q << "\r\n";
    out << "END-OF-LOG:\r\n";
  };
  write("dl1aa.log", "DL1AA",
        {" 3580 PM 2025-03-15 1200 DL1AA         599 0001   OK1BB         599 0001",
         " 3580 RY 2025-03-15 1300 DL1AA         599 0002   OK1BB         599 0002"});
  write("ok1bb.log", "OK1BB", {" 3580 PM 2025-03-15 1200 OK1BB         599 0001   DL1AA         599 0001"});
  ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) + " --out " + (folder / "out").string() + " " +
                       (folder / "logs").string()),
            0);
  const std::string report = FileBytes(folder / "out" / "reports" / "DL1AA.txt");
  EXPECT_NE(report.find("2 QSOs checked: 1 kept, 1 removed; claimed score 2, checked score 2\n"), std::string::npos)
      << report;
  EXPECT_NE(report.find(" line 5: mode RY is not PM (BPSK63)"), std::string::npos) << report;
  EXPECT_NE(report.find("QSO:  3580  RY  2025-03-15 1300  DL1AA  599  0002  OK1BB  599  0002   NO CONTEST MODE !!!"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("line 5: QSO:  3580 RY 2025-03-15 1300 DL1AA         599 0002   OK1BB         599 0002 | "
                        "not in log, removed"),
            std::string::npos)
      << report;
}

}  // namespace

// A generated contest of more than 200 logs with 600 injected faults, through the program itself:
// every QSO line's decision against the generator's truth, and every score in the results table
// against a plain count of the kept QSOs, done here without the plug-in.
#include <gtest/gtest.h>
#include <sys/wait.h>
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

#include "contest_rules.h"
#include "country_file.h"
#include "log_file.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

using Row = std::vector<std::string>;

// name -> column, and the rows; a field in quotes may hold commas ("Juan de Nova, Europa").
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
    Row fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += line[++i];
      } else if (line[i] == '"') {
        quoted = !quoted;
      } else if (line[i] == ',' && !quoted) {
        fields.emplace_back();
      } else {
        fields.back() += line[i];
      }
    }
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
    // A call of no entity counts its point, but no entity.
    if (const std::optional<CountryMatch> match = Countries().ForCall(q.call)) {
      entities.insert({q.band, match->entity->name});
    }
  }
  score.multipliers = static_cast<long long>(calls.size() + entities.size());
  return score;
}

class GeneratedContest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    suiteFolder_ = new TempFolder;
    folder_ = suiteFolder_->path();
    ASSERT_EQ(ExitCodeOf("python3 " MAKE_CONTEST_SCRIPT " --logs 210 --qsos-per-log 60 --faults 700 --second-files 6 "
                         "--seed 7 --clock-offsets 6 --header-calls 4 --single-band 6 --outside 20 --twenty 20 "
                         "--utf16 4 --cr-only 3 --portables 6 --double-busts 8 --out " +
                         folder_.string()),
              0);
    ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) + " --out " + (folder_ / "out").string() + " " +
                         (folder_ / "logs").string()),
              0);
    truth_ = ReadCsv(folder_ / "truth.csv");
    for (const Row& row : truth_.rows) files_[truth_.At(row, "call")] = truth_.At(row, "file");
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

  // CLAIMED-SCORE as the file writes it; empty when it has none.
  static std::string ClaimedOf(const std::string& file) {
    for (const CabrilloLine& line : ReadLogFile(folder_ / "logs" / file).cabrilloLines) {
      if (line.tag == "CLAIMED-SCORE") return line.value;
    }
    return "";
  }

  // The rows of the overall table and of the checklogs: each log once.
  static std::vector<Row> EachLogOnce(const Csv& results) {
    std::vector<Row> rows;
    for (const Row& row : results.rows) {
      if (results.At(row, "table") == "overall" || results.At(row, "table") == "checklog") rows.push_back(row);
    }
    return rows;
  }

  static void ExpectScores(const fs::path& resultsCsv, const std::set<std::string>& removed, long long extraPenalty) {
    const Csv results = ReadCsv(resultsCsv);
    std::map<std::string, Expected> expected = ExpectedLogs(removed);
    const std::vector<Row> rows = EachLogOnce(results);
    ASSERT_EQ(rows.size(), expected.size());
    for (const Row& row : rows) {
      const std::string& call = results.At(row, "call");
      ASSERT_TRUE(expected.count(call)) << call;
      const Expected& e = expected.at(call);
      EXPECT_EQ(results.At(row, "claimed_score"), ClaimedOf(results.At(row, "file"))) << call;
      EXPECT_EQ(std::stoll(results.At(row, "checked_score")), PlainScoreOf(e.kept).Score(e.penalised * extraPenalty))
          << call;
      EXPECT_EQ(std::stoul(results.At(row, "kept")), e.kept.size()) << call;
      EXPECT_EQ(std::stoul(results.At(row, "removed")), e.all.size() - e.kept.size()) << call;
    }
  }

  static TempFolder* suiteFolder_;  // one generated contest for the whole suite
  static fs::path folder_;
  static Csv truth_;
  static std::map<std::string, std::string> files_;  // call: its file
};

TempFolder* GeneratedContest::suiteFolder_ = nullptr;
fs::path GeneratedContest::folder_;
Csv GeneratedContest::truth_;
std::map<std::string, std::string> GeneratedContest::files_;

const std::set<std::string> kRules = {"not the contest's mode", "not a contest band", "outside the contest period",
                                      "not the entry's band"};
const std::set<std::string> kRemovedByDefault = {"not in log",
                                                 "busted call",
                                                 "wrong serial received",
                                                 "band mismatch",
                                                 "not the contest's mode",
                                                 "not a contest band",
                                                 "outside the contest period",
                                                 "not the entry's band"};

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

// A club's row against its members' rows of the overall table, which name it.
TEST_F(GeneratedContest, EachClubRowSumsTheLogsThatCountForIt) {
  const Csv results = ReadCsv(folder_ / "out" / "results.csv");
  std::map<std::string, std::pair<long long, std::size_t>> members;  // club: sum, logs
  std::map<std::string, std::pair<long long, std::size_t>> clubs;
  for (const Row& row : results.rows) {
    const std::string& club = results.At(row, "club");
    if (results.At(row, "table") == "overall" && !club.empty()) {
      members[club].first += std::stoll(results.At(row, "checked_score"));
      ++members[club].second;
    } else if (results.At(row, "table") == "club") {
      clubs[club] = {std::stoll(results.At(row, "checked_score")), std::stoul(results.At(row, "logs"))};
    }
  }
  EXPECT_EQ(clubs.size(), 2u);  // the generator's two clubs
  EXPECT_EQ(clubs, members);
}

TEST_F(GeneratedContest, PenaltyOptionsChangeWhatIsKeptAndTheScore) {
  const fs::path out = folder_ / "out-penalties";
  ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) +
                       " --unique-penalty --keep-band-mismatch --extra-penalty 2 --out " + out.string() + " " +
                       (folder_ / "logs").string()),
            0);
  std::set<std::string> removed = kRules;
  removed.insert({"not in log", "busted call", "wrong serial received", "unique"});
  ExpectScores(out / "results.csv", removed, 2);
}

TEST_F(GeneratedContest, TheNumberOfWorkerProcessesChangesNothing) {
  for (const char* jobs : {"1", "3"}) {
    const fs::path out = folder_ / (std::string("out-jobs-") + jobs);
    ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) + " --jobs " + jobs + " --out " + out.string() + " " +
                         (folder_ / "logs").string()),
              0);
  }
  const fs::path one = folder_ / "out-jobs-1", three = folder_ / "out-jobs-3";
  for (const char* file : {"results.csv", "decisions.csv", "summary.txt", "index.html"}) {
    EXPECT_EQ(FileBytes(one / file), FileBytes(three / file)) << file;
  }
  std::size_t reports = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(one / "reports")) {
    EXPECT_EQ(FileBytes(entry.path()), FileBytes(three / "reports" / entry.path().filename())) << entry.path();
    ++reports;
  }
  EXPECT_EQ(reports, files_.size());
}

TEST_F(GeneratedContest, TheNewestFileOfACallIsChecked) {
  std::map<std::string, std::string> truthFile;
  for (const Row& row : truth_.rows) truthFile[truth_.At(row, "call")] = truth_.At(row, "file");
  const Csv results = ReadCsv(folder_ / "out" / "results.csv");
  for (const Row& row : results.rows) {
    if (results.At(row, "table") == "club") continue;
    EXPECT_EQ(results.At(row, "file"), truthFile.at(results.At(row, "call")));
  }

  const std::string summary = FileBytes(folder_ / "out" / "summary.txt");
  std::size_t older = 0;
  for (std::size_t at = 0; (at = summary.find(": another file for ", at)) != std::string::npos; ++at) ++older;
  EXPECT_EQ(older, 6u) << summary;
}

TEST_F(GeneratedContest, ReportsShowEveryChangedQsoWithItsLine) {
  const std::set<std::string> notReported = {"confirmed", "not submitted"};
  std::map<std::string, std::map<std::size_t, std::string>> fileLines;  // call: line: text, as decoded
  std::size_t checkedLines = 0;
  for (const Row& row : truth_.rows) {
    if (notReported.count(truth_.At(row, "decision"))) continue;
    const std::string& call = truth_.At(row, "call");
    std::map<std::size_t, std::string>& lines = fileLines[call];
    if (lines.empty()) {
      for (const LogQso& q : ReadLogFile(folder_ / "logs" / truth_.At(row, "file")).qsos)
        lines[q.line] = q.written.text;
    }
    const std::string report = FileBytes(folder_ / "out" / "reports" / (FileBaseOf(call) + ".txt"));
    const std::size_t line = std::stoul(truth_.At(row, "line"));
    const std::string expected = "line " + std::to_string(line) + ": " + lines.at(line) + " | " +
                                 truth_.At(row, "decision") +
                                 (kRemovedByDefault.count(truth_.At(row, "decision")) ? ", removed | " : ", kept | ");
    EXPECT_NE(report.find(expected), std::string::npos) << expected;
    ++checkedLines;
  }
  EXPECT_GT(checkedLines, 1000u);
  // No report shows the tools' inner workings.
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_ / "out" / "reports")) {
    const std::string report = FileBytes(entry.path());
    for (const char* internal : {"plug-in", "err.txt", "host"}) {
      EXPECT_EQ(report.find(internal), std::string::npos) << entry.path() << " says " << internal;
    }
    EXPECT_EQ(report.find("CATEGORY-BAND: 'ALL'"), std::string::npos) << entry.path();
  }
}

// Every QSO a log lost through another station's call (not in that station's log, its call
// busted, its serial copied wrong) is told to that station with the other log's line, also when
// its log has no QSO at all with the other station.
TEST_F(GeneratedContest, EveryQsoLostThroughACallIsInThatStationsReport) {
  std::map<std::pair<std::string, std::size_t>, LogQso> qsos;  // (log's call, line): QSO
  std::map<std::string, std::string> logOf;                    // a call a log's lines send: the log
  for (const auto& [call, file] : files_) {
    for (const LogQso& q : ReadLogFile(folder_ / "logs" / file).qsos) {
      qsos[{call, q.line}] = q;
      logOf[q.ownCall.empty() ? call : std::string(q.ownCall)] = call;
    }
    logOf[call] = call;
  }
  std::map<std::string, std::size_t> told;  // by fault
  for (const Row& row : truth_.rows) {
    const std::string& decision = truth_.At(row, "decision");
    const std::string& own = truth_.At(row, "call");
    const std::size_t line = std::stoul(truth_.At(row, "line"));
    const LogQso& q = qsos.at({own, line});
    std::string named;
    if (decision == "not in log" || decision == "wrong serial received") named = q.call;
    if (decision == "busted call") named = truth_.At(row, "right_call");
    const auto station = logOf.find(named);
    if (station == logOf.end() || station->second == own) continue;
    const std::string report = FileBytes(folder_ / "out" / "reports" / (FileBaseOf(station->second) + ".txt"));
    const std::string start = "\n" + own + " line " + std::to_string(line);
    const std::size_t at = report.find(start);
    ASSERT_NE(at, std::string::npos) << truth_.At(row, "fault") << ": " << start << " in " << station->second;
    const std::string shown = report.substr(at + 1, report.find('\n', at + 1) - at - 1);
    EXPECT_NE(shown.find(": " + std::string(q.written.text) + " | "), std::string::npos) << shown;
    ++told[truth_.At(row, "fault")];
  }
  for (const char* fault : {"missing", "busted", "busted-twin", "wrong-serial", "time-outside", "wrong-mode-other",
                            "own-call", "double-bust", "dropped"}) {
    EXPECT_GT(told[fault], 0u) << fault;
  }
}

// Where a clock was corrected, the reports give the corrected time beside the written one, so that
// "no QSO within 3 minutes" never contradicts the times the line shows.
TEST_F(GeneratedContest, CorrectedClocksShowTheTimeTheDecisionWasTakenOn) {
  std::size_t corrected = 0;
  for (const auto& [call, file] : files_) {
    const std::string report = FileBytes(folder_ / "out" / "reports" / (FileBaseOf(call) + ".txt"));
    if (report.find("your times were corrected by it before matching") == std::string::npos) continue;
    ++corrected;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
      if (line.find(", removed | ") == std::string::npos || line.find("| not the contest's mode") != std::string::npos)
        continue;
      EXPECT_NE(line.find(", removed | at 2025-03-1"), std::string::npos) << call << ": " << line;
      EXPECT_NE(line.find(" with your clock corrected: "), std::string::npos) << call << ": " << line;
    }
  }
  EXPECT_EQ(corrected, 6u);
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
    std::snprintf(line, sizeof line, "  %-26s %9zu  %5.1f %%  %s\n", decision.c_str(), count,
                  100.0 * static_cast<double>(count) / static_cast<double>(truth_.rows.size()),
                  kRemovedByDefault.count(decision) ? "removed" : "kept");
    EXPECT_NE(summary.find(line), std::string::npos) << line << summary;
  }
}

TEST_F(GeneratedContest, EachReportOpensWithItsLogsFigures) {
  const std::map<std::string, Expected> expected = ExpectedLogs(kRemovedByDefault);
  for (const auto& [call, e] : expected) {
    const std::string report = FileBytes(folder_ / "out" / "reports" / (FileBaseOf(call) + ".txt"));
    const std::string claimed = ClaimedOf(files_.at(call));
    const std::string figures = std::to_string(e.all.size()) + " QSOs checked: " + std::to_string(e.kept.size()) +
                                " kept, " + std::to_string(e.all.size() - e.kept.size()) + " removed; claimed score " +
                                (claimed.empty() ? std::string("none (no CLAIMED-SCORE)") : claimed) +
                                ", checked score " + std::to_string(PlainScoreOf(e.kept).Score()) + "\n";
    EXPECT_NE(report.find(figures), std::string::npos) << figures << report.substr(0, 200);
  }
}

}  // namespace

namespace {

// The program on two hand-made logs: the log's own check sits in its report, what the plug-in
// made of each QSO among it, whether or not the plug-in refused a QSO of the log.
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
  write("ok1bb.log", "OK1BB",
        {" 3580 PM 2025-03-15 1200 OK1BB         599 0001   DL1AA         599 0001",
         " 3580 PM 2025-03-15 1210 OK1BB         599 0002   DL1AA         599 0001"});
  ASSERT_EQ(ExitCodeOf(std::string(STATS_CROSSCHECK_FILE) + " --out " + (folder / "out").string() + " " +
                       (folder / "logs").string()),
            0);
  const std::string report = FileBytes(folder / "out" / "reports" / "DL1AA.txt");
  EXPECT_NE(report.find("2 QSOs checked: 1 kept, 1 removed; claimed score none (no CLAIMED-SCORE), checked score 2\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("ERROR line 1: the header has no CONTEST: line"), std::string::npos) << report;
  EXPECT_NE(report.find("line 5: QSO:  3580 RY 2025-03-15 1300 DL1AA         599 0002   OK1BB         599 0002 | "
                        "not the contest's mode, removed"),
            std::string::npos)
      << report;
  EXPECT_EQ(report.find("NO CONTEST MODE"), std::string::npos) << report;
  // A dupe is told in a log without a refused QSO as well (it once was only where one was refused).
  const std::string theirs = FileBytes(folder / "out" / "reports" / "OK1BB.txt");
  EXPECT_NE(theirs.find("NOTE line 5: dupe of line 4 (DL1AA on 80m): it adds nothing to the score\n"),
            std::string::npos)
      << theirs;
}

}  // namespace

namespace {

std::string Cabrillo(const std::string& call, const std::string& qso) {
  return "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: " + call +
         "\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nQSO: " + qso + "\r\nEND-OF-LOG:\r\n";
}

int RunOn(const fs::path& logs, const fs::path& out, const fs::path& output) {
  const int status = std::system((std::string(STATS_CROSSCHECK_FILE) + " --out " + out.string() + " " + logs.string() +
                                  " >" + output.string() + " 2>&1")
                                     .c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One log that cannot be named, read or reported never stops the run, and no two calls share a
// report; the output folder keeps what the program did not write.
TEST(CrossCheckProgram, EveryCallGetsAReportOfItsOwnAndNothingElseIsRemoved) {
  const TempFolder temp;
  const fs::path logs = temp / "logs", out = temp / "out";
  fs::create_directories(logs);
  fs::create_directories(out / "reports");
  std::ofstream(out / "reports" / "notes.txt") << "the sponsor's own notes";
  std::ofstream(out / "mine.txt") << "kept";
  const std::string qso = " 3580 PM 2025-03-15 1200 W1/AB         599 0001   OK1BB         599 0001";
  std::ofstream(logs / "a.log", std::ios::binary) << Cabrillo("W1/AB", qso);
  std::ofstream(logs / "b.log", std::ios::binary) << Cabrillo("W1_AB", qso);
  std::ofstream(logs / "c.log", std::ios::binary) << Cabrillo("..", qso);
  std::ofstream(logs / "d.log", std::ios::binary) << Cabrillo(std::string(300, 'K') + "1A", qso);
  std::ofstream(logs / "e.log", std::ios::binary) << Cabrillo("DL\x1b[2J1A", qso);
  fs::create_symlink("loop", logs / "loop");
  std::ofstream(logs / "bad\x1b[31m.log", std::ios::binary) << "garbage\n";

  ASSERT_EQ(RunOn(logs, out, temp / "run.txt"), 0) << FileBytes(temp / "run.txt");
  std::set<std::string> reports;
  for (const fs::directory_entry& entry : fs::directory_iterator(out / "reports")) {
    reports.insert(entry.path().filename().string());
  }
  EXPECT_EQ(reports.size(), 6u) << testing::PrintToString(reports);  // five logs and the sponsor's notes
  EXPECT_TRUE(reports.count("W1_AB.txt") && reports.count("W1_AB-2.txt")) << testing::PrintToString(reports);
  for (const std::string& name : reports) {
    EXPECT_FALSE(name.starts_with(".")) << name;
    EXPECT_LE(name.size(), 80u) << name;
    EXPECT_EQ(name.find('\x1b'), std::string::npos) << name;
  }
  EXPECT_EQ(FileBytes(out / "reports" / "notes.txt"), "the sponsor's own notes");
  EXPECT_EQ(FileBytes(out / "mine.txt"), "kept");
  const std::string summary = FileBytes(out / "summary.txt");
  EXPECT_NE(summary.find("  loop: cannot be read: "), std::string::npos) << summary;
  EXPECT_NE(summary.find("bad\\x1b[31m.log: not a Cabrillo file"), std::string::npos) << summary;
  EXPECT_EQ(summary.find('\x1b'), std::string::npos);
  EXPECT_EQ(FileBytes(temp / "run.txt").find('\x1b'), std::string::npos);

  // A second run without one of the logs removes that log's report, and only that.
  fs::remove(logs / "e.log");
  ASSERT_EQ(RunOn(logs, out, temp / "run.txt"), 0) << FileBytes(temp / "run.txt");
  std::size_t now = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(out / "reports")) now += entry.is_regular_file();
  EXPECT_EQ(now, 5u);
  EXPECT_EQ(FileBytes(out / "reports" / "notes.txt"), "the sponsor's own notes");
}

// The checked score takes the removed QSOs out of the plug-in's log as submitted where that is
// the log without them, and replays the kept ones where a dupe flag would differ: each score is
// the plain count of what is kept.
TEST(CrossCheckProgram, RemovedQsosLeaveTheScoreOfTheKeptOnesWhateverTheirDupes) {
  const TempFolder temp;
  const fs::path logs = temp / "logs", out = temp / "out";
  fs::create_directories(logs);
  auto write = [&](const std::string& call, const std::vector<std::string>& qsos) {
    std::ofstream file(logs / (call + ".log"), std::ios::binary);
    file << "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: " << call << "\r\n";
    for (const std::string& q : qsos) file << "QSO:  3580 PM 2025-03-15 " << q << "\r\n";
    file << "END-OF-LOG:\r\n";
  };
  // DL1AA's first QSO with OK1BB is not in OK1BB's log, the later one (a dupe as submitted) is.
  write("DL1AA", {"1200 DL1AA         599 0001   OK1BB         599 0001",
                  "1230 DL1AA         599 0002   OK1BB         599 0005",
                  "1240 DL1AA         599 0003   SP3CC         599 0001"});
  // DL2DD's later dupe and its QSO with SP3CC are not in the other logs.
  write("DL2DD", {"1300 DL2DD         599 0001   OK1BB         599 0006",
                  "1310 DL2DD         599 0002   OK1BB         599 0006",
                  "1320 DL2DD         599 0003   SP3CC         599 0002"});
  // HB9EE worked OK1BB twice in one minute; only the first is in OK1BB's log.
  write("HB9EE", {"1400 HB9EE         599 0001   OK1BB         599 0007",
                  "1400 HB9EE         599 0002   OK1BB         599 0007"});
  write("OK1BB", {"1230 OK1BB         599 0005   DL1AA         599 0002",
                  "1300 OK1BB         599 0006   DL2DD         599 0001",
                  "1400 OK1BB         599 0007   HB9EE         599 0001"});
  write("SP3CC", {"1240 SP3CC         599 0001   DL1AA         599 0003"});
  ASSERT_EQ(RunOn(logs, out, temp / "run.txt"), 0) << FileBytes(temp / "run.txt");
  auto figures = [&](const std::string& call) {
    const std::string report = FileBytes(out / "reports" / (call + ".txt"));
    const std::size_t at = report.find(" QSOs checked: ");
    return at == std::string::npos ? report : report.substr(at, report.find('\n', at) - at);
  };
  // Points times calls plus entities, both per band.
  EXPECT_EQ(figures("DL1AA"), " QSOs checked: 2 kept, 1 removed; claimed score none (no CLAIMED-SCORE), "
                              "checked score 8");
  EXPECT_EQ(figures("DL2DD"), " QSOs checked: 1 kept, 2 removed; claimed score none (no CLAIMED-SCORE), "
                              "checked score 2");
  EXPECT_EQ(figures("HB9EE"), " QSOs checked: 1 kept, 1 removed; claimed score none (no CLAIMED-SCORE), "
                              "checked score 2");
}

TEST(CrossCheckProgram, AFolderWithoutALogIsExitCodeTwoInOneLine) {
  const TempFolder temp;
  fs::create_directories(temp / "empty");
  fs::create_directories(temp / "nolog");
  std::ofstream(temp / "nolog" / "readme.txt") << "no log here";
  for (const char* folder : {"empty", "nolog"}) {
    EXPECT_EQ(RunOn(temp / folder, temp / "out", temp / "run.txt"), 2) << folder;
    const std::string said = FileBytes(temp / "run.txt");
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("no log to check in"), std::string::npos) << said;
  }
}

}  // namespace

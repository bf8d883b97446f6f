// The sample contest through the native plug-in, loaded as the host loads it: the counts against
// the files the plug-in wrote, the same files from a second run, and the plug-in's own Cabrillo
// file replayed back into the same QSOs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "contest_plan.h"
#include "country_file.h"
#include "ole_date_time.h"
#include "host_form.h"
#include "log_file.h"
#include "plugin_library.h"
#include "replay_session.h"
#include "replay_fixture.h"

namespace {

using namespace replay_test;

// A log and its plan, which refers into it.
struct Planned {
  LogFile log;
  ContestPlan plan;
};

Planned PlanOf(const fs::path& logFile, const PlanChoices& choices = {}) {
  Planned planned{ReadLogFile(logFile), {}};
  EXPECT_EQ(planned.log.skipped, 0u);
  EXPECT_TRUE(planned.log.problems.empty());
  planned.plan = PlanContest(planned.log, Countries(), choices);
  const ContestPlan& plan = planned.plan;
  EXPECT_TRUE(plan.notes.empty()) << plan.notes.front().line << ": " << plan.notes.front().message;
  return planned;
}

FolderReplay ReplayPlan(const fs::path& folder, const Planned& planned, const QsoObserver& observe = {}) {
  return ReplayInFolder(folder, Plugin(), planned.plan, {false, observe});
}

std::string MultKeyOf(const PlannedQso& q) { return q.entity ? q.entity->primaryPrefix : ""; }
std::string DxccOf(const PlannedQso& q) { return q.entity ? q.entity->name : ""; }

std::size_t Lines(const std::string& text, const std::string& part) {
  std::istringstream lines(text);
  std::size_t count = 0;
  for (std::string line; std::getline(lines, line);) count += line.find(part) != std::string::npos ? 1 : 0;
  return count;
}

// The sample's generator mixed in 5 dupes, 4 QSOs in other modes and 3 without a received number.
constexpr std::size_t kSampleQsos = 400, kAccepted = 388, kDupes = 5, kRejected = 7;

TEST(SampleReplay, CountsAgreeWithTheFilesThePlugInWrote) {
  TempFolder folder;
  { std::ofstream(folder / "err.txt") << "left from an earlier run\r\n"; }
  { std::ofstream(folder / "notes.txt") << "not the plug-in's\n"; }
  const Planned plan = PlanOf(SAMPLE_LOG_FILE);
  ASSERT_EQ(plan.plan.qsos.size(), kSampleQsos);

  const FolderReplay run = ReplayPlan(folder.path(), plan);
  EXPECT_EQ(run.replayed.counts.accepted, kAccepted);
  EXPECT_EQ(run.replayed.counts.dupes, kDupes);
  EXPECT_EQ(run.replayed.counts.rejected, kRejected);

  const std::string problems = FileBytes(folder / "err.txt");
  EXPECT_EQ(Lines(problems, "left from"), 0u);
  EXPECT_EQ(Lines(problems, "   DUPE !!!"), kDupes);
  EXPECT_EQ(Lines(problems, "   NO CONTEST MODE !!!") + Lines(problems, "   NO RX NUMBER !!!"), kRejected);
  EXPECT_EQ(Lines(FileBytes(folder / "N0CALL.cbr"), "QSO: "), kAccepted + kDupes);

  EXPECT_NE(run.replayed.summary.find("  PSK-TORVALE 15.03-16.03.2025 \r\n     Contestant: N0CALL\r\n"),
            std::string::npos)
      << run.replayed.summary;
  EXPECT_NE(run.replayed.summary.find("Total\t 388\t 388\t"), std::string::npos) << run.replayed.summary;

  const std::vector<fs::path> expected = {fs::canonical(folder.path()) / "N0CALL.cbr",
                                          fs::canonical(folder.path()) / "Plugins" / "PSK63.ini",
                                          fs::canonical(folder.path()) / "err.txt"};
  EXPECT_EQ(run.written, expected);
}

TEST(SampleReplay, TwiceGivesTheSameFiles) {
  TempFolder folder;
  const Planned plan = PlanOf(SAMPLE_LOG_FILE);
  const FolderReplay first = ReplayPlan(folder.path(), plan);
  const std::vector<std::string> files = {"err.txt", "N0CALL.cbr", "Plugins/PSK63.ini"};
  std::vector<std::string> before;
  for (const std::string& file : files) before.push_back(FileBytes(folder.path() / file));

  const FolderReplay second = ReplayPlan(folder.path(), plan);
  for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(FileBytes(folder.path() / files[i]), before[i]) << files[i];
  EXPECT_EQ(second.replayed.summary, first.replayed.summary);
  EXPECT_EQ(second.written, first.written);
}

TEST(SampleReplay, TheCallCheckForetellsWhatTheLogGets) {
  TempFolder folder;
  const Planned plan = PlanOf(SAMPLE_LOG_FILE);
  std::set<std::string> workedMultipliers;  // band and key of every QSO stored so far
  std::size_t newMultipliers = 0, notNew = 0;
  ReplayPlan(folder.path(), plan, [&](std::size_t, const PlannedQso& planned, int check, QsoFate fate) {
    if (fate == QsoFate::Rejected) return;
    const LogQso& qso = *planned.qso;
    const bool isNew = workedMultipliers.insert(qso.band + " " + MultKeyOf(planned)).second;
    if (fate == QsoFate::Dupe) {
      EXPECT_EQ(check, kCheckDupe) << qso.line;
    } else {
      EXPECT_EQ(check, isNew ? kCheckNewMultiplier : kCheckNotNew) << qso.line;
    }
    ++(check == kCheckNewMultiplier ? newMultipliers : notNew);
  });
  EXPECT_GT(newMultipliers, 20u);
  EXPECT_GT(notNew, 200u);
}

// The minute the Cabrillo line shows for a time, as the plug-in reads it.
double CabrilloMinute(double days) {
  const CalendarTime t = *ToCalendarTime(days);
  return *HostDays({t.year, t.month, t.day, t.hour, t.minute, 0});
}

TEST(SampleReplay, ThePlugInsCabrilloFileReplaysIntoTheSameQsos) {
  TempFolder fromAdif, fromCabrillo;
  const Planned plan = PlanOf(SAMPLE_LOG_FILE);
  std::vector<PlannedQso> stored;
  const FolderReplay first =
      ReplayPlan(fromAdif.path(), plan, [&](std::size_t, const PlannedQso& qso, int, QsoFate fate) {
        if (fate != QsoFate::Rejected) stored.push_back(qso);
      });

  const Planned again = PlanOf(fromAdif / "N0CALL.cbr");
  EXPECT_EQ(again.plan.opening.ownCall, "N0CALL");
  ASSERT_EQ(again.plan.qsos.size(), stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const LogQso &a = *stored[i].qso, &b = *again.plan.qsos[i].qso;
    EXPECT_EQ(b.call, a.call) << i;
    EXPECT_EQ(OwnCallOf(again.plan.qsos[i], again.plan.opening), OwnCallOf(stored[i], plan.plan.opening)) << i;
    EXPECT_EQ(b.days, CabrilloMinute(a.days)) << a.call;
    EXPECT_EQ(b.freqHz, a.freqHz / 1000 * 1000) << a.call;
    EXPECT_EQ(b.band, a.band) << a.call;
    EXPECT_EQ(b.mode, a.mode) << a.call;
    EXPECT_EQ(std::tie(b.rstSent, b.exchSent, b.rstRcvd, b.exchRcvd),
              std::tie(a.rstSent, a.exchSent, a.rstRcvd, a.exchRcvd))
        << a.call;
    EXPECT_EQ(DxccOf(again.plan.qsos[i]), DxccOf(stored[i])) << a.call;
    EXPECT_EQ(MultKeyOf(again.plan.qsos[i]), MultKeyOf(stored[i])) << a.call;
  }

  const FolderReplay second = ReplayPlan(fromCabrillo.path(), again);
  EXPECT_EQ(second.replayed.counts.accepted, kAccepted);
  EXPECT_EQ(second.replayed.counts.dupes, kDupes);
  EXPECT_EQ(second.replayed.counts.rejected, 0u);
  EXPECT_EQ(second.replayed.summary, first.replayed.summary);
  EXPECT_EQ(FileBytes(fromCabrillo / "N0CALL.cbr"), FileBytes(fromAdif / "N0CALL.cbr"));
}

TEST(SampleReplay, OwnCallAndDatesFromTheCommandLine) {
  TempFolder folder;
  PlanChoices choices;
  choices.ownCall = "DL0XYZ";
  choices.startDay = HostDays({2025, 3, 14, 0, 0, 0});
  choices.endDay = HostDays({2025, 3, 17, 0, 0, 0});
  const FolderReplay run = ReplayPlan(folder.path(), PlanOf(SAMPLE_LOG_FILE, choices));
  EXPECT_NE(run.replayed.summary.find("PSK-TORVALE 14.03-17.03.2025 \r\n     Contestant: DL0XYZ\r\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder / "DL0XYZ.cbr"));
  EXPECT_FALSE(fs::exists(folder / "N0CALL.cbr"));
  EXPECT_EQ(Lines(FileBytes(folder / "err.txt"), "  DL0XYZ  "), kDupes + kRejected);
}

TEST(SampleReplay, WithoutAReportRunNoCabrilloFile) {
  TempFolder folder;
  PlanChoices choices;
  choices.startFlag = 0;
  const FolderReplay run = ReplayPlan(folder.path(), PlanOf(SAMPLE_LOG_FILE, choices));
  EXPECT_EQ(run.replayed.counts.accepted, kAccepted);
  EXPECT_FALSE(fs::exists(folder / "N0CALL.cbr"));
  EXPECT_TRUE(run.replayed.summary.ends_with("scored by Stats.dll")) << run.replayed.summary;
  EXPECT_EQ(run.written.size(), 2u);
}

// A long log in time order is read again for the replay rather than held beside the plug-in's copy
// of it: the plug-in must get the same QSOs in the same order, with the same entities, and the
// check the same fates under the same indices.
TEST(SampleReplay, ALogReadAgainReplaysAsTheLogHeld) {
  const Planned held = PlanOf(SAMPLE_LOG_FILE);
  const std::optional<ContestPlan> anew =
      PlanReadingAnew(held.plan, SAMPLE_LOG_FILE, StampOf(SAMPLE_LOG_FILE), Countries(), {});
  ASSERT_TRUE(anew.has_value());
  EXPECT_TRUE(anew->qsos.empty());
  EXPECT_EQ(anew->QsoCount(), kSampleQsos);

  TempFolder first, second;
  const FolderReplay a = ReplayInFolder(first.path(), Plugin(), held.plan);
  const FolderReplay b = ReplayInFolder(second.path(), Plugin(), *anew);
  EXPECT_EQ(b.replayed.summary, a.replayed.summary);
  EXPECT_EQ(b.replayed.counts.accepted, kAccepted);
  ASSERT_EQ(b.replayed.outcomes.size(), a.replayed.outcomes.size());
  for (std::size_t i = 0; i < a.replayed.outcomes.size(); ++i) {
    EXPECT_EQ(b.replayed.outcomes[i].index, a.replayed.outcomes[i].index) << i;
    EXPECT_EQ(b.replayed.outcomes[i].fate, a.replayed.outcomes[i].fate) << i;
  }
  ASSERT_EQ(b.replayed.problemLines.size(), a.replayed.problemLines.size());
  for (std::size_t i = 0; i < a.replayed.problemLines.size(); ++i) {
    EXPECT_EQ(b.replayed.problemLines[i].index, a.replayed.problemLines[i].index) << i;
    EXPECT_EQ(b.replayed.TextOf(b.replayed.problemLines[i]), a.replayed.TextOf(a.replayed.problemLines[i])) << i;
  }
  ASSERT_EQ(b.replayed.qsos.size(), kSampleQsos);
  for (std::size_t i = 0; i < kSampleQsos; ++i) {
    const ReplayedQso &x = a.replayed.qsos[i], &y = b.replayed.qsos[i];
    EXPECT_EQ(std::tie(y.line, y.call, y.band, y.dxcc, y.continent),
              std::tie(x.line, x.call, x.band, x.dxcc, x.continent))
        << i;
  }
  for (const char* file : {"err.txt", "N0CALL.cbr", "Plugins/PSK63.ini"}) {
    EXPECT_EQ(FileBytes(second / file), FileBytes(first / file)) << file;
  }
}

// Out of time order the replay needs every QSO at once; a file written over between the readings
// would pair one reading's QSOs with the other's fates, and is told instead.
TEST(SampleReplay, ALogIsReadAgainOnlyInTimeOrderAndUnchanged) {
  TempFolder folder;
  const fs::path log = folder / "log.adi";
  const std::string first = "<CALL:5>DL1AA<QSO_DATE:8>20250315<TIME_ON:4>1200<BAND:3>80m<MODE:3>PSK<SUBMODE:5>PSK63"
                            "<STX:1>1<SRX:1>5<EOR>\n";
  const std::string second = "<CALL:5>OK1BB<QSO_DATE:8>20250315<TIME_ON:4>1300<BAND:3>40m<MODE:3>PSK<SUBMODE:5>PSK63"
                             "<STX:1>2<SRX:1>7<EOR>\n";
  { std::ofstream(log, std::ios::binary) << "<EOH>\n" << second << first; }
  LogFile unordered = ReadLogFile(log);
  const ContestPlan late = PlanContest(unordered, Countries(), {});
  EXPECT_FALSE(PlanReadingAnew(late, log, StampOf(log), Countries(), {}).has_value());

  { std::ofstream(log, std::ios::binary) << "<EOH>\n" << first << second; }
  const FileStamp stamp = StampOf(log);
  LogFile ordered = ReadLogFile(log);
  const ContestPlan plan = PlanContest(ordered, Countries(), {});
  const std::optional<ContestPlan> anew = PlanReadingAnew(plan, log, stamp, Countries(), {});
  ASSERT_TRUE(anew.has_value());
  std::vector<std::string> calls;
  anew->VisitQsos([&](const PlannedQso& q) { calls.push_back(q.qso->call); });
  EXPECT_EQ(calls, (std::vector<std::string>{"DL1AA", "OK1BB"}));
  EXPECT_EQ(ReadLogAgain(log, stamp, 2).qsos.size(), 2u);

  { std::ofstream(log, std::ios::binary | std::ios::app) << first; }
  fs::last_write_time(log, fs::last_write_time(log) + std::chrono::seconds(2));
  try {
    anew->VisitQsos([](const PlannedQso&) {});
    ADD_FAILURE() << "a changed file was read as the same";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("the file changed while it was replayed"), std::string::npos);
  }
  EXPECT_THROW(ReadLogAgain(log, stamp, 2), std::runtime_error);
}

// stats-replay lets the plug-in go once its files are written, for the room its copy of a long log
// takes; the host unloads it too. A library the loader kept for good would still hold the last
// contest when loaded again. A copy under its own name, as the shared one stays loaded.
TEST(SampleReplay, AnUnloadedPlugInTakesItsContestWithIt) {
  TempFolder folder;
  const fs::path copy = folder / "Stats-again.so";
  fs::copy_file(STATS_PLUGIN_FILE, copy);
  const Planned planned = PlanOf(SAMPLE_LOG_FILE);
  {
    const PluginLibrary plugin(copy);
    const FolderReplay run = ReplayInFolder(folder.path(), plugin.entryPoints(), planned.plan, {false, {}});
    EXPECT_EQ(run.replayed.counts.accepted, kAccepted);
    EXPECT_EQ(Lines(run.replayed.summary, "Total\t 388"), 1u);
  }
  // A fresh contest is no report run: its summary writes no file.
  const PluginLibrary again(copy);
  int out = 0;
  const std::string summary = again.entryPoints().getResult(&out);
  EXPECT_EQ(Lines(summary, "Total\t 0\t 0\t 0"), 1u) << summary;
}

}  // namespace

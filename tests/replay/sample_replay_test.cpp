// The sample contest through the native plug-in, loaded as the host loads it: the counts against
// the files the plug-in wrote, the same files from a second run, and the plug-in's own Cabrillo
// file replayed back into the same QSOs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
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

// stats-replay lets the plug-in go once its files are written, for the room its copy of a long log
// takes; the host unloads it too. A library the loader kept for good would still hold the last
// contest when loaded again. A copy under its own name, as the shared one stays loaded.
TEST(SampleReplay, AnUnloadedPlugInTakesItsContestWithIt) {
  TempFolder folder;
  const fs::path copy = folder / "Stats-again.so";
  fs::copy_file(STATS_PLUGIN_FILE, copy);
  const Planned planned = PlanOf(SAMPLE_LOG_FILE);
  int out = 0;
  {
    const PluginLibrary plugin(copy);
    const FolderReplay run = ReplayInFolder(folder.path(), plugin.entryPoints(), planned.plan, {false, {}});
    EXPECT_EQ(run.replayed.counts.accepted, kAccepted);
    EXPECT_EQ(Lines(plugin.entryPoints().getResult(&out), "Total\t 388"), 1u);
  }
  const PluginLibrary again(copy);
  const std::string summary = again.entryPoints().getResult(&out);
  EXPECT_EQ(Lines(summary, "Total\t 0\t 0\t 0"), 1u) << summary;
}

}  // namespace

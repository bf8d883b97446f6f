// stats.json against a second, plain computation made minute by minute from the QSOs as read:
// on logs with breaks of 29, 30 and 31 minutes, on the sample, and with a shorter break setting.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "calendar.h"
#include "ole_date_time.h"
#include "json_reader.h"
#include "replay_fixture.h"
#include "statistics_report.h"

namespace {

using namespace replay_test;
using json_test::Value;
namespace chrono = std::chrono;

// One QSO as the plain computation sees it.
struct PlainQso {
  long long minute;  // since 1970-01-01
  std::string band, call, entity, continent;
  bool admissible;  // the contest's mode and both exchanges
};

long long MinuteOfDays(double days) {
  const CalendarTime t = *ToCalendarTime(days);
  const chrono::sys_days day{chrono::year(t.year) / t.month / t.day};
  return chrono::duration_cast<chrono::minutes>(day.time_since_epoch()).count() + t.hour * 60 + t.minute;
}

std::string MinuteText(long long minute) {
  const chrono::sys_days day = chrono::floor<chrono::days>(chrono::sys_time<chrono::minutes>(chrono::minutes(minute)));
  const chrono::year_month_day ymd(day);
  const long long inDay = minute - chrono::duration_cast<chrono::minutes>(day.time_since_epoch()).count();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d%02d", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), static_cast<int>(inDay / 60),
                static_cast<int>(inDay % 60));
  return text;
}

std::string HourText(long long hour) {
  std::string text = MinuteText(hour * 60).substr(0, 13);
  text[10] = 'T';
  return text;
}

// The plain computation: arrays over every minute from the first to the last QSO.
struct Plain {
  explicit Plain(const std::vector<PlainQso>& qsos, int minBreak) : qsos(qsos), minBreak(minBreak) {
    first = qsos.front().minute;
    last = qsos.back().minute;
    logged.assign(static_cast<std::size_t>(last - first + 1), 0);
    std::set<std::string> stored;
    for (const PlainQso& q : qsos) {
      ++logged[static_cast<std::size_t>(q.minute - first)];
      const bool isCounted = q.admissible && stored.insert(q.call + " " + q.band).second;
      counted.push_back(isCounted);
    }
  }

  long long CountedIn(long long from, long long to, const std::string& band = "") const {
    long long n = 0;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      if (counted[i] && qsos[i].minute >= from && qsos[i].minute <= to && (band.empty() || qsos[i].band == band)) ++n;
    }
    return n;
  }

  // Starts at the minutes that have a counted QSO; the earliest wins a tie.
  std::pair<std::string, long long> Best(long long length) const {
    std::pair<std::string, long long> best{"", 0};
    for (long long m = first; m <= last; ++m) {
      if (CountedIn(m, m) == 0) continue;
      const long long n = CountedIn(m, m + length - 1);
      if (n > best.second) best = {MinuteText(m), n};
    }
    return best;
  }

  std::vector<std::tuple<std::string, std::string, long long>> OffTimes() const {
    std::vector<std::tuple<std::string, std::string, long long>> off;
    long long runStart = -1;
    for (long long m = first; m <= last; ++m) {
      const bool empty = logged[static_cast<std::size_t>(m - first)] == 0;
      if (empty && runStart < 0) runStart = m;
      if (!empty && runStart >= 0) {
        if (m - runStart >= minBreak) off.emplace_back(MinuteText(runStart), MinuteText(m - 1), m - runStart);
        runStart = -1;
      }
    }
    return off;
  }

  long long OnTime() const {
    long long on = last - first + 1;
    for (const auto& o : OffTimes()) on -= std::get<2>(o);
    return on;
  }

  std::map<std::string, long long> BandChanges() const {
    std::map<std::string, long long> changes;
    for (long long h = first / 60; h <= last / 60; ++h) changes[HourText(h)] = 0;
    for (std::size_t i = 1; i < qsos.size(); ++i) {
      if (qsos[i].band != qsos[i - 1].band) ++changes[HourText(qsos[i].minute / 60)];
    }
    return changes;
  }

  // QSOs, entities and calls per band, up to the end of the hour.
  std::vector<long long> ScoreUpTo(long long hour) const {
    std::map<std::string, std::set<std::string>> entities, calls;
    long long n = 0;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      if (!counted[i] || qsos[i].minute / 60 > hour) continue;
      ++n;
      entities[qsos[i].band].insert(qsos[i].entity);
      calls[qsos[i].band].insert(qsos[i].call);
    }
    long long d = 0, c = 0;
    for (const auto& [band, set] : entities) d += static_cast<long long>(set.size());
    for (const auto& [band, set] : calls) c += static_cast<long long>(set.size());
    return {n, d, c, n * (d + c)};
  }

  const std::vector<PlainQso>& qsos;
  int minBreak;
  long long first = 0, last = 0;
  std::vector<int> logged;
  std::vector<bool> counted;
};

struct Report {
  Value stats;
  std::vector<PlainQso> qsos;  // in time order
};

Report ReportOf(const fs::path& folder, const fs::path& logFile, int minBreak) {
  CheckedReplay run = ReplayForCheck(folder / "run", logFile);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {});
  ReportChoices choices;
  choices.stats.minBreakMinutes = minBreak;
  const StatisticsFiles files = WriteStatisticsReport(folder / "report", run.replayed, findings, choices, "h", "c");
  Report report{json_test::Parse(FileBytes(files.json)), {}};
  for (const PlannedQso& planned : run.plan.qsos) {
    const LogQso& q = *planned.qso;
    report.qsos.push_back({MinuteOfDays(q.days), q.band, q.call, planned.entity ? planned.entity->name : "",
                           planned.continent.empty() ? "unknown" : planned.continent,
                           q.mode == "BPSK63" && !q.exchSent.empty() && !q.exchRcvd.empty()});
  }
  return report;
}

void ExpectStatsAgree(const Report& report, int minBreak) {
  const Plain plain(report.qsos, minBreak);
  const Value& stats = report.stats;

  std::vector<std::string> bands;
  for (const Value& band : stats["summary"]["bands"].items) bands.push_back(band["band"].text);
  const Value& byHour = stats["qsos_by_hour"];
  ASSERT_EQ(byHour.items.size(), static_cast<std::size_t>(plain.last / 60 - plain.first / 60 + 1));
  for (std::size_t i = 0; i < byHour.items.size(); ++i) {
    const long long hour = plain.first / 60 + static_cast<long long>(i);
    const Value& row = byHour.items[i];
    EXPECT_EQ(row["hour"].text, HourText(hour));
    ASSERT_EQ(row.members.size(), 1 + bands.size());
    for (const std::string& band : bands) {
      EXPECT_EQ(row[band].number, plain.CountedIn(hour * 60, hour * 60 + 59, band)) << HourText(hour) << band;
    }
  }

  for (const auto& [key, length] : {std::pair{"best_60_minutes", 60}, std::pair{"best_10_minutes", 10}}) {
    const auto [start, qsos] = plain.Best(length);
    EXPECT_EQ(stats[key]["start"].text, start) << key;
    EXPECT_EQ(stats[key]["qsos"].number, qsos) << key;
  }

  EXPECT_EQ(stats["min_break_minutes"].number, minBreak);
  const auto off = plain.OffTimes();
  ASSERT_EQ(stats["off_times"].items.size(), off.size());
  for (std::size_t i = 0; i < off.size(); ++i) {
    const Value& o = stats["off_times"].items[i];
    EXPECT_EQ(std::make_tuple(o["from"].text, o["to"].text, o["minutes"].number), off[i]);
  }
  EXPECT_EQ(stats["on_time_minutes"].number, plain.OnTime());

  std::map<std::string, long long> changes;
  for (const auto& [hour, n] : stats["band_changes_by_hour"].members) changes[hour] = n.number;
  EXPECT_EQ(changes, plain.BandChanges());

  std::map<std::string, std::map<std::string, long long>> continents, expectedContinents;
  for (const auto& [band, byContinent] : stats["continents"].members) {
    for (const auto& [continent, n] : byContinent.members) continents[band][continent] = n.number;
  }
  for (std::size_t i = 0; i < report.qsos.size(); ++i) {
    if (plain.counted[i]) ++expectedContinents[report.qsos[i].band][report.qsos[i].continent];
  }
  EXPECT_EQ(continents, expectedContinents);

  const Value& scores = stats["score_by_hour"];
  ASSERT_EQ(scores.items.size(), byHour.items.size());
  for (std::size_t i = 0; i < scores.items.size(); ++i) {
    const Value& s = scores.items[i];
    const std::vector<long long> expected = plain.ScoreUpTo(plain.first / 60 + static_cast<long long>(i));
    EXPECT_EQ(std::vector<long long>({s["qsos"].number, s["dxcc"].number, s["new_calls"].number, s["score"].number}),
              expected)
        << s["hour"].text;
  }
  // The plug-in's own figures: the summary's score is the last hour's.
  EXPECT_EQ(scores.items.back()["score"].number, stats["summary"]["score"].number);
  EXPECT_EQ(scores.items.back()["qsos"].number, stats["summary"]["total"]["qsos"].number);
  EXPECT_EQ(scores.items.back()["dxcc"].number, stats["summary"]["total"]["dxcc"].number);
}

// A log of 200 QSOs from 12:00 with one break of `breakMinutes` empty minutes, a quiet spell of
// 130 minutes (so that one clock hour has no QSO at all), dupes, QSOs the plug-in rejects, one on
// 20 m and one without an entity. QSOs share minutes now and then, and a few are logged a little
// out of time order.
std::string MakeLog(int breakMinutes, unsigned seed) {
  std::mt19937 random(seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::vector<std::pair<std::string, std::string>> stations = {
      {"DL1WA", "230"}, {"DK7PA", "230"}, {"OK1T", "503"},   {"OK1NU", "503"},  {"F5PNI", "227"},  {"F6FUZ", "227"},
      {"G0JLF", "223"}, {"M0LKW", "223"}, {"JK3DGX", "339"}, {"OM3WIH", "504"}, {"EA7JDE", "281"}, {"RA6F", "54"},
      {"LY9A", "146"},  {"SP9JD", "269"}, {"LZ1JZ", "212"},  {"YD5AWZ", "327"}};
  std::string log = "made by the test\n<EOH>\n";
  int second = 0, serial = 0;
  std::map<std::string, int> suffix;
  auto add = [&](const std::string& call, const std::string& dxcc, const std::string& band, const std::string& mode,
                 bool withSrx) {
    const int h = 12 + second / 3600, m = second / 60 % 60, s = second % 60;
    const int day = 15 + h / 24;
    char when[64];
    std::snprintf(when, sizeof when, "<QSO_DATE:8>202503%02d <TIME_ON:6>%02d%02d%02d", day, h % 24, m, s);
    const std::string stx = std::to_string(++serial);
    const std::string freq = band == "80M" ? "3.585" : band == "40M" ? "7.045" : "14.070";
    log += "<CALL:" + std::to_string(call.size()) + ">" + call + " " + when + " <BAND:3>" + band +
           " <FREQ:" + std::to_string(freq.size()) + ">" + freq + " <MODE:" + std::to_string(mode.size()) + ">" + mode +
           " <STX:" + std::to_string(stx.size()) + ">" + stx + (withSrx ? " <SRX:2>17" : "") +
           (dxcc.empty() ? "" : " <DXCC:" + std::to_string(dxcc.size()) + ">" + dxcc) + " <EOR>\n";
  };
  for (int i = 0; i < 200; ++i) {
    const auto& [base, dxcc] = stations[static_cast<std::size_t>(pick(static_cast<int>(stations.size())))];
    // Mostly new calls; now and then a call already worked, which is a dupe on the same band.
    const std::string call = pick(6) == 0 ? base : base + "/" + std::to_string(++suffix[base]);
    const std::string band = i == 90 ? "20M" : pick(2) ? "80M" : "40M";
    const std::string mode = pick(25) == 0 ? "RTTY" : "BPSK63";
    add(i == 120 ? "Q1ABC" : call, i == 120 ? "" : dxcc, band, mode, pick(30) != 0);
    if (i == 100) {
      // The last QSO before the break stands in its minute's first second, the next one after
      // the break in its minute's last: the break is counted in whole empty minutes.
      second = second / 60 * 60 + (breakMinutes + 1) * 60 + 59;
    } else if (i == 150) {
      second += 130 * 60;
    } else {
      second += pick(4) * 60 + pick(60) - 20;
      if (second < 0) second = 0;
    }
  }
  return log;
}

class ContestStatsJson : public ::testing::Test {
 protected:
  void ExpectForLog(const std::string& text, int minBreak) {
    TempFolder folder;
    const fs::path log = folder / "log.adi";
    std::ofstream(log, std::ios::binary) << text;
    const Report report = ReportOf(folder.path(), log, minBreak);
    ExpectStatsAgree(report, minBreak);
    breaks_ = report.stats["off_times"].items.size();
  }
  std::size_t breaks_ = 0;
};

TEST_F(ContestStatsJson, ABreakOf29MinutesIsNoOffTime) {
  ExpectForLog(MakeLog(29, 1), 30);
  EXPECT_EQ(breaks_, 1u);  // the quiet hour only
}

TEST_F(ContestStatsJson, ABreakOf30MinutesIsOne) {
  ExpectForLog(MakeLog(30, 2), 30);
  EXPECT_EQ(breaks_, 2u);
}

TEST_F(ContestStatsJson, ABreakOf31MinutesIsOne) {
  ExpectForLog(MakeLog(31, 3), 30);
  EXPECT_EQ(breaks_, 2u);
}

TEST_F(ContestStatsJson, TheShortestBreakIsAChoice) {
  ExpectForLog(MakeLog(30, 4), 31);
  EXPECT_EQ(breaks_, 1u);
  ExpectForLog(MakeLog(29, 5), 29);
  EXPECT_EQ(breaks_, 2u);
}

TEST_F(ContestStatsJson, TheSample) {
  TempFolder folder;
  const Report report = ReportOf(folder.path(), SAMPLE_LOG_FILE, 30);
  ExpectStatsAgree(report, 30);
  EXPECT_EQ(report.stats["summary"]["score"].number, 187016);
  EXPECT_EQ(report.stats["findings"].items.size(), 12u);
}

TEST(ContestStatsJsonText, FindingsAndKeysAsWritten) {
  TempFolder folder;
  const Report report = ReportOf(folder.path(), SEEDED_CABRILLO_FILE, 30);
  std::vector<std::string> keys;
  for (const auto& member : report.stats.members) keys.push_back(member.first);
  EXPECT_EQ(keys, std::vector<std::string>({"qsos_by_hour", "best_60_minutes", "best_10_minutes", "min_break_minutes",
                                            "off_times", "on_time_minutes", "band_changes_by_hour", "continents",
                                            "score_by_hour", "summary", "findings"}));
  // The findings read back exactly as the check printed them, quotes and all.
  CheckedReplay run = ReplayForCheck(folder / "again", SEEDED_CABRILLO_FILE);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {});
  const Value& written = report.stats["findings"];
  ASSERT_EQ(written.items.size(), findings.size());
  for (std::size_t i = 0; i < findings.size(); ++i) {
    EXPECT_EQ(written.items[i]["line"].number, static_cast<long long>(findings[i].line));
    EXPECT_EQ(written.items[i]["severity"].text, SeverityName(findings[i].severity));
    EXPECT_EQ(written.items[i]["text"].text, findings[i].text);
  }
  // The 20 m QSO has a band of its own in every hour.
  EXPECT_TRUE(report.stats["qsos_by_hour"].items.front().Has("20m"));
}

}  // namespace

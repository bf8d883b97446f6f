// stats.json against a second, plain computation made minute by minute from the QSOs as read: on
// generated logs with breaks of 29, 30 and 31 minutes, runs and searching, runs that share a
// minute, a log on one band, a log of 48 hours over two midnights, QSOs outside the contest
// period, on the sample, and with other break and run settings; and the comparison of a log with
// itself, with itself a day on, and with a shorter rival's log on one band.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "calendar.h"
#include "finding_text.h"
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
  std::uint32_t freqHz;
  std::size_t line;
  std::optional<GeoPosition> position;
  bool inPeriod;
};

// The minutes here count from 1970-01-01, the host's day 25569: the period the product is given
// counts from the host's day zero.
long long PlainMinute(long long hostMinute) { return hostMinute - 25569LL * 24 * 60; }

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

// Heading and distance by vectors: the plain way, apart from the program's spherical trigonometry.
struct PlainBeam {
  double degrees, kilometres;
};

PlainBeam VectorBeam(const GeoPosition& from, const GeoPosition& to) {
  auto unit = [](const GeoPosition& p) {
    const double lat = p.latitude * std::numbers::pi / 180, lon = p.longitude * std::numbers::pi / 180;
    return std::array<double, 3>{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
  };
  const auto a = unit(from), b = unit(to);
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  const std::array<double, 3> cross = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  const double angle = std::atan2(std::hypot(cross[0], cross[1], cross[2]), dot);
  const double lat = from.latitude * std::numbers::pi / 180, lon = from.longitude * std::numbers::pi / 180;
  const std::array<double, 3> north = {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
  const std::array<double, 3> east = {-std::sin(lon), std::cos(lon), 0};
  double degrees = std::atan2(b[0] * east[0] + b[1] * east[1] + b[2] * east[2],
                              b[0] * north[0] + b[1] * north[1] + b[2] * north[2]) *
                   180 / std::numbers::pi;
  if (degrees < 0) degrees += 360;
  return {degrees, angle * 6371.0};
}

// The plain computation: arrays over every minute from the first to the last QSO of the period.
struct Plain {
  Plain(const std::vector<PlainQso>& qsos, const StatsChoices& choices) : qsos(qsos), choices(choices) {
    std::set<std::string> stored;
    for (const PlainQso& q : qsos) {
      // The plug-in sees every QSO: a dupe is one of a call and band it stored before, in the period or not.
      const bool isCounted = q.admissible && stored.insert(q.call + " " + q.band).second;
      counted.push_back(isCounted && q.inPeriod);
      countedOutside += isCounted && !q.inPeriod;
      loggedOutside += !q.inPeriod;
      if (q.inPeriod) in.push_back(static_cast<std::size_t>(&q - qsos.data()));
    }
    if (in.empty()) return;
    first = qsos[in.front()].minute;
    last = qsos[in.back()].minute;
    logged.assign(static_cast<std::size_t>(last - first + 1), 0);
    for (std::size_t i : in) ++logged[static_cast<std::size_t>(qsos[i].minute - first)];
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

  std::pair<std::string, long long> BestClockHour(const std::string& band) const {
    std::pair<std::string, long long> best{"", 0};
    for (long long h = first / 60; h <= last / 60; ++h) {
      const long long n = CountedIn(h * 60, h * 60 + 59, band);
      if (n > best.second) best = {HourText(h), n};
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
        if (m - runStart >= choices.minBreakMinutes) {
          off.emplace_back(MinuteText(runStart), MinuteText(m - 1), m - runStart);
        }
        runStart = -1;
      }
    }
    return off;
  }

  // Every minute of an off time, from the first to the last QSO.
  std::vector<bool> OffMinutes() const {
    std::vector<bool> off(logged.size(), false);
    std::size_t runStart = 0;
    bool inRun = false;
    for (std::size_t m = 0; m < logged.size(); ++m) {
      if (logged[m] == 0 && !inRun) runStart = m, inRun = true;
      if (logged[m] != 0 && inRun) {
        if (static_cast<long long>(m - runStart) >= choices.minBreakMinutes) {
          for (std::size_t k = runStart; k < m; ++k) off[k] = true;
        }
        inRun = false;
      }
    }
    return off;
  }

  long long OnTime() const {
    if (in.empty()) return 0;
    long long on = last - first + 1;
    for (const auto& o : OffTimes()) on -= std::get<2>(o);
    return on;
  }

  std::map<std::string, long long> BandChanges() const {
    std::map<std::string, long long> changes;
    for (long long h = first / 60; h <= last / 60; ++h) changes[HourText(h)] = 0;
    for (std::size_t k = 1; k < in.size(); ++k) {
      if (qsos[in[k]].band != qsos[in[k - 1]].band) ++changes[HourText(qsos[in[k]].minute / 60)];
    }
    return changes;
  }

  // QSOs, entities and calls per band, of the counted QSOs for which `take` holds.
  template <typename Take>
  std::vector<long long> ScoreOf(Take take) const {
    std::map<std::string, std::set<std::string>> entities, calls;
    long long n = 0;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      if (!counted[i] || !take(qsos[i])) continue;
      ++n;
      entities[qsos[i].band].insert(qsos[i].entity);
      if (!qsos[i].call.empty()) calls[qsos[i].band].insert(qsos[i].call);
    }
    long long d = 0, c = 0;
    for (const auto& [band, set] : entities) d += static_cast<long long>(set.size());
    for (const auto& [band, set] : calls) c += static_cast<long long>(set.size());
    return {n, d, c, n * (d + c)};
  }
  std::vector<long long> ScoreUpTo(long long hour) const {
    return ScoreOf([&](const PlainQso& q) { return q.minute / 60 <= hour; });
  }
  std::vector<long long> ScoreBefore(long long minute) const {
    return ScoreOf([&](const PlainQso& q) { return q.minute < minute; });
  }

  // The counted QSOs that first had their entity on their band, in time order.
  std::vector<std::size_t> NewMultipliers() const {
    std::set<std::string> seen;
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      if (counted[i] && seen.insert(qsos[i].band + "|" + qsos[i].entity).second) out.push_back(i);
    }
    return out;
  }

  // Name: the one band it was worked on, for the names worked on exactly one.
  std::map<std::string, std::string> OneBand(bool calls) const {
    std::map<std::string, std::set<std::string>> bands;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      const std::string& name = calls ? qsos[i].call : qsos[i].entity;
      if (counted[i] && !name.empty()) bands[name].insert(qsos[i].band);
    }
    std::map<std::string, std::string> one;
    for (const auto& [name, set] : bands) {
      if (set.size() == 1) one[name] = *set.begin();
    }
    return one;
  }

  struct Split {
    long long runs = 0, runQsos = 0, searchQsos = 0, noFrequency = 0;
    long long runMinutes = 0, searchMinutes = 0;  // minute by minute
    long long eachRunsMinutes = 0;                // summed run by run: more where runs share a minute
    std::map<std::string, std::vector<long long>> byHour;  // hour: run, search, no frequency
    std::vector<std::vector<std::string>> list;            // start, end, band, Hz, QSOs, minutes, per hour
  };
  Split RunSplit() const {
    Split split;
    for (long long h = first / 60; h <= last / 60; ++h) split.byHour[HourText(h)] = {0, 0, 0};
    std::vector<std::size_t> c;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      if (counted[i]) c.push_back(i);
    }
    // Segments of counted QSOs, each joined to the one before it.
    std::vector<std::vector<std::size_t>> segments;
    for (std::size_t k = 0; k < c.size(); ++k) {
      const PlainQso& q = qsos[c[k]];
      bool joined = false;
      if (k > 0) {
        const PlainQso& p = qsos[c[k - 1]];
        joined = p.band == q.band && p.freqHz && q.freqHz &&
                 std::abs(static_cast<long long>(p.freqHz) - static_cast<long long>(q.freqHz)) <=
                     choices.run.toleranceHz &&
                 q.minute - p.minute <= choices.minBreakMinutes;
      }
      if (!joined) segments.emplace_back();
      segments.back().push_back(c[k]);
    }
    std::vector<bool> running(logged.size(), false);
    for (const auto& segment : segments) {
      const bool run = static_cast<int>(segment.size()) >= choices.run.minQsos && qsos[segment[0]].freqHz != 0;
      if (run) {
        const PlainQso &from = qsos[segment.front()], &to = qsos[segment.back()];
        const long long minutes = to.minute - from.minute + 1, n = static_cast<long long>(segment.size());
        ++split.runs;
        split.eachRunsMinutes += minutes;
        for (long long m = from.minute; m <= to.minute; ++m) running[static_cast<std::size_t>(m - first)] = true;
        split.list.push_back({MinuteText(from.minute), MinuteText(to.minute), from.band, std::to_string(from.freqHz),
                              std::to_string(n), std::to_string(minutes), std::to_string(n * 60 / minutes)});
      }
      for (std::size_t i : segment) {
        const std::size_t kind = run ? 0 : qsos[i].freqHz ? 1 : 2;
        ++split.byHour[HourText(qsos[i].minute / 60)][kind];
        (kind == 0 ? split.runQsos : kind == 1 ? split.searchQsos : split.noFrequency) += 1;
      }
    }
    const std::vector<bool> off = OffMinutes();
    for (std::size_t m = 0; m < running.size(); ++m) {
      split.runMinutes += running[m];
      split.searchMinutes += !running[m] && !off[m];
    }
    return split;
  }

  long long ContestStartMinute() const {
    return choices.period ? PlainMinute(choices.period->start) : first / 60 * 60;
  }

  // The score up to the end of each hour since the contest's start, for `hours` hours.
  std::vector<long long> ScoreByContestHour(long long hours) const {
    std::vector<long long> score;
    for (long long k = 0; k < hours; ++k) score.push_back(in.empty() ? 0 : ScoreUpTo(ContestStartMinute() / 60 + k)[3]);
    return score;
  }

  // Name: the bands of the counted QSOs with it.
  std::map<std::string, std::set<std::string>> Worked(bool calls) const {
    std::map<std::string, std::set<std::string>> worked;
    for (std::size_t i = 0; i < qsos.size(); ++i) {
      const std::string& name = calls ? qsos[i].call : qsos[i].entity;
      if (counted[i] && !name.empty()) worked[name].insert(qsos[i].band);
    }
    return worked;
  }

  const std::vector<PlainQso>& qsos;
  StatsChoices choices;
  std::vector<std::size_t> in;  // the QSOs of the period
  long long first = 0, last = 0;
  std::vector<int> logged;
  std::vector<bool> counted;  // and in the period
  long long countedOutside = 0, loggedOutside = 0;
};

struct Report {
  Value stats;
  std::vector<PlainQso> qsos;  // in time order
};

std::vector<PlainQso> PlainQsos(const ContestPlan& plan, const StatsChoices& choices) {
  std::vector<PlainQso> qsos;
  for (const PlannedQso& planned : plan.qsos) {
    const LogQso& q = *planned.qso;
    const bool inPeriod =
        !choices.period ||
        (MinuteOfDays(q.days) >= PlainMinute(choices.period->start) && MinuteOfDays(q.days) < PlainMinute(choices.period->end));
    qsos.push_back({MinuteOfDays(q.days), q.band, q.call, planned.entity ? planned.entity->name : "",
                    planned.continent.empty() ? "unknown" : planned.continent.str(),
                    q.mode == "BPSK63" && !q.exchSent.empty() && !q.exchRcvd.empty(), q.freqHz, q.line,
                    planned.entity ? planned.entity->position : std::nullopt, inPeriod});
  }
  return qsos;
}

// The report as stats-replay makes it, with the country file's entities.
Report ReportOf(const fs::path& folder, const fs::path& logFile, ReportChoices choices) {
  choices.stats.entities = &Countries().Entities();
  CheckedReplay run = ReplayForCheck(folder / "run", logFile);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {});
  const StatisticsFiles files = WriteStatisticsReport(folder / "report", run.replayed, findings, choices, "h", "c");
  return {json_test::Parse(FileBytes(files.json)), PlainQsos(run.plan, choices.stats)};
}

std::set<std::string> Names(const Value& object) {
  std::set<std::string> names;
  for (const auto& [name, value] : object.members) names.insert(name);
  return names;
}

void ExpectBasicsAgree(const Plain& plain, const Value& stats, const std::vector<std::string>& bands) {
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
  EXPECT_EQ(std::pair(stats["best_clock_hour"]["hour"].text, stats["best_clock_hour"]["qsos"].number),
            plain.BestClockHour(""));
  for (const std::string& band : bands) {
    const Value& best = stats["best_clock_hour_by_band"][band];
    EXPECT_EQ(std::pair(best["hour"].text, best["qsos"].number), plain.BestClockHour(band)) << band;
  }

  EXPECT_EQ(stats["min_break_minutes"].number, plain.choices.minBreakMinutes);
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

  const Value& scores = stats["score_by_hour"];
  const Value& gains = stats["multipliers_by_hour"];
  ASSERT_EQ(scores.items.size(), byHour.items.size());
  ASSERT_EQ(gains.items.size(), byHour.items.size());
  for (std::size_t i = 0; i < scores.items.size(); ++i) {
    const long long hour = plain.first / 60 + static_cast<long long>(i);
    const Value& s = scores.items[i];
    const std::vector<long long> upTo = plain.ScoreUpTo(hour), before = plain.ScoreUpTo(hour - 1);
    EXPECT_EQ(std::vector<long long>({s["qsos"].number, s["dxcc"].number, s["new_calls"].number, s["score"].number}),
              upTo)
        << s["hour"].text;
    const Value& g = gains.items[i];
    EXPECT_EQ(g["hour"].text, HourText(hour));
    EXPECT_EQ(std::vector<long long>({g["qsos"].number, g["dxcc"].number, g["new_calls"].number}),
              std::vector<long long>({upTo[0] - before[0], upTo[1] - before[1], upTo[2] - before[2]}))
        << g["hour"].text;
  }
}

void ExpectDaysAndRatesAgree(const Plain& plain, const Value& stats, const std::vector<std::string>& bands) {
  const long long firstDay = plain.first / 1440, lastDay = plain.last / 1440;
  const Value& days = stats["days"];
  ASSERT_EQ(days.items.size(), static_cast<std::size_t>(lastDay - firstDay + 1));
  for (std::size_t i = 0; i < days.items.size(); ++i) {
    const long long from = (firstDay + static_cast<long long>(i)) * 1440, to = from + 1439;
    const Value& d = days.items[i];
    EXPECT_EQ(d["day"].text, MinuteText(from).substr(0, 10));
    for (const std::string& band : bands) EXPECT_EQ(d[band].number, plain.CountedIn(from, to, band)) << band;
    const std::vector<long long> end = plain.ScoreBefore(to + 1), start = plain.ScoreBefore(from);
    EXPECT_EQ(std::vector<long long>({d["qsos"].number, d["dxcc"].number, d["new_calls"].number}),
              std::vector<long long>({end[0] - start[0], end[1] - start[1], end[2] - start[2]}))
        << d["day"].text;
  }

  const Value& rates = stats["running_rates"];
  EXPECT_EQ(rates["from"].text, MinuteText(plain.first));
  ASSERT_EQ(rates["step_minutes"].number, 1);  // the test logs are shorter than a week
  const auto& last10 = rates["last_10_minutes"].items;
  const auto& last60 = rates["last_60_minutes"].items;
  ASSERT_EQ(last10.size(), static_cast<std::size_t>(plain.last - plain.first + 1));
  ASSERT_EQ(last60.size(), last10.size());
  for (std::size_t i = 0; i < last10.size(); ++i) {
    const long long m = plain.first + static_cast<long long>(i);
    EXPECT_EQ(last10[i].number, 6 * plain.CountedIn(m - 9, m)) << MinuteText(m);
    EXPECT_EQ(last60[i].number, plain.CountedIn(m - 59, m)) << MinuteText(m);
  }
}

void ExpectMultipliersAgree(const Plain& plain, const Value& stats, const std::vector<std::string>& bands) {
  const std::vector<PlainQso>& qsos = plain.qsos;
  std::map<std::string, std::map<std::string, long long>> continents, expectedContinents;
  std::map<std::string, std::map<std::string, long long>> byHour, expectedByHour;
  std::set<std::string> continentNames;
  for (const auto& [band, byContinent] : stats["continents"].members) {
    for (const auto& [continent, n] : byContinent.members) continents[band][continent] = n.number;
  }
  for (const Value& row : stats["continents_by_hour"].items) {
    for (const auto& [key, n] : row.members) {
      if (key != "hour") byHour[row["hour"].text][key] = n.number;
    }
  }
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    if (plain.counted[i]) continentNames.insert(qsos[i].continent);
  }
  for (long long h = plain.first / 60; h <= plain.last / 60; ++h) {
    for (const std::string& c : continentNames) expectedByHour[HourText(h)][c] = 0;
  }
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    if (!plain.counted[i]) continue;
    ++expectedContinents[qsos[i].band][qsos[i].continent];
    ++expectedByHour[HourText(qsos[i].minute / 60)][qsos[i].continent];
  }
  EXPECT_EQ(continents, expectedContinents);
  EXPECT_EQ(byHour, expectedByHour);

  // Entities: QSOs per band, the first QSO's continent, and the heading from the origin.
  std::map<std::string, std::map<std::string, long long>> perBand;
  std::map<std::string, const PlainQso*> firstOf;
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    if (!plain.counted[i]) continue;
    ++perBand[qsos[i].entity][qsos[i].band];
    firstOf.try_emplace(qsos[i].entity, &qsos[i]);
  }
  const Value& entities = stats["entities"];
  ASSERT_EQ(entities.items.size(), perBand.size());
  std::size_t at = 0;
  for (const auto& [entity, counts] : perBand) {
    const Value& e = entities.items[at++];
    const PlainQso& first = *firstOf.at(entity);
    EXPECT_EQ(e["entity"].text, entity);
    EXPECT_EQ(e["continent"].text, first.continent) << entity;
    for (const std::string& band : bands) {
      EXPECT_EQ(e["qsos"][band].number, counts.contains(band) ? counts.at(band) : 0) << entity << band;
    }
    if (!first.position) {
      EXPECT_EQ(e["latitude"].kind, Value::Null) << entity;
      EXPECT_EQ(e["beam_degrees"].kind, Value::Null) << entity;
      continue;
    }
    EXPECT_NEAR(e["latitude"].real, first.position->latitude, 0.005 + 1e-9) << entity;
    EXPECT_NEAR(e["longitude"].real, first.position->longitude, 0.005 + 1e-9) << entity;
    if (!plain.choices.origin) {
      EXPECT_EQ(e["beam_degrees"].kind, Value::Null) << entity;
      continue;
    }
    const PlainBeam beam = VectorBeam(plain.choices.origin->position, *first.position);
    // The figures are the exact ones rounded: within half a unit, a heading of 359.6 being 0.
    const double heading = std::fmod(beam.degrees + 360 - static_cast<double>(e["beam_degrees"].number), 360);
    EXPECT_LE(std::min(heading, 360 - heading), 0.5 + 1e-6) << entity << " " << beam.degrees;
    EXPECT_LT(e["beam_degrees"].number, 360);
    EXPECT_NEAR(static_cast<double>(e["distance_km"].number), beam.kilometres, 0.5 + 1e-6) << entity;
  }

  const Value& news = stats["new_multipliers"];
  const std::vector<std::size_t> expectedNew = plain.NewMultipliers();
  ASSERT_EQ(news.items.size(), expectedNew.size());
  for (std::size_t k = 0; k < expectedNew.size(); ++k) {
    const PlainQso& q = qsos[expectedNew[k]];
    const Value& m = news.items[k];
    EXPECT_EQ(std::vector<std::string>({m["time"].text, m["band"].text, m["call"].text, m["entity"].text,
                                        m["continent"].text}),
              std::vector<std::string>({MinuteText(q.minute), q.band, q.call, q.entity, q.continent}));
    EXPECT_EQ(m["line"].number, static_cast<long long>(q.line));
  }

  for (const auto& [key, nameKey, calls] :
       {std::tuple{"one_band_calls", "call", true}, std::tuple{"one_band_entities", "entity", false}}) {
    std::map<std::string, std::string> one;
    for (const Value& row : stats[key].items) {
      one[row[nameKey].text] = row["band"].text;
      std::vector<std::string> missing;
      for (const Value& band : row["missing"].items) missing.push_back(band.text);
      std::vector<std::string> expected;
      for (const char* band : {"80m", "40m"}) {
        if (row["band"].text != band) expected.push_back(band);
      }
      EXPECT_EQ(missing, expected) << row[nameKey].text;
    }
    EXPECT_EQ(one, plain.OneBand(calls)) << key;
    EXPECT_TRUE(std::is_sorted(stats[key].items.begin(), stats[key].items.end(),
                               [&](const Value& a, const Value& b) { return a[nameKey].text < b[nameKey].text; }));
  }
}

void ExpectRunSplitAgrees(const Plain& plain, const Value& stats) {
  const Value& r = stats["run_and_search"];
  const Plain::Split split = plain.RunSplit();
  EXPECT_EQ(r["tolerance_hz"].number, static_cast<long long>(plain.choices.run.toleranceHz));
  EXPECT_EQ(r["min_run_qsos"].number, plain.choices.run.minQsos);
  EXPECT_EQ(r["runs"].number, split.runs);
  EXPECT_EQ(r["run"]["qsos"].number, split.runQsos);
  EXPECT_EQ(r["run"]["minutes"].number, split.runMinutes);
  EXPECT_EQ(r["run"]["qsos_per_hour"].number, split.runMinutes ? split.runQsos * 60 / split.runMinutes : 0);
  const long long searchMinutes = split.searchMinutes;
  EXPECT_EQ(split.runMinutes + split.searchMinutes, plain.OnTime());
  EXPECT_EQ(r["search_and_pounce"]["qsos"].number, split.searchQsos);
  EXPECT_EQ(r["search_and_pounce"]["minutes"].number, searchMinutes);
  EXPECT_EQ(r["search_and_pounce"]["qsos_per_hour"].number, searchMinutes ? split.searchQsos * 60 / searchMinutes : 0);
  EXPECT_EQ(r["no_frequency"].number, split.noFrequency);
  std::map<std::string, std::vector<long long>> byHour;
  for (const Value& h : r["by_hour"].items) {
    byHour[h["hour"].text] = {h["run"].number, h["search_and_pounce"].number, h["no_frequency"].number};
  }
  EXPECT_EQ(byHour, split.byHour);

  std::vector<std::vector<std::string>> list;
  for (const Value& run : stats["run_list"].items) {
    list.push_back({run["start"].text, run["end"].text, run["band"].text, std::to_string(run["frequency_hz"].number),
                    std::to_string(run["qsos"].number), std::to_string(run["minutes"].number),
                    std::to_string(run["qsos_per_hour"].number)});
  }
  EXPECT_EQ(list, split.list);
}

void ExpectRateSheetAgrees(const Plain& plain, const Value& stats, const std::vector<std::string>& bands) {
  const Value& slots = stats["qsos_by_10_minutes"];
  const long long first = plain.ContestStartMinute() / 10;
  ASSERT_EQ(slots.items.size(), static_cast<std::size_t>(plain.last / 10 - first + 1));
  for (std::size_t i = 0; i < slots.items.size(); ++i) {
    const long long from = (first + static_cast<long long>(i)) * 10;
    const Value& slot = slots.items[i];
    EXPECT_EQ(slot["start"].text, MinuteText(from));
    ASSERT_EQ(slot.members.size(), 1 + bands.size());
    for (const std::string& band : bands) {
      EXPECT_EQ(slot[band].number, plain.CountedIn(from, from + 9, band)) << MinuteText(from) << band;
    }
  }
}

// Every entity of the country file not worked on a band, those worked on the other band first,
// then the nearer (by the figures written) or, without a distance, by continent and name.
void ExpectNotWorkedAgrees(const Plain& plain, const Value& stats) {
  const std::map<std::string, std::set<std::string>> worked = plain.Worked(false);
  const Value& byBand = stats["not_worked_entities"];
  ASSERT_EQ(Names(byBand), std::set<std::string>({"80m", "40m"}));
  for (const char* band : {"80m", "40m"}) {
    std::map<std::string, std::set<std::string>> expected, written;
    for (const Entity& e : Countries().Entities()) {
      const auto it = worked.find(e.name);
      if (it != worked.end() && it->second.contains(band)) continue;
      std::set<std::string>& workedOn = expected[e.name];
      for (const char* other : {"80m", "40m"}) {
        if (it != worked.end() && it->second.contains(other)) workedOn.insert(other);
      }
    }
    const std::vector<Value>& rows = byBand[band].items;
    for (const Value& row : rows) {
      auto& bands = written[row["entity"].text];
      for (const Value& other : row["worked_on"].items) bands.insert(other.text);
    }
    EXPECT_EQ(rows.size(), written.size()) << band << ": an entity twice";
    EXPECT_EQ(written, expected) << band;
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const Value &a = rows[i - 1], &b = rows[i];
      auto rank = [](const Value& row) {
        return std::tuple(row["worked_on"].items.empty(), row["distance_km"].kind == Value::Null,
                          row["distance_km"].number);
      };
      EXPECT_LE(rank(a), rank(b)) << band << " " << a["entity"].text << " before " << b["entity"].text;
      if (rank(a) == rank(b) && a["distance_km"].kind == Value::Null) {
        EXPECT_LE(std::pair(a["continent"].text, a["entity"].text), std::pair(b["continent"].text, b["entity"].text));
      }
    }
    for (const Value& row : rows) {
      const Entity* e = nullptr;
      for (const Entity& candidate : Countries().Entities()) {
        if (candidate.name == row["entity"].text) e = &candidate;
      }
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(row["continent"].text, e->continent);
      if (!plain.choices.origin || !e->position) {
        EXPECT_EQ(row["distance_km"].kind, Value::Null) << e->name;
        continue;
      }
      const PlainBeam beam = VectorBeam(plain.choices.origin->position, *e->position);
      EXPECT_NEAR(static_cast<double>(row["distance_km"].number), beam.kilometres, 0.5 + 1e-6) << e->name;
    }
  }
}

void ExpectOutsideAgrees(const Plain& plain, const Value& stats) {
  const Value& o = stats["outside_period"];
  EXPECT_EQ(o["logged"].number, plain.loggedOutside);
  EXPECT_EQ(o["counted"].number, plain.countedOutside);
  long long inRows = 0;
  for (const Value& row : o["by_hour"].items) {
    for (const auto& [key, n] : row.members) inRows += key == "hour" ? 0 : n.number;
  }
  EXPECT_EQ(inRows, plain.countedOutside);
  const StatsChoices& c = plain.choices;
  EXPECT_EQ(stats["contest_start"].text,
            c.period ? MinuteText(PlainMinute(c.period->start)) : MinuteText(plain.first / 60 * 60));
}

void ExpectStatsAgree(const Report& report, const StatsChoices& choices) {
  const Plain plain(report.qsos, choices);
  const Value& stats = report.stats;
  std::vector<std::string> bands;
  for (const Value& band : stats["summary"]["bands"].items) bands.push_back(band["band"].text);
  if (plain.in.empty()) {
    for (const char* key : {"qsos_by_hour", "score_by_hour", "days", "entities", "new_multipliers", "off_times"}) {
      EXPECT_EQ(stats[key].items.size(), 0u) << key;
    }
    EXPECT_EQ(stats["on_time_minutes"].number, 0);
    EXPECT_EQ(stats["outside_period"]["counted"].number, plain.countedOutside);
    EXPECT_EQ(stats["outside_period"]["logged"].number, plain.loggedOutside);
    return;
  }
  ExpectBasicsAgree(plain, stats, bands);
  ExpectDaysAndRatesAgree(plain, stats, bands);
  ExpectMultipliersAgree(plain, stats, bands);
  ExpectRunSplitAgrees(plain, stats);
  ExpectRateSheetAgrees(plain, stats, bands);
  ExpectNotWorkedAgrees(plain, stats);
  ExpectOutsideAgrees(plain, stats);
  // The plug-in's own figures: with every QSO in the period, the summary's score is the last hour's.
  if (plain.loggedOutside == 0) {
    const Value& last = stats["score_by_hour"].items.back();
    EXPECT_EQ(last["score"].number, stats["summary"]["score"].number);
    EXPECT_EQ(last["qsos"].number, stats["summary"]["total"]["qsos"].number);
    EXPECT_EQ(last["dxcc"].number, stats["summary"]["total"]["dxcc"].number);
  }
  const Value& total = stats["summary"]["total"];
  EXPECT_EQ(stats["summary"]["full_score"].number,
            total["points"].number * (total["dxcc"].number + total["new_calls"].number));
}

struct LogShape {
  int breakMinutes = 30;
  unsigned seed = 1;
  int qsos = 200;
  int meanGapSeconds = 90;                       // between QSOs, breaks apart
  std::vector<std::string> bands = {"80M", "40M"};
  int startDay = 15;                             // of March 2025
};

// A log from 12:00 with one break of `breakMinutes` empty minutes, a quiet spell of 130 minutes
// (so that one clock hour has no QSO at all), dupes, QSOs the plug-in rejects, one on 20 m (with
// two bands), one without an entity and one without a frequency. QSOs share minutes now and then,
// and a few are logged a little out of time order. The station runs for spells on one frequency
// (drifting a little) and searches in between.
std::string MakeLog(const LogShape& shape) {
  std::mt19937 random(shape.seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::vector<std::pair<std::string, std::string>> stations = {
      {"DL1WA", "230"}, {"DK7PA", "230"}, {"OK1T", "503"},   {"OK1NU", "503"},  {"F5PNI", "227"},  {"F6FUZ", "227"},
      {"G0JLF", "223"}, {"M0LKW", "223"}, {"JK3DGX", "339"}, {"OM3WIH", "504"}, {"EA7JDE", "281"}, {"RA6F", "54"},
      {"LY9A", "146"},  {"SP9JD", "269"}, {"LZ1JZ", "212"},  {"YD5AWZ", "327"}, {"VK2GR", "150"},  {"PY2XB", "108"}};
  std::string log = "made by the test\n<EOH>\n";
  long long second = 0;
  int serial = 0, runLeft = 0;
  long long runHz = 0;
  std::map<std::string, int> suffix;
  auto add = [&](const std::string& call, const std::string& dxcc, const std::string& band, const std::string& mode,
                 bool withSrx, long long hz) {
    const long long h = 12 + second / 3600, m = second / 60 % 60, s = second % 60;
    const long long day = shape.startDay + h / 24;
    char when[64], freq[32];
    std::snprintf(when, sizeof when, "<QSO_DATE:8>202503%02lld <TIME_ON:6>%02lld%02lld%02lld", day, h % 24, m, s);
    std::snprintf(freq, sizeof freq, "%lld.%06lld", hz / 1000000, hz % 1000000);
    const std::string stx = std::to_string(++serial), f = freq;
    log += "<CALL:" + std::to_string(call.size()) + ">" + call + " " + when + " <BAND:3>" + band +
           (hz ? " <FREQ:" + std::to_string(f.size()) + ">" + f : "") + " <MODE:" + std::to_string(mode.size()) +
           ">" + mode + " <STX:" + std::to_string(stx.size()) + ">" + stx + (withSrx ? " <SRX:2>17" : "") +
           (dxcc.empty() ? "" : " <DXCC:" + std::to_string(dxcc.size()) + ">" + dxcc) + " <EOR>\n";
  };
  std::string runBand;
  for (int i = 0; i < shape.qsos; ++i) {
    const auto& [base, dxcc] = stations[static_cast<std::size_t>(pick(static_cast<int>(stations.size())))];
    // Mostly new calls; now and then a call already worked, which is a dupe on the same band.
    const std::string call = pick(6) == 0 ? base : base + "/" + std::to_string(++suffix[base]);
    std::string band = shape.bands[static_cast<std::size_t>(pick(static_cast<int>(shape.bands.size())))];
    if (runLeft > 0) band = runBand;
    if (i == 90 && shape.bands.size() > 1) band = "20M";
    const long long low = band == "80M" ? 3'580'000 : band == "40M" ? 7'040'000 : 14'070'000;
    long long hz;
    if (runLeft > 0) {
      --runLeft;
      runHz += pick(41) - 20;  // a run drifts within the tolerance
      hz = runHz;
    } else if (pick(3) == 0) {
      runLeft = 2 + pick(8);
      runBand = band;
      runHz = hz = low + pick(2000) * 10;
    } else {
      hz = low + pick(2000) * 10;
    }
    if (i == 130) hz = 0;
    const std::string mode = pick(25) == 0 ? "RTTY" : "BPSK63";
    add(i == 120 ? "Q1ABC" : call, i == 120 ? "" : dxcc, band, mode, pick(30) != 0, hz);
    if (i == 100) {
      // The last QSO before the break stands in its minute's first second, the next one after
      // the break in its minute's last: the break is counted in whole empty minutes.
      second = second / 60 * 60 + (shape.breakMinutes + 1) * 60 + 59;
    } else if (i == 150) {
      second += 130 * 60;
    } else {
      second += pick(shape.meanGapSeconds * 2 / 60 + 1) * 60 + pick(60) - 20;
      if (second < 0) second = 0;
    }
  }
  return log;
}

class ContestStatsJson : public ::testing::Test {
 protected:
  Report ExpectForLog(const std::string& text, const ReportChoices& choices) {
    const fs::path log = folder_ / ("log" + std::to_string(++logs_) + ".adi");
    std::ofstream(log, std::ios::binary) << text;
    Report report = ReportOf(folder_ / std::to_string(logs_), log, choices);
    ExpectStatsAgree(report, choices.stats);
    breaks_ = report.stats["off_times"].items.size();
    return report;
  }
  Report ExpectForLog(const LogShape& shape, int minBreak = 30) {
    ReportChoices choices;
    choices.stats.minBreakMinutes = minBreak;
    return ExpectForLog(MakeLog(shape), choices);
  }
  TempFolder folder_;
  int logs_ = 0;
  std::size_t breaks_ = 0;
};

TEST_F(ContestStatsJson, ABreakOf29MinutesIsNoOffTime) {
  ExpectForLog(LogShape{29, 1});
  EXPECT_EQ(breaks_, 1u);  // the quiet hour only
}

TEST_F(ContestStatsJson, ABreakOf30MinutesIsOne) {
  const Report report = ExpectForLog(LogShape{30, 2});
  EXPECT_EQ(breaks_, 2u);
  // The log has what the comparisons need to mean something: runs, searching, one-band calls.
  const Value& r = report.stats["run_and_search"];
  EXPECT_GT(r["runs"].number, 3);
  EXPECT_GT(r["search_and_pounce"]["qsos"].number, 20);
  EXPECT_EQ(r["no_frequency"].number, 1);
  EXPECT_GT(report.stats["one_band_calls"].items.size(), 10u);
}

TEST_F(ContestStatsJson, ABreakOf31MinutesIsOne) {
  ExpectForLog(LogShape{31, 3});
  EXPECT_EQ(breaks_, 2u);
}

TEST_F(ContestStatsJson, TheShortestBreakIsAChoice) {
  ExpectForLog(LogShape{30, 4}, 31);
  EXPECT_EQ(breaks_, 1u);
  ExpectForLog(LogShape{29, 5}, 29);
  EXPECT_EQ(breaks_, 2u);
}

TEST_F(ContestStatsJson, RunsThatShareAMinuteCountItOnce) {
  // QSOs some ten seconds apart: a run often ends in the minute the next one begins.
  LogShape shape{30, 13};
  shape.qsos = 400;
  shape.meanGapSeconds = 20;
  const Report report = ExpectForLog(shape);
  const Plain::Split split = Plain(report.qsos, {}).RunSplit();
  EXPECT_GT(split.eachRunsMinutes, split.runMinutes);  // what the test is about
  EXPECT_GT(report.stats["run_and_search"]["search_and_pounce"]["minutes"].number, 0);
  EXPECT_EQ(report.stats["run_list"].items.size(), static_cast<std::size_t>(split.runs));
}

TEST_F(ContestStatsJson, OneBandOnly) {
  LogShape shape{30, 6};
  shape.bands = {"40M"};
  const Report report = ExpectForLog(shape);
  std::size_t named = 0;
  for (const Value& e : report.stats["entities"].items) named += !e["entity"].text.empty();
  EXPECT_EQ(report.stats["one_band_entities"].items.size(), named);
  EXPECT_EQ(report.stats["band_changes_by_hour"].members.size(), report.stats["qsos_by_hour"].items.size());
}

TEST_F(ContestStatsJson, FortyEightHoursOverTwoMidnights) {
  LogShape shape{30, 7};
  shape.qsos = 700;
  shape.meanGapSeconds = 240;
  const Report report = ExpectForLog(shape);
  EXPECT_GE(report.stats["days"].items.size(), 3u);
  EXPECT_GE(report.stats["qsos_by_hour"].items.size(), 48u);
}

TEST_F(ContestStatsJson, TheRunRuleAndTheOriginAreChoices) {
  ReportChoices choices;
  choices.stats.run = {1000, 5};
  choices.stats.origin = Origin{*LocatorCentre("JO62QM"), "locator JO62QM"};
  const Report report = ExpectForLog(MakeLog(LogShape{30, 8}), choices);
  EXPECT_EQ(report.stats["map_origin"]["from"].text, "locator JO62QM");
  // Every placed entity has its heading; the test log reaches from Europe to Oceania.
  std::set<long long> headings;
  for (const Value& e : report.stats["entities"].items) {
    if (e["latitude"].kind != Value::Null) headings.insert(e["beam_degrees"].number);
  }
  EXPECT_GT(headings.size(), 10u);
}

TEST_F(ContestStatsJson, QsosOutsideTheContestPeriodAreCountedApart) {
  ReportChoices choices;
  // The log starts at 12:00: its first 20 minutes and all after 15:30 lie outside.
  choices.stats.period = PeriodOf(*ReadMoment("2025-03-15 1220"), *ReadMoment("2025-03-15 1530"));
  const Report report = ExpectForLog(MakeLog(LogShape{30, 9}), choices);
  EXPECT_GT(report.stats["outside_period"]["counted"].number, 30);
  EXPECT_EQ(report.stats["outside_period"]["start"].text, "2025-03-15 1220");
  EXPECT_EQ(report.stats["outside_period"]["end"].text, "2025-03-15 1530");
  EXPECT_EQ(report.stats["contest_start"].text, "2025-03-15 1220");
  // The summary stays the plug-in's: every QSO the plug-in stored.
  EXPECT_GT(report.stats["summary"]["total"]["qsos"].number, report.stats["score_by_hour"].items.back()["qsos"].number);
}

TEST_F(ContestStatsJson, EveryQsoOutsideTheContestPeriod) {
  ReportChoices choices;
  choices.stats.period = PeriodOf(*ReadMoment("2025-03-20"), std::nullopt);
  const Report report = ExpectForLog(MakeLog(LogShape{30, 12}), choices);
  EXPECT_EQ(report.stats["outside_period"]["logged"].number, 200);
  EXPECT_EQ(report.stats["qsos_by_hour"].items.size(), 0u);
  EXPECT_EQ(report.stats["best_clock_hour_by_band"]["80m"]["hour"].kind, Value::Null);
}

TEST_F(ContestStatsJson, TheSample) {
  ReportChoices choices;
  const Report report = ReportOf(folder_.path(), SAMPLE_LOG_FILE, choices);
  ExpectStatsAgree(report, choices.stats);
  EXPECT_EQ(report.stats["summary"]["score"].number, 187016);
  EXPECT_EQ(report.stats["findings"].items.size(), 12u);
}

TEST(ContestStatsJsonText, AnEmptyLogHasEveryKeyAndNoFigures) {
  TempFolder folder;
  std::ofstream(folder / "empty.adi", std::ios::binary) << "nothing\n<EOH>\n";
  const Report report = ReportOf(folder.path(), folder / "empty.adi", {});
  const Value& s = report.stats;
  EXPECT_EQ(s["contest_start"].kind, Value::Null);
  EXPECT_EQ(s["best_clock_hour"]["hour"].kind, Value::Null);
  EXPECT_EQ(s["running_rates"]["from"].kind, Value::Null);
  EXPECT_EQ(s["running_rates"]["last_10_minutes"].items.size(), 0u);
  EXPECT_EQ(s["score_by_hour"].items.size() + s["entities"].items.size() + s["days"].items.size() +
                s["qsos_by_10_minutes"].items.size() + s["run_list"].items.size(),
            0u);
  EXPECT_EQ(s["not_worked_entities"].members.size(), 0u);
  EXPECT_EQ(s["on_time_minutes"].number, 0);
}

TEST(ContestStatsJsonText, FindingsAndKeysAsWritten) {
  TempFolder folder;
  const Report report = ReportOf(folder.path(), SEEDED_CABRILLO_FILE, {});
  EXPECT_EQ(Names(report.stats),
            std::set<std::string>({"contest_start", "qsos_by_hour", "best_60_minutes", "best_10_minutes",
                                   "best_clock_hour", "best_clock_hour_by_band", "min_break_minutes", "off_times",
                                   "on_time_minutes", "days", "running_rates", "qsos_by_10_minutes",
                                   "band_changes_by_hour", "continents", "continents_by_hour", "multipliers_by_hour",
                                   "score_by_hour", "entities", "new_multipliers", "one_band_calls",
                                   "one_band_entities", "not_worked_entities", "run_and_search", "run_list",
                                   "map_origin", "outside_period", "summary", "findings"}));
  // The findings read back exactly as the check printed them, quotes and all.
  CheckedReplay run = ReplayForCheck(folder / "again", SEEDED_CABRILLO_FILE);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {});
  const Value& written = report.stats["findings"];
  ASSERT_EQ(written.items.size(), findings.size());
  for (std::size_t i = 0; i < findings.size(); ++i) {
    EXPECT_EQ(written.items[i]["line"].number, static_cast<long long>(findings[i].line));
    EXPECT_EQ(written.items[i]["severity"].text, SeverityName(findings[i].severity));
    EXPECT_EQ(written.items[i]["text"].text, FindingText(findings[i]));
  }
  // The 20 m QSO has a band of its own in every hour.
  EXPECT_TRUE(report.stats["qsos_by_hour"].items.front().Has("20m"));
}

// Two JSON values alike in every member and item.
bool Same(const Value& a, const Value& b) {
  if (a.kind != b.kind || a.number != b.number || a.text != b.text || a.items.size() != b.items.size() ||
      a.members.size() != b.members.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.items.size(); ++i) {
    if (!Same(a.items[i], b.items[i])) return false;
  }
  for (std::size_t i = 0; i < a.members.size(); ++i) {
    if (a.members[i].first != b.members[i].first || !Same(a.members[i].second, b.members[i].second)) return false;
  }
  return true;
}

// The calls and entities one log has on a band and the other not, and the lead hour by hour.
void ExpectRivalAgrees(const Plain& own, const Plain& other, const Value& compare) {
  for (const auto& [key, calls, mine, theirs] : {std::tuple{"calls_only_own", true, &own, &other},
                                                 std::tuple{"calls_only_other", true, &other, &own},
                                                 std::tuple{"entities_only_own", false, &own, &other},
                                                 std::tuple{"entities_only_other", false, &other, &own}}) {
    const auto in = mine->Worked(calls), out = theirs->Worked(calls);
    std::map<std::string, std::set<std::string>> expected, written;
    for (const auto& [name, bands] : in) {
      for (const std::string& band : bands) {
        if (!out.contains(name) || !out.at(name).contains(band)) expected[name].insert(band);
      }
    }
    std::vector<std::string> order;
    for (const Value& row : compare[key].items) {
      const std::string& name = row[calls ? "call" : "entity"].text;
      order.push_back(name);
      for (const Value& band : row["bands"].items) written[name].insert(band.text);
    }
    EXPECT_EQ(written, expected) << key;
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << key;
    EXPECT_EQ(order.size(), written.size()) << key;
  }

  auto hoursOf = [](const Plain& p) { return p.in.empty() ? 0 : p.last / 60 - p.ContestStartMinute() / 60 + 1; };
  const long long hours = std::max(hoursOf(own), hoursOf(other));
  const std::vector<long long> ownScore = own.ScoreByContestHour(hours), otherScore = other.ScoreByContestHour(hours);
  const Value& lead = compare["score_lead"];
  ASSERT_EQ(lead.items.size(), static_cast<std::size_t>(hours));
  for (std::size_t k = 0; k < lead.items.size(); ++k) {
    const Value& h = lead.items[k];
    EXPECT_EQ(h["contest_hour"].number, static_cast<long long>(k));
    EXPECT_EQ(std::vector<long long>({h["score"].number, h["other_score"].number, h["lead"].number}),
              std::vector<long long>({ownScore[k], otherScore[k], ownScore[k] - otherScore[k]}))
        << "hour " << k;
  }
}

class Comparison : public ::testing::Test {
 protected:
  // The report of `own` compared with `other`, its rival figures checked against the plain computation.
  Value Compared(const std::string& own, const std::string& other, std::optional<double> otherStart) {
    const fs::path ownFile = folder_ / "own.adi", otherFile = folder_ / "other.adi";
    std::ofstream(ownFile, std::ios::binary) << own;
    std::ofstream(otherFile, std::ios::binary) << other;
    CheckedReplay run = ReplayForCheck(folder_ / "run", ownFile);
    CheckedReplay otherRun = ReplayForCheck(folder_ / "other-run", otherFile);
    ReportChoices choices;
    choices.stats.entities = &Countries().Entities();
    StatsChoices otherChoices = choices.stats;
    if (otherStart) otherChoices.period = PeriodOf({*otherStart, MinuteOf(*otherStart), false}, std::nullopt);
    choices.compare = ComparedLog{"other.adi", "N0CALL", &otherRun.replayed, otherChoices};
    const StatisticsFiles files = WriteStatisticsReport(folder_ / "report", run.replayed, {}, choices, "h", "c");
    Value stats = json_test::Parse(FileBytes(files.json));
    const std::vector<PlainQso> ownQsos = PlainQsos(run.plan, choices.stats);
    const std::vector<PlainQso> otherQsos = PlainQsos(otherRun.plan, otherChoices);
    ExpectRivalAgrees(Plain(ownQsos, choices.stats), Plain(otherQsos, otherChoices), stats["compare"]);
    return stats;
  }
  TempFolder folder_;
};

const std::set<std::string> kRivalKeys = {"calls_only_own", "calls_only_other", "entities_only_own",
                                          "entities_only_other", "score_lead"};

TEST_F(Comparison, ALogWithItselfGivesTheSameFiguresTwice) {
  const Value stats = Compared(MakeLog(LogShape{30, 10}), MakeLog(LogShape{30, 10}), std::nullopt);
  const Value& other = stats["compare"];
  EXPECT_EQ(other["log"].text, "other.adi");
  std::size_t compared = 0;
  for (const auto& [key, value] : other.members) {
    if (key == "log" || key == "call" || kRivalKeys.contains(key)) continue;
    EXPECT_TRUE(Same(value, stats[key])) << key;
    ++compared;
  }
  // Every figure but the findings.
  EXPECT_EQ(compared, stats.members.size() - 2);
  for (const char* key : {"calls_only_own", "calls_only_other", "entities_only_own", "entities_only_other"}) {
    EXPECT_EQ(other[key].items.size(), 0u) << key;
  }
  EXPECT_EQ(other["score_lead"].items.size(), stats["score_by_hour"].items.size());
}

TEST_F(Comparison, ARivalWithOtherCallsAndAShorterLog) {
  // The rival's log on 40 m only, its 120 QSOs over some three hours of the own log's six.
  LogShape rival{30, 14};
  rival.qsos = 120;
  rival.bands = {"40M"};
  const Value stats = Compared(MakeLog(LogShape{30, 10}), MakeLog(rival), std::nullopt);
  const Value& other = stats["compare"];
  for (const char* key : {"calls_only_own", "calls_only_other", "entities_only_own"}) {
    EXPECT_GT(other[key].items.size(), 0u) << key;
  }
  EXPECT_LT(other["score_by_hour"].items.size(), stats["score_by_hour"].items.size());
  EXPECT_EQ(other["score_lead"].items.size(), stats["score_by_hour"].items.size());
  // Once the rival's log ends, its score holds and the lead is the difference of the finals.
  const Value& last = other["score_lead"].items.back();
  EXPECT_EQ(last["other_score"].number, other["score_by_hour"].items.back()["score"].number);
  EXPECT_EQ(last["score"].number, stats["score_by_hour"].items.back()["score"].number);
}

TEST_F(Comparison, EachLogCountsFromItsOwnContestsStart) {
  // The same contest a day later and started at 12:00 instead of the own log's first QSO's hour:
  // the curves by the hours since each start are the same.
  LogShape later{30, 11};
  later.startDay = 16;
  const Value stats = Compared(MakeLog(LogShape{30, 11}), MakeLog(later), HostDays({2025, 3, 16, 11, 0, 0}));
  const Value& own = stats["score_by_hour"];
  const Value& other = stats["compare"]["score_by_hour"];
  EXPECT_EQ(stats["compare"]["contest_start"].text, "2025-03-16 1100");
  ASSERT_EQ(own.items.size(), other.items.size());
  for (std::size_t i = 0; i < own.items.size(); ++i) {
    EXPECT_EQ(other.items[i]["contest_hour"].number, own.items[i]["contest_hour"].number + 1);
    for (const char* key : {"qsos", "dxcc", "new_calls", "score"}) {
      EXPECT_EQ(other.items[i][key].number, own.items[i][key].number) << key;
    }
  }
  EXPECT_EQ(own.items.front()["contest_hour"].number, 0);
}

}  // namespace

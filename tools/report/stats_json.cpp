// Times in UTC as "YYYY-MM-DDTHH" for hours, "YYYY-MM-DD HHMM" for minutes and "YYYY-MM-DD" for
// days; every figure is a whole number but the positions. Small records stand on one line each,
// so that the file reads as a table.
#include "stats_json.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "calendar.h"
#include "finding_groups.h"
#include "finding_text.h"
#include "json_writer.h"

namespace {

class FiguresWriter {
 public:
  FiguresWriter(JsonWriter& json, const ContestStats& stats, JsonForm form) : json_(json), s_(stats), form_(form) {}

  // The figures a comparison shows, which the other log's part of the page also has.
  void Core() {
    json_.Key("contest_start");
    if (s_.contestStartMinute) {
      json_.String(MinuteText(*s_.contestStartMinute));
    } else {
      json_.Null();
    }
    Window("best_60_minutes", s_.best60);
    Window("best_10_minutes", s_.best10);
    json_.Key("best_clock_hour");
    Hour(s_.bestHour);
    json_.Key("best_clock_hour_by_band").BeginObject(true);
    for (std::size_t b = 0; b < s_.bands.size(); ++b) {
      json_.Key(s_.bands[b]);
      Hour(s_.bestHourByBand[b]);
    }
    json_.EndObject();
    json_.Key("min_break_minutes").Number(s_.minBreakMinutes);
    List("off_times", s_.offTimes, [&](const OffTime& off) {
      json_.BeginObject(true).Key("from").String(MinuteText(off.fromMinute)).Key("to").String(MinuteText(off.toMinute));
      json_.Key("minutes").Number(off.minutes).EndObject();
    });
    json_.Key("on_time_minutes").Number(s_.onTimeMinutes);
    json_.Key("multipliers_by_hour").BeginArray();
    for (std::size_t i = 0; i < s_.gainsByHour.size(); ++i) {
      json_.BeginObject(true).Key("hour").String(HourText(s_.qsosByHour[i].hour));
      Gained(s_.gainsByHour[i]);
      json_.EndObject();
    }
    json_.EndArray();
    json_.Key("score_by_hour").BeginArray();
    for (const ScoreAtHour& h : s_.scoreByHour) {
      json_.BeginObject(true).Key("hour").String(HourText(h.hour));
      json_.Key("contest_hour").Number(h.hour - HourOf(*s_.contestStartMinute)).Key("qsos").Number(h.qsos);
      json_.Key("dxcc").Number(h.dxcc).Key("new_calls").Number(h.newCalls).Key("score").Number(h.score).EndObject();
    }
    json_.EndArray();
    Outside();
  }

  void Rest() {
    json_.Key("qsos_by_hour").BeginArray();
    for (const HourCount& hour : s_.qsosByHour) {
      json_.BeginObject(true).Key("hour").String(HourText(hour.hour));
      PerBand(hour.perBand);
      json_.EndObject();
    }
    json_.EndArray();
    json_.Key("days").BeginArray();
    for (const DayCount& day : s_.days) {
      json_.BeginObject(true).Key("day").String(DayText(day.day));
      PerBand(day.perBand);
      Gained(day.gains);
      json_.EndObject();
    }
    json_.EndArray();
    Rates();
    List("qsos_by_10_minutes", s_.qsosBy10Minutes, [&](const SlotCount& slot) {
      json_.BeginObject(true).Key("start").String(MinuteText(slot.startMinute));
      PerBand(slot.perBand);
      json_.EndObject();
    });

    json_.Key("band_changes_by_hour").BeginObject();
    for (const auto& [hour, changes] : s_.bandChangesByHour) json_.Key(HourText(hour)).Number(changes);
    json_.EndObject();
    json_.Key("continents").BeginObject();
    for (const auto& [band, counts] : s_.continents) {
      json_.Key(band).BeginObject(true);
      for (const auto& [continent, n] : counts) json_.Key(continent).Number(n);
      json_.EndObject();
    }
    json_.EndObject();
    json_.Key("continents_by_hour").BeginArray();
    for (std::size_t i = 0; i < s_.continentsByHour.size(); ++i) {
      json_.BeginObject(true).Key("hour").String(HourText(s_.qsosByHour[i].hour));
      for (std::size_t c = 0; c < s_.continentNames.size(); ++c) {
        json_.Key(s_.continentNames[c]).Number(s_.continentsByHour[i][c]);
      }
      json_.EndObject();
    }
    json_.EndArray();

    Entities();
    List("new_multipliers", s_.newMultipliers, [&](const NewMultiplier& m) {
      json_.BeginObject(true).Key("time").String(MinuteText(m.minute)).Key("band").String(m.band);
      json_.Key("call").String(m.call).Key("entity").String(m.entity).Key("continent").String(m.continent);
      json_.Key("line").Number(static_cast<long long>(m.line)).EndObject();
    });
    OneBandList("one_band_calls", "call", s_.oneBandCalls);
    OneBandList("one_band_entities", "entity", s_.oneBandEntities);
    NotWorkedLists();
    RunAndSearch();
  }

  // The comparison's own figures, which only the other log's part has.
  void Rival(const RivalComparison& rival) {
    for (const auto& [key, nameKey, list] : {std::tuple{"calls_only_own", "call", &rival.ownCalls},
                                             std::tuple{"calls_only_other", "call", &rival.otherCalls},
                                             std::tuple{"entities_only_own", "entity", &rival.ownEntities},
                                             std::tuple{"entities_only_other", "entity", &rival.otherEntities}}) {
      List(key, *list, [&](const OnlyInOne& row) {
        json_.BeginObject(true).Key(nameKey).String(row.name).Key("bands").BeginArray();
        for (const std::string& band : row.bands) json_.String(band);
        json_.EndArray().EndObject();
      });
    }
    json_.Key("score_lead").BeginArray();
    for (const LeadAtHour& h : rival.lead) {
      json_.BeginObject(true).Key("contest_hour").Number(h.contestHour).Key("score").Number(h.score);
      json_.Key("other_score").Number(h.otherScore).Key("lead").Number(h.score - h.otherScore).EndObject();
    }
    json_.EndArray();
  }

  void LeftOut() {
    json_.Key("left_out").BeginObject(true);
    for (const auto& [key, n] : leftOut_) json_.Key(key).Number(static_cast<long long>(n));
    json_.EndObject();
  }

 private:
  // An array of rows under `key`, cut on a page; `name` is how the page's "left_out" names it.
  template <typename Row, typename Write>
  void List(const char* key, const std::vector<Row>& rows, Write write, const char* name = nullptr) {
    const std::size_t n = form_ == JsonForm::Page ? std::min(rows.size(), kPageListLimit) : rows.size();
    json_.Key(key).BeginArray();
    for (std::size_t i = 0; i < n; ++i) write(rows[i]);
    json_.EndArray();
    if (n < rows.size()) leftOut_[name ? name : key] = rows.size() - n;
  }

  void Window(const char* key, const BestWindow& window) {
    json_.Key(key).BeginObject(true).Key("start");
    if (window.startMinute) {
      json_.String(MinuteText(*window.startMinute));
    } else {
      json_.Null();
    }
    json_.Key("qsos").Number(window.qsos).EndObject();
  }

  void Hour(const BestHour& best) {
    json_.BeginObject(true).Key("hour");
    if (best.hour) {
      json_.String(HourText(*best.hour));
    } else {
      json_.Null();
    }
    json_.Key("qsos").Number(best.qsos).EndObject();
  }

  void PerBand(const std::vector<long long>& perBand) {
    for (std::size_t b = 0; b < s_.bands.size(); ++b) json_.Key(s_.bands[b]).Number(perBand[b]);
  }

  void Gained(const Gains& g) {
    json_.Key("qsos").Number(g.qsos).Key("dxcc").Number(g.dxcc).Key("new_calls").Number(g.newCalls);
  }

  void Rates() {
    const RunningRates& r = s_.rates;
    json_.Key("running_rates").BeginObject().Key("from");
    if (r.fromMinute) {
      json_.String(MinuteText(*r.fromMinute));
    } else {
      json_.Null();
    }
    json_.Key("step_minutes").Number(r.stepMinutes);
    for (const auto& [key, values] :
         {std::pair{"last_10_minutes", &r.last10}, std::pair{"last_60_minutes", &r.last60}}) {
      json_.Key(key).BeginArray(true);
      for (long long v : *values) json_.Number(v);
      json_.EndArray();
    }
    json_.EndObject();
  }

  void Entities() {
    List("entities", s_.entities, [&](const EntityRow& e) {
      json_.BeginObject(true).Key("entity").String(e.entity).Key("continent").String(e.continent);
      json_.Key("qsos").BeginObject();
      PerBand(e.perBand);
      json_.EndObject().Key("latitude");
      Position(e.position);
      Heading(e.beam);
      json_.EndObject();
    });
  }

  void Heading(const std::optional<Beam>& beam) {
    json_.Key("beam_degrees");
    if (beam) {
      // A heading that rounds up to 360 is north.
      json_.Number(std::llround(beam->degrees) % 360).Key("distance_km").Number(std::llround(beam->kilometres));
    } else {
      json_.Null().Key("distance_km").Null();
    }
  }

  // "latitude" is written by the caller, so that a missing position is null in both members.
  void Position(const std::optional<GeoPosition>& p) {
    if (p) {
      json_.Decimal(p->latitude, 2).Key("longitude").Decimal(p->longitude, 2);
    } else {
      json_.Null().Key("longitude").Null();
    }
  }

  void OneBandList(const char* key, const char* nameKey, const std::vector<OneBand>& list) {
    List(key, list, [&](const OneBand& row) {
      json_.BeginObject(true).Key(nameKey).String(row.name).Key("band").String(row.band).Key("missing").BeginArray();
      for (const std::string& band : row.missing) json_.String(band);
      json_.EndArray().EndObject();
    });
  }

  void NotWorkedLists() {
    json_.Key("not_worked_entities").BeginObject();
    for (const auto& [band, list] : s_.notWorked) {
      const std::string name = "not_worked_entities." + band;
      List(
          band.c_str(), list,
          [&](const NotWorked& e) {
            json_.BeginObject(true).Key("entity").String(e.entity).Key("continent").String(e.continent);
            json_.Key("worked_on").BeginArray();
            for (const std::string& other : e.workedOn) json_.String(other);
            json_.EndArray();
            Heading(e.beam);
            json_.EndObject();
          },
          name.c_str());
    }
    json_.EndObject();
  }

  void RunAndSearch() {
    const RunSplit& r = s_.runSplit;
    json_.Key("run_and_search").BeginObject();
    json_.Key("tolerance_hz").Number(r.rule.toleranceHz).Key("min_run_qsos").Number(r.rule.minQsos);
    json_.Key("runs").Number(r.runs);
    for (const auto& [key, mode] : {std::pair{"run", &r.run}, std::pair{"search_and_pounce", &r.searchAndPounce}}) {
      json_.Key(key).BeginObject(true).Key("qsos").Number(mode->qsos).Key("minutes").Number(mode->minutes);
      json_.Key("qsos_per_hour").Number(mode->qsosPerHour).EndObject();
    }
    json_.Key("no_frequency").Number(r.noFrequency);
    json_.Key("by_hour").BeginArray();
    for (std::size_t i = 0; i < r.byHour.size(); ++i) {
      const RunSplit::Hour& h = r.byHour[i];
      json_.BeginObject(true).Key("hour").String(HourText(s_.qsosByHour[i].hour)).Key("run").Number(h.run);
      json_.Key("search_and_pounce").Number(h.searchAndPounce).Key("no_frequency").Number(h.noFrequency).EndObject();
    }
    json_.EndArray().EndObject();
    List("run_list", r.list, [&](const OneRun& run) {
      json_.BeginObject(true).Key("start").String(MinuteText(run.firstMinute));
      json_.Key("end").String(MinuteText(run.lastMinute)).Key("band").String(run.band);
      json_.Key("frequency_hz").Number(run.freqHz).Key("qsos").Number(run.figures.qsos);
      json_.Key("minutes").Number(run.figures.minutes).Key("qsos_per_hour").Number(run.figures.qsosPerHour);
      json_.EndObject();
    });

    json_.Key("map_origin");
    if (s_.origin) {
      json_.BeginObject(true).Key("latitude");
      Position(s_.origin->position);
      json_.Key("from").String(s_.origin->source).EndObject();
    } else {
      json_.Null();
    }
  }

  void Outside() {
    const OutsidePeriod& o = s_.outside;
    json_.Key("outside_period").BeginObject();
    for (const auto& [key, minute] : {std::pair{"start", &ContestPeriod::start}, std::pair{"end", &ContestPeriod::end}}) {
      json_.Key(key);
      if (o.period) {
        json_.String(MinuteText((*o.period).*minute));
      } else {
        json_.Null();
      }
    }
    json_.Key("logged").Number(o.logged).Key("counted").Number(o.counted);
    List(
        "by_hour", o.byHour,
        [&](const HourCount& hour) {
          json_.BeginObject(true).Key("hour").String(HourText(hour.hour));
          PerBand(hour.perBand);
          json_.EndObject();
        },
        "outside_period.by_hour");
    json_.EndObject();
  }

  JsonWriter& json_;
  const ContestStats& s_;
  JsonForm form_;
  std::map<std::string, std::size_t> leftOut_;
};

void Score(JsonWriter& json, const BandScore& line, bool withBand) {
  json.BeginObject(true);
  if (withBand) json.Key("band").String(line.band);
  json.Key("qsos").Number(line.qsos).Key("points").Number(line.points).Key("dxcc").Number(line.dxcc);
  json.Key("new_calls").Number(line.newCalls).EndObject();
}

void Summary(JsonWriter& json, const std::optional<ScoreSummary>& summary) {
  json.Key("summary");
  if (!summary) {
    json.Null();
    return;
  }
  json.BeginObject().Key("bands").BeginArray();
  for (const BandScore& band : summary->bands) Score(json, band, true);
  json.EndArray().Key("total");
  Score(json, summary->total, false);
  json.Key("score").Number(summary->score).Key("full_score").Number(summary->FullScore()).EndObject();
}

void Findings(JsonWriter& json, const std::vector<Finding>& findings, JsonForm form) {
  if (form == JsonForm::File) {
    json.Key("findings").BeginArray();
    for (const Finding& f : findings) {
      json.BeginObject(true).Key("line").Number(static_cast<long long>(f.line));
      json.Key("severity").String(SeverityName(f.severity)).Key("text").String(FindingText(f)).EndObject();
    }
    json.EndArray();
    return;
  }
  json.Key("finding_groups").BeginArray();
  for (const FindingGroup& group : GroupFindings(findings)) {
    json.BeginObject().Key("severity").String(SeverityName(group.severity)).Key("pattern").String(group.pattern);
    json.Key("count").Number(static_cast<long long>(group.findings.size())).Key("findings").BeginArray();
    const std::size_t n = std::min(group.findings.size(), kPageFindingsPerGroup);
    for (std::size_t i = 0; i < n; ++i) {
      json.BeginObject(true).Key("line").Number(static_cast<long long>(group.findings[i]->line));
      json.Key("text").String(FindingText(*group.findings[i])).EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray();
}

}  // namespace

std::string StatsJson(const LogFigures& figures, const std::vector<Finding>& findings, const ComparedFigures* compare,
                      JsonForm form) {
  JsonWriter json;
  json.BeginObject();
  FiguresWriter own(json, figures.stats, form);
  own.Core();
  own.Rest();
  Summary(json, figures.summary);
  Findings(json, findings, form);
  if (compare) {
    json.Key("compare").BeginObject().Key("log").String(compare->log).Key("call").String(compare->call);
    FiguresWriter other(json, compare->figures.stats, form);
    other.Core();
    if (form == JsonForm::File) other.Rest();
    Summary(json, compare->figures.summary);
    other.Rival(compare->rival);
    if (form == JsonForm::Page) other.LeftOut();
    json.EndObject();
  }
  if (form == JsonForm::Page) own.LeftOut();
  json.EndObject();
  return json.Take();
}

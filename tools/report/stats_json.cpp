// Times in UTC as "YYYY-MM-DDTHH" for hours and "YYYY-MM-DD HHMM" for minutes; every figure is
// a whole number. Small records stand on one line each, so that the file reads as a table.
#include "stats_json.h"

#include "json_writer.h"
#include "calendar.h"

namespace {

void Window(JsonWriter& json, const char* key, const BestWindow& window) {
  json.Key(key).BeginObject(true).Key("start");
  if (window.startMinute) {
    json.String(MinuteText(*window.startMinute));
  } else {
    json.Null();
  }
  json.Key("qsos").Number(window.qsos).EndObject();
}

void Score(JsonWriter& json, const BandScore& line, bool withBand) {
  json.BeginObject(true);
  if (withBand) json.Key("band").String(line.band);
  json.Key("qsos").Number(line.qsos).Key("points").Number(line.points).Key("dxcc").Number(line.dxcc);
  json.Key("new_calls").Number(line.newCalls).EndObject();
}

}  // namespace

std::string StatsJson(const ContestStats& stats, const std::optional<ScoreSummary>& summary,
                      const std::vector<Finding>& findings) {
  JsonWriter json;
  json.BeginObject();

  json.Key("qsos_by_hour").BeginArray();
  for (const HourCount& hour : stats.qsosByHour) {
    json.BeginObject(true).Key("hour").String(HourText(hour.hour));
    for (std::size_t b = 0; b < stats.bands.size(); ++b) json.Key(stats.bands[b]).Number(hour.perBand[b]);
    json.EndObject();
  }
  json.EndArray();

  Window(json, "best_60_minutes", stats.best60);
  Window(json, "best_10_minutes", stats.best10);
  json.Key("min_break_minutes").Number(stats.minBreakMinutes);
  json.Key("off_times").BeginArray();
  for (const OffTime& off : stats.offTimes) {
    json.BeginObject(true).Key("from").String(MinuteText(off.fromMinute)).Key("to").String(MinuteText(off.toMinute));
    json.Key("minutes").Number(off.minutes).EndObject();
  }
  json.EndArray();
  json.Key("on_time_minutes").Number(stats.onTimeMinutes);

  json.Key("band_changes_by_hour").BeginObject();
  for (const auto& [hour, changes] : stats.bandChangesByHour) json.Key(HourText(hour)).Number(changes);
  json.EndObject();

  json.Key("continents").BeginObject();
  for (const auto& [band, counts] : stats.continents) {
    json.Key(band).BeginObject(true);
    for (const auto& [continent, n] : counts) json.Key(continent).Number(n);
    json.EndObject();
  }
  json.EndObject();

  json.Key("score_by_hour").BeginArray();
  for (const ScoreAtHour& s : stats.scoreByHour) {
    json.BeginObject(true).Key("hour").String(HourText(s.hour)).Key("qsos").Number(s.qsos);
    json.Key("dxcc").Number(s.dxcc).Key("new_calls").Number(s.newCalls).Key("score").Number(s.score).EndObject();
  }
  json.EndArray();

  json.Key("summary");
  if (summary) {
    json.BeginObject().Key("bands").BeginArray();
    for (const BandScore& band : summary->bands) Score(json, band, true);
    json.EndArray().Key("total");
    Score(json, summary->total, false);
    json.Key("score").Number(summary->score).EndObject();
  } else {
    json.Null();
  }

  json.Key("findings").BeginArray();
  for (const Finding& f : findings) {
    json.BeginObject(true).Key("line").Number(static_cast<long long>(f.line));
    json.Key("severity").String(SeverityName(f.severity)).Key("text").String(f.text).EndObject();
  }
  json.EndArray();

  json.EndObject();
  return json.Take();
}

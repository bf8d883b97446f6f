// The statistics of a replayed contest: rates per hour, 10 minutes, day and band, the best hours
// and windows, breaks and operating time, band changes, continents, multipliers as they came and
// those still to work, the calls and entities of one band only, running against search and
// pounce run by run, beam headings, and the score as it grew.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "country_file.h"
#include "date_text.h"
#include "great_circle.h"
#include "replay_session.h"

// Consecutive counted QSOs on one band whose frequencies differ by at most the tolerance, with
// no off time between them, make a chain; a chain of at least `minQsos` is a run.
struct RunRule {
  std::uint32_t toleranceHz = 100;
  int minQsos = 3;
};

struct Origin {
  GeoPosition position;
  std::string source;  // "locator JO62QM", "entity Fed. Rep. of Germany"
};

struct StatsChoices {
  int minBreakMinutes = 30;
  // The contest period, as the check holds QSOs against it; none: every QSO lies in it. QSOs
  // outside it are counted apart and left out of every other figure.
  std::optional<ContestPeriod> period;
  RunRule run;
  std::optional<Origin> origin;  // none: no headings or distances
  const std::vector<Entity>* entities = nullptr;  // the country file's; none: no list of entities not worked
};

// Minutes, hours and days count from the host's day zero (calendar.h).
struct HourCount {
  long long hour = 0;
  std::vector<long long> perBand;  // in the order of ContestStats::bands
};

// QSOs per band in the 10 minutes from `startMinute`.
struct SlotCount {
  long long startMinute = 0;
  std::vector<long long> perBand;  // in the order of ContestStats::bands
};

struct BestWindow {
  std::optional<long long> startMinute;  // none without a counted QSO
  long long qsos = 0;
};

struct BestHour {
  std::optional<long long> hour;  // none without a counted QSO
  long long qsos = 0;
};

struct OffTime {
  long long fromMinute = 0, toMinute = 0;  // the first and the last minute without a QSO
  long long minutes = 0;
};

struct ScoreAtHour {
  long long hour = 0;
  long long qsos = 0, dxcc = 0, newCalls = 0, score = 0;  // all QSOs up to the end of the hour
};

struct Gains {
  long long qsos = 0, dxcc = 0, newCalls = 0;  // gained in the hour or day
};

struct DayCount {
  long long day = 0;
  std::vector<long long> perBand;
  Gains gains;
};

// QSOs per hour, from the QSOs of the 10 and the 60 minutes up to and including each point.
struct RunningRates {
  std::optional<long long> fromMinute;  // none without a QSO
  long long stepMinutes = 1;
  std::vector<long long> last10, last60;
};

struct EntityRow {
  std::string entity;               // as the plug-in got it; empty when not known
  std::string continent;            // of its first QSO
  std::vector<long long> perBand;   // QSOs
  std::optional<GeoPosition> position;
  std::optional<Beam> beam;         // from the origin
};

// A QSO that brought an entity new to its band.
struct NewMultiplier {
  long long minute = 0;
  std::string band, call, entity, continent;
  std::size_t line = 0;
};

// A call or entity worked on one band only; `missing`: the contest's bands it lacks.
struct OneBand {
  std::string name, band;
  std::vector<std::string> missing;
};

// An entity of the country file not worked on a band; `workedOn`: the contest's bands it was worked on.
struct NotWorked {
  std::string entity, continent;  // the file's continent
  std::vector<std::string> workedOn;
  std::optional<Beam> beam;  // from the origin; none without a position of both
};

struct ModeFigures {
  long long qsos = 0, minutes = 0, qsosPerHour = 0;
};

// One run: from its first QSO's minute to its last's, on the frequency of its first.
struct OneRun {
  long long firstMinute = 0, lastMinute = 0;
  std::string band;
  std::uint32_t freqHz = 0;
  ModeFigures figures;
};

struct RunSplit {
  RunRule rule;
  long long runs = 0;
  std::vector<OneRun> list;  // in time order
  ModeFigures run, searchAndPounce;  // running: the minutes any run covers, each once
  long long noFrequency = 0;  // counted QSOs without a frequency, in neither
  struct Hour {
    long long run = 0, searchAndPounce = 0, noFrequency = 0;
  };
  std::vector<Hour> byHour;  // the hours of qsosByHour
};

struct OutsidePeriod {
  std::optional<ContestPeriod> period;
  long long logged = 0, counted = 0;
  std::vector<HourCount> byHour;  // counted QSOs, only the hours that have one
};

struct ContestStats {
  std::vector<std::string> bands;
  std::optional<long long> contestStartMinute;  // the period's start, else the first QSO's hour
  std::vector<HourCount> qsosByHour;            // every hour from the first to the last logged QSO
  std::vector<SlotCount> qsosBy10Minutes;       // every slot from the contest's start to the last logged QSO
  BestWindow best60, best10;
  BestHour bestHour;
  std::vector<BestHour> bestHourByBand;  // in band order
  int minBreakMinutes = 30;
  std::vector<OffTime> offTimes;
  long long onTimeMinutes = 0;
  std::vector<DayCount> days;  // every day from the first to the last logged QSO
  RunningRates rates;
  std::vector<std::pair<long long, long long>> bandChangesByHour;                    // hour, changes; same hours
  std::vector<std::pair<std::string, std::map<std::string, long long>>> continents;  // band: continent: QSOs
  std::vector<std::string> continentNames;                                            // sorted
  std::vector<std::vector<long long>> continentsByHour;                               // same hours, continentNames
  std::vector<Gains> gainsByHour;                                                     // same hours
  std::vector<ScoreAtHour> scoreByHour;                                               // same hours
  std::vector<EntityRow> entities;                                                    // by name
  std::vector<NewMultiplier> newMultipliers;                                          // in time order
  std::vector<OneBand> oneBandCalls, oneBandEntities;                                 // by name
  // Per contest band, the entities still to work there: those worked on another band first.
  std::vector<std::pair<std::string, std::vector<NotWorked>>> notWorked;
  RunSplit runSplit;
  std::optional<Origin> origin;
  OutsidePeriod outside;
};

// From the start up to, not including, the end.
bool InContestPeriod(const ReplayedQso& q, const StatsChoices& choices);

// A counted QSO is one the plug-in stored and not as a dupe; a logged one is any QSO replayed.
// `bandOrder`: the plug-in's order of its band lines; bands it lacks follow in order of first use.
ContestStats ComputeStats(const ReplayedLog& log, const std::vector<std::string>& bandOrder,
                          const StatsChoices& choices);

inline constexpr const char* kUnknownContinent = "unknown";

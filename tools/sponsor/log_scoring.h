// A submitted log scored through the real plug-in, by its own rules: as submitted and with only
// the QSOs the cross-check keeps (the checked score, with the contest's rules the plug-in does
// not know applied to its figures); and its check report.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "check_report.h"
#include "country_file.h"
#include "entry_points.h"
#include "log_set.h"
#include "penalty_rules.h"
#include "results.h"
#include "score_summary.h"

// The checked score of the plug-in's totals, in full 64-bit figures: an entity counted for the
// QSOs of no entity is taken out of each band where there were some (`noEntityBands`), and with
// an extra penalty the points are P - K x penalised, never below zero.
long long CheckedScore(const ScoreSummary& summary, std::size_t noEntityBands, std::size_t penalised,
                       const PenaltyRules& rules);

struct ScoredLog {
  LogResult result;
  std::string report;  // the check report's text
};

// Replays the log `index` of the context, each time in a contest opened without a report run (no
// dialog, no Cabrillo file), in `quietFolder`, where the plug-in's problem file cannot be opened
// (a folder holds its name), which spares the plug-in a file opened and closed for every QSO: its
// answers do not depend on it. As submitted, for the figures before and the log's own check (each
// QSO's fate, dupes among them), and with the kept QSOs only. The log is read again from its file.
// Throws PluginFailure when the plug-in gives no score, std::runtime_error when the file changed.
ScoredLog ScoreLog(const SubmittedLog& submitted, std::size_t index, const CheckContext& context,
                   const ClockOffset& offset, const StatsEntryPoints& plugin, const CountryFile& countries,
                   const std::filesystem::path& quietFolder);

// The folder below `scratch` that is the current one while the plug-in scores, where it can open
// no file (NoNewFiles): neither its problem file nor its settings file is wanted there.
std::filesystem::path QuietFolder(const std::filesystem::path& scratch);

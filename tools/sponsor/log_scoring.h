// A submitted log scored through the real plug-in, by its own rules: as submitted (the claimed
// score) and with only the QSOs the cross-check keeps (the checked score); and its check report.
#pragma once

#include <cstddef>
#include <filesystem>

#include "check_report.h"
#include "country_file.h"
#include "entry_points.h"
#include "log_set.h"
#include "penalty_rules.h"
#include "results.h"
#include "score_summary.h"

// The checked score: the plug-in's, or with an extra penalty (P - K x penalised) x (D + N), never
// below zero.
long long CheckedScore(const ScoreSummary& summary, std::size_t penalised, const PenaltyRules& rules);

// Replays the log `index` of the context twice, each time in a contest opened without a report
// run (no dialog, no Cabrillo file), in the current folder, where the plug-in leaves its problem
// file and settings: a scratch folder. Writes reports/<file base of the call>.txt. Throws
// PluginFailure when the plug-in gives no score.
LogResult ScoreLog(const SubmittedLog& submitted, std::size_t index, const CheckContext& context,
                   const StatsEntryPoints& plugin, const CountryFile& countries,
                   const std::filesystem::path& reports);

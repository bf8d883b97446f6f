// A log replayed through the plug-in as the host would replay it, in the current folder: what the
// plug-in made of every QSO, and its summary, read back once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "contest_plan.h"
#include "entry_points.h"
#include "replay.h"
#include "score_summary.h"

struct ReplayedQso {
  std::size_t line = 0;  // of its record in the log file
  double days = 0.0;
  std::string call, band;       // as the plug-in got them: "DL1ABC", "80m"
  std::uint32_t freqHz = 0;
  std::string dxcc, continent;  // "Fed. Rep. of Germany", "EU"; empty when not known
  QsoFate fate = QsoFate::Rejected;
  std::vector<std::string> problemLines;  // appended to err.txt by its AddData0, CR LF removed
  std::optional<GeoPosition> position;    // the entity's, from the country file
};

struct ReplayedLog {
  std::vector<ReplayedQso> qsos;      // in the order replayed, which is time order; when recorded
  std::vector<Problem> notes;         // how the plan settled entities
  std::string summary;                // GetResult0's text
  std::optional<ScoreSummary> score;  // the summary's figures; none when it lacks its totals or score
  ReplayCounts counts;
};

struct ReplayChoices {
  bool recordQsos = true;  // each QSO's fate and problem lines, for a check or a report
  QsoObserver observe;
};

ReplayedLog ReplayLog(const StatsEntryPoints& plugin, const ContestPlan& plan, const ReplayChoices& choices = {});

struct FolderReplay {
  ReplayedLog replayed;
  std::vector<std::filesystem::path> written;  // absolute, sorted
};

// The replay with the folder as the current one: created with its "Plugins" folder when missing,
// and an old "err.txt" removed, so that the same log replayed twice leaves the same files.
FolderReplay ReplayInFolder(const std::filesystem::path& folder, const StatsEntryPoints& plugin,
                            const ContestPlan& plan, const ReplayChoices& choices = {});

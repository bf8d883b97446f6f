// A log replayed through the plug-in as the host would replay it, in the current folder: what the
// plug-in made of every QSO, and its summary, read back once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest_plan.h"
#include "entry_points.h"
#include "replay.h"
#include "score_summary.h"

// One QSO as the statistics report needs it.
struct ReplayedQso {
  std::size_t line = 0;  // of its record in the log file
  double days = 0.0;
  std::string call, band;  // as the plug-in got them: "DL1ABC", "80m"
  std::uint32_t freqHz = 0;
  std::string dxcc, continent;  // "Fed. Rep. of Germany", "EU"; empty when not known
  QsoFate fate = QsoFate::Rejected;
  std::optional<GeoPosition> position;  // the entity's, from the country file
};

// What the plug-in made of one QSO, as the check needs it.
struct QsoOutcome {
  std::uint32_t index = 0;  // of the QSO in the log's QSOs (file order)
  QsoFate fate = QsoFate::Rejected;
};

// A line the plug-in appended to err.txt while it took a QSO, CR LF removed; its text lies in the
// replayed log's problemText.
struct ProblemLine {
  std::uint32_t index = 0;  // of the QSO in the log's QSOs
  std::size_t at = 0, size = 0;
};

struct ReplayedLog {
  std::vector<ReplayedQso> qsos;         // in the order replayed, which is time order; when recorded for a report
  std::vector<QsoOutcome> outcomes;      // in the order replayed; when recorded
  std::vector<ProblemLine> problemLines;  // in the order written; when recorded
  // Their texts back to back. A string a line, made while the plug-in builds its copy of a long
  // log, would each keep a page of that copy from going back to the system once it is let go.
  std::string problemText;
  std::vector<Problem> notes;            // how the plan settled entities
  std::string summary;                   // GetResult0's text
  std::optional<ScoreSummary> score;     // the summary's figures; none when it lacks its totals or score
  ReplayCounts counts;

  std::string_view TextOf(const ProblemLine& line) const {
    return std::string_view(problemText).substr(line.at, line.size);
  }
};

struct ReplayChoices {
  bool recordQsos = true;  // each QSO's fate and problem lines, for a check or a report
  QsoObserver observe;
  bool forReport = true;  // with recordQsos, also every QSO's call, band, entity and frequency (qsos)
  bool callChecks = true;  // each QSO's call checked before it is added, as the host does while it is typed
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

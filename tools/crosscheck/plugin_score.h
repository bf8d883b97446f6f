// A log's score by the plug-in's own rules: its QSOs replayed through the real plug-in.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

#include "entry_points.h"
#include "log_file.h"
#include "replay.h"
#include "score_summary.h"

// While it lives, the process works in a fresh folder of its own, where the plug-in leaves its
// problem file and settings; the folder goes with it. Every path must be absolute before.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

 private:
  std::filesystem::path previous_, folder_;
};

struct NoScore : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The log replayed in a contest opened without a report run, so that no Cabrillo file is written
// and no dialog shows; the plug-in's problem file is removed afterwards.
ReplayResult ScratchReplay(const StatsEntryPoints& plugin, const ContestOpening& opening, std::vector<LogQso> qsos,
                           const QsoObserver& observe = {});

// Throws NoScore when the plug-in's summary has no totals or no score line.
ScoreSummary ScoreOf(const ReplayResult& replay);

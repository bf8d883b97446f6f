// A log's score by the plug-in's own rules: its QSOs replayed through the real plug-in.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "entry_points.h"
#include "log_file.h"
#include "replay.h"

// The figures of the summary's score line "Score = P * (D + N)  = S".
struct ScoreFigures {
  long long points = 0, dxcc = 0, newCalls = 0, score = 0;
};

// Nothing when the text has no score line.
std::optional<ScoreFigures> FiguresOfSummary(std::string_view summary);

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

// A contest opened without a report run, so that no Cabrillo file is written and no dialog
// shows. Throws NoScore when the plug-in's summary has no score line.
ScoreFigures PluginScore(const StatsEntryPoints& plugin, const ContestOpening& opening, std::vector<LogQso> qsos);

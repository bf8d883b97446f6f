// The score is read back from the summary text, the only place the plug-in states it.
#include "plugin_score.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() : previous_(fs::current_path()) {
  std::string pattern = (fs::temp_directory_path() / "stats-crosscheck-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a scratch folder in " + fs::temp_directory_path().string());
  folder_ = pattern;
  fs::current_path(folder_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(folder_, ignored);
}

ReplayResult ScratchReplay(const StatsEntryPoints& plugin, const ContestOpening& opening, std::vector<LogQso> qsos,
                           const QsoObserver& observe) {
  ContestOpening plain = opening;
  plain.startFlag = 0;
  ReplayResult result = Replay(plugin, plain, std::move(qsos), observe);
  // The problem file would collect the dupes and rejections of every log; each log's check has
  // read its own lines while they were written.
  std::error_code ignored;
  fs::remove("err.txt", ignored);
  return result;
}

ScoreSummary ScoreOf(const ReplayResult& replay) {
  std::optional<ScoreSummary> summary = ReadScoreSummary(replay.summary);
  if (!summary) throw NoScore("the plug-in answered no score");
  return std::move(*summary);
}

// The score is read back from the summary text, the only place the plug-in states it.
#include "plugin_score.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

std::optional<ScoreFigures> FiguresOfSummary(std::string_view summary) {
  const std::size_t at = summary.find("Score = ");
  if (at == std::string_view::npos) return std::nullopt;
  const std::string line(summary.substr(at, summary.find('\n', at) - at));
  ScoreFigures f;
  if (std::sscanf(line.c_str(), "Score = %lld * (%lld + %lld)  = %lld", &f.points, &f.dxcc, &f.newCalls, &f.score) != 4) {
    return std::nullopt;
  }
  return f;
}

ScratchFolder::ScratchFolder() : previous_(fs::current_path()) {
  std::string pattern = (fs::temp_directory_path() / "stats-crosscheck-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder in " + fs::temp_directory_path().string());
  folder_ = pattern;
  fs::current_path(folder_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(folder_, ignored);
}

ScoreFigures PluginScore(const StatsEntryPoints& plugin, const ContestOpening& opening, std::vector<LogQso> qsos) {
  ContestOpening plain = opening;
  plain.startFlag = 0;
  const ReplayResult result = Replay(plugin, plain, std::move(qsos));
  // The problem file gets a line for every dupe and rejection of every log: it is not read.
  std::error_code ignored;
  fs::remove("err.txt", ignored);
  const std::optional<ScoreFigures> figures = FiguresOfSummary(result.summary);
  if (!figures) throw NoScore("the plug-in answered no score");
  return *figures;
}

// The bands keep the order of the plug-in's summary, so that the report reads like it.
#include "statistics_report.h"

#include "report_page.h"
#include "stats_json.h"
#include "text_files.h"

namespace fs = std::filesystem;

namespace {

ContestStats StatsOf(const ReplayedLog& replayed, const StatsChoices& choices) {
  std::vector<std::string> bandOrder;
  if (replayed.score) {
    for (const BandScore& band : replayed.score->bands) bandOrder.push_back(band.band);
  }
  return ComputeStats(replayed, bandOrder, choices);
}

}  // namespace

StatisticsFiles WriteStatisticsReport(const fs::path& folder, const ReplayedLog& replayed,
                                      const std::vector<Finding>& findings, const ReportChoices& choices,
                                      const std::string& heading, const std::string& counts) {
  const ContestStats stats = StatsOf(replayed, choices.stats);
  const LogFigures own{stats, replayed.score};
  std::optional<ContestStats> otherStats;
  std::optional<RivalComparison> rival;
  std::optional<ComparedFigures> other;
  if (const std::optional<ComparedLog>& compare = choices.compare) {
    otherStats = StatsOf(*compare->replayed, compare->choices);
    rival = CompareWithRival(replayed, choices.stats, stats, *compare->replayed, compare->choices, *otherStats);
    other.emplace(ComparedFigures{compare->log, compare->call, {*otherStats, compare->replayed->score}, *rival});
  }
  const ComparedFigures* compared = other ? &*other : nullptr;

  fs::create_directories(folder);
  const StatisticsFiles files{folder / "stats.json", folder / "report.html"};
  WriteTextFile(files.json, StatsJson(own, findings, compared, JsonForm::File));
  WriteTextFile(files.page, ReportPage(StatsJson(own, findings, compared, JsonForm::Page), heading, counts));
  return files;
}

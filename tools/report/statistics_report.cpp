// The bands keep the order of the plug-in's summary, so that the report reads like it.
#include "statistics_report.h"

#include "contest_stats.h"
#include "report_page.h"
#include "stats_json.h"
#include "text_files.h"

namespace fs = std::filesystem;

StatisticsFiles WriteStatisticsReport(const fs::path& folder, const ReplayedLog& replayed,
                                      const std::vector<Finding>& findings, int minBreakMinutes,
                                      const std::string& heading, const std::string& counts) {
  const std::optional<ScoreSummary>& summary = replayed.score;
  std::vector<std::string> bandOrder;
  if (summary) {
    for (const BandScore& band : summary->bands) bandOrder.push_back(band.band);
  }
  const ContestStats stats = ComputeStats(replayed, bandOrder, minBreakMinutes);
  const std::string json = StatsJson(stats, summary, findings);

  fs::create_directories(folder);
  const StatisticsFiles files{folder / "stats.json", folder / "report.html"};
  WriteTextFile(files.json, json);
  WriteTextFile(files.page, ReportPage(json, heading, counts));
  return files;
}

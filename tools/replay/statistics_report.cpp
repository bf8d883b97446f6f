// The bands keep the order of the plug-in's summary, so that the report reads like it.
#include "statistics_report.h"

#include <fstream>
#include <stdexcept>

#include "contest_stats.h"
#include "report_page.h"
#include "score_summary.h"
#include "stats_json.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

}  // namespace

StatisticsFiles WriteStatisticsReport(const fs::path& folder, const ReplayedLog& replayed,
                                      const std::vector<Finding>& findings, int minBreakMinutes,
                                      const std::string& heading, const std::string& counts) {
  const std::optional<ScoreSummary> summary = ReadScoreSummary(replayed.summary);
  std::vector<std::string> bandOrder;
  if (summary) {
    for (const BandScore& band : summary->bands) bandOrder.push_back(band.band);
  }
  const ContestStats stats = ComputeStats(replayed, bandOrder, minBreakMinutes);
  const std::string json = StatsJson(stats, summary, findings);

  fs::create_directories(folder);
  const StatisticsFiles files{folder / "stats.json", folder / "report.html"};
  WriteFile(files.json, json);
  WriteFile(files.page, ReportPage(json, heading, counts));
  return files;
}

// stats-crosscheck: the sponsor's check of every submitted log against the others, each log then
// scored on the QSOs it keeps by the statistics plug-in itself.
#include <chrono>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "check_report.h"
#include "country_file.h"
#include "cross_check.h"
#include "crosscheck_options.h"
#include "log_scoring.h"
#include "log_set.h"
#include "plugin_library.h"
#include "program_files.h"
#include "progress_line.h"
#include "results.h"
#include "text_files.h"
#include "tool_main.h"
#include "working_folder.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

int Run(const CrossCheckOptions& options) {
  const auto started = Clock::now();
  // Every path is settled before the replays move into their scratch folder.
  const fs::path logFolder = fs::absolute(options.logFolder);
  const fs::path outFolder = fs::absolute(options.outFolder);
  const ProgramFiles files = ResolveProgramFiles(options.plugin, options.countryFile, options.countryCsv);

  const LogSet set = ReadLogFolder(logFolder);
  const double readSeconds = SecondsSince(started);
  const auto matchStart = Clock::now();
  const std::vector<std::vector<Verdict>> verdicts = CrossCheck(set.checked, options.tolerance);
  const double matchSeconds = SecondsSince(matchStart);

  const auto scoreStart = Clock::now();
  const fs::path reports = outFolder / "reports";
  fs::remove_all(reports);
  fs::create_directories(reports);
  const CountryFile countries = CountryFile::Load(files.countryDat, files.countryCsv);
  const PluginLibrary plugin(files.plugin);
  const CheckContext context{set.checked, verdicts, options.rules, options.tolerance};
  std::vector<LogResult> results;
  results.reserve(set.logs.size());
  {
    const WorkingFolder scratch{WorkingFolder::Scratch{}};
    ProgressLine progress(std::cerr, set.logs.size(), "stats-crosscheck", "logs scored");
    for (std::size_t i = 0; i < set.logs.size(); ++i) {
      results.push_back(ScoreLog(set.logs[i], i, context, plugin.entryPoints(), countries, reports));
      progress.Update(i + 1);
    }
  }
  const double scoreSeconds = SecondsSince(scoreStart);

  const std::string summary = SummaryText(set, results, CountDecisions(verdicts), options.rules, options.tolerance);
  WriteTextFile(outFolder / "results.txt", ResultsText(results));
  WriteTextFile(outFolder / "results.csv", ResultsCsv(results));
  WriteTextFile(outFolder / "decisions.csv", DecisionsCsv(context));
  WriteTextFile(outFolder / "summary.txt", summary);

  std::cout << summary << '\n'
            << std::fixed << std::setprecision(2) << "Took " << SecondsSince(started) << " s: read " << readSeconds
            << " s, matched " << matchSeconds << " s, scored through the plug-in " << scoreSeconds << " s\n"
            << "Results in " << outFolder.string() << ": results.txt, results.csv, summary.txt, decisions.csv, "
            << "reports/<call>.txt\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return RunTool<CrossCheckOptions>("stats-crosscheck", kCrossCheckUsage, argc, argv, ParseCrossCheckOptions, Run);
}

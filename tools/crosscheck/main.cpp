// stats-crosscheck: the sponsor's check of every submitted log against the others, each log then
// scored on the QSOs it keeps by the statistics plug-in itself.
#include <chrono>
#include <exception>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "check_report.h"
#include "counted.h"
#include "contest_rules.h"
#include "country_file.h"
#include "cross_check.h"
#include "crosscheck_options.h"
#include "entry_rules.h"
#include "log_set.h"
#include "output_folder.h"
#include "program_files.h"
#include "report_names.h"
#include "result_pages.h"
#include "results.h"
#include "scoring_workers.h"
#include "shown_text.h"
#include "tool_main.h"

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
  const Receipts receipts = options.receipts.empty() ? Receipts{} : ReadReceipts(fs::absolute(options.receipts));

  // Read on threads of their own, as many as the workers that score: the allocator gives a thread
  // its own arena, so the parsed logs' millions of pieces, freed as each log is taken, stay out of
  // the heap the scoring workers are forked with and allocate from.
  LogSet set;
  std::exception_ptr failed;
  std::thread([&] {
    try {
      set = ReadLogFolder(logFolder, receipts, options.jobs);
    } catch (...) {
      failed = std::current_exception();
    }
  }).join();
  if (failed) std::rethrow_exception(failed);
  if (set.logs.empty()) {
    throw std::runtime_error("no log to check in " + Shown(logFolder.string()) + " (" +
                             std::to_string(set.filesReceived) + " files, " + std::to_string(set.passedOver.size()) +
                             " passed over)");
  }
  const double readSeconds = SecondsSince(started);
  const auto matchStart = Clock::now();
  CrossCheckResult checked = CheckAll(set.checked, {options.tolerance, options.correctClocks});
  const ContestPeriod period = options.period ? *options.period : PeriodFromLogs(set.checked, checked.offsets);
  std::vector<std::string> entryBands, calls;
  for (const SubmittedLog& log : set.logs) {
    entryBands.push_back(SingleBandOf(log.header.categoryBand));
    calls.push_back(log.call);
  }
  ApplyEntryRules(set.checked, entryBands, period, checked);
  const double matchSeconds = SecondsSince(matchStart);

  const auto scoreStart = Clock::now();
  OutputFolder out(outFolder);
  const CountryFile countries = CountryFile::Load(files.countryDat, files.countryCsv);
  const auto lineOf = [&set](std::size_t log, std::size_t qso) {
    return set.lines->Text(set.logs[log].firstLine + qso);
  };
  const CheckContext context{set.checked, checked.verdicts,   options.rules,  options.tolerance,
                             lineOf,      PointingAt(set.checked, checked), checked.offsets};
  const std::vector<std::string> names = ReportNames(calls);
  // The decisions, ten million lines for the largest contests, need no score: written while the
  // workers score.
  const auto decisions = [&] {
    out.Write("decisions.csv", [&](std::ostream& stream) { WriteDecisionsCsv(context, stream); });
  };
  const ScoringOutcome scored =
      ScoreAll({set, context, checked.offsets, names, files.plugin, countries, options.jobs, decisions}, out);
  const double scoreSeconds = SecondsSince(scoreStart);

  const std::string summary = SummaryText({set, scored.results, context, period, !options.period, scored.notReported});
  WriteResults(out, scored.results, summary);
  out.Finish();

  std::cout << summary << '\n'
            << std::fixed << std::setprecision(2) << "Took " << SecondsSince(started) << " s: read " << readSeconds
            << " s, matched " << matchSeconds << " s, scored through the plug-in " << scoreSeconds << " s ("
            << Counted(options.jobs, "process", "processes") << ")\n"
            << "Results in " << Shown(outFolder.string()) << ": index.html and pages/, results.txt, results.csv, "
            << "summary.txt, decisions.csv, reports/<call>.txt, stations/<call>.html\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return RunTool<CrossCheckOptions>("stats-crosscheck", kCrossCheckUsage, argc, argv, ParseCrossCheckOptions, Run);
}

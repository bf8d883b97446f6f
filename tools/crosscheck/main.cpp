// stats-crosscheck: the sponsor's check of every submitted log against the others, each log then
// scored on the QSOs it keeps by the statistics plug-in itself.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "check_report.h"
#include "contest_plan.h"
#include "country_file.h"
#include "cross_check.h"
#include "crosscheck_options.h"
#include "host_platform.h"
#include "log_check.h"
#include "log_set.h"
#include "plugin_library.h"
#include "plugin_score.h"
#include "progress_line.h"
#include "replayed_log.h"
#include "results.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

// The plug-in's own rule for its file names.
std::string FileBase(std::string call) {
  std::replace(call.begin(), call.end(), '/', '_');
  std::replace(call.begin(), call.end(), '\\', '_');
  return call;
}

long long CheckedScore(const ScoreSummary& s, std::size_t penalised, const PenaltyRules& rules) {
  if (rules.extraPenalty == 0) return s.score;
  const long long points = std::max(0LL, s.total.points - static_cast<long long>(penalised) * rules.extraPenalty);
  return points * (s.total.dxcc + s.total.newCalls);
}

// Replays the log as submitted and as kept, and writes its check report.
LogResult ScoreLog(const SubmittedLog& submitted, std::size_t index, const CheckContext& context,
                   const StatsEntryPoints& plugin, const CountryFile& countries, const fs::path& reports) {
  const std::string text = FileText(submitted.file);
  const LogFile log = ParseLogText(text);
  const CheckedLog& checked = context.logs[index];
  // The decisions belong to the QSOs as they were read before: a file changed since has others.
  if (CheckedOf(log, checked.call).qsos != checked.qsos) {
    throw std::runtime_error(submitted.file.string() + ": changed during the check");
  }
  ContestPlan plan = PlanContest(LogFile(log), countries, {0, "", std::nullopt, std::nullopt});

  const std::vector<Verdict>& verdicts = context.verdicts[index];
  std::vector<char> removedAt;  // by file line
  std::size_t removed = 0, penalised = 0;
  for (std::size_t q = 0; q < checked.qsos.size(); ++q) {
    if (Kept(verdicts[q].decision, context.rules)) continue;
    const std::size_t line = checked.qsos[q].line;
    if (removedAt.size() <= line) removedAt.resize(line + 1, 0);
    removedAt[line] = 1;
    ++removed;
    penalised += Penalised(verdicts[q].decision);
  }

  LogResult result{.call = submitted.call, .category = submitted.category, .file = submitted.file};
  result.qsos = checked.qsos.size();
  result.kept = result.qsos - removed;
  result.removed = removed;
  // The replay as submitted also gives the log's own check what the plug-in made of each QSO.
  ReplayRecorder recorder("err.txt");
  const ReplayResult asSubmitted =
      ScratchReplay(plugin, plan.opening, plan.qsos,
                    [&](std::size_t, const LogQso& q, int, QsoFate fate) { recorder.Take(q, fate); });
  const ScoreSummary claimed = ScoreOf(asSubmitted);
  result.claimed = claimed.score;
  if (removed == 0) {
    result.checked = claimed.score;
  } else {
    std::vector<LogQso> kept;
    kept.reserve(result.kept);
    for (LogQso& q : plan.qsos) {
      if (q.line >= removedAt.size() || !removedAt[q.line]) kept.push_back(std::move(q));
    }
    result.checked =
        CheckedScore(ScoreOf(ScratchReplay(plugin, plan.opening, std::move(kept))), penalised, context.rules);
  }
  ReplayedLog& replayed = recorder.log();
  replayed.notes = std::move(plan.notes);
  replayed.summary = asSubmitted.summary;
  const std::vector<Finding> findings = CheckLog(log, replayed, {});

  std::ostringstream head;
  head << "Check of " << submitted.call << " (" << submitted.file.filename().string() << ", "
       << (submitted.category.empty() ? "no CATEGORY-OPERATOR" : submitted.category) << ")\n"
       << result.qsos << " QSOs checked: " << result.kept << " kept, " << result.removed << " removed; claimed score "
       << result.claimed << ", checked score " << result.checked << '\n';
  if (submitted.qsoLines > result.qsos) {
    head << submitted.qsoLines - result.qsos << " QSO lines could not be read and are not part of the check\n";
  }
  head << "\nThe log's own check, as stats-replay --check makes it:\n";
  for (const Finding& finding : findings) head << FindingLine(finding) << '\n';
  head << CountLine(CountFindings(findings)) << "\n\n"
       << "The cross-check, one line per QSO not simply confirmed: the file's line, the decision and what it\n"
       << "costs, the evidence from the other log.\n";
  WriteText(reports / (FileBase(submitted.call) + ".txt"), head.str() + ReportLines(context, index, text));
  return result;
}

int Run(const CrossCheckOptions& options) {
  const auto started = Clock::now();
  // Every path is settled before the replays move into their scratch folder.
  const fs::path logFolder = fs::absolute(options.logFolder);
  const fs::path outFolder = fs::absolute(options.outFolder);
  const fs::path pluginPath =
      options.plugin.empty() ? host_platform::DefaultPluginPath() : fs::absolute(options.plugin);
  const fs::path datPath =
      options.countryFile.empty() ? host_platform::DefaultCountryFile() : fs::absolute(options.countryFile);
  const fs::path csvPath =
      options.countryCsv.empty() ? datPath.parent_path() / "cty.csv" : fs::absolute(options.countryCsv);

  const LogSet set = ReadLogFolder(logFolder);
  const double readSeconds = SecondsSince(started);
  const auto matchStart = Clock::now();
  const std::vector<std::vector<Verdict>> verdicts = CrossCheck(set.checked, options.tolerance);
  const double matchSeconds = SecondsSince(matchStart);

  const auto scoreStart = Clock::now();
  const fs::path reports = outFolder / "reports";
  fs::remove_all(reports);
  fs::create_directories(reports);
  const CountryFile countries = CountryFile::Load(datPath, csvPath);
  const PluginLibrary plugin(pluginPath);
  const CheckContext context{set.checked, verdicts, options.rules, options.tolerance};
  std::vector<LogResult> results;
  results.reserve(set.logs.size());
  {
    const ScratchFolder scratch;
    ProgressLine progress(std::cerr, set.logs.size(), "stats-crosscheck", "logs scored");
    for (std::size_t i = 0; i < set.logs.size(); ++i) {
      results.push_back(ScoreLog(set.logs[i], i, context, plugin.entryPoints(), countries, reports));
      progress.Update(i + 1);
    }
  }
  const double scoreSeconds = SecondsSince(scoreStart);

  const std::string summary = SummaryText(set, results, CountDecisions(verdicts), options.rules, options.tolerance);
  WriteText(outFolder / "results.txt", ResultsText(results));
  WriteText(outFolder / "results.csv", ResultsCsv(results));
  WriteText(outFolder / "decisions.csv", DecisionsCsv(context));
  WriteText(outFolder / "summary.txt", summary);

  std::cout << summary << '\n'
            << std::fixed << std::setprecision(2) << "Took " << SecondsSince(started) << " s: read " << readSeconds
            << " s, matched " << matchSeconds << " s, scored through the plug-in " << scoreSeconds << " s\n"
            << "Results in " << outFolder.string() << ": results.txt, results.csv, summary.txt, decisions.csv, "
            << "reports/<call>.txt\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CrossCheckOptions options;
  try {
    options = ParseCrossCheckOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << "stats-crosscheck: " << error.what() << '\n' << kCrossCheckUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kCrossCheckUsage;
    return 0;
  }
  try {
    return Run(options);
  } catch (const NoScore& error) {
    std::cerr << "stats-crosscheck: " << error.what() << '\n';
    return 3;
  } catch (const std::exception& error) {
    std::cerr << "stats-crosscheck: " << error.what() << '\n';
    return 2;
  }
}

// The score is read back from the summary text, the only place the plug-in states it. The replay
// as submitted also gives the log's own check what the plug-in made of each QSO.
#include "log_scoring.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "contest_plan.h"
#include "contest_rules.h"
#include "log_check.h"
#include "plugin_failure.h"
#include "replay_session.h"
#include "text_files.h"

namespace fs = std::filesystem;

namespace {

// The problem file would collect the dupes and rejections of every log; each replay has read its
// own lines while they were written.
ReplayedLog ReplayHere(const StatsEntryPoints& plugin, const ContestPlan& plan, bool record) {
  ReplayedLog replayed = ReplayLog(plugin, plan, {record, {}});
  std::error_code ignored;
  fs::remove(kProblemFileName, ignored);
  if (!replayed.score) throw PluginFailure("the plug-in answered no score");
  return replayed;
}

}  // namespace

long long CheckedScore(const ScoreSummary& s, std::size_t penalised, const PenaltyRules& rules) {
  if (rules.extraPenalty == 0) return s.score;
  const long long points = std::max(0LL, s.total.points - static_cast<long long>(penalised) * rules.extraPenalty);
  return Score(points, s.total.dxcc, s.total.newCalls);
}

LogResult ScoreLog(const SubmittedLog& submitted, std::size_t index, const CheckContext& context,
                   const StatsEntryPoints& plugin, const CountryFile& countries, const fs::path& reports) {
  const LogFile& log = submitted.log;
  const CheckedLog& checked = context.logs[index];
  const ContestPlan plan = PlanContest(log, countries, {0, "", std::nullopt, std::nullopt});

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
  const ReplayedLog asSubmitted = ReplayHere(plugin, plan, true);
  result.claimed = asSubmitted.score->score;
  if (removed == 0) {
    result.checked = asSubmitted.score->score;
  } else {
    ContestPlan kept{plan.opening, {}, {}};
    kept.qsos.reserve(result.kept);
    for (const PlannedQso& q : plan.qsos) {
      if (q.qso->line >= removedAt.size() || !removedAt[q.qso->line]) kept.qsos.push_back(q);
    }
    result.checked = CheckedScore(*ReplayHere(plugin, kept, false).score, penalised, context.rules);
  }
  const std::vector<Finding> findings = CheckLog(log, asSubmitted, {});

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
  WriteTextFile(reports / (FileBaseOf(submitted.call) + ".txt"), head.str() + ReportLines(context, index, log));
  return result;
}

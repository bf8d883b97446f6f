// The score is read back from the summary text, the only place the plug-in states it. The replay
// as submitted also gives the log's own check what the plug-in made of each QSO.
#include "log_scoring.h"

#include <algorithm>
#include <unordered_map>
#include <set>
#include <sstream>
#include <vector>

#include "contest_plan.h"
#include "contest_rules.h"
#include "counted.h"
#include "log_check.h"
#include "no_new_files.h"
#include "plugin_failure.h"
#include "replay_session.h"
#include "shown_text.h"
#include "working_folder.h"

namespace fs = std::filesystem;

namespace {

// The bands where the plug-in counted a QSO of no entity: there it counts "no entity" as one. The
// score is all these replays want of the plug-in, so no call is checked.
ReplayChoices NoEntityWatch(std::set<std::string>& bands) {
  return {.recordQsos = false,
          .observe = [&bands](std::size_t, const PlannedQso& planned, int, QsoFate fate) {
            if (fate == QsoFate::Accepted && !planned.entity) bands.insert(planned.qso->band);
          },
          .callChecks = false};
}

// The replay as submitted where the problem file cannot be opened, each QSO's fate recorded as
// a recording replay would (the check needs nothing else of each QSO), without the problem lines:
// those tell why the plug-in refused a QSO or stored a dupe, and the report leaves exactly those
// texts out (EntrantFinding), so a log with a refused QSO needs no replay of its own with the
// problem file.
ReplayedLog ReplayQuietly(const StatsEntryPoints& plugin, const ContestPlan& plan, const fs::path& quietFolder,
                          std::set<std::string>& noEntityBands) {
  const WorkingFolder quiet(quietFolder);
  const NoNewFiles sealed;
  std::vector<QsoOutcome> outcomes;
  outcomes.reserve(plan.qsos.size());
  ReplayChoices choices = NoEntityWatch(noEntityBands);
  choices.observe = [&, watch = std::move(choices.observe)](std::size_t i, const PlannedQso& planned, int check,
                                                            QsoFate fate) {
    outcomes.push_back({planned.index, fate});
    watch(i, planned, check, fate);
  };
  ReplayedLog replayed = ReplayLog(plugin, plan, choices);
  if (!replayed.score) throw PluginFailure("the plug-in answered no score");
  replayed.outcomes = std::move(outcomes);
  return replayed;
}

bool Removed(const PlannedQso& q, const std::vector<char>& removedAt) {
  return q.qso->line < removedAt.size() && removedAt[q.qso->line];
}

struct KeptScore {
  ScoreSummary score;
  std::size_t noEntityBands = 0;
};

// The plug-in's score of the QSOs the check kept. The plug-in still holds the log as submitted,
// and the host's deletion of the removed QSOs leaves it as a replay of the kept ones would, at a
// fraction of the calls, unless a stored QSO that stays shares its call and band with a removed
// one: when it comes later, its dupe flag, set as it was added, would be wrong; at the same time,
// the plug-in, which deletes the first QSO of that call, band and time, would delete it instead.
// Those logs are replayed without the removed QSOs.
KeptScore ScoreKept(const StatsEntryPoints& plugin, const ContestPlan& plan, const std::vector<QsoOutcome>& outcomes,
                    const std::vector<char>& removedAt, const fs::path& quietFolder) {
  struct Twins {
    bool withdrawn = false;         // a removed QSO of this call and band came before
    std::vector<double> stayDays;  // the times of the staying ones so far
  };
  // A call and a band are shared texts, the same text the same object: their addresses are the key.
  struct CallBandHash {
    std::size_t operator()(const std::pair<const void*, const void*>& key) const {
      return std::hash<const void*>()(key.first) * 31 + std::hash<const void*>()(key.second);
    }
  };
  std::unordered_map<std::pair<const void*, const void*>, Twins, CallBandHash> byCallBand;
  std::vector<const PlannedQso*> withdrawn;
  std::set<std::string> noEntity;
  bool deletable = true;
  for (std::size_t i = 0; i < plan.qsos.size() && deletable; ++i) {
    const PlannedQso& q = plan.qsos[i];
    const QsoFate fate = outcomes.at(i).fate;
    if (fate == QsoFate::Rejected) continue;  // never stored: nothing to delete, nothing flagged by it
    Twins& twins = byCallBand[{&q.qso->call.str(), &q.qso->band.str()}];
    if (Removed(q, removedAt)) {
      deletable = std::find(twins.stayDays.begin(), twins.stayDays.end(), q.qso->days) == twins.stayDays.end();
      twins.withdrawn = true;
      withdrawn.push_back(&q);
    } else {
      deletable = !twins.withdrawn;
      twins.stayDays.push_back(q.qso->days);
      if (fate == QsoFate::Accepted && !q.entity) noEntity.insert(q.qso->band);
    }
  }
  const WorkingFolder quiet(quietFolder);
  const NoNewFiles sealed;
  std::optional<ScoreSummary> score;
  if (deletable) {
    score = ReadScoreSummary(WithdrawQsos(plugin, plan.opening, withdrawn));
  } else {
    ContestPlan kept;
    kept.opening = plan.opening;
    for (const PlannedQso& q : plan.qsos) {
      if (!Removed(q, removedAt)) kept.qsos.push_back(q);
    }
    noEntity.clear();
    score = ReplayLog(plugin, kept, NoEntityWatch(noEntity)).score;
  }
  if (!score) throw PluginFailure("the plug-in answered no score");
  return {*score, noEntity.size()};
}

std::string Figures(const char* what, long long qsos, long long points, long long multipliers, long long score) {
  char line[128];
  std::snprintf(line, sizeof line, "  %-13s %8lld %8lld %8lld %12lld\n", what, qsos, points, multipliers, score);
  return line;
}

}  // namespace

long long CheckedScore(const ScoreSummary& s, std::size_t noEntityBands, std::size_t penalised,
                       const PenaltyRules& rules) {
  const long long dxcc = std::max(0LL, s.total.dxcc - static_cast<long long>(noEntityBands));
  const long long points = std::max(0LL, s.total.points - static_cast<long long>(penalised) * rules.extraPenalty);
  return Score(points, dxcc, s.total.newCalls);
}

fs::path QuietFolder(const fs::path& scratch) {
  const fs::path quiet = scratch / "quiet";
  fs::create_directories(quiet);
  return quiet;
}

ScoredLog ScoreLog(const SubmittedLog& submitted, std::size_t index, const CheckContext& context,
                   const ClockOffset& offset, const StatsEntryPoints& plugin, const CountryFile& countries,
                   const fs::path& quietFolder) {
  const LogFile log = ReadAgain(submitted);
  const CheckedLog& checked = context.logs[index];
  const ContestPlan plan = PlanContest(log, countries, {0, "", std::nullopt, std::nullopt});

  const std::vector<Verdict>& verdicts = context.verdicts[index];
  std::vector<char> removedAt;  // by file line
  LogResult result;
  result.call = submitted.call;
  result.category = submitted.category;
  result.file = submitted.file;
  result.header = submitted.header;
  result.checklog = IsChecklog(submitted.header.categoryOperator);
  result.claimed = submitted.header.claimed;
  result.offset = offset;
  if (std::optional<CountryMatch> home = countries.ForCall(submitted.call)) {
    result.entity = home->entity->name;
    result.continent = home->continent;
  }
  std::size_t penalised = 0;
  for (std::size_t q = 0; q < checked.qsos.size(); ++q) {
    ++result.decisions[static_cast<std::size_t>(verdicts[q].decision)];
    if (Kept(verdicts[q].decision, context.rules)) continue;
    const std::size_t line = checked.qsos[q].line;
    if (removedAt.size() <= line) removedAt.resize(line + 1, 0);
    removedAt[line] = 1;
    ++result.removed;
    ++result.removedBy[static_cast<std::size_t>(verdicts[q].decision)];
    penalised += Penalised(verdicts[q].decision);
  }
  result.qsos = checked.qsos.size();
  result.kept = result.qsos - result.removed;

  std::set<std::string> noEntityBefore;
  const ReplayedLog asSubmitted = ReplayQuietly(plugin, plan, quietFolder, noEntityBefore);
  const ScoreSummary& before = *asSubmitted.score;
  result.pointsBefore = before.total.points;
  result.multipliersBefore =
      std::max(0LL, before.total.dxcc - static_cast<long long>(noEntityBefore.size())) + before.total.newCalls;
  result.before = CheckedScore(before, noEntityBefore.size(), 0, {});
  ScoreSummary after = before;
  std::size_t noEntity = noEntityBefore.size();
  if (result.removed > 0) {
    const KeptScore kept = ScoreKept(plugin, plan, asSubmitted.outcomes, removedAt, quietFolder);
    after = kept.score;
    noEntity = kept.noEntityBands;
  }
  result.checked = CheckedScore(after, noEntity, penalised, context.rules);
  result.points = std::max(0LL, after.total.points - static_cast<long long>(penalised) * context.rules.extraPenalty);
  result.multipliers = std::max(0LL, after.total.dxcc - static_cast<long long>(noEntity)) + after.total.newCalls;
  const std::vector<Finding> findings = CheckLog(log, asSubmitted, {});

  std::ostringstream head;
  head << "Check of " << Shown(submitted.call) << " (" << Shown(submitted.file.filename().string()) << "; "
       << (submitted.category.empty() ? std::string("no CATEGORY-OPERATOR") : Shown(submitted.category));
  if (!submitted.header.categoryBand.empty()) head << ", " << Shown(submitted.header.categoryBand);
  head << ")\n";
  if (!submitted.passedOverFile.empty()) {
    head << "The file checked is " << Shown(submitted.file.filename().string()) << "; "
         << Shown(submitted.passedOverFile) << ", another file of this call, was passed over.\n";
  }
  if (result.checklog) head << "A checklog: it confirms the other logs' QSOs and is not ranked.\n";
  head << Counted(result.qsos, "QSO") << " checked: " << result.kept << " kept, " << result.removed
       << " removed; claimed score "
       << (result.claimed ? std::to_string(*result.claimed) : std::string("none (no CLAIMED-SCORE)"))
       << ", checked score " << result.checked << '\n';
  if (submitted.qsoLines > result.qsos) {
    const std::size_t unread = submitted.qsoLines - result.qsos;
    head << Counted(unread, "QSO line") << (unread == 1 ? " could not be read and is" : " could not be read and are")
         << " not part of the check\n";
  }
  head << "\n                    QSOs   Points    Mults        Score\n"
       << Figures("as submitted", before.total.qsos, result.pointsBefore, result.multipliersBefore, result.before)
       << Figures("checked", after.total.qsos, result.points, result.multipliers, result.checked) << '\n';
  std::string counts;
  for (std::size_t d = 0; d < kDecisionCount; ++d) {
    if (result.decisions[d] == 0) continue;
    counts += (counts.empty() ? "" : ", ") + std::to_string(result.decisions[d]) + " " +
              std::string(DecisionName(static_cast<Decision>(d)));
  }
  head << "QSOs by decision: " << (counts.empty() ? std::string("none") : counts) << "\n";
  if (offset.evidence > 0 && offset.minutes != 0) {
    head << "Your clock: " << SignedCounted(offset.minutes, "minute") << " against the others', from "
         << Counted(offset.evidence, "QSO") << " (" << offset.agreeing
         << (offset.agreeing == 1 ? " agrees" : " agree") << " within a minute); "
         << (offset.corrected ? "your times were corrected by it before matching\n"
                              : "not corrected (too small or not clear enough)\n");
  }
  std::set<std::string> sent;
  for (const CheckedQso& q : checked.qsos) {
    if (!q.ownCall.empty()) sent.insert(q.ownCall);
  }
  for (const std::string& call : sent) {
    head << "Your QSO lines send " << Shown(call) << " where your header has CALLSIGN: " << Shown(submitted.call)
         << "; those QSOs were matched on " << Shown(call) << ", as the QSO lines say\n";
  }
  const std::string entryBand = SingleBandOf(submitted.header.categoryBand);
  if (!entryBand.empty()) {
    head << "A single-band entry on " << entryBand
         << ": QSOs on another band count for the stations you worked, not for you\n";
  }
  head << "\nYour log's own check:\n";
  std::size_t shownFindings = 0;
  for (const Finding& finding : findings) {
    if (std::optional<std::string> line = EntrantFinding(finding)) {
      head << *line << '\n';
      ++shownFindings;
    }
  }
  if (shownFindings == 0) head << "nothing to note\n";
  head << "\nWhat the cross-check changed or noted, one line per QSO (confirmed ones and calls that did not\n"
       << "submit left out): the file's line, the decision and what it costs, the evidence from the other log.\n";
  const std::string done = DoneToUs(context, index);
  std::string report = head.str() + ReportLines(context, index, log);
  report += "\nWhat other logs' checks lost them through your call or serial:\n";
  report += done.empty() ? "nothing\n" : done;
  return {std::move(result), std::move(report)};
}

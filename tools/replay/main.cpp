// stats-replay: a contest log replayed through the statistics plug-in, the way the host drives it.
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "call_list.h"
#include "contest_plan.h"
#include "country_file.h"
#include "dialog_answerer.h"
#include "great_circle.h"
#include "log_check.h"
#include "log_file.h"
#include "log_fitness.h"
#include "options.h"
#include "plugin_library.h"
#include "program_files.h"
#include "progress_line.h"
#include "replay_session.h"
#include "shown_text.h"
#include "statistics_report.h"
#include "tool_main.h"
#include "working_folder.h"

namespace fs = std::filesystem;

namespace {

void Report(const fs::path& file, const std::vector<Problem>& problems) {
  for (const Problem& p : problems) std::cerr << file.string() << ':' << p.line << ": " << Shown(p.message) << '\n';
}

const char* CheckText(int answer) {
  switch (answer) {
    case kCheckDupe:
      return "dupe";
    case kCheckNotNew:
      return "not new";
    case kCheckNewMultiplier:
      return "new multiplier";
    case kCheckBandMismatch:
      return "band mismatch";
    default:
      return "unknown answer";
  }
}

const char* FateText(QsoFate fate) {
  switch (fate) {
    case QsoFate::Accepted:
      return "accepted";
    case QsoFate::Dupe:
      return "stored as dupe";
    case QsoFate::Rejected:
      return "rejected";
  }
  return "";
}

// The plug-in's text has CR LF line ends, and not always a last one; standard output adds its own.
std::string AsLines(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  if (!text.ends_with('\n')) text += '\n';
  return text;
}

// What the report takes from the run beside the replay itself.
struct ReportContext {
  const CountryFile& countries;
  const fs::path& plugin;  // loaded anew for the other log: the log's own run has let it go
  std::string ownCall, heading, replayCounts;
  const LogFile* otherLog;  // read before the replay, so that a log that cannot be read stops the run at once
};

// The check-partial list a check looks calls up in; without one given, a missing list only means
// that calls are not looked up.
std::optional<CallList> KnownCalls(const Options& options, const fs::path& datPath) {
  if (!options.callList.empty()) return CallList::Load(fs::absolute(options.callList));
  const fs::path beside = datPath.parent_path() / "MASTER.SCP";
  std::error_code error;
  if (fs::exists(beside, error)) return CallList::Load(beside);
  std::cerr << "stats-replay: no " << beside.string() << "; calls are not looked up in a check-partial list\n";
  return std::nullopt;
}

// Where the map's headings start: the operator's locator, else the own call's entity.
std::optional<Origin> OriginOf(const Options& options, const CountryFile& countries, const std::string& ownCall) {
  if (!options.locator.empty()) return Origin{*LocatorCentre(options.locator), "locator " + options.locator};
  const std::optional<CountryMatch> own = countries.ForCall(ownCall);
  if (!own || !own->entity->position) return std::nullopt;
  return Origin{*own->entity->position, "entity " + own->entity->name};
}

// The other log of a comparison, replayed in a scratch folder as a contest opened without a
// report run, so that nothing of it is left behind.
struct OtherRun {
  std::string call;
  ReplayedLog replayed;
};

OtherRun ReplayOther(const fs::path& logPath, const LogFile& log, const CountryFile& countries,
                     const fs::path& pluginFile) {
  const ContestPlan plan = PlanContest(log, countries, {0, "", std::nullopt, std::nullopt});
  const WorkingFolder scratch(WorkingFolder::Scratch{});
  const PluginLibrary plugin(pluginFile);
  OtherRun run{plan.opening.ownCall, ReplayInFolder(scratch.path(), plugin.entryPoints(), plan).replayed};
  const ReplayCounts& counts = run.replayed.counts;
  std::cout << "Compared with " << logPath.filename().string() << ": " << plan.qsos.size() << " QSOs replayed, "
            << counts.accepted << " accepted, " << counts.dupes << " flagged as dupes, " << counts.rejected
            << " rejected; records skipped: " << log.skipped << '\n';
  return run;
}

// The findings after the replay's own lines, then the report files. 4 when there is an error.
int CheckAndReport(const Options& options, const fs::path& reportFolder, const LogFile& log,
                   const ReplayedLog& replayed, const CallList* knownCalls, const ReportContext& context) {
  const std::vector<Finding> findings = CheckLog(log, replayed, {options.period, knownCalls});
  std::cout << '\n';
  for (const Finding& finding : findings) std::cout << FindingLine(finding) << '\n';
  const FindingCounts found = CountFindings(findings);
  std::cout << CountLine(found) << '\n';
  if (reportFolder.empty()) return found.errors > 0 ? 4 : 0;

  ReportChoices choices;
  choices.stats = {options.minBreakMinutes, options.period,
                   {options.runToleranceHz, options.runMinQsos}, OriginOf(options, context.countries, context.ownCall),
                   &context.countries.Entities()};
  std::optional<OtherRun> other;
  if (context.otherLog) {
    const fs::path otherPath = fs::absolute(options.compareLog);
    other = ReplayOther(otherPath, *context.otherLog, context.countries, context.plugin);
    StatsChoices otherChoices = choices.stats;
    otherChoices.period = options.comparePeriod;
    choices.compare = ComparedLog{otherPath.filename().string(), other->call, &other->replayed, otherChoices};
  }
  const StatisticsFiles files = WriteStatisticsReport(reportFolder, replayed, findings, choices, context.heading,
                                                      context.replayCounts + "; " + CountLine(found));
  std::cout << "Report written:\n  " << files.json.string() << "\n  " << files.page.string() << '\n';
  return found.errors > 0 ? 4 : 0;
}

int Run(const Options& options) {
  const auto started = std::chrono::steady_clock::now();
  // Every path is settled before the replay moves into the output folder.
  const fs::path logPath = fs::absolute(options.log);
  const ProgramFiles files = ResolveProgramFiles(options.plugin, options.countryFile, options.countryCsv);
  const fs::path outFolder = fs::absolute(options.outFolder);
  const fs::path reportFolder = options.reportFolder.empty() ? fs::path() : fs::absolute(options.reportFolder);

  const CountryFile countries = CountryFile::Load(files.countryDat, files.countryCsv);
  std::optional<CallList> knownCalls;
  if (options.check) knownCalls = KnownCalls(options, files.countryDat);
  const FileStamp stamp = StampOf(logPath);
  LogFile log = ReadLogFile(logPath);
  std::optional<LogFile> otherLog;
  if (!options.compareLog.empty()) otherLog = ReadLogFile(fs::absolute(options.compareLog));
  // A check tells the readers' findings itself, each with its weight.
  if (!options.check) Report(logPath, log.problems);
  const std::size_t skipped = log.skipped;
  PluginLibrary plugin(files.plugin);
  // A log that cannot be submitted as it is never reaches the plug-in: it would write a Cabrillo
  // file without QSOs and a score of zero, as if all were well.
  if (const std::optional<std::string> why = WhyNotReplayed(log)) {
    if (!options.check) {
      std::cerr << "stats-replay: " << logPath.string() << ": " << Shown(*why) << "; the plug-in is not run for it\n";
      return 4;
    }
    std::cout << "Not replayed: " << Shown(*why) << '\n';
    // The statistics report still says what the file holds: nothing that counts.
    const ReportContext context{countries, files.plugin, "", logPath.filename().string(),
                                "0 QSOs replayed", otherLog ? &*otherLog : nullptr};
    CheckAndReport(options, reportFolder, log, {}, knownCalls ? &*knownCalls : nullptr, context);
    return 4;
  }
  std::string ownCall;
  std::size_t qsoCount = 0;
  FolderReplay run;
  bool readAgain = false;
  // The plan goes once the replay is done: a long log's check needs the room.
  {
    // The check reads the log as written; the replay takes it in time order.
    const PlanChoices choices{options.noReport ? 0 : 1, options.ownCall, options.startDay, options.endDay};
    ContestPlan plan = PlanContest(log, countries, choices);
    if (!options.check) Report(logPath, plan.notes);
    ownCall = plan.opening.ownCall;
    qsoCount = plan.qsos.size();
    // An ADIF log in time order is not held beside the plug-in's own copy of it, at its largest
    // when the plug-in writes its files: the replay reads its QSOs again, a piece of the file at a
    // time, and so does the check after it. A Cabrillo log is read whole either way.
    std::optional<ContestPlan> anew;
    if (log.format == LogFormat::Adif) anew = PlanReadingAnew(plan, logPath, stamp, countries, choices);
    if (anew) {
      plan = std::move(*anew);
      log = LogFile();
      readAgain = true;
    }
    std::optional<DialogAnswerer> answerer;
    if (options.unattended) answerer.emplace();
    // The per-QSO lines tell the progress themselves.
    std::optional<ProgressLine> progress;
    if (!options.verbose) progress.emplace(std::cerr, qsoCount, "stats-replay", "QSOs");
    const QsoObserver observe = [&](std::size_t index, const PlannedQso& planned, int check, QsoFate fate) {
      if (progress) progress->Update(index + 1);
      if (!options.verbose) return;
      const LogQso& qso = *planned.qso;
      std::cout << logPath.filename().string() << ':' << qso.line << ": " << Shown(qso.call) << ' '
                << Shown(qso.band.str()) << ' ' << Shown(qso.mode.str()) << ": call check " << check << " ("
                << CheckText(check) << "), " << FateText(fate) << '\n';
    };
    // The statistics need every QSO's call, band and entity; the check only what became of it.
    run = ReplayInFolder(outFolder, plugin.entryPoints(), plan, {options.check, observe, !reportFolder.empty()});
  }
  // The plug-in's files are written, and its own copy of a long log is now the largest thing in
  // the process: it goes before the check needs room.
  plugin.Unload();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  const ReplayedLog& replayed = run.replayed;
  const ReplayCounts& counts = replayed.counts;
  std::cout << AsLines(replayed.summary) << '\n'
            << "Replayed " << qsoCount << " QSOs in " << std::fixed << std::setprecision(2) << took.count()
            << " s: " << counts.accepted << " accepted, " << counts.dupes << " flagged as dupes, " << counts.rejected
            << " rejected\n"
            << "Records skipped: " << skipped
            << (skipped == 0    ? ""
                : options.check ? " (see the findings below)"
                                : " (see the messages above)")
            << '\n'
            << "Files written:\n";
  for (const fs::path& file : run.written) std::cout << "  " << file.string() << '\n';
  // Even an empty contest has a summary: none means the plug-in failed inside GetResult0.
  if (replayed.summary.empty()) {
    std::cerr << "stats-replay: the plug-in returned no summary\n";
    return 3;
  }
  if (!options.check) return skipped == 0 ? 0 : 1;
  if (readAgain) log = ReadLogAgain(logPath, stamp, qsoCount);

  std::ostringstream replayCounts;
  replayCounts << qsoCount << " QSOs replayed: " << counts.accepted << " accepted, " << counts.dupes
               << " flagged as dupes, " << counts.rejected << " rejected; records skipped: " << skipped;
  const ReportContext context{countries, files.plugin, ownCall,
                               (ownCall.empty() ? "" : Shown(ownCall) + ": ") + logPath.filename().string(),
                               replayCounts.str(), otherLog ? &*otherLog : nullptr};
  const int checked =
      CheckAndReport(options, reportFolder, log, replayed, knownCalls ? &*knownCalls : nullptr, context);
  return checked != 0 ? checked : skipped == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) { return RunTool<Options>("stats-replay", kUsage, argc, argv, ParseOptions, Run); }

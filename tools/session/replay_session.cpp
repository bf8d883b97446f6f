// Which files a run wrote is told by their write times: the plug-in's messages about them go to
// the operator, not to the host. A line of the problem file that is not a QSO's (the title a reset
// writes) belongs to no QSO and is left out.
#include "replay_session.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "contest_rules.h"
#include "problem_file.h"
#include "working_folder.h"

namespace fs = std::filesystem;

namespace {

// The files the plug-in may write: those of the folder and of its "Plugins" folder.
using Snapshot = std::map<fs::path, fs::file_time_type>;

Snapshot Take(const fs::path& folder) {
  Snapshot files;
  for (const fs::path& dir : {folder, folder / "Plugins"}) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
      if (entry.is_regular_file(error)) files[entry.path()] = entry.last_write_time(error);
    }
  }
  return files;
}

// File systems stamp writes with a clock that moves in steps (a few milliseconds on Linux, about
// 16 on Windows): waiting until a step past the newest file's time makes every later write show
// a time of its own.
void WaitPastNewest(const Snapshot& files) {
  if (files.empty()) return;
  constexpr auto step = std::chrono::milliseconds(20);
  const fs::file_time_type newest = std::max_element(files.begin(), files.end(), [](const auto& a, const auto& b) {
                                      return a.second < b.second;
                                    })->second;
  const fs::file_time_type::duration wait = newest + step - fs::file_time_type::clock::now();
  if (wait > fs::file_time_type::duration::zero()) {
    std::this_thread::sleep_for(std::min<fs::file_time_type::duration>(wait, step));
  }
}

}  // namespace

ReplayedLog ReplayLog(const StatsEntryPoints& plugin, const ContestPlan& plan, const ReplayChoices& choices) {
  ReplayedLog log;
  // Copied before the plug-in grows, not after: a string each among the plug-in's memory would
  // keep a page of it apiece from going back to the system when the plug-in is let go.
  log.notes = plan.notes;
  ProblemFileTail problems{fs::path(kProblemFileName)};
  if (choices.recordQsos) {
    log.outcomes.reserve(plan.QsoCount());
    if (choices.forReport) log.qsos.reserve(plan.QsoCount());
  }
  ReplayResult result = Replay(plugin, plan,
                               [&](std::size_t index, const PlannedQso& planned, int check, QsoFate fate) {
                                 if (choices.recordQsos) {
                                   log.outcomes.push_back({planned.index, fate});
                                   if (choices.forReport) {
                                     const LogQso& q = *planned.qso;
                                     log.qsos.push_back({q.line, q.days, q.call, q.band.str(), q.freqHz,
                                                         planned.entity ? planned.entity->name : "",
                                                         planned.continent, fate,
                                                         planned.entity ? planned.entity->position : std::nullopt});
                                   }
                                   // The plug-in writes a problem line for a refused QSO and a dupe only:
                                   // after a QSO it stored as new, the file is not even asked for its
                                   // size, a system call per QSO that was most of a check's own cost.
                                   if (fate != QsoFate::Accepted) {
                                     for (std::string& line : problems.NewLines()) {
                                       if (line.starts_with("QSO:")) {
                                         log.problemLines.push_back(
                                             {planned.index, log.problemText.size(), line.size()});
                                         log.problemText += line;
                                       }
                                     }
                                   }
                                 }
                                 if (choices.observe) choices.observe(index, planned, check, fate);
                               },
                               choices.callChecks);
  log.summary = std::move(result.summary);
  log.score = ReadScoreSummary(log.summary);
  log.counts = result.counts;
  return log;
}

FolderReplay ReplayInFolder(const fs::path& folder, const StatsEntryPoints& plugin, const ContestPlan& plan,
                            const ReplayChoices& choices) {
  const WorkingFolder inside(folder);
  fs::create_directories("Plugins");
  fs::remove(kProblemFileName);

  const Snapshot before = Take(inside.path());
  WaitPastNewest(before);
  FolderReplay run;
  run.replayed = ReplayLog(plugin, plan, choices);
  for (const auto& [path, time] : Take(inside.path())) {
    auto old = before.find(path);
    if (old == before.end() || old->second != time) run.written.push_back(path);
  }
  return run;
}

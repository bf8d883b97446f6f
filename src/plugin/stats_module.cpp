// Each entry point: the model changed under the lock, then settings, files and dialogs outside it.
#include "plugin/stats_module.h"

#include "engine/text_file.h"
#include "reports/cabrillo_writer.h"
#include "reports/summary.h"

StatsModule::StatsModule(Platform platform) : platform_(std::move(platform)), settings_(*platform_.profile) {}

int StatsModule::ResetStats(const ResetArgs& args) {
  ReportTurn turn(reportLock_);
  if (!turn) return 1;
  {
    std::lock_guard guard(lock_);
    ResetContest(contest_, args);
  }
  if (args.startFlag != 0) {
    EditCabrilloHeader(cabrillo_, args.contestant, settings_, *platform_.dialogs);
    settings_.WriteSetting("Start", "1");
  }
  std::int32_t master = settings_.ReadSettingInt("Master");
  SetMasterFlag(master);
  if (master == 0) return 1;

  // "Start" alternates so that a window is started on every other reset: a reset that showed
  // the header dialog set it to "1" above and so starts none.
  std::int32_t marker = settings_.ReadSettingInt("Start");
  {
    std::lock_guard guard(lock_);
    contest_.StartMarker = marker;
  }
  if (marker != 0) {
    settings_.WriteSetting("Start", "0");
  } else if (!platform_.windows->IsOpen()) {
    platform_.windows->Start(SharedModel{lock_, contest_});
    settings_.WriteSetting("Start", "1");
  }
  // A file that cannot be written just has no title line.
  RestartFile(kErrFile, kErrFileTitle);
  return 1;
}

int StatsModule::AddData(const QsoArgs& qso) {
  IntakeResult result;
  {
    std::lock_guard guard(lock_);
    result = AddQso(contest_, qso);
  }
  // The problem file is opened on every call, so it exists even when nothing was wrong. A failed
  // write loses the lines silently: the host only learns the answer.
  AppendToFile(kErrFile, result.problemLines);
  return result.stored ? 1 : 0;
}

void StatsModule::RemoveData(std::string_view call, std::string_view band, const COleDateTime& time) {
  std::lock_guard guard(lock_);
  RemoveQso(contest_, call, band, time);
}

int StatsModule::CheckCall(const CallCheckQuery& query) {
  if (IsBandMismatch(query)) return static_cast<int>(CallCheckResult::BandMismatch);
  // One refresh of the window about 330 ms after the last check of a burst.
  platform_.windows->RequestRefresh();
  std::lock_guard guard(lock_);
  return static_cast<int>(ClassifyCall(contest_.Log, query));
}

const char* StatsModule::GetResult(int* out) {
  ReportTurn turn(reportLock_);
  if (!turn) return "";
  Summary summary;
  bool reportRun = false;
  bool windowInUse = false;
  {
    std::lock_guard guard(lock_);
    summary = BuildSummary(contest_);
    reportRun = contest_.ContestStarted != 0;
    windowInUse = contest_.MasterFlag != 0;
    if (reportRun) {
      // Each file is built from a fresh line list: every QSO exactly once, in log order.
      cabrillo_.qsoLines.clear();
      for (const CInfo& e : contest_.Log) {
        AppendQsoLine(cabrillo_, e.Call, e.FreqKHz, "PM", e.Time, e.RstSent, e.ExchSent, e.RstRcvd, e.ExchRcvd);
      }
    }
  }
  std::string& text = summaries_[std::this_thread::get_id()];
  text = std::move(summary.text);
  settings_.WriteSettingInt("Claimed", summary.claimed);
  if (reportRun) {
    std::string message = WriteCabrilloFile(cabrillo_, *platform_.hostProgram);
    platform_.dialogs->ShowMessage(message, "Output");
    if (out) *out = -1;
  }
  // The window sends the mode macros itself while it is in use.
  if (!hostModeSent_ && !windowInUse) hostModeSent_ = platform_.windows->SendModeMacros();
  return text.c_str();
}

void StatsModule::Shutdown(bool processExiting) { platform_.windows->Close(processExiting); }

void StatsModule::SetupSet() {
  ReportTurn turn(reportLock_);
  if (!turn) return;
  std::int32_t stored = settings_.ReadSettingInt("Master");
  SetMasterFlag(stored);
  // A two-state box: any "on" value up to 2 shows ticked, other values show cleared.
  int checked = (stored < 0 || stored > 2) ? 0 : (stored != 0 ? 1 : 0);
  if (!platform_.dialogs->EditSetup(checked)) return;
  SetMasterFlag(checked);
  settings_.WriteSettingInt("Master", checked);
}

void StatsModule::SetMasterFlag(std::int32_t value) {
  std::lock_guard guard(lock_);
  contest_.MasterFlag = value;
}

StatsModule& TheModule() {
  static StatsModule module(MakePlatform());
  return module;
}

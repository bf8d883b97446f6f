// Each entry point: the model read or changed under its lock, then settings, files and dialogs
// outside it.
#include "stats_module.h"

#include "text_file.h"
#include "cabrillo_writer.h"
#include "summary.h"
#include "setting_keys.h"

StatsModule::StatsModule(Platform platform) : platform_(std::move(platform)), settings_(*platform_.profile) {}

int StatsModule::ResetStats(const ResetArgs& args) {
  ReportTurn turn(reportLock_);
  if (!turn) return 1;
  contest_.Update([&](Contest& contest) { ResetContest(contest, args); });
  if (args.startFlag != 0) {
    EditCabrilloHeader(cabrillo_, args.contestant, settings_, *platform_.dialogs);
    settings_.WriteSetting(setting_keys::kStart, "1");
  }
  masterFlag_ = settings_.ReadSettingInt(setting_keys::kMaster);
  if (masterFlag_ == 0) return 1;

  // "Start" alternates so that a window is started on every other reset: a reset that showed
  // the header dialog set it to "1" above and so starts none.
  if (settings_.ReadSettingInt(setting_keys::kStart) != 0) {
    settings_.WriteSetting(setting_keys::kStart, "0");
  } else if (!platform_.windows->IsOpen()) {
    platform_.windows->Start(contest_, *platform_.profile);
    settings_.WriteSetting(setting_keys::kStart, "1");
  }
  // A file that cannot be written just has no title line.
  RestartFile(std::string(kProblemFileName), kProblemFileTitle);
  return 1;
}

int StatsModule::AddData(const QsoArgs& qso) {
  IntakeResult result = contest_.Update([&](Contest& contest) { return AddQso(contest, qso); });
  // The problem file is opened on every call, so it exists even when nothing was wrong. A failed
  // write loses the lines silently: the host only learns the answer.
  AppendToFile(std::string(kProblemFileName), result.problemLines);
  return result.stored ? 1 : 0;
}

void StatsModule::RemoveData(std::string_view call, std::string_view band, const COleDateTime& time) {
  contest_.Update([&](Contest& contest) { RemoveQso(contest, call, band, time); });
}

int StatsModule::CheckCall(const CallCheckQuery& query) {
  if (IsBandMismatch(query)) return static_cast<int>(CallCheckResult::BandMismatch);
  // One refresh of the window about 330 ms after the last check of a burst.
  platform_.windows->RequestRefresh();
  return contest_.Read([&](const Contest& contest) { return static_cast<int>(ClassifyCall(contest.Log, query)); });
}

const char* StatsModule::GetResult(int* out) {
  ReportTurn turn(reportLock_);
  if (!turn) return "";
  Summary summary;
  bool reportRun = false;
  contest_.Update([&](Contest& contest) {
    summary = BuildSummary(contest);
    // The windows and the next summary go by the sorted band list and these per-band lists.
    contest.BandList = std::move(summary.bands);
    for (std::size_t slot = 0; slot < kBandCount; ++slot) {
      if (!summary.lists[slot]) continue;
      contest.BandDxcc[slot] = std::move(summary.lists[slot]->dxcc);
      contest.BandCalls[slot] = std::move(summary.lists[slot]->calls);
    }
    reportRun = contest.ContestStarted != 0;
    if (reportRun) {
      // Each file is built from a fresh line list: every QSO exactly once, in log order.
      cabrillo_.qsoLines.clear();
      for (const CInfo& e : contest.Log) {
        AppendQsoLine(cabrillo_, e.Call, e.FreqKHz, kCabrilloModeCode, e.Time, e.RstSent, e.ExchSent, e.RstRcvd,
                      e.ExchRcvd);
      }
    }
  });
  std::string& text = summaries_[std::this_thread::get_id()];
  text = std::move(summary.text);
  settings_.WriteSettingInt(setting_keys::kClaimed, summary.claimed);
  if (reportRun) {
    std::string message = WriteCabrilloFile(cabrillo_, *platform_.hostProgram);
    platform_.dialogs->ShowMessage(message, "Output");
    if (out) *out = -1;
  }
  // The window sends the mode macros itself while it is in use.
  if (!hostModeSent_ && masterFlag_ == 0) hostModeSent_ = platform_.windows->SendModeMacros();
  return text.c_str();
}

void StatsModule::SetupSet() {
  ReportTurn turn(reportLock_);
  if (!turn) return;
  masterFlag_ = settings_.ReadSettingInt(setting_keys::kMaster);
  // A two-state box: any "on" value up to 2 shows ticked, other values show cleared.
  int checked = (masterFlag_ < 0 || masterFlag_ > 2) ? 0 : (masterFlag_ != 0 ? 1 : 0);
  if (!platform_.dialogs->EditSetup(checked)) return;
  masterFlag_ = checked;
  settings_.WriteSettingInt(setting_keys::kMaster, checked);
}

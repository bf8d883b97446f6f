// The module-wide state behind the entry points, the model shared with the window thread, and
// what each entry point does with them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "call_check.h"
#include "contest_log.h"
#include "contest_reset.h"
#include "qso_intake.h"
#include "shared_contest.h"
#include "platform.h"
#include "report_turn.h"
#include "cabrillo_header.h"
#include "settings.h"

class StatsModule {
 public:
  explicit StatsModule(Platform platform);

  // A reset, a score request or the setup that comes back in on a thread already inside one of
  // them (while its dialog or message box is up) gets the neutral answer and does nothing.
  int ResetStats(const ResetArgs& args);
  int AddData(const QsoArgs& qso);
  void RemoveData(std::string_view call, std::string_view band, const COleDateTime& time);
  int CheckCall(const CallCheckQuery& query);
  // Valid until the calling thread's next call; `out` may be null.
  const char* GetResult(int* out);
  void SetupSet();

  const SharedContest& contest() const { return contest_; }
  // The host's thread's own: read it only while no entry point runs.
  const CabrilloLog& cabrilloLog() const { return cabrillo_; }
  std::int32_t masterFlag() const { return masterFlag_; }
  Platform& platform() { return platform_; }

 private:
  Platform platform_;
  Settings settings_;
  // Locked only while the model is read or changed: never across a dialog, a message box, a COM
  // call, a message to another thread, file I/O or the window thread's start.
  SharedContest contest_;
  // Taken for a whole reset, score request or setup, dialogs included; it guards what follows.
  ReportLock reportLock_;
  CabrilloLog cabrillo_;
  // Each thread's last summary: a text handed out stays whole until that thread asks again.
  std::unordered_map<std::thread::id, std::string> summaries_;
  bool hostModeSent_ = false;
  std::int32_t masterFlag_ = 0;  // "Use window Multiplier" as last read
};


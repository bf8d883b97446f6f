// The module-wide state behind the entry points, the model shared with the window thread, and
// what each entry point does with them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/call_check.h"
#include "engine/contest_log.h"
#include "engine/contest_reset.h"
#include "engine/qso_intake.h"
#include "engine/shared_contest.h"
#include "platform/platform.h"
#include "settings/cabrillo_header.h"
#include "settings/settings.h"

inline constexpr const char* kErrFile = "err.txt";
inline constexpr std::string_view kErrFileTitle = "PSK-TORVALE UBN file \r\n";

class StatsModule {
 public:
  explicit StatsModule(Platform platform);

  int ResetStats(const ResetArgs& args);
  int AddData(const QsoArgs& qso);
  void RemoveData(std::string_view call, std::string_view band, const COleDateTime& time);
  int CheckCall(const CallCheckQuery& query);
  // Valid until the next call; `out` may be null.
  const char* GetResult(int* out);
  void SetupSet();

  const SharedContest& contest() const { return contest_; }
  std::int32_t masterFlag() const { return masterFlag_; }
  Platform& platform() { return platform_; }

 private:
  Platform platform_;
  Settings settings_;
  // Locked only while the model is read or changed: never across a dialog, a message box, a COM
  // call, a message to another thread or the window thread's start.
  SharedContest contest_;
  // Used on the host's thread only.
  CabrilloLog cabrillo_;
  std::string summaryText_;
  bool hostModeSent_ = false;
  std::int32_t masterFlag_ = 0;  // "Use window Multiplier" as last read
};

// The one module object, alive from load to unload.
StatsModule& TheModule();

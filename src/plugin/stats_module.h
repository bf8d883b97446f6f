// The module-wide state behind the entry points, the one lock that guards it, and what each
// entry point does with it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "engine/call_check.h"
#include "engine/contest_log.h"
#include "engine/contest_reset.h"
#include "engine/qso_intake.h"
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

  // For tests: the model as the last call left it. Read it only while no entry point runs.
  const Contest& contest() const { return contest_; }
  const CabrilloLog& cabrilloLog() const { return cabrillo_; }
  Platform& platform() { return platform_; }

 private:
  Platform platform_;
  Settings settings_;
  // Held only while the model is read or changed: never across a dialog, a message box, a COM
  // call, a message to another thread or the window thread's start and close.
  std::mutex lock_;
  Contest contest_;
  // Used on the host's thread only.
  CabrilloLog cabrillo_;
  std::string summaryText_;
  bool hostModeSent_ = false;
};

// The one module object, alive from load to unload.
StatsModule& TheModule();

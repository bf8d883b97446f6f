// Stats.dll loaded as the host loads it, with the calls the flow and window tests make through its
// entry points: the host's argument lists, the positions the plug-in does not read left empty.
#pragma once

#include <string>

#include "plugin_library.h"

// One QSO as the host reports it. Its entity serves as the multiplier key too.
struct Qso {
  std::string call;
  double time = 0.0;  // days since 1899-12-30
  std::string dxcc;
  std::string continent = "EU";
  std::string band = "80m";
  unsigned freqHz = 3580000;
  std::string exchSent = "0001";
  std::string exchRcvd = "0001";
  std::string rstSent = "599";
  std::string rstRcvd = "599";
  std::string mode = "BPSK63";
};

// The contest day 2026-02-01.
inline constexpr double kContestDay = 46054.0;
inline constexpr const char* kOwnCall = "OK2OWN";

// Loaded fresh for each scenario, so that no state carries over from the one before. A DLL that
// does not load abandons the test.
class StatsDll {
 public:
  explicit StatsDll(const std::string& path);

  void* module() const { return library_.handle(); }
  // A reset for the contest 2026-02-01 to 2026-02-02; a nonzero start flag shows the header dialog.
  int ResetStats(int startFlag = 0, const char* ownCall = kOwnCall) const;
  int AddData(const Qso& qso, const char* ownCall = kOwnCall) const;
  void RemoveData(const Qso& qso) const;
  // The call check as the host makes it on a keystroke, both band names agreeing.
  int CheckCall(const std::string& call, const std::string& band = "80m") const;
  // The summary text, copied before anything else can change it.
  std::string GetResult(int* out = nullptr) const;
  void SetupSet() const;
  // FreeLibrary now; milliseconds it took.
  unsigned long long Unload();

 private:
  PluginLibrary library_;
};

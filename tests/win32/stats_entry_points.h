// Stats.dll loaded as the host loads it, with every entry point the window tests call. The
// prototypes are written out here, not taken from the plug-in's header, so that a wrong argument
// list on either side fails instead of agreeing with itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace entry {

// The host's date-time object: day count since 1899-12-30, status 0 valid, 1 invalid, 2 null.
struct OleTime {
  double days;
  std::int32_t status;
  std::int32_t padding;
};

using Text = const char*;
using Time = const OleTime*;
using ResetStatsFn = int(__cdecl*)(Text, int, Text, Time, Time,                                // 1-5
                                   Text, Text, Text, Text, Text, Text, Text, Text, Text, Text,  // 6-15
                                   int, int, int, double, double, Text, Text, Text);            // 16-23
using QsoFn = int(__cdecl*)(Text, Text, Time, Time, Time, Time, unsigned, unsigned,  // 1-8
                            Text, Text, Text, Text, Text,                            // 9-13
                            Text, Text, Text, Text, Text, Text, Text, Text,          // 14-21
                            Text, Text, int, int, int, double, double,               // 22-28
                            Text, Text, Text, Text, Text);                           // 29-33
using CheckCallFn = int(__cdecl*)(Text, unsigned, unsigned,                                      // 1-3
                                  Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, Text,  // 4-14
                                  int, int, int, double, double,                                 // 15-19
                                  Text, Text, Text, Text, Text, Text, Text,                      // 20-26
                                  char*, char*);                                                 // 27-28
using GetResultFn = const char*(__cdecl*)(int*);

}  // namespace entry

// One QSO as the host reports it; the fields the plug-in ignores are passed empty.
struct Qso {
  std::string call;
  double time;  // days since 1899-12-30
  std::string dxcc;
  std::string continent;
  std::string band = "80m";
  unsigned freqHz = 3580000;
  std::string mode = "BPSK63";
  std::string exchSent = "0001";
  std::string exchRcvd = "0001";
};

// The contest day 2026-02-01.
inline constexpr double kContestDay = 46054.0;

class StatsEntryPoints {
 public:
  explicit StatsEntryPoints(const std::string& path);
  StatsEntryPoints(const StatsEntryPoints&) = delete;
  StatsEntryPoints& operator=(const StatsEntryPoints&) = delete;
  // Unloads the DLL unless Unload did already.
  ~StatsEntryPoints();

  bool loaded() const { return module_ != nullptr; }
  // A reset for the contest 2026-02-01 to 2026-02-02 that shows no dialog.
  int ResetStats() const;
  int AddData(const Qso& qso) const;
  void RemoveData(const Qso& qso) const;
  // The call check as the host makes it on a keystroke, both band names agreeing.
  int CheckCall(const std::string& call, const std::string& band = "80m") const;
  // The summary text, copied before anything else can change it.
  std::string GetResult() const;
  // FreeLibrary; milliseconds it took.
  unsigned long long Unload();

 private:
  HMODULE module_;
  entry::ResetStatsFn resetStats_ = nullptr;
  entry::QsoFn addData_ = nullptr;
  entry::QsoFn removeData_ = nullptr;
  entry::CheckCallFn checkCall_ = nullptr;
  entry::GetResultFn getResult_ = nullptr;
};

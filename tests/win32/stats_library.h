// Stats.dll loaded as the host loads it, with the entry points the flow test calls. The
// prototypes are written out here rather than taken from the plug-in's header, so that a wrong
// argument list on either side fails instead of agreeing with itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The host's date-time object: day count since 1899-12-30, status 0 valid, 1 invalid, 2 null.
struct OleTime {
  double days;
  std::int32_t status;
  std::int32_t padding;
};

using Text = const char*;
using Time = const OleTime*;
using ResetStatsFn = int(__cdecl*)(Text, int, Text, Time, Time,                           // 1-5
                                   Text, Text, Text, Text, Text, Text, Text, Text, Text, Text,  // 6-15
                                   int, int, int, double, double, Text, Text, Text);       // 16-23
using AddDataFn = int(__cdecl*)(Text, Text, Time, Time, Time, Time, unsigned, unsigned,     // 1-8
                                Text, Text, Text, Text, Text,                               // 9-13
                                Text, Text, Text, Text, Text, Text, Text, Text,             // 14-21
                                Text, Text, int, int, int, double, double,                  // 22-28
                                Text, Text, Text, Text, Text);                              // 29-33
using GetResultFn = const char*(__cdecl*)(int*);
using SetupSetFn = void(__cdecl*)();

// One QSO as the host reports it; the fields the plug-in ignores are passed empty.
struct Qso {
  const char* call;
  double time;  // days since 1899-12-30
  unsigned freqHz;
  const char* exchSent;
  const char* exchRcvd;
  const char* dxcc;
  const char* band;
  const char* rstSent = "599";
  const char* rstRcvd = "599";
  const char* mode = "BPSK63";
};

// Loaded fresh for each scenario, so that no state carries over from the one before.
class StatsLibrary {
 public:
  explicit StatsLibrary(const std::string& path);
  StatsLibrary(const StatsLibrary&) = delete;
  StatsLibrary& operator=(const StatsLibrary&) = delete;
  ~StatsLibrary();

  HMODULE module() const { return module_; }

  // A reset for the contest 2026-02-01 to 2026-02-02.
  int ResetStats(int startFlag, const char* ownCall) const;
  int AddData(const char* ownCall, const Qso& qso) const;
  // The summary text, copied before anything else can change it.
  std::string GetResult(int* out) const;
  void SetupSet() const;

 private:
  HMODULE module_;
  ResetStatsFn resetStats_;
  AddDataFn addData_;
  GetResultFn getResult_;
  SetupSetFn setupSet_;
};

// The plug-in's entry points the replay calls, typed after the plug-in's own declarations so
// that the argument lists cannot drift apart.
#pragma once

#include <cstdint>

#include "plugin/exports.h"

struct StatsEntryPoints {
  decltype(&ResetStats0) resetStats = nullptr;
  decltype(&CheckCall0) checkCall = nullptr;
  decltype(&AddData0) addData = nullptr;
  decltype(&GetResult0) getResult = nullptr;
};

// The host's date-time object as it lies in memory; the plug-in reads the first 12 bytes.
struct HostDateTime {
  double days = 0.0;
  std::int32_t status = 0;  // 0 valid, 1 invalid, 2 null
  std::int32_t padding = 0;
};

inline constexpr std::int32_t kDateTimeValid = 0;
inline constexpr std::int32_t kDateTimeNull = 2;

inline const OleDateTimeArg* AsArg(const HostDateTime& time) { return reinterpret_cast<const OleDateTimeArg*>(&time); }

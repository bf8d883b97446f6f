// The plug-in's ten entry points as the host calls them: the argument lists it pushes, the calling
// convention, and the date-time object it points to. Written out here, not taken from the
// plug-in's own header, so that a test host built on it catches a wrong argument list on either
// side; tests/abi/host_view_check.cpp holds the two declarations together at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define STATS_HOST_CALL __cdecl
#else
#define STATS_HOST_CALL
#endif

// The host's date-time object as it lies in memory. The plug-in reads the day count and the
// status, 12 bytes; the padding belongs to the host's object and must stay untouched.
struct HostDateTime {
  double days = 0.0;         // since 1899-12-30 00:00, the fraction being the time of day
  std::int32_t status = 0;   // kDateTimeValid, kDateTimeInvalid or kDateTimeNull
  std::uint32_t padding = 0;
};
static_assert(sizeof(HostDateTime) == 16 && offsetof(HostDateTime, status) == 8);

inline constexpr std::int32_t kDateTimeValid = 0, kDateTimeInvalid = 1, kDateTimeNull = 2;

namespace host_abi {

using Text = const char*;
using Time = const HostDateTime*;

using GetNumberOfSetsFn = int(STATS_HOST_CALL*)();
using GetSetNameFn = const char*(STATS_HOST_CALL*)(int);
using GetExchgCountFn = int(STATS_HOST_CALL*)(Text, Text, Text);
using IsValidExchgFn = int(STATS_HOST_CALL*)(Text, Text, Text, Text, int, int, int);
using ResetStatsFn = int(STATS_HOST_CALL*)(Text, int, Text, Time, Time,                       // 1-5
                                           Text, Text, Text, Text, Text, Text, Text, Text, Text, Text,  // 6-15
                                           int, int, int, double, double, Text, Text, Text);   // 16-23
// AddData0 and RemoveData0.
using QsoFn = int(STATS_HOST_CALL*)(Text, Text, Time, Time, Time, Time, unsigned, unsigned,  // 1-8
                                    Text, Text, Text, Text, Text,                            // 9-13
                                    Text, Text, Text, Text, Text, Text, Text, Text,          // 14-21
                                    Text, Text, int, int, int, double, double,               // 22-28
                                    Text, Text, Text, Text, Text);                           // 29-33
using CheckCallFn = int(STATS_HOST_CALL*)(Text, unsigned, unsigned,                                      // 1-3
                                          Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, Text,  // 4-14
                                          int, int, int, double, double,                                 // 15-19
                                          Text, Text, Text, Text, Text, Text, Text,                      // 20-26
                                          char*, char*);                                                 // 27-28
using GetResultFn = const char*(STATS_HOST_CALL*)(int*);
using SetupSetFn = void(STATS_HOST_CALL*)();

}  // namespace host_abi

struct StatsEntryPoints {
  host_abi::GetNumberOfSetsFn getNumberOfSets = nullptr;
  host_abi::GetSetNameFn getSetName = nullptr;
  host_abi::ResetStatsFn resetStats = nullptr;
  host_abi::QsoFn addData = nullptr;
  host_abi::QsoFn removeData = nullptr;
  host_abi::CheckCallFn checkCall = nullptr;
  host_abi::GetResultFn getResult = nullptr;
  host_abi::SetupSetFn setupSet = nullptr;
  host_abi::GetExchgCountFn getExchgCount = nullptr;
  host_abi::IsValidExchgFn isValidExchg = nullptr;
};

// Each entry point's plain export name and the decorated one the host's compiler gives the function
// behind it, in the order of StatsEntryPoints.
struct ExportNames {
  const char* plain;
  const char* decorated;
};
inline constexpr ExportNames kExportNames[] = {
    {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"},
    {"GetSetName", "?GetSetName@@YAPBDH@Z"},
    {"ResetStats0", "?ResetStats0@@YAHPBDH0PBVCOleDateTime@@10000000000HHHNN000@Z"},
    {"AddData0", "?AddData0@@YAHPBD0PBVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"RemoveData0", "?RemoveData0@@YAHPBD0PBVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"CheckCall0", "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"},
    {"GetResult0", "?GetResult0@@YAPBDPAH@Z"},
    {"SetupSet0", "?SetupSet0@@YAXXZ"},
    {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z"},
    {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z"},
};

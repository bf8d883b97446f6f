// The ten entry points the host calls, with the argument lists it pushes.
#pragma once

#if defined(_WIN32)
#define STATS_CALL __cdecl
#define STATS_EXPORT
#else
#define STATS_CALL
#define STATS_EXPORT __attribute__((visibility("default")))
#endif

// The host's date-time object: a double day count at offset 0, a 32-bit status at offset 8.
// Only those 12 bytes are read.
struct OleDateTimeArg;

// The host's texts: zero-terminated 8-bit strings, read only.
using StatsText = const char*;
using StatsTime = const OleDateTimeArg*;

extern "C" {

STATS_EXPORT int STATS_CALL GetNumberOfSets(void);
STATS_EXPORT const char* STATS_CALL GetSetName(int index);
STATS_EXPORT int STATS_CALL GetExchgCount0(StatsText, StatsText, StatsText);
STATS_EXPORT int STATS_CALL IsValidExchg0(StatsText exchange, StatsText, StatsText, StatsText, int, int, int);

STATS_EXPORT int STATS_CALL ResetStats0(StatsText, int startFlag, StatsText ownCall, StatsTime start, StatsTime end,
                                        StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                                        StatsText, StatsText, StatsText, int, int, int, double, double, StatsText,
                                        StatsText, StatsText);

// AddData0 and RemoveData0 take the same 33 arguments.
STATS_EXPORT int STATS_CALL AddData0(StatsText ownCall, StatsText call, StatsTime time, StatsTime, StatsTime,
                                     StatsTime, unsigned int, unsigned int freqHz, StatsText mode, StatsText rstSent,
                                     StatsText rstRcvd, StatsText exchSent, StatsText exchRcvd, StatsText, StatsText,
                                     StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                                     StatsText multKey, StatsText dxcc, int, int, int, double, double, StatsText,
                                     StatsText continent, StatsText, StatsText band, StatsText);
STATS_EXPORT int STATS_CALL RemoveData0(StatsText ownCall, StatsText call, StatsTime time, StatsTime, StatsTime,
                                        StatsTime, unsigned int, unsigned int freqHz, StatsText mode,
                                        StatsText rstSent, StatsText rstRcvd, StatsText exchSent, StatsText exchRcvd,
                                        StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                                        StatsText, StatsText multKey, StatsText dxcc, int, int, int, double, double,
                                        StatsText, StatsText continent, StatsText, StatsText band, StatsText);

STATS_EXPORT int STATS_CALL CheckCall0(StatsText call, unsigned int, unsigned int, StatsText mode, StatsText,
                                       StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                                       StatsText multKey, StatsText dxcc, int, int, int, double, double, StatsText,
                                       StatsText continent, StatsText, StatsText, StatsText, StatsText band,
                                       StatsText otherBand, char*, char*);

STATS_EXPORT const char* STATS_CALL GetResult0(int* out);
STATS_EXPORT void STATS_CALL SetupSet0(void);

}  // extern "C"

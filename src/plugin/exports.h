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

#define STATS_TEXT const char*
#define STATS_TIME const OleDateTimeArg*

extern "C" {

STATS_EXPORT int STATS_CALL GetNumberOfSets(void);
STATS_EXPORT const char* STATS_CALL GetSetName(int index);
STATS_EXPORT int STATS_CALL GetExchgCount0(STATS_TEXT, STATS_TEXT, STATS_TEXT);
STATS_EXPORT int STATS_CALL IsValidExchg0(STATS_TEXT exchange, STATS_TEXT, STATS_TEXT, STATS_TEXT, int, int, int);

STATS_EXPORT int STATS_CALL ResetStats0(STATS_TEXT, int startFlag, STATS_TEXT ownCall, STATS_TIME start,
                                        STATS_TIME end, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT,
                                        STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT,
                                        int, int, int, double, double, STATS_TEXT, STATS_TEXT, STATS_TEXT);

#define STATS_QSO_PARAMS                                                                                  \
  STATS_TEXT ownCall, STATS_TEXT call, STATS_TIME time, STATS_TIME, STATS_TIME, STATS_TIME, unsigned int, \
      unsigned int freqHz, STATS_TEXT mode, STATS_TEXT rstSent, STATS_TEXT rstRcvd, STATS_TEXT exchSent,  \
      STATS_TEXT exchRcvd, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT,         \
      STATS_TEXT, STATS_TEXT, STATS_TEXT multKey, STATS_TEXT dxcc, int, int, int, double, double,         \
      STATS_TEXT, STATS_TEXT continent, STATS_TEXT, STATS_TEXT band, STATS_TEXT

STATS_EXPORT int STATS_CALL AddData0(STATS_QSO_PARAMS);
STATS_EXPORT int STATS_CALL RemoveData0(STATS_QSO_PARAMS);

STATS_EXPORT int STATS_CALL CheckCall0(STATS_TEXT call, unsigned int, unsigned int, STATS_TEXT mode,
                                       STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT,
                                       STATS_TEXT, STATS_TEXT, STATS_TEXT multKey, STATS_TEXT dxcc, int, int,
                                       int, double, double, STATS_TEXT, STATS_TEXT continent, STATS_TEXT,
                                       STATS_TEXT, STATS_TEXT, STATS_TEXT band, STATS_TEXT otherBand, char*,
                                       char*);

STATS_EXPORT const char* STATS_CALL GetResult0(int* out);
STATS_EXPORT void STATS_CALL SetupSet0(void);

}  // extern "C"

// The entry points as the host's compiler declares them; compiled for the MSVC target, their symbol
// names are the decorated export names the DLL must carry.
class COleDateTime;

#define TEXT const char*
#define TIME const COleDateTime*

int __cdecl GetNumberOfSets() { return 1; }
const char* __cdecl GetSetName(int) { return ""; }
int __cdecl ResetStats0(TEXT, int, TEXT, TIME, TIME, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT,
                        TEXT, int, int, int, double, double, TEXT, TEXT, TEXT) { return 1; }
int __cdecl AddData0(TEXT, TEXT, TIME, TIME, TIME, TIME, unsigned int, unsigned int, TEXT, TEXT, TEXT, TEXT,
                     TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, int, int, int, double,
                     double, TEXT, TEXT, TEXT, TEXT, TEXT) { return 1; }
int __cdecl RemoveData0(TEXT, TEXT, TIME, TIME, TIME, TIME, unsigned int, unsigned int, TEXT, TEXT, TEXT,
                        TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, int, int, int,
                        double, double, TEXT, TEXT, TEXT, TEXT, TEXT) { return 1; }
int __cdecl CheckCallFunc0(TEXT, unsigned int, unsigned int, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT, TEXT,
                           TEXT, TEXT, TEXT, int, int, int, double, double, TEXT, TEXT, TEXT, TEXT, TEXT,
                           TEXT, TEXT, char*, char*) { return 2; }
const char* __cdecl GetResult0(int*) { return ""; }
void __cdecl SetupSet0() {}
int __cdecl StatsGetExchgCount0(TEXT, TEXT, TEXT) { return 1; }
int __cdecl StatsIsValidExchg0(TEXT, TEXT, TEXT, TEXT, int, int, int) { return 1; }

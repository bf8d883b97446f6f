// Plays the host against the built DLL: loads it by file name, finds the entry points under both
// export names, and calls them with the argument lists the host pushes (the host's own view of
// them, not the plug-in's header), so that a wrong argument list or calling convention on either
// side shows up here as a failure rather than agreeing with itself. On 32-bit Windows, where the
// caller and the callee could disagree on who removes the arguments, the stack pointer is compared
// around every call. Run with the DLL's folder as working directory: the DLL writes err.txt there.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <stdexcept>
#include <type_traits>

#include "checks.h"
#include "entry_points.h"
#include "plugin_library.h"

namespace {

using namespace host_abi;

// The DLL must leave the host's padding as it found it.
constexpr std::uint32_t kPaddingMark = 0xA5C3E1F0u;

// Day 46054 is 2026-02-01.
constexpr double kFeb1 = 46054.0;

HostDateTime At(double day, int hour = 0, int minute = 0, double second = 0.0) {
  return {day + (hour * 3600.0 + minute * 60.0 + second) / 86400.0, kDateTimeValid, kPaddingMark};
}
HostDateTime WithStatus(double days, std::int32_t status) { return {days, status, kPaddingMark}; }

template <class F>
struct Arity;
template <class R, class... P>
struct Arity<R (*)(P...)> : std::integral_constant<std::size_t, sizeof...(P)> {};
static_assert(Arity<ResetStatsFn>::value == 23 && Arity<QsoFn>::value == 33 && Arity<CheckCallFn>::value == 28);

// ---- the stack pointer around each call ----------------------------------------------------

// Stack pointer after the call minus before it: zero when caller and callee agree on who removes
// the arguments.
long g_stackDelta = 0;

#if defined(__i386__)
// Reads the stack pointer right before the argument pushes and right after the caller's own
// clean-up (this file is built without deferred pops, so the two must be equal). When they are
// not, the pointer is put back to where the compiler believes it is before anything else runs.
template <class R, class... P>
__attribute__((noinline)) R MeasuredCall(R(__cdecl* fn)(P...), P... args) {
  std::uintptr_t before, after;
  asm volatile("mov %%esp, %0" : "=r"(before) : : "memory");
  if constexpr (std::is_void_v<R>) {
    fn(args...);
    asm volatile("mov %%esp, %0\n\tmov %1, %%esp" : "=&r"(after) : "r"(before) : "memory");
    g_stackDelta = static_cast<long>(after - before);
  } else {
    R result = fn(args...);
    asm volatile("mov %%esp, %0\n\tmov %1, %%esp" : "=&r"(after) : "r"(before) : "memory");
    g_stackDelta = static_cast<long>(after - before);
    return result;
  }
}
#else
// One calling convention, and the caller always removes the arguments: nothing to measure.
template <class R, class... P>
R MeasuredCall(R (*fn)(P...), P... args) {
  return fn(args...);
}
#endif

// Per entry point, checked once at the end so that one convention mistake gives one line.
struct CallRecord {
  int calls = 0;
  int unbalanced = 0;
  long firstDelta = 0;
  int argumentsWritten = 0;
};
std::map<std::string, CallRecord> g_calls;

// What was being called when a fault ends the run.
const char* g_calling = "";
int g_callNumber = 0;

template <class R, class... P>
R Call(const char* name, R(__cdecl* fn)(P...), std::type_identity_t<P>... args) {
  g_calling = name;
  ++g_callNumber;
  auto note = [name] {
    CallRecord& record = g_calls[name];
    ++record.calls;
    if (g_stackDelta != 0 && record.unbalanced++ == 0) record.firstDelta = g_stackDelta;
  };
  if constexpr (std::is_void_v<R>) {
    MeasuredCall<R, P...>(fn, args...);
    note();
  } else {
    R result = MeasuredCall<R, P...>(fn, args...);
    note();
    return result;
  }
}

void NoteArgumentsWritten(const char* name, bool written) {
  if (written) ++g_calls[name].argumentsWritten;
}

#if defined(__i386__)
// A callee that removes its own arguments, called as if the caller removed them: the mistake the
// measurement exists to catch. The control is the same call made correctly.
__attribute__((noinline)) int __stdcall CalleePops(int a, int b, int c, int d, int e, int f, int g, int h) {
  return a + b + c + d + e + f + g + h;
}
__attribute__((noinline)) int __cdecl CallerPops(int a, int b, int c, int d, int e, int f, int g, int h) {
  return a + b + c + d + e + f + g + h;
}

void CheckStackMeasurement() {
  using Fn = int(__cdecl*)(int, int, int, int, int, int, int, int);
  // Through a volatile so that the compiler cannot see which function it is and adapt the call.
  Fn volatile mismatched = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(&CalleePops));
  Fn volatile matched = &CallerPops;

  int sum = MeasuredCall<int, int, int, int, int, int, int, int, int>(mismatched, 1, 2, 3, 4, 5, 6, 7, 8);
  CheckInt("the measurement sees a callee that pops 8 arguments itself (bytes)", g_stackDelta, 32);
  CheckInt("the program goes on correctly after an unbalanced call", sum, 36);

  sum = MeasuredCall<int, int, int, int, int, int, int, int, int>(matched, 8, 7, 6, 5, 4, 3, 2, 1);
  CheckInt("the measurement finds a matching convention balanced (bytes)", g_stackDelta, 0);
  CheckInt("a balanced call's answer", sum, 36);
}
#endif

// ---- files ---------------------------------------------------------------------------------

constexpr const char* kErrFile = "err.txt";

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const char* path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path, "rb")) {
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
  }
  return bytes;
}

void DeleteErrFile() {
  if (FileExists(kErrFile)) DeleteFileA(kErrFile);
}

// ---- the entry points ----------------------------------------------------------------------

StatsEntryPoints dll;

// Distinct, non-empty values for the positions the DLL does not read: an argument list shifted by
// one lands one of these where a real value belongs, and the answers come out wrong.
const char* Spare(int position) {
  static char texts[40][12];
  std::snprintf(texts[position], sizeof texts[position], "spare%d", position);
  return texts[position];
}
const HostDateTime kSpareTimes[3] = {At(40000, 1, 2, 3), At(41000, 4, 5, 6), At(42000, 7, 8, 9)};

bool SameBytes(const HostDateTime& a, const HostDateTime& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Calls one of the two QSO entry points with the date-time arguments in copies, and records whether
// any of the four was written into.
int CallQso(const char* name, QsoFn fn, Text ownCall, Text call, const HostDateTime* time, unsigned freqHz, Text mode,
            Text rstSent, Text rstRcvd, Text exchSent, Text exchRcvd, Text multKey, Text dxcc, Text continent,
            Text band) {
  HostDateTime when{}, spare[3] = {kSpareTimes[0], kSpareTimes[1], kSpareTimes[2]};
  if (time) when = *time;
  int answer = Call(name, fn, ownCall, call, time ? &when : nullptr, &spare[0], &spare[1], &spare[2], 0x7007u,
                    freqHz, mode, rstSent, rstRcvd, exchSent, exchRcvd, Spare(14), Spare(15), Spare(16),
                    Spare(17), Spare(18), Spare(19), Spare(20), Spare(21), multKey, dxcc, 2424, 2525, 2626,
                    27.5, 28.25, Spare(29), continent, Spare(31), band, Spare(33));
  bool written = (time && !SameBytes(when, *time));
  for (int i = 0; i < 3; ++i) written = written || !SameBytes(spare[i], kSpareTimes[i]);
  NoteArgumentsWritten(name, written);
  return answer;
}

// One QSO as the host describes it; every test starts from this one and changes what it is about.
struct Qso {
  Text ownCall = "DL1AAA";
  Text call = "OK1XYZ";
  HostDateTime time = At(kFeb1, 18, 5);
  unsigned freqHz = 3579999;
  Text mode = "BPSK63";
  Text rstSent = "599";
  Text rstRcvd = "599";
  Text exchSent = "0001";
  Text exchRcvd = "0042";
  Text multKey = "OK";
  Text dxcc = "Czech Republic";
  Text continent = "EU";
  Text band = "80m";
};

int Add(const Qso& q) {
  return CallQso("AddData0", dll.addData, q.ownCall, q.call, &q.time, q.freqHz, q.mode, q.rstSent, q.rstRcvd,
                 q.exchSent, q.exchRcvd, q.multKey, q.dxcc, q.continent, q.band);
}
int Remove(const Qso& q) {
  return CallQso("RemoveData0", dll.removeData, q.ownCall, q.call, &q.time, q.freqHz, q.mode, q.rstSent,
                 q.rstRcvd, q.exchSent, q.exchRcvd, q.multKey, q.dxcc, q.continent, q.band);
}

// The question the host asks while the operator types a call.
struct Query {
  Text call = "OK1XYZ";
  Text band = "80m";
  Text otherBand = "80m";
  Text multKey = "OK";
  Text dxcc = "Czech Republic";
  Text continent = "EU";
  Text mode = "BPSK63";
};

int CallCheck(const Query& q) {
  char first[64], second[64];
  std::memset(first, 0x5A, sizeof first);
  std::memset(second, 0x6B, sizeof second);
  int answer = Call("CheckCall0", dll.checkCall, q.call, 0x2002u, 0x3003u, q.mode, Spare(5), Spare(6), Spare(7),
                    Spare(8), Spare(9), Spare(10), Spare(11), Spare(12), q.multKey, q.dxcc, 1515, 1616, 1717,
                    18.5, 19.25, Spare(20), q.continent, Spare(22), Spare(23), Spare(24), q.band, q.otherBand,
                    first, second);
  bool written = false;
  for (std::size_t i = 0; i < sizeof first; ++i) {
    written = written || static_cast<unsigned char>(first[i]) != 0x5A || static_cast<unsigned char>(second[i]) != 0x6B;
  }
  NoteArgumentsWritten("CheckCall0", written);
  return answer;
}

int Reset(Text ownCall, const HostDateTime& start, const HostDateTime& end) {
  HostDateTime startCopy = start, endCopy = end;
  int answer = Call("ResetStats0", dll.resetStats, Spare(1), 0, ownCall, &startCopy, &endCopy, Spare(6), Spare(7),
                    Spare(8), Spare(9), Spare(10), Spare(11), Spare(12), Spare(13), Spare(14), Spare(15), 1616,
                    1717, 1818, 19.5, 20.25, Spare(21), Spare(22), Spare(23));
  NoteArgumentsWritten("ResetStats0", !SameBytes(startCopy, start) || !SameBytes(endCopy, end));
  return answer;
}

int ResetContest() { return Reset("DL1AAA", At(kFeb1), At(kFeb1 + 1)); }

// ---- loading -------------------------------------------------------------------------------

// Both names of an entry point must lead to the same code: the host looks up the decorated one.
void CheckExportNames(const PluginLibrary& library) {
  for (const ExportNames& names : kExportNames) {
    PluginLibrary::RawFunction plain = library.Find(names.plain), decorated = library.Find(names.decorated);
    Check(decorated != nullptr, std::string("export ") + names.decorated);
    if (plain && decorated) Check(plain == decorated, std::string(names.decorated) + " is the same function as " + names.plain);
  }
  // One function answers both: the caller removes the arguments, so it serves both lists.
  Check(library.Find("GetNumberOfSets") == library.Find("GetExchgCount0"),
        "GetNumberOfSets and GetExchgCount0 are one function");
}

// ---- the cases -----------------------------------------------------------------------------

void TestSetDescription() {
  CheckInt("GetNumberOfSets", Call("GetNumberOfSets", dll.getNumberOfSets), 1);
  CheckText("GetSetName(0)", Call("GetSetName", dll.getSetName, 0), "PSK-63-TORVALE (C)");
  CheckText("GetSetName(1)", Call("GetSetName", dll.getSetName, 1), "");
  CheckText("GetSetName(-1)", Call("GetSetName", dll.getSetName, -1), "");
  CheckInt("GetExchgCount0", Call("GetExchgCount0", dll.getExchgCount, "0001", Spare(2), Spare(3)), 1);
  CheckInt("GetExchgCount0 with null texts", Call("GetExchgCount0", dll.getExchgCount, nullptr, nullptr, nullptr), 1);
}

void TestExchangeValidation() {
  struct Case {
    Text exchange;
    int valid;
  };
  const Case cases[] = {
      {"0007", 1}, {"1234", 1}, {"9999", 1},   {"599", 0},  {"12345", 0},    {"", 0},        {"12a4", 0},
      {"12 4", 0}, {"+123", 0}, {"-123", 0},   {"0x12", 0}, {"12\xB3" "4", 0}, {"\xD9\xA1\xD9\xA2", 0},
      {"123/", 0}, {"123:", 0}, {nullptr, 0},
  };
  for (const Case& c : cases) {
    int got = Call("IsValidExchg0", dll.isValidExchg, c.exchange, Spare(2), Spare(3), Spare(4), 505, 606, 707);
    std::string shown = "null";
    if (c.exchange) shown = '"' + Printable(c.exchange) + '"';
    CheckInt("IsValidExchg0(" + shown + ")", got, c.valid);
  }
}

// What a rejected or doubled QSO leaves in err.txt, and the answers that go with it.
void TestIntake() {
  CheckInt("ResetStats0", ResetContest(), 1);
  DeleteErrFile();

  const std::string wrongMode =
      "QSO:  3579  BPSK31  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  Qso q;
  q.mode = "BPSK31";
  CheckInt("wrong mode is refused", Add(q), 0);
  CheckText("a wrong mode's line, in a new err.txt", FileBytes(kErrFile), wrongMode);
  std::string expected = wrongMode;

  q.mode = "bpsk63";
  CheckInt("the mode is compared with its letter case", Add(q), 0);
  expected += "QSO:  3579  bpsk63  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.mode = "BPSK63 ";
  CheckInt("the mode is compared whole", Add(q), 0);
  expected += "QSO:  3579  BPSK63   2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";

  q = Qso{};
  q.exchRcvd = "";
  CheckInt("missing received exchange is refused", Add(q), 0);
  expected += "QSO:  3579  BPSK63  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  599     NO RX NUMBER !!!\r\n";
  q = Qso{};
  q.exchSent = "";
  CheckInt("missing sent exchange is refused", Add(q), 0);
  expected += "QSO:  3579  BPSK63  2026-02-01 1805  DL1AAA  599    OK1XYZ  599  0042   NO RX NUMBER !!!\r\n";
  q.mode = "CW";
  CheckInt("wrong mode and missing exchange", Add(q), 0);
  expected += "QSO:  3579  CW  2026-02-01 1805  DL1AAA  599    OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  CheckText("err.txt after the refused QSOs", FileBytes(kErrFile), expected);

  // None of the refused ones is in the log: the first good one is no dupe.
  CheckInt("refused QSOs are not logged", CallCheck(Query{}), 2);
  CheckInt("first good QSO is taken", Add(Qso{}), 1);
  CheckText("a good QSO adds no line", FileBytes(kErrFile), expected);

  q = Qso{};
  q.time = At(kFeb1, 18, 7);
  q.exchRcvd = "0043";
  q.exchSent = "0002";
  CheckInt("a dupe is still taken", Add(q), 1);
  const std::string dupe1 =
      "QSO:  3579  BPSK63  2026-02-01 1807  DL1AAA  599  0002  OK1XYZ  599  0043   DUPE !!!\r\n";
  expected += dupe1;
  CheckText("one earlier QSO, one dupe line", FileBytes(kErrFile), expected);

  q.time = At(kFeb1, 19, 0);
  q.exchSent = "0003";
  q.exchRcvd = "0044";
  CheckInt("a second dupe is still taken", Add(q), 1);
  const std::string dupe2 =
      "QSO:  3579  BPSK63  2026-02-01 1900  DL1AAA  599  0003  OK1XYZ  599  0044   DUPE !!!\r\n";
  expected += dupe2 + dupe2;
  CheckText("two earlier QSOs, two dupe lines", FileBytes(kErrFile), expected);

  q = Qso{};
  q.band = "40m";
  q.freqHz = 7040000;
  CheckInt("same call on another band", Add(q), 1);
  q = Qso{};
  q.call = "ok1xyz";
  CheckInt("same call in lower case", Add(q), 1);
  q = Qso{};
  q.band = "80M";
  CheckInt("same band in upper case", Add(q), 1);
  CheckText("other band or letter case is no dupe", FileBytes(kErrFile), expected);

  DeleteErrFile();
  q = Qso{};
  q.call = "OK1NEW";
  CheckInt("a good QSO with no err.txt", Add(q), 1);
  CheckInt("err.txt exists after a good QSO", FileExists(kErrFile), 1);
  CheckText("and is empty", FileBytes(kErrFile), "");
}

// The fields of a problem line: the time as the host shows it, the frequency in whole kHz.
void TestProblemLineFields() {
  CheckInt("ResetStats0", ResetContest(), 1);
  DeleteErrFile();
  std::string expected;
  Qso q;
  q.mode = "CW";

  q.time = WithStatus(kFeb1, kDateTimeNull);
  Add(q);
  expected += "QSO:  3579  CW    DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.time = WithStatus(kFeb1, kDateTimeInvalid);
  Add(q);
  expected += "QSO:  3579  CW  Invalid DateTime  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.time = At(3000000.0);  // valid status, but past the last convertible day
  Add(q);
  expected += "QSO:  3579  CW  Invalid DateTime  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.time = At(kFeb1, 23, 59, 59.7);  // rounded to the second first, like the host's own display
  Add(q);
  expected += "QSO:  3579  CW  2026-02-02 0000  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.time = WithStatus(-1.25, kDateTimeValid);  // before day 0 the fraction still counts forward
  Add(q);
  expected += "QSO:  3579  CW  1899-12-29 0600  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.time = At(kFeb1, 18, 5);
  q.freqHz = 4294967295u;  // an unsigned value
  Add(q);
  expected += "QSO:  4294967  CW  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  q.freqHz = 999;
  Add(q);
  expected += "QSO:  0  CW  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  599  0042   NO CONTEST MODE !!!\r\n";
  CheckText("problem line fields", FileBytes(kErrFile), expected);
}

void TestCallCheck() {
  CheckInt("ResetStats0", ResetContest(), 1);
  Query q;
  CheckInt("empty log: new multiplier", CallCheck(q), 2);
  q.dxcc = "";
  CheckInt("empty log, no entity: no multiplier", CallCheck(q), 1);

  Add(Qso{});
  Qso dl;
  dl.call = "DL1ZZZ";
  dl.multKey = "DL";
  dl.dxcc = "Germany";
  dl.band = "40m";
  dl.freqHz = 7040000;
  Add(dl);

  q = Query{};
  CheckInt("logged call on its band: dupe", CallCheck(q), 0);
  q.otherBand = "80M";
  CheckInt("band names differing in letter case only are no mismatch", CallCheck(q), 0);
  q.otherBand = nullptr;
  CheckInt("no second band name: no mismatch test", CallCheck(q), 0);
  q.otherBand = "40m";
  CheckInt("band mismatch wins over dupe", CallCheck(q), 4);
  q.dxcc = "";
  CheckInt("band mismatch wins over missing entity", CallCheck(q), 4);
  q.otherBand = "80";
  CheckInt("band mismatch: a prefix is not the same band", CallCheck(q), 4);
  q = Query{};
  q.band = "80m\xE9";
  q.otherBand = "80M\xC9";
  CheckInt("only ASCII letters fold for the band mismatch", CallCheck(q), 4);

  q = Query{};
  q.dxcc = "";
  CheckInt("logged call without entity: no multiplier, not dupe", CallCheck(q), 1);

  q = Query{};
  q.band = "40m";
  q.otherBand = "40m";
  CheckInt("logged call on another band, key not worked there", CallCheck(q), 2);
  q = Query{};
  q.call = "OK2ABC";
  CheckInt("new call, key worked on this band", CallCheck(q), 1);
  q.band = q.otherBand = "40m";
  q.multKey = "DL";
  CheckInt("new call, key worked on the other band", CallCheck(q), 1);
  q.multKey = "HA";
  CheckInt("new call, new key", CallCheck(q), 2);
  q = Query{};
  q.call = "ok1xyz";
  CheckInt("calls are compared with their letter case", CallCheck(q), 1);
  q = Query{};
  q.band = "80M";
  q.otherBand = nullptr;
  CheckInt("bands are compared with their letter case in the log", CallCheck(q), 2);

  CheckInt("ResetStats0", ResetContest(), 1);
  CheckInt("a reset empties the log", CallCheck(Query{}), 2);
}

void TestRemoval() {
  CheckInt("ResetStats0", ResetContest(), 1);
  DeleteErrFile();
  Qso first, second, other;
  first.call = second.call = other.call = "OK1AB";
  first.time = At(kFeb1, 10, 0);
  second.time = At(kFeb1, 11, 0);
  other.time = first.time;
  other.band = "40m";
  Add(first);
  Add(second);
  Add(other);
  Query ask;
  ask.call = "OK1AB";

  // Only call, band and time select the QSO: every other argument differs from the logged one.
  Qso target = first;
  target.ownCall = "DL9ZZ";
  target.freqHz = 3555000;
  target.mode = "CW";
  target.rstSent = target.rstRcvd = "579";
  target.exchSent = "0100";
  target.exchRcvd = "0200";
  target.multKey = "XX";
  target.dxcc = "Elsewhere";
  target.continent = "AS";

  Qso miss = target;
  miss.time = At(kFeb1, 10, 0, 1);
  CheckInt("RemoveData0 answer when nothing matches", Remove(miss), 1);
  miss = target;
  miss.band = "80M";
  Remove(miss);
  miss = target;
  miss.call = "ok1ab";
  Remove(miss);
  miss = target;
  miss.time = WithStatus(first.time.days, kDateTimeNull);
  Remove(miss);
  miss = target;
  miss.time = WithStatus(first.time.days, kDateTimeInvalid);
  Remove(miss);

  DeleteErrFile();
  ask.call = "OK1AB";
  Qso probe = first;
  probe.time = At(kFeb1, 12, 0);
  Add(probe);
  const std::string probeDupe =
      "QSO:  3579  BPSK63  2026-02-01 1200  DL1AAA  599  0001  OK1AB  599  0042   DUPE !!!\r\n";
  CheckText("near misses remove nothing", FileBytes(kErrFile), probeDupe + probeDupe);

  CheckInt("RemoveData0 answer when a QSO is removed", Remove(target), 1);
  Remove(probe);
  DeleteErrFile();
  Add(probe);
  CheckText("the 10:00 QSO is gone, 11:00 remains", FileBytes(kErrFile), probeDupe);
  Remove(probe);

  CheckInt("one of two left: still a dupe", CallCheck(ask), 0);
  Remove(target);
  CheckInt("removing a removed QSO again changes nothing", CallCheck(ask), 0);
  Remove(second);
  CheckInt("both removed: no dupe, and their key no longer counts", CallCheck(ask), 2);
  ask.band = ask.otherBand = "40m";
  CheckInt("the same call on another band stays", CallCheck(ask), 0);

  // Three QSOs alike in call, band and time: only the first of them goes. Their multiplier keys
  // differ, which shows which one went.
  Qso twin;
  twin.call = "OK1TW";
  twin.band = "20m";
  twin.freqHz = 14070000;
  twin.time = At(kFeb1, 15, 30);
  for (Text key : {"AA", "BB", "CC"}) {
    twin.multKey = key;
    Add(twin);
  }
  twin.multKey = "ZZ";
  Remove(twin);
  Query key;
  key.call = "OK2NEW";
  key.band = key.otherBand = "20m";
  key.multKey = "AA";
  CheckInt("of three alike, the first is removed", CallCheck(key), 2);
  key.multKey = "BB";
  CheckInt("of three alike, the second stays", CallCheck(key), 1);
  key.multKey = "CC";
  CheckInt("of three alike, the third stays", CallCheck(key), 1);
  DeleteErrFile();
  Add(twin);
  const std::string twinDupe =
      "QSO:  14070  BPSK63  2026-02-01 1530  DL1AAA  599  0001  OK1TW  599  0042   DUPE !!!\r\n";
  CheckText("of three alike, two left", FileBytes(kErrFile), twinDupe + twinDupe);

  // A null date-time pointer is a null date-time, on the way in and on the way out.
  Qso noTime;
  noTime.call = "OK1NT";
  noTime.time = WithStatus(0.0, kDateTimeNull);
  Add(noTime);
  ask = Query{};
  ask.call = "OK1NT";
  CheckInt("QSO with a null date-time is logged", CallCheck(ask), 0);
  CallQso("RemoveData0", dll.removeData, "DL1AAA", "OK1NT", nullptr, 0, nullptr, nullptr, nullptr, nullptr,
          nullptr, nullptr, nullptr, nullptr, "80m");
  CheckInt("a null pointer removes the QSO with a null date-time", CallCheck(ask), 2);
}

void TestNullPointers() {
  CheckInt("ResetStats0 with null texts and times",
           Call("ResetStats0", dll.resetStats, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                nullptr, nullptr),
           1);
  DeleteErrFile();
  CheckInt("AddData0 with null texts and times",
           CallQso("AddData0", dll.addData, nullptr, nullptr, nullptr, 7012345, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr, nullptr),
           0);
  CheckText("AddData0 with null texts and times: its line", FileBytes(kErrFile),
            "QSO:  7012" + std::string(8 * 2, ' ') + "   NO CONTEST MODE !!!\r\n");
  CheckInt("RemoveData0 with null texts and times",
           CallQso("RemoveData0", dll.removeData, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr, nullptr),
           1);
  char first[8] = "keep", second[8] = "keep";
  CheckInt("CheckCall0 with null texts",
           Call("CheckCall0", dll.checkCall, nullptr, 0u, 0u, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, first, second),
           1);
  CheckInt("CheckCall0 with null buffers",
           Call("CheckCall0", dll.checkCall, "OK1XYZ", 0u, 0u, "BPSK63", nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, "OK", "", 0, 0, 0, 0.0, 0.0, nullptr, "EU", nullptr, nullptr,
                nullptr, "80m", "80m", nullptr, nullptr),
           1);
  CHECK(std::strcmp(first, "keep") == 0 && std::strcmp(second, "keep") == 0, "CheckCall0 leaves its buffers");
  CheckInt("IsValidExchg0 with null texts",
           Call("IsValidExchg0", dll.isValidExchg, nullptr, nullptr, nullptr, nullptr, 0, 0, 0), 0);
}

// The setup dialog waits for an operator; this one presses Cancel, so that the call comes back
// and no setting changes. Without a display there is no dialog and nothing to press.
struct DialogCanceller {
  DWORD ownerThread;
  HANDLE done;
  bool cancelled = false;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char cls[16] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

DWORD WINAPI CancelDialogs(LPVOID param) {
  auto* canceller = static_cast<DialogCanceller*>(param);
  while (WaitForSingleObject(canceller->done, 50) == WAIT_TIMEOUT) {
    HWND dialog = nullptr;
    EnumThreadWindows(canceller->ownerThread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      canceller->cancelled = true;
    }
  }
  return 0;
}

void TestResultAndSetup() {
  int out = 0x13579BDF;
  const char* result = Call("GetResult0", dll.getResult, &out);
  CHECK(result != nullptr, "GetResult0 answers a text");
  CheckInt("GetResult0 leaves its argument outside a report run", out, 0x13579BDF);

  DialogCanceller canceller{GetCurrentThreadId(), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE thread = CreateThread(nullptr, 0, CancelDialogs, &canceller, 0, nullptr);
  Call("SetupSet0", dll.setupSet);
  SetEvent(canceller.done);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(canceller.done);
  CheckInt("GetNumberOfSets after SetupSet0", Call("GetNumberOfSets", dll.getNumberOfSets), 1);
}

void CheckCallRecords() {
  for (const auto& [name, record] : g_calls) {
#if defined(__i386__)
    Check(record.unbalanced == 0, "stack balanced across every " + name + " call",
          std::to_string(record.unbalanced) + " of " + std::to_string(record.calls) + " moved it, first by " +
              std::to_string(record.firstDelta) + " bytes");
#endif
    Check(record.argumentsWritten == 0, name + " writes into no argument it is given",
          std::to_string(record.argumentsWritten) + " of " + std::to_string(record.calls) + " calls did");
  }
}

// A fault inside the DLL (a shifted argument list read as a pointer, say) still ends with the
// count.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* info) {
  char what[96];
  std::snprintf(what, sizeof what, "exception 0x%08lX in call %d, to %s",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), g_callNumber, g_calling);
  Abandon(what);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  SetUnhandledExceptionFilter(ReportFault);
#if defined(__i386__)
  CheckStackMeasurement();
#endif
  if (argc < 2) Abandon("usage: stats_test_host Stats.dll");
  std::optional<PluginLibrary> library;
  try {
    library.emplace(argv[1]);
  } catch (const std::runtime_error& error) {
    Abandon(error.what());
  }
  dll = library->entryPoints();
  CheckExportNames(*library);

  TestSetDescription();
  TestExchangeValidation();
  TestIntake();
  TestProblemLineFields();
  TestCallCheck();
  TestRemoval();
  TestNullPointers();
  TestResultAndSetup();
  CheckCallRecords();

  // The module's exit runs here: a fault in it still ends with the count.
  library.reset();
  // The folder is the host's: leave no problem file of ours in it.
  DeleteErrFile();
  return Summary();
}

#include "stats_dll.h"

#include <windows.h>

#include <stdexcept>

#include "checks.h"
#include "host_calls.h"

namespace {

constexpr HostDateTime kNoTime{0.0, kDateTimeNull, 0};

PluginLibrary Load(const std::string& path) {
  try {
    return PluginLibrary(path);
  } catch (const std::runtime_error& error) {
    Abandon(error.what());
  }
}

// The call's fields point into `q` and `time`, which must outlive it.
QsoCall CallOf(const Qso& q, const char* ownCall, const HostDateTime& time) {
  QsoCall call;
  call.ownCall = ownCall;
  call.call = q.call.c_str();
  call.time = &time;
  call.unreadTimes = {&kNoTime, &kNoTime, &kNoTime};
  call.freqHz = q.freqHz;
  call.mode = q.mode.c_str();
  call.rstSent = q.rstSent.c_str();
  call.rstRcvd = q.rstRcvd.c_str();
  call.exchSent = q.exchSent.c_str();
  call.exchRcvd = q.exchRcvd.c_str();
  call.multKey = call.dxcc = q.dxcc.c_str();
  call.continent = q.continent.c_str();
  call.band = q.band.c_str();
  return call;
}

}  // namespace

StatsDll::StatsDll(const std::string& path) : library_(Load(path)) {}

int StatsDll::ResetStats(int startFlag, const char* ownCall) const {
  const HostDateTime start{kContestDay, kDateTimeValid, 0}, end{kContestDay + 1.0, kDateTimeValid, 0};
  ResetCall reset;
  reset.unread1 = "PSK-63-TORVALE";
  reset.startFlag = startFlag;
  reset.ownCall = ownCall;
  reset.start = &start;
  reset.end = &end;
  return ::ResetStats(library_.entryPoints(), reset);
}

int StatsDll::AddData(const Qso& qso, const char* ownCall) const {
  const HostDateTime time{qso.time, kDateTimeValid, 0};
  return ::AddData(library_.entryPoints(), CallOf(qso, ownCall, time));
}

void StatsDll::RemoveData(const Qso& qso) const {
  const HostDateTime time{qso.time, kDateTimeValid, 0};
  ::RemoveData(library_.entryPoints(), CallOf(qso, kOwnCall, time));
}

int StatsDll::CheckCall(const std::string& call, const std::string& band) const {
  CheckCallCall query;
  query.call = call.c_str();
  query.mode = "BPSK63";
  query.continent = "EU";
  query.band = query.otherBand = band.c_str();
  return ::CheckCall(library_.entryPoints(), query);
}

std::string StatsDll::GetResult(int* out) const {
  const char* text = library_.entryPoints().getResult(out);
  return text ? std::string(text) : std::string("<null>");
}

void StatsDll::SetupSet() const { library_.entryPoints().setupSet(); }

unsigned long long StatsDll::Unload() {
  ULONGLONG begin = GetTickCount64();
  library_.Unload();
  return GetTickCount64() - begin;
}

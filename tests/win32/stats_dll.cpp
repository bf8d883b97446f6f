#include "stats_dll.h"

#include <windows.h>

#include <stdexcept>

#include "checks.h"

namespace {

constexpr HostDateTime kNoTime{0.0, kDateTimeNull, 0};

PluginLibrary Load(const std::string& path) {
  try {
    return PluginLibrary(path);
  } catch (const std::runtime_error& error) {
    Abandon(error.what());
  }
}

int CallWithQso(host_abi::QsoFn fn, const Qso& q, const char* ownCall) {
  const HostDateTime time{q.time, kDateTimeValid, 0};
  return fn(ownCall, q.call.c_str(), &time, &kNoTime, &kNoTime, &kNoTime, 0, q.freqHz, q.mode.c_str(),
            q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(), q.exchRcvd.c_str(), "", "", "", "", "", "", "",
            "", q.dxcc.c_str(), q.dxcc.c_str(), 0, 0, 0, 0.0, 0.0, "", q.continent.c_str(), "", q.band.c_str(), "");
}

}  // namespace

StatsDll::StatsDll(const std::string& path) : library_(Load(path)) {}

int StatsDll::ResetStats(int startFlag, const char* ownCall) const {
  const HostDateTime start{kContestDay, kDateTimeValid, 0}, end{kContestDay + 1.0, kDateTimeValid, 0};
  return library_.entryPoints().resetStats("PSK-63-TORVALE", startFlag, ownCall, &start, &end, "", "", "", "", "", "",
                                           "", "", "", "", 0, 0, 0, 0.0, 0.0, "", "", "");
}

int StatsDll::AddData(const Qso& qso, const char* ownCall) const {
  return CallWithQso(library_.entryPoints().addData, qso, ownCall);
}

void StatsDll::RemoveData(const Qso& qso) const { CallWithQso(library_.entryPoints().removeData, qso, kOwnCall); }

int StatsDll::CheckCall(const std::string& call, const std::string& band) const {
  return library_.entryPoints().checkCall(call.c_str(), 0, 0, "BPSK63", "", "", "", "", "", "", "", "", "", "", 0, 0,
                                          0, 0.0, 0.0, "", "EU", "", "", "", band.c_str(), band.c_str(), nullptr,
                                          nullptr);
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

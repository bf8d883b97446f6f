#include "stats_library.h"

#include "flow_checks.h"

namespace {

template <class Fn>
Fn Entry(HMODULE module, const char* name) {
  FARPROC found = GetProcAddress(module, name);
  if (!found) Abandon(std::string("Stats.dll exports no ") + name);
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(found));
}

}  // namespace

StatsLibrary::StatsLibrary(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
  if (!module_) Abandon("LoadLibraryA(" + path + ") failed with error " + std::to_string(GetLastError()));
  resetStats_ = Entry<ResetStatsFn>(module_, "ResetStats0");
  addData_ = Entry<AddDataFn>(module_, "AddData0");
  getResult_ = Entry<GetResultFn>(module_, "GetResult0");
  setupSet_ = Entry<SetupSetFn>(module_, "SetupSet0");
}

StatsLibrary::~StatsLibrary() { FreeLibrary(module_); }

int StatsLibrary::ResetStats(int startFlag, const char* ownCall) const {
  const OleTime start{46054.0, 0, 0}, end{46055.0, 0, 0};
  return resetStats_("PSK-63-TORVALE", startFlag, ownCall, &start, &end, "", "", "", "", "", "", "", "", "", "", 0,
                     0, 0, 0.0, 0.0, "", "", "");
}

int StatsLibrary::AddData(const char* ownCall, const Qso& q) const {
  const OleTime time{q.time, 0, 0}, none{0.0, 2, 0};
  return addData_(ownCall, q.call, &time, &none, &none, &none, 0, q.freqHz, q.mode, q.rstSent, q.rstRcvd,
                  q.exchSent, q.exchRcvd, "", "", "", "", "", "", "", "", q.dxcc, q.dxcc, 0, 0, 0, 0.0, 0.0, "",
                  "EU", "", q.band, "");
}

std::string StatsLibrary::GetResult(int* out) const {
  const char* text = getResult_(out);
  return text ? std::string(text) : std::string("<null>");
}

void StatsLibrary::SetupSet() const { setupSet_(); }

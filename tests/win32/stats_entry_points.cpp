#include "stats_entry_points.h"

#include "flow_checks.h"

namespace {

template <class Fn>
Fn Entry(HMODULE module, const char* name) {
  FARPROC found = GetProcAddress(module, name);
  if (!found) Abandon(std::string("Stats.dll exports no ") + name);
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(found));
}

constexpr entry::OleTime kNoTime{0.0, 2, 0};

int CallWithQso(entry::QsoFn fn, const Qso& q) {
  const entry::OleTime time{q.time, 0, 0};
  return fn("OK2OWN", q.call.c_str(), &time, &kNoTime, &kNoTime, &kNoTime, 0, q.freqHz, q.mode.c_str(), "599", "599",
            q.exchSent.c_str(), q.exchRcvd.c_str(), "", "", "", "", "", "", "", "", q.dxcc.c_str(), q.dxcc.c_str(), 0,
            0, 0, 0.0, 0.0, "", q.continent.c_str(), "", q.band.c_str(), "");
}

}  // namespace

StatsEntryPoints::StatsEntryPoints(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
  if (!module_) Abandon("LoadLibraryA(" + path + ") failed with error " + std::to_string(GetLastError()));
  resetStats_ = Entry<entry::ResetStatsFn>(module_, "ResetStats0");
  addData_ = Entry<entry::QsoFn>(module_, "AddData0");
  removeData_ = Entry<entry::QsoFn>(module_, "RemoveData0");
  checkCall_ = Entry<entry::CheckCallFn>(module_, "CheckCall0");
  getResult_ = Entry<entry::GetResultFn>(module_, "GetResult0");
}

StatsEntryPoints::~StatsEntryPoints() {
  if (module_) FreeLibrary(module_);
}

int StatsEntryPoints::ResetStats() const {
  const entry::OleTime start{kContestDay, 0, 0}, end{kContestDay + 1.0, 0, 0};
  return resetStats_("PSK-63-TORVALE", 0, "OK2OWN", &start, &end, "", "", "", "", "", "", "", "", "", "", 0, 0, 0, 0.0,
                     0.0, "", "", "");
}

int StatsEntryPoints::AddData(const Qso& qso) const { return CallWithQso(addData_, qso); }

void StatsEntryPoints::RemoveData(const Qso& qso) const { CallWithQso(removeData_, qso); }

int StatsEntryPoints::CheckCall(const std::string& call, const std::string& band) const {
  return checkCall_(call.c_str(), 0, 0, "BPSK63", "", "", "", "", "", "", "", "", "", "", 0, 0, 0, 0.0, 0.0, "", "EU",
                    "", "", "", band.c_str(), band.c_str(), nullptr, nullptr);
}

std::string StatsEntryPoints::GetResult() const {
  const char* text = getResult_(nullptr);
  return text ? std::string(text) : std::string("<null>");
}

unsigned long long StatsEntryPoints::Unload() {
  ULONGLONG begin = GetTickCount64();
  FreeLibrary(module_);
  module_ = nullptr;
  return GetTickCount64() - begin;
}

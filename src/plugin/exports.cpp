// The entry points: the host's arguments turned into plain values for the module object.
#include "exports.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "contest_rules.h"
#include "platform.h"
#include "stats_module.h"
#include "guarded.h"

namespace {

// The host never should pass a null text, but one must not bring it down: it reads as "".
std::string_view Text(const char* text) { return text ? std::string_view(text) : std::string_view(); }

// A null pointer reads as a null date-time: an empty field in every text.
COleDateTime Time(const OleDateTimeArg* arg) {
  COleDateTime value;
  if (!arg) {
    value.status = DateTimeStatus::Null;
    return value;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(arg);
  std::int32_t status = 0;
  std::memcpy(&value.days, bytes, sizeof value.days);
  std::memcpy(&status, bytes + 8, sizeof status);
  value.status = status == 0   ? DateTimeStatus::Valid
                 : status == 2 ? DateTimeStatus::Null
                               : DateTimeStatus::Invalid;
  return value;
}

// The one module object, alive from load to unload, made with this build's platform.
StatsModule& TheModule() {
  static StatsModule module(MakePlatform());
  return module;
}

}  // namespace

extern "C" {

int STATS_CALL GetExchgCount0(StatsText, StatsText, StatsText) { return 1; }

// On Windows the export table names this function GetNumberOfSets too; elsewhere the name is an
// alias of the same code, the argument lists differing as they do there.
#if !defined(_WIN32)
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wattribute-alias"
#endif
int STATS_CALL GetNumberOfSets(void) __attribute__((alias("GetExchgCount0")));
#pragma GCC diagnostic pop
#endif

const char* STATS_CALL GetSetName(int index) { return index == 0 ? kRuleSetName.data() : ""; }

int STATS_CALL IsValidExchg0(StatsText exchange, StatsText, StatsText, StatsText, int, int, int) {
  std::string_view text = Text(exchange);
  if (text.size() != 4) return 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
  }
  return 1;
}

int STATS_CALL ResetStats0(StatsText, int startFlag, StatsText ownCall, StatsTime start, StatsTime end,
                           StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                           StatsText, StatsText, StatsText, int, int, int, double, double, StatsText,
                           StatsText, StatsText) {
  return Guarded(1, [&] {
    return TheModule().ResetStats(ResetArgs{startFlag, Text(ownCall), Time(start), Time(end)});
  });
}

int STATS_CALL AddData0(StatsText ownCall, StatsText call, StatsTime time, StatsTime, StatsTime, StatsTime,
                        unsigned int, unsigned int freqHz, StatsText mode, StatsText rstSent, StatsText rstRcvd,
                        StatsText exchSent, StatsText exchRcvd, StatsText, StatsText, StatsText, StatsText, StatsText,
                        StatsText, StatsText, StatsText, StatsText multKey, StatsText dxcc, int, int, int, double,
                        double, StatsText, StatsText continent, StatsText, StatsText band, StatsText) {
  return Guarded(0, [&] {
    QsoArgs qso;
    qso.ownCall = Text(ownCall);
    qso.call = Text(call);
    qso.time = Time(time);
    qso.freqHz = freqHz;
    qso.mode = Text(mode);
    qso.rstSent = Text(rstSent);
    qso.rstRcvd = Text(rstRcvd);
    qso.exchSent = Text(exchSent);
    qso.exchRcvd = Text(exchRcvd);
    qso.multKey = Text(multKey);
    qso.dxcc = Text(dxcc);
    qso.continent = Text(continent);
    qso.band = Text(band);
    return TheModule().AddData(qso);
  });
}

// Only the call, the band and the date-time select the QSO to remove.
int STATS_CALL RemoveData0(StatsText, StatsText call, StatsTime time, StatsTime, StatsTime, StatsTime, unsigned int,
                           unsigned int, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                           StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                           int, int, int, double, double, StatsText, StatsText, StatsText, StatsText band,
                           StatsText) {
  return Guarded(1, [&] {
    TheModule().RemoveData(Text(call), Text(band), Time(time));
    return 1;
  });
}

int STATS_CALL CheckCall0(StatsText call, unsigned int, unsigned int, StatsText, StatsText, StatsText,
                          StatsText, StatsText, StatsText, StatsText, StatsText, StatsText,
                          StatsText multKey, StatsText dxcc, int, int, int, double, double, StatsText,
                          StatsText, StatsText, StatsText, StatsText, StatsText band, StatsText otherBand,
                          char*, char*) {
  return Guarded(1, [&] {
    CallCheckQuery query{Text(call), Text(multKey), Text(dxcc), std::nullopt, std::nullopt};
    if (band) query.band = band;
    if (otherBand) query.otherBand = otherBand;
    return TheModule().CheckCall(query);
  });
}

const char* STATS_CALL GetResult0(int* out) {
  return Guarded<const char*>("", [&] { return TheModule().GetResult(out); });
}

void STATS_CALL SetupSet0(void) {
  Guarded([] { TheModule().SetupSet(); });
}

}  // extern "C"

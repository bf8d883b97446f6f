// The entry points: the host's arguments turned into plain values for the module object.
#include "plugin/exports.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "system/guarded.h"
#include "plugin/stats_module.h"

namespace {

constexpr const char* kSetName = "PSK-63-TORVALE (C)";

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

}  // namespace

extern "C" {

int STATS_CALL GetExchgCount0(STATS_TEXT, STATS_TEXT, STATS_TEXT) { return 1; }

// On Windows the export table names this function GetNumberOfSets too; elsewhere the name is an
// alias of the same code, the argument lists differing as they do there.
#if !defined(_WIN32)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wattribute-alias"
#endif
int STATS_CALL GetNumberOfSets(void) __attribute__((alias("GetExchgCount0")));
#endif

const char* STATS_CALL GetSetName(int index) { return index == 0 ? kSetName : ""; }

int STATS_CALL IsValidExchg0(STATS_TEXT exchange, STATS_TEXT, STATS_TEXT, STATS_TEXT, int, int, int) {
  std::string_view text = Text(exchange);
  if (text.size() != 4) return 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
  }
  return 1;
}

int STATS_CALL ResetStats0(STATS_TEXT, int startFlag, STATS_TEXT ownCall, STATS_TIME start, STATS_TIME end,
                           STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT,
                           STATS_TEXT, STATS_TEXT, STATS_TEXT, int, int, int, double, double, STATS_TEXT,
                           STATS_TEXT, STATS_TEXT) {
  return Guarded(1, [&] {
    return TheModule().ResetStats(ResetArgs{startFlag, Text(ownCall), Time(start), Time(end)});
  });
}

int STATS_CALL AddData0(STATS_QSO_PARAMS) {
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

int STATS_CALL RemoveData0(STATS_QSO_PARAMS) {
  return Guarded(1, [&] {
    TheModule().RemoveData(Text(call), Text(band), Time(time));
    return 1;
  });
}

int STATS_CALL CheckCall0(STATS_TEXT call, unsigned int, unsigned int, STATS_TEXT, STATS_TEXT, STATS_TEXT,
                          STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT,
                          STATS_TEXT multKey, STATS_TEXT dxcc, int, int, int, double, double, STATS_TEXT,
                          STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT, STATS_TEXT band, STATS_TEXT otherBand,
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

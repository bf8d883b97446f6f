// Each call spelled out once, position by position, in the host's order.
#include "host_calls.h"

namespace {

int CallWithQso(host_abi::QsoFn fn, const QsoCall& q) {
  const auto& t = q.unreadTexts;
  return fn(q.ownCall, q.call, q.time, q.unreadTimes[0], q.unreadTimes[1], q.unreadTimes[2], q.unread7, q.freqHz,
            q.mode, q.rstSent, q.rstRcvd, q.exchSent, q.exchRcvd, t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7],
            q.multKey, q.dxcc, q.unreadInts[0], q.unreadInts[1], q.unreadInts[2], q.unreadReals[0], q.unreadReals[1],
            q.unread29, q.continent, q.unread31, q.band, q.unread33);
}

}  // namespace

int AddData(const StatsEntryPoints& plugin, const QsoCall& qso) { return CallWithQso(plugin.addData, qso); }

int RemoveData(const StatsEntryPoints& plugin, const QsoCall& qso) { return CallWithQso(plugin.removeData, qso); }

int CheckCall(const StatsEntryPoints& plugin, const CheckCallCall& q) {
  const auto& t = q.unreadTexts;
  return plugin.checkCall(q.call, q.unreadNumbers[0], q.unreadNumbers[1], q.mode, t[0], t[1], t[2], t[3], t[4], t[5],
                          t[6], t[7], q.multKey, q.dxcc, q.unreadInts[0], q.unreadInts[1], q.unreadInts[2],
                          q.unreadReals[0], q.unreadReals[1], q.unread20, q.continent, q.unreadMore[0],
                          q.unreadMore[1], q.unreadMore[2], q.band, q.otherBand, q.buffer27, q.buffer28);
}

int ResetStats(const StatsEntryPoints& plugin, const ResetCall& r) {
  const auto& t = r.unreadTexts;
  return plugin.resetStats(r.unread1, r.startFlag, r.ownCall, r.start, r.end, t[0], t[1], t[2], t[3], t[4], t[5], t[6],
                           t[7], t[8], t[9], r.unreadInts[0], r.unreadInts[1], r.unreadInts[2], r.unreadReals[0],
                           r.unreadReals[1], r.unreadMore[0], r.unreadMore[1], r.unreadMore[2]);
}

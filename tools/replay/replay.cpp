// The calls with every argument in the host's position; what the plug-in does not read gets an
// empty text, a zero or a null date-time.
#include "replay.h"

#include <unordered_set>

namespace {

HostDateTime DayArg(const std::optional<double>& day) {
  return day ? HostDateTime{*day, kDateTimeValid, 0} : HostDateTime{0.0, kDateTimeNull, 0};
}

int CheckCall(const StatsEntryPoints& plugin, const LogQso& q) {
  char scratch1[256] = {}, scratch2[256] = {};
  const char* band = q.band.c_str();
  return plugin.checkCall(q.call.c_str(), 0, 0, q.mode.c_str(), "", "", "", "", "", "", "", "", q.multKey.c_str(),
                          q.dxcc.c_str(), 0, 0, 0, 0.0, 0.0, "", q.continent.c_str(), "", "", "", band, band, scratch1,
                          scratch2);
}

bool AddData(const StatsEntryPoints& plugin, const LogQso& q) {
  const HostDateTime time{q.days, kDateTimeValid, 0};
  const HostDateTime none{0.0, kDateTimeNull, 0};
  return plugin.addData(q.ownCall.c_str(), q.call.c_str(), &time, &none, &none, &none, 0,
                        q.freqHz, q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
                        q.exchRcvd.c_str(), "", "", "", "", "", "", "", "", q.multKey.c_str(), q.dxcc.c_str(), 0, 0, 0,
                        0.0, 0.0, "", q.continent.c_str(), "", q.band.c_str(), "") != 0;
}

ReplayCounts OfferAll(const StatsEntryPoints& plugin, const std::vector<LogQso>& qsos, const QsoObserver& observe) {
  ReplayCounts counts;
  std::unordered_set<std::string> stored;  // call and band
  for (std::size_t i = 0; i < qsos.size(); ++i) {
    const LogQso& qso = qsos[i];
    const int check = CheckCall(plugin, qso);
    QsoFate fate = QsoFate::Rejected;
    if (!AddData(plugin, qso)) {
      ++counts.rejected;
    } else if (stored.insert(qso.call + '\n' + qso.band).second) {
      fate = QsoFate::Accepted;
      ++counts.accepted;
    } else {
      fate = QsoFate::Dupe;
      ++counts.dupes;
    }
    if (observe) observe(i, qso, check, fate);
  }
  return counts;
}

}  // namespace

ReplayResult Replay(const StatsEntryPoints& plugin, const ContestOpening& opening, std::vector<LogQso> qsos,
                    const QsoObserver& observe) {
  const HostDateTime start = DayArg(opening.startDay), end = DayArg(opening.endDay);
  plugin.resetStats("", opening.startFlag, opening.ownCall.c_str(), &start, &end, "", "", "", "", "", "",
                    "", "", "", "", 0, 0, 0, 0.0, 0.0, "", "", "");
  ReplayResult result;
  result.counts = OfferAll(plugin, qsos, observe);
  std::vector<LogQso>().swap(qsos);
  int out = 0;
  const char* summary = plugin.getResult(&out);
  result.summary = summary ? summary : "";
  return result;
}

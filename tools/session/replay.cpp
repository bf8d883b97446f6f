// The calls with every argument in the host's position; what the plug-in does not read gets an
// empty text, a zero or a null date-time.
#include "replay.h"

#include <functional>
#include <unordered_set>
#include <utility>

#include "host_calls.h"

namespace {

HostDateTime DayArg(const std::optional<double>& day) {
  return day ? HostDateTime{*day, kDateTimeValid, 0} : HostDateTime{0.0, kDateTimeNull, 0};
}

const char* DxccOf(const PlannedQso& planned) { return planned.entity ? planned.entity->name.c_str() : ""; }
const char* MultKeyOf(const PlannedQso& planned) {
  return planned.entity ? planned.entity->primaryPrefix.c_str() : "";
}

int Check(const StatsEntryPoints& plugin, const PlannedQso& planned) {
  const LogQso& q = *planned.qso;
  char scratch1[256] = {}, scratch2[256] = {};
  CheckCallCall query;
  query.call = q.call.c_str();
  query.mode = q.mode.c_str();
  query.multKey = MultKeyOf(planned);
  query.dxcc = DxccOf(planned);
  query.continent = planned.continent.c_str();
  query.band = query.otherBand = q.band.c_str();
  query.buffer27 = scratch1;
  query.buffer28 = scratch2;
  return CheckCall(plugin, query);
}

// AddData0 or RemoveData0, which take the same arguments.
int Offer(int (*entry)(const StatsEntryPoints&, const QsoCall&), const StatsEntryPoints& plugin,
          const ContestOpening& opening, const PlannedQso& planned) {
  const LogQso& q = *planned.qso;
  const HostDateTime time{q.days, kDateTimeValid, 0};
  const HostDateTime none{0.0, kDateTimeNull, 0};
  QsoCall call;
  call.ownCall = OwnCallOf(planned, opening).c_str();
  call.call = q.call.c_str();
  call.time = &time;
  call.unreadTimes = {&none, &none, &none};
  call.freqHz = q.freqHz;
  call.mode = q.mode.c_str();
  call.rstSent = q.rstSent.c_str();
  call.rstRcvd = q.rstRcvd.c_str();
  call.exchSent = q.exchSent.c_str();
  call.exchRcvd = q.exchRcvd.c_str();
  call.multKey = MultKeyOf(planned);
  call.dxcc = DxccOf(planned);
  call.continent = planned.continent.c_str();
  call.band = q.band.c_str();
  return entry(plugin, call);
}

bool Add(const StatsEntryPoints& plugin, const ContestOpening& opening, const PlannedQso& planned) {
  return Offer(AddData, plugin, opening, planned) != 0;
}

// A call and a band as the log's shared texts: the same text is the same object, so the pair of
// their addresses is the pair of texts, and a long log's set of them holds no string.
using CallBand = std::pair<const std::string*, const std::string*>;
struct CallBandHash {
  std::size_t operator()(const CallBand& key) const {
    return std::hash<const void*>()(key.first) * 31 + std::hash<const void*>()(key.second);
  }
};

ReplayCounts OfferAll(const StatsEntryPoints& plugin, const ContestPlan& plan, const QsoObserver& observe,
                      bool callChecks) {
  ReplayCounts counts;
  std::unordered_set<CallBand, CallBandHash> stored;
  std::size_t i = 0;
  plan.VisitQsos([&](const PlannedQso& planned) {
    const int check = callChecks ? Check(plugin, planned) : kNotChecked;
    QsoFate fate = QsoFate::Rejected;
    if (!Add(plugin, plan.opening, planned)) {
      ++counts.rejected;
    } else if (stored.insert({&planned.qso->call.str(), &planned.qso->band.str()}).second) {
      fate = QsoFate::Accepted;
      ++counts.accepted;
    } else {
      fate = QsoFate::Dupe;
      ++counts.dupes;
    }
    if (observe) observe(i, planned, check, fate);
    ++i;
  });
  return counts;
}

}  // namespace

ReplayResult Replay(const StatsEntryPoints& plugin, const ContestPlan& plan, const QsoObserver& observe,
                    bool callChecks) {
  const ContestOpening& opening = plan.opening;
  const HostDateTime start = DayArg(opening.startDay), end = DayArg(opening.endDay);
  ResetCall reset;
  reset.startFlag = opening.startFlag;
  reset.ownCall = opening.ownCall.c_str();
  reset.start = &start;
  reset.end = &end;
  ResetStats(plugin, reset);
  ReplayResult result;
  result.counts = OfferAll(plugin, plan, observe, callChecks);
  int out = 0;
  const char* summary = plugin.getResult(&out);
  result.summary = summary ? summary : "";
  return result;
}

std::string WithdrawQsos(const StatsEntryPoints& plugin, const ContestOpening& opening,
                         const std::vector<const PlannedQso*>& stored) {
  for (const PlannedQso* planned : stored) Offer(RemoveData, plugin, opening, *planned);
  int out = 0;
  const char* summary = plugin.getResult(&out);
  return summary ? summary : "";
}

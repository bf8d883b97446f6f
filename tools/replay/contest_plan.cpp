// The host keeps its log in time order and scores it in that order, so a dupe is always the later
// QSO, whatever order the file had.
#include "contest_plan.h"

#include <algorithm>
#include <cmath>

namespace {

void SettleEntity(LogQso& qso, const CountryFile& countries, std::vector<Problem>& notes) {
  const Entity* entity = nullptr;
  std::string continent;
  if (qso.dxccNumber) {
    entity = countries.ForNumber(*qso.dxccNumber);
    if (entity) {
      continent = entity->continent;
    } else {
      notes.push_back(
          {qso.line, "DXCC " + std::to_string(*qso.dxccNumber) + " is not in the country file; the call sign decides"});
    }
  }
  if (!entity) {
    if (std::optional<CountryMatch> match = countries.ForCall(qso.call)) {
      entity = match->entity;
      continent = match->continent;
    }
  }
  if (!entity) {
    notes.push_back({qso.line, "no DXCC entity for " + qso.call});
    return;
  }
  qso.dxcc = entity->name;
  qso.multKey = entity->primaryPrefix;
  if (qso.continent.empty()) qso.continent = continent;
}

}  // namespace

ContestPlan PlanContest(LogFile log, const CountryFile& countries, const PlanChoices& choices) {
  ContestPlan plan;
  plan.qsos = std::move(log.qsos);
  auto earlier = [](const LogQso& a, const LogQso& b) { return a.days < b.days; };
  // Most logs are in time order already; sorting would still take room for a second copy.
  if (!std::is_sorted(plan.qsos.begin(), plan.qsos.end(), earlier))
    std::stable_sort(plan.qsos.begin(), plan.qsos.end(), earlier);
  // The plug-in keeps a copy of every QSO in the same process: no room is held that it may need.
  plan.qsos.shrink_to_fit();

  ContestOpening& opening = plan.opening;
  opening.startFlag = choices.startFlag;
  opening.ownCall = choices.ownCall.empty() ? log.ownCall : choices.ownCall;
  if (opening.ownCall.empty()) {
    auto withOwnCall =
        std::find_if(plan.qsos.begin(), plan.qsos.end(), [](const LogQso& q) { return !q.ownCall.empty(); });
    if (withOwnCall != plan.qsos.end()) opening.ownCall = withOwnCall->ownCall;
  }
  opening.startDay = choices.startDay;
  opening.endDay = choices.endDay;
  if (!plan.qsos.empty()) {
    if (!opening.startDay) opening.startDay = std::floor(plan.qsos.front().days);
    if (!opening.endDay) opening.endDay = std::floor(plan.qsos.back().days);
  }

  for (LogQso& qso : plan.qsos) {
    if (!choices.ownCall.empty() || qso.ownCall.empty()) qso.ownCall = opening.ownCall;
    SettleEntity(qso, countries, plan.notes);
  }
  std::stable_sort(plan.notes.begin(), plan.notes.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return plan;
}

// The host keeps its log in time order and scores it in that order, so a dupe is always the later
// QSO, whatever order the file had.
#include "contest_plan.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

void SettleEntity(PlannedQso& planned, const CountryFile& countries, std::vector<Problem>& notes) {
  const LogQso& qso = *planned.qso;
  const Entity* entity = nullptr;
  std::optional<CountryMatch> match;
  std::string_view continent;  // where the entity lies, for a log that does not say
  if (qso.dxccNumber) {
    entity = countries.ForNumber(*qso.dxccNumber);
    if (entity) {
      continent = entity->continent;
    } else {
      notes.push_back(
          {qso.line, "DXCC " + std::to_string(*qso.dxccNumber) + " is not in the country file; the call sign decides"});
    }
  }
  if (!entity && (match = countries.ForCall(qso.call.str()))) {
    entity = match->entity;
    continent = match->continent;
  }
  planned.continent = qso.continent.empty() && entity ? SharedText(continent) : qso.continent;
  if (!entity) {
    notes.push_back({qso.line, "no DXCC entity for " + qso.call});
    return;
  }
  planned.entity = entity;
}

// A file written over between the readings would pair one reading's QSOs with another's.
constexpr std::string_view kChanged = "the file changed while it was replayed";

}  // namespace

ContestPlan PlanContest(const LogFile& log, const CountryFile& countries, const PlanChoices& choices) {
  ContestPlan plan;
  plan.qsos.reserve(log.qsos.size());
  for (const LogQso& qso : log.qsos) {
    plan.qsos.push_back({&qso, nullptr, {}, static_cast<std::uint32_t>(&qso - log.qsos.data()), false});
  }
  auto earlier = [](const PlannedQso& a, const PlannedQso& b) { return a.qso->days < b.qso->days; };
  if (!std::is_sorted(plan.qsos.begin(), plan.qsos.end(), earlier))
    std::stable_sort(plan.qsos.begin(), plan.qsos.end(), earlier);

  ContestOpening& opening = plan.opening;
  opening.startFlag = choices.startFlag;
  opening.ownCall = choices.ownCall.empty() ? log.ownCall : choices.ownCall;
  if (opening.ownCall.empty()) {
    auto withOwnCall = std::find_if(plan.qsos.begin(), plan.qsos.end(),
                                    [](const PlannedQso& q) { return !q.qso->ownCall.empty(); });
    if (withOwnCall != plan.qsos.end()) opening.ownCall = withOwnCall->qso->ownCall.str();
  }
  opening.startDay = choices.startDay;
  opening.endDay = choices.endDay;
  if (!plan.qsos.empty()) {
    if (!opening.startDay) opening.startDay = std::floor(plan.qsos.front().qso->days);
    if (!opening.endDay) opening.endDay = std::floor(plan.qsos.back().qso->days);
  }

  for (PlannedQso& planned : plan.qsos) {
    planned.ownCallFromLog = choices.ownCall.empty() && !planned.qso->ownCall.empty();
    SettleEntity(planned, countries, plan.notes);
  }
  std::stable_sort(plan.notes.begin(), plan.notes.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return plan;
}

void ContestPlan::VisitQsos(const PlannedQsoVisitor& visit) const {
  if (!readQsos) {
    for (const PlannedQso& planned : qsos) visit(planned);
    return;
  }
  readQsos(visit);
}

std::optional<ContestPlan> PlanReadingAnew(const ContestPlan& plan, const std::filesystem::path& file,
                                           const FileStamp& read, const CountryFile& countries,
                                           const PlanChoices& choices) {
  for (std::size_t i = 0; i < plan.qsos.size(); ++i) {
    if (plan.qsos[i].index != i) return std::nullopt;
  }
  ContestPlan anew;
  anew.opening = plan.opening;
  anew.notes = plan.notes;
  anew.readCount = plan.qsos.size();
  const bool logsOwnCalls = choices.ownCall.empty();
  anew.readQsos = [file, read, &countries, logsOwnCalls, count = anew.readCount](const PlannedQsoVisitor& visit) {
    ExpectUnchanged(file, read, kChanged);
    std::size_t taken = 0;
    std::vector<Problem> notedBefore;  // the first reading's notes are the plan's
    ReadLogQsos(file, [&](const LogQso& qso) {
      if (taken++ >= count) return;
      PlannedQso planned{&qso, nullptr, {}, static_cast<std::uint32_t>(taken - 1),
                         logsOwnCalls && !qso.ownCall.empty()};
      SettleEntity(planned, countries, notedBefore);
      notedBefore.clear();
      visit(planned);
    });
    ExpectUnchanged(file, read, kChanged, taken == count);
  };
  return anew;
}

LogFile ReadLogAgain(const std::filesystem::path& file, const FileStamp& read, std::size_t qsos) {
  LogFile log = ReadLogFile(file);
  ExpectUnchanged(file, read, kChanged, log.qsos.size() == qsos);
  return log;
}

const std::string& OwnCallOf(const PlannedQso& planned, const ContestOpening& opening) {
  return planned.ownCallFromLog ? planned.qso->ownCall.str() : opening.ownCall;
}

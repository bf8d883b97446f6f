// The plug-in's own rule (contest_rules.h) decides what counts: a file in which nothing counts
// would give a Cabrillo file with no QSO and a score of zero, a failure that reads as success.
#include "log_fitness.h"

#include <algorithm>
#include <map>

#include "contest_rules.h"
#include "host_form.h"

namespace {

// How the QSO's mode is written: "MODE PSK without SUBMODE", "MODE PSK SUBMODE PSK31", "mode CW".
std::string WrittenMode(const LogFile& log, const LogQso& q) {
  if (log.format == LogFormat::Cabrillo) return "mode " + q.written.mode.str();
  const std::string& mode = q.written.mode.str();
  const std::string& submode = q.written.submode.str();
  if (mode.empty()) return submode.empty() ? "without MODE" : "SUBMODE " + submode + " without MODE";
  if (!submode.empty()) return "MODE " + mode + " SUBMODE " + submode;
  return "MODE " + mode + (SameLetters(mode, "PSK") ? " without SUBMODE" : "");
}

std::string Counted(std::size_t n, std::size_t of) { return std::to_string(n) + " of " + std::to_string(of); }

}  // namespace

std::optional<std::string> WhyNotReplayed(const LogFile& log) {
  if (log.format == LogFormat::Unknown) {
    auto why = std::find_if(log.problems.begin(), log.problems.end(),
                            [](const Problem& p) { return p.kind == ProblemKind::Unreadable; });
    return why == log.problems.end() ? "the file is no log" : why->message;
  }
  if (log.qsos.empty()) {
    const std::size_t excluded = static_cast<std::size_t>(std::count_if(
        log.problems.begin(), log.problems.end(), [](const Problem& p) { return p.kind == ProblemKind::Excluded; }));
    const std::size_t unread = log.skipped - excluded;
    if (unread > 0) {
      return "no QSO could be read: all " + std::to_string(unread) + " records were skipped (see their lines)";
    }
    if (excluded > 0) return "no QSO to score: the log's " + std::to_string(excluded) + " QSOs are all X-QSO lines";
    return "the log holds no QSO";
  }
  std::map<std::string, std::size_t> modes;  // written mode: QSOs
  std::size_t withoutSerial = 0;
  for (const LogQso& q : log.qsos) {
    switch (RefusalOf(q.mode.str(), q.exchSent, q.exchRcvd)) {
      case QsoRefusal::None:
        return std::nullopt;
      case QsoRefusal::NoContestMode:
        ++modes[WrittenMode(log, q)];
        break;
      case QsoRefusal::NoRxNumber:
        ++withoutSerial;
        break;
    }
  }
  const std::size_t all = log.qsos.size();
  const std::string contestMode =
      log.format == LogFormat::Cabrillo ? std::string(kCabrilloModeCode) + " (" + std::string(kContestMode) + ")"
                                        : std::string(kContestMode);
  std::string modeList;
  std::size_t otherModes = 0;
  for (const auto& [mode, n] : modes) {
    modeList += (modeList.empty() ? "" : ", ") + (modes.size() == 1 ? mode : std::to_string(n) + " " + mode);
    otherModes += n;
  }
  if (withoutSerial == 0) return "no QSO is " + contestMode + ": " + Counted(all, all) + " are " + modeList;
  std::string why = "no QSO counts for the contest: ";
  if (otherModes > 0) why += Counted(otherModes, all) + " are not " + contestMode + " (" + modeList + "), ";
  return why + Counted(withoutSerial, all) + " lack a serial sent or received";
}

// The plug-in's own rule (contest_rules.h) decides what counts: a file in which nothing counts
// would give a Cabrillo file with no QSO and a score of zero, a failure that reads as success.
#include "log_fitness.h"

#include <algorithm>
#include <map>

#include "contest_rules.h"
#include "finding_text.h"
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

}  // namespace

std::optional<Finding> NotReplayed(const LogFile& log) {
  // A file that is no log is told by the reader already.
  if (log.format == LogFormat::Unknown) return std::nullopt;
  auto finding = [](FindingKind kind, std::initializer_list<std::string_view> values, std::uint8_t wording = 0) {
    return Finding{1, Severity::Error, kind, wording, ProblemLines::None, PackValues(values)};
  };
  if (log.qsos.empty()) {
    const std::size_t excluded = static_cast<std::size_t>(std::count_if(
        log.problems.begin(), log.problems.end(), [](const Problem& p) { return p.kind == ProblemKind::Excluded; }));
    const std::size_t unread = log.skipped - excluded;
    if (unread > 0) return finding(FindingKind::NoQsoRead, {std::to_string(unread)});
    if (excluded > 0) return finding(FindingKind::OnlyExcludedQsos, {std::to_string(excluded)});
    return finding(FindingKind::NoQso, {});
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
  const std::uint8_t adif = log.format == LogFormat::Cabrillo ? 0 : wording::kAdif;
  const std::string all = std::to_string(log.qsos.size());
  std::string modeList;
  std::size_t otherModes = 0;
  for (const auto& [mode, n] : modes) {
    modeList += (modeList.empty() ? "" : ", ") + (modes.size() == 1 ? mode : std::to_string(n) + " " + mode);
    otherModes += n;
  }
  if (withoutSerial == 0) return finding(FindingKind::NoQsoInContestMode, {all, modeList}, adif);
  // Without other modes the text names no mode, and takes no wording of the format's.
  if (otherModes == 0) return finding(FindingKind::NoQsoCounts, {all, std::to_string(withoutSerial)});
  return finding(FindingKind::NoQsoCounts, {all, std::to_string(withoutSerial), std::to_string(otherModes), modeList},
                 adif | wording::kAlso);
}

std::optional<std::string> WhyNotReplayed(const LogFile& log) {
  if (log.format == LogFormat::Unknown) {
    auto why = std::find_if(log.problems.begin(), log.problems.end(),
                            [](const Problem& p) { return p.kind == ProblemKind::Unreadable; });
    return why == log.problems.end() ? "the file is no log" : why->message;
  }
  if (std::optional<Finding> finding = NotReplayed(log)) return NotReplayedReason(*finding);
  return std::nullopt;
}

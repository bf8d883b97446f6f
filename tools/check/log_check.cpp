// What the plug-in rejected and what err.txt got come from the replay, never from a rule of our
// own: the plug-in refuses a QSO only for its mode or a missing exchange; a malformed exchange it
// takes as it is (only the host's exchange check, IsValidExchg0, would refuse that).
//
// One fault is one finding: a check that follows from another one's fault on the same QSO (the
// call-list hint on a call already told as broken, a dupe of a line that was never read) stays
// silent.
#include "log_check.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "cabrillo_header_check.h"
#include "calendar.h"
#include "call_sign.h"
#include "contest_rules.h"
#include "host_form.h"
#include "log_fitness.h"
#include "own_call.h"
#include "serial_check.h"

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string CallBand(const LogQso& q) { return q.call.str() + '\n' + q.band.str(); }

class QsoChecks {
 public:
  QsoChecks(const LogFile& log, const ReplayedLog& replayed, const CheckChoices& choices, std::vector<Finding>& out)
      : log_(log), choices_(choices), out_(out), cabrillo_(log.format == LogFormat::Cabrillo), own_(OwnCallOf(log)) {
    outcomes_.assign(log.qsos.size(), nullptr);
    std::unordered_set<std::string> dupes;  // call and band
    for (const QsoOutcome& o : replayed.outcomes) {
      if (o.index >= outcomes_.size()) continue;
      outcomes_[o.index] = &o;
      if (o.fate == QsoFate::Dupe) dupes.insert(CallBand(log.qsos[o.index]));
    }
    // Only the calls that have dupes: a long log's every call and band would cost more than the log.
    for (const QsoOutcome& o : replayed.outcomes) {
      if (o.fate != QsoFate::Accepted || o.index >= outcomes_.size()) continue;
      std::string key = CallBand(log.qsos[o.index]);
      if (dupes.count(key)) firstStored_.emplace(std::move(key), log.qsos[o.index].line);
    }
    for (const ProblemLine& p : replayed.problemLines) problemLines_[p.index].push_back(replayed.TextOf(p));
  }

  void Run() {
    const LogQso* previous = nullptr;
    for (std::size_t i = 0; i < log_.qsos.size(); ++i) {
      const LogQso& qso = log_.qsos[i];
      const QsoOutcome* outcome = outcomes_[i];
      Period(qso);
      if (previous && qso.days < previous->days) {
        Add(qso, Severity::Warning, FindingKind::NotInTimeOrder,
            {std::to_string(previous->line), MinuteText(MinuteOf(previous->days))});
      }
      previous = &qso;
      Call(qso);
      Exchange(qso, qso.WrittenSent(), FindingKind::SentNotFourDigits, FindingKind::SentNotWrittenWithFour);
      Exchange(qso, qso.WrittenRcvd(), FindingKind::ReceivedNotFourDigits, FindingKind::ReceivedNotWrittenWithFour);
      const bool stored = outcome && outcome->fate != QsoFate::Rejected;
      Band(qso, outcome);
      if (stored && !cabrillo_) Reports(qso);
      if (outcome) Verdict(qso, i, *outcome);
    }
  }

 private:
  // By the minute the plug-in writes for the QSO, the one the sponsor reads in the file.
  void Period(const LogQso& qso) {
    if (!choices_.period) return;
    const long long minute = MinuteOf(qso.days);
    if (minute < choices_.period->start) {
      Add(qso, Severity::Error, FindingKind::BeforeStart, {MinuteText(minute), MinuteText(choices_.period->start)});
    } else if (minute >= choices_.period->end) {
      Add(qso, Severity::Error, FindingKind::AfterEnd, {MinuteText(minute), MinuteText(choices_.period->end)});
    }
  }

  void Call(const LogQso& qso) {
    const std::string& written = qso.written.call.str();
    if (std::optional<std::string> fault = CallSignFault(qso.call)) {
      Add(qso, Severity::Error, FindingKind::CallNoCall, {written, *fault});
      return;
    }
    const std::string& own = qso.ownCall.empty() ? own_.reference : qso.ownCall.str();
    if (!own.empty() && StationPart(qso.call) == StationPart(own)) {
      // The plug-in counts it, a point and a new call, so the claimed score is too high.
      Add(qso, Severity::Error, FindingKind::CallIsOwn, {qso.call});
      return;
    }
    if (cabrillo_ && HasLowerCase(written)) {
      Add(qso, Severity::Warning, FindingKind::CallLowerCase, {written, qso.call});
    }
    OwnCallOnTheLine(qso);
    // The reader told the record's cut value; a hint about what was read would tell it again.
    if (qso.valueCut) return;
    const std::string_view station = StationPart(qso.call);
    if (!station.empty() && station.back() >= '0' && station.back() <= '9') {
      Add(qso, Severity::Warning, FindingKind::CallIncomplete, {written});
      return;
    }
    if (choices_.knownCalls && !choices_.knownCalls->Knows(qso.call)) {
      Add(qso, Severity::Note, FindingKind::CallNotKnown, {qso.call});
    }
  }

  void OwnCallOnTheLine(const LogQso& qso) {
    if (qso.ownCall.empty() || own_.reference.empty() || qso.ownCall == own_.reference) return;
    const std::string& written = qso.written.ownCall.str();
    if (cabrillo_) {
      Add(qso, Severity::Warning,
          own_.headerDisagrees || log_.ownCall.empty() ? FindingKind::OwnCallNotTheOthers
                                                       : FindingKind::OwnCallNotTheCallsign,
          {written, own_.reference});
    } else {
      Add(qso, Severity::Warning, FindingKind::RecordOwnCallDiffers, {written, own_.reference, qso.ownCall},
          qso.ownCallFromOperator ? wording::kOperator : 0);
    }
  }

  // An empty exchange is the plug-in's to reject: the verdict says so.
  void Exchange(const LogQso& qso, std::string_view written, FindingKind noNumber, FindingKind unpadded) {
    if (written.empty()) return;
    if (!AllDigits(written) || written.size() > 4) {
      Add(qso, Severity::Error, noNumber, {written});
    } else if (cabrillo_ && written.size() < 4) {
      Add(qso, Severity::Warning, unpadded, {written, SerialExchange(written)});
    }
  }

  void Band(const LogQso& qso, const QsoOutcome* outcome) {
    const bool counted = outcome && outcome->fate == QsoFate::Accepted;
    if (!IsContestBand(qso.band.str())) {
      Add(qso, Severity::Warning, FindingKind::OffTheBands, {qso.band}, counted ? wording::kCounted : 0);
    }
    if (cabrillo_) return;
    const bool stored = outcome && outcome->fate != QsoFate::Rejected;
    const WrittenQso& w = qso.written;
    if (w.freq.empty()) {
      if (stored) Add(qso, Severity::Error, FindingKind::NoFrequency, {});
      return;
    }
    if (w.band.empty()) return;  // the band was taken from the frequency
    const std::optional<std::string> onFrequency = AmateurBandOf(qso.freqHz);
    if (!onFrequency) {
      Add(qso, Severity::Error, FindingKind::FrequencyOnNoBand, {w.freq, w.band});
    } else if (*onFrequency != qso.band) {
      Add(qso, Severity::Error, FindingKind::FrequencyOffItsBand,
          {w.freq, *onFrequency, qso.band, std::to_string(qso.freqHz / 1000)});
    }
  }

  void Reports(const LogQso& qso) {
    const std::uint8_t missing = (qso.rstSent.empty() ? wording::kNoSent : 0) |
                                 (qso.rstRcvd.empty() ? wording::kNoReceived : 0);
    if (missing != 0) Add(qso, Severity::Error, FindingKind::NoReports, {}, missing);
  }

  bool HasVerdict(std::size_t index, std::string_view verdict) const {
    auto it = problemLines_.find(static_cast<std::uint32_t>(index));
    return it != problemLines_.end() && std::any_of(it->second.begin(), it->second.end(), [&](std::string_view line) {
             return line.ends_with(verdict);
           });
  }

  void Verdict(const LogQso& qso, std::size_t index, const QsoOutcome& outcome) {
    if (outcome.fate != QsoFate::Dupe && outcome.fate != QsoFate::Rejected) return;
    auto lines = problemLines_.find(static_cast<std::uint32_t>(index));
    const std::size_t n = lines == problemLines_.end() ? 0 : lines->second.size();
    const ProblemLines told = n == 0 ? ProblemLines::None : n == 1 ? ProblemLines::One : ProblemLines::Several;
    const std::string count = std::to_string(n);
    const std::string_view firstLine = n == 0 ? std::string_view() : lines->second.front();
    if (outcome.fate == QsoFate::Dupe) {
      auto first = firstStored_.find(CallBand(qso));
      const std::string stored = first == firstStored_.end() ? "?" : std::to_string(first->second);
      Add(qso, Severity::Note, FindingKind::Dupe, {stored, qso.call, qso.band, count, firstLine}, 0, told);
      return;
    }

    // The plug-in's Cabrillo file leaves a rejected QSO out; a Cabrillo log to submit still has it.
    const Severity severity = cabrillo_ ? Severity::Error : Severity::Warning;
    const bool noSent = qso.exchSent.empty(), noRcvd = qso.exchRcvd.empty();
    if (HasVerdict(index, kVerdictNoContestMode)) {
      const std::uint8_t form = (cabrillo_ ? 0 : wording::kAdif) | (noSent || noRcvd ? wording::kAlso : 0);
      Add(qso, severity, FindingKind::RejectedForMode, {cabrillo_ ? qso.written.mode : qso.mode, count, firstLine},
          form, told);
    } else if (HasVerdict(index, kVerdictNoRxNumber)) {
      // With both exchanges there the plug-in still found no received number: told as it says.
      const std::uint8_t form = noSent ? wording::kNoSent | (noRcvd ? wording::kNoReceived : 0) : wording::kNoReceived;
      Add(qso, severity, FindingKind::RejectedNoExchange, {count, firstLine}, form, told);
    } else {
      Add(qso, severity, FindingKind::Refused, {count, firstLine}, 0, told);
    }
  }

  void Add(const LogQso& qso, Severity severity, FindingKind kind, std::initializer_list<std::string_view> values,
           std::uint8_t wording = 0, ProblemLines lines = ProblemLines::None) {
    out_.push_back({qso.line, severity, kind, wording, lines, PackValues(values)});
  }

  const LogFile& log_;
  const CheckChoices& choices_;
  std::vector<Finding>& out_;
  const bool cabrillo_;
  const LogOwnCall own_;
  std::vector<const QsoOutcome*> outcomes_;                    // by the QSO's index in the log
  std::unordered_map<std::string, std::size_t> firstStored_;  // call and band of a dupe: line stored first
  std::unordered_map<std::uint32_t, std::vector<std::string_view>> problemLines_;
};

// The readers' own findings, weighed by what the record's loss means for the submission.
void ReaderProblems(const LogFile& log, const std::vector<Problem>& notes, std::vector<Finding>& out) {
  const bool cabrillo = log.format == LogFormat::Cabrillo;
  for (const Problem& p : log.problems) {
    Severity severity = Severity::Note;
    switch (p.kind) {
      case ProblemKind::Skipped:
        // A Cabrillo line the replay cannot read is one the sponsor's robot cannot read either;
        // a lost ADIF record is only missing from the Cabrillo file the plug-in writes.
        severity = cabrillo ? Severity::Error : Severity::Warning;
        break;
      case ProblemKind::Layout:
        // The plug-in writes its own Cabrillo file from an ADIF log, whatever the ADIF header held.
        severity = cabrillo ? Severity::Error : Severity::Note;
        break;
      case ProblemKind::Fault:
      case ProblemKind::Unreadable:
        severity = Severity::Error;
        break;
      case ProblemKind::Risk:
        severity = Severity::Warning;
        break;
      case ProblemKind::Excluded:
      case ProblemKind::Oddity:
        severity = Severity::Note;
        break;
    }
    out.push_back({p.line, severity, FindingKind::ReadingProblem, 0, ProblemLines::None, PackValues({p.message})});
  }
  // A call told as broken settles no entity: that is the same fault, told once.
  std::unordered_set<std::size_t> brokenCalls;
  for (const LogQso& q : log.qsos) {
    if (CallSignFault(q.call)) brokenCalls.insert(q.line);
  }
  for (const Problem& p : notes) {
    if (!brokenCalls.count(p.line)) {
      out.push_back({p.line, Severity::Note, FindingKind::EntityNote, 0, ProblemLines::None, PackValues({p.message})});
    }
  }
}

// In line order, findings of one line in the order they were told. A stable sort would take a
// buffer as large as the findings themselves, which on a long log with a fault a QSO is the check's
// largest moment: the order is worked out on numbers and the findings are moved in place.
void SortByLine(std::vector<Finding>& findings) {
  std::vector<std::uint32_t> from(findings.size());  // the finding that belongs at each place
  for (std::size_t i = 0; i < from.size(); ++i) from[i] = static_cast<std::uint32_t>(i);
  std::sort(from.begin(), from.end(), [&findings](std::uint32_t a, std::uint32_t b) {
    return findings[a].line != findings[b].line ? findings[a].line < findings[b].line : a < b;
  });
  // Each cycle of the order is walked once; a place done points at itself.
  for (std::size_t start = 0; start < from.size(); ++start) {
    if (from[start] == start) continue;
    Finding held = std::move(findings[start]);
    std::size_t at = start;
    while (from[at] != start) {
      const std::size_t next = from[at];
      findings[at] = std::move(findings[next]);
      from[at] = static_cast<std::uint32_t>(at);
      at = next;
    }
    findings[at] = std::move(held);
    from[at] = static_cast<std::uint32_t>(at);
  }
}

}  // namespace

std::vector<Finding> CheckLog(const LogFile& log, const ReplayedLog& replayed, const CheckChoices& choices) {
  std::vector<Finding> findings;
  // Room for a finding a QSO and a record, which a long log with one fault throughout fills: grown
  // by doubling, the list would be held one and a half times over at its last growth. What is not
  // filled is never touched, and costs a long log no memory.
  findings.reserve(log.qsos.size() + log.problems.size() + replayed.notes.size() + 16);
  ReaderProblems(log, replayed.notes, findings);
  // A file that is no log is told by the reader already.
  if (std::optional<Finding> notReplayed = NotReplayed(log)) findings.push_back(std::move(*notReplayed));
  const std::optional<ScoreSummary>& summary = replayed.score;
  if (summary && summary->score != summary->FullScore()) {
    findings.push_back({1, Severity::Warning, FindingKind::ScoreBeyond32Bits, 0, ProblemLines::None,
                        PackValues({std::to_string(summary->score), std::to_string(summary->total.points),
                                    std::to_string(summary->total.dxcc), std::to_string(summary->total.newCalls),
                                    std::to_string(summary->FullScore())})});
  }
  if (log.format == LogFormat::Cabrillo) {
    CheckCabrilloHeader(log, summary ? std::optional<long long>(summary->FullScore()) : std::nullopt, findings);
  }
  QsoChecks(log, replayed, choices, findings).Run();
  CheckSentSerials(log, findings);
  SortByLine(findings);
  return findings;
}

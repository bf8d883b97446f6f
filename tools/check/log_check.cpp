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
#include "shown_text.h"

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
        Add(qso, Severity::Warning,
            "logged after a later QSO (line " + std::to_string(previous->line) + ", " +
                MinuteText(MinuteOf(previous->days)) +
                "): the log is not in time order; the replay takes it in time order");
      }
      previous = &qso;
      Call(qso);
      Exchange(qso, qso.WrittenSent(), "sent serial", "");
      Exchange(qso, qso.WrittenRcvd(), "received exchange",
               ": the host's exchange check would refuse it; the plug-in does not check exchanges");
      const bool stored = outcome && outcome->fate != QsoFate::Rejected;
      Band(qso, outcome);
      if (stored && !cabrillo_) Reports(qso);
      if (outcome) Verdict(qso, i, *outcome);
    }
  }

 private:
  void Period(const LogQso& qso) {
    if (choices_.periodStart && qso.days < *choices_.periodStart) {
      Add(qso, Severity::Error,
          "QSO at " + MinuteText(MinuteOf(qso.days)) + " is before the contest's start, " +
              MinuteText(MinuteOf(*choices_.periodStart)));
    } else if (choices_.periodEnd && qso.days >= *choices_.periodEnd) {
      Add(qso, Severity::Error,
          "QSO at " + MinuteText(MinuteOf(qso.days)) + " is after the contest's end, " +
              MinuteText(MinuteOf(*choices_.periodEnd)));
    }
  }

  void Call(const LogQso& qso) {
    const std::string& written = qso.written.call.str();
    if (std::optional<std::string> fault = CallSignFault(qso.call)) {
      Add(qso, Severity::Error, "call '" + written + "' " + *fault);
      return;
    }
    const std::string& own = qso.ownCall.empty() ? own_.reference : qso.ownCall.str();
    if (!own.empty() && StationPart(qso.call) == StationPart(own)) {
      // The plug-in counts it, a point and a new call, so the claimed score is too high.
      Add(qso, Severity::Error,
          "call " + qso.call + " is the log's own call: a station cannot work itself, and the plug-in scores the "
                               "QSO; correct the call or remove the QSO");
      return;
    }
    if (cabrillo_ && HasLowerCase(written)) {
      Add(qso, Severity::Warning,
          "call '" + written + "' is in lower case; Cabrillo logs write calls in upper case (replayed as " + qso.call +
              ")");
    }
    OwnCallOnTheLine(qso);
    // The reader told the record's cut value; a hint about what was read would tell it again.
    if (qso.valueCut) return;
    const std::string_view station = StationPart(qso.call);
    if (!station.empty() && station.back() >= '0' && station.back() <= '9') {
      Add(qso, Severity::Warning,
          "call '" + written + "' ends with its digit: the letters after it are missing, and the sponsor cannot "
                               "match an incomplete call; complete it");
      return;
    }
    if (choices_.knownCalls && !choices_.knownCalls->Knows(qso.call)) {
      Add(qso, Severity::Note, qso.call + " is not in the check-partial list MASTER.SCP: a possible busted call");
    }
  }

  void OwnCallOnTheLine(const LogQso& qso) {
    if (qso.ownCall.empty() || own_.reference.empty() || qso.ownCall == own_.reference) return;
    const std::string& written = qso.written.ownCall.str();
    if (cabrillo_) {
      Add(qso, Severity::Warning,
          own_.headerDisagrees || log_.ownCall.empty()
              ? "own call '" + written + "' on the QSO line is not " + own_.reference +
                    ", the own call of the other QSO lines"
              : "own call '" + written + "' on the QSO line is not the CALLSIGN: " + own_.reference);
    } else {
      Add(qso, Severity::Warning,
          std::string(qso.ownCallFromOperator ? "OPERATOR" : "STATION_CALLSIGN") + " '" + written + "' is not " +
              own_.reference + ", the own call of the log's other records: the plug-in's Cabrillo file gets " +
              qso.ownCall.str() + " on this QSO line, which the sponsor does not match");
    }
  }

  // An empty exchange is the plug-in's to reject: the verdict says so.
  void Exchange(const LogQso& qso, std::string_view written, const char* what, const char* refusal) {
    if (written.empty()) return;
    const bool fourDigits = AllDigits(written) && written.size() <= 4;
    if (fourDigits && !(cabrillo_ && written.size() < 4)) return;
    const std::string quoted = std::string(what) + " '" + std::string(written) + "'";
    if (!fourDigits) {
      Add(qso, Severity::Error, quoted + " is not four digits" + refusal);
    } else {
      Add(qso, Severity::Warning, quoted + " is not written with four digits (" + SerialExchange(written) + ")");
    }
  }

  void Band(const LogQso& qso, const QsoOutcome* outcome) {
    const bool counted = outcome && outcome->fate == QsoFate::Accepted;
    if (!IsContestBand(qso.band.str())) {
      Add(qso, Severity::Warning,
          "QSO on " + qso.band.str() + ": the contest is on 80 m and 40 m" +
              (counted ? "; the plug-in's summary counts it all the same" : ""));
    }
    if (cabrillo_) return;
    const bool stored = outcome && outcome->fate != QsoFate::Rejected;
    const WrittenQso& w = qso.written;
    if (w.freq.empty()) {
      if (stored) {
        Add(qso, Severity::Error, "no FREQ: the Cabrillo file gets frequency 0 for this QSO; add FREQ in MHz");
      }
      return;
    }
    if (w.band.empty()) return;  // the band was taken from the frequency
    const std::optional<std::string> onFrequency = AmateurBandOf(qso.freqHz);
    if (!onFrequency) {
      Add(qso, Severity::Error,
          "FREQ " + w.freq.str() + " MHz lies on no amateur band; BAND says " + w.band.str() +
              ", where the plug-in counts it");
    } else if (*onFrequency != qso.band) {
      Add(qso, Severity::Error,
          "FREQ " + w.freq.str() + " MHz lies on " + *onFrequency + ", not on " + qso.band.str() +
              " as BAND says: the plug-in counts it on " + qso.band.str() + ", the Cabrillo file shows " +
              std::to_string(qso.freqHz / 1000) + " kHz");
    }
  }

  // The plug-in writes the reports as they are: without one, its QSO line lacks a field.
  void Reports(const LogQso& qso) {
    const bool noSent = qso.rstSent.empty(), noRcvd = qso.rstRcvd.empty();
    if (!noSent && !noRcvd) return;
    const std::string missing = noSent && noRcvd ? "no RST_SENT and no RST_RCVD"
                                : noSent         ? "no RST_SENT"
                                                 : "no RST_RCVD";
    const std::string add = noSent && noRcvd ? "<RST_SENT:3>599 <RST_RCVD:3>599"
                            : noSent         ? "<RST_SENT:3>599"
                                             : "<RST_RCVD:3>599";
    Add(qso, Severity::Error,
        missing + ": the plug-in's Cabrillo file gets a QSO line of " + (noSent && noRcvd ? "8" : "9") +
            " fields for it instead of 10; add " + add);
  }

  std::string ProblemLinesText(std::size_t index) const {
    auto it = problemLines_.find(static_cast<std::uint32_t>(index));
    if (it == problemLines_.end()) return "err.txt got no line for it";
    const std::size_t n = it->second.size();
    return (n == 1 ? "err.txt got: " : "err.txt got " + std::to_string(n) + " such lines: ") +
           std::string(it->second.front());
  }

  bool HasVerdict(std::size_t index, std::string_view verdict) const {
    auto it = problemLines_.find(static_cast<std::uint32_t>(index));
    return it != problemLines_.end() && std::any_of(it->second.begin(), it->second.end(), [&](std::string_view line) {
             return line.ends_with(verdict);
           });
  }

  void Verdict(const LogQso& qso, std::size_t index, const QsoOutcome& outcome) {
    if (outcome.fate == QsoFate::Dupe) {
      auto first = firstStored_.find(CallBand(qso));
      const std::string firstLine = first == firstStored_.end() ? "?" : std::to_string(first->second);
      Add(qso, Severity::Note,
          "dupe of line " + firstLine + " (" + qso.call + " on " + qso.band.str() +
              "): the plug-in stored it as a dupe, it adds nothing to the score; " + ProblemLinesText(index));
      return;
    }
    if (outcome.fate != QsoFate::Rejected) return;

    std::string why;
    if (HasVerdict(index, kVerdictNoContestMode)) {
      why = cabrillo_ ? "mode " + qso.written.mode.str() + " is not PM (BPSK63)"
                      : "mode " + qso.mode.str() + " is not BPSK63";
      why += ", the only mode of this contest";
      // The plug-in tells only the first rule a QSO breaks.
      if (qso.exchSent.empty() || qso.exchRcvd.empty()) why += ", and an exchange is missing too";
    } else if (HasVerdict(index, kVerdictNoRxNumber)) {
      const bool noSent = qso.exchSent.empty(), noRcvd = qso.exchRcvd.empty();
      why = noSent && noRcvd ? "no exchange sent or received" : noSent ? "no sent serial" : "no received exchange";
    } else {
      why = "the QSO was refused";
    }
    // The plug-in's Cabrillo file leaves a rejected QSO out; a Cabrillo log to submit still has it.
    Add(qso, cabrillo_ ? Severity::Error : Severity::Warning,
        why + ": the plug-in rejected the QSO; " + ProblemLinesText(index));
  }

  void Add(const LogQso& qso, Severity severity, std::string text) {
    out_.push_back({qso.line, severity, std::move(text)});
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
    out.push_back({p.line, severity, p.message});
  }
  // A call told as broken settles no entity: that is the same fault, told once.
  std::unordered_set<std::size_t> brokenCalls;
  for (const LogQso& q : log.qsos) {
    if (CallSignFault(q.call)) brokenCalls.insert(q.line);
  }
  for (const Problem& p : notes) {
    if (!brokenCalls.count(p.line)) out.push_back({p.line, Severity::Note, p.message});
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
  if (log.format != LogFormat::Unknown) {
    if (const std::optional<std::string> why = WhyNotReplayed(log)) {
      findings.push_back({1, Severity::Error, *why + "; the plug-in is not run for this log"});
    }
  }
  const std::optional<ScoreSummary>& summary = replayed.score;
  if (summary && summary->score != summary->FullScore()) {
    findings.push_back({1, Severity::Warning,
                        "the plug-in's score, " + std::to_string(summary->score) +
                            ", has run past its 32-bit arithmetic: its totals give " +
                            std::to_string(summary->total.points) + " * (" + std::to_string(summary->total.dxcc) +
                            " + " + std::to_string(summary->total.newCalls) +
                            ") = " + std::to_string(summary->FullScore())});
  }
  if (log.format == LogFormat::Cabrillo) {
    CheckCabrilloHeader(log, summary ? std::optional<long long>(summary->FullScore()) : std::nullopt, findings);
  }
  QsoChecks(log, replayed, choices, findings).Run();
  CheckSentSerials(log, findings);
  SortByLine(findings);
  // A value from the log is echoed as it stands: nothing in it may end the finding's line.
  for (Finding& f : findings) {
    auto control = [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; };
    const std::string_view text = f.text;
    if (std::any_of(text.begin(), text.end(), control)) {
      f.text = Shown(text);
    }
  }
  return findings;
}

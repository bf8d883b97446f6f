// What the plug-in rejected and what err.txt got come from the replay, never from a rule of our
// own: the plug-in refuses a QSO only for its mode or a missing exchange; a malformed exchange it
// takes as it is (only the host's exchange check, IsValidExchg0, would refuse that).
#include "log_check.h"

#include <algorithm>
#include <unordered_map>

#include "cabrillo_header_check.h"
#include "calendar.h"
#include "call_sign.h"
#include "contest_rules.h"
#include "host_form.h"
#include "serial_check.h"

namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ProblemLinesText(const ReplayedQso& replayed) {
  if (replayed.problemLines.empty()) return "err.txt got no line for it";
  const std::size_t n = replayed.problemLines.size();
  return (n == 1 ? "err.txt got: " : "err.txt got " + std::to_string(n) + " such lines: ") +
         replayed.problemLines.front();
}

bool HasVerdict(const ReplayedQso& replayed, std::string_view verdict) {
  return std::any_of(replayed.problemLines.begin(), replayed.problemLines.end(),
                     [&](const std::string& line) { return line.ends_with(verdict); });
}

class QsoChecks {
 public:
  QsoChecks(const LogFile& log, const ReplayedLog& replayed, const CheckChoices& choices, std::vector<Finding>& out)
      : log_(log), choices_(choices), out_(out), cabrillo_(log.format == LogFormat::Cabrillo) {
    for (const ReplayedQso& r : replayed.qsos) {
      byLine_.emplace(r.line, &r);
      if (r.fate == QsoFate::Accepted) firstStored_.emplace(r.call + '\n' + r.band, r.line);
    }
  }

  void Run() {
    const LogQso* previous = nullptr;
    for (const LogQso& qso : log_.qsos) {
      auto it = byLine_.find(qso.line);
      const ReplayedQso* replayed = it == byLine_.end() ? nullptr : it->second;
      Period(qso);
      if (previous && qso.days < previous->days) {
        Add(qso, Severity::Warning,
            "logged after a later QSO (line " + std::to_string(previous->line) + ", " +
                MinuteText(MinuteOf(previous->days)) +
                "): the log is not in time order; the replay takes it in "
                "time order");
      }
      previous = &qso;
      Call(qso);
      Exchange(qso, qso.written.exchSent, "sent serial", "");
      Exchange(qso, qso.written.exchRcvd, "received exchange",
               ": the host's exchange check would refuse it; the plug-in does not check exchanges");
      Band(qso, replayed);
      if (replayed) Verdict(qso, *replayed);
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
    if (std::optional<std::string> fault = CallSignFault(qso.call)) {
      Add(qso, Severity::Error, "call '" + qso.written.call + "' " + *fault);
      return;
    }
    if (cabrillo_ && HasLowerCase(qso.written.call)) {
      Add(qso, Severity::Warning,
          "call '" + qso.written.call + "' is in lower case; Cabrillo logs write calls in upper case (replayed as " +
              qso.call + ")");
    }
    if (cabrillo_ && !log_.ownCall.empty() && UpperCase(qso.written.ownCall) != log_.ownCall) {
      Add(qso, Severity::Warning,
          "own call '" + qso.written.ownCall + "' on the QSO line is not the CALLSIGN: " + log_.ownCall);
    }
    if (choices_.knownCalls && !choices_.knownCalls->Knows(qso.call)) {
      Add(qso, Severity::Note, qso.call + " is not in the check-partial list MASTER.SCP: a possible busted call");
    }
  }

  // An empty exchange is the plug-in's to reject: the verdict says so.
  void Exchange(const LogQso& qso, const std::string& written, const char* what, const char* refusal) {
    if (written.empty()) return;
    const std::string quoted = std::string(what) + " '" + written + "'";
    if (!AllDigits(written) || written.size() > 4) {
      Add(qso, Severity::Error, quoted + " is not four digits" + refusal);
    } else if (cabrillo_ && written.size() < 4) {
      Add(qso, Severity::Warning, quoted + " is not written with four digits (" + SerialExchange(written) + ")");
    }
  }

  void Band(const LogQso& qso, const ReplayedQso* replayed) {
    const bool counted = replayed && replayed->fate == QsoFate::Accepted;
    if (!IsContestBand(qso.band)) {
      Add(qso, Severity::Warning,
          "QSO on " + qso.band + ": the contest is on 80 m and 40 m" +
              (counted ? "; the plug-in's summary counts it all the same" : ""));
    }
    if (cabrillo_) return;
    const bool stored = replayed && replayed->fate != QsoFate::Rejected;
    const WrittenQso& w = qso.written;
    if (w.freq.empty()) {
      if (stored) Add(qso, Severity::Error, "no FREQ: the Cabrillo file gets frequency 0 for this QSO");
      return;
    }
    if (w.band.empty()) return;  // the band was taken from the frequency
    const std::optional<std::string> onFrequency = AmateurBandOf(qso.freqHz);
    if (!onFrequency) {
      Add(qso, Severity::Error,
          "FREQ " + w.freq + " MHz lies on no amateur band; BAND says " + w.band + ", where the plug-in counts it");
    } else if (*onFrequency != qso.band) {
      Add(qso, Severity::Error,
          "FREQ " + w.freq + " MHz lies on " + *onFrequency + ", not on " + qso.band +
              " as BAND says: the plug-in counts it on " + qso.band + ", the Cabrillo file shows " +
              std::to_string(qso.freqHz / 1000) + " kHz");
    }
  }

  void Verdict(const LogQso& qso, const ReplayedQso& replayed) {
    if (replayed.fate == QsoFate::Dupe) {
      auto first = firstStored_.find(replayed.call + '\n' + replayed.band);
      const std::string firstLine = first == firstStored_.end() ? "?" : std::to_string(first->second);
      Add(qso, Severity::Note,
          "dupe of line " + firstLine + " (" + qso.call + " on " + qso.band +
              "): the plug-in stored it as a dupe, it adds nothing to the score; " + ProblemLinesText(replayed));
      return;
    }
    if (replayed.fate != QsoFate::Rejected) return;

    std::string why;
    if (HasVerdict(replayed, kVerdictNoContestMode)) {
      why = cabrillo_ ? "mode " + qso.written.mode + " is not PM (BPSK63)" : "mode " + qso.mode + " is not BPSK63";
      why += ", the only mode of this contest";
      // The plug-in tells only the first rule a QSO breaks.
      if (qso.exchSent.empty() || qso.exchRcvd.empty()) why += ", and an exchange is missing too";
    } else if (HasVerdict(replayed, kVerdictNoRxNumber)) {
      const bool noSent = qso.exchSent.empty(), noRcvd = qso.exchRcvd.empty();
      why = noSent && noRcvd ? "no exchange sent or received" : noSent ? "no sent serial" : "no received exchange";
    } else {
      why = "the QSO was refused";
    }
    // The plug-in's Cabrillo file leaves a rejected QSO out; a Cabrillo log to submit still has it.
    Add(qso, cabrillo_ ? Severity::Error : Severity::Warning,
        why + ": the plug-in rejected the QSO; " + ProblemLinesText(replayed));
  }

  void Add(const LogQso& qso, Severity severity, std::string text) {
    out_.push_back({qso.line, severity, std::move(text)});
  }

  const LogFile& log_;
  const CheckChoices& choices_;
  std::vector<Finding>& out_;
  const bool cabrillo_;
  std::unordered_map<std::size_t, const ReplayedQso*> byLine_;
  std::unordered_map<std::string, std::size_t> firstStored_;  // call and band: line
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
      case ProblemKind::Excluded:
      case ProblemKind::Oddity:
        severity = Severity::Note;
        break;
    }
    out.push_back({p.line, severity, p.message});
  }
  for (const Problem& p : notes) out.push_back({p.line, Severity::Note, p.message});
}

}  // namespace

std::vector<Finding> CheckLog(const LogFile& log, const ReplayedLog& replayed, const CheckChoices& choices) {
  std::vector<Finding> findings;
  ReaderProblems(log, replayed.notes, findings);
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
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}

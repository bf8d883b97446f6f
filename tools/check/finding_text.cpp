// Each kind's text stands here once. A value goes out as Quoted only where the text puts it in
// quotes after a blank and before a blank or a stop; the words a kind takes depend on its kind,
// wording and problem lines alone, never on a value, so that these say which text it is.
#include "finding_text.h"

#include <array>
#include <string>

#include "cabrillo_tags.h"
#include "contest_rules.h"
#include "shown_text.h"

namespace {

// A list longer than this is shown by its start.
constexpr std::size_t kValuesShown = 12;

template <class Values>
std::string Listed(const Values& values) {
  std::string text;
  std::size_t shown = 0;
  for (std::string_view v : values) {
    if (shown++ == kValuesShown) return text + ", ... (" + std::to_string(values.size()) + " in all)";
    text += (text.empty() ? "" : ", ") + std::string(v);
  }
  return text;
}

std::size_t NumberOf(std::string_view digits) {
  std::size_t n = 0;
  for (char c : digits) n = n * 10 + static_cast<std::size_t>(c - '0');
  return n;
}

std::string Ordinal(std::size_t n) {
  static constexpr std::array<const char*, 10> kWords = {"zeroth", "first",  "second", "third", "fourth",
                                                        "fifth",  "sixth", "seventh", "eighth", "ninth"};
  return n < kWords.size() ? kWords[n] : std::to_string(n) + "th";
}

std::string Count(std::size_t n) {
  static constexpr std::array<const char*, 10> kWords = {"none", "one", "two",   "three", "four",
                                                        "five", "six", "seven", "eight", "nine"};
  return n < kWords.size() ? kWords[n] : std::to_string(n);
}

class TextWriter final : public FindingWriter {
 public:
  void Words(std::string_view words) override { text += words; }
  void Quoted(std::string_view value) override {
    text += '\'';
    text += Shown(value);
    text += '\'';
  }
  void Value(std::string_view value) override { text += Shown(value); }

  std::string text;
};

// The parts of one finding, its values by their place.
class Parts {
 public:
  Parts(const Finding& finding, FindingWriter& out) : finding_(finding), values_(finding), out_(out) {}

  Parts& W(std::string_view words) {
    out_.Words(words);
    return *this;
  }
  Parts& Q(std::size_t value) {
    out_.Quoted(values_[value]);
    return *this;
  }
  Parts& V(std::size_t value) {
    out_.Value(values_[value]);
    return *this;
  }
  Parts& Made(std::string_view value) {  // a value worked out from the values held
    out_.Value(value);
    return *this;
  }
  std::string_view operator[](std::size_t value) const { return values_[value]; }
  // Any of the wording's flags, or with `all` each of them.
  bool Has(std::uint8_t flags, bool all = false) const {
    return all ? (finding_.wording & flags) == flags : (finding_.wording & flags) != 0;
  }

  // The contest's mode as the log's format names it.
  Parts& ContestMode() {
    if (Has(wording::kAdif)) return W(kContestMode);
    return W(kCabrilloModeCode).W(" (").W(kContestMode).W(")");
  }

  // What err.txt got, its number and first line being the values from `at` on.
  Parts& ProblemLinesFrom(std::size_t at) {
    switch (finding_.problemLines) {
      case ProblemLines::None:
        return W("err.txt got no line for it");
      case ProblemLines::One:
        return W("err.txt got: ").V(at + 1);
      case ProblemLines::Several:
        return W("err.txt got ").V(at).W(" such lines: ").V(at + 1);
    }
    return *this;
  }

  // The tag's own list, for the tag at `tag`.
  Parts& ContestValues(std::size_t tag) {
    const cabrillo::TagRule* rule = cabrillo::RuleOf(values_[tag]);
    return Made(rule ? Listed(rule->contestValues) : "");
  }
  Parts& FormatValues(std::size_t tag) {
    const cabrillo::TagRule* rule = cabrillo::RuleOf(values_[tag]);
    return Made(rule ? Listed(rule->formatValues) : "");
  }

 private:
  const Finding& finding_;
  const FindingValues values_;
  FindingWriter& out_;
};

void WriteReason(Parts& p, FindingKind kind) {
  switch (kind) {
    case FindingKind::NoQsoRead:
      p.W("no QSO could be read: all ").V(0).W(" records were skipped (see their lines)");
      return;
    case FindingKind::OnlyExcludedQsos:
      p.W("no QSO to score: the log's ").V(0).W(" QSOs are all X-QSO lines");
      return;
    case FindingKind::NoQso:
      p.W("the log holds no QSO");
      return;
    case FindingKind::NoQsoInContestMode:
      p.W("no QSO is ").ContestMode().W(": ").V(0).W(" of ").V(0).W(" are ").V(1);
      return;
    case FindingKind::NoQsoCounts:
      p.W("no QSO counts for the contest: ");
      if (p.Has(wording::kAlso)) p.V(2).W(" of ").V(0).W(" are not ").ContestMode().W(" (").V(3).W("), ");
      p.V(1).W(" of ").V(0).W(" lack a serial sent or received");
      return;
    default:
      return;
  }
}

bool IsReason(FindingKind kind) { return kind <= FindingKind::NoQsoCounts; }

}  // namespace

void WriteFinding(const Finding& finding, FindingWriter& out, Audience audience) {
  Parts p(finding, out);
  const bool entrant = audience == Audience::Entrant;
  switch (finding.kind) {
    case FindingKind::NoQsoRead:
    case FindingKind::OnlyExcludedQsos:
    case FindingKind::NoQso:
    case FindingKind::NoQsoInContestMode:
    case FindingKind::NoQsoCounts:
      WriteReason(p, finding.kind);
      p.W("; the plug-in is not run for this log");
      return;
    case FindingKind::ScoreBeyond32Bits:
      p.W("the plug-in's score, ").V(0).W(", has run past its 32-bit arithmetic: its totals give ").V(1).W(" * (");
      p.V(2).W(" + ").V(3).W(") = ").V(4);
      return;

    case FindingKind::LineAfterEnd:
      p.W("this line follows END-OF-LOG: (line ").V(0);
      p.W("); nothing after it is part of the log: remove it or move it above END-OF-LOG:");
      return;
    case FindingKind::StartNotFirst:
      p.W("START-OF-LOG: is not the first line: a robot reads the log from it on; move it to the top");
      return;
    case FindingKind::NoStartOfLog:
      p.W("the file has no START-OF-LOG: line; a Cabrillo log opens with START-OF-LOG: 3.0");
      return;
    case FindingKind::TagMissing:
      p.W("the header has no ").V(0).W(": line");
      return;
    case FindingKind::TagAgainSameValue:
      p.V(0).W(": appears a second time with the same value (first at line ").V(1).W("); one line is enough");
      return;
    case FindingKind::TagAgainOtherValue:
      p.V(0).W(": appears a second time (first at line ").V(1).W("), with ").Q(2).W(" instead of ").Q(3);
      p.W("; keep the one that is right");
      return;
    case FindingKind::UnknownTag:
      p.W("unknown tag ").V(0).W(": is not a Cabrillo 3.0 tag; remove the line");
      return;
    case FindingKind::TagAfterQsos:
      p.V(0).W(": comes after the first QSO line (line ").V(1).W("); the header goes before the QSOs");
      return;
    case FindingKind::TagTooOften:
      p.W("a ").Made(Ordinal(NumberOf(p[1]))).W(" ").V(0).W(": line; Cabrillo allows ").Made(Count(NumberOf(p[2])));
      return;
    case FindingKind::VersionNotThree:
      p.W("START-OF-LOG: version ").Q(0).W("; this contest's logs are Cabrillo 3.0");
      return;
    case FindingKind::ContestOther:
      p.W("CONTEST: ").Q(0).W(" is not ").W(kContestName);
      return;
    case FindingKind::CallsignEmpty:
      p.W("CALLSIGN: is empty");
      return;
    case FindingKind::CallsignNoCall:
      p.W("CALLSIGN: ").Q(0).W(" ").V(1);
      return;
    case FindingKind::CallsignNotTheLines:
      p.W("CALLSIGN: ").Q(0).W(" is not the own call of the QSO lines, ").V(1).W(" (on ").V(2).W(" of ").V(3);
      p.W("): the log is filed under its CALLSIGN; correct the one that is wrong");
      return;
    case FindingKind::NotAContestValue:
    case FindingKind::CategoryBandAll:
      p.V(0).W(": ").Q(1).W(" is none of this contest's ").ContestValues(0);
      return;
    case FindingKind::NotAnyValue:
      p.V(0).W(": ").Q(1).W(" is none of this contest's ").ContestValues(0).W(", nor a value of Cabrillo 3.0");
      return;
    case FindingKind::NotAFormatValue:
      p.V(0).W(": ").Q(1).W(" is not a Cabrillo 3.0 value; it takes one of ").FormatValues(0);
      return;
    case FindingKind::NotAscii:
      // ('x') is no quote: the value shows in the report's pattern, as the character differs.
      p.V(0).W(": has a character outside ASCII ('").V(1);
      p.W("'): Cabrillo files are ASCII text and a robot may garble it; write it with ASCII letters");
      return;
    case FindingKind::TooLong:
      p.V(0).W(": is ").V(1).W(" characters long; Cabrillo allows ").V(2).W(" a line");
      return;
    case FindingKind::EmailEmpty:
      p.W("EMAIL: is empty: the sponsor has no address to confirm the log to");
      return;
    case FindingKind::EmailNoAddress:
      p.W("EMAIL: ").Q(0).W(" is not an e-mail address");
      return;
    case FindingKind::GridNoLocator:
      p.W("GRID-LOCATOR: ").Q(0);
      p.W(" is no Maidenhead locator: two letters A-R, two digits, optionally two letters A-X (JN58 or JN58td)");
      return;
    case FindingKind::OperatorsWithCommas:
      p.W("OPERATORS: ").Q(0).W(" separates the calls with commas; Cabrillo separates them with blanks: ").V(1);
      return;
    case FindingKind::OperatorsNoCall:
      p.W("OPERATORS: ").Q(0).W(" is no call sign: it ").V(1);
      return;
    case FindingKind::OffTimeNoBreak:
      p.W("OFFTIME: ").Q(0).W(" is not a break as Cabrillo writes it: YYYY-MM-DD HHMM YYYY-MM-DD HHMM, from and to");
      return;
    case FindingKind::OffTimeBackwards:
      p.W("OFFTIME: ").Q(0).W(" ends before it begins; write the start first");
      return;
    case FindingKind::ClaimedScoreNoNumber:
      p.W("CLAIMED-SCORE: ").Q(0).W(" is no number");
      return;
    case FindingKind::ClaimedScoreWrong:
      p.W("CLAIMED-SCORE: ").V(0).W(" is not ").V(1);
      p.W(entrant ? ", the score of this log's QSOs" : ", the score the plug-in computes from this log");
      return;

    case FindingKind::BeforeStart:
      p.W("QSO at ").V(0).W(" is before the contest's start, ").V(1);
      return;
    case FindingKind::AfterEnd:
      p.W("QSO at ").V(0).W(" is after the contest's end, ").V(1);
      return;
    case FindingKind::NotInTimeOrder:
      p.W("logged after a later QSO (line ").V(0).W(", ").V(1);
      p.W("): the log is not in time order; the replay takes it in time order");
      return;
    case FindingKind::CallNoCall:
      p.W("call ").Q(0).W(" ").V(1);
      return;
    case FindingKind::CallIsOwn:
      p.W("call ").V(0).W(" is the log's own call: a station cannot work itself, and the plug-in scores the QSO; ");
      p.W("correct the call or remove the QSO");
      return;
    case FindingKind::CallLowerCase:
      p.W("call ").Q(0).W(" is in lower case; Cabrillo logs write calls in upper case (replayed as ").V(1).W(")");
      return;
    case FindingKind::OwnCallNotTheOthers:
      p.W("own call ").Q(0).W(" on the QSO line is not ").V(1).W(", the own call of the other QSO lines");
      return;
    case FindingKind::OwnCallNotTheCallsign:
      p.W("own call ").Q(0).W(" on the QSO line is not the CALLSIGN: ").V(1);
      return;
    case FindingKind::RecordOwnCallDiffers:
      p.W(p.Has(wording::kOperator) ? "OPERATOR " : "STATION_CALLSIGN ").Q(0).W(" is not ").V(1);
      p.W(", the own call of the log's other records: the plug-in's Cabrillo file gets ").V(2);
      p.W(" on this QSO line, which the sponsor does not match");
      return;
    case FindingKind::CallIncomplete:
      p.W("call ").Q(0).W(" ends with its digit: the letters after it are missing, and the sponsor cannot match an ");
      p.W("incomplete call; complete it");
      return;
    case FindingKind::CallNotKnown:
      p.V(0).W(" is not in the check-partial list MASTER.SCP: a possible busted call");
      return;
    case FindingKind::SentNotFourDigits:
      p.W("sent serial ").Q(0).W(" is not four digits");
      return;
    case FindingKind::ReceivedNotFourDigits:
      p.W("received exchange ").Q(0).W(" is not four digits");
      if (!entrant) p.W(": the host's exchange check would refuse it; the plug-in does not check exchanges");
      return;
    case FindingKind::SentNotWrittenWithFour:
      p.W("sent serial ").Q(0).W(" is not written with four digits (").V(1).W(")");
      return;
    case FindingKind::ReceivedNotWrittenWithFour:
      p.W("received exchange ").Q(0).W(" is not written with four digits (").V(1).W(")");
      return;
    case FindingKind::OffTheBands:
      p.W("QSO on ").V(0).W(": the contest is on 80 m and 40 m");
      if (p.Has(wording::kCounted)) p.W("; the plug-in's summary counts it all the same");
      return;
    case FindingKind::NoFrequency:
      p.W("no FREQ: the Cabrillo file gets frequency 0 for this QSO; add FREQ in MHz");
      return;
    case FindingKind::FrequencyOnNoBand:
      p.W("FREQ ").V(0).W(" MHz lies on no amateur band; BAND says ").V(1).W(", where the plug-in counts it");
      return;
    case FindingKind::FrequencyOffItsBand:
      p.W("FREQ ").V(0).W(" MHz lies on ").V(1).W(", not on ").V(2).W(" as BAND says: the plug-in counts it on ");
      p.V(2).W(", the Cabrillo file shows ").V(3).W(" kHz");
      return;
    case FindingKind::NoReports: {
      // The plug-in writes the reports as they are: without one, its QSO line lacks a field.
      const bool both = p.Has(wording::kNoSent | wording::kNoReceived, true);
      p.W(both ? "no RST_SENT and no RST_RCVD" : p.Has(wording::kNoSent) ? "no RST_SENT" : "no RST_RCVD");
      p.W(": the plug-in's Cabrillo file gets a QSO line of ").W(both ? "8" : "9");
      p.W(" fields for it instead of 10; add ");
      p.W(both ? "<RST_SENT:3>599 <RST_RCVD:3>599" : p.Has(wording::kNoSent) ? "<RST_SENT:3>599" : "<RST_RCVD:3>599");
      return;
    }
    case FindingKind::Dupe:
      p.W("dupe of line ").V(0).W(" (").V(1).W(" on ").V(2).W("): ");
      if (entrant) {
        p.W("it adds nothing to the score");
      } else {
        p.W("the plug-in stored it as a dupe, it adds nothing to the score; ").ProblemLinesFrom(3);
      }
      return;
    case FindingKind::RejectedForMode:
      p.W("mode ").V(0).W(" is not ").ContestMode().W(", the only mode of this contest");
      // The plug-in tells only the first rule a QSO breaks.
      if (p.Has(wording::kAlso)) p.W(", and an exchange is missing too");
      p.W(": the plug-in rejected the QSO; ").ProblemLinesFrom(1);
      return;
    case FindingKind::RejectedNoExchange:
      p.W(p.Has(wording::kNoSent | wording::kNoReceived, true) ? "no exchange sent or received"
          : p.Has(wording::kNoSent)                              ? "no sent serial"
                                                                 : "no received exchange");
      p.W(": the plug-in rejected the QSO; ").ProblemLinesFrom(0);
      return;
    case FindingKind::Refused:
      p.W("the QSO was refused: the plug-in rejected the QSO; ").ProblemLinesFrom(0);
      return;

    case FindingKind::SerialBreaksCount:
      p.W("sent serial ").V(0).W(" breaks the count from ").V(1).W(" (line ").V(2).W(") to ").V(3).W(" (line ");
      p.V(4).W("): ").V(5).W(" was sent here, most likely; correct it");
      return;
    case FindingKind::SerialSentBefore:
      p.W("sent serial ").V(0).W(" was sent before, at line ").V(1);
      return;
    case FindingKind::SerialLower:
      p.W("sent serial ").V(0).W(" is lower than ").V(1).W(", sent before it at line ").V(2);
      return;
    case FindingKind::SerialNeverSent:
      p.W("sent serial ").V(0).W(" was never sent; this QSO sent ").V(1);
      return;
    case FindingKind::SerialsNeverSent:
      p.W("sent serials ").V(0).W(" to ").V(1).W(" were never sent; this QSO sent ").V(2);
      return;

    case FindingKind::ReadingProblem:
    case FindingKind::EntityNote:
      p.V(0);
      return;
  }
}

std::string FindingText(const Finding& finding, Audience audience) {
  TextWriter out;
  WriteFinding(finding, out, audience);
  return std::move(out.text);
}

std::string NotReplayedReason(const Finding& finding) {
  TextWriter out;
  if (IsReason(finding.kind)) {
    Parts p(finding, out);
    WriteReason(p, finding.kind);
  }
  return std::move(out.text);
}

// The evidence names the other log's line and quotes it, so that an entrant who disputes a
// decision can be shown the very line of the other file. Every value from a log is shown escaped.
#include "check_report.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "calendar.h"
#include "contest_rules.h"
#include "counted.h"
#include "entry_rules.h"
#include "finding_text.h"
#include "shown_text.h"

namespace {

const std::string& SentBy(const CheckedLog& log, const CheckedQso& q) {
  if (q.ownCall.empty()) return log.call;
  return q.ownCall.str();
}

// A line of a log quoted: a tab shows as the blank it stands for, every other control byte as \xHH.
std::string Quoted(std::string_view line) {
  std::string text(line);
  std::replace(text.begin(), text.end(), '\t', ' ');
  return Shown(text);
}

std::string SerialOrNone(InternedText serial) { return serial.empty() ? "no serial" : Shown(serial); }

// The minute a QSO was matched at where its log's clock was corrected.
std::optional<std::int64_t> MatchedMinute(const CheckContext& c, std::size_t log, const CheckedQso& q) {
  if (log >= c.offsets.size() || !c.offsets[log].corrected) return std::nullopt;
  return CorrectedMinute(q, c.offsets[log]);
}

std::string Where(const CheckContext& c, const QsoRef& ref) {
  const CheckedQso& q = c.logs[ref.log].qsos[ref.qso];
  std::string text = "its line " + std::to_string(q.line) + ", " + Shown(q.band) + " " + MinuteText(q.minute);
  if (const std::optional<std::int64_t> corrected = MatchedMinute(c, ref.log, q)) {
    text += " (" + MinuteText(*corrected) + " with its clock corrected)";
  }
  if (c.lineOf) text += ": " + Quoted(c.lineOf(ref.log, ref.qso));
  return text;
}

}  // namespace

std::string EvidenceOf(const CheckContext& c, std::size_t log, std::size_t qso) {
  const CheckedLog& own = c.logs[log];
  const CheckedQso& q = own.qsos[qso];
  const Verdict& v = c.verdicts[log][qso];
  const CheckedLog* other = v.partner ? &c.logs[v.partner->log] : nullptr;
  const CheckedQso* theirs = v.partner ? &other->qsos[v.partner->qso] : nullptr;
  const std::string ours = Shown(SentBy(own, q));
  switch (v.decision) {
    case Decision::Confirmed:
      return "";
    case Decision::WrongSerial:
      return "copied " + SerialOrNone(q.rcvd) + ", but " + Shown(other->call) + " sent " + SerialOrNone(theirs->sent) +
             " (" + Where(c, *v.partner) + ")";
    case Decision::BandMismatch:
      return Shown(other->call) + " logged it on " + Shown(theirs->band) + " (" + Where(c, *v.partner) + "), serials " +
             Shown(theirs->sent) + "/" + Shown(theirs->rcvd) + " matching";
    case Decision::BustedCall: {
      std::string text = "the right call is " + Shown(v.rightCall) + ": it logged " + Shown(theirs->call) + " and sent " +
                         Shown(theirs->sent) + ", received " + Shown(theirs->rcvd) + " (" + Where(c, *v.partner) + ")";
      // Each side busted the other's call: the other log names neither us nor itself rightly.
      if (c.verdicts[v.partner->log][v.partner->qso].decision == Decision::BustedCall) {
        text += "; it busted your call too, both QSOs are removed";
      }
      return text;
    }
    case Decision::NotInLog: {
      if (q.call == SentBy(own, q) || q.call == own.call) return "the log's own call";
      std::string text = Shown(q.call) + " has no QSO with " + ours + " on " + Shown(q.band) + " within " +
                         Counted(static_cast<std::size_t>(c.tolerance), "minute");
      if (!other) return text + "; it has " + ours + " nowhere";
      text += "; nearest: " + Where(c, *v.partner);
      if (v.partnerTaken) {
        const Verdict& back = c.verdicts[v.partner->log][v.partner->qso];
        text +=
            ", which is matched to our line " + std::to_string(c.logs[back.partner->log].qsos[back.partner->qso].line);
      }
      return text;
    }
    case Decision::Unique:
      return Shown(q.call) + " did not submit and is in no other log";
    case Decision::NotSubmitted:
      return Shown(q.call) + " did not submit; " + std::to_string(v.workedBy) +
             (v.workedBy == 1 ? " other log names" : " other logs name") + " it";
    case Decision::WrongMode:
      return "the contest is worked in " + std::string(kContestMode) + " (" + std::string(kCabrilloModeCode) + ") only";
    case Decision::WrongBand: {
      std::string bands;
      for (std::string_view band : kContestBands) bands += (bands.empty() ? "" : " and ") + std::string(band);
      return "the contest is worked on " + bands + " only";
    }
    case Decision::OutsidePeriod:
      return "the QSO lies outside the contest period";
    case Decision::OffEntryBand:
      return "a single-band entry counts its own band only; the QSO still counts for " + Shown(q.call);
  }
  return "";
}

std::string ReportLines(const CheckContext& c, std::size_t log, const LogFile& file) {
  std::string out;
  for (std::size_t i = 0; i < c.logs[log].qsos.size(); ++i) {
    const Verdict& v = c.verdicts[log][i];
    if (v.decision == Decision::Confirmed || v.decision == Decision::NotSubmitted) continue;
    const CheckedQso& q = c.logs[log].qsos[i];
    out += "line " + std::to_string(q.line) + ": ";
    out += Quoted(file.qsos[i].written.text);
    out += " | ";
    out += DecisionName(v.decision);
    out += Kept(v.decision, c.rules) ? ", kept | " : ", removed | ";
    // The mode and the band do not depend on the time; everything else was decided on the
    // corrected one.
    const std::optional<std::int64_t> corrected = MatchedMinute(c, log, q);
    if (corrected && v.decision != Decision::WrongMode && v.decision != Decision::WrongBand) {
      out += "at " + MinuteText(*corrected) + " with your clock corrected: ";
    }
    out += EvidenceOf(c, log, i) + "\n";
  }
  return out;
}

namespace {

// Only these: nearly every QSO names one of another log, and a worker looking at each of a log's
// partners took a cache miss for every one, in a list as long as the contest.
bool LostThroughCall(const Verdict& v) {
  return v.decision == Decision::BustedCall || v.decision == Decision::WrongSerial ||
         v.decision == Decision::NotInLog;
}

}  // namespace

std::vector<std::vector<QsoRef>> PointingAt(const std::vector<CheckedLog>& logs, const CrossCheckResult& checked) {
  const std::vector<std::vector<Verdict>>& verdicts = checked.verdicts;
  // The log whose call lost a QSO its own, or none.
  auto named = [&](std::uint32_t l, std::uint32_t q) -> std::optional<std::uint32_t> {
    const Verdict& v = verdicts[l][q];
    if (!LostThroughCall(v)) return std::nullopt;
    if (v.partner) return v.partner->log != l ? std::optional(v.partner->log) : std::nullopt;
    if (v.decision != Decision::NotInLog) return std::nullopt;
    const std::optional<std::uint32_t> holder = checked.HolderOf(logs[l].qsos[q].call);
    return holder != l ? holder : std::nullopt;
  };
  // Counted first: grown vectors would hold up to twice as many.
  std::vector<std::size_t> counts(verdicts.size(), 0);
  for (std::uint32_t l = 0; l < verdicts.size(); ++l) {
    for (std::uint32_t q = 0; q < verdicts[l].size(); ++q) {
      if (const std::optional<std::uint32_t> at = named(l, q)) ++counts[*at];
    }
  }
  std::vector<std::vector<QsoRef>> at(verdicts.size());
  for (std::size_t l = 0; l < verdicts.size(); ++l) at[l].reserve(counts[l]);
  for (std::uint32_t l = 0; l < verdicts.size(); ++l) {
    for (std::uint32_t q = 0; q < verdicts[l].size(); ++q) {
      if (const std::optional<std::uint32_t> log = named(l, q)) at[*log].push_back({l, q});
    }
  }
  return at;
}

std::string DoneToUs(const CheckContext& c, std::size_t log) {
  std::map<std::pair<std::string, std::size_t>, std::string> lines;  // by their call and line
  const std::vector<QsoRef>& refs = c.pointingAt.at(log);
  // Each QSO lies in another log, anywhere in memory: fetched in a loop that does nothing else,
  // they are fetched side by side, not each after the text of the one before.
  std::vector<std::pair<Verdict, CheckedQso>> pointing;
  pointing.reserve(refs.size());
  for (const QsoRef& ref : refs) pointing.emplace_back(c.verdicts[ref.log][ref.qso], c.logs[ref.log].qsos[ref.qso]);
  for (std::size_t k = 0; k < refs.size(); ++k) {
    const std::size_t l = refs[k].log, q = refs[k].qso;
    const Verdict& v = pointing[k].first;
    const CheckedQso& theirs = pointing[k].second;
    const CheckedQso* ours = v.partner ? &c.logs[log].qsos[v.partner->qso] : nullptr;
    std::string what;
    if (v.decision == Decision::BustedCall) {
      what = "busted your call as " + Shown(theirs.call) + " (your line " + std::to_string(ours->line) + ")";
    } else if (v.decision == Decision::WrongSerial) {
      if (ours->sent.empty()) {
        what = "copied " + Shown(theirs.rcvd) + " where your line sends no serial";
      } else if (theirs.rcvd.empty()) {
        what = "copied no serial where you sent " + Shown(ours->sent);
      } else {
        what = "copied your serial " + Shown(ours->sent) + " as " + Shown(theirs.rcvd);
      }
      what += " (your line " + std::to_string(ours->line) + ")";
    } else if (v.decision == Decision::NotInLog) {
      what = "has you as not in log; " +
             (ours ? "the nearest QSO of yours is your line " + std::to_string(ours->line)
                   : std::string("your log has no QSO with ") + Shown(SentBy(c.logs[l], theirs)));
    } else {
      continue;
    }
    std::string text = Shown(c.logs[l].call) + " line " + std::to_string(theirs.line);
    if (const std::optional<std::int64_t> corrected = MatchedMinute(c, l, theirs)) {
      text += " (" + MinuteText(*corrected) + " with its clock corrected)";
    }
    if (c.lineOf) text += ": " + Quoted(c.lineOf(l, q));
    lines[{c.logs[l].call, theirs.line}] = text + " | " + what + "\n";
  }
  std::string out;
  for (const auto& [key, text] : lines) out += text;
  return out;
}

namespace {

// By kind alone, whatever a text says: the refused QSOs, the QSOs off the bands, the own call
// worked and a score past 32 bits are the cross-check's own lines; CATEGORY-BAND ALL is no fault
// for the sponsor; the rest left out tell what the plug-in makes of a log (the Cabrillo file it
// writes from an ADIF log, a log it is not run for).
bool ShownToEntrant(FindingKind kind) {
  switch (kind) {
    case FindingKind::NoQsoRead:
    case FindingKind::OnlyExcludedQsos:
    case FindingKind::NoQso:
    case FindingKind::NoQsoInContestMode:
    case FindingKind::NoQsoCounts:
    case FindingKind::ScoreBeyond32Bits:
    case FindingKind::CategoryBandAll:
    case FindingKind::CallIsOwn:
    case FindingKind::RecordOwnCallDiffers:
    case FindingKind::OffTheBands:
    case FindingKind::FrequencyOnNoBand:
    case FindingKind::FrequencyOffItsBand:
    case FindingKind::NoReports:
    case FindingKind::RejectedForMode:
    case FindingKind::RejectedNoExchange:
    case FindingKind::Refused:
      return false;
    case FindingKind::LineAfterEnd:
    case FindingKind::StartNotFirst:
    case FindingKind::NoStartOfLog:
    case FindingKind::TagMissing:
    case FindingKind::TagAgainSameValue:
    case FindingKind::TagAgainOtherValue:
    case FindingKind::UnknownTag:
    case FindingKind::TagAfterQsos:
    case FindingKind::TagTooOften:
    case FindingKind::VersionNotThree:
    case FindingKind::ContestOther:
    case FindingKind::CallsignEmpty:
    case FindingKind::CallsignNoCall:
    case FindingKind::CallsignNotTheLines:
    case FindingKind::NotAContestValue:
    case FindingKind::NotAnyValue:
    case FindingKind::NotAFormatValue:
    case FindingKind::NotAscii:
    case FindingKind::TooLong:
    case FindingKind::EmailEmpty:
    case FindingKind::EmailNoAddress:
    case FindingKind::GridNoLocator:
    case FindingKind::OperatorsWithCommas:
    case FindingKind::OperatorsNoCall:
    case FindingKind::OffTimeNoBreak:
    case FindingKind::OffTimeBackwards:
    case FindingKind::ClaimedScoreNoNumber:
    case FindingKind::ClaimedScoreWrong:
    case FindingKind::BeforeStart:
    case FindingKind::AfterEnd:
    case FindingKind::NotInTimeOrder:
    case FindingKind::CallNoCall:
    case FindingKind::CallLowerCase:
    case FindingKind::OwnCallNotTheOthers:
    case FindingKind::OwnCallNotTheCallsign:
    case FindingKind::CallIncomplete:
    case FindingKind::CallNotKnown:
    case FindingKind::SentNotFourDigits:
    case FindingKind::ReceivedNotFourDigits:
    case FindingKind::SentNotWrittenWithFour:
    case FindingKind::ReceivedNotWrittenWithFour:
    case FindingKind::NoFrequency:
    case FindingKind::Dupe:
    case FindingKind::SerialBreaksCount:
    case FindingKind::SerialSentBefore:
    case FindingKind::SerialLower:
    case FindingKind::SerialNeverSent:
    case FindingKind::SerialsNeverSent:
    case FindingKind::ReadingProblem:
    case FindingKind::EntityNote:
      return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> EntrantFinding(const Finding& finding) {
  if (!ShownToEntrant(finding.kind)) return std::nullopt;
  return std::string(SeverityName(finding.severity)) + " line " + std::to_string(finding.line) + ": " +
         FindingText(finding, Audience::Entrant);
}

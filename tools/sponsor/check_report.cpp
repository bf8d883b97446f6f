// The evidence names the other log's line and quotes it, so that an entrant who disputes a
// decision can be shown the very line of the other file. Every value from a log is shown escaped.
#include "check_report.h"

#include <map>
#include <optional>

#include "calendar.h"
#include "contest_rules.h"
#include "shown_text.h"

namespace {

const std::string& SentBy(const CheckedLog& log, const CheckedQso& q) {
  if (q.ownCall.empty()) return log.call;
  return q.ownCall.str();
}

std::string Where(const CheckContext& c, const QsoRef& ref) {
  const CheckedQso& q = c.logs[ref.log].qsos[ref.qso];
  std::string text = "its line " + std::to_string(q.line) + ", " + Shown(q.band) + " " + MinuteText(q.minute);
  if (c.lineOf) text += ": " + Shown(c.lineOf(ref.log, ref.qso));
  return text;
}

bool Replace(std::string& text, std::string_view what, std::string_view by) {
  const std::size_t at = text.find(what);
  if (at == std::string::npos) return false;
  text.replace(at, what.size(), by);
  return true;
}

void CutFrom(std::string& text, std::string_view what) {
  const std::size_t at = text.find(what);
  if (at != std::string::npos) text.erase(at);
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
      return "copied " + Shown(q.rcvd) + ", but " + Shown(other->call) + " sent " + Shown(theirs->sent) + " (" +
             Where(c, *v.partner) + ")";
    case Decision::BandMismatch:
      return Shown(other->call) + " logged it on " + Shown(theirs->band) + " (" + Where(c, *v.partner) + "), serials " +
             Shown(theirs->sent) + "/" + Shown(theirs->rcvd) + " matching";
    case Decision::BustedCall:
      return "the right call is " + Shown(v.rightCall) + ": it logged " + ours + " and sent " + Shown(theirs->sent) +
             ", received " + Shown(theirs->rcvd) + " (" + Where(c, *v.partner) + ")";
    case Decision::NotInLog: {
      if (q.call == SentBy(own, q) || q.call == own.call) return "the log's own call";
      std::string text = Shown(q.call) + " has no QSO with " + ours + " on " + Shown(q.band) + " within " +
                         std::to_string(c.tolerance) + " minutes";
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
    const std::size_t line = c.logs[log].qsos[i].line;
    out += "line " + std::to_string(line) + ": ";
    out += Shown(file.qsos[i].written.text);
    out += " | ";
    out += DecisionName(v.decision);
    out += Kept(v.decision, c.rules) ? ", kept | " : ", removed | ";
    out += EvidenceOf(c, log, i) + "\n";
  }
  return out;
}

namespace {

// Only these: nearly every QSO names one of another log, and a worker looking at each of a log's
// partners took a cache miss for every one, in a list as long as the contest.
bool LostThroughUs(const Verdict& v) {
  return v.decision == Decision::BustedCall || v.decision == Decision::WrongSerial ||
         v.decision == Decision::NotInLog;
}

}  // namespace

std::vector<std::vector<QsoRef>> PointingAt(const std::vector<std::vector<Verdict>>& verdicts) {
  // Counted first: grown vectors would hold up to twice the refs.
  std::vector<std::size_t> counts(verdicts.size(), 0);
  for (std::size_t l = 0; l < verdicts.size(); ++l) {
    for (const Verdict& v : verdicts[l]) {
      if (v.partner && v.partner->log != l && LostThroughUs(v)) ++counts[v.partner->log];
    }
  }
  std::vector<std::vector<QsoRef>> at(verdicts.size());
  for (std::size_t l = 0; l < verdicts.size(); ++l) at[l].reserve(counts[l]);
  for (std::uint32_t l = 0; l < verdicts.size(); ++l) {
    for (std::uint32_t q = 0; q < verdicts[l].size(); ++q) {
      const Verdict& v = verdicts[l][q];
      if (v.partner && v.partner->log != l && LostThroughUs(v)) at[v.partner->log].push_back({l, q});
    }
  }
  return at;
}

std::string DoneToUs(const CheckContext& c, std::size_t log) {
  std::map<std::pair<std::string, std::size_t>, std::string> lines;  // by their call and line
  const std::vector<QsoRef> all = c.pointingAt.empty() ? PointingAt(c.verdicts)[log] : std::vector<QsoRef>{};
  const std::vector<QsoRef>& refs = c.pointingAt.empty() ? all : c.pointingAt[log];
  // Each QSO lies in another log, anywhere in memory: fetched in a loop that does nothing else,
  // they are fetched side by side, not each after the text of the one before.
  std::vector<std::pair<Verdict, CheckedQso>> pointing;
  pointing.reserve(refs.size());
  for (const QsoRef& ref : refs) pointing.emplace_back(c.verdicts[ref.log][ref.qso], c.logs[ref.log].qsos[ref.qso]);
  for (std::size_t k = 0; k < refs.size(); ++k) {
    const std::size_t l = refs[k].log, q = refs[k].qso;
    {
      const Verdict& v = pointing[k].first;
      const CheckedQso& theirs = pointing[k].second;
      const CheckedQso& ours = c.logs[log].qsos[v.partner->qso];
      std::string what;
      if (v.decision == Decision::BustedCall) {
        what = "busted your call as " + Shown(theirs.call) + " (your line " + std::to_string(ours.line) + ")";
      } else if (v.decision == Decision::WrongSerial) {
        what = "copied your serial " + Shown(ours.sent) + " as " + Shown(theirs.rcvd) + " (your line " +
               std::to_string(ours.line) + ")";
      } else if (v.decision == Decision::NotInLog) {
        what = "has you as not in log; the nearest QSO of yours is your line " + std::to_string(ours.line);
      } else {
        continue;
      }
      std::string text = Shown(c.logs[l].call) + " line " + std::to_string(theirs.line);
      if (c.lineOf) text += ": " + Shown(c.lineOf(l, q));
      lines[{c.logs[l].call, theirs.line}] = text + " | " + what + "\n";
    }
  }
  std::string out;
  for (const auto& [key, text] : lines) out += text;
  return out;
}

std::optional<std::string> EntrantFinding(const Finding& finding) {
  std::string text = finding.text.str();
  if (text.find("the plug-in rejected the QSO") != std::string::npos) return std::nullopt;
  if (text.find("32-bit arithmetic") != std::string::npos) return std::nullopt;
  if (text.starts_with("CATEGORY-BAND: 'ALL'") || text.starts_with("CATEGORY-BAND: 'all'")) return std::nullopt;
  if (text.starts_with("QSO on ") && text.find("the contest is on 80 m and 40 m") != std::string::npos) {
    return std::nullopt;  // the cross-check's own line says it
  }
  CutFrom(text, "; err.txt got");
  CutFrom(text, ": the host's exchange check would refuse it");
  CutFrom(text, "; the plug-in's summary counts it all the same");
  Replace(text, "the plug-in stored it as a dupe, it adds nothing to the score", "it adds nothing to the score");
  Replace(text, ", the score the plug-in computes from this log", ", the score of this log's QSOs");
  if (text.find("plug-in") != std::string::npos || text.find("err.txt") != std::string::npos) return std::nullopt;
  return std::string(SeverityName(finding.severity)) + " line " + std::to_string(finding.line) + ": " + Shown(text);
}

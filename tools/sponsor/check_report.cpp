// The evidence names the other log's line, so that an entrant who disputes a decision can be
// shown the very line of the other file.
#include "check_report.h"

#include "calendar.h"

namespace {

std::string Where(const CheckedQso& q) {
  return "its line " + std::to_string(q.line) + ", " + q.band + " " + MinuteText(q.minute);
}

}  // namespace

std::string EvidenceOf(const CheckContext& c, std::size_t log, std::size_t qso) {
  const CheckedLog& own = c.logs[log];
  const CheckedQso& q = own.qsos[qso];
  const Verdict& v = c.verdicts[log][qso];
  const CheckedLog* other = v.partner ? &c.logs[v.partner->log] : nullptr;
  const CheckedQso* theirs = v.partner ? &other->qsos[v.partner->qso] : nullptr;
  switch (v.decision) {
    case Decision::Confirmed:
      return "";
    case Decision::WrongSerial:
      return "copied " + q.rcvd + ", but " + other->call + " sent " + theirs->sent + " (" + Where(*theirs) + ")";
    case Decision::BandMismatch:
      return other->call + " logged it on " + theirs->band + " (" + Where(*theirs) + "), serials " + theirs->sent +
             "/" + theirs->rcvd + " matching";
    case Decision::BustedCall:
      return "the right call is " + v.rightCall + ": it logged " + own.call + " (" + Where(*theirs) + ") and sent " +
             theirs->sent + ", received " + theirs->rcvd;
    case Decision::NotInLog: {
      if (q.call == own.call) return "the log's own call";
      std::string text = q.call + " has no QSO with " + own.call + " on " + q.band + " within " +
                         std::to_string(c.tolerance) + " minutes";
      if (!other) return text + "; it has " + own.call + " nowhere";
      text += "; nearest: " + Where(*theirs);
      if (v.partnerTaken) {
        const Verdict& back = c.verdicts[v.partner->log][v.partner->qso];
        text +=
            ", which is matched to our line " + std::to_string(c.logs[back.partner->log].qsos[back.partner->qso].line);
      }
      return text;
    }
    case Decision::Unique:
      return q.call + " did not submit and is in no other log";
    case Decision::NotSubmitted:
      return q.call + " did not submit; " + std::to_string(v.workedBy) +
             (v.workedBy == 1 ? " other log names" : " other logs name") + " it";
  }
  return "";
}

std::string ReportLines(const CheckContext& c, std::size_t log, const LogFile& file) {
  std::string out;
  for (std::size_t i = 0; i < c.logs[log].qsos.size(); ++i) {
    const Verdict& v = c.verdicts[log][i];
    if (v.decision == Decision::Confirmed) continue;
    const std::size_t line = c.logs[log].qsos[i].line;
    out += "line " + std::to_string(line) + ": ";
    out += file.qsos[i].written.text;
    out += " | ";
    out += DecisionName(v.decision);
    out += Kept(v.decision, c.rules) ? ", kept | " : ", removed | ";
    out += EvidenceOf(c, log, i) + "\n";
  }
  return out;
}

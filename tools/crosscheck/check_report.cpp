// The evidence names the other log's line, so that an entrant who disputes a decision can be
// shown the very line of the other file.
#include "check_report.h"

#include <cstdio>

namespace {

// The civil date of a day number counted from 1970-01-01 (the inverse of the usual formula).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::string Where(const CheckedQso& q) {
  return "its line " + std::to_string(q.line) + ", " + q.band + " " + MinuteText(q.minute);
}

// The text lines of a file, without their line ends; line n at index n - 1.
std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t from = 0; from <= text.size();) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    from = end + 1;
  }
  return lines;
}

}  // namespace

std::string MinuteText(std::int64_t minute) {
  // 25,569 days from 1899-12-30 to 1970-01-01; floor division keeps times before either right.
  const std::int64_t days = (minute >= 0 ? minute : minute - 1439) / 1440;
  const std::int64_t ofDay = minute - days * 1440;
  int year = 0, month = 0, day = 0;
  CivilFromDays(days - 25569, year, month, day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%02d", year, month, day, static_cast<int>(ofDay / 60),
                static_cast<int>(ofDay % 60));
  return text;
}

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

std::string ReportLines(const CheckContext& c, std::size_t log, std::string_view fileText) {
  const std::vector<std::string_view> lines = TextLines(fileText);
  std::string out;
  for (std::size_t i = 0; i < c.logs[log].qsos.size(); ++i) {
    const Verdict& v = c.verdicts[log][i];
    if (v.decision == Decision::Confirmed) continue;
    const std::size_t line = c.logs[log].qsos[i].line;
    out += "line " + std::to_string(line) + ": ";
    out += line >= 1 && line <= lines.size() ? lines[line - 1] : std::string_view();
    out += " | ";
    out += DecisionName(v.decision);
    out += Kept(v.decision, c.rules) ? ", kept | " : ", removed | ";
    out += EvidenceOf(c, log, i) + "\n";
  }
  return out;
}

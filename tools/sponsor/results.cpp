// Texts only: writing them is the program's part. Equal checked scores share a rank (1, 2, 2, 4).
#include "results.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "calendar.h"
#include "counted.h"
#include "penalty_rules.h"
#include "result_tables.h"
#include "shown_text.h"

const std::array<Decision, 9> kRemovingDecisions = {
    Decision::NotInLog,  Decision::BustedCall, Decision::WrongSerial,   Decision::BandMismatch, Decision::Unique,
    Decision::WrongMode, Decision::WrongBand,  Decision::OutsidePeriod, Decision::OffEntryBand};
const std::array<const char*, 9> kRemovingColumns = {"NIL",  "Bust", "Ser",  "Band", "Uniq",
                                                     "Mode", "OffB", "Time", "Entry"};

namespace {

constexpr std::array<const char*, 9> kRemovingCsv = {"not_in_log",       "busted_call",    "wrong_serial",
                                                     "band_mismatch",    "unique",         "wrong_mode",
                                                     "not_contest_band", "outside_period", "off_entry_band"};

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char ch : text) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return quoted + "\"";
}

std::string Percent(std::size_t part, std::size_t whole) {
  char text[16];
  std::snprintf(text, sizeof text, "%5.1f %%",
                whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
  return text;
}

std::string Claimed(const LogResult& r) { return r.claimed ? std::to_string(*r.claimed) : ""; }

std::string TextRow(const std::string& rank, const LogResult& r) {
  char line[320];
  int n =
      std::snprintf(line, sizeof line, "%5s  %-13s %11s %11s %6s %6zu %6zu", rank.c_str(), Shown(r.call).c_str(),
                    Claimed(r).c_str(), std::to_string(r.checked).c_str(), ReductionPercent(r).c_str(), r.qsos, r.kept);
  std::string out(line, static_cast<std::size_t>(std::max(0, std::min<int>(n, sizeof line - 1))));
  for (Decision d : kRemovingDecisions) {
    std::snprintf(line, sizeof line, " %5zu", r.removedBy[static_cast<std::size_t>(d)]);
    out += line;
  }
  std::snprintf(line, sizeof line, " %6lld\n", r.multipliers);
  return out + line;
}

std::string TextHeading() {
  char line[320];
  std::snprintf(line, sizeof line, "%5s  %-13s %11s %11s %6s %6s %6s", "Rank", "Call", "Claimed", "Checked", "Red.%",
                "QSOs", "Kept");
  std::string out = line;
  for (const char* column : kRemovingColumns) {
    std::snprintf(line, sizeof line, " %5s", column);
    out += line;
  }
  return out + "  Mults\n";
}

}  // namespace

std::string ReductionPercent(const LogResult& r) {
  if (!r.claimed || *r.claimed <= 0) return "";
  char text[16];
  std::snprintf(text, sizeof text, "%.1f",
                100.0 * static_cast<double>(*r.claimed - r.checked) / static_cast<double>(*r.claimed));
  return text;
}

std::string ResultsText(const std::vector<LogResult>& results) {
  std::string out;
  for (const RankedTable& table : RankedTables(results)) {
    out += table.title + "\n" + TextHeading();
    for (std::size_t i = 0; i < table.logs.size(); ++i) out += TextRow(std::to_string(table.ranks[i]), *table.logs[i]);
    out += "\n";
  }
  for (auto [title, group] :
       {std::pair{"Entity leaders", &LogResult::entity}, {"Continent leaders", &LogResult::continent}}) {
    out += std::string(title) + "\n";
    for (const LeaderGroup& g : Leaders(results, group)) {
      for (const LogResult* r : g.leaders) {
        char line[200];
        std::snprintf(line, sizeof line, "  %-28s %-13s %11lld\n", Shown(g.name).c_str(), Shown(r->call).c_str(),
                      r->checked);
        out += line;
      }
    }
    out += "\n";
  }
  const std::vector<Club> clubs = Clubs(results);
  if (!clubs.empty()) {
    out += "Clubs (the sum of their members' checked scores)\n";
    for (const Club& club : clubs) {
      char line[240];
      std::snprintf(line, sizeof line, "%5zu  %-32s %5zu %-4s %13lld\n", club.rank, Shown(club.name).c_str(),
                    club.members.size(), club.members.size() == 1 ? "log" : "logs", club.score);
      out += line;
    }
    out += "\n";
  }
  const std::vector<const LogResult*> checklogs = Checklogs(results);
  if (!checklogs.empty()) {
    out += "Checklogs (not ranked)\n";
    for (const LogResult* r : checklogs) out += "  " + Shown(r->call) + "\n";
    out += "\n";
  }
  return out;
}

std::string ResultsCsv(const std::vector<LogResult>& results) {
  const std::vector<Club> clubs = Clubs(results);
  std::map<std::string, std::string> clubNames;  // key: the name the club table shows
  for (const Club& club : clubs) clubNames[club.key] = club.name;
  std::string out = "table,rank,call,claimed_score,checked_score,reduction_percent,qsos,kept,removed";
  for (const char* column : kRemovingCsv) out += std::string(",") + column;
  out += ",multipliers,file,entity,continent,club,logs\n";
  auto row = [&](const std::string& table, const std::string& rank, const LogResult& r, const std::string& logs) {
    out += CsvField(table) + "," + rank + "," + CsvField(Shown(r.call)) + "," + Claimed(r) + "," +
           std::to_string(r.checked) + "," + ReductionPercent(r) + "," + std::to_string(r.qsos) + "," +
           std::to_string(r.kept) + "," + std::to_string(r.removed);
    for (Decision d : kRemovingDecisions) out += "," + std::to_string(r.removedBy[static_cast<std::size_t>(d)]);
    const auto club = clubNames.find(ClubKey(r));
    out += "," + std::to_string(r.multipliers) + "," + CsvField(Shown(r.file.filename().string())) + "," +
           CsvField(Shown(r.entity)) + "," + CsvField(Shown(r.continent)) + "," +
           (club == clubNames.end() ? std::string() : CsvField(Shown(club->second))) + "," + logs + "\n";
  };
  for (const RankedTable& table : RankedTables(results)) {
    for (std::size_t i = 0; i < table.logs.size(); ++i)
      row(table.key, std::to_string(table.ranks[i]), *table.logs[i], "");
  }
  for (const LogResult* r : Checklogs(results)) row("checklog", "", *r, "");
  // Rows of their own kinds after the logs', each told apart by its table: a leader's row is its
  // log's with the count of the group's logs, a club's holds its rank, sum, name and members.
  for (auto [table, group] :
       {std::pair{"entity leader", &LogResult::entity}, {"continent leader", &LogResult::continent}}) {
    for (const LeaderGroup& g : Leaders(results, group)) {
      for (const LogResult* r : g.leaders) row(table, "1", *r, std::to_string(g.logs));
    }
  }
  for (const Club& club : clubs) {
    // Empty from reduction_percent to continent: 4 + 9 + 2 + 2 columns.
    out += "club," + std::to_string(club.rank) + ",,," + std::to_string(club.score) +
           std::string(1 + 4 + 9 + 2 + 2, ',') + CsvField(Shown(club.name)) + "," +
           std::to_string(club.members.size()) + "\n";
  }
  return out;
}

DecisionCounts CountDecisions(const std::vector<std::vector<Verdict>>& verdicts) {
  DecisionCounts counts{};
  for (const std::vector<Verdict>& log : verdicts) {
    for (const Verdict& v : log) ++counts[static_cast<std::size_t>(v.decision)];
  }
  return counts;
}

std::string SummaryText(const SummaryFacts& f) {
  const std::vector<LogResult>& results = f.results;
  std::size_t qsos = 0, removed = 0, checklogs = 0;
  for (const LogResult& r : results) {
    qsos += r.qsos;
    removed += r.removed;
    checklogs += r.checklog;
  }
  const DecisionCounts counts = CountDecisions(f.context.verdicts);
  std::string out = Counted(results.size(), "log") + " cross-checked, " + Counted(qsos, "QSO") + ", " +
                    std::to_string(removed) + " removed; time tolerance " +
                    Counted(static_cast<std::size_t>(f.context.tolerance), "minute") + "\n";
  out += Counted(f.set.filesReceived, "file") + " received: " + Counted(results.size(), "log") + " processed (" +
         Counted(checklogs, "checklog") + "), " + std::to_string(f.set.passedOver.size()) + " passed over\n";
  out += "Contest period " + MinuteText(f.period.start) + " to " + MinuteText(f.period.end) +
         (f.periodFromLogs ? " (the 24 hours holding the most QSOs; --start sets it)\n" : "\n");
  out += "\n";
  char line[160];
  for (std::size_t d = 0; d < kDecisionCount; ++d) {
    const Decision decision = static_cast<Decision>(d);
    std::snprintf(line, sizeof line, "  %-26s %9zu  %s  %s\n", std::string(DecisionName(decision)).c_str(), counts[d],
                  Percent(counts[d], qsos).c_str(), Kept(decision, f.context.rules) ? "kept" : "removed");
    out += line;
  }
  if (f.context.rules.extraPenalty > 0) {
    out += "\nEach QSO not in log or with a busted call also costs " +
           Counted(static_cast<std::size_t>(f.context.rules.extraPenalty), "QSO point") + ".\n";
  }

  // Error rate: the share of a log's QSOs removed.
  constexpr std::array<double, 7> kBounds = {0.0, 1.0, 2.0, 5.0, 10.0, 20.0, 1e9};
  constexpr std::array<const char*, 7> kNames = {"none",      "under 1 %",  "1 to 2 %",     "2 to 5 %",
                                                 "5 to 10 %", "10 to 20 %", "20 % and more"};
  std::array<std::size_t, 7> rates{};
  for (const LogResult& r : results) {
    const double rate = r.qsos ? 100.0 * static_cast<double>(r.removed) / static_cast<double>(r.qsos) : 0.0;
    std::size_t bucket = 0;
    if (r.removed > 0) {
      bucket = 1;
      while (bucket < 6 && rate >= kBounds[bucket]) ++bucket;
    }
    ++rates[bucket];
  }
  out += "\nLogs by the share of their QSOs removed:\n";
  for (std::size_t i = 0; i < rates.size(); ++i) {
    std::snprintf(line, sizeof line, "  %-14s %7zu\n", kNames[i], rates[i]);
    out += line;
  }

  std::vector<const LogResult*> offsets;
  for (const LogResult& r : results) {
    if (r.offset.corrected) offsets.push_back(&r);
  }
  std::sort(offsets.begin(), offsets.end(), [](auto a, auto b) { return a->call < b->call; });
  out += "\nLogs with a clock offset, corrected (" + std::to_string(offsets.size()) + "):\n";
  for (const LogResult* r : offsets) {
    out += "  " + Shown(r->call) + ": " + SignedCounted(r->offset.minutes, "minute") + ", from " +
           Counted(r->offset.evidence, "QSO") + "\n";
  }

  // Uniques per log, and the absent stations by how many logs name them.
  std::vector<std::pair<std::size_t, const LogResult*>> uniques;
  for (const LogResult& r : results) {
    const std::size_t n = r.decisions[static_cast<std::size_t>(Decision::Unique)];
    if (n > 0) uniques.emplace_back(n, &r);
  }
  std::sort(uniques.begin(), uniques.end(),
            [](auto a, auto b) { return a.first != b.first ? a.first > b.first : a.second->call < b.second->call; });
  out += "\nLogs with the most uniques:\n";
  for (std::size_t i = 0; i < uniques.size() && i < 10; ++i) {
    out += "  " + Shown(uniques[i].second->call) + ": " + std::to_string(uniques[i].first) + "\n";
  }
  std::map<std::string, std::size_t> absent;  // call: logs naming it
  for (std::size_t l = 0; l < f.context.logs.size(); ++l) {
    std::map<std::string, bool> seen;
    for (std::size_t q = 0; q < f.context.logs[l].qsos.size(); ++q) {
      const Decision d = f.context.verdicts[l][q].decision;
      if (d == Decision::NotSubmitted || d == Decision::Unique) seen[f.context.logs[l].qsos[q].call] = true;
    }
    for (const auto& [call, yes] : seen) ++absent[call];
  }
  std::vector<std::pair<std::size_t, std::string>> worked;
  for (const auto& [call, n] : absent) worked.emplace_back(n, call);
  std::sort(worked.begin(), worked.end(),
            [](auto a, auto b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
  out += "\nThe most-worked stations that sent no log:\n";
  for (std::size_t i = 0; i < worked.size() && i < 10; ++i) {
    out += "  " + Shown(worked[i].second) + ": in " + Counted(worked[i].first, "log") + "\n";
  }

  if (!f.set.passedOver.empty()) {
    out += "\nFiles passed over:\n";
    for (const PassedOver& p : f.set.passedOver)
      out += "  " + Shown(p.file.filename().string()) + ": " + Shown(p.why) + "\n";
  }
  if (!f.notReported.empty()) {
    out += "\nLogs checked whose report could not be written:\n";
    for (const std::string& why : f.notReported) out += "  " + Shown(why) + "\n";
  }
  return out;
}

void WriteDecisionsCsv(const CheckContext& c, std::ostream& stream) {
  stream << "call,line,decision,kept,right_call,other_call,other_line\n";
  // Ten million rows: each piece is appended in place, each log's call made a field once.
  std::vector<std::string> calls;
  calls.reserve(c.logs.size());
  for (const CheckedLog& log : c.logs) calls.push_back(CsvField(Shown(log.call)));
  std::string out;
  // The partners' lines first, in a loop of their own: each lies in another log, anywhere in
  // memory, and fetched as its row was written each row waited for it (most of the file's time on
  // a contest of ten million QSOs); in a loop that does nothing else they are fetched side by side.
  std::vector<std::size_t> partnerLines;
  for (std::size_t l = 0; l < c.logs.size(); ++l) {
    partnerLines.assign(c.verdicts[l].size(), 0);
    for (std::size_t q = 0; q < partnerLines.size(); ++q) {
      if (const std::optional<QsoRef>& p = c.verdicts[l][q].partner) partnerLines[q] = c.logs[p->log].qsos[p->qso].line;
    }
    for (std::size_t q = 0; q < c.logs[l].qsos.size(); ++q) {
      const Verdict& v = c.verdicts[l][q];
      out += calls[l];
      out += ',';
      out += std::to_string(c.logs[l].qsos[q].line);
      out += ',';
      out += DecisionName(v.decision);
      out += Kept(v.decision, c.rules) ? ",yes," : ",no,";
      if (!v.rightCall.empty()) out += CsvField(Shown(v.rightCall));
      out += ',';
      if (v.partner) {
        out += calls[v.partner->log];
        out += ',';
        out += std::to_string(partnerLines[q]);
      } else {
        out += ',';
      }
      out += '\n';
    }
    if (out.size() > (1 << 20)) {
      stream << out;
      out.clear();
    }
  }
  stream << out;
}

// Texts only: writing them is the program's part. Equal checked scores share a rank (1, 2, 2, 4).
#include "results.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

#include "calendar.h"
#include "categories.h"
#include "contest_rules.h"
#include "host_form.h"
#include "penalty_rules.h"
#include "shown_text.h"

const std::array<Decision, 9> kRemovingDecisions = {
    Decision::NotInLog,  Decision::BustedCall, Decision::WrongSerial,   Decision::BandMismatch, Decision::Unique,
    Decision::WrongMode, Decision::WrongBand,  Decision::OutsidePeriod, Decision::OffEntryBand};

namespace {

constexpr std::array<const char*, 9> kRemovingColumns = {"NIL",  "Bust", "Ser",  "Band", "Uniq",
                                                         "Mode", "OffB", "Time", "Entry"};
constexpr std::array<const char*, 9> kRemovingCsv = {"not_in_log",       "busted_call",    "wrong_serial",
                                                     "band_mismatch",    "unique",         "wrong_mode",
                                                     "not_contest_band", "outside_period", "off_entry_band"};

struct Table {
  std::string title;                   // "Overall", "CATEGORY-POWER LOW"
  std::string key;                     // for the CSV: "overall", "CATEGORY-POWER LOW"
  std::vector<const LogResult*> logs;  // ranked
};

bool Ranked(const LogResult* a, const LogResult* b) {
  return a->checked != b->checked ? a->checked > b->checked : a->call < b->call;
}

// Competition ranks: a log's rank is one more than the logs scoring more.
std::vector<std::size_t> Ranks(const std::vector<const LogResult*>& logs) {
  std::vector<std::size_t> ranks(logs.size());
  for (std::size_t i = 0; i < logs.size(); ++i) {
    ranks[i] = i > 0 && logs[i]->checked == logs[i - 1]->checked ? ranks[i - 1] : i + 1;
  }
  return ranks;
}

// The contest's value a log's field names, in the list's own spelling; "ALL" is both bands.
template <std::size_t N>
std::string ContestValue(const std::array<const char*, N>& values, const std::string& written, bool bands) {
  const std::string value = bands && SameLetters(written, "ALL") ? std::string(categories::kCategoryBand[0]) : written;
  for (const char* v : values) {
    if (SameLetters(v, value)) return v;
  }
  return "";
}

std::vector<Table> Tables(const std::vector<LogResult>& results) {
  std::vector<const LogResult*> entries;
  for (const LogResult& r : results) {
    if (!r.checklog) entries.push_back(&r);
  }
  std::sort(entries.begin(), entries.end(), Ranked);
  std::vector<Table> tables{{"Overall", "overall", entries}};
  auto byField = [&](const char* tag, const auto& values, std::string EntryHeader::*field) {
    for (const char* value : values) {
      Table table{std::string(tag) + " " + value, std::string(tag) + " " + value, {}};
      for (const LogResult* r : entries) {
        if (ContestValue(values, r->header.*field, field == &EntryHeader::categoryBand) == value)
          table.logs.push_back(r);
      }
      if (!table.logs.empty()) tables.push_back(std::move(table));
    }
  };
  byField("CATEGORY-OPERATOR", categories::kCategoryOperator, &EntryHeader::categoryOperator);
  byField("CATEGORY-BAND", categories::kCategoryBand, &EntryHeader::categoryBand);
  byField("CATEGORY-POWER", categories::kCategoryPower, &EntryHeader::categoryPower);
  byField("CATEGORY-ASSISTED", categories::kCategoryAssisted, &EntryHeader::categoryAssisted);
  byField("CATEGORY-TRANSMITTER", categories::kCategoryTransmitter, &EntryHeader::categoryTransmitter);
  byField("CATEGORY-OVERLAY", categories::kCategoryOverlay, &EntryHeader::categoryOverlay);
  return tables;
}

std::vector<const LogResult*> Checklogs(const std::vector<LogResult>& results) {
  std::vector<const LogResult*> logs;
  for (const LogResult& r : results) {
    if (r.checklog) logs.push_back(&r);
  }
  std::sort(logs.begin(), logs.end(), [](auto a, auto b) { return a->call < b->call; });
  return logs;
}

// The leaders of each group (entity, continent): every log with the group's best score.
std::map<std::string, std::vector<const LogResult*>> Leaders(const std::vector<LogResult>& results,
                                                             std::string LogResult::*group) {
  std::map<std::string, std::vector<const LogResult*>> leaders;
  for (const LogResult& r : results) {
    if (r.checklog || (r.*group).empty()) continue;
    std::vector<const LogResult*>& best = leaders[r.*group];
    if (!best.empty() && best.front()->checked > r.checked) continue;
    if (!best.empty() && best.front()->checked < r.checked) best.clear();
    best.push_back(&r);
  }
  for (auto& [name, logs] : leaders) std::sort(logs.begin(), logs.end(), Ranked);
  return leaders;
}

struct Club {
  std::string name;
  std::size_t logs = 0;
  long long score = 0;
};

// Clubs by the sum of their members' checked scores; a club's name is matched without regard to
// case and blanks around it, and shown as its first member (in call order) wrote it.
std::vector<Club> Clubs(const std::vector<LogResult>& results) {
  std::map<std::string, Club> byKey;
  std::vector<const LogResult*> sorted;
  for (const LogResult& r : results) sorted.push_back(&r);
  std::sort(sorted.begin(), sorted.end(), [](auto a, auto b) { return a->call < b->call; });
  for (const LogResult* r : sorted) {
    const std::string key = UpperCase(Trimmed(r->header.club));
    if (r->checklog || key.empty()) continue;
    Club& club = byKey[key];
    if (club.name.empty()) club.name = Trimmed(r->header.club);
    ++club.logs;
    club.score += r->checked;
  }
  std::vector<Club> clubs;
  for (auto& [key, club] : byKey) clubs.push_back(club);
  std::stable_sort(clubs.begin(), clubs.end(), [](const Club& a, const Club& b) { return a.score > b.score; });
  return clubs;
}

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

// How much less the checked score is than the claimed one, in percent; empty without a claim.
std::string Reduction(const LogResult& r) {
  if (!r.claimed || *r.claimed <= 0) return "";
  char text[16];
  std::snprintf(text, sizeof text, "%.1f",
                100.0 * static_cast<double>(*r.claimed - r.checked) / static_cast<double>(*r.claimed));
  return text;
}

std::string Claimed(const LogResult& r) { return r.claimed ? std::to_string(*r.claimed) : ""; }

std::string TextRow(const std::string& rank, const LogResult& r) {
  char line[320];
  int n = std::snprintf(line, sizeof line, "%5s  %-13s %11s %11s %6s %6zu %6zu", rank.c_str(), Shown(r.call).c_str(),
                        Claimed(r).c_str(), std::to_string(r.checked).c_str(), Reduction(r).c_str(), r.qsos, r.kept);
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

std::string Html(const std::string& text) {
  std::string out;
  for (char c : Shown(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

const char* const kPageStyle =
    "<style>body{font:14px/1.4 system-ui,sans-serif;margin:1.5em auto;max-width:1300px;padding:0 1em;color:#222}"
    "table{border-collapse:collapse;margin:.5em 0}th,td{border:1px solid #ccc;padding:2px 7px;text-align:right}"
    "th{background:#f0f0f0}td.t,th.t{text-align:left}h2{font-size:1.15em;border-bottom:1px solid #ccc;margin-top:1.6em}"
    "pre{background:#f8f8f8;padding:.6em;overflow:auto}tr.hidden{display:none}#script-errors:empty{display:none}"
    "#script-errors{color:#b00020}</style>\n"
    "<script>window.onerror=function(m,s,l){var i=document.createElement('li');i.textContent=m+' ('+(s||'page')+':'"
    "+l+')';document.getElementById('script-errors').appendChild(i);};</script>\n";

}  // namespace

std::string ResultsText(const std::vector<LogResult>& results) {
  std::string out;
  for (const Table& table : Tables(results)) {
    out += table.title + "\n" + TextHeading();
    const std::vector<std::size_t> ranks = Ranks(table.logs);
    for (std::size_t i = 0; i < table.logs.size(); ++i) out += TextRow(std::to_string(ranks[i]), *table.logs[i]);
    out += "\n";
  }
  for (auto [title, group] :
       {std::pair{"Entity leaders", &LogResult::entity}, {"Continent leaders", &LogResult::continent}}) {
    out += std::string(title) + "\n";
    for (const auto& [name, logs] : Leaders(results, group)) {
      for (const LogResult* r : logs) {
        char line[200];
        std::snprintf(line, sizeof line, "  %-28s %-13s %11lld\n", Shown(name).c_str(), Shown(r->call).c_str(),
                      r->checked);
        out += line;
      }
    }
    out += "\n";
  }
  const std::vector<Club> clubs = Clubs(results);
  if (!clubs.empty()) {
    out += "Clubs (the sum of their members' checked scores)\n";
    for (std::size_t i = 0; i < clubs.size(); ++i) {
      const std::size_t rank = i > 0 && clubs[i].score == clubs[i - 1].score ? 0 : i + 1;
      char line[240];
      std::snprintf(line, sizeof line, "%5s  %-32s %5zu logs %13lld\n", rank ? std::to_string(rank).c_str() : "=",
                    Shown(clubs[i].name).c_str(), clubs[i].logs, clubs[i].score);
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
  std::string out = "table,rank,call,claimed_score,checked_score,reduction_percent,qsos,kept,removed";
  for (const char* column : kRemovingCsv) out += std::string(",") + column;
  out += ",multipliers,file\n";
  auto row = [&](const std::string& table, const std::string& rank, const LogResult& r) {
    out += CsvField(table) + "," + rank + "," + CsvField(Shown(r.call)) + "," + Claimed(r) + "," +
           std::to_string(r.checked) + "," + Reduction(r) + "," + std::to_string(r.qsos) + "," +
           std::to_string(r.kept) + "," + std::to_string(r.removed);
    for (Decision d : kRemovingDecisions) out += "," + std::to_string(r.removedBy[static_cast<std::size_t>(d)]);
    out += "," + std::to_string(r.multipliers) + "," + CsvField(Shown(r.file.filename().string())) + "\n";
  };
  for (const Table& table : Tables(results)) {
    const std::vector<std::size_t> ranks = Ranks(table.logs);
    for (std::size_t i = 0; i < table.logs.size(); ++i) row(table.key, std::to_string(ranks[i]), *table.logs[i]);
  }
  for (const LogResult* r : Checklogs(results)) row("checklog", "", *r);
  return out;
}

std::string ResultsPage(const std::vector<LogResult>& results, const std::string& summaryText) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" +
                     std::string(kContestName) + " results</title>\n" + kPageStyle + "</head><body>\n" +
                     "<ul id=\"script-errors\"></ul>\n<h1>" + std::string(kContestName) + " results</h1>\n" +
                     "<p><label>Find a call: <input id=\"find\" type=\"search\"></label></p>\n";
  auto link = [](const LogResult& r) {
    return "<a href=\"stations/" + Html(r.reportName) + ".html\">" + Html(r.call) + "</a>";
  };
  std::size_t id = 0;
  for (const Table& table : Tables(results)) {
    page += "<h2>" + Html(table.title) + "</h2>\n<table class=\"ranked\" id=\"t" + std::to_string(id++) +
            "\"><thead><tr><th>Rank</th><th class=\"t\">Call</th><th>Claimed</th><th>Checked</th><th>Red. %</th>"
            "<th>QSOs</th><th>Kept</th>";
    for (const char* column : kRemovingColumns) page += std::string("<th>") + column + "</th>";
    page += "<th>Mults</th></tr></thead><tbody>\n";
    const std::vector<std::size_t> ranks = Ranks(table.logs);
    for (std::size_t i = 0; i < table.logs.size(); ++i) {
      const LogResult& r = *table.logs[i];
      page += "<tr data-call=\"" + Html(r.call) + "\"><td>" + std::to_string(ranks[i]) + "</td><td class=\"t\">" +
              link(r) + "</td><td>" + Claimed(r) + "</td><td>" + std::to_string(r.checked) + "</td><td>" +
              Reduction(r) + "</td><td>" + std::to_string(r.qsos) + "</td><td>" + std::to_string(r.kept) + "</td>";
      for (Decision d : kRemovingDecisions) {
        page += "<td>" + std::to_string(r.removedBy[static_cast<std::size_t>(d)]) + "</td>";
      }
      page += "<td>" + std::to_string(r.multipliers) + "</td></tr>\n";
    }
    page += "</tbody></table>\n";
  }
  for (auto [title, group] :
       {std::pair{"Entity leaders", &LogResult::entity}, {"Continent leaders", &LogResult::continent}}) {
    page += "<h2>" + std::string(title) + "</h2>\n<table><tbody>\n";
    for (const auto& [name, logs] : Leaders(results, group)) {
      for (const LogResult* r : logs) {
        page += "<tr><td class=\"t\">" + Html(name) + "</td><td class=\"t\">" + link(*r) + "</td><td>" +
                std::to_string(r->checked) + "</td></tr>\n";
      }
    }
    page += "</tbody></table>\n";
  }
  const std::vector<Club> clubs = Clubs(results);
  if (!clubs.empty()) {
    page +=
        "<h2>Clubs</h2>\n<table><thead><tr><th class=\"t\">Club</th><th>Logs</th><th>Score</th></tr></thead><tbody>\n";
    for (const Club& club : clubs) {
      page += "<tr><td class=\"t\">" + Html(club.name) + "</td><td>" + std::to_string(club.logs) + "</td><td>" +
              std::to_string(club.score) + "</td></tr>\n";
    }
    page += "</tbody></table>\n";
  }
  const std::vector<const LogResult*> checklogs = Checklogs(results);
  if (!checklogs.empty()) {
    page += "<h2>Checklogs (not ranked)</h2>\n<p>";
    for (const LogResult* r : checklogs) page += link(*r) + " ";
    page += "</p>\n";
  }
  page += "<h2>Checking summary</h2>\n<pre>" + Html(summaryText) + "</pre>\n";
  page +=
      "<script>\n"
      "// Rows whose call does not start with what is typed are hidden.\n"
      "document.getElementById('find').addEventListener('input', function (e) {\n"
      "  var typed = e.target.value.trim().toUpperCase();\n"
      "  document.querySelectorAll('table.ranked tbody tr').forEach(function (row) {\n"
      "    row.classList.toggle('hidden', typed !== '' && row.dataset.call.indexOf(typed) !== 0);\n"
      "  });\n"
      "});\n"
      "document.body.setAttribute('data-rendered', 'yes');\n"
      "</script>\n</body></html>\n";
  return page;
}

std::string StationPage(const LogResult& r, const std::string& reportText) {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + Html(r.call) + " — " +
         std::string(kContestName) + " check</title>\n" + kPageStyle +
         "</head><body>\n<ul id=\"script-errors\"></ul>\n" + "<p><a href=\"../index.html\">All results</a></p>\n<h1>" +
         Html(r.call) + "</h1>\n<p>Claimed " + (r.claimed ? std::to_string(*r.claimed) : std::string("—")) +
         ", checked " + std::to_string(r.checked) + (r.checklog ? " (checklog, not ranked)" : "") + "</p>\n<pre>" +
         Html(reportText) +
         "</pre>\n<script>document.body.setAttribute('data-rendered', 'yes');</script>\n</body></html>\n";
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
  std::string out = std::to_string(results.size()) + " logs cross-checked, " + std::to_string(qsos) + " QSOs, " +
                    std::to_string(removed) + " removed; time tolerance " + std::to_string(f.context.tolerance) +
                    " minutes\n";
  out += std::to_string(f.set.filesReceived) + " files received: " + std::to_string(results.size()) +
         " logs processed (" + std::to_string(checklogs) + " checklogs), " + std::to_string(f.set.passedOver.size()) +
         " passed over\n";
  out += "Contest period " + MinuteText(f.period.start) + " to " + MinuteText(f.period.end) +
         (f.period.fromLogs ? " (the 24 hours holding the most QSOs; --start sets it)\n" : "\n");
  out += "\n";
  char line[160];
  for (std::size_t d = 0; d < kDecisionCount; ++d) {
    const Decision decision = static_cast<Decision>(d);
    std::snprintf(line, sizeof line, "  %-26s %9zu  %s  %s\n", std::string(DecisionName(decision)).c_str(), counts[d],
                  Percent(counts[d], qsos).c_str(), Kept(decision, f.context.rules) ? "kept" : "removed");
    out += line;
  }
  if (f.context.rules.extraPenalty > 0) {
    out += "\nEach QSO not in log or with a busted call also costs " + std::to_string(f.context.rules.extraPenalty) +
           " QSO point" + (f.context.rules.extraPenalty == 1 ? "" : "s") + ".\n";
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
    out += "  " + Shown(r->call) + ": " + (r->offset.minutes > 0 ? "+" : "") + std::to_string(r->offset.minutes) +
           " minutes, from " + std::to_string(r->offset.evidence) + " QSOs\n";
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
    out += "  " + Shown(worked[i].second) + ": in " + std::to_string(worked[i].first) + " logs\n";
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

// Texts only: writing them is the program's part.
#include "results.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// Category name to its logs, ranked.
std::map<std::string, std::vector<const LogResult*>> Ranked(const std::vector<LogResult>& results) {
  std::map<std::string, std::vector<const LogResult*>> byCategory;
  for (const LogResult& r : results) byCategory[r.category].push_back(&r);
  for (auto& [category, logs] : byCategory) {
    std::sort(logs.begin(), logs.end(), [](const LogResult* a, const LogResult* b) {
      return a->checked != b->checked ? a->checked > b->checked : a->call < b->call;
    });
  }
  return byCategory;
}

// The empty category sorts first in a map; the tables show it last.
template <typename Visit>
void InTableOrder(const std::map<std::string, std::vector<const LogResult*>>& ranked, Visit visit) {
  for (const auto& [category, logs] : ranked) {
    if (!category.empty()) visit(category, logs);
  }
  if (auto none = ranked.find(""); none != ranked.end()) visit(none->first, none->second);
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

}  // namespace

std::string ResultsText(const std::vector<LogResult>& results) {
  std::string out;
  InTableOrder(Ranked(results), [&](const std::string& category, const std::vector<const LogResult*>& logs) {
    out += (category.empty() ? std::string("(no CATEGORY-OPERATOR)") : category) + "\n";
    char line[160];
    std::snprintf(line, sizeof line, "%5s  %-13s %10s %10s %6s %6s %8s\n", "Rank", "Call", "Claimed", "Checked", "QSOs",
                  "Kept", "Removed");
    out += line;
    for (std::size_t i = 0; i < logs.size(); ++i) {
      const LogResult& r = *logs[i];
      std::snprintf(line, sizeof line, "%5zu  %-13s %10lld %10lld %6zu %6zu %8zu\n", i + 1, r.call.c_str(), r.claimed,
                    r.checked, r.qsos, r.kept, r.removed);
      out += line;
    }
    out += "\n";
  });
  return out;
}

std::string ResultsCsv(const std::vector<LogResult>& results) {
  std::string out = "category,rank,call,claimed_score,checked_score,qsos,kept,removed,file\n";
  InTableOrder(Ranked(results), [&](const std::string& category, const std::vector<const LogResult*>& logs) {
    for (std::size_t i = 0; i < logs.size(); ++i) {
      const LogResult& r = *logs[i];
      out += CsvField(category) + "," + std::to_string(i + 1) + "," + CsvField(r.call) + "," +
             std::to_string(r.claimed) + "," + std::to_string(r.checked) + "," + std::to_string(r.qsos) + "," +
             std::to_string(r.kept) + "," + std::to_string(r.removed) + "," + CsvField(r.file.filename().string()) +
             "\n";
    }
  });
  return out;
}

DecisionCounts CountDecisions(const std::vector<std::vector<Verdict>>& verdicts) {
  DecisionCounts counts{};
  for (const std::vector<Verdict>& log : verdicts) {
    for (const Verdict& v : log) ++counts[static_cast<std::size_t>(v.decision)];
  }
  return counts;
}

std::string SummaryText(const LogSet& set, const std::vector<LogResult>& results, const DecisionCounts& counts,
                        const PenaltyRules& rules, int tolerance) {
  std::size_t qsos = 0, removed = 0;
  for (const LogResult& r : results) {
    qsos += r.qsos;
    removed += r.removed;
  }
  std::string out = std::to_string(results.size()) + " logs cross-checked, " + std::to_string(qsos) + " QSOs, " +
                    std::to_string(removed) + " removed; time tolerance " + std::to_string(tolerance) + " minutes\n\n";
  char line[96];
  for (std::size_t d = 0; d < kDecisionCount; ++d) {
    const Decision decision = static_cast<Decision>(d);
    std::snprintf(line, sizeof line, "  %-22s %9zu  %s  %s\n", std::string(DecisionName(decision)).c_str(), counts[d],
                  Percent(counts[d], qsos).c_str(), Kept(decision, rules) ? "kept" : "removed");
    out += line;
  }
  if (rules.extraPenalty > 0) {
    out += "\nEach QSO not in log or with a busted call also costs " + std::to_string(rules.extraPenalty) +
           " QSO point" + (rules.extraPenalty == 1 ? "" : "s") + ".\n";
  }
  if (!set.passedOver.empty()) {
    out += "\nFiles passed over:\n";
    for (const PassedOver& p : set.passedOver) out += "  " + p.file.filename().string() + ": " + p.why + "\n";
  }
  return out;
}

std::string DecisionsCsv(const CheckContext& c) {
  std::string out = "call,line,decision,kept,right_call,other_call,other_line\n";
  for (std::size_t l = 0; l < c.logs.size(); ++l) {
    for (std::size_t q = 0; q < c.logs[l].qsos.size(); ++q) {
      const Verdict& v = c.verdicts[l][q];
      out += CsvField(c.logs[l].call) + "," + std::to_string(c.logs[l].qsos[q].line) + "," +
             std::string(DecisionName(v.decision)) + "," + (Kept(v.decision, c.rules) ? "yes" : "no") + "," +
             CsvField(v.rightCall) + ",";
      if (v.partner) {
        out += CsvField(c.logs[v.partner->log].call) + "," +
               std::to_string(c.logs[v.partner->log].qsos[v.partner->qso].line);
      } else {
        out += ",";
      }
      out += "\n";
    }
  }
  return out;
}

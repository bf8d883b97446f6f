// The published tables and pages against a plain computation on made-up results: ranks with ties,
// the paging (every log once, in order), club sums and names, leaders, the CSV's rows, the search
// box's files, the index's size at 200,000 logs, the summary cut short, the texts made safe.
#include "result_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <locale>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "find_script.h"
#include "output_folder.h"
#include "page_text.h"
#include "result_tables.h"
#include "shown_text.h"
#include "synthetic_results.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;
using Pages = std::map<std::string, std::string>;

Pages PagesOf(const std::vector<LogResult>& results, const std::string& summary = "1 log\n") {
  Pages pages;
  WriteResultPages(results, summary, [&](const std::string& name, std::string_view text) {
    EXPECT_TRUE(pages.emplace(name, std::string(text)).second) << name << " written twice";
  });
  return pages;
}

// The figure as the C++ library groups it: a computation of its own.
std::string Grouped(long long value) {
  struct Thousands : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
  };
  std::ostringstream out;
  out.imbue(std::locale(std::locale::classic(), new Thousands));
  out << value;
  return out.str();
}

std::string Unescaped(const std::string& html) {
  std::string out;
  for (std::size_t i = 0; i < html.size(); ++i) {
    bool replaced = false;
    for (auto [entity, c] : {std::pair{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}}) {
      if (html.compare(i, std::string_view(entity).size(), entity) == 0) {
        out += c;
        i += std::string_view(entity).size() - 1;
        replaced = true;
        break;
      }
    }
    if (!replaced) out += html[i];
  }
  return out;
}

// The text of an element's HTML: tags left out, entities read.
std::string TextOf(const std::string& html) {
  std::string text;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      i = html.find('>', i);
    } else {
      text += html[i];
    }
  }
  return Unescaped(text);
}

std::string PercentDecoded(const std::string& path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size()) {
      out += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += path[i];
    }
  }
  return out;
}

struct Row {
  std::string id;
  std::vector<std::string> cells;  // their HTML
};

std::vector<Row> BodyRows(const std::string& page) {
  std::vector<Row> rows;
  for (std::size_t at = page.find("<tbody>"); at != std::string::npos; at = page.find("<tbody>", at + 1)) {
    const std::size_t end = page.find("</tbody>", at);
    for (std::size_t tr = page.find("<tr", at); tr < end; tr = page.find("<tr", tr + 1)) {
      Row row;
      const std::size_t open = page.find('>', tr), close = page.find("</tr>", tr);
      const std::size_t id = page.find("id=\"", tr);
      if (id < open) row.id = page.substr(id + 4, page.find('"', id + 4) - id - 4);
      for (std::size_t td = page.find("<td", open); td < close; td = page.find("<td", td + 1)) {
        const std::size_t from = page.find('>', td) + 1;
        row.cells.push_back(page.substr(from, page.find("</td>", from) - from));
      }
      rows.push_back(row);
    }
  }
  return rows;
}

// Every href and src of a page.
std::vector<std::string> Links(const std::string& page) {
  std::vector<std::string> links;
  for (const char* attribute : {"href=\"", "src=\""}) {
    const std::string_view a(attribute);
    for (std::size_t at = page.find(a); at != std::string::npos; at = page.find(a, at + 1)) {
      links.push_back(Unescaped(page.substr(at + a.size(), page.find('"', at + a.size()) - at - a.size())));
    }
  }
  return links;
}

// The rows of all pages of a list, in page order; the pages must run 1.. without a gap.
std::vector<Row> ListRows(const Pages& pages, const std::string& slug, std::size_t* pageCount = nullptr) {
  std::vector<Row> rows;
  std::size_t page = 1;
  for (; pages.count("pages/" + slug + "-" + std::to_string(page) + ".html"); ++page) {
    const std::vector<Row> these = BodyRows(pages.at("pages/" + slug + "-" + std::to_string(page) + ".html"));
    rows.insert(rows.end(), these.begin(), these.end());
  }
  if (pageCount) *pageCount = page - 1;
  return rows;
}

bool Entry(const LogResult& r) { return !r.checklog; }

// A table's logs plainly: its members by a score above, then the call; rank one more than those
// scoring more.
struct PlainRow {
  const LogResult* log;
  std::size_t rank;
};
std::vector<PlainRow> PlainTable(const std::vector<LogResult>& results, bool (*in)(const LogResult&, const void*),
                                 const void* what) {
  std::vector<const LogResult*> logs;
  for (const LogResult& r : results) {
    if (Entry(r) && in(r, what)) logs.push_back(&r);
  }
  std::vector<PlainRow> rows;
  for (const LogResult* r : logs) {
    std::size_t above = 0;
    for (const LogResult* s : logs) above += s->checked > r->checked;
    rows.push_back({r, above + 1});
  }
  std::sort(rows.begin(), rows.end(), [](const PlainRow& a, const PlainRow& b) {
    return a.log->checked != b.log->checked ? a.log->checked > b.log->checked : a.log->call < b.log->call;
  });
  return rows;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

struct FieldValue {
  std::string EntryHeader::*field;
  std::string value;
  bool band;
};
bool Declares(const LogResult& r, const void* what) {
  const FieldValue& f = *static_cast<const FieldValue*>(what);
  const std::string written = Upper(r.header.*(f.field));
  return written == f.value || (f.band && written == "ALL" && f.value == "80M-40M");
}
bool Everyone(const LogResult&, const void*) { return true; }

void ExpectTablePaged(const Pages& pages, const std::string& slug, const std::vector<PlainRow>& plain) {
  std::size_t pageCount = 0;
  const std::vector<Row> rows = ListRows(pages, slug, &pageCount);
  ASSERT_EQ(rows.size(), plain.size()) << slug;
  EXPECT_EQ(pageCount, std::max<std::size_t>(1, (plain.size() + kRowsPerPage - 1) / kRowsPerPage)) << slug;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const LogResult& r = *plain[i].log;
    ASSERT_EQ(rows[i].cells.size(), 17u);
    EXPECT_EQ(rows[i].id, "r" + std::to_string(i + 1)) << slug;
    EXPECT_EQ(rows[i].cells[0], Grouped(static_cast<long long>(plain[i].rank))) << slug << " " << r.call;
    EXPECT_EQ(TextOf(rows[i].cells[1]), Shown(r.call)) << slug << " row " << i + 1;
    EXPECT_EQ(rows[i].cells[2], r.claimed ? Grouped(*r.claimed) : "") << r.call;
    EXPECT_EQ(rows[i].cells[3], Grouped(r.checked)) << r.call;
    EXPECT_EQ(rows[i].cells[5], Grouped(static_cast<long long>(r.qsos))) << r.call;
    EXPECT_EQ(rows[i].cells[16], Grouped(r.multipliers)) << r.call;
    const std::vector<std::string> links = Links(rows[i].cells[1]);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(PercentDecoded(links[0]), "../stations/" + r.reportName + ".html");
  }
  // Each page: its share of the rows, links to every other page, to the one before and after.
  for (std::size_t page = 1; page <= pageCount; ++page) {
    const std::string& html = pages.at("pages/" + slug + "-" + std::to_string(page) + ".html");
    EXPECT_EQ(BodyRows(html).size(), page < pageCount ? kRowsPerPage : plain.size() - (pageCount - 1) * kRowsPerPage);
    const std::vector<std::string> links = Links(html);
    for (std::size_t other = 1; pageCount > 1 && other <= pageCount; ++other) {
      const bool linked = std::count(links.begin(), links.end(), slug + "-" + std::to_string(other) + ".html") > 0;
      EXPECT_EQ(linked, other != page) << slug << " page " << page << " to " << other;
    }
    EXPECT_EQ(html.find("rel=\"prev\"") != std::string::npos, page > 1);
    EXPECT_EQ(html.find("rel=\"next\"") != std::string::npos, page < pageCount);
  }
}

TEST(ResultPages, EveryTableIsPagedWholeInRankOrder) {
  const std::vector<LogResult> results = SyntheticResults(4500);
  const Pages pages = PagesOf(results);
  const std::vector<PlainRow> overall = PlainTable(results, Everyone, nullptr);
  ASSERT_GT(overall.size(), 3 * kRowsPerPage);
  ExpectTablePaged(pages, "overall", overall);
  std::set<std::string> once;
  for (const Row& row : ListRows(pages, "overall")) EXPECT_TRUE(once.insert(TextOf(row.cells[1])).second);
  EXPECT_EQ(once.size(), static_cast<std::size_t>(std::count_if(results.begin(), results.end(), Entry)));
  std::size_t ties = 0;
  for (std::size_t i = 1; i < overall.size(); ++i) ties += overall[i].rank == overall[i - 1].rank;
  EXPECT_GT(ties, 100u);  // the ranks were put to the test

  const std::vector<std::pair<std::string, FieldValue>> tables = {
      {"category-operator-single-op", {&EntryHeader::categoryOperator, "SINGLE-OP", false}},
      {"category-operator-multi-op", {&EntryHeader::categoryOperator, "MULTI-OP", false}},
      {"category-band-80m-40m", {&EntryHeader::categoryBand, "80M-40M", true}},
      {"category-band-40m", {&EntryHeader::categoryBand, "40M", true}},
      {"category-power-qrp", {&EntryHeader::categoryPower, "QRP", false}},
      {"category-assisted-non-assisted", {&EntryHeader::categoryAssisted, "NON-ASSISTED", false}},
      {"category-transmitter-unlimited", {&EntryHeader::categoryTransmitter, "UNLIMITED", false}},
      {"category-overlay-tb-wires", {&EntryHeader::categoryOverlay, "TB-WIRES", false}}};
  for (const auto& [slug, what] : tables) ExpectTablePaged(pages, slug, PlainTable(results, Declares, &what));
  // A checklog declares CHECKLOG, which ranks nobody.
  EXPECT_EQ(pages.count("pages/category-operator-checklog-1.html"), 0u);
  EXPECT_EQ(pages.count("pages/category-power-bogus-1.html"), 0u);
}

// name -> members, sum and the name most of them write, plainly.
struct PlainClub {
  std::size_t members = 0;
  long long score = 0;
  std::map<std::string, std::size_t> spellings;
  std::string Name() const {
    std::string best;
    std::size_t most = 0;
    for (const auto& [name, n] : spellings) {
      if (n > most || (n == most && name < best)) best = name, most = n;
    }
    return best;
  }
};
std::map<std::string, PlainClub> PlainClubs(const std::vector<LogResult>& results) {
  std::map<std::string, PlainClub> clubs;
  for (const LogResult& r : results) {
    if (!Entry(r) || Trim(r.header.club).empty()) continue;
    PlainClub& club = clubs[Upper(Trim(r.header.club))];
    ++club.members;
    club.score += r.checked;
    ++club.spellings[Trim(r.header.club)];
  }
  return clubs;
}

// The CSV's rows, fields unquoted.
std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
  std::vector<std::vector<std::string>> rows(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().push_back(field);
      field.clear();
    } else if (c == '\n') {
      rows.back().push_back(field);
      field.clear();
      rows.emplace_back();
    } else {
      field += c;
    }
  }
  rows.pop_back();
  return rows;
}

TEST(ResultPages, ClubsSumTheirMembersUnderTheNameMostOfThemWrite) {
  std::vector<LogResult> results = SyntheticResults(3000, 5);
  const std::map<std::string, PlainClub> plain = PlainClubs(results);
  ASSERT_EQ(plain.size(), 3u);
  std::vector<std::pair<long long, std::string>> byScore;  // -score, name
  for (const auto& [key, club] : plain) byScore.emplace_back(-club.score, key);
  std::sort(byScore.begin(), byScore.end());

  const Pages pages = PagesOf(results);
  const std::vector<Row> rows = ListRows(pages, "clubs");
  ASSERT_EQ(rows.size(), plain.size());
  const std::vector<std::vector<std::string>> csv = CsvRows(ResultsCsv(results));
  std::vector<std::vector<std::string>> clubRows;
  for (const auto& row : csv) {
    if (row[0] == "club") clubRows.push_back(row);
  }
  ASSERT_EQ(clubRows.size(), plain.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PlainClub& club = plain.at(byScore[i].second);
    std::size_t rank = 1;
    for (const auto& [key, other] : plain) rank += other.score > club.score;
    EXPECT_EQ(rows[i].cells[0], Grouped(static_cast<long long>(rank)));
    EXPECT_EQ(TextOf(rows[i].cells[1]), club.Name());
    EXPECT_EQ(rows[i].cells[2], Grouped(static_cast<long long>(club.members)));
    EXPECT_EQ(rows[i].cells[3], Grouped(club.score));
    // table,rank,call,claimed_score,checked_score, ..., club,logs
    EXPECT_EQ(clubRows[i][1], std::to_string(rank));
    EXPECT_EQ(clubRows[i][4], std::to_string(club.score));
    EXPECT_EQ(clubRows[i][clubRows[i].size() - 2], club.Name());
    EXPECT_EQ(clubRows[i].back(), std::to_string(club.members));
  }
  // A log row names the club it counts for as the club table does.
  std::map<std::string, const LogResult*> byCall;
  for (const LogResult& r : results) byCall[Shown(r.call)] = &r;
  for (const auto& row : csv) {
    if (row[0] != "overall" && row[0] != "checklog") continue;
    const LogResult& r = *byCall.at(row[2]);
    const std::string key = Upper(Trim(r.header.club));
    EXPECT_EQ(row[row.size() - 2], Entry(r) && !key.empty() ? plain.at(key).Name() : "") << row[2];
  }

  // Equal sums share a rank; equally many spellings give the first in byte order, in any order
  // of the logs.
  std::vector<LogResult> small(6);
  const std::vector<std::pair<std::string, long long>> members = {{"club a", 50}, {"Club A", 50},  {"Club B ", 100},
                                                                  {"club c", 40}, {"Club D", 100}, {"club c", 20}};
  for (std::size_t i = 0; i < small.size(); ++i) {
    small[i].call = "DL" + std::to_string(i) + "AA";
    small[i].reportName = small[i].call;
    small[i].header.club = members[i].first;
    small[i].checked = members[i].second;
  }
  for (int order = 0; order < 2; ++order) {
    const std::vector<Row> ranked = BodyRows(PagesOf(small).at("pages/clubs-1.html"));
    std::vector<std::string> seen;
    for (const Row& row : ranked) seen.push_back(row.cells[0] + " " + TextOf(row.cells[1]) + " " + row.cells[2]);
    EXPECT_EQ(seen, (std::vector<std::string>{"1 Club A 2", "1 Club B 1", "1 Club D 1", "4 club c 2"}));
    std::reverse(small.begin(), small.end());
  }
}

TEST(ResultPages, LeadersAreEveryLogWithTheBestScoreOfItsGroup) {
  std::vector<LogResult> results = SyntheticResults(4000, 9);
  // Two leaders of one entity (and so of its continent, which they share).
  std::size_t tied = 0;
  for (LogResult& r : results) {
    if (Entry(r) && r.entity == "Japan" && r.continent == "AS" && tied < 2) {
      r.checked = 9'000'000'000'000LL;
      ++tied;
    }
  }
  ASSERT_EQ(tied, 2u);
  const Pages pages = PagesOf(results);
  const std::vector<std::vector<std::string>> csv = CsvRows(ResultsCsv(results));
  const std::vector<std::string>& header = csv.front();
  auto column = [&](const std::string& name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
  };
  for (auto [slug, table, group] : {std::tuple{"entity-leaders", "entity leader", &LogResult::entity},
                                    std::tuple{"continent-leaders", "continent leader", &LogResult::continent}}) {
    std::map<std::string, long long> best;
    std::map<std::string, std::size_t> logs;
    for (const LogResult& r : results) {
      if (!Entry(r) || (r.*group).empty()) continue;
      ++logs[r.*group];
      best[r.*group] = logs[r.*group] == 1 ? r.checked : std::max(best[r.*group], r.checked);
    }
    std::vector<std::string> expected;  // group, logs, call, checked: by group, then call
    for (const auto& [name, score] : best) {
      std::set<std::string> calls;
      for (const LogResult& r : results) {
        if (Entry(r) && r.*group == name && r.checked == score) calls.insert(r.call);
      }
      for (const std::string& call : calls)
        expected.push_back(name + "|" + std::to_string(logs[name]) + "|" + Shown(call) + "|" + std::to_string(score));
    }
    ASSERT_FALSE(expected.empty());
    std::vector<std::string> fromPages, fromCsv;
    for (const Row& row : ListRows(pages, slug)) {
      std::string checked = row.cells[3];
      checked.erase(std::remove(checked.begin(), checked.end(), ','), checked.end());
      std::string count = row.cells[1];
      count.erase(std::remove(count.begin(), count.end(), ','), count.end());
      fromPages.push_back(TextOf(row.cells[0]) + "|" + count + "|" + TextOf(row.cells[2]) + "|" + checked);
    }
    for (const auto& row : csv) {
      if (row[0] == table) {
        fromCsv.push_back(row[column(group == &LogResult::entity ? "entity" : "continent")] + "|" +
                          row[column("logs")] + "|" + row[column("call")] + "|" + row[column("checked_score")]);
      }
    }
    EXPECT_EQ(fromPages, expected) << slug;
    EXPECT_EQ(fromCsv, expected) << table;
  }
}

TEST(ResultsCsv, EveryRowHasEveryColumnAndTheLogsRowsComeFirstAsBefore) {
  const std::vector<LogResult> results = SyntheticResults(1200, 3);
  const std::string csv = ResultsCsv(results);
  // The columns before these rows' own kept their places.
  EXPECT_TRUE(csv.starts_with(
      "table,rank,call,claimed_score,checked_score,reduction_percent,qsos,kept,removed,not_in_log,busted_call,"
      "wrong_serial,band_mismatch,unique,wrong_mode,not_contest_band,outside_period,off_entry_band,multipliers,file,"
      "entity,continent,club,logs\n"));
  const std::vector<std::vector<std::string>> rows = CsvRows(csv);
  std::vector<std::string> kinds;
  std::size_t overall = 0;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), rows[0].size()) << i;
    const std::string& table = rows[i][0];
    if (kinds.empty() || kinds.back() != table) kinds.push_back(table);
    if (table == "overall") {
      ++overall;
      std::size_t rank = 1;
      for (const LogResult& r : results) rank += Entry(r) && r.checked > std::stoll(rows[i][4]);
      EXPECT_EQ(rows[i][1], std::to_string(rank)) << rows[i][2];
    }
  }
  EXPECT_EQ(overall, static_cast<std::size_t>(std::count_if(results.begin(), results.end(), Entry)));
  // The ranked tables, then the checklogs, then the rows of the other kinds, each kind together.
  ASSERT_GE(kinds.size(), 5u);
  EXPECT_EQ(kinds.front(), "overall");
  EXPECT_EQ(std::vector<std::string>(kinds.end() - 4, kinds.end()),
            (std::vector<std::string>{"checklog", "entity leader", "continent leader", "club"}));
}

// "key":1 for each key find.js knows.
std::set<std::string> KnownKeys(const std::string& findScript) {
  std::set<std::string> keys;
  const std::size_t from = findScript.find("var kFindKeys = {") + 17, end = findScript.find("};", from);
  for (std::size_t at = findScript.find('"', from); at < end; at = findScript.find('"', findScript.find(":1,", at))) {
    keys.insert(findScript.substr(at + 1, findScript.find('"', at + 1) - at - 1));
  }
  return keys;
}

struct Found {
  std::string call, station;
  std::size_t rank, page, row;
};
// The rows of a calls file: ["call","station",rank,page,row],
std::vector<Found> FoundCalls(const std::string& script) {
  std::vector<Found> found;
  std::istringstream lines(script);
  std::string line;
  std::getline(lines, line);  // FoundCalls("key",[
  auto literal = [](const std::string& text, std::size_t& at) {
    std::string value;
    for (++at; text[at] != '"'; ++at) {
      if (text[at] != '\\') {
        value += text[at];
      } else if (text[at + 1] == 'u') {
        value += static_cast<char>(std::stoi(text.substr(at + 2, 4), nullptr, 16));
        at += 5;
      } else {
        value += text[++at];
      }
    }
    ++at;
    return value;
  };
  while (std::getline(lines, line) && line != "]);") {
    std::size_t at = 1;
    Found f;
    f.call = literal(line, at);
    ++at;
    f.station = literal(line, at);
    std::istringstream numbers(line.substr(at + 1));
    char comma;
    numbers >> f.rank >> comma >> f.page >> comma >> f.row;
    found.push_back(f);
  }
  return found;
}

// The row a search result points to: its page's rows read once, by id.
const Row* RowOn(const Pages& pages, std::map<std::string, std::map<std::string, Row>>& read, const std::string& page,
                 std::size_t row) {
  if (!read.count(page)) {
    std::map<std::string, Row>& rows = read[page];
    if (pages.count(page)) {
      for (Row& r : BodyRows(pages.at(page))) rows[r.id] = std::move(r);
    }
  }
  const auto found = read[page].find("r" + std::to_string(row));
  return found == read[page].end() ? nullptr : &found->second;
}

TEST(ResultPages, AtTwoHundredThousandLogsTheIndexStaysSmallAndTheSearchFindsEveryCall) {
  const std::vector<LogResult> results = SyntheticResults(200000, 11);
  const std::string summary = SyntheticSummary(results, 100000);
  // Only what is looked at is kept: all the pages would take hundreds of megabytes.
  Pages kept;
  std::set<std::string> written;
  std::size_t largest = 0;
  WriteResultPages(results, summary, [&](const std::string& name, std::string_view text) {
    written.insert(name);
    if (name.starts_with("pages/overall-") || name.starts_with("pages/checklogs-") || name.starts_with("pages/calls") ||
        name == "pages/find.js" || name == "index.html") {
      kept[name] = std::string(text);
    }
    if (name.starts_with("pages/") && name.ends_with(".html") && name != "pages/summary.html")
      largest = std::max(largest, text.size());
  });
  const std::string& index = kept.at("index.html");
  EXPECT_LT(index.size(), 2u << 20);
  EXPECT_LT(largest, 400u << 10);  // a page of a thousand rows
  std::set<std::string> stations;
  for (const LogResult& r : results) stations.insert("stations/" + r.reportName + ".html");
  for (const std::string& link : Links(index)) {
    const std::string file = PercentDecoded(link.substr(0, link.find('#')));
    if (file.empty()) {
      EXPECT_NE(index.find("id=\"" + link.substr(1) + "\""), std::string::npos) << link;
    } else {
      EXPECT_TRUE(written.count(file) || stations.count(file) || file == "results.txt" || file == "results.csv")
          << link;
    }
  }

  // Each log once, under its key, pointing to its own row.
  const std::set<std::string> keys = KnownKeys(kept.at("pages/find.js"));
  std::map<std::string, std::size_t> seen;
  std::map<std::string, std::map<std::string, Row>> read;
  std::size_t files = 0, split = 0;
  for (const auto& [name, text] : kept) {
    if (!name.starts_with("pages/calls")) continue;
    ++files;
    const std::string key = name == "pages/calls.js" ? "" : name.substr(12, name.size() - 15);
    EXPECT_TRUE(keys.count(key)) << name;
    const std::vector<Found> calls = FoundCalls(text);
    if (key.size() < 2) {
      EXPECT_LE(calls.size(), kCallsPerFile) << name;
    } else {
      ++split;
    }
    for (const Found& f : calls) {
      ++seen[f.call];
      EXPECT_TRUE(FindKey(f.call).starts_with(key)) << f.call << " in " << name;
      const Row* row =
          RowOn(kept, read,
                "pages/" + std::string(f.rank ? "overall-" : "checklogs-") + std::to_string(f.page) + ".html", f.row);
      ASSERT_NE(row, nullptr) << f.call;
      EXPECT_EQ(TextOf(row->cells[f.rank ? 1 : 0]), f.call);
      if (f.rank) {
        EXPECT_EQ(row->cells[0], Grouped(static_cast<long long>(f.rank)));
      }
      EXPECT_TRUE(stations.count("stations/" + PercentDecoded(f.station) + ".html")) << f.station;
    }
  }
  EXPECT_EQ(files, keys.size());
  EXPECT_GT(split, 0u);  // the largest groups of a first character were put in files of two
  EXPECT_EQ(seen.size(), results.size());
  for (const auto& [call, times] : seen) EXPECT_EQ(times, 1u) << call;
}

TEST(ResultPages, TheSummaryOnTheIndexIsCutShortAndWholeOnItsPage) {
  const std::vector<LogResult> results = SyntheticResults(40);
  const std::string summary = SyntheticSummary(results, 5000) + "\nShort list:\n  one <b>\n  two\n";
  const Pages pages = PagesOf(results, summary);
  const std::string& index = pages.at("index.html");
  EXPECT_NE(index.find("Files passed over:\n"), std::string::npos);
  EXPECT_NE(index.find("  old-9.log: another file\n  … and 4,990 more in <a href=\"pages/summary.html\">"),
            std::string::npos);
  EXPECT_EQ(index.find("old-10.log"), std::string::npos);
  EXPECT_NE(index.find("\nShort list:\n  one &lt;b&gt;\n  two\n</pre>"), std::string::npos);
  const std::string& whole = pages.at("pages/summary.html");
  const std::size_t from = whole.find("<pre>\n") + 6;
  EXPECT_EQ(Unescaped(whole.substr(from, whole.find("</pre>") - from)), summary);
}

TEST(PageText, FiguresLinksAndTextsMadeSafe) {
  for (long long value : {0LL, 7LL, 999LL, 1000LL, 123456LL, 1234567LL, -1234LL, -999LL, LLONG_MAX, LLONG_MIN}) {
    EXPECT_EQ(Figure(value), Grouped(value)) << value;
  }
  // A report name may hold what a link would read as its end or an escape.
  EXPECT_EQ(UrlPath("DL#1 ?%&\"/x\xc3\x96-._~"), "DL%231%20%3F%25%26%22%2Fx%C3%96-._~");
  EXPECT_EQ(HtmlText("a<b>&\"c\"\nd\x1b"), "a&lt;b&gt;&amp;&quot;c&quot;\\x0ad\\x1b");
  EXPECT_EQ(HtmlLines("one\ttab <x>\r\n\ntwo\n"), "one\\x09tab &lt;x&gt;\\x0d\n\ntwo\n");
  EXPECT_EQ(ScriptString("a\"b\\c</script>\x01"), "\"a\\\"b\\\\c\\u003c/script>\\\\x01\"");
  EXPECT_EQ(FindKey("dl1aa"), "DL");
  EXPECT_EQ(FindKey("X"), "X_");
  EXPECT_EQ(FindKey("\xc3\x96"
                    "1A"),
            "__");
}

TEST(StationPage, ShowsTheReportLineByLine) {
  LogResult r;
  r.call = "DL<1>AA";
  r.checked = 1234567;
  r.claimed = 2000000;
  const std::string report = "Check of DL<1>AA\n\nline 4: a\ttab & more\nlast line\n";
  const std::string page = StationPage(r, report);
  EXPECT_NE(page.find("<h1>DL&lt;1&gt;AA</h1>\n<p>Claimed 2,000,000, checked 1,234,567</p>"), std::string::npos)
      << page;
  const std::size_t from = page.find("<pre>\n") + 6;
  // The parser drops the line break right after <pre>: the text starts with the report's first line.
  EXPECT_EQ(Unescaped(page.substr(from, page.find("</pre>") - from)),
            "Check of DL<1>AA\n\nline 4: a\\x09tab & more\nlast line\n");
}

class PagesOnDisk : public InTempFolder {};

TEST_F(PagesOnDisk, APageNoLongerWrittenIsRemovedByTheNextRun) {
  {
    OutputFolder out("results");
    WriteResults(out, SyntheticResults(4000), "first run\n");
    out.Finish();
  }
  for (const char* name : {"index.html", "pages/overall-3.html", "pages/calls-D.js", "results.csv", "summary.txt"}) {
    EXPECT_TRUE(fs::exists(fs::path("results") / name)) << name;
  }
  {
    OutputFolder out("results");
    WriteResults(out, SyntheticResults(800), "second run\n");
    out.Finish();
  }
  EXPECT_TRUE(fs::exists("results/pages/overall-1.html"));
  EXPECT_TRUE(fs::exists("results/pages/calls.js"));
  for (const char* name : {"pages/overall-2.html", "pages/overall-3.html", "pages/calls-D.js"}) {
    EXPECT_FALSE(fs::exists(fs::path("results") / name)) << name;
  }
  // Every file in the folder is on the list, and nothing else.
  std::set<std::string> onDisk, listed;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator("results")) {
    if (entry.is_regular_file()) onDisk.insert(fs::relative(entry.path(), "results").generic_string());
  }
  std::istringstream list(FileBytes("results/written-by-stats-crosscheck.txt"));
  for (std::string line; std::getline(list, line);) listed.insert(line);
  listed.insert("written-by-stats-crosscheck.txt");
  EXPECT_EQ(onDisk, listed);
}

}  // namespace

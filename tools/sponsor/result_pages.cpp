// Nothing on index.html grows with the contest but the page links of its table of contents, one
// per thousand rows: every table and list lives on pages of kRowsPerPage rows, the summary's long
// lists are cut short there, and the search box reads the calls from files of their own.
#include "result_pages.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

#include "contest_rules.h"
#include "find_script.h"
#include "page_text.h"
#include "result_tables.h"
#include "shown_text.h"

namespace {

// The summary's lists longer than this show their first kSummaryShown lines on index.html.
constexpr std::size_t kSummaryLines = 13, kSummaryShown = 10;
// The rows of each table on index.html.
constexpr std::size_t kFirstRows = 10;

const char* const kFindBox =
    "<p><label>Find a call: <input id=\"find\" type=\"search\" autocomplete=\"off\"></label></p>\n"
    "<ul id=\"found\"></ul>\n";

std::string ResultsTitle() { return HtmlText(kContestName) + " results"; }
// From a page one folder down.
std::string IndexLink() { return "<p><a href=\"../index.html\">" + ResultsTitle() + "</a></p>\n"; }

std::size_t PageCount(std::size_t rows) { return rows == 0 ? 1 : (rows + kRowsPerPage - 1) / kRowsPerPage; }
std::size_t PageOf(std::size_t row) { return row / kRowsPerPage + 1; }  // row from 0

std::string PageFile(const std::string& slug, std::size_t page) { return slug + "-" + std::to_string(page) + ".html"; }

// "CATEGORY-BAND 80M-40M" as "category-band-80m-40m".
std::string Slug(const std::string& key) {
  std::string slug;
  for (char c : key) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      slug += c;
    } else if (c >= 'A' && c <= 'Z') {
      slug += static_cast<char>(c - 'A' + 'a');
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

std::string StationLink(const LogResult& r, const std::string& up) {
  return "<a href=\"" + up + "stations/" + UrlPath(r.reportName) + ".html\">" + HtmlText(r.call) + "</a>";
}

std::string Cell(const std::string& html) { return "<td>" + html + "</td>"; }
std::string TextCell(const std::string& html) { return "<td class=\"t\">" + html + "</td>"; }

// A table or list as it is paged: the cells of row i, its links leading `up` to the output folder.
struct PagedList {
  std::string slug;   // "overall", "clubs"
  std::string title;  // HTML, "CATEGORY-POWER LOW"
  std::size_t rows = 0;
  std::string head;  // the heading row's cells
  std::function<std::string(std::size_t row, const std::string& up)> cells;
};

// Every page of the list, `current` shown as the one open (0: none); `folder` leads to pages/.
std::string PageLinks(const PagedList& list, std::size_t current, const std::string& folder) {
  std::string links;
  for (std::size_t page = 1; page <= PageCount(list.rows); ++page) {
    links += page == current
                 ? "<b>" + std::to_string(page) + "</b> "
                 : "<a href=\"" + folder + PageFile(list.slug, page) + "\">" + std::to_string(page) + "</a> ";
  }
  return links;
}

std::string Navigation(const PagedList& list, std::size_t page) {
  const std::size_t pages = PageCount(list.rows);
  if (pages == 1) return "";
  std::string nav = "<nav class=\"pages\">";
  if (page > 1) nav += "<a href=\"" + PageFile(list.slug, page - 1) + "\" rel=\"prev\">&larr; previous</a> ";
  nav += "Page " + PageLinks(list, page, "");
  if (page < pages) nav += "<a href=\"" + PageFile(list.slug, page + 1) + "\" rel=\"next\">next &rarr;</a>";
  return nav + "</nav>\n";
}

void WriteList(const PagedList& list, const PageWriter& write) {
  const std::size_t pages = PageCount(list.rows);
  for (std::size_t page = 1; page <= pages; ++page) {
    const std::size_t first = (page - 1) * kRowsPerPage, end = std::min(list.rows, page * kRowsPerPage);
    std::string html =
        PageHead(list.title + (pages > 1 ? ", page " + std::to_string(page) : "") + " — " + ResultsTitle()) +
        IndexLink() + kFindBox + "<h1>" + list.title + "</h1>\n<p>";
    html += list.rows == 0
                ? std::string("None.")
                : "Rows " + Figure(first + 1) + " to " + Figure(end) + " of " + Figure(list.rows) +
                      (pages > 1 ? ", page " + std::to_string(page) + " of " + std::to_string(pages) : "") + ".";
    html += "</p>\n" + Navigation(list, page) + "<table><thead><tr>" + list.head + "</tr></thead><tbody>\n";
    for (std::size_t i = first; i < end; ++i) {
      html += "<tr id=\"r" + std::to_string(i + 1) + "\">" + list.cells(i, "../") + "</tr>\n";
    }
    html += "</tbody></table>\n" + Navigation(list, page) + "<script src=\"find.js\" data-up=\"../\"></script>\n" +
            PageEnd();
    write("pages/" + PageFile(list.slug, page), html);
  }
}

std::string RankedHead() {
  std::string head =
      "<th>Rank</th><th class=\"t\">Call</th><th>Claimed</th><th>Checked</th><th>Red. %</th><th>QSOs</th>"
      "<th>Kept</th>";
  for (const char* column : kRemovingColumns) head += std::string("<th>") + column + "</th>";
  return head + "<th>Mults</th>";
}

std::string RankedCells(const LogResult& r, std::size_t rank, const std::string& up) {
  std::string cells = Cell(Figure(rank)) + TextCell(StationLink(r, up)) + Cell(r.claimed ? Figure(*r.claimed) : "") +
                      Cell(Figure(r.checked)) + Cell(ReductionPercent(r)) + Cell(Figure(r.qsos)) + Cell(Figure(r.kept));
  for (Decision d : kRemovingDecisions) {
    cells += Cell(Figure(r.removedBy[static_cast<std::size_t>(d)]));
  }
  return cells + Cell(Figure(r.multipliers));
}

// The summary with each list longer than kSummaryLines cut to its heading and first lines and a
// link to the whole summary: a list of files passed over may be as long as the folder.
std::string ShortSummary(const std::string& summary) {
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < summary.size();) {
    const std::size_t end = std::min(summary.find('\n', from), summary.size());
    lines.push_back(summary.substr(from, end - from));
    from = end + 1;
  }
  std::string out;
  for (std::size_t first = 0; first < lines.size();) {
    std::size_t end = first;
    while (end < lines.size() && !lines[end].empty()) ++end;
    const std::size_t shown = end - first > kSummaryLines ? 1 + kSummaryShown : end - first;
    for (std::size_t i = first; i < first + shown; ++i) out += HtmlLines(lines[i]) + "\n";
    if (shown < end - first) {
      out +=
          "  … and " + Figure(end - first - shown) + " more in <a href=\"pages/summary.html\">the whole summary</a>\n";
    }
    if (end < lines.size()) out += "\n";  // the blank line after the block
    first = end + 1;
  }
  return out;
}

using Leader = std::pair<const LeaderGroup*, const LogResult*>;

// The tables and lists once computed; the pages' rows point into them.
struct Published {
  explicit Published(const std::vector<LogResult>& results)
      : tables(RankedTables(results)),
        clubs(Clubs(results)),
        checklogs(Checklogs(results)),
        entities(Leaders(results, &LogResult::entity)),
        continents(Leaders(results, &LogResult::continent)) {
    for (const LeaderGroup& g : entities) {
      for (const LogResult* r : g.leaders) entityLeaders.emplace_back(&g, r);
    }
    for (const LeaderGroup& g : continents) {
      for (const LogResult* r : g.leaders) continentLeaders.emplace_back(&g, r);
    }
  }
  Published(const Published&) = delete;  // the leaders point into the groups
  Published& operator=(const Published&) = delete;

  const std::vector<RankedTable> tables;
  const std::vector<Club> clubs;
  const std::vector<const LogResult*> checklogs;
  const std::vector<LeaderGroup> entities, continents;
  std::vector<Leader> entityLeaders, continentLeaders;  // a row per leader, by group
};

// The ranked tables, then the leaders, clubs and checklogs that there are.
std::vector<PagedList> ListsOf(const Published& p) {
  std::vector<PagedList> lists;
  for (const RankedTable& table : p.tables) {
    lists.push_back(
        {Slug(table.key), HtmlText(table.title), table.logs.size(), RankedHead(),
         [&table](std::size_t i, const std::string& up) { return RankedCells(*table.logs[i], table.ranks[i], up); }});
  }
  for (auto [slug, title, what, leaders] :
       {std::tuple{"entity-leaders", "Entity leaders", "Entity", &p.entityLeaders},
        std::tuple{"continent-leaders", "Continent leaders", "Continent", &p.continentLeaders}}) {
    if (leaders->empty()) continue;
    lists.push_back(
        {slug, title, leaders->size(),
         std::string("<th class=\"t\">") + what + "</th><th>Logs</th><th class=\"t\">Call</th><th>Checked</th>",
         [leaders](std::size_t i, const std::string& up) {
           const auto [group, r] = (*leaders)[i];
           return TextCell(HtmlText(group->name)) + Cell(Figure(group->logs)) + TextCell(StationLink(*r, up)) +
                  Cell(Figure(r->checked));
         }});
  }
  if (!p.clubs.empty()) {
    lists.push_back({"clubs", "Clubs", p.clubs.size(),
                     "<th>Rank</th><th class=\"t\">Club</th><th>Logs</th><th>Score</th>",
                     [&clubs = p.clubs](std::size_t i, const std::string&) {
                       const Club& club = clubs[i];
                       return Cell(Figure(club.rank)) + TextCell(HtmlText(club.name)) +
                              Cell(Figure(club.members.size())) + Cell(Figure(club.score));
                     }});
  }
  if (!p.checklogs.empty()) {
    lists.push_back({"checklogs", "Checklogs (not ranked)", p.checklogs.size(),
                     "<th class=\"t\">Call</th><th>QSOs</th>",
                     [&checklogs = p.checklogs](std::size_t i, const std::string& up) {
                       return TextCell(StationLink(*checklogs[i], up)) + Cell(Figure(checklogs[i]->qsos));
                     }});
  }
  return lists;
}

// The search box's files: each log under the key of its call, with its place in the overall
// table or among the checklogs.
void WriteFindFiles(const Published& p, const PageWriter& write) {
  std::vector<FoundCall> found;
  auto add = [&](const LogResult& r, std::size_t rank, std::size_t row) {
    found.push_back({Shown(r.call), UrlPath(r.reportName), rank, PageOf(row), row + 1});
  };
  const RankedTable& overall = p.tables.front();
  for (std::size_t i = 0; i < overall.logs.size(); ++i) add(*overall.logs[i], overall.ranks[i], i);
  for (std::size_t i = 0; i < p.checklogs.size(); ++i) add(*p.checklogs[i], 0, i);
  std::vector<std::string> keys;
  for (const auto& [key, calls] : CallFiles(std::move(found))) {
    write("pages/" + CallsFileName(key), CallsScript(key, calls));
    keys.push_back(key);
  }
  write("pages/find.js", FindScript(keys));
}

std::string IndexPage(const Published& p, const std::vector<PagedList>& lists, std::size_t logs,
                      const std::string& summaryText) {
  std::string index = PageHead(ResultsTitle()) + "<h1>" + ResultsTitle() + "</h1>\n<p>" + Figure(logs) +
                      " logs checked: " + Figure(p.tables.front().logs.size()) + " ranked, " +
                      Figure(p.checklogs.size()) +
                      " checklogs. Every table whole, as text and as CSV: <a href=\"results.txt\">results.txt</a>, "
                      "<a href=\"results.csv\">results.csv</a>.</p>\n" +
                      kFindBox +
                      "<h2>Contents</h2>\n<table><thead><tr><th class=\"t\">Table</th><th>Rows</th>"
                      "<th class=\"t\">Pages</th></tr></thead><tbody>\n";
  for (const PagedList& list : lists) {
    index += "<tr>" + TextCell("<a href=\"#" + list.slug + "\">" + list.title + "</a>") + Cell(Figure(list.rows)) +
             TextCell(PageLinks(list, 0, "pages/")) + "</tr>\n";
  }
  index += "<tr>" + TextCell("<a href=\"#summary\">Checking summary</a>") + Cell("") +
           TextCell("<a href=\"pages/summary.html\">1</a>") + "</tr>\n</tbody></table>\n";
  for (const PagedList& list : lists) {
    index += "<h2 id=\"" + list.slug + "\">" + list.title + "</h2>\n<p>" +
             (list.rows <= kFirstRows ? std::string("All ") + Figure(list.rows)
                                      : "The first " + std::to_string(kFirstRows) + " of " + Figure(list.rows)) +
             ": <a href=\"pages/" + PageFile(list.slug, 1) + "\">the whole table</a></p>\n<table><thead><tr>" +
             list.head + "</tr></thead><tbody>\n";
    for (std::size_t i = 0; i < std::min(list.rows, kFirstRows); ++i) index += "<tr>" + list.cells(i, "") + "</tr>\n";
    index += "</tbody></table>\n";
  }
  return index + "<h2 id=\"summary\">Checking summary</h2>\n<pre>\n" + ShortSummary(summaryText) + "</pre>\n" +
         "<script src=\"pages/find.js\" data-up=\"\"></script>\n" + PageEnd();
}

}  // namespace

void WriteResultPages(const std::vector<LogResult>& results, const std::string& summaryText, const PageWriter& write) {
  const Published published(results);
  const std::vector<PagedList> lists = ListsOf(published);
  for (const PagedList& list : lists) WriteList(list, write);
  write("pages/summary.html", PageHead("Checking summary — " + ResultsTitle()) + IndexLink() +
                                  "<h1>Checking summary</h1>\n<pre>\n" + HtmlLines(summaryText) + "</pre>\n" +
                                  PageEnd());
  WriteFindFiles(published, write);
  write("index.html", IndexPage(published, lists, results.size(), summaryText));
}

void WriteResults(OutputFolder& out, const std::vector<LogResult>& results, const std::string& summaryText) {
  out.Write("results.txt", ResultsText(results));
  out.Write("results.csv", ResultsCsv(results));
  WriteResultPages(results, summaryText,
                   [&out](const std::string& name, std::string_view page) { out.Write(name, page); });
  out.Write("summary.txt", summaryText);
}

std::string StationPage(const LogResult& r, const std::string& reportText) {
  return PageHead(HtmlText(r.call) + " — " + HtmlText(kContestName) + " check") + IndexLink() + "<h1>" +
         HtmlText(r.call) + "</h1>\n<p>Claimed " + (r.claimed ? Figure(*r.claimed) : std::string("—")) + ", checked " +
         Figure(r.checked) + (r.checklog ? " (checklog, not ranked)" : "") + "</p>\n<pre>\n" + HtmlLines(reportText) +
         "</pre>\n" + PageEnd();
}

// The results as pages a browser opens from disk: index.html (a table of contents, the first ten
// of each table, the summary cut short), each table on pages of its own, the lists, the whole
// summary, the search box's files, and a station's page.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output_folder.h"
#include "results.h"

// The rows of one page of a table or list; the last page holds the rest.
inline constexpr std::size_t kRowsPerPage = 1000;

// A file's name relative to the output folder ("index.html", "pages/overall-2.html") and text.
using PageWriter = std::function<void(const std::string& name, std::string_view text)>;
// index.html and every file under pages/: pages/<table>-<n>.html for each ranked table (its key
// in lower case, blanks and signs as "-": "category-band-80m-1.html"), entity-leaders-<n>,
// continent-leaders-<n>, clubs-<n> and checklogs-<n>, summary.html, find.js and calls-<key>.js.
// Each row of a table's pages has the id "r<n>", n its place in the whole table.
void WriteResultPages(const std::vector<LogResult>& results, const std::string& summaryText, const PageWriter& write);
// results.txt, results.csv, summary.txt, index.html and pages/, each through the folder (so that
// the next run removes a page this one wrote and it does not).
void WriteResults(OutputFolder& out, const std::vector<LogResult>& results, const std::string& summaryText);
// A station's page (stations/<report name>.html): its report in full, line by line.
std::string StationPage(const LogResult& result, const std::string& reportText);

// Writes the results of a made-up contest into a folder the way stats-crosscheck does, for the
// browser test at 50,000 logs: a report and station page per log, the text, the CSV, the pages,
// the summary.
//   stats_synthetic_results OUT LOGS
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "output_folder.h"
#include "result_pages.h"
#include "synthetic_results.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: stats_synthetic_results OUT LOGS\n";
    return 2;
  }
  try {
    const std::vector<LogResult> results = SyntheticResults(std::stoul(argv[2]));
    const std::string summary = SyntheticSummary(results, 3000);
    OutputFolder out(argv[1]);
    for (const LogResult& r : results) {
      const std::string report = SyntheticReport(r);
      out.Write("reports/" + r.reportName + ".txt", report);
      out.Write("stations/" + r.reportName + ".html", StationPage(r, report));
    }
    WriteResults(out, results, summary);
    out.Finish();
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}

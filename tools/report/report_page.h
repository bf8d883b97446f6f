// report.html: the summary, the findings, the hourly table and the charts in one file that
// opens offline, the chart library inside it.
#pragma once

#include <string>
#include <string_view>

// `statsJson`: what StatsJson wrote; `heading` and `counts` stand at the top of the page.
std::string ReportPage(std::string_view statsJson, std::string_view heading, std::string_view counts);

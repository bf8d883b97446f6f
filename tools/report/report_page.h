// report.html: the summary, the charts, the tables, the map and the findings in one file that
// opens offline, the chart library and the coastlines inside it.
#pragma once

#include <string>
#include <string_view>

// `statsJson`: what StatsJson wrote in its page form; `heading` and `counts` stand at the top of the page.
std::string ReportPage(std::string_view statsJson, std::string_view heading, std::string_view counts);

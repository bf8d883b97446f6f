// The page, the chart library and the world's coastlines are built into the program
// (cmake/embed_text.cmake), so that the Windows program writes the same page with nothing beside it.
#include "report_page.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "json_writer.h"

extern const std::string_view kReportPageTemplate;
extern const std::string_view kChartLibrary;
extern const std::string_view kWorldCoastlines;

std::string ReportPage(std::string_view statsJson, std::string_view heading, std::string_view counts) {
  JsonWriter title;
  title.BeginObject(true).Key("heading").String(heading).Key("counts").String(counts).EndObject();
  const std::string titleJson = title.Take();
  // Markers are looked for in the template only, never in what replaces them. The JSON escapes
  // "<", so no text can end the script element it stands in.
  const std::array<std::pair<std::string_view, std::string_view>, 4> fills = {{{"@CHART_LIBRARY@", kChartLibrary},
                                                                               {"@COASTLINES@", kWorldCoastlines},
                                                                               {"@STATS_JSON@", statsJson},
                                                                               {"@TITLE_JSON@", titleJson}}};

  std::string page;
  page.reserve(kReportPageTemplate.size() + kChartLibrary.size() + kWorldCoastlines.size() + statsJson.size() +
               titleJson.size());
  std::size_t from = 0;
  for (const auto& [marker, text] : fills) {
    const std::size_t at = kReportPageTemplate.find(marker, from);
    if (at == std::string_view::npos) throw std::logic_error("the report template lacks " + std::string(marker));
    page.append(kReportPageTemplate.substr(from, at - from)).append(text);
    from = at + marker.size();
  }
  return page.append(kReportPageTemplate.substr(from));
}

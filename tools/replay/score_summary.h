// The plug-in's summary text read back into numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct BandScore {
  std::string band;  // "80m", or "Total"
  long long qsos = 0, points = 0, dxcc = 0, newCalls = 0;
};

struct ScoreSummary {
  std::vector<BandScore> bands;  // in the summary's order
  BandScore total;
  long long score = 0;
};

// Nothing when the text lacks its totals or its score line.
std::optional<ScoreSummary> ReadScoreSummary(std::string_view text);

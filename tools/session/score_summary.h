// The plug-in's summary text read back into numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest_rules.h"

struct BandScore {
  std::string band;  // "80m", or "Total"
  long long qsos = 0, points = 0, dxcc = 0, newCalls = 0;
};

struct ScoreSummary {
  std::vector<BandScore> bands;  // in the summary's order
  BandScore total;
  long long score = 0;  // as the plug-in wrote it

  // The score of the totals without the plug-in's 32-bit arithmetic, which wraps past 2^31 - 1.
  long long FullScore() const { return Score(total.points, total.dxcc, total.newCalls); }
};

// Nothing when the text lacks its totals or its score line.
std::optional<ScoreSummary> ReadScoreSummary(std::string_view text);

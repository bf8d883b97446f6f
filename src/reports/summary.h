// The score: one line per band, the totals, the formula; and the per-band lists the windows show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contest_log.h"

// Closes the summary outside a report run: CR LF, then one line without a line end.
inline constexpr std::string_view kCreditLine = "\r\nPSK-63-TORVALE scored by Stats.dll";

struct Summary {
  std::string text;             // CR LF line ends
  std::int32_t claimed = 0;     // points times entities, stored as "Claimed"
};

// Sorts the band list in place (the windows and the next summary keep that order) and rebuilds
// BandDxcc and BandCalls for every listed band of the six.
Summary BuildSummary(Contest& contest);

// The band list's order: names zero-padded to 20 characters, descending; "160m" before "80m".
void SortBandList(std::vector<std::string>& bands);

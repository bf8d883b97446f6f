// The score: one line per band, the totals, the formula; and the per-band lists the windows show.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest_log.h"

// Closes the summary outside a report run: CR LF, then one line without a line end.
inline constexpr std::string_view kCreditLine = "\r\nPSK-63-TORVALE scored by Stats.dll";

// One band's distinct entities and distinct calls, in order of first occurrence.
struct BandLists {
  std::vector<std::string> dxcc;   // e.g. "Germany"
  std::vector<std::string> calls;  // e.g. "DL1ABC"
};

struct Summary {
  std::string text;             // CR LF line ends
  std::int32_t claimed = 0;     // points times entities, stored as "Claimed"
  std::vector<std::string> bands;  // the band list sorted: the next summary and the windows keep it
  // Rebuilt for every listed band of the six, by slot; the other slots keep the lists they have.
  std::array<std::optional<BandLists>, kBandCount> lists;
};

// The summary of the contest as it stands, with what the module keeps of it.
Summary BuildSummary(const Contest& contest);

// The band list's order: names zero-padded to 20 characters, descending; "160m" before "80m".
void SortBandList(std::vector<std::string>& bands);

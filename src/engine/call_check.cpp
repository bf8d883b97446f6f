// Call check: no entity means no multiplier, then dupe, then multiplier already worked.
#include "call_check.h"

#include <algorithm>

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsBandMismatch(const CallCheckQuery& query) {
  if (!query.band || !query.otherBand) return false;
  return !std::equal(query.band->begin(), query.band->end(), query.otherBand->begin(),
                     query.otherBand->end(), [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

CallCheckResult ClassifyCall(const LogEntries& log, const CallCheckQuery& query) {
  // A call without an entity is never a new multiplier, even when it is a dupe.
  if (query.dxcc.empty()) return CallCheckResult::NotNewMultiplier;
  std::string_view band = query.band.value_or(std::string_view{});
  if (log.CountCallOnBand(query.call, band) != 0) return CallCheckResult::Dupe;
  if (log.HasMultKeyOnBand(band, query.multKey)) return CallCheckResult::NotNewMultiplier;
  return CallCheckResult::NewMultiplier;
}

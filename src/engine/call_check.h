// The live question "how does this call stand on this band?".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "contest_log.h"

enum class CallCheckResult : std::int32_t { Dupe = 0, NotNewMultiplier = 1, NewMultiplier = 2, BandMismatch = 4 };

struct CallCheckQuery {
  std::string_view call;
  std::string_view multKey;
  std::string_view dxcc;                 // only tested for emptiness
  std::optional<std::string_view> band;  // absent when the host passes none
  std::optional<std::string_view> otherBand;
};

// Letter case is ignored here only: the host names the band twice and a mismatch wins.
bool IsBandMismatch(const CallCheckQuery& query);

// The answer once the band mismatch has been ruled out.
CallCheckResult ClassifyCall(const LogEntries& log, const CallCheckQuery& query);

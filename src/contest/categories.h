// The contest's categories and locations, as the Cabrillo header dialog lists them and the check
// holds a log's header against them: in the order the operator sees them, not sorted, so that the
// contest's usual choice comes first.
#pragma once

#include <array>

namespace categories {

inline constexpr std::array<const char*, 3> kCategoryOperator{"SINGLE-OP", "MULTI-OP", "CHECKLOG"};
inline constexpr std::array<const char*, 2> kCategoryAssisted{"ASSISTED", "NON-ASSISTED"};
inline constexpr std::array<const char*, 3> kCategoryBand{"80M-40M", "80M", "40M"};
inline constexpr std::array<const char*, 1> kCategoryMode{"BPSK63"};
inline constexpr std::array<const char*, 3> kCategoryPower{"HIGH", "LOW", "QRP"};
inline constexpr std::array<const char*, 1> kCategoryStation{"FIXED"};
inline constexpr std::array<const char*, 3> kCategoryTransmitter{"ONE", "TWO", "UNLIMITED"};
inline constexpr std::array<const char*, 2> kCategoryOverlay{"TB-WIRES", "ROOKIE"};

// "DX" and "-/-" first, then the US states the contest counts (no HI, no MD), then the Canadian
// areas.
inline constexpr std::array<const char*, 64> kLocation{
    "DX", "-/-",
    "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA", "ID", "IL", "IN", "IA", "KS", "KY",
    "LA", "ME", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND",
    "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY",
    "NB", "NS", "QC", "ON", "MB", "SK", "AB", "BC", "NWT", "NF", "LB", "NU", "YT", "PEI"};

// What the header dialog opens with every time; a choice lasts one run.
inline constexpr const char* kDefaultOperator = kCategoryOperator[0];
inline constexpr const char* kDefaultAssisted = kCategoryAssisted[1];
inline constexpr const char* kDefaultBand = kCategoryBand[0];
inline constexpr const char* kDefaultMode = kCategoryMode[0];
inline constexpr const char* kDefaultPower = kCategoryPower[0];
inline constexpr const char* kDefaultStation = kCategoryStation[0];
inline constexpr const char* kDefaultTransmitter = kCategoryTransmitter[0];
inline constexpr const char* kDefaultLocation = kLocation[0];

}  // namespace categories

// The keys of the settings file, each spelled once. The Cabrillo header's keys are in the table
// of settings/cabrillo_header.cpp, beside the fields they hold.
#pragma once

#include <string_view>

namespace setting_keys {

inline constexpr std::string_view kMaster = "Master";    // "Use window Multiplier": 1 or 0
inline constexpr std::string_view kStart = "Start";      // alternates with every reset of the windows
inline constexpr std::string_view kClaimed = "Claimed";  // points times entities of the last score
inline constexpr std::string_view kDxccX = "dxcc_x";     // the windows' corner, one pair for both
inline constexpr std::string_view kDxccY = "dxcc_y";
inline constexpr std::string_view kMemberX = "member_x";
inline constexpr std::string_view kMemberY = "member_y";

}  // namespace setting_keys

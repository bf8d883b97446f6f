// What makes a text a call sign.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Why the call, in upper case, cannot be one: "has characters other than A-Z, 0-9 and /",
// "ends with '/'", "has no digit" and the like; nothing for a well-formed call.
std::optional<std::string> CallSignFault(std::string_view call);

// The part of a call that names the station: "OK1XYZ" of "OK1XYZ/P" and of "DL/OK1XYZ".
std::string_view StationPart(std::string_view call);

bool HasLowerCase(std::string_view text);

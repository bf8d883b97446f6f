// What makes a text a call sign.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Why the call, in upper case, cannot be one: "has characters other than A-Z, 0-9 and /",
// "has no digit" or "has no letter"; nothing for a well-formed call.
std::optional<std::string> CallSignFault(std::string_view call);

bool HasLowerCase(std::string_view text);

// Every amateur call has letters and a digit; "/" joins a prefix or a suffix to it, and neither
// side of a "/" is ever empty.
#include "call_sign.h"

#include <algorithm>

namespace {

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string> CallSignFault(std::string_view call) {
  if (!std::all_of(call.begin(), call.end(), [](char c) { return IsLetter(c) || IsDigit(c) || c == '/'; })) {
    return "has characters other than A-Z, 0-9 and /";
  }
  if (call.starts_with('/')) return "starts with '/': the part before it is missing or the '/' is left over";
  if (call.ends_with('/')) return "ends with '/': the part after it is missing or the '/' is left over";
  if (call.find("//") != std::string_view::npos) return "has nothing between two '/'";
  if (std::none_of(call.begin(), call.end(), IsDigit)) return "has no digit";
  if (std::none_of(call.begin(), call.end(), IsLetter)) return "has no letter";
  return std::nullopt;
}

std::string_view StationPart(std::string_view call) {
  std::string_view longest;
  for (std::size_t from = 0; from <= call.size();) {
    const std::size_t slash = std::min(call.find('/', from), call.size());
    if (slash - from > longest.size()) longest = call.substr(from, slash - from);
    from = slash + 1;
  }
  return longest;
}

bool HasLowerCase(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

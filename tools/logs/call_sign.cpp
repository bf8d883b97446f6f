// Every amateur call has letters and a digit; "/" joins a prefix or a suffix to it.
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
  if (std::none_of(call.begin(), call.end(), IsDigit)) return "has no digit";
  if (std::none_of(call.begin(), call.end(), IsLetter)) return "has no letter";
  return std::nullopt;
}

bool HasLowerCase(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The header tags of a Cabrillo 3.0 log: what each holds, how often it may appear, and for the tags
// that take one of a list the values the format lists beside the values this contest allows.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace cabrillo {

enum class ValueKind {
  Version,      // START-OF-LOG: "3.0"
  Nothing,      // END-OF-LOG
  Call,         // CALLSIGN: one call sign
  ContestName,  // CONTEST
  OneOf,        // one of `formatValues`
  Number,       // CLAIMED-SCORE, digits (thousands separated by commas at most)
  Text,         // free text
  Email,        // EMAIL: one address
  Calls,        // OPERATORS: calls separated by blanks, the host's call written "@CALL"
  GridLocator,  // GRID-LOCATOR: "JN58" or "JN58td"
  OffTime,      // OFFTIME: "2025-03-15 1800 2025-03-15 1930", from and to
  Qso,          // QSO, X-QSO: the QSO lines
};

struct TagRule {
  std::string_view tag;  // "CATEGORY-POWER"
  ValueKind kind;
  std::span<const std::string_view> formatValues;  // the values the format lists; OneOf only
  std::span<const char* const> contestValues;      // this contest's own; empty: the format's apply
  std::size_t maxLength = 0;                       // characters a line; 0: no limit
  std::size_t maxLines = 1;                        // lines the log may hold; 0: any number
};

// Nothing for a tag the format does not know (an "X-" tag is a program's own and not listed).
const TagRule* RuleOf(std::string_view upperCaseTag);
std::span<const TagRule> AllTagRules();

}  // namespace cabrillo

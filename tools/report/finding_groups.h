// The check's findings grouped by their kind and what of their values the page shows, for a page
// that must stay small however many QSOs share one fault.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "finding.h"

// The text with what varies from QSO to QSO put aside: a quoted value becomes '…', a word with
// a digit in it (a call, a time, a serial, a band) becomes "#", and several in a row one "#".
std::string FindingPattern(std::string_view text);

struct FindingGroup {
  Severity severity;
  std::string pattern;  // FindingPattern of the text with its quoted values put aside
  std::vector<const Finding*> findings;  // in the order given
};

// What puts two findings of one weight in one group: the kind, its wording and the patterns of the
// values a text shows unquoted (the mode in "mode CW is not ...", a tag), never the kind's words.
std::string GroupKey(const Finding& finding);

// Errors first, then warnings, then notes; within a weight in the order of each group's first finding.
std::vector<FindingGroup> GroupFindings(const std::vector<Finding>& findings);

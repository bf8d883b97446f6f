// The check's findings grouped by what they say, for a page that must stay small however many
// QSOs share one fault.
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
  std::string pattern;
  std::vector<const Finding*> findings;  // in the order given
};

// Errors first, then warnings, then notes; within a weight in the order of each group's first finding.
std::vector<FindingGroup> GroupFindings(const std::vector<Finding>& findings);

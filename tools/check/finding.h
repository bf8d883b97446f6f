// One finding of a check: a fault of the log at its line, with its weight.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "small_text.h"

// ERROR: the file to be submitted is wrong (for an ADIF log, the Cabrillo file the plug-in writes
// from it). WARNING: a QSO or a point lost, or a fault the sponsor may hold against the log.
// NOTE: worth a look, nothing wrong in itself.
enum class Severity { Error, Warning, Note };

struct Finding {
  std::size_t line = 0;  // of the record in the log file; 1 for the file as a whole
  Severity severity = Severity::Note;
  SmallText text;  // a long log with a fault a QSO holds a finding a QSO
};

const char* SeverityName(Severity severity);      // "ERROR", "WARNING", "NOTE"
std::string FindingLine(const Finding& finding);  // "ERROR line 12: ..."

struct FindingCounts {
  std::size_t errors = 0, warnings = 0, notes = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);
std::string CountLine(const FindingCounts& counts);  // "Check: 0 errors, 2 warnings, 12 notes"

// The check a contester runs before submitting: every fault of a log, with what the plug-in made
// of it, as one finding per fault at the line of the record at fault.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "call_list.h"
#include "log_file.h"
#include "replayed_log.h"

// ERROR: the file to be submitted is wrong (for an ADIF log, the Cabrillo file the plug-in writes
// from it). WARNING: a QSO or a point lost, or a fault the sponsor may hold against the log.
// NOTE: worth a look, nothing wrong in itself.
enum class Severity { Error, Warning, Note };

struct Finding {
  std::size_t line = 0;  // of the record in the log file; 1 for the file as a whole
  Severity severity = Severity::Note;
  std::string text;
};

struct CheckChoices {
  std::optional<double> periodStart, periodEnd;  // from the start up to, not including, the end
  const CallList* knownCalls = nullptr;          // none: calls are not looked up
};

// In line order, the findings of one line in the order the checks run.
std::vector<Finding> CheckLog(const LogFile& log, const ReplayedLog& replayed, const CheckChoices& choices);

const char* SeverityName(Severity severity);      // "ERROR", "WARNING", "NOTE"
std::string FindingLine(const Finding& finding);  // "ERROR line 12: ..."

struct FindingCounts {
  std::size_t errors = 0, warnings = 0, notes = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);
std::string CountLine(const FindingCounts& counts);  // "Check: 0 errors, 2 warnings, 12 notes"

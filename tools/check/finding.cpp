// The text forms of findings and their count.
#include "finding.h"

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "ERROR";
    case Severity::Warning:
      return "WARNING";
    case Severity::Note:
      return "NOTE";
  }
  return "";
}

std::string FindingLine(const Finding& finding) {
  return std::string(SeverityName(finding.severity)) + " line " + std::to_string(finding.line) + ": " +
         finding.text.str();
}

FindingCounts CountFindings(const std::vector<Finding>& findings) {
  FindingCounts counts;
  for (const Finding& f : findings) {
    ++(f.severity == Severity::Error     ? counts.errors
       : f.severity == Severity::Warning ? counts.warnings
                                         : counts.notes);
  }
  return counts;
}

std::string CountLine(const FindingCounts& counts) {
  auto plural = [](std::size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); };
  return "Check: " + plural(counts.errors, "error") + ", " + plural(counts.warnings, "warning") + ", " +
         plural(counts.notes, "note");
}

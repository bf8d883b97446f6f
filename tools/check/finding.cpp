// The findings' values packed and read back, their lines and their count.
#include "finding.h"

#include <cstring>

#include "counted.h"
#include "finding_text.h"

namespace {

// A value's length in one byte, or kLongValue and four bytes after it.
constexpr unsigned char kLongValue = 0xFF;

}  // namespace

SmallText PackValues(std::initializer_list<std::string_view> values) {
  std::string packed;
  for (std::string_view v : values) {
    if (v.size() < kLongValue) {
      packed += static_cast<char>(v.size());
    } else {
      const std::uint32_t size = static_cast<std::uint32_t>(v.size());
      char bytes[sizeof size];
      std::memcpy(bytes, &size, sizeof size);
      packed += static_cast<char>(kLongValue);
      packed.append(bytes, sizeof bytes);
    }
    packed += v;
  }
  return SmallText(packed);
}

FindingValues::FindingValues(const Finding& finding) {
  const std::string_view packed = finding.values;
  for (std::size_t at = 0; at < packed.size() && count_ < values_.size();) {
    std::size_t size = static_cast<unsigned char>(packed[at++]);
    if (size == kLongValue) {
      std::uint32_t longSize = 0;
      std::memcpy(&longSize, packed.data() + at, sizeof longSize);
      at += sizeof longSize;
      size = longSize;
    }
    values_[count_++] = packed.substr(at, size);
    at += size;
  }
}

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
         FindingText(finding);
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
  return "Check: " + Counted(counts.errors, "error") + ", " + Counted(counts.warnings, "warning") + ", " +
         Counted(counts.notes, "note");
}

// A quote opens after a blank or at the start and closes before a blank, a stop or the end, so
// that the apostrophe of "the contest's start" is no quote.
#include "finding_groups.h"

#include <algorithm>
#include <unordered_map>

#include "finding_text.h"
#include "shown_text.h"

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '.' ||
         c == '-' || c == '+';
}

bool EndsQuote(std::string_view text, std::size_t at) {
  return at + 1 == text.size() || std::string_view(" ,;:)").find(text[at + 1]) != std::string_view::npos;
}

}  // namespace

std::string FindingPattern(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\'' && (i == 0 || text[i - 1] == ' ')) {
      std::size_t close = i + 1;
      while (close < text.size() && !(text[close] == '\'' && EndsQuote(text, close))) ++close;
      if (close < text.size()) {
        out += "'\xE2\x80\xA6'";
        i = close + 1;
        continue;
      }
    }
    if (!IsWordChar(text[i])) {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsWordChar(text[end])) ++end;
    // A stop after a word ends the sentence, it is not part of a number.
    std::size_t wordEnd = end;
    while (wordEnd > i + 1 && text[wordEnd - 1] == '.') --wordEnd;
    const std::string_view word = text.substr(i, wordEnd - i);
    if (word.find_first_of("0123456789") == std::string_view::npos) {
      out += word;
    } else if (!out.ends_with("# ")) {
      out += "#";
    } else {
      out.pop_back();  // "# # #", a line quoted field by field, is one "#"
    }
    out += text.substr(wordEnd, end - wordEnd);
    i = end;
  }
  return out;
}

// A kind's words and the places of its quoted values follow from the kind, its wording and its
// problem lines, so the key leaves them out: only a value shown as it stands can make two findings
// of one form read differently. Two kinds read as another: CATEGORY-BAND 'ALL', a kind of its own
// for the cross-check, as any category of the format's that this contest does not list; the plan's
// notes, in their own words as the readers' problems are. Each is grouped with those.
std::string GroupKey(const Finding& finding) {
  class Key final : public FindingWriter {
   public:
    void Words(std::string_view) override {}
    void Quoted(std::string_view) override {}
    void Value(std::string_view value) override {
      key += FindingPattern(Shown(value));
      key += '\0';  // no value shown holds one
    }
    std::string key;
  } out;
  const FindingKind kind = finding.kind == FindingKind::CategoryBandAll ? FindingKind::NotAContestValue
                           : finding.kind == FindingKind::EntityNote    ? FindingKind::ReadingProblem
                                                                        : finding.kind;
  out.key += static_cast<char>(kind);
  out.key += static_cast<char>(finding.wording);
  out.key += static_cast<char>(finding.problemLines);
  WriteFinding(finding, out);
  return std::move(out.key);
}

namespace {

// The text with each quoted value as '…', its pattern whatever the value holds.
std::string PatternOf(const Finding& finding) {
  class Hidden final : public FindingWriter {
   public:
    void Words(std::string_view words) override { text += words; }
    void Quoted(std::string_view) override { text += "'\xE2\x80\xA6'"; }
    void Value(std::string_view value) override { text += Shown(value); }
    std::string text;
  } out;
  WriteFinding(finding, out);
  return FindingPattern(out.text);
}

}  // namespace

std::vector<FindingGroup> GroupFindings(const std::vector<Finding>& findings) {
  std::vector<FindingGroup> groups;
  // One table per weight, as a key holds no weight.
  std::unordered_map<std::string, std::size_t> index[static_cast<std::size_t>(Severity::Note) + 1];
  for (const Finding& f : findings) {
    auto [it, added] = index[static_cast<std::size_t>(f.severity)].try_emplace(GroupKey(f), groups.size());
    if (added) groups.push_back({f.severity, PatternOf(f), {}});
    groups[it->second].findings.push_back(&f);
  }
  std::stable_sort(groups.begin(), groups.end(),
                   [](const FindingGroup& a, const FindingGroup& b) { return a.severity < b.severity; });
  return groups;
}

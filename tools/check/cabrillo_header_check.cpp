// Each tag's value is held against the format's table (cabrillo_tags.h), with this contest's own
// lists where it has them. A header fault is one finding at its line: a CALLSIGN that the QSO
// lines contradict is told there, and the lines are then held against their own call.
#include "cabrillo_header_check.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <variant>

#include "cabrillo_tags.h"
#include "call_sign.h"
#include "contest_rules.h"
#include "date_text.h"
#include "host_form.h"
#include "own_call.h"

namespace {

using cabrillo::TagRule;
using cabrillo::ValueKind;

// Without these the log cannot be told apart or put into its category.
constexpr std::array<std::string_view, 4> kRequired = {"CONTEST", "CALLSIGN", "CATEGORY-OPERATOR", "CATEGORY-BAND"};
// The sponsor's contact with the entrant.
constexpr std::array<std::string_view, 3> kExpected = {"NAME", "ADDRESS", "EMAIL"};

template <class Values>
bool OneOf(const Values& values, std::string_view value) {
  return std::any_of(values.begin(), values.end(), [&](std::string_view v) { return SameLetters(v, value); });
}

// Tags that decide the log's class or score: a second value would leave them open.
bool DecidesTheScore(const std::string& tag) {
  return tag == "START-OF-LOG" || tag == "END-OF-LOG" || tag == "CONTEST" || tag == "CALLSIGN" ||
         tag == "CLAIMED-SCORE" || tag.starts_with("CATEGORY-");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsEmailAddress(std::string_view text) {
  const std::size_t at = text.find('@');
  if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos) return false;
  if (std::any_of(text.begin(), text.end(), [](char c) { return c <= ' ' || c == ',' || c == ';' || c > '~'; })) {
    return false;
  }
  const std::string_view domain = text.substr(at + 1);
  const std::size_t dot = domain.rfind('.');
  return dot != std::string_view::npos && dot > 0 && dot + 1 < domain.size() &&
         domain.find("..") == std::string_view::npos;
}

// "JN58", "JN58td", "JN58td42": field letters A-R, square digits, subsquare letters A-X, extended digits.
bool IsGridLocator(std::string_view grid) {
  if (grid.size() != 4 && grid.size() != 6 && grid.size() != 8) return false;
  auto letter = [&](std::size_t i, char last) {
    const char c = UpperCase(grid.substr(i, 1))[0];
    return c >= 'A' && c <= last;
  };
  if (!letter(0, 'R') || !letter(1, 'R') || !IsDigit(grid[2]) || !IsDigit(grid[3])) return false;
  if (grid.size() >= 6 && (!letter(4, 'X') || !letter(5, 'X'))) return false;
  return grid.size() < 8 || (IsDigit(grid[6]) && IsDigit(grid[7]));
}

// "2025-03-15 1800": the host's day count, or nothing.
std::optional<double> MomentOf(std::string_view date, std::string_view time) {
  const std::variant<double, DateFault> days = ReadDateTime(date, time);
  if (!std::holds_alternative<double>(days)) return std::nullopt;
  return std::get<double>(days);
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < text.size();) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    const std::size_t start = at;
    while (at < text.size() && text[at] != ' ' && text[at] != '\t') ++at;
    if (at > start) words.push_back(text.substr(start, at - start));
  }
  return words;
}

// The first byte outside printable ASCII, shown as the file has it.
std::optional<std::string> NonAscii(std::string_view text) {
  auto at = std::find_if(text.begin(), text.end(), [](char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b < 32 || b > 126;
  });
  if (at == text.end()) return std::nullopt;
  auto end = at + 1;
  while (end != text.end() && (static_cast<unsigned char>(*end) & 0xC0) == 0x80) ++end;
  return std::string(at, end);
}

class HeaderCheck {
 public:
  HeaderCheck(const LogFile& log, std::optional<long long> score, std::vector<Finding>& out)
      : log_(log), score_(score), out_(out), ownCall_(OwnCallOf(log)) {}

  void Run() {
    std::map<std::string, const CabrilloLine*> first;
    std::map<std::string, std::size_t> lines;
    const CabrilloLine* firstQso = nullptr;
    const CabrilloLine* end = nullptr;
    const CabrilloLine* start = nullptr;
    bool untaggedBefore = false;
    for (const CabrilloLine& l : log_.cabrilloLines) {
      // Told once: what follows is no part of the log, so its tags are not weighed either.
      if (end) {
        Add(l.line, Severity::Error, FindingKind::LineAfterEnd, {std::to_string(end->line)});
        break;
      }
      if (l.tag.empty()) {
        untaggedBefore = untaggedBefore || !start;
        continue;  // the reader names lines without a tag
      }
      const TagRule* rule = cabrillo::RuleOf(l.tag);
      if (rule && rule->kind == ValueKind::Qso) {
        if (!firstQso) firstQso = &l;
        continue;
      }
      if (l.tag == "END-OF-LOG" && !end) end = &l;
      if (l.tag == "START-OF-LOG" && !start) {
        start = &l;
        if (&l != &log_.cabrilloLines.front() && !untaggedBefore) {
          Add(l.line, Severity::Error, FindingKind::StartNotFirst, {});
        }
      }

      auto [seen, isFirst] = first.emplace(l.tag, &l);
      const std::size_t count = ++lines[l.tag];
      if (!isFirst && (rule ? rule->maxLines == 1 : !l.tag.starts_with("X-"))) Repeated(l, *seen->second);
      if (!rule && !l.tag.starts_with("X-")) Add(l.line, Severity::Warning, FindingKind::UnknownTag, {l.tag});
      if (firstQso && l.tag != "END-OF-LOG") {
        Add(l.line, Severity::Warning, FindingKind::TagAfterQsos, {l.tag, std::to_string(firstQso->line)});
      }
      if (rule && rule->maxLines > 1 && count == rule->maxLines + 1) {
        Add(l.line, Severity::Warning, FindingKind::TagTooOften,
            {l.tag, std::to_string(count), std::to_string(rule->maxLines)});
      }
      if (rule && (isFirst || rule->maxLines != 1)) Value(l, *rule);
    }
    if (!start && !log_.cabrilloLines.empty()) Add(1, Severity::Error, FindingKind::NoStartOfLog, {});
    for (std::string_view tag : kRequired) Missing(first, tag, Severity::Error);
    for (std::string_view tag : kExpected) Missing(first, tag, Severity::Warning);
  }

 private:
  // The same value again contradicts nothing; another value leaves the tag open.
  void Repeated(const CabrilloLine& l, const CabrilloLine& firstLine) {
    const std::string where = std::to_string(firstLine.line);
    if (SameLetters(l.value, firstLine.value)) {
      Add(l.line, Severity::Note, FindingKind::TagAgainSameValue, {l.tag, where});
    } else {
      Add(l.line, DecidesTheScore(l.tag) ? Severity::Error : Severity::Warning, FindingKind::TagAgainOtherValue,
          {l.tag, where, l.value, firstLine.value});
    }
  }

  void Value(const CabrilloLine& l, const TagRule& rule) {
    const std::string& tag = l.tag;
    const std::string& value = l.value;
    switch (rule.kind) {
      case ValueKind::Version:
        if (value != "3.0") Add(l.line, Severity::Warning, FindingKind::VersionNotThree, {value});
        break;
      case ValueKind::ContestName:
        if (!SameLetters(value, kContestName)) Add(l.line, Severity::Error, FindingKind::ContestOther, {value});
        break;
      case ValueKind::Call:
        CallSign(l);
        break;
      case ValueKind::OneOf:
        Listed(l, rule);
        break;
      case ValueKind::Number:
        ClaimedScore(l);
        break;
      case ValueKind::Email:
        if (value.empty()) {
          Add(l.line, Severity::Note, FindingKind::EmailEmpty, {});
        } else if (!IsEmailAddress(value)) {
          Add(l.line, Severity::Warning, FindingKind::EmailNoAddress, {value});
        }
        break;
      case ValueKind::Calls:
        Text(l, rule);
        Operators(l);
        break;
      case ValueKind::GridLocator:
        if (!value.empty() && !IsGridLocator(value)) {
          Add(l.line, Severity::Warning, FindingKind::GridNoLocator, {value});
        }
        break;
      case ValueKind::OffTime:
        OffTime(l);
        break;
      case ValueKind::Text:
        Text(l, rule);
        if (!rule.contestValues.empty() && !value.empty() && !OneOf(rule.contestValues, value)) {
          Add(l.line, Severity::Warning, FindingKind::NotAContestValue, {tag, value});
        }
        break;
      case ValueKind::Nothing:
      case ValueKind::Qso:
        break;
    }
  }

  void CallSign(const CabrilloLine& l) {
    const std::string& value = l.value;
    if (value.empty()) {
      Add(l.line, Severity::Error, FindingKind::CallsignEmpty, {});
    } else if (std::optional<std::string> fault = CallSignFault(UpperCase(value))) {
      Add(l.line, Severity::Error, FindingKind::CallsignNoCall, {value, *fault});
    } else if (ownCall_.headerDisagrees) {
      Add(l.line, Severity::Error, FindingKind::CallsignNotTheLines,
          {value, ownCall_.mostGiven, std::to_string(ownCall_.giving), std::to_string(ownCall_.givingAny)});
    }
  }

  // This contest's values where it has its own, the format's otherwise.
  void Listed(const CabrilloLine& l, const TagRule& rule) {
    const std::string& value = l.value;
    if (!rule.contestValues.empty()) {
      if (OneOf(rule.contestValues, value)) return;
      const FindingKind kind = !OneOf(rule.formatValues, value)                        ? FindingKind::NotAnyValue
                               : l.tag == "CATEGORY-BAND" && SameLetters(value, "ALL") ? FindingKind::CategoryBandAll
                                                                                       : FindingKind::NotAContestValue;
      Add(l.line, Severity::Warning, kind, {l.tag, value});
    } else if (!OneOf(rule.formatValues, value)) {
      Add(l.line, Severity::Warning, FindingKind::NotAFormatValue, {l.tag, value});
    }
  }

  // Free text breaks a robot by bytes outside ASCII and by its length.
  void Text(const CabrilloLine& l, const TagRule& rule) {
    if (std::optional<std::string> odd = NonAscii(l.value)) {
      Add(l.line, Severity::Warning, FindingKind::NotAscii, {l.tag, *odd});
    }
    if (rule.maxLength != 0 && l.value.size() > rule.maxLength) {
      Add(l.line, Severity::Warning, FindingKind::TooLong,
          {l.tag, std::to_string(l.value.size()), std::to_string(rule.maxLength)});
    }
  }

  void Operators(const CabrilloLine& l) {
    if (l.value.find(',') != std::string::npos) {
      // "N0CALL,DL1ABC" is two calls as much as "N0CALL, DL1ABC".
      std::string spaced = l.value;
      std::replace(spaced.begin(), spaced.end(), ',', ' ');
      std::string blanks;
      for (std::string_view call : Words(spaced)) blanks += (blanks.empty() ? "" : " ") + std::string(call);
      Add(l.line, Severity::Warning, FindingKind::OperatorsWithCommas, {l.value, blanks});
      return;
    }
    for (std::string_view word : Words(l.value)) {
      const std::string call = UpperCase(word.starts_with('@') ? word.substr(1) : word);
      if (std::optional<std::string> fault = CallSignFault(call)) {
        Add(l.line, Severity::Warning, FindingKind::OperatorsNoCall, {word, *fault});
        return;
      }
    }
  }

  void OffTime(const CabrilloLine& l) {
    const std::vector<std::string_view> w = Words(l.value);
    const std::optional<double> from = w.size() == 4 ? MomentOf(w[0], w[1]) : std::nullopt;
    const std::optional<double> to = w.size() == 4 ? MomentOf(w[2], w[3]) : std::nullopt;
    if (!from || !to) {
      Add(l.line, Severity::Warning, FindingKind::OffTimeNoBreak, {l.value});
    } else if (*to < *from) {
      Add(l.line, Severity::Warning, FindingKind::OffTimeBackwards, {l.value});
    }
  }

  void ClaimedScore(const CabrilloLine& l) {
    std::string digits = l.value;
    digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
    const bool number = !digits.empty() && digits.size() <= 18 && std::all_of(digits.begin(), digits.end(), IsDigit);
    if (!number) {
      Add(l.line, Severity::Error, FindingKind::ClaimedScoreNoNumber, {l.value});
    } else if (score_ && std::stoll(digits) != *score_) {
      Add(l.line, Severity::Error, FindingKind::ClaimedScoreWrong, {l.value, std::to_string(*score_)});
    }
  }

  void Missing(const std::map<std::string, const CabrilloLine*>& first, std::string_view tag, Severity severity) {
    if (!first.count(std::string(tag))) Add(1, severity, FindingKind::TagMissing, {tag});
  }

  void Add(std::size_t line, Severity severity, FindingKind kind, std::initializer_list<std::string_view> values) {
    out_.push_back({line, severity, kind, 0, ProblemLines::None, PackValues(values)});
  }

  const LogFile& log_;
  std::optional<long long> score_;
  std::vector<Finding>& out_;
  const LogOwnCall ownCall_;
};

}  // namespace

void CheckCabrilloHeader(const LogFile& log, std::optional<long long> score, std::vector<Finding>& out) {
  HeaderCheck(log, score, out).Run();
}

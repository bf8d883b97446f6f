// Cabrillo 3.0 limits: NAME, OPERATORS and each SOAPBOX line at most 75 characters, at most six
// ADDRESS lines of 45. This contest's own values are not faults: CATEGORY-BAND "80M-40M" is one of
// its categories.
#include "cabrillo_header_check.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

#include "call_sign.h"
#include "categories.h"
#include "contest_rules.h"
#include "host_form.h"

namespace {

constexpr std::array<std::string_view, 32> kKnownTags = {"START-OF-LOG",
                                                         "END-OF-LOG",
                                                         "CALLSIGN",
                                                         "CONTEST",
                                                         "CATEGORY-ASSISTED",
                                                         "CATEGORY-BAND",
                                                         "CATEGORY-MODE",
                                                         "CATEGORY-OPERATOR",
                                                         "CATEGORY-POWER",
                                                         "CATEGORY-STATION",
                                                         "CATEGORY-TIME",
                                                         "CATEGORY-TRANSMITTER",
                                                         "CATEGORY-OVERLAY",
                                                         "CERTIFICATE",
                                                         "CLAIMED-SCORE",
                                                         "CLUB",
                                                         "CREATED-BY",
                                                         "EMAIL",
                                                         "GRID-LOCATOR",
                                                         "LOCATION",
                                                         "NAME",
                                                         "ADDRESS",
                                                         "ADDRESS-CITY",
                                                         "ADDRESS-STATE-PROVINCE",
                                                         "ADDRESS-POSTALCODE",
                                                         "ADDRESS-COUNTRY",
                                                         "OPERATORS",
                                                         "OFFTIME",
                                                         "SOAPBOX",
                                                         "QSO",
                                                         "X-QSO",
                                                         "DEBUG"};

// Tags a log may hold more than once.
constexpr std::array<std::string_view, 6> kRepeatable = {"ADDRESS", "SOAPBOX", "OPERATORS", "OFFTIME", "QSO", "X-QSO"};

// Without these the log cannot be told apart or put into its category.
constexpr std::array<std::string_view, 4> kRequired = {"CONTEST", "CALLSIGN", "CATEGORY-OPERATOR", "CATEGORY-BAND"};
// The sponsor's contact with the entrant.
constexpr std::array<std::string_view, 3> kExpected = {"NAME", "ADDRESS", "EMAIL"};

template <class Value, std::size_t N>
bool OneOf(const std::array<Value, N>& values, std::string_view value) {
  return std::any_of(values.begin(), values.end(), [&](std::string_view v) { return SameLetters(v, value); });
}

template <class Value, std::size_t N>
std::string Listed(const std::array<Value, N>& values) {
  std::string text;
  for (std::string_view v : values) text += (text.empty() ? "" : ", ") + std::string(v);
  return text;
}

bool IsQsoTag(const std::string& tag) { return tag == "QSO" || tag == "X-QSO"; }

// Tags that decide the log's class or score: a second value would leave them open.
bool DecidesTheScore(const std::string& tag) {
  return tag == "START-OF-LOG" || tag == "END-OF-LOG" || tag == "CONTEST" || tag == "CALLSIGN" ||
         tag == "CLAIMED-SCORE" || tag.starts_with("CATEGORY-");
}

bool IsEmailAddress(std::string_view text) {
  const std::size_t at = text.find('@');
  if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos) return false;
  if (std::any_of(text.begin(), text.end(), [](char c) { return c <= ' ' || c == ',' || c == ';'; })) return false;
  const std::string_view domain = text.substr(at + 1);
  const std::size_t dot = domain.rfind('.');
  return dot != std::string_view::npos && dot > 0 && dot + 1 < domain.size() &&
         domain.find("..") == std::string_view::npos;
}

class HeaderCheck {
 public:
  HeaderCheck(const LogFile& log, std::optional<long long> score, std::vector<Finding>& out)
      : log_(log), score_(score), out_(out) {}

  void Run() {
    std::map<std::string, const CabrilloLine*> first;
    std::size_t addressLines = 0;
    const CabrilloLine* firstQso = nullptr;
    const CabrilloLine* end = nullptr;
    for (const CabrilloLine& l : log_.cabrilloLines) {
      // Told once: what follows is no part of the log, so its tags are not weighed either.
      if (end) {
        Add(l.line, Severity::Error,
            "this line follows END-OF-LOG: (line " + std::to_string(end->line) +
                "); nothing after it is part of the log");
        break;
      }
      if (l.tag.empty()) continue;  // the reader names lines without a tag
      if (IsQsoTag(l.tag)) {
        if (!firstQso) firstQso = &l;
        continue;
      }
      if (l.tag == "END-OF-LOG" && !end) end = &l;

      auto [seen, isFirst] = first.emplace(l.tag, &l);
      if (!isFirst && !OneOf(kRepeatable, l.tag)) {
        Add(l.line, DecidesTheScore(l.tag) ? Severity::Error : Severity::Warning,
            l.tag + ": appears a second time (first at line " + std::to_string(seen->second->line) + ")");
      }
      if (!OneOf(kKnownTags, l.tag) && !l.tag.starts_with("X-")) {
        Add(l.line, Severity::Warning, "unknown tag " + l.tag + ": is not a Cabrillo 3.0 tag");
      }
      if (firstQso && l.tag != "END-OF-LOG") {
        Add(l.line, Severity::Warning,
            l.tag + ": comes after the first QSO line (line " + std::to_string(firstQso->line) +
                "); the header goes before the QSOs");
      }
      if (l.tag == "ADDRESS" && ++addressLines == 7) {
        Add(l.line, Severity::Warning, "a seventh ADDRESS: line; Cabrillo allows six");
      }
      Value(l, isFirst);
    }
    for (std::string_view tag : kRequired) Missing(first, tag, Severity::Error);
    for (std::string_view tag : kExpected) Missing(first, tag, Severity::Warning);
  }

 private:
  void Value(const CabrilloLine& l, bool isFirst) {
    const std::string& tag = l.tag;
    const std::string& value = l.value;
    if (tag == "START-OF-LOG" && value != "3.0") {
      Add(l.line, Severity::Warning, "START-OF-LOG: version '" + value + "'; this contest's logs are Cabrillo 3.0");
    } else if (tag == "CONTEST" && !SameLetters(value, kContestName)) {
      Add(l.line, Severity::Error, "CONTEST: '" + value + "' is not " + std::string(kContestName));
    } else if (tag == "CALLSIGN") {
      if (value.empty()) {
        Add(l.line, Severity::Error, "CALLSIGN: is empty");
      } else if (std::optional<std::string> fault = CallSignFault(UpperCase(value))) {
        Add(l.line, Severity::Error, "CALLSIGN: '" + value + "' " + *fault);
      }
    } else if (tag == "CATEGORY-OPERATOR" && !OneOf(categories::kCategoryOperator, value)) {
      Add(l.line, Severity::Warning,
          "CATEGORY-OPERATOR: '" + value + "' is none of this contest's " + Listed(categories::kCategoryOperator));
    } else if (tag == "CATEGORY-BAND" && !OneOf(categories::kCategoryBand, value)) {
      Add(l.line, Severity::Warning,
          "CATEGORY-BAND: '" + value + "' is none of this contest's " + Listed(categories::kCategoryBand));
    } else if ((tag == "NAME" || tag == "OPERATORS" || tag == "SOAPBOX") && value.size() > 75) {
      Add(l.line, Severity::Warning,
          tag + ": is " + std::to_string(value.size()) + " characters long; Cabrillo allows 75 a line");
    } else if (tag == "ADDRESS" && value.size() > 45) {
      Add(l.line, Severity::Warning,
          "ADDRESS: is " + std::to_string(value.size()) + " characters long; Cabrillo allows 45 a line");
    } else if (tag == "EMAIL") {
      if (value.empty()) {
        Add(l.line, Severity::Note, "EMAIL: is empty: the sponsor has no address to confirm the log to");
      } else if (!IsEmailAddress(value)) {
        Add(l.line, Severity::Warning, "EMAIL: '" + value + "' is not an e-mail address");
      }
    } else if (tag == "CLAIMED-SCORE" && isFirst) {
      ClaimedScore(l);
    }
  }

  void ClaimedScore(const CabrilloLine& l) {
    std::string digits = l.value;
    digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
    const bool number = !digits.empty() && digits.size() <= 18 &&
                        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!number) {
      Add(l.line, Severity::Error, "CLAIMED-SCORE: '" + l.value + "' is no number");
    } else if (score_ && std::stoll(digits) != *score_) {
      Add(l.line, Severity::Error,
          "CLAIMED-SCORE: " + l.value + " is not " + std::to_string(*score_) +
              ", the score the plug-in computes from this log");
    }
  }

  void Missing(const std::map<std::string, const CabrilloLine*>& first, std::string_view tag, Severity severity) {
    if (!first.count(std::string(tag))) Add(1, severity, "the header has no " + std::string(tag) + ": line");
  }

  void Add(std::size_t line, Severity severity, std::string text) { out_.push_back({line, severity, std::move(text)}); }

  const LogFile& log_;
  std::optional<long long> score_;
  std::vector<Finding>& out_;
};

}  // namespace

void CheckCabrilloHeader(const LogFile& log, std::optional<long long> score, std::vector<Finding>& out) {
  HeaderCheck(log, score, out).Run();
}

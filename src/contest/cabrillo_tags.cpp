// The values are those of the Cabrillo 3.0 format for its header tags. This contest's own lists
// (categories.h, which the header dialog offers) are narrower for band, station, transmitter and
// overlay, and its own for the mode ("BPSK63") and the band "80M-40M": a value of the contest's
// list is never a fault, a value of the format's list that the contest does not offer is one.
#include "cabrillo_tags.h"

#include <algorithm>
#include <array>

#include "categories.h"

namespace cabrillo {

namespace {

using std::string_view_literals::operator""sv;

constexpr std::array kAssisted = {"ASSISTED"sv, "NON-ASSISTED"sv};
constexpr std::array kBand = {"ALL"sv,  "160M"sv, "80M"sv,  "40M"sv,  "20M"sv,  "15M"sv,   "10M"sv,
                              "6M"sv,   "4M"sv,   "2M"sv,   "222"sv,  "432"sv,  "902"sv,   "1.2G"sv,
                              "2.3G"sv, "3.4G"sv, "5.7G"sv, "10G"sv,  "24G"sv,  "47G"sv,   "75G"sv,
                              "122G"sv, "134G"sv, "241G"sv, "LIGHT"sv, "VHF-3-BAND"sv, "VHF-FM-ONLY"sv};
constexpr std::array kMode = {"CW"sv, "DIGI"sv, "FM"sv, "RTTY"sv, "SSB"sv, "MIXED"sv};
constexpr std::array kOperator = {"SINGLE-OP"sv, "MULTI-OP"sv, "CHECKLOG"sv};
constexpr std::array kPower = {"HIGH"sv, "LOW"sv, "QRP"sv};
constexpr std::array kStation = {"DISTRIBUTED"sv,     "FIXED"sv,      "MOBILE"sv, "PORTABLE"sv,
                                 "ROVER"sv,           "ROVER-LIMITED"sv, "ROVER-UNLIMITED"sv,
                                 "EXPEDITION"sv,      "HQ"sv,         "SCHOOL"sv, "EXPLORER"sv};
constexpr std::array kTime = {"6-HOURS"sv, "8-HOURS"sv, "12-HOURS"sv, "24-HOURS"sv};
constexpr std::array kTransmitter = {"ONE"sv, "TWO"sv, "LIMITED"sv, "UNLIMITED"sv, "SWL"sv};
constexpr std::array kOverlay = {"CLASSIC"sv, "ROOKIE"sv, "TB-WIRES"sv, "YOUTH"sv, "NOVICE-TECH"sv, "OVER-50"sv};
constexpr std::array kCertificate = {"YES"sv, "NO"sv};

// NAME and every SOAPBOX and OPERATORS line at most 75 characters; at most six ADDRESS lines of 45.
const std::array kRules = {
    TagRule{"START-OF-LOG", ValueKind::Version, {}, {}},
    TagRule{"END-OF-LOG", ValueKind::Nothing, {}, {}},
    TagRule{"CALLSIGN", ValueKind::Call, {}, {}},
    TagRule{"CONTEST", ValueKind::ContestName, {}, {}},
    TagRule{"CATEGORY-ASSISTED", ValueKind::OneOf, kAssisted, categories::kCategoryAssisted},
    TagRule{"CATEGORY-BAND", ValueKind::OneOf, kBand, categories::kCategoryBand},
    TagRule{"CATEGORY-MODE", ValueKind::OneOf, kMode, categories::kCategoryMode},
    TagRule{"CATEGORY-OPERATOR", ValueKind::OneOf, kOperator, categories::kCategoryOperator},
    TagRule{"CATEGORY-POWER", ValueKind::OneOf, kPower, categories::kCategoryPower},
    TagRule{"CATEGORY-STATION", ValueKind::OneOf, kStation, categories::kCategoryStation},
    TagRule{"CATEGORY-TIME", ValueKind::OneOf, kTime, {}},
    TagRule{"CATEGORY-TRANSMITTER", ValueKind::OneOf, kTransmitter, categories::kCategoryTransmitter},
    TagRule{"CATEGORY-OVERLAY", ValueKind::OneOf, kOverlay, categories::kCategoryOverlay},
    TagRule{"CERTIFICATE", ValueKind::OneOf, kCertificate, {}},
    TagRule{"CLAIMED-SCORE", ValueKind::Number, {}, {}},
    TagRule{"CLUB", ValueKind::Text, {}, {}},
    TagRule{"CREATED-BY", ValueKind::Text, {}, {}},
    TagRule{"EMAIL", ValueKind::Email, {}, {}},
    TagRule{"GRID-LOCATOR", ValueKind::GridLocator, {}, {}},
    TagRule{"LOCATION", ValueKind::Text, {}, categories::kLocation},
    TagRule{"NAME", ValueKind::Text, {}, {}, 75},
    TagRule{"ADDRESS", ValueKind::Text, {}, {}, 45, 6},
    TagRule{"ADDRESS-CITY", ValueKind::Text, {}, {}},
    TagRule{"ADDRESS-STATE-PROVINCE", ValueKind::Text, {}, {}},
    TagRule{"ADDRESS-POSTALCODE", ValueKind::Text, {}, {}},
    TagRule{"ADDRESS-COUNTRY", ValueKind::Text, {}, {}},
    TagRule{"OPERATORS", ValueKind::Calls, {}, {}, 75, 0},
    TagRule{"OFFTIME", ValueKind::OffTime, {}, {}, 0, 0},
    TagRule{"SOAPBOX", ValueKind::Text, {}, {}, 75, 0},
    TagRule{"DEBUG", ValueKind::Text, {}, {}},
    TagRule{"QSO", ValueKind::Qso, {}, {}, 0, 0},
    TagRule{"X-QSO", ValueKind::Qso, {}, {}, 0, 0},
};

}  // namespace

const TagRule* RuleOf(std::string_view upperCaseTag) {
  auto it = std::find_if(kRules.begin(), kRules.end(), [&](const TagRule& r) { return r.tag == upperCaseTag; });
  return it == kRules.end() ? nullptr : &*it;
}

std::span<const TagRule> AllTagRules() { return kRules; }

}  // namespace cabrillo

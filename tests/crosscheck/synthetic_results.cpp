// The figures need not add up as a check's would: the tables only rank, sum and page them.
#include "synthetic_results.h"

#include <array>
#include <random>

#include "categories.h"
#include "contest_rules.h"
#include "report_names.h"
#include "shown_text.h"

namespace {

constexpr std::array<const char*, 24> kPrefixes = {"DL", "OK", "SP", "G",  "K",  "W",  "JA", "VK",
                                                   "EA", "I",  "F",  "ON", "PA", "LY", "OH", "SM",
                                                   "HA", "YO", "UA", "LZ", "9A", "S5", "N",  "VE"};
constexpr std::array<const char*, 9> kEntities = {
    "Fed. Rep. of Germany", "Czech Republic", "Poland", "England", "United States", "Japan",
    "Juan de Nova, Europa", "Australia",      ""};
constexpr std::array<const char*, 7> kContinents = {"EU", "EU", "EU", "NA", "AS", "OC", ""};
constexpr std::array<const char*, 9> kClubs = {"Torvale Radio Club",
                                               "torvale radio club",
                                               " TORVALE RADIO CLUB ",
                                               "PSK Friends",
                                               "psk friends",
                                               "Club <one>, two",
                                               "",
                                               "",
                                               ""};

std::string Pick(std::mt19937& random, const auto& values) { return values[random() % values.size()]; }

// A category field: mostly the contest's values, some in lower case, some none or no value of
// the contest's.
template <std::size_t N>
std::string Category(std::mt19937& random, const std::array<const char*, N>& values) {
  const unsigned roll = random() % 10;
  if (roll == 0) return "";
  if (roll == 1) return "bogus";
  std::string value = values[random() % N];
  if (roll == 2) {
    for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return value;
}

}  // namespace

std::vector<LogResult> SyntheticResults(std::size_t logs, unsigned seed) {
  std::mt19937 random(seed);
  const std::array<std::string, 7> odd = {"DL#1",
                                          "W1 AB",
                                          "K<1>",
                                          std::string("DL\x1b") + "1A",
                                          "\xc3\x96"
                                          "1AB",
                                          "X",
                                          "OK%41"};
  std::vector<LogResult> results(logs);
  std::vector<std::string> calls;
  // Ties: scores drawn from fewer values than there are logs.
  const unsigned values = static_cast<unsigned>(std::max<std::size_t>(2, logs / 3));
  for (std::size_t i = 0; i < logs; ++i) {
    LogResult& r = results[i];
    if (i < odd.size()) {
      r.call = odd[i];
    } else {
      // Unique: the number in base 26 after the prefix and a digit.
      std::string suffix;
      for (std::size_t n = i; suffix.empty() || n > 0; n /= 26) suffix += static_cast<char>('A' + n % 26);
      r.call = std::string(kPrefixes[i % kPrefixes.size()]) + std::to_string(i % 10) + suffix;
    }
    calls.push_back(r.call);
    r.file = "/logs/" + r.call + ".log";
    // A checklog is one log in twenty, as in a contest.
    r.header.categoryOperator = Category(random, std::array<const char*, 2>{"SINGLE-OP", "MULTI-OP"});
    r.header.categoryBand = random() % 8 == 0 ? "all" : Category(random, categories::kCategoryBand);
    r.header.categoryPower = Category(random, categories::kCategoryPower);
    r.header.categoryAssisted = Category(random, categories::kCategoryAssisted);
    r.header.categoryTransmitter = Category(random, categories::kCategoryTransmitter);
    r.header.categoryOverlay = random() % 3 == 0 ? Category(random, categories::kCategoryOverlay) : "";
    if (i % 20 == 19) r.header.categoryOperator = "CHECKLOG";
    r.checklog = IsChecklog(r.header.categoryOperator);
    r.category = r.header.categoryOperator;
    r.header.club = Pick(random, kClubs);
    r.entity = Pick(random, kEntities);
    r.continent = r.entity.empty() ? "" : Pick(random, kContinents);
    r.qsos = 50 + random() % 3000;
    r.removed = random() % 40;
    r.kept = r.qsos - r.removed;
    for (std::size_t left = r.removed; left > 0; --left)
      ++r.removedBy[static_cast<std::size_t>(kRemovingDecisions[random() % 9])];
    r.multipliers = 10 + random() % 300;
    r.checked = static_cast<long long>(random() % values) * 1009;
    if (random() % 100 == 0) r.checked += 3'000'000'000LL;
    if (random() % 4 != 0) r.claimed = r.checked + static_cast<long long>(random() % 5000);
  }
  const std::vector<std::string> names = ReportNames(calls);
  for (std::size_t i = 0; i < logs; ++i) results[i].reportName = names[i];
  return results;
}

std::string SyntheticSummary(const std::vector<LogResult>& results, std::size_t longLists) {
  std::string out = std::to_string(results.size()) + " logs cross-checked\n\n  confirmed  1000  90.0 %  kept\n";
  out += "\nLogs with a clock offset, corrected (" + std::to_string(longLists) + "):\n";
  for (std::size_t i = 0; i < longLists; ++i) out += "  " + Shown(results[i % results.size()].call) + ": +5 minutes\n";
  out += "\nFiles passed over:\n";
  for (std::size_t i = 0; i < longLists; ++i) out += "  old-" + std::to_string(i) + ".log: another file\n";
  return out;
}

std::string SyntheticReport(const LogResult& r) {
  return "Check of " + Shown(r.call) + " (" + Shown(r.file.filename().string()) + ")\n" + std::to_string(r.qsos) +
         " QSOs checked: " + std::to_string(r.kept) + " kept, " + std::to_string(r.removed) +
         " removed\n\nline 12: QSO:  3580 PM 2025-03-15 1200 " + Shown(r.call) +
         " 599 0001 OK1BB 599 0001 | <not in log>, removed & noted\n";
}

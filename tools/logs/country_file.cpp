// cty.dat: per entity a line "name: CQ: ITU: continent: lat: long: UTC offset: primary prefix:"
// (longitudes count west) then its prefixes and "=CALL" entries, separated by commas and closed by
// ";". An entry may carry overrides: (CQ) [ITU] <lat/long> {continent} ~offset~. A primary prefix
// starting with "*" marks a region counted as an entity only outside DXCC.
#include "country_file.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "contest_rules.h"
#include "host_form.h"
#include "text_files.h"

namespace {

struct RawEntity {
  std::string name, continent, primaryPrefix;
  std::vector<std::string> entries;
  std::optional<GeoPosition> position;
};

std::optional<double> Degrees(const std::string& text, double limit) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || !(value >= -limit && value <= limit)) return std::nullopt;
  return value;
}

// A position the file gets wrong costs the entity its place on a map, never the file its use.
std::optional<GeoPosition> PositionOf(const std::string& latitude, const std::string& westLongitude) {
  const std::optional<double> lat = Degrees(latitude, 90.0), west = Degrees(westLongitude, 180.0);
  if (!lat || !west) return std::nullopt;
  return GeoPosition{*lat, *west == 0.0 ? 0.0 : -*west};
}

std::size_t LineAt(std::string_view text, std::size_t pos) {
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

std::vector<RawEntity> ParseDat(std::string_view text, const std::string& name) {
  std::vector<RawEntity> entities;
  auto fault = [&](std::size_t pos, const std::string& what) {
    return std::runtime_error(name + ":" + std::to_string(LineAt(text, pos)) + ": " + what);
  };
  std::size_t pos = 0;
  for (;;) {
    pos = text.find_first_not_of(" \t\r\n", pos);
    if (pos == std::string_view::npos) break;
    const std::size_t start = pos;
    const std::size_t semicolon = text.find(';', pos);
    std::string fields[8];
    for (std::string& field : fields) {
      const std::size_t colon = text.find(':', pos);
      if (colon == std::string_view::npos || colon > semicolon) throw fault(start, "entity line without its 8 fields");
      field = Trimmed(text.substr(pos, colon - pos));
      pos = colon + 1;
    }
    if (semicolon == std::string_view::npos) throw fault(start, "prefix list of " + fields[0] + " not closed by ';'");
    RawEntity entity{fields[0], fields[3], fields[7], {}, PositionOf(fields[4], fields[5])};
    std::string list(text.substr(pos, semicolon - pos));
    list.erase(std::remove_if(list.begin(), list.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }),
               list.end());
    for (std::size_t from = 0; from <= list.size();) {
      std::size_t comma = std::min(list.find(',', from), list.size());
      if (comma > from) entity.entries.push_back(list.substr(from, comma - from));
      from = comma + 1;
    }
    entities.push_back(std::move(entity));
    pos = semicolon + 1;
  }
  return entities;
}

// Primary prefix to ADIF number: "DL,Fed. Rep. of Germany,230,EU,...".
std::unordered_map<std::string, int> ParseCsvNumbers(std::string_view text, const std::string& name) {
  std::unordered_map<std::string, int> numbers;
  std::size_t line = 0;
  for (std::size_t from = 0; from < text.size();) {
    ++line;
    std::size_t end = std::min(text.find('\n', from), text.size());
    const std::string row = Trimmed(text.substr(from, end - from));
    from = end + 1;
    if (row.empty()) continue;
    const std::size_t first = row.find(','), second = row.find(',', first + 1);
    const std::size_t third = second == std::string::npos ? std::string::npos : row.find(',', second + 1);
    const std::string number = third == std::string::npos ? "" : row.substr(second + 1, third - second - 1);
    if (number.empty() || number.size() > 4 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      throw std::runtime_error(name + ":" + std::to_string(line) + ": no entity number in the third field");
    }
    numbers[row.substr(0, first)] = std::stoi(number);
  }
  return numbers;
}

const std::vector<std::string> kIgnoredSuffixes = {"P", "M", "A", "B", "QRP", "QRPP", "LH"};

// "UA1ABC" moved to call area 9 is "UA9ABC": the last digit is the area.
std::string WithArea(std::string call, char digit) {
  const std::size_t at = call.find_last_of("0123456789");
  if (at != std::string::npos) call[at] = digit;
  return call;
}

}  // namespace

CountryFile CountryFile::Load(const std::filesystem::path& ctyDat, const std::filesystem::path& ctyCsv) {
  const std::string dat = ReadTextFile(ctyDat);
  return Parse(dat, ReadTextFile(ctyCsv), ctyDat.string(), ctyCsv.string());
}

CountryFile CountryFile::Parse(std::string_view dat, std::string_view csv, const std::string& datName,
                               const std::string& csvName) {
  const std::vector<RawEntity> raw = ParseDat(dat, datName);
  const std::unordered_map<std::string, int> numbers = ParseCsvNumbers(csv, csvName);
  auto numberOf = [&](const RawEntity& e) {
    auto it = numbers.find(e.primaryPrefix);
    return it == numbers.end() ? std::optional<int>() : std::optional<int>(it->second);
  };
  auto isRegion = [](const RawEntity& e) { return e.primaryPrefix.starts_with('*'); };

  CountryFile file;
  for (const RawEntity& e : raw) {
    if (isRegion(e)) continue;
    if (std::optional<int> number = numberOf(e)) file.byNumber_.emplace(*number, file.entities_.size());
    file.entities_.push_back({e.name, e.primaryPrefix, e.continent, e.position});
  }
  std::unordered_map<std::string, Target> exact, prefixes;  // an entry listed again takes the later entity
  std::size_t next = 0;
  for (const RawEntity& e : raw) {
    std::size_t owner;
    if (!isRegion(e)) {
      owner = next++;
    } else if (std::optional<int> number = numberOf(e); number && file.byNumber_.contains(*number)) {
      owner = file.byNumber_.at(*number);
    } else {
      owner = file.entities_.size();
      file.entities_.push_back({e.name, e.primaryPrefix.substr(1), e.continent, e.position});
    }
    for (const std::string& entry : e.entries) {
      const bool isExact = entry.starts_with('=');
      const std::size_t start = isExact ? 1 : 0;
      const std::size_t end = std::min(entry.find_first_of("([<{~"), entry.size());
      Target target{owner, e.continent};
      const std::size_t open = entry.find('{'), close = entry.find('}');
      if (open != std::string::npos && close != std::string::npos && close > open) {
        target.continent = entry.substr(open + 1, close - open - 1);
      }
      const std::string key = entry.substr(start, end - start);
      if (key.empty()) continue;
      (isExact ? exact : prefixes).insert_or_assign(key, std::move(target));
    }
  }
  auto numbered = [&file](std::unordered_map<std::string, Target>& entries) {
    std::vector<std::pair<std::string, std::uint32_t>> keys;
    keys.reserve(entries.size());
    for (auto& [key, target] : entries) {
      keys.emplace_back(key, static_cast<std::uint32_t>(file.targets_.size()));
      file.targets_.push_back(std::move(target));
    }
    return PrefixTree(std::move(keys));
  };
  file.exact_ = numbered(exact);
  file.prefixes_ = numbered(prefixes);
  return file;
}

std::optional<CountryMatch> CountryFile::ForCall(std::string_view call) const {
  const std::string whole = UpperCase(Trimmed(call));
  if (auto match = Exact(whole)) return match;

  std::vector<std::string> parts;
  for (std::size_t from = 0; from <= whole.size();) {
    const std::size_t slash = std::min(whole.find('/', from), whole.size());
    if (slash > from) parts.push_back(whole.substr(from, slash - from));
    from = slash + 1;
  }
  // At sea or in the air a station is in no entity, whatever its home call says.
  if (parts.size() > 1 && std::find(kNoEntitySuffixes.begin(), kNoEntitySuffixes.end(), parts.back()) !=
                              kNoEntitySuffixes.end()) {
    return std::nullopt;
  }
  while (parts.size() > 1 &&
         std::find(kIgnoredSuffixes.begin(), kIgnoredSuffixes.end(), parts.back()) != kIgnoredSuffixes.end()) {
    parts.pop_back();
  }
  if (parts.empty()) return std::nullopt;
  if (parts.size() == 1) {
    // Without a slash the part is the whole call, already looked up.
    if (parts[0] != whole) {
      if (auto match = Exact(parts[0])) return match;
    }
    return LongestPrefix(parts[0]);
  }
  const std::string& last = parts.back();
  if (parts.size() == 2 && last.size() == 1 && last[0] >= '0' && last[0] <= '9') {
    return LongestPrefix(WithArea(parts[0], last[0]));
  }
  // "DL/OK1ABC" and "OK1ABC/DL": the location is the shorter part.
  auto shortest = std::min_element(parts.begin(), parts.end(),
                                   [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  return LongestPrefix(*shortest);
}

const Entity* CountryFile::ForNumber(int adifNumber) const {
  auto it = byNumber_.find(adifNumber);
  return it == byNumber_.end() ? nullptr : &entities_[it->second];
}

std::optional<CountryMatch> CountryFile::Match(const Target& target) const {
  return CountryMatch{&entities_[target.entity], target.continent};
}

std::optional<CountryMatch> CountryFile::Exact(std::string_view call) const {
  const std::optional<std::uint32_t> found = exact_.Find(call);
  return found ? Match(targets_[*found]) : std::nullopt;
}

std::optional<CountryMatch> CountryFile::LongestPrefix(std::string_view text) const {
  const std::optional<std::uint32_t> found = prefixes_.Longest(text);
  return found ? Match(targets_[*found]) : std::nullopt;
}

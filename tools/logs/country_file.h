// The country file (cty.dat) with the ADIF entity numbers of its companion cty.csv: which DXCC
// entity a call sign belongs to, and which entity an ADIF number names.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "prefix_tree.h"

struct GeoPosition {
  double latitude = 0.0, longitude = 0.0;  // degrees, north and east positive: 51.0, 10.0
};

struct Entity {
  std::string name;           // "Fed. Rep. of Germany"
  std::string primaryPrefix;  // "DL": the multiplier key
  std::string continent;      // "EU"
  std::optional<GeoPosition> position;  // where the file puts the entity; none when it gives no usable one
};

struct CountryMatch {
  const Entity* entity;
  std::string continent;  // of the matched prefix: part of an entity may lie on another continent
};

class CountryFile {
 public:
  // Throws std::runtime_error naming the file and line at fault.
  static CountryFile Load(const std::filesystem::path& ctyDat, const std::filesystem::path& ctyCsv);
  static CountryFile Parse(std::string_view dat, std::string_view csv, const std::string& datName = "cty.dat",
                           const std::string& csvName = "cty.csv");

  // An "=CALL" entry for the whole call wins; otherwise the longest prefix of the part of the
  // call that names the location. Nothing when no prefix fits, and for a station at sea or in the
  // air ("/MM", "/AM").
  std::optional<CountryMatch> ForCall(std::string_view call) const;
  // Nothing for a number the file does not list.
  const Entity* ForNumber(int adifNumber) const;
  // Every entity once, the file's regions folded into theirs, in the file's order.
  const std::vector<Entity>& Entities() const { return entities_; }

 private:
  struct Target {
    std::size_t entity;
    std::string continent;
  };

  std::optional<CountryMatch> Match(const Target& target) const;
  std::optional<CountryMatch> Exact(std::string_view call) const;
  std::optional<CountryMatch> LongestPrefix(std::string_view text) const;

  // Entities of the file's own regions (Sicily, Shetland, ...) are folded into the DXCC entity
  // with the same ADIF number, so that each entity has one name and one key in the whole log.
  std::vector<Entity> entities_;
  std::unordered_map<int, std::size_t> byNumber_;
  // Both in trees: most calls are in no exact entry, and a tree tells so in a step or two where a
  // hash table of strings took a hash and a cache miss or three for every QSO of a contest.
  std::vector<Target> targets_;
  PrefixTree exact_;     // to targets_
  PrefixTree prefixes_;  // to targets_
};

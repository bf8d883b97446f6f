// Every tie in these tables is broken by a value of the logs (call, name, byte order), never by
// the order the logs were read in, so that the results do not depend on the order of the files.
#include "result_tables.h"

#include <algorithm>
#include <map>

#include "categories.h"
#include "host_form.h"

namespace {

bool Ranked(const LogResult* a, const LogResult* b) {
  return a->checked != b->checked ? a->checked > b->checked : a->call < b->call;
}

bool ByCall(const LogResult* a, const LogResult* b) { return a->call < b->call; }

// Competition ranks: one more than the entries scoring more.
template <typename Score>
std::vector<std::size_t> SharedRanks(std::size_t count, Score score) {
  std::vector<std::size_t> ranks(count);
  for (std::size_t i = 0; i < count; ++i) ranks[i] = i > 0 && score(i) == score(i - 1) ? ranks[i - 1] : i + 1;
  return ranks;
}

// The contest's value a log's field names, in the list's own spelling; "ALL" is both bands.
template <std::size_t N>
std::string ContestValue(const std::array<const char*, N>& values, const std::string& written, bool bands) {
  const std::string value = bands && SameLetters(written, "ALL") ? std::string(categories::kCategoryBand[0]) : written;
  for (const char* v : values) {
    if (SameLetters(v, value)) return v;
  }
  return "";
}

}  // namespace

std::vector<RankedTable> RankedTables(const std::vector<LogResult>& results) {
  std::vector<const LogResult*> entries;
  for (const LogResult& r : results) {
    if (!r.checklog) entries.push_back(&r);
  }
  std::sort(entries.begin(), entries.end(), Ranked);
  std::vector<RankedTable> tables{{"Overall", "overall", entries, {}}};
  auto byField = [&](const char* tag, const auto& values, std::string EntryHeader::*field) {
    for (const char* value : values) {
      RankedTable table{std::string(tag) + " " + value, std::string(tag) + " " + value, {}, {}};
      for (const LogResult* r : entries) {
        if (ContestValue(values, r->header.*field, field == &EntryHeader::categoryBand) == value)
          table.logs.push_back(r);
      }
      if (!table.logs.empty()) tables.push_back(std::move(table));
    }
  };
  byField("CATEGORY-OPERATOR", categories::kCategoryOperator, &EntryHeader::categoryOperator);
  byField("CATEGORY-BAND", categories::kCategoryBand, &EntryHeader::categoryBand);
  byField("CATEGORY-POWER", categories::kCategoryPower, &EntryHeader::categoryPower);
  byField("CATEGORY-ASSISTED", categories::kCategoryAssisted, &EntryHeader::categoryAssisted);
  byField("CATEGORY-TRANSMITTER", categories::kCategoryTransmitter, &EntryHeader::categoryTransmitter);
  byField("CATEGORY-OVERLAY", categories::kCategoryOverlay, &EntryHeader::categoryOverlay);
  for (RankedTable& table : tables) {
    table.ranks = SharedRanks(table.logs.size(), [&](std::size_t i) { return table.logs[i]->checked; });
  }
  return tables;
}

std::vector<LeaderGroup> Leaders(const std::vector<LogResult>& results, std::string LogResult::*group) {
  std::map<std::string, LeaderGroup> groups;
  for (const LogResult& r : results) {
    if (r.checklog || (r.*group).empty()) continue;
    LeaderGroup& g = groups[r.*group];
    ++g.logs;
    std::vector<const LogResult*>& best = g.leaders;
    if (!best.empty() && best.front()->checked > r.checked) continue;
    if (!best.empty() && best.front()->checked < r.checked) best.clear();
    best.push_back(&r);
  }
  std::vector<LeaderGroup> leaders;
  for (auto& [name, g] : groups) {
    g.name = name;
    std::sort(g.leaders.begin(), g.leaders.end(), ByCall);
    leaders.push_back(std::move(g));
  }
  return leaders;
}

std::string ClubKey(const LogResult& r) { return r.checklog ? "" : UpperCase(Trimmed(r.header.club)); }

std::vector<Club> Clubs(const std::vector<LogResult>& results) {
  std::map<std::string, Club> byKey;
  std::map<std::string, std::map<std::string, std::size_t>> spellings;  // key: as written: members
  for (const LogResult& r : results) {
    const std::string key = ClubKey(r);
    if (key.empty()) continue;
    Club& club = byKey[key];
    club.members.push_back(&r);
    club.score += r.checked;
    ++spellings[key][Trimmed(r.header.club)];
  }
  std::vector<Club> clubs;
  for (auto& [key, club] : byKey) {
    club.key = key;
    std::size_t most = 0;
    for (const auto& [written, members] : spellings[key]) {  // byte order: the first of the most wins
      if (members > most) {
        most = members;
        club.name = written;
      }
    }
    std::sort(club.members.begin(), club.members.end(), ByCall);
    clubs.push_back(std::move(club));
  }
  std::sort(clubs.begin(), clubs.end(),
            [](const Club& a, const Club& b) { return a.score != b.score ? a.score > b.score : a.key < b.key; });
  const std::vector<std::size_t> ranks = SharedRanks(clubs.size(), [&](std::size_t i) { return clubs[i].score; });
  for (std::size_t i = 0; i < clubs.size(); ++i) clubs[i].rank = ranks[i];
  return clubs;
}

std::vector<const LogResult*> Checklogs(const std::vector<LogResult>& results) {
  std::vector<const LogResult*> logs;
  for (const LogResult& r : results) {
    if (r.checklog) logs.push_back(&r);
  }
  std::sort(logs.begin(), logs.end(), ByCall);
  return logs;
}

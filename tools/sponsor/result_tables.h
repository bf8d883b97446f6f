// The tables the results are made of, computed once for the text, the CSV and the pages: the
// ranked tables, the entity and continent leaders, the clubs and the checklogs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "results.h"

struct RankedTable {
  std::string title;                   // "Overall", "CATEGORY-POWER LOW"
  std::string key;                     // the CSV's table column: "overall", "CATEGORY-POWER LOW"
  std::vector<const LogResult*> logs;  // by checked score, highest first, then call
  std::vector<std::size_t> ranks;      // by position; equal scores share a rank (1, 2, 2, 4)
};
// The overall table (always, empty or not), then one per contest value of each category field
// that a log declares.
std::vector<RankedTable> RankedTables(const std::vector<LogResult>& results);

struct LeaderGroup {
  std::string name;                       // the entity or continent, "Fed. Rep. of Germany", "EU"
  std::size_t logs = 0;                   // the group's ranked logs
  std::vector<const LogResult*> leaders;  // every one with the group's best checked score, by call
};
// The groups by name; checklogs and logs of no entity stand in none.
std::vector<LeaderGroup> Leaders(const std::vector<LogResult>& results, std::string LogResult::*group);

struct Club {
  std::string key;                        // CLUB: without case and blanks around it, "TORVALE RC"
  std::string name;                       // as most members write it; on a tie the first in byte order
  std::vector<const LogResult*> members;  // the ranked logs naming it, by call
  long long score = 0;                    // the sum of their checked scores
  std::size_t rank = 0;                   // equal sums share a rank
};
// By score, highest first, then key.
std::vector<Club> Clubs(const std::vector<LogResult>& results);
// The key a log's CLUB: line is matched on; empty for a log that counts for no club (none named,
// or a checklog).
std::string ClubKey(const LogResult& result);

// By call.
std::vector<const LogResult*> Checklogs(const std::vector<LogResult>& results);

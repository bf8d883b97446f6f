// The search box of the result pages: pages/find.js and the files of calls it loads.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// A call's key: the first two bytes of the call as shown, letters in upper case, a byte that is no
// ASCII letter or digit as "_", and "_" after a call of one byte.
std::string FindKey(const std::string& shownCall);

struct FoundCall {
  std::string call;      // as shown
  std::string station;   // the station page's name as a link's path, "DL1AA"
  std::size_t rank = 0;  // overall; 0 for a checklog
  std::size_t page = 0;  // of the overall table, or of the checklogs for a checklog
  std::size_t row = 0;   // its row on that page's table, counted over all pages ("#r1234")
};
// The calls in files of at most kCallsPerFile by the start of their key: all in one (key ""), or
// those of each first character in one (key "D"), or those of each key when more (key "DL"); in
// each, by call.
inline constexpr std::size_t kCallsPerFile = 1000;
std::map<std::string, std::vector<FoundCall>> CallFiles(std::vector<FoundCall> calls);
// "calls.js", "calls-D.js", "calls-DL.js"
std::string CallsFileName(const std::string& key);
// The file of calls of one key.
std::string CallsScript(const std::string& key, const std::vector<FoundCall>& calls);
// pages/find.js, knowing the keys that have a file.
std::string FindScript(const std::vector<std::string>& keys);

// The QSO list and the counts kept beside it.
#include "contest_log.h"

#include <algorithm>
#include <utility>

std::string LogEntries::Key(std::string_view a, std::string_view b) {
  // Texts come from C strings, so they never hold a zero byte: the separator is unambiguous.
  std::string key;
  key.reserve(a.size() + b.size() + 1);
  key.append(a).push_back('\0');
  key.append(b);
  return key;
}

void LogEntries::Decrement(std::unordered_map<std::string, std::size_t>& counts, const std::string& key) {
  auto it = counts.find(key);
  if (it != counts.end() && --it->second == 0) counts.erase(it);
}

void LogEntries::Append(CInfo entry) {
  ++callBandCounts_[Key(entry.Call, entry.Band)];
  ++bandMultCounts_[Key(entry.Band, entry.MultKey)];
  entries_.push_back(std::move(entry));
}

bool LogEntries::RemoveFirst(std::string_view call, std::string_view band, const COleDateTime& time) {
  if (CountCallOnBand(call, band) == 0) return false;
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const CInfo& e) {
    return e.Call == call && e.Band == band && e.Time == time;
  });
  if (it == entries_.end()) return false;
  Decrement(callBandCounts_, Key(it->Call, it->Band));
  Decrement(bandMultCounts_, Key(it->Band, it->MultKey));
  entries_.erase(it);
  return true;
}

void LogEntries::Clear() {
  entries_.clear();
  callBandCounts_.clear();
  bandMultCounts_.clear();
}

std::size_t LogEntries::CountCallOnBand(std::string_view call, std::string_view band) const {
  auto it = callBandCounts_.find(Key(call, band));
  return it == callBandCounts_.end() ? 0 : it->second;
}

bool LogEntries::HasMultKeyOnBand(std::string_view band, std::string_view multKey) const {
  return bandMultCounts_.count(Key(band, multKey)) != 0;
}

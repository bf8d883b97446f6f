// The QSO list and the counts kept beside it.
#include "contest_log.h"

#include <algorithm>

std::optional<std::uint64_t> LogEntries::KeyOf(std::string_view a, std::string_view b) const {
  const std::optional<Id> first = texts_.Find(a);
  if (!first) return std::nullopt;
  const std::optional<Id> second = texts_.Find(b);
  if (!second) return std::nullopt;
  return Key(*first, *second);
}

void LogEntries::Decrement(Counts& counts, std::uint64_t key) {
  auto it = counts.find(key);
  if (it != counts.end() && --it->second == 0) counts.erase(it);
}

void LogEntries::Append(const CInfo& entry) {
  Entry kept{texts_.Intern(entry.Call),     texts_.Intern(entry.Dxcc),     texts_.Intern(entry.MultKey),
             texts_.Intern(entry.Continent), texts_.Intern(entry.Band),     texts_.Intern(entry.Mode),
             texts_.Intern(entry.RstRcvd),  texts_.Intern(entry.RstSent),  texts_.Intern(entry.ExchRcvd),
             texts_.Intern(entry.ExchSent), entry.FreqKHz,                 entry.Dupe,
             entry.Time};
  ++callBandCounts_[Key(kept.call, kept.band)];
  ++bandMultCounts_[Key(kept.band, kept.multKey)];
  entries_.push_back(kept);
}

CInfo LogEntries::operator[](std::size_t i) const {
  const Entry& e = entries_[i];
  auto text = [this](Id id) { return texts_.Text(id); };
  return {text(e.call),    text(e.dxcc),    text(e.multKey),  text(e.continent), text(e.band),
          text(e.mode),    text(e.rstRcvd), text(e.rstSent),  text(e.exchRcvd),  text(e.exchSent),
          e.freqKHz,       e.dupe,          e.time};
}

bool LogEntries::RemoveFirst(std::string_view call, std::string_view band, const COleDateTime& time) {
  const std::optional<std::uint64_t> key = KeyOf(call, band);
  if (!key || !callBandCounts_.count(*key)) return false;
  const Id callId = static_cast<Id>(*key >> 32), bandId = static_cast<Id>(*key);
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& e) { return e.call == callId && e.band == bandId && e.time == time; });
  if (it == entries_.end()) return false;
  Decrement(callBandCounts_, *key);
  Decrement(bandMultCounts_, Key(it->band, it->multKey));
  entries_.erase(it);
  return true;
}

void LogEntries::Clear() {
  entries_.clear();
  callBandCounts_.clear();
  bandMultCounts_.clear();
  texts_.Clear();
}

std::size_t LogEntries::CountCallOnBand(std::string_view call, std::string_view band) const {
  const std::optional<std::uint64_t> key = KeyOf(call, band);
  if (!key) return 0;
  auto it = callBandCounts_.find(*key);
  return it == callBandCounts_.end() ? 0 : it->second;
}

bool LogEntries::HasMultKeyOnBand(std::string_view band, std::string_view multKey) const {
  const std::optional<std::uint64_t> key = KeyOf(band, multKey);
  return key && bandMultCounts_.count(*key) != 0;
}

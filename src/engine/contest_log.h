// The in-memory contest log: QSO records, the band list, the per-band tables, contest-wide values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <deque>
#include <unordered_map>
#include <vector>

#include "contest_rules.h"
#include "ole_date_time.h"

// One QSO as the module keeps it.
struct CInfo {
  std::string Call;       // worked station, e.g. "DL1ABC"
  std::string Dxcc;       // entity as the host names it, e.g. "Germany"
  std::string MultKey;    // multiplier key, e.g. "DL"
  std::string Continent;  // e.g. "EU"
  std::string Band;       // e.g. "80m"
  std::string Mode;       // e.g. "BPSK63"
  std::string RstRcvd;
  std::string RstSent;
  std::string ExchRcvd;   // received serial, e.g. "0012"
  std::string ExchSent;
  std::string CallKey;    // second copy of Call: the key of the per-band new-call count
  std::uint32_t FreqKHz = 0;
  std::int32_t Dupe = 0;  // 1 when the call was already in the log on this band when added
  COleDateTime Time;
};

// The accepted QSOs in acceptance order. Counts per (call, band) and per (band, multiplier key)
// are kept beside the list so that the dupe and multiplier questions, asked on every keystroke,
// cost the same at 50,000 QSOs as at ten; they answer exactly what a scan of the list would.
class LogEntries {
 public:
  void Append(CInfo entry);
  // Removes the first entry with this call, band and time; false when there is none.
  bool RemoveFirst(std::string_view call, std::string_view band, const COleDateTime& time);
  void Clear();

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const CInfo& operator[](std::size_t i) const { return entries_[i]; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

  // How many entries have exactly this Call and Band.
  std::size_t CountCallOnBand(std::string_view call, std::string_view band) const;
  // Whether an entry has exactly this Band and MultKey.
  bool HasMultKeyOnBand(std::string_view band, std::string_view multKey) const;

 private:
  static std::string Key(std::string_view a, std::string_view b);
  static void Decrement(std::unordered_map<std::string, std::size_t>& counts, const std::string& key);

  // In blocks, not one array: a long log never needs one large allocation to grow.
  std::deque<CInfo> entries_;
  std::unordered_map<std::string, std::size_t> callBandCounts_;
  std::unordered_map<std::string, std::size_t> bandMultCounts_;
};

using BandTable = std::array<std::vector<std::string>, kBandCount>;

// Everything one contest keeps between the host's calls.
struct Contest {
  LogEntries Log;
  std::vector<std::string> BandList;  // distinct band names in order of first sight
  BandTable BandCalls;                // per band: distinct calls counted by the last summary
  BandTable BandDxcc;                 // per band: distinct entities counted by the last summary

  std::int32_t ContestStarted = 0;  // start flag of the last reset: nonzero is a report run
  std::string Contestant;           // own call sign from the last reset
  std::string StartDateText;        // e.g. "01.02"
  std::string EndDateText;          // e.g. "02.02.2026"
};

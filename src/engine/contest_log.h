// The in-memory contest log: QSO records, the band list, the per-band tables, contest-wide values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "contest_rules.h"
#include "ole_date_time.h"
#include "text_pool.h"

// One QSO as the module hands it out: views of texts the log keeps, valid until the log changes.
struct CInfo {
  std::string_view Call;       // worked station, e.g. "DL1ABC"
  std::string_view Dxcc;       // entity as the host names it, e.g. "Germany"
  std::string_view MultKey;    // multiplier key, e.g. "DL"
  std::string_view Continent;  // e.g. "EU"
  std::string_view Band;       // e.g. "80m"
  std::string_view Mode;       // e.g. "BPSK63"
  std::string_view RstRcvd;
  std::string_view RstSent;
  std::string_view ExchRcvd;  // received serial, e.g. "0012"
  std::string_view ExchSent;
  std::uint32_t FreqKHz = 0;
  std::int32_t Dupe = 0;  // 1 when the call was already in the log on this band when added
  COleDateTime Time;
};

// The accepted QSOs in acceptance order. Counts per (call, band) and per (band, multiplier key)
// are kept beside the list so that the dupe and multiplier questions, asked on every keystroke,
// cost the same at 50,000 QSOs as at ten; they answer exactly what a scan of the list would.
// Every text is kept once in the log's pool and a QSO holds its numbers: a QSO costs a few dozen
// bytes rather than a few hundred, in a 32-bit host that has little room for a long contest.
class LogEntries {
 public:
  class Iterator {
   public:
    using value_type = CInfo;
    using difference_type = std::ptrdiff_t;
    Iterator(const LogEntries* log, std::size_t at) : log_(log), at_(at) {}
    CInfo operator*() const { return (*log_)[at_]; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }

   private:
    const LogEntries* log_;
    std::size_t at_;
  };

  // Keeps copies of the entry's texts.
  void Append(const CInfo& entry);
  // Removes the first entry with this call, band and time; false when there is none.
  bool RemoveFirst(std::string_view call, std::string_view band, const COleDateTime& time);
  void Clear();

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  CInfo operator[](std::size_t i) const;
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, entries_.size()}; }

  // How many entries have exactly this Call and Band.
  std::size_t CountCallOnBand(std::string_view call, std::string_view band) const;
  // Whether an entry has exactly this Band and MultKey.
  bool HasMultKeyOnBand(std::string_view band, std::string_view multKey) const;

 private:
  using Id = TextPool::Id;
  struct Entry {
    Id call, dxcc, multKey, continent, band, mode, rstRcvd, rstSent, exchRcvd, exchSent;
    std::uint32_t freqKHz;
    std::int32_t dupe;
    COleDateTime time;
  };
  using Counts = std::unordered_map<std::uint64_t, std::uint32_t>;

  static std::uint64_t Key(Id a, Id b) { return (std::uint64_t{a} << 32) | b; }
  // The key of two texts, none when one of them was never kept: then no entry has them.
  std::optional<std::uint64_t> KeyOf(std::string_view a, std::string_view b) const;
  static void Decrement(Counts& counts, std::uint64_t key);

  TextPool texts_;
  // In blocks, not one array: a long log never needs one large allocation to grow.
  std::deque<Entry> entries_;
  Counts callBandCounts_;
  Counts bandMultCounts_;
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

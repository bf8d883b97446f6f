// Summary text and counting: a QSO counts on its band when it has a call and is no dupe.
#include "reports/summary.h"

#include <cstdio>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace {

std::string SortKey(const std::string& band) {
  constexpr std::size_t width = 20;
  return band.size() >= width ? band : std::string(width - band.size(), '0') + band;
}

// 32-bit products wrap as the contest's own tools compute them, without undefined overflow.
std::int32_t Times(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::int32_t Plus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::string Format(const char* pattern, auto... values) {
  int size = std::snprintf(nullptr, 0, pattern, values...);
  std::string text(static_cast<std::size_t>(size), '\0');
  std::snprintf(text.data(), text.size() + 1, pattern, values...);
  return text;
}

struct BandCount {
  std::int32_t qsos = 0, dxcc = 0, newCalls = 0;
};

constexpr std::size_t kNoSlot = kBandCount;

std::size_t SlotOf(std::string_view band) {
  for (std::size_t b = 0; b < kBandCount; ++b) {
    if (BandOrder[b] == band) return b;
  }
  return kNoSlot;
}

BandCount CountBand(const LogEntries& log, const std::string& band, BandLists* lists) {
  BandCount count;
  std::unordered_set<std::string_view> seenDxcc, seenCalls;
  for (const CInfo& e : log) {
    if (e.Band != band || e.Call.empty() || e.Dupe != 0) continue;
    ++count.qsos;
    // An empty entity is an entity like any other: QSOs without one count together once.
    if (seenDxcc.insert(e.Dxcc).second) {
      ++count.dxcc;
      if (lists) lists->dxcc.push_back(e.Dxcc);
    }
    if (!e.CallKey.empty() && seenCalls.insert(e.CallKey).second) {
      ++count.newCalls;
      if (lists) lists->calls.push_back(e.CallKey);
    }
  }
  return count;
}

}  // namespace

void SortBandList(std::vector<std::string>& bands) {
  // An exchange sort that never swaps equal keys, so the result is the same for every input order.
  for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
    for (std::size_t j = i + 1; j < bands.size(); ++j) {
      if (SortKey(bands[i]) < SortKey(bands[j])) std::swap(bands[i], bands[j]);
    }
  }
}

Summary BuildSummary(const Contest& contest) {
  Summary summary;
  std::string& text = summary.text;
  text = Format("  PSK-TORVALE %s-%s \r\n     Contestant: %s\r\nBand\tQSOs\tPoints\tDXCC\tNew Call\r\n",
                contest.StartDateText.c_str(), contest.EndDateText.c_str(), contest.Contestant.c_str());

  summary.bands = contest.BandList;
  SortBandList(summary.bands);
  BandCount total;
  for (const std::string& band : summary.bands) {
    // A band outside the six gets its line and its totals but no per-band list of its own.
    std::size_t slot = SlotOf(band);
    BandLists* lists = slot != kNoSlot ? &summary.lists[slot].emplace() : nullptr;
    BandCount count = CountBand(contest.Log, band, lists);
    std::int32_t points = count.qsos;
    text += Format("%s\t %i\t %i\t %i\t   %i\r\n", band.c_str(), count.qsos, points, count.dxcc, count.newCalls);
    total.qsos = Plus(total.qsos, count.qsos);
    total.dxcc = Plus(total.dxcc, count.dxcc);
    total.newCalls = Plus(total.newCalls, count.newCalls);
  }
  std::int32_t points = total.qsos;
  std::int32_t score = Times(points, Plus(total.dxcc, total.newCalls));
  text += Format("Total\t %i\t %i\t %i\t   %i\r\nScore = %i * (%i + %i)  = %i \r\n", total.qsos, points, total.dxcc,
                 total.newCalls, points, total.dxcc, total.newCalls, score);
  if (contest.ContestStarted == 0 && !contest.Log.empty()) text += kCreditLine;
  summary.claimed = Times(points, total.dxcc);
  return summary;
}

// Summary text and counting: a QSO counts on its band when it has a call and is no dupe.
#include "summary.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

std::string SortKey(const std::string& band) {
  constexpr std::size_t width = 20;
  return band.size() >= width ? band : std::string(width - band.size(), '0') + band;
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

// One band's counts and the values it has seen, filled in one pass over the log. The log keeps
// each text once, so a text's address is the text: the sets hold addresses, which take a long
// log's summary half the room that views with their hashes took.
struct BandTally {
  BandCount count;
  std::unordered_set<const char*> seenDxcc, seenCalls;
  BandLists* lists = nullptr;
};

void Count(const CInfo& e, BandTally& tally) {
  ++tally.count.qsos;
  // An empty entity is an entity like any other: QSOs without one count together once.
  if (tally.seenDxcc.insert(e.Dxcc.data()).second) {
    ++tally.count.dxcc;
    if (tally.lists) tally.lists->dxcc.emplace_back(e.Dxcc);
  }
  if (tally.seenCalls.insert(e.Call.data()).second) {
    ++tally.count.newCalls;
    if (tally.lists) tally.lists->calls.emplace_back(e.Call);
  }
}

// Adds 1 at a position, counts the positions below one, in logarithmic time.
class PositionCounts {
 public:
  explicit PositionCounts(std::size_t size) : tree_(size + 1, 0) {}
  void Add(std::size_t position) {
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }
  std::size_t Below(std::size_t position) const {
    std::size_t sum = 0;
    for (std::size_t i = position; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }

 private:
  std::vector<std::size_t> tree_;
};

}  // namespace

// The exchange sort (for each i, for each j > i: swap when key i < key j) in n log n. Its
// result is in descending key order; only the order among equal keys ("80m", "080m") needs
// working out. Each of its passes puts the first of the largest keys left at the front, and
// moves each running maximum of the rest to where the next larger one stood. Elements smaller
// than a key never move past it, so the order of one key's names depends only on where the
// larger keys stand: while a larger key is left, each pass turns the run of equal names at the
// front by one (its first goes to the run's end), and the run takes in the names that follow
// the larger key just taken out. A randomized test holds this to the exchange sort itself.
void SortBandList(std::vector<std::string>& bands) {
  const std::size_t n = bands.size();
  std::vector<std::string> keys;
  keys.reserve(n);
  for (const std::string& band : bands) keys.push_back(SortKey(band));
  std::vector<std::size_t> byKey(n);
  for (std::size_t i = 0; i < n; ++i) byKey[i] = i;
  // Descending keys; within a key, positions ascending.
  std::sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) {
    int order = keys[a].compare(keys[b]);
    return order != 0 ? order > 0 : a < b;
  });

  PositionCounts larger(n);  // positions of the keys already placed, all larger than the next
  std::vector<std::string> sorted;
  sorted.reserve(n);
  std::deque<std::size_t> run;
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first;
    while (last < n && keys[byKey[last]] == keys[byKey[first]]) ++last;
    // Each larger key taken out while the run is at the front turns it by one.
    auto turn = [&](std::size_t largerKeys) {
      for (std::size_t k = largerKeys % run.size(); k > 0; --k) {
        run.push_back(run.front());
        run.pop_front();
      }
    };
    run.assign(1, byKey[first]);
    for (std::size_t i = first + 1; i < last; ++i) {
      turn(larger.Below(byKey[i]) - larger.Below(byKey[i - 1] + 1));
      run.push_back(byKey[i]);
    }
    turn(first - larger.Below(byKey[last - 1] + 1));
    for (std::size_t position : run) sorted.push_back(std::move(bands[position]));
    for (std::size_t i = first; i < last; ++i) larger.Add(byKey[i]);
    first = last;
  }
  bands = std::move(sorted);
}

Summary BuildSummary(const Contest& contest) {
  Summary summary;
  std::string& text = summary.text;
  text = Format("  PSK-TORVALE %s-%s \r\n     Contestant: %s\r\nBand\tQSOs\tPoints\tDXCC\tNew Call\r\n",
                contest.StartDateText.c_str(), contest.EndDateText.c_str(), contest.Contestant.c_str());

  summary.bands = contest.BandList;
  SortBandList(summary.bands);
  // One tally per listed name, filled in one pass over the log.
  std::vector<BandTally> tallies(summary.bands.size());
  std::unordered_map<std::string_view, BandTally*> tallyOf;
  for (std::size_t i = 0; i < summary.bands.size(); ++i) {
    const std::string& band = summary.bands[i];
    BandTally*& tally = tallyOf[band];
    if (tally) continue;  // a name listed twice shares the first one's tally
    tally = &tallies[i];
    // A band outside the six gets its line and its totals but no per-band list of its own.
    std::size_t slot = SlotOf(band);
    if (slot != kNoSlot) tally->lists = &summary.lists[slot].emplace();
  }
  for (const CInfo& e : contest.Log) {
    if (e.Call.empty() || e.Dupe != 0) continue;
    auto found = tallyOf.find(e.Band);
    if (found != tallyOf.end()) Count(e, *found->second);
  }

  BandCount total;
  for (const std::string& band : summary.bands) {
    const BandCount& count = tallyOf[band]->count;
    std::int32_t points = count.qsos;
    text += Format("%s\t %i\t %i\t %i\t   %i\r\n", band.c_str(), count.qsos, points, count.dxcc, count.newCalls);
    total.qsos = Plus(total.qsos, count.qsos);
    total.dxcc = Plus(total.dxcc, count.dxcc);
    total.newCalls = Plus(total.newCalls, count.newCalls);
  }
  std::int32_t points = total.qsos;
  std::int32_t score = WrappedScore(points, total.dxcc, total.newCalls);
  text += Format("Total\t %i\t %i\t %i\t   %i\r\nScore = %i * (%i + %i)  = %i \r\n", total.qsos, points, total.dxcc,
                 total.newCalls, points, total.dxcc, total.newCalls, score);
  if (contest.ContestStarted == 0 && !contest.Log.empty()) text += kCreditLine;
  summary.claimed = WrappedClaimed(points, total.dxcc);
  return summary;
}

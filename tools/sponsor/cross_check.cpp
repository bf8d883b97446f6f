// The QSOs of all logs are indexed twice: by (sender, worked call, band, time), which puts the two
// halves of every QSO side by side, and by (worked call, band, time), which finds who logged a
// call near a moment. The sender is the call the QSO line sends, so a log whose header names
// another call than its lines is matched on what its lines say. No log is ever compared with all
// others. First each log's clock is estimated from the QSOs whose serials match both ways with
// another log's, and a clear offset is taken out of its times; then the decisions are taken in
// passes, each on what the passes before it left unmatched:
//   1. the QSOs two logs have of each other on one band inside the tolerance, paired one to one
//      (serials matching both ways first, then the closest in time): confirmed, or wrong serial
//      received for the side whose copy differs from what the other sent;
//   2. the same two logs on different bands, serials matching both ways: band mismatch for both;
//   3. a QSO whose call is near the call of a log that has us at that moment with the same
//      serials both ways: busted call, and the other log's QSO confirmed (also when the call
//      logged is our own, and when it is the station's call without its portable indicator or
//      prefix);
//   4. two QSOs left whose calls are each near the other's logger, on one band inside the
//      tolerance with the serials both ways: a double bust, busted call for both;
//   5. the rest: not in log when the named station submitted, else unique or not submitted.
// Every tie is broken by time, then by call, then by the order in the file, and the logs are
// visited in call order, so the decisions do not depend on the order the logs come in.
#include "cross_check.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <limits>
#include <map>
#include <numeric>
#include <string_view>
#include <tuple>

#include "call_sign.h"
#include "side_task.h"

namespace {

using Id = std::uint32_t;
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kOffsetSearch = 24 * 60;  // how far apart two halves may lie for the clock estimate

struct Entry {
  Id logger, call, band;
  std::int64_t minute;
  std::uint32_t log, qso;
};

// Texts numbered in their sorted order, so that comparing numbers is comparing texts; looked up
// by the interned text's own number, which costs no hashing.
class Names {
 public:
  void Add(InternedText text) {
    if (text.id() >= ids_.size()) ids_.resize(std::max<std::size_t>(KeptTextCount(), text.id() + 1), kNone);
    if (ids_[text.id()] == kNone) {
      ids_[text.id()] = 0;
      texts_.push_back(text);
    }
  }
  void Number() {
    std::sort(texts_.begin(), texts_.end(), [](InternedText a, InternedText b) { return a.str() < b.str(); });
    for (std::size_t i = 0; i < texts_.size(); ++i) ids_[texts_[i].id()] = static_cast<Id>(i);
  }
  Id operator[](InternedText text) const { return ids_.at(text.id()); }
  InternedText Text(Id id) const { return texts_[id]; }
  std::size_t size() const { return texts_.size(); }

 private:
  std::vector<Id> ids_;  // by interned number
  std::vector<InternedText> texts_;
};

std::int64_t Apart(std::int64_t a, std::int64_t b) { return a > b ? a - b : b - a; }

const std::string& SentCall(const CheckedLog& log, const CheckedQso& q) {
  if (q.ownCall.empty()) return log.call;
  return q.ownCall.str();
}

// The lower median, so that the estimate is one of the differences; they are reordered.
ClockOffset Estimate(std::int64_t* begin, std::int64_t* end) {
  ClockOffset offset;
  offset.evidence = static_cast<std::size_t>(end - begin);
  if (begin == end) return offset;
  std::int64_t* middle = begin + (offset.evidence - 1) / 2;
  std::nth_element(begin, middle, end);
  const std::int64_t median = *middle;
  offset.minutes = static_cast<int>(median);
  offset.agreeing =
      static_cast<std::size_t>(std::count_if(begin, end, [&](std::int64_t d) { return Apart(d, median) <= 1; }));
  const bool clear = offset.evidence >= kOffsetEvidence && offset.agreeing * 10 >= offset.evidence * 6;
  offset.corrected = clear && std::abs(offset.minutes) >= kCorrectedOffset;
  return offset;
}

// The letters a call holds, and those of its home call (its longest part between slashes), each
// as a set of bits: an edit changes at most two bits of a set, so two calls within
// kBustedCallDistance edits differ in at most twice that many, and two calls of one station have
// the same home call's set.
struct CallLetters {
  std::uint64_t all = 0, home = 0;
};

std::uint64_t LetterBit(char c) {
  if (c >= 'A' && c <= 'Z') return 1ull << (c - 'A');
  if (c >= '0' && c <= '9') return 1ull << (26 + c - '0');
  return 1ull << (36 + static_cast<unsigned char>(c) % 28);
}

CallLetters LettersOf(std::string_view call) {
  CallLetters letters;
  for (const char c : call) letters.all |= LetterBit(c);
  for (const char c : StationPart(call)) letters.home |= LetterBit(c);
  return letters;
}

// False only when the two calls cannot lie within kBustedCallDistance of each other.
bool MayBeNear(const CallLetters& a, const CallLetters& b) {
  return std::popcount(a.all ^ b.all) <= 2 * kBustedCallDistance || a.home == b.home;
}

class Checker {
 public:
  Checker(const std::vector<CheckedLog>& logs, const MatchOptions& options)
      : logs_(logs), tolerance_(options.tolerance) {
    Index(options.correctClocks);
  }

  CrossCheckResult Run() {
    PairMutual();
    for (std::uint32_t log : visitOrder_) ForEachUnmatched(log, [&](std::uint32_t g) { PairAcrossBands(g); });
    for (std::uint32_t log : visitOrder_) ForEachUnmatched(log, [&](std::uint32_t g) { PairBusted(g); });
    PairDoubleBusts();
    for (std::uint32_t log : visitOrder_) ForEachUnmatched(log, [&](std::uint32_t g) { DecideUnmatched(g); });

    result_.offsets = std::move(offsets_);
    for (Id call = 0; call < calls_.size(); ++call) {
      if (submitter_[call] != kNone) result_.holders.emplace_back(calls_.Text(call).id(), submitter_[call]);
    }
    std::sort(result_.holders.begin(), result_.holders.end());
    return std::move(result_);
  }

 private:
  using Range = std::pair<const std::uint32_t*, const std::uint32_t*>;

  void Index(bool correctClocks) {
    for (const CheckedLog& log : logs_) {
      calls_.Add(log.call);
      for (const CheckedQso& q : log.qsos) {
        calls_.Add(q.call);
        if (!q.ownCall.empty()) calls_.Add(q.ownCall);
        bands_.Add(q.band);
      }
    }
    calls_.Number();
    bands_.Number();
    ClaimSentCalls();

    offset_.resize(logs_.size() + 1, 0);
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
      offset_[l + 1] = offset_[l] + static_cast<std::uint32_t>(logs_[l].qsos.size());
    }
    visitOrder_.resize(logs_.size());
    std::iota(visitOrder_.begin(), visitOrder_.end(), 0u);
    std::sort(visitOrder_.begin(), visitOrder_.end(),
              [&](std::uint32_t a, std::uint32_t b) { return logs_[a].call < logs_[b].call; });

    entries_.reserve(offset_.back());
    entryOf_.assign(offset_.back(), kNone);
    // A call named by one log only is unique when its station did not submit: the logs naming a
    // call are counted log by log, each log's calls once.
    loggersNaming_.assign(calls_.size(), 0);
    std::vector<Id> named;
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
      const Id own = calls_[logs_[l].call];
      named.clear();
      for (std::uint32_t q = 0; q < logs_[l].qsos.size(); ++q) {
        const CheckedQso& qso = logs_[l].qsos[q];
        if (qso.ruled >= 0) continue;
        // A sent call another log holds stays with that log: this one is matched on its header call.
        const Id sent = qso.ownCall.empty() ? own : calls_[qso.ownCall];
        const Id logger = submitter_[sent] == l ? sent : own;
        entryOf_[offset_[l] + q] = static_cast<std::uint32_t>(entries_.size());
        entries_.push_back({logger, calls_[qso.call], bands_[qso.band], qso.minute, l, q});
        named.push_back(entries_.back().call);
      }
      std::sort(named.begin(), named.end());
      named.erase(std::unique(named.begin(), named.end()), named.end());
      for (const Id call : named) ++loggersNaming_[call];
    }
    matched_.assign(entries_.size(), kNone);
    // The verdicts are taken where they are handed back: a copy would double them at the peak.
    // Made beside the sort, which does not touch them.
    const auto verdicts = [&] {
      result_.verdicts.resize(logs_.size());
      for (std::size_t l = 0; l < logs_.size(); ++l) {
        result_.verdicts[l].resize(logs_[l].qsos.size());
        for (std::size_t q = 0; q < logs_[l].qsos.size(); ++q) {
          if (logs_[l].qsos[q].ruled >= 0)
            result_.verdicts[l][q].decision = static_cast<Decision>(logs_[l].qsos[q].ruled);
        }
      }
    };
    SideBySide(verdicts, [&] { SortByLogger(); });
    byLogger_.resize(entries_.size());
    std::iota(byLogger_.begin(), byLogger_.end(), 0u);
    offsets_.assign(logs_.size(), ClockOffset{});
    if (correctClocks) CorrectClocks();

    SortByWorked();
  }

  // Each log holds its header call; a call its lines send besides goes to it when no log has it
  // as its header call, and to the log that sends it on more lines when two do (then the call).
  void ClaimSentCalls() {
    submitter_.assign(calls_.size(), kNone);
    for (std::uint32_t l = 0; l < logs_.size(); ++l) submitter_[calls_[logs_[l].call]] = l;
    const std::vector<std::uint32_t> headers = submitter_;
    std::map<std::pair<Id, std::uint32_t>, std::size_t> lines;  // (sent call, log): lines
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
      for (const CheckedQso& q : logs_[l].qsos) {
        if (q.ownCall.empty()) continue;  // the header's call, which its log holds
        const Id sent = calls_[q.ownCall];
        if (headers[sent] == kNone) ++lines[{sent, l}];
      }
    }
    std::vector<std::size_t> most(calls_.size(), 0);
    for (const auto& [key, count] : lines) {
      const auto [sent, log] = key;
      const std::uint32_t holder = submitter_[sent];
      if (holder == kNone || count > most[sent] || (count == most[sent] && logs_[log].call < logs_[holder].call)) {
        submitter_[sent] = log;
        most[sent] = count;
      }
    }
  }

  // The entries themselves are put in this order (before anything is matched), so that the groups
  // are walked in memory order: sorted through an index, every look at an entry was a cache miss.
  // The key is unique (a logger is one log's, a QSO one line of it), so the order is one.
  void SortByLogger() {
    std::sort(entries_.begin(), entries_.end(), [](const Entry& x, const Entry& y) {
      return std::tie(x.logger, x.call, x.band, x.minute, x.qso) < std::tie(y.logger, y.call, y.band, y.minute, y.qso);
    });
    for (std::uint32_t g = 0; g < entries_.size(); ++g) entryOf_[offset_[entries_[g].log] + entries_[g].qso] = g;
    loggerStart_.assign(calls_.size() + 1, 0);
    for (const Entry& e : entries_) ++loggerStart_[e.logger + 1];
    std::partial_sum(loggerStart_.begin(), loggerStart_.end(), loggerStart_.begin());
  }

  // By worked call first, counted out (the calls are numbered densely), then each call's entries by
  // band, time and logger from copies of their keys: sorted through an index, every comparison of
  // a large contest's entries was two cache misses. The calls are shared out between two threads.
  void SortByWorked() {
    std::vector<std::uint32_t> start(calls_.size() + 1, 0);
    for (const Entry& e : entries_) ++start[e.call + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    byWorked_.resize(entries_.size());
    {
      std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
      for (std::uint32_t g = 0; g < entries_.size(); ++g) byWorked_[next[entries_[g].call]++] = g;
    }
    auto sortCalls = [&](Id from, Id to) {
      struct Key {
        std::int64_t minute;
        Id band, logger;
        std::uint32_t qso, entry;
      };
      std::vector<Key> keys;
      for (Id call = from; call < to; ++call) {
        keys.clear();
        for (std::uint32_t at = start[call]; at < start[call + 1]; ++at) {
          const Entry& e = entries_[byWorked_[at]];
          keys.push_back({e.minute, e.band, e.logger, e.qso, byWorked_[at]});
        }
        std::sort(keys.begin(), keys.end(), [](const Key& x, const Key& y) {
          return std::tie(x.band, x.minute, x.logger, x.qso) < std::tie(y.band, y.minute, y.logger, y.qso);
        });
        for (std::size_t k = 0; k < keys.size(); ++k) byWorked_[start[call] + k] = keys[k].entry;
      }
    };
    const Id calls = static_cast<Id>(calls_.size());
    const auto half = std::upper_bound(start.begin(), start.end() - 1, start.back() / 2);
    const Id split = std::min(calls, static_cast<Id>(half - start.begin()));
    SideBySide([&] { sortCalls(0, split); }, [&] { sortCalls(split, calls); });
  }

  // ForEachGroupPair over byLogger_ in two parts at once, the first on a thread beside, cut where
  // a logger's entries begin so that no group is cut: visit(part, ours, theirs), part 0 or 1.
  template <typename Visit>
  void ForEachGroupPairInTwo(Visit visit) {
    const std::size_t cut = entries_.empty() ? 0 : loggerStart_[entries_[entries_.size() / 2].logger];
    SideBySide([&] { ForEachGroupPair(0, cut, [&](Range ours, Range theirs) { visit(0, ours, theirs); }); },
               [&] {
                 ForEachGroupPair(cut, byLogger_.size(), [&](Range ours, Range theirs) { visit(1, ours, theirs); });
               });
  }

  // Two rounds: the raw median of each log, then each difference taken against the other log's
  // corrected clock. A partner whose clock is 60 minutes fast logged us 60 minutes late: our
  // difference to it is -60, and -60 plus its +60 is what our own clock is off, nothing, so a
  // station that worked wrong clocks is never moved for them.
  void CorrectClocks() {
    struct Half {
      std::uint32_t own, other;
      std::int64_t difference;
    };
    // The halves each of two threads found, in order.
    std::vector<Half> parts[2];
    auto estimate = [&](std::vector<Half>& halves, Range ours, Range theirs) {
      // Only a serial pair that each side has once identifies its QSO.
      auto once = [&](Range range, InternedText sent, InternedText rcvd, std::uint32_t* which) {
        int n = 0;
        for (const std::uint32_t* g = range.first; g != range.second; ++g) {
          if (Qso(*g).sent == sent && Qso(*g).rcvd == rcvd) {
            ++n;
            *which = *g;
          }
        }
        return n == 1;
      };
      const std::size_t n = static_cast<std::size_t>(ours.second - ours.first);
      const std::size_t m = static_cast<std::size_t>(theirs.second - theirs.first);
      std::map<std::pair<std::uint32_t, std::uint32_t>, std::pair<std::uint32_t, int>> theirKeys, ourKeys;
      if (n * m > kSmallGroups) {
        for (const std::uint32_t* b = theirs.first; b != theirs.second; ++b) {
          auto& slot = theirKeys[{Qso(*b).rcvd.id(), Qso(*b).sent.id()}];
          slot = {*b, slot.second + 1};
        }
        for (const std::uint32_t* a = ours.first; a != ours.second; ++a) {
          auto& slot = ourKeys[{Qso(*a).sent.id(), Qso(*a).rcvd.id()}];
          slot = {*a, slot.second + 1};
        }
      }
      for (const std::uint32_t* a = ours.first; a != ours.second; ++a) {
        const CheckedQso& q = Qso(*a);
        if (q.sent.empty() || q.rcvd.empty()) continue;
        std::uint32_t mine = kNone, other = kNone;
        if (n * m > kSmallGroups) {
          auto it = theirKeys.find({q.sent.id(), q.rcvd.id()});
          if (ourKeys[{q.sent.id(), q.rcvd.id()}].second != 1 || it == theirKeys.end() || it->second.second != 1)
            continue;
          other = it->second.first;
        } else if (!once(ours, q.sent, q.rcvd, &mine) || !once(theirs, q.rcvd, q.sent, &other)) {
          continue;
        }
        const std::int64_t d = entries_[*a].minute - entries_[other].minute;
        if (Apart(d, 0) > kOffsetSearch) continue;
        halves.push_back({entries_[*a].log, entries_[other].log, d});
        halves.push_back({entries_[other].log, entries_[*a].log, -d});
      }
    };
    ForEachGroupPairInTwo([&](int part, Range ours, Range theirs) { estimate(parts[part], ours, theirs); });
    // Each log's differences side by side in one array, where a list per log was a block
    // allocated and grown for each of fifty thousand logs, twice.
    std::vector<std::size_t> start(logs_.size() + 1, 0);
    for (const std::vector<Half>& halves : parts) {
      for (const Half& h : halves) ++start[h.own + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<std::int64_t> differences(start.back());
    std::vector<ClockOffset> first(logs_.size());
    for (int round = 0; round < 2; ++round) {
      std::vector<std::size_t> next(start.begin(), start.end() - 1);
      for (const std::vector<Half>& halves : parts) {
        for (const Half& h : halves) {
          differences[next[h.own]++] = h.difference + (first[h.other].corrected ? first[h.other].minutes : 0);
        }
      }
      for (std::size_t l = 0; l < logs_.size(); ++l) {
        offsets_[l] = Estimate(differences.data() + start[l], differences.data() + start[l + 1]);
      }
      first = offsets_;
    }
    // A logger's entries are all one log's, so that they move together and keep their order: the
    // entries need no sorting again.
    for (Entry& e : entries_) {
      if (offsets_[e.log].corrected) e.minute -= offsets_[e.log].minutes;
    }
  }

  // Each pair of logs on a band once, from the side whose call sorts first, for the groups of ours
  // in [from, to) of byLogger_. A pair touches only the entries of its two groups, and no other
  // pair has either group, so that two parts can be visited at once.
  template <typename Visit>
  void ForEachGroupPair(std::size_t from, std::size_t to, Visit visit) {
    for (std::size_t at = from; at < to;) {
      const Entry& first = entries_[byLogger_[at]];
      std::size_t end = at;
      while (end < to && Key(byLogger_[end]) == Key(first)) ++end;
      const Range ours{byLogger_.data() + at, byLogger_.data() + end};
      at = end;
      if (submitter_[first.call] == kNone || submitter_[first.call] == first.log || first.call <= first.logger)
        continue;
      const Range theirs = Group(first.call, first.logger, first.band);
      if (theirs.first != theirs.second) visit(ours, theirs);
    }
  }

  const CheckedQso& Qso(std::uint32_t g) const { return logs_[entries_[g].log].qsos[entries_[g].qso]; }
  Verdict& VerdictOf(std::uint32_t g) { return result_.verdicts[entries_[g].log][entries_[g].qso]; }
  QsoRef Ref(std::uint32_t g) const { return {entries_[g].log, entries_[g].qso}; }
  const std::string& LoggerCall(std::uint32_t g) const { return SentCall(logs_[entries_[g].log], Qso(g)); }

  // The QSOs logger logged with call on band, in time order.
  // Searched among the logger's entries only: a search of all entries of a large contest took a
  // cache miss at every step.
  Range Group(Id logger, Id call, Id band) const {
    auto [from, to] =
        std::equal_range(byLogger_.data() + loggerStart_[logger], byLogger_.data() + loggerStart_[logger + 1],
                         Entry{logger, call, band, 0, 0, 0}, [&](auto a, auto b) { return Key(a) < Key(b); });
    return {from, to};
  }
  std::tuple<Id, Id, Id> Key(std::uint32_t g) const { return {entries_[g].logger, entries_[g].call, entries_[g].band}; }
  std::tuple<Id, Id, Id> Key(const Entry& e) const { return {e.logger, e.call, e.band}; }

  template <typename Visit>
  void ForEachUnmatched(std::uint32_t log, Visit visit) {
    for (std::uint32_t q = offset_[log]; q < offset_[log + 1]; ++q) {
      const std::uint32_t g = entryOf_[q];
      if (g != kNone && matched_[g] == kNone) visit(g);
    }
  }

  int SerialsMatching(std::uint32_t a, std::uint32_t b) const {
    return (Qso(a).rcvd == Qso(b).sent) + (Qso(a).sent == Qso(b).rcvd);
  }
  bool BothWays(std::uint32_t a, std::uint32_t b) const { return SerialsMatching(a, b) == 2; }

  void Pair(std::uint32_t a, Decision forA, std::uint32_t b, Decision forB) {
    matched_[a] = b;
    matched_[b] = a;
    VerdictOf(a).decision = forA;
    VerdictOf(a).partner = Ref(b);
    VerdictOf(b).decision = forB;
    VerdictOf(b).partner = Ref(a);
  }

  Decision Copied(std::uint32_t own, std::uint32_t other) const {
    return Qso(own).rcvd == Qso(other).sent ? Decision::Confirmed : Decision::WrongSerial;
  }
  void PairCopies(std::uint32_t a, std::uint32_t b) { Pair(a, Copied(a, b), b, Copied(b, a)); }

  void PairMutual() {
    ForEachGroupPairInTwo([&](int, Range ours, Range theirs) {
      const std::size_t n = static_cast<std::size_t>(ours.second - ours.first);
      const std::size_t m = static_cast<std::size_t>(theirs.second - theirs.first);
      if (n * m <= kSmallGroups) {
        MatchFew(ours, theirs);
      } else {
        MatchMany(ours, theirs);
      }
    });
  }

  // Every candidate pair sorted: serials matching (both ways, one way, none), then the closer
  // times, then the earlier QSOs (group order is time order).
  void MatchFew(Range ours, Range theirs) {
    // Most groups are one QSO each side: nothing to order.
    if (ours.second - ours.first == 1 && theirs.second - theirs.first == 1) {
      if (Apart(entries_[*ours.first].minute, entries_[*theirs.first].minute) <= tolerance_) {
        PairCopies(*ours.first, *theirs.first);
      }
      return;
    }
    struct Candidate {
      int serialsMatching;
      std::int64_t apart;
      std::uint32_t a, b;
    };
    // At most kSmallGroups candidates: kept in one buffer a thread, and ordered by insertion, which
    // keeps equal ones in their order as a stable sort would, without a buffer of its own.
    thread_local std::vector<Candidate> candidates;
    candidates.clear();
    const auto before = [](const Candidate& x, const Candidate& y) {
      return std::tie(y.serialsMatching, x.apart) < std::tie(x.serialsMatching, y.apart);
    };
    for (const std::uint32_t* a = ours.first; a != ours.second; ++a) {
      for (const std::uint32_t* b = theirs.first; b != theirs.second; ++b) {
        const std::int64_t apart = Apart(entries_[*a].minute, entries_[*b].minute);
        if (apart > tolerance_) continue;
        const Candidate c{SerialsMatching(*a, *b), apart, *a, *b};
        std::size_t at = candidates.size();
        candidates.push_back(c);
        for (; at > 0 && before(c, candidates[at - 1]); --at) candidates[at] = candidates[at - 1];
        candidates[at] = c;
      }
    }
    for (const Candidate& c : candidates) {
      if (matched_[c.a] == kNone && matched_[c.b] == kNone) PairCopies(c.a, c.b);
    }
  }

  // The same order without listing every pair, which would grow with the square of the QSOs two
  // logs have of each other in one minute: for each level of serials and each distance in
  // minutes, each of our QSOs in order takes the first free one of theirs from buckets by minute
  // (and by serial), whose cursors only move forward. A pair left free at the end of a level
  // cannot match at that level: our QSO would have taken it.
  void MatchMany(Range ours, Range theirs) {
    // (kind, serials, minute); kinds: 3 both serials, 2 the one sent, 1 the one received, 0 none
    using BucketKey = std::tuple<int, std::uint32_t, std::uint32_t, std::int64_t>;
    struct Bucket {
      std::vector<std::uint32_t> at;  // positions in theirs, in order
      std::size_t next = 0;
    };
    std::map<BucketKey, Bucket> buckets;
    const std::uint32_t* base = theirs.first;
    for (const std::uint32_t* b = theirs.first; b != theirs.second; ++b) {
      const CheckedQso& q = Qso(*b);
      const std::int64_t minute = entries_[*b].minute;
      const auto position = static_cast<std::uint32_t>(b - base);
      buckets[{3, q.sent.id(), q.rcvd.id(), minute}].at.push_back(position);
      buckets[{2, q.sent.id(), 0, minute}].at.push_back(position);
      buckets[{1, q.rcvd.id(), 0, minute}].at.push_back(position);
      buckets[{0, 0, 0, minute}].at.push_back(position);
    }
    auto head = [&](const BucketKey& key) -> std::uint32_t {
      auto it = buckets.find(key);
      if (it == buckets.end()) return kNone;
      Bucket& bucket = it->second;
      while (bucket.next < bucket.at.size() && matched_[base[bucket.at[bucket.next]]] != kNone) ++bucket.next;
      return bucket.next < bucket.at.size() ? bucket.at[bucket.next] : kNone;
    };
    for (int level = 2; level >= 0; --level) {
      for (std::int64_t d = 0; d <= tolerance_; ++d) {
        for (const std::uint32_t* a = ours.first; a != ours.second; ++a) {
          if (matched_[*a] != kNone) continue;
          const CheckedQso& q = Qso(*a);
          std::uint32_t best = kNone;
          for (const std::int64_t minute : {entries_[*a].minute - d, entries_[*a].minute + d}) {
            std::vector<BucketKey> keys;
            if (level == 2) keys = {{3, q.rcvd.id(), q.sent.id(), minute}};
            if (level == 1) keys = {{2, q.rcvd.id(), 0, minute}, {1, q.sent.id(), 0, minute}};
            if (level == 0) keys = {{0, 0, 0, minute}};
            for (const BucketKey& key : keys) best = std::min(best, head(key));
            if (d == 0) break;
          }
          if (best != kNone) PairCopies(*a, base[best]);
        }
      }
    }
  }

  void PairAcrossBands(std::uint32_t g) {
    const Entry& e = entries_[g];
    if (submitter_[e.call] == kNone || submitter_[e.call] == e.log) return;
    std::uint32_t best = kNone;
    for (Id band = 0; band < bands_.size(); ++band) {
      if (band == e.band) continue;
      const Range theirs = Group(e.call, e.logger, band);
      for (const std::uint32_t* b = theirs.first; b != theirs.second; ++b) {
        if (matched_[*b] != kNone || Apart(e.minute, entries_[*b].minute) > tolerance_ || !BothWays(g, *b)) continue;
        if (best == kNone || Apart(e.minute, entries_[*b].minute) < Apart(e.minute, entries_[best].minute)) best = *b;
      }
    }
    if (best != kNone) Pair(g, Decision::BandMismatch, best, Decision::BandMismatch);
  }

  void PairBusted(std::uint32_t g) {
    const Entry& e = entries_[g];
    const CheckedQso& ours = Qso(g);
    auto first =
        std::lower_bound(byWorked_.begin(), byWorked_.end(), std::make_tuple(e.logger, e.band, e.minute - tolerance_),
                         [&](std::uint32_t x, const auto& key) {
                           return std::make_tuple(entries_[x].call, entries_[x].band, entries_[x].minute) < key;
                         });
    std::uint32_t best = kNone;
    std::tuple<std::int64_t, int, Id> bestRank{};
    Id lastLogger = kNone;
    int lastDistance = 0;
    for (auto it = first; it != byWorked_.end(); ++it) {
      const Entry& x = entries_[*it];
      if (x.call != e.logger || x.band != e.band || x.minute > e.minute + tolerance_) break;
      if (matched_[*it] != kNone || x.log == e.log || !BothWays(g, *it)) continue;
      if (x.logger != lastLogger) {
        lastLogger = x.logger;
        lastDistance = BustedDistance(ours.call, LoggerCall(*it));
      }
      if (lastDistance > kBustedCallDistance) continue;
      const std::tuple<std::int64_t, int, Id> rank{Apart(e.minute, x.minute), lastDistance, x.logger};
      if (best == kNone || rank < bestRank) {
        best = *it;
        bestRank = rank;
      }
    }
    if (best == kNone) return;
    Pair(g, Decision::BustedCall, best, Decision::Confirmed);
    VerdictOf(g).rightCall = LoggerCall(best);
  }

  // Both sides busted the other's call: neither log has the other's call, so neither QSO finds
  // its partner by call. They are found by what they still share: the band, the serials both
  // ways and the time. Among several: the closer time, then fewer edits, then the call. At the
  // largest contests a QSO meets a few such QSOs of others (serials grow with the time in every
  // log alike), millions in all: each carries the letters of its calls, so that a pair far apart
  // is told without a look at its texts.
  void PairDoubleBusts() {
    struct Open {
      Id band;
      std::uint32_t sent, rcvd;
      std::int64_t minute;
      std::uint32_t entry, log;
      CallLetters call, logger;  // the worked call's and the sent call's
      auto Key() const { return std::tie(band, sent, rcvd, minute, entry); }
    };
    std::vector<Open> open;
    for (std::uint32_t g = 0; g < entries_.size(); ++g) {
      const CheckedQso& q = Qso(g);
      if (matched_[g] != kNone || q.sent.empty() || q.rcvd.empty()) continue;
      const Entry& e = entries_[g];
      open.push_back({e.band, q.sent.id(), q.rcvd.id(), e.minute, g, e.log, LettersOf(q.call), LettersOf(LoggerCall(g))});
    }
    std::sort(open.begin(), open.end(), [](const Open& x, const Open& y) { return x.Key() < y.Key(); });
    for (std::uint32_t log : visitOrder_) {
      ForEachUnmatched(log, [&](std::uint32_t g) {
        const Entry& e = entries_[g];
        const CheckedQso& ours = Qso(g);
        if (ours.sent.empty() || ours.rcvd.empty()) return;
        const CallLetters logged = LettersOf(ours.call), sender = LettersOf(LoggerCall(g));
        const Open from{e.band, ours.rcvd.id(), ours.sent.id(), e.minute - tolerance_, 0, 0, {}, {}};
        auto it = std::lower_bound(open.begin(), open.end(), from,
                                   [](const Open& x, const Open& y) { return x.Key() < y.Key(); });
        std::uint32_t best = kNone;
        std::tuple<std::int64_t, int, Id, std::int64_t, std::uint32_t> bestRank{};
        for (; it != open.end() && it->band == e.band && it->sent == from.sent && it->rcvd == from.rcvd &&
               it->minute <= e.minute + tolerance_;
             ++it) {
          if (it->log == e.log || !MayBeNear(logged, it->logger) || !MayBeNear(it->call, sender)) continue;
          const std::uint32_t x = it->entry;
          if (matched_[x] != kNone) continue;
          const int theirs = BustedDistance(ours.call, LoggerCall(x));
          const int mine = BustedDistance(Qso(x).call, LoggerCall(g));
          if (theirs > kBustedCallDistance || mine > kBustedCallDistance) continue;
          const auto rank = std::make_tuple(Apart(e.minute, entries_[x].minute), theirs + mine, entries_[x].logger,
                                            entries_[x].minute, entries_[x].qso);
          if (best == kNone || rank < bestRank) {
            best = x;
            bestRank = rank;
          }
        }
        if (best == kNone) return;
        Pair(g, Decision::BustedCall, best, Decision::BustedCall);
        VerdictOf(g).rightCall = LoggerCall(best);
        VerdictOf(best).rightCall = LoggerCall(g);
      });
    }
  }

  void DecideUnmatched(std::uint32_t g) {
    const Entry& e = entries_[g];
    Verdict& verdict = VerdictOf(g);
    if (submitter_[e.call] == e.log) {
      verdict.decision = Decision::NotInLog;
    } else if (submitter_[e.call] != kNone) {
      verdict.decision = Decision::NotInLog;
      std::uint32_t nearest = kNone;
      for (Id band = 0; band < bands_.size(); ++band) {
        const Range theirs = Group(e.call, e.logger, band);
        for (const std::uint32_t* b = theirs.first; b != theirs.second; ++b) {
          if (nearest == kNone || Apart(e.minute, entries_[*b].minute) < Apart(e.minute, entries_[nearest].minute)) {
            nearest = *b;
          }
        }
      }
      if (nearest != kNone) {
        verdict.partner = Ref(nearest);
        verdict.partnerTaken = matched_[nearest] != kNone;
      }
    } else {
      verdict.workedBy = loggersNaming_[e.call] - 1;
      verdict.decision = verdict.workedBy == 0 ? Decision::Unique : Decision::NotSubmitted;
    }
  }

  static constexpr std::size_t kSmallGroups = 64;  // pairs of QSOs below which listing them all is cheapest

  const std::vector<CheckedLog>& logs_;
  const std::int64_t tolerance_;
  Names calls_, bands_;
  std::vector<std::uint32_t> submitter_;  // by call: its log, or kNone
  std::vector<std::uint32_t> offset_;     // by log: the number of its first QSO among all
  std::vector<std::uint32_t> entryOf_;    // by QSO among all: its entry, or kNone when ruled out
  std::vector<std::uint32_t> visitOrder_;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> byLogger_, byWorked_;
  std::vector<std::uint32_t> loggerStart_;    // by call: where its entries as logger begin in byLogger_
  std::vector<std::uint32_t> loggersNaming_;  // by call: how many logs name it
  std::vector<std::uint32_t> matched_;        // by entry: the other log's entry paired with it
  std::vector<ClockOffset> offsets_;
  CrossCheckResult result_;
};

}  // namespace

std::optional<std::uint32_t> CrossCheckResult::HolderOf(InternedText call) const {
  const auto it = std::lower_bound(holders.begin(), holders.end(), std::make_pair(call.id(), std::uint32_t{0}));
  if (it == holders.end() || it->first != call.id()) return std::nullopt;
  return it->second;
}

CrossCheckResult CheckAll(const std::vector<CheckedLog>& logs, const MatchOptions& options) {
  return Checker(logs, options).Run();
}

std::vector<std::vector<Verdict>> CrossCheck(const std::vector<CheckedLog>& logs, int toleranceMinutes) {
  return CheckAll(logs, {toleranceMinutes, true}).verdicts;
}

std::string CheckedSerial(std::string_view serial) {
  const bool digits =
      !serial.empty() && std::all_of(serial.begin(), serial.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) return std::string(serial);
  const std::size_t first = std::min(serial.find_first_not_of('0'), serial.size());
  std::string number(serial.substr(first));
  if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
  return number;
}

bool SameHomeCall(std::string_view a, std::string_view b) {
  return a != b && !StationPart(a).empty() && StationPart(a) == StationPart(b);
}

int BustedDistance(const std::string& logged, const std::string& station) {
  const int edits = CallDistance(logged, station, kBustedCallDistance);
  if (edits <= kBustedCallDistance) return edits;
  return SameHomeCall(logged, station) ? kBustedCallDistance : kBustedCallDistance + 1;
}

// The restricted edit distance (each character edited once at most), enough for typing errors.
// Three rows of the table are kept, in a buffer of the thread's own: a double bust weighs millions
// of pairs of calls at the largest contests, most of them far apart, and once a row lies wholly
// past the limit, no later row comes back under it (a swap reaches two rows back, but a value
// there low enough would have left the row between under the limit too).
int CallDistance(const std::string& a, const std::string& b, int limit) {
  const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
  if (std::abs(n - m) > limit) return limit + 1;
  const std::size_t width = static_cast<std::size_t>(m) + 1;
  thread_local std::vector<int> buffer;
  buffer.resize(3 * width);
  int* before = buffer.data();     // row i - 2
  int* last = before + width;      // row i - 1
  int* row = last + width;         // row i
  for (int j = 0; j <= m; ++j) last[j] = j;
  for (int i = 1; i <= n; ++i) {
    row[0] = i;
    int least = row[0];
    for (int j = 1; j <= m; ++j) {
      const int cost = a[static_cast<std::size_t>(i - 1)] == b[static_cast<std::size_t>(j - 1)] ? 0 : 1;
      int d = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + cost});
      if (i > 1 && j > 1 && a[static_cast<std::size_t>(i - 1)] == b[static_cast<std::size_t>(j - 2)] &&
          a[static_cast<std::size_t>(i - 2)] == b[static_cast<std::size_t>(j - 1)]) {
        d = std::min(d, before[j - 2] + 1);
      }
      row[j] = d;
      least = std::min(least, d);
    }
    if (least > limit) return limit + 1;
    std::swap(before, last);
    std::swap(last, row);
  }
  return std::min(last[m], limit + 1);
}

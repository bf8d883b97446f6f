// The QSOs of all logs are indexed twice: by (logger, worked call, band, time), which puts the two
// halves of every QSO side by side, and by (worked call, band, time), which finds who logged a
// call near a moment. No log is ever compared with all others. The decisions are taken in passes,
// each on what the passes before it left unmatched:
//   1. the QSOs two logs have of each other on one band inside the tolerance, paired one to one
//      (serials matching both ways first, then the closest in time): confirmed, or wrong serial
//      received for the side whose copy differs from what the other sent;
//   2. the same two logs on different bands, serials matching both ways: band mismatch for both;
//   3. a QSO whose call is near the call of a log that has us at that moment with the same
//      serials both ways: busted call, and the other log's QSO confirmed;
//   4. the rest: not in log when the named station submitted, else unique or not submitted.
// Every tie is broken by time, then by call, then by the order in the file, and the logs are
// visited in call order, so the decisions do not depend on the order the logs come in.
#include "cross_check.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace {

using Id = std::uint32_t;
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

struct Entry {
  Id logger, call, band;
  std::int64_t minute;
  std::uint32_t log, qso;
};

// Texts numbered in their sorted order, so that comparing numbers is comparing texts.
class Names {
 public:
  void Add(std::string_view text) { ids_.emplace(text, 0); }
  void Number() {
    std::vector<std::string_view> sorted;
    sorted.reserve(ids_.size());
    for (const auto& [text, id] : ids_) sorted.push_back(text);
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) ids_[sorted[i]] = static_cast<Id>(i);
  }
  Id operator[](std::string_view text) const { return ids_.at(text); }
  std::size_t size() const { return ids_.size(); }

 private:
  std::unordered_map<std::string_view, Id> ids_;
};

std::int64_t Apart(std::int64_t a, std::int64_t b) { return a > b ? a - b : b - a; }

class Checker {
 public:
  Checker(const std::vector<CheckedLog>& logs, int tolerance) : logs_(logs), tolerance_(tolerance) { Index(); }

  std::vector<std::vector<Verdict>> Run() {
    PairMutual();
    for (std::uint32_t log : visitOrder_) ForEachUnmatched(log, [&](std::uint32_t g) { PairAcrossBands(g); });
    for (std::uint32_t log : visitOrder_) ForEachUnmatched(log, [&](std::uint32_t g) { PairBusted(g); });
    for (std::uint32_t log : visitOrder_) ForEachUnmatched(log, [&](std::uint32_t g) { DecideUnmatched(g); });

    std::vector<std::vector<Verdict>> out(logs_.size());
    for (std::size_t l = 0; l < logs_.size(); ++l) {
      out[l].assign(std::make_move_iterator(verdicts_.begin() + offset_[l]),
                    std::make_move_iterator(verdicts_.begin() + offset_[l] + logs_[l].qsos.size()));
    }
    return out;
  }

 private:
  using Range = std::pair<const std::uint32_t*, const std::uint32_t*>;

  void Index() {
    for (const CheckedLog& log : logs_) {
      calls_.Add(log.call);
      for (const CheckedQso& q : log.qsos) {
        calls_.Add(q.call);
        bands_.Add(q.band);
      }
    }
    calls_.Number();
    bands_.Number();

    submitter_.assign(calls_.size(), kNone);
    offset_.resize(logs_.size() + 1, 0);
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
      submitter_[calls_[logs_[l].call]] = l;
      offset_[l + 1] = offset_[l] + static_cast<std::uint32_t>(logs_[l].qsos.size());
    }
    visitOrder_.resize(logs_.size());
    std::iota(visitOrder_.begin(), visitOrder_.end(), 0u);
    std::sort(visitOrder_.begin(), visitOrder_.end(),
              [&](std::uint32_t a, std::uint32_t b) { return logs_[a].call < logs_[b].call; });

    entries_.reserve(offset_.back());
    for (std::uint32_t l = 0; l < logs_.size(); ++l) {
      const Id logger = calls_[logs_[l].call];
      for (std::uint32_t q = 0; q < logs_[l].qsos.size(); ++q) {
        const CheckedQso& qso = logs_[l].qsos[q];
        entries_.push_back({logger, calls_[qso.call], bands_[qso.band], qso.minute, l, q});
      }
    }
    matched_.assign(entries_.size(), kNone);
    verdicts_.resize(entries_.size());

    byLogger_.resize(entries_.size());
    std::iota(byLogger_.begin(), byLogger_.end(), 0u);
    byWorked_ = byLogger_;
    std::sort(byLogger_.begin(), byLogger_.end(), [&](std::uint32_t a, std::uint32_t b) {
      const Entry &x = entries_[a], &y = entries_[b];
      return std::tie(x.logger, x.call, x.band, x.minute, x.qso) < std::tie(y.logger, y.call, y.band, y.minute, y.qso);
    });
    std::sort(byWorked_.begin(), byWorked_.end(), [&](std::uint32_t a, std::uint32_t b) {
      const Entry &x = entries_[a], &y = entries_[b];
      return std::tie(x.call, x.band, x.minute, x.logger, x.qso) < std::tie(y.call, y.band, y.minute, y.logger, y.qso);
    });

    // A call named by one log only is unique when its station did not submit.
    std::vector<std::pair<Id, Id>> namedBy;
    namedBy.reserve(entries_.size());
    for (const Entry& e : entries_) namedBy.emplace_back(e.call, e.logger);
    std::sort(namedBy.begin(), namedBy.end());
    namedBy.erase(std::unique(namedBy.begin(), namedBy.end()), namedBy.end());
    loggersNaming_.assign(calls_.size(), 0);
    for (const auto& [call, logger] : namedBy) ++loggersNaming_[call];
  }

  const CheckedQso& Qso(std::uint32_t g) const { return logs_[entries_[g].log].qsos[entries_[g].qso]; }
  QsoRef Ref(std::uint32_t g) const { return {entries_[g].log, entries_[g].qso}; }
  const std::string& LoggerCall(std::uint32_t g) const { return logs_[entries_[g].log].call; }

  // The QSOs logger logged with call on band, in time order.
  Range Group(Id logger, Id call, Id band) const {
    auto [from, to] =
        std::equal_range(byLogger_.data(), byLogger_.data() + byLogger_.size(), Entry{logger, call, band, 0, 0, 0},
                         [&](auto a, auto b) { return Key(a) < Key(b); });
    return {from, to};
  }
  std::tuple<Id, Id, Id> Key(std::uint32_t g) const { return {entries_[g].logger, entries_[g].call, entries_[g].band}; }
  std::tuple<Id, Id, Id> Key(const Entry& e) const { return {e.logger, e.call, e.band}; }

  template <typename Visit>
  void ForEachUnmatched(std::uint32_t log, Visit visit) {
    for (std::uint32_t g = offset_[log]; g < offset_[log + 1]; ++g) {
      if (matched_[g] == kNone) visit(g);
    }
  }

  bool BothWays(std::uint32_t a, std::uint32_t b) const {
    return Qso(a).rcvd == Qso(b).sent && Qso(a).sent == Qso(b).rcvd;
  }

  void Pair(std::uint32_t a, Decision forA, std::uint32_t b, Decision forB) {
    matched_[a] = b;
    matched_[b] = a;
    verdicts_[a].decision = forA;
    verdicts_[a].partner = Ref(b);
    verdicts_[b].decision = forB;
    verdicts_[b].partner = Ref(a);
  }

  Decision Copied(std::uint32_t own, std::uint32_t other) const {
    return Qso(own).rcvd == Qso(other).sent ? Decision::Confirmed : Decision::WrongSerial;
  }

  void PairMutual() {
    for (std::size_t at = 0; at < byLogger_.size();) {
      const Entry& first = entries_[byLogger_[at]];
      std::size_t end = at;
      while (end < byLogger_.size() && Key(byLogger_[end]) == Key(first)) ++end;
      const Range ours{byLogger_.data() + at, byLogger_.data() + end};
      at = end;
      // Each pair of logs once, from the side whose call sorts first.
      if (submitter_[first.call] == kNone || first.call <= first.logger) continue;
      MatchOneToOne(ours, Group(first.call, first.logger, first.band));
    }
  }

  void MatchOneToOne(Range ours, Range theirs) {
    struct Candidate {
      int serialsMatching;
      std::int64_t apart;
      std::uint32_t a, b;
    };
    std::vector<Candidate> candidates;
    for (const std::uint32_t* a = ours.first; a != ours.second; ++a) {
      for (const std::uint32_t* b = theirs.first; b != theirs.second; ++b) {
        const std::int64_t apart = Apart(entries_[*a].minute, entries_[*b].minute);
        if (apart > tolerance_) continue;
        const int serials = (Qso(*a).rcvd == Qso(*b).sent) + (Qso(*a).sent == Qso(*b).rcvd);
        candidates.push_back({serials, apart, *a, *b});
      }
    }
    // Group order is time order, so equal candidates fall back to the earlier QSOs.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
      return std::tie(y.serialsMatching, x.apart) < std::tie(x.serialsMatching, y.apart);
    });
    for (const Candidate& c : candidates) {
      if (matched_[c.a] == kNone && matched_[c.b] == kNone) Pair(c.a, Copied(c.a, c.b), c.b, Copied(c.b, c.a));
    }
  }

  void PairAcrossBands(std::uint32_t g) {
    const Entry& e = entries_[g];
    if (submitter_[e.call] == kNone || e.call == e.logger) return;
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
    if (e.call == e.logger) return;
    const CheckedQso& ours = Qso(g);
    auto first =
        std::lower_bound(byWorked_.begin(), byWorked_.end(), std::make_tuple(e.logger, e.band, e.minute - tolerance_),
                         [&](std::uint32_t x, const auto& key) {
                           return std::make_tuple(entries_[x].call, entries_[x].band, entries_[x].minute) < key;
                         });
    std::uint32_t best = kNone;
    std::tuple<std::int64_t, int, Id> bestRank{};
    for (auto it = first; it != byWorked_.end(); ++it) {
      const Entry& x = entries_[*it];
      if (x.call != e.logger || x.band != e.band || x.minute > e.minute + tolerance_) break;
      if (matched_[*it] != kNone || !BothWays(g, *it)) continue;
      const int distance = CallDistance(LoggerCall(*it), ours.call, kBustedCallDistance);
      if (distance > kBustedCallDistance) continue;
      const std::tuple<std::int64_t, int, Id> rank{Apart(e.minute, x.minute), distance, x.logger};
      if (best == kNone || rank < bestRank) {
        best = *it;
        bestRank = rank;
      }
    }
    if (best == kNone) return;
    Pair(g, Decision::BustedCall, best, Decision::Confirmed);
    verdicts_[g].rightCall = LoggerCall(best);
  }

  void DecideUnmatched(std::uint32_t g) {
    const Entry& e = entries_[g];
    Verdict& verdict = verdicts_[g];
    if (e.call == e.logger) {
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

  const std::vector<CheckedLog>& logs_;
  const std::int64_t tolerance_;
  Names calls_, bands_;
  std::vector<std::uint32_t> submitter_;  // by call: its log, or kNone
  std::vector<std::uint32_t> offset_;     // by log: the number of its first QSO among all
  std::vector<std::uint32_t> visitOrder_;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> byLogger_, byWorked_;
  std::vector<std::uint32_t> loggersNaming_;  // by call
  std::vector<std::uint32_t> matched_;        // by QSO: the other log's QSO paired with it
  std::vector<Verdict> verdicts_;
};

}  // namespace

std::vector<std::vector<Verdict>> CrossCheck(const std::vector<CheckedLog>& logs, int toleranceMinutes) {
  return Checker(logs, toleranceMinutes).Run();
}

// The restricted edit distance (each character edited once at most), enough for typing errors.
int CallDistance(const std::string& a, const std::string& b, int limit) {
  const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
  if (std::abs(n - m) > limit) return limit + 1;
  std::vector<std::vector<int>> d(static_cast<std::size_t>(n + 1), std::vector<int>(static_cast<std::size_t>(m + 1)));
  auto at = [&](int i, int j) -> int& { return d[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]; };
  for (int i = 0; i <= n; ++i) at(i, 0) = i;
  for (int j = 0; j <= m; ++j) at(0, j) = j;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= m; ++j) {
      const int cost = a[static_cast<std::size_t>(i - 1)] == b[static_cast<std::size_t>(j - 1)] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
      if (i > 1 && j > 1 && a[static_cast<std::size_t>(i - 1)] == b[static_cast<std::size_t>(j - 2)] &&
          a[static_cast<std::size_t>(i - 2)] == b[static_cast<std::size_t>(j - 1)]) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return std::min(at(n, m), limit + 1);
}

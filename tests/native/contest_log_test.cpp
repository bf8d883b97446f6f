// The counts kept beside the QSO list answer exactly what a scan of the list answers, however
// adds, removes and resets interleave.
#include "call_check.h"
#include "contest_reset.h"
#include "qso_intake.h"
#include "summary.h"
#include "text_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// The plain scans that the counts replace.
std::size_t ScanCallOnBand(const LogEntries& log, std::string_view call, std::string_view band) {
  std::size_t n = 0;
  for (const CInfo& e : log) n += (e.Call == call && e.Band == band) ? 1 : 0;
  return n;
}

CallCheckResult ScanClassify(const LogEntries& log, const CallCheckQuery& q) {
  if (q.dxcc.empty()) return CallCheckResult::NotNewMultiplier;
  std::string_view band = q.band.value_or("");
  for (const CInfo& e : log) {
    if (e.Call == q.call && e.Band == band) return CallCheckResult::Dupe;
  }
  for (const CInfo& e : log) {
    if (e.Band == band && e.MultKey == q.multKey) return CallCheckResult::NotNewMultiplier;
  }
  return CallCheckResult::NewMultiplier;
}

TEST(LogIndex, AgreesWithTheScanOnRandomLogs) {
  std::mt19937 rng(20261208);
  const std::vector<std::string> calls = {"OK1A", "ok1a", "DL2B", "G3C", "", "OK1A/P", "SP4D", "UA9E"};
  const std::vector<std::string> bands = {"80m", "40m", "80M", "", "20m"};
  const std::vector<std::string> keys = {"OK", "DL", "G", "", "SP"};
  auto pick = [&](const std::vector<std::string>& v) -> const std::string& { return v[rng() % v.size()]; };

  for (int round = 0; round < 40; ++round) {
    Contest contest;
    std::vector<QsoArgs> added;
    for (int step = 0; step < 400; ++step) {
      int action = static_cast<int>(rng() % 10);
      if (action < 6) {
        QsoArgs q;
        q.call = pick(calls);
        q.band = pick(bands);
        q.multKey = pick(keys);
        q.mode = "BPSK63";
        q.exchSent = q.exchRcvd = "0001";
        q.time = {static_cast<double>(rng() % 3), rng() % 7 == 0 ? DateTimeStatus::Null : DateTimeStatus::Valid};
        std::size_t expectedDupes = ScanCallOnBand(contest.Log, q.call, q.band);
        IntakeResult r = AddQso(contest, q);
        std::size_t lines = 0;
        for (char c : r.problemLines) lines += c == '\n';
        ASSERT_EQ(lines, expectedDupes);
        ASSERT_EQ(contest.Log[contest.Log.size() - 1].Dupe, expectedDupes ? 1 : 0);
        added.push_back(q);
      } else if (action < 9 && !added.empty()) {
        const QsoArgs& q = added[rng() % added.size()];
        RemoveQso(contest, q.call, q.band, q.time);
      } else if (action == 9 && rng() % 8 == 0) {
        ResetContest(contest, {});
        added.clear();
      }
      for (int probe = 0; probe < 4; ++probe) {
        CallCheckQuery q{pick(calls), pick(keys), rng() % 5 ? "E" : "", pick(bands), std::nullopt};
        ASSERT_EQ(ClassifyCall(contest.Log, q), ScanClassify(contest.Log, q));
        ASSERT_EQ(contest.Log.CountCallOnBand(q.call, *q.band), ScanCallOnBand(contest.Log, q.call, *q.band));
      }
    }
  }
}

// A QSO's fields as plain strings, the way the log kept them before it kept numbers.
struct PlainQso {
  std::string call, dxcc, multKey, continent, band, mode, rstRcvd, rstSent, exchRcvd, exchSent;
  std::uint32_t freqKHz;
  COleDateTime time;
};

void ExpectSameFields(const CInfo& e, const PlainQso& p) {
  ASSERT_EQ(e.Call, p.call);
  ASSERT_EQ(e.Dxcc, p.dxcc);
  ASSERT_EQ(e.MultKey, p.multKey);
  ASSERT_EQ(e.Continent, p.continent);
  ASSERT_EQ(e.Band, p.band);
  ASSERT_EQ(e.Mode, p.mode);
  ASSERT_EQ(e.RstRcvd, p.rstRcvd);
  ASSERT_EQ(e.RstSent, p.rstSent);
  ASSERT_EQ(e.ExchRcvd, p.exchRcvd);
  ASSERT_EQ(e.ExchSent, p.exchSent);
  ASSERT_EQ(e.FreqKHz, p.freqKHz);
  ASSERT_EQ(e.Time.days, p.time.days);
  ASSERT_EQ(e.Time.status, p.time.status);
}

// Every field read back is the one stored, through removals and resets, with texts from empty
// to longer than the pool's blocks and more distinct ones than its first table holds.
TEST(LogIndex, GivesBackEveryFieldAsAPlainListWould) {
  std::mt19937 rng(20261209);
  auto text = [&](std::size_t kinds) {
    const std::size_t k = rng() % kinds;
    if (k == 0) return std::string();
    if (k == 1) return std::string(20000 + rng() % 50000, static_cast<char>('a' + rng() % 26));
    return "T" + std::to_string(k) + std::string(rng() % 40, 'x');
  };
  for (int round = 0; round < 8; ++round) {
    Contest contest;
    std::vector<PlainQso> plain;
    for (int step = 0; step < 1500; ++step) {
      if (rng() % 6 == 0 && !plain.empty()) {
        const PlainQso gone = plain[rng() % plain.size()];
        RemoveQso(contest, gone.call, gone.band, gone.time);
        plain.erase(std::find_if(plain.begin(), plain.end(), [&](const PlainQso& p) {
          return p.call == gone.call && p.band == gone.band && p.time == gone.time;
        }));
      } else if (rng() % 400 == 0) {
        ResetContest(contest, {});
        plain.clear();
      } else {
        PlainQso p{text(300), text(40), text(20), text(6), text(4), "BPSK63", text(5), text(5), "1" + text(3000),
                   "0" + text(3000), static_cast<std::uint32_t>(rng() % 30000),
                   {static_cast<double>(rng() % 1000), DateTimeStatus::Valid}};
        QsoArgs q;
        q.call = p.call;
        q.dxcc = p.dxcc;
        q.multKey = p.multKey;
        q.continent = p.continent;
        q.band = p.band;
        q.mode = p.mode;
        q.rstRcvd = p.rstRcvd;
        q.rstSent = p.rstSent;
        q.exchRcvd = p.exchRcvd;
        q.exchSent = p.exchSent;
        q.freqHz = p.freqKHz * 1000 + static_cast<std::uint32_t>(rng() % 1000);
        q.time = p.time;
        ASSERT_TRUE(AddQso(contest, q).stored);
        plain.push_back(p);
      }
      ASSERT_EQ(contest.Log.size(), plain.size());
    }
    for (std::size_t i = 0; i < plain.size(); ++i) ExpectSameFields(contest.Log[i], plain[i]);
  }
}

// A text longer than a quarter block gets a block of its own; when it is the contest's first,
// the short texts after it once went into that block and overwrote it (a long call then counted
// as no call at all).
TEST(TextPool, ALongFirstTextKeepsItsBytesWhateverFollows) {
  TextPool pool;
  for (int contest = 0; contest < 2; ++contest) {
    const std::string longText(17000 + contest, '=');
    const TextPool::Id first = pool.Intern(longText);
    std::vector<std::pair<TextPool::Id, std::string>> kept;
    for (int i = 0; i < 5000; ++i) {
      const std::string text = "T" + std::to_string(i) + std::string(i % 40, 'x');
      kept.emplace_back(pool.Intern(text), text);
    }
    EXPECT_EQ(pool.Text(first), longText);
    EXPECT_EQ(pool.Find(longText), first);
    for (const auto& [id, text] : kept) ASSERT_EQ(pool.Text(id), text);
    pool.Clear();
  }
}

TEST(Summary, AQsoWithAVeryLongCallCountsOnItsBand) {
  Contest contest;
  const std::string call(17000, '=');
  QsoArgs q;
  q.call = call;
  q.band = "80M";
  q.mode = "BPSK63";
  q.exchRcvd = "0001";
  q.exchSent = "0002";
  ASSERT_TRUE(AddQso(contest, q).stored);
  EXPECT_NE(BuildSummary(contest).text.find("Total\t 1\t 1\t 1\t   1\r\n"), std::string::npos);
}

TEST(Reset, EmptiesTheLogAndSetsTheWindowRows) {
  Contest contest;
  QsoArgs q;
  q.call = "OK1A";
  q.band = "6m";
  q.mode = "BPSK63";
  q.exchSent = q.exchRcvd = "0001";
  AddQso(contest, q);
  contest.BandDxcc[1] = {"kept"};
  ResetContest(contest, {5, "DL1AAA", {46054.0, DateTimeStatus::Valid}, {46055.5, DateTimeStatus::Valid}});

  EXPECT_TRUE(contest.Log.empty());
  EXPECT_TRUE(contest.BandList.empty());
  EXPECT_EQ(contest.Log.CountCallOnBand("OK1A", "6m"), 0u);
  EXPECT_EQ(contest.Contestant, "DL1AAA");
  EXPECT_EQ(contest.StartDateText, "01.02");
  EXPECT_EQ(contest.EndDateText, "02.02.2026");
  EXPECT_EQ(contest.ContestStarted, 5);
  EXPECT_EQ(contest.BandDxcc[1], std::vector<std::string>{"kept"});

  ResetContest(contest, {0, "", {0, DateTimeStatus::Null}, {0, DateTimeStatus::Invalid}});
  EXPECT_EQ(contest.StartDateText, "");
  EXPECT_EQ(contest.EndDateText, "Invalid DateTime");
}

}  // namespace

// The score summary: its text byte for byte, the band order, what counts, and the per-band lists.
#include "qso_intake.h"
#include "summary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>

namespace {

void Log(Contest& contest, std::string_view call, std::string_view band, std::string_view dxcc, int dupe = 0) {
  CInfo e;
  e.Call = call;
  e.Band = band;
  e.Dxcc = dxcc;
  e.Dupe = dupe;
  contest.Log.Append(e);
  if (std::find(contest.BandList.begin(), contest.BandList.end(), e.Band) == contest.BandList.end()) {
    contest.BandList.emplace_back(e.Band);
  }
}

const std::string kTitle =
    "  PSK-TORVALE 01.02-02.02.2026 \r\n     Contestant: DL1AAA\r\nBand\tQSOs\tPoints\tDXCC\tNew Call\r\n";

Contest Opened() {
  Contest contest;
  contest.StartDateText = "01.02";
  contest.EndDateText = "02.02.2026";
  contest.Contestant = "DL1AAA";
  return contest;
}

TEST(Summary, WorkedExample) {
  Contest contest = Opened();
  contest.ContestStarted = 1;
  Log(contest, "OK1A", "40m", "OK");
  Log(contest, "OK1B", "80m", "OK");
  Log(contest, "DL1C", "80m", "DL");
  Log(contest, "OK1D", "80m", "OK");
  Log(contest, "OK1E", "40m", "OK");
  Summary s = BuildSummary(contest);
  EXPECT_EQ(s.text, kTitle +
                        "80m\t 3\t 3\t 2\t   3\r\n"
                        "40m\t 2\t 2\t 1\t   2\r\n"
                        "Total\t 5\t 5\t 3\t   5\r\n"
                        "Score = 5 * (3 + 5)  = 40 \r\n");
  EXPECT_EQ(s.claimed, 15);
  ASSERT_TRUE(s.lists[1] && s.lists[2]);
  EXPECT_EQ(s.lists[1]->dxcc, (std::vector<std::string>{"OK", "DL"}));
  EXPECT_EQ(s.lists[2]->calls, (std::vector<std::string>{"OK1A", "OK1E"}));
  EXPECT_EQ(s.bands, (std::vector<std::string>{"80m", "40m"}));
  EXPECT_EQ(contest.BandList, (std::vector<std::string>{"40m", "80m"}));
}

TEST(Summary, EmptyLogAndTheCreditLine) {
  Contest contest = Opened();
  Summary s = BuildSummary(contest);
  EXPECT_EQ(s.text, kTitle + "Total\t 0\t 0\t 0\t   0\r\nScore = 0 * (0 + 0)  = 0 \r\n");
  EXPECT_EQ(s.claimed, 0);
  Log(contest, "OK1A", "80m", "OK");
  EXPECT_EQ(BuildSummary(contest).text, kTitle + "80m\t 1\t 1\t 1\t   1\r\nTotal\t 1\t 1\t 1\t   1\r\n"
                                                 "Score = 1 * (1 + 1)  = 2 \r\n" + std::string(kCreditLine));
  contest.ContestStarted = -1;
  EXPECT_EQ(BuildSummary(contest).text.find("Stats.dll"), std::string::npos);
}

TEST(Summary, CountsOnlyNamedNonDupeQsosAndEmptyEntitiesOnce) {
  Contest contest = Opened();
  contest.ContestStarted = 1;
  Log(contest, "OK1A", "80m", "");
  Log(contest, "OK1B", "80m", "");
  Log(contest, "OK1C", "80m", "OK");
  Log(contest, "", "80m", "XX");
  Log(contest, "OK1A", "80m", "YY", 1);
  contest.BandList.push_back("40m");  // only rejected QSOs there
  EXPECT_EQ(BuildSummary(contest).text, kTitle + "80m\t 3\t 3\t 2\t   3\r\n40m\t 0\t 0\t 0\t   0\r\n"
                                                 "Total\t 3\t 3\t 2\t   3\r\nScore = 3 * (2 + 3)  = 15 \r\n");
}

TEST(BandOrder, LongerNamesFirstThenDescending) {
  std::vector<std::string> bands = {"40m", "10m", "80m", "160m"};
  SortBandList(bands);
  EXPECT_EQ(bands, (std::vector<std::string>{"160m", "80m", "40m", "10m"}));
  bands = {"10m", "15m", "20m", "40m", "80m", "160m", "80M", "6m", "2190m"};
  SortBandList(bands);
  EXPECT_EQ(bands, (std::vector<std::string>{"2190m", "160m", "80m", "80M", "40m", "20m", "15m", "10m", "6m"}));
}

TEST(Summary, ForeignBandsCountButFillNoOtherBandsLists) {
  Contest contest = Opened();
  Log(contest, "OK1A", "80m", "OK");
  Log(contest, "OK1B", "6m", "ZZ");
  Log(contest, "OK1C", "80M", "QQ");
  Summary s = BuildSummary(contest);
  EXPECT_NE(s.text.find("6m\t 1\t 1\t 1\t   1\r\n"), std::string::npos);
  EXPECT_NE(s.text.find("Total\t 3\t 3\t 3\t   3\r\n"), std::string::npos);
  EXPECT_FALSE(s.lists[0]);
  ASSERT_TRUE(s.lists[1]);
  EXPECT_EQ(s.lists[1]->dxcc, std::vector<std::string>{"OK"});
  EXPECT_EQ(s.lists[1]->calls, std::vector<std::string>{"OK1A"});
}

TEST(Summary, ScoreWrapsAt32BitsWithoutUndefinedBehaviour) {
  Contest contest = Opened();
  for (int i = 0; i < 70000; ++i) Log(contest, "C" + std::to_string(i), "80m", "E" + std::to_string(i));
  Summary s = BuildSummary(contest);
  EXPECT_EQ(s.claimed, static_cast<std::int32_t>(70000u * 70000u));
  EXPECT_NE(s.text.find("Score = 70000 * (70000 + 70000)  = " +
                        std::to_string(static_cast<std::int32_t>(70000u * 140000u)) + " \r\n"),
            std::string::npos);
}

// The per-band lists in order of first occurrence, computed the plain way.
TEST(Summary, ListsMatchThePlainComputationOnRandomLogs) {
  std::mt19937 rng(7);
  for (int round = 0; round < 30; ++round) {
    Contest contest = Opened();
    const char* bands[] = {"80m", "40m", "160m", "6m"};
    for (int i = 0; i < 300; ++i) {
      const std::string call = rng() % 20 ? "C" + std::to_string(rng() % 120) : "";
      const std::string_view band = bands[rng() % 4];
      const std::string dxcc = "E" + std::to_string(rng() % 15);
      Log(contest, call, band, dxcc, rng() % 5 == 0 ? 1 : 0);
    }
    Summary s = BuildSummary(contest);
    for (std::size_t slot : {std::size_t{0}, std::size_t{1}, std::size_t{2}}) {
      std::vector<std::string> dxcc, calls;
      for (const CInfo& e : contest.Log) {
        if (e.Band != BandOrder[slot] || e.Call.empty() || e.Dupe) continue;
        if (std::find(dxcc.begin(), dxcc.end(), e.Dxcc) == dxcc.end()) dxcc.emplace_back(e.Dxcc);
        if (std::find(calls.begin(), calls.end(), e.Call) == calls.end()) calls.emplace_back(e.Call);
      }
      ASSERT_TRUE(s.lists[slot]);
      ASSERT_EQ(s.lists[slot]->dxcc, dxcc);
      ASSERT_EQ(s.lists[slot]->calls, calls);
    }
  }
}

// The band order as it was first written: an exchange sort of zero-padded keys.
void ExchangeSortBands(std::vector<std::string>& bands) {
  auto key = [](const std::string& band) { return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band; };
  for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
    for (std::size_t j = i + 1; j < bands.size(); ++j) {
      if (key(bands[i]) < key(bands[j])) std::swap(bands[i], bands[j]);
    }
  }
}

// Names that share a key ("80m", "080m", ...) make the order of equals matter.
TEST(BandOrder, SameAsTheExchangeSortForEveryInput) {
  std::mt19937 random(7);
  const std::vector<std::string> cores = {"80m", "40m", "8", "0", "", "160m", "m", "\xE9m", "10m"};
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> bands(random() % 24);
    for (std::string& band : bands) {
      band = std::string(random() % 4 == 0 ? random() % 22 : random() % 3, '0') + cores[random() % cores.size()];
    }
    std::vector<std::string> expected = bands, sorted = bands;
    ExchangeSortBands(expected);
    SortBandList(sorted);
    ASSERT_EQ(sorted, expected) << "round " << round;
  }
}

// The summary of a contest with this many bands, one QSO each; its quickest of five runs.
std::chrono::steady_clock::duration SummaryTime(int bands) {
  Contest contest = Opened();
  for (int i = 0; i < bands; ++i) Log(contest, "OK" + std::to_string(i), std::to_string(i) + "m", "OK");
  auto best = std::chrono::steady_clock::duration::max();
  for (int run = 0; run < 5; ++run) {
    auto start = std::chrono::steady_clock::now();
    Summary s = BuildSummary(contest);
    best = std::min(best, std::chrono::steady_clock::now() - start);
    const std::string total = std::to_string(bands);
    EXPECT_NE(s.text.find("Total\t " + total + "\t " + total + "\t " + total + "\t   " + total + "\r\n"),
              std::string::npos);
  }
  return best;
}

// 32 times the bands: about 50 times the time with a sort of n log n steps, 1,024 times with the
// exchange sort's pairs. Both measured in this run, so the machine's load weighs on both; the
// spread is wide enough that caches and a busy machine cannot bridge it.
TEST(Summary, ThousandsOfBandsTakeTimeInProportion) {
  const auto few = SummaryTime(1000), many = SummaryTime(32000);
  EXPECT_LT(many, 300 * few) << std::chrono::duration<double>(few).count() << " s for 1000 bands, "
                             << std::chrono::duration<double>(many).count() << " s for 32000";
}

}  // namespace

// The plug-in's summary text read back into numbers.
#include "score_summary.h"

#include <gtest/gtest.h>

namespace {

TEST(ScoreSummary, BandLinesTotalsAndScore) {
  const std::optional<ScoreSummary> s = ReadScoreSummary(
      "  PSK-TORVALE 15.03-16.03.2025 \r\n     Contestant: N0CALL\r\nBand\tQSOs\tPoints\tDXCC\tNew Call\r\n"
      "80m\t 3\t 3\t 2\t   3\r\n40m\t 2\t 2\t 1\t   2\r\n20m\t 0\t 0\t 0\t   0\r\n"
      "Total\t 5\t 5\t 3\t   5\r\nScore = 5 * (3 + 5)  = 40 \r\n\r\ncredit line");
  ASSERT_TRUE(s);
  ASSERT_EQ(s->bands.size(), 3u);
  EXPECT_EQ(s->bands[0].band, "80m");
  EXPECT_EQ(std::make_tuple(s->bands[0].qsos, s->bands[0].points, s->bands[0].dxcc, s->bands[0].newCalls),
            std::make_tuple(3, 3, 2, 3));
  EXPECT_EQ(s->bands[2].band, "20m");
  EXPECT_EQ(std::make_tuple(s->total.qsos, s->total.dxcc, s->total.newCalls), std::make_tuple(5, 3, 5));
  EXPECT_EQ(s->score, 40);
}

TEST(ScoreSummary, OverflowedScoresAndTextsThatAreNone) {
  // The plug-in multiplies in 32 bits: a score may come out negative.
  const std::optional<ScoreSummary> wrapped =
      ReadScoreSummary("Total\t 50000\t 50000\t 100\t   50000\r\nScore = 50000 * (100 + 50000)  = -1789967296 \r\n");
  ASSERT_TRUE(wrapped);
  EXPECT_EQ(wrapped->score, -1789967296);
  EXPECT_FALSE(ReadScoreSummary(""));
  EXPECT_FALSE(ReadScoreSummary("Total\t 1\t 1\t 1\t   1\r\n"));
  EXPECT_FALSE(ReadScoreSummary("Total\t 1\t 1\t 1\t   1\r\nScore = 1 * (1 + 1)  = two \r\n"));
}

}  // namespace

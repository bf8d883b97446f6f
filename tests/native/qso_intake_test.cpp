// QSO intake: the two admission rules, dupe flags and their lines, the band list, removal.
#include "qso_intake.h"

#include <gtest/gtest.h>

namespace {

const COleDateTime kEvening{46054.0 + (18 * 60 + 5) / 1440.0, DateTimeStatus::Valid};  // 2026-02-01 18:05

QsoArgs Qso(std::string_view call, std::string_view band = "80m", std::string_view mode = "BPSK63") {
  QsoArgs q;
  q.ownCall = "DL1AAA";
  q.call = call;
  q.time = kEvening;
  q.freqHz = 3579999;
  q.mode = mode;
  q.rstSent = "599";
  q.rstRcvd = "579";
  q.exchSent = "0001";
  q.exchRcvd = "0042";
  q.multKey = "OK";
  q.dxcc = "Czech Republic";
  q.continent = "EU";
  q.band = band;
  return q;
}

TEST(ProblemLine, FollowsTheCabrilloFieldOrder) {
  EXPECT_EQ(ProblemLine(Qso("OK1XYZ"), kVerdictDupe),
            "QSO:  3579  BPSK63  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  579  0042   DUPE !!!\r\n");
  QsoArgs empty;
  empty.time.status = DateTimeStatus::Null;
  // Eight empty fields keep their two-blank gaps.
  EXPECT_EQ(ProblemLine(empty, kVerdictNoContestMode), "QSO:  0" + std::string(16, ' ') + "   NO CONTEST MODE !!!\r\n");
  empty.time.status = DateTimeStatus::Invalid;
  EXPECT_EQ(ProblemLine(empty, kVerdictNoRxNumber),
            "QSO:  0    Invalid DateTime" + std::string(12, ' ') + "   NO RX NUMBER !!!\r\n");
}

TEST(Intake, RejectsOtherModesBeforeMissingNumbers) {
  Contest contest;
  for (std::string_view mode : {"BPSK31", "bpsk63", ""}) {
    QsoArgs q = Qso("OK1XYZ", "40m", mode);
    q.exchRcvd = "";
    IntakeResult r = AddQso(contest, q);
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(r.problemLines, ProblemLine(q, kVerdictNoContestMode));
  }
  QsoArgs noRx = Qso("OK1XYZ");
  noRx.exchRcvd = "";
  EXPECT_EQ(AddQso(contest, noRx).problemLines, ProblemLine(noRx, kVerdictNoRxNumber));
  QsoArgs noTx = Qso("OK1XYZ");
  noTx.exchSent = "";
  EXPECT_FALSE(AddQso(contest, noTx).stored);

  EXPECT_TRUE(contest.Log.empty());
  // Rejected QSOs still list their band, in order of first sight.
  EXPECT_EQ(contest.BandList, (std::vector<std::string>{"40m", "80m"}));
}

TEST(Intake, StoresEveryFieldOfAnAcceptedQso) {
  Contest contest;
  IntakeResult r = AddQso(contest, Qso("OK1XYZ"));
  EXPECT_TRUE(r.stored);
  EXPECT_EQ(r.problemLines, "");
  ASSERT_EQ(contest.Log.size(), 1u);
  const CInfo& e = contest.Log[0];
  EXPECT_EQ(e.Call, "OK1XYZ");
  EXPECT_EQ(e.Dxcc, "Czech Republic");
  EXPECT_EQ(e.MultKey, "OK");
  EXPECT_EQ(e.Continent, "EU");
  EXPECT_EQ(e.Band, "80m");
  EXPECT_EQ(e.Mode, "BPSK63");
  EXPECT_EQ(e.RstSent, "599");
  EXPECT_EQ(e.RstRcvd, "579");
  EXPECT_EQ(e.ExchSent, "0001");
  EXPECT_EQ(e.ExchRcvd, "0042");
  EXPECT_EQ(e.FreqKHz, 3579u);
  EXPECT_EQ(e.Dupe, 0);
  EXPECT_TRUE(e.Time == kEvening);
}

TEST(Intake, WritesOneDupeLinePerEarlierQso) {
  Contest contest;
  const std::string dupeLine = ProblemLine(Qso("OK1XYZ"), kVerdictDupe);
  AddQso(contest, Qso("OK1XYZ"));
  EXPECT_EQ(AddQso(contest, Qso("OK1XYZ")).problemLines, dupeLine);
  IntakeResult third = AddQso(contest, Qso("OK1XYZ"));
  EXPECT_TRUE(third.stored);
  EXPECT_EQ(third.problemLines, dupeLine + dupeLine);
  EXPECT_EQ(AddQso(contest, Qso("OK1XYZ", "40m")).problemLines, "");
  EXPECT_EQ(AddQso(contest, Qso("ok1xyz")).problemLines, "");
  ASSERT_EQ(contest.Log.size(), 5u);
  EXPECT_EQ(contest.Log[0].Dupe, 0);
  EXPECT_EQ(contest.Log[1].Dupe, 1);
  EXPECT_EQ(contest.Log[2].Dupe, 1);
  EXPECT_EQ(contest.Log[3].Dupe, 0);
  EXPECT_EQ(contest.Log[4].Dupe, 0);
}

TEST(Removal, TakesTheFirstExactMatchAndKeepsFlags) {
  Contest contest;
  QsoArgs first = Qso("OK1XYZ");
  first.exchRcvd = "0001";
  QsoArgs second = Qso("OK1XYZ");
  second.exchRcvd = "0002";
  AddQso(contest, first);
  AddQso(contest, second);

  COleDateTime secondOff = kEvening;
  secondOff.days += 1.0 / 86400.0;
  RemoveQso(contest, "OK1XYZ", "80m", secondOff);
  RemoveQso(contest, "OK1XYZ", "40m", kEvening);
  RemoveQso(contest, "ok1xyz", "80m", kEvening);
  EXPECT_EQ(contest.Log.size(), 2u);

  RemoveQso(contest, "OK1XYZ", "80m", kEvening);
  ASSERT_EQ(contest.Log.size(), 1u);
  EXPECT_EQ(contest.Log[0].ExchRcvd, "0002");
  EXPECT_EQ(contest.Log[0].Dupe, 1);
  EXPECT_EQ(contest.BandList, std::vector<std::string>{"80m"});
}

TEST(Removal, MatchesNullTimesAndNeverInvalidOnes) {
  Contest contest;
  QsoArgs nullTime = Qso("OK1XYZ");
  nullTime.time = {3.0, DateTimeStatus::Null};
  QsoArgs invalidTime = Qso("OK2XYZ");
  invalidTime.time = {3.0, DateTimeStatus::Invalid};
  AddQso(contest, nullTime);
  AddQso(contest, invalidTime);
  RemoveQso(contest, "OK2XYZ", "80m", invalidTime.time);
  RemoveQso(contest, "OK1XYZ", "80m", {0.0, DateTimeStatus::Null});
  ASSERT_EQ(contest.Log.size(), 1u);
  EXPECT_EQ(contest.Log[0].Call, "OK2XYZ");
}

}  // namespace

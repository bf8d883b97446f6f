// The decisions on small hand-made logs, one group per rule and its ambiguous cases, and on
// random contests whose logs come in another order.
#include "cross_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kTolerance = 3;

struct Contest {
  std::vector<CheckedLog> logs;

  // A QSO in the log of own, which is added when new; its line is its place in the log.
  Contest& Qso(const std::string& own, const std::string& call, const std::string& band, int minute,
               const std::string& sent, const std::string& rcvd) {
    auto log = std::find_if(logs.begin(), logs.end(), [&](const CheckedLog& l) { return l.call == own; });
    if (log == logs.end()) log = logs.insert(logs.end(), CheckedLog{own, {}});
    log->qsos.push_back({static_cast<std::uint32_t>(log->qsos.size() + 1), call, band, 1'000'000 + minute, sent, rcvd,
                         "", -1});
    return *this;
  }
  // Both halves of a clean QSO.
  Contest& Both(const std::string& a, const std::string& b, const std::string& band, int minute,
                const std::string& aSent, const std::string& bSent) {
    return Qso(a, b, band, minute, aSent, bSent).Qso(b, a, band, minute, bSent, aSent);
  }

  std::vector<std::vector<Verdict>> Check() const { return CrossCheck(logs, kTolerance); }
  std::uint32_t LogOf(const std::string& call) const {
    return static_cast<std::uint32_t>(
        std::find_if(logs.begin(), logs.end(), [&](const CheckedLog& l) { return l.call == call; }) - logs.begin());
  }
  QsoRef Ref(const std::string& call, std::uint32_t line) const { return {LogOf(call), line - 1}; }
};

class Decided {
 public:
  explicit Decided(const Contest& c) : contest_(c), verdicts_(c.Check()) {}
  const Verdict& Of(const std::string& call, std::size_t line) const {
    return verdicts_[contest_.LogOf(call)][line - 1];
  }
  Decision operator()(const std::string& call, std::size_t line) const { return Of(call, line).decision; }
  QsoRef Ref(const std::string& call, std::size_t line) const { return contest_.Ref(call, line); }

 private:
  const Contest& contest_;
  std::vector<std::vector<Verdict>> verdicts_;
};

TEST(Matching, ClockDifferencesUpToTheToleranceConfirm) {
  Contest c;
  c.Both("DL1AA", "OK1BB", "80m", 0, "0001", "0001")
      .Qso("DL1AA", "SP2CC", "80m", 10, "0002", "0007")
      .Qso("SP2CC", "DL1AA", "80m", 13, "0007", "0002")
      .Qso("DL1AA", "G3DD", "40m", 20, "0003", "0004")
      .Qso("G3DD", "DL1AA", "40m", 24, "0004", "0003");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d.Of("DL1AA", 1).partner, d.Ref("OK1BB", 1));
  EXPECT_EQ(d("DL1AA", 2), Decision::Confirmed);
  EXPECT_EQ(d("SP2CC", 1), Decision::Confirmed);
  // Four minutes apart: neither log holds the other's QSO; each names the nearest one.
  EXPECT_EQ(d("DL1AA", 3), Decision::NotInLog);
  EXPECT_EQ(d("G3DD", 1), Decision::NotInLog);
  EXPECT_EQ(d.Of("DL1AA", 3).partner, d.Ref("G3DD", 1));
  EXPECT_FALSE(d.Of("DL1AA", 3).partnerTaken);
}

TEST(Matching, OnlyTheSideThatCopiedWrongLosesTheQso) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "80m", 0, "0001", "0099").Qso("OK1BB", "DL1AA", "80m", 0, "0005", "0001");
  c.Qso("DL1AA", "SP2CC", "80m", 5, "0002", "0077").Qso("SP2CC", "DL1AA", "80m", 5, "0006", "0088");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::WrongSerial);
  EXPECT_EQ(d.Of("DL1AA", 1).partner, d.Ref("OK1BB", 1));
  EXPECT_EQ(d("OK1BB", 1), Decision::Confirmed);
  EXPECT_EQ(d("DL1AA", 2), Decision::WrongSerial);
  EXPECT_EQ(d("SP2CC", 1), Decision::WrongSerial);
}

TEST(Matching, BandMismatchNeedsTheSerialsBothWays) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "40m", 0, "0001", "0005").Qso("OK1BB", "DL1AA", "80m", 1, "0005", "0001");
  c.Qso("DL1AA", "SP2CC", "40m", 9, "0002", "0006").Qso("SP2CC", "DL1AA", "80m", 9, "0006", "0003");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::BandMismatch);
  EXPECT_EQ(d("OK1BB", 1), Decision::BandMismatch);
  EXPECT_EQ(d.Of("OK1BB", 1).partner, d.Ref("DL1AA", 1));
  EXPECT_EQ(d("DL1AA", 2), Decision::NotInLog);
  EXPECT_EQ(d("SP2CC", 1), Decision::NotInLog);
  EXPECT_EQ(d.Of("SP2CC", 1).partner, d.Ref("DL1AA", 2));
}

TEST(Busted, TheRightCallIsTheLogThatHasUsWithTheSameSerials) {
  Contest c;
  c.Qso("DL1AA", "OK1BR", "80m", 0, "0001", "0005").Qso("OK1BB", "DL1AA", "80m", 2, "0005", "0001");
  // One character off, but the serials differ: only not in any log, so unique.
  c.Qso("DL1AA", "OK1BX", "80m", 30, "0002", "0006").Qso("OK1BB", "DL1AA", "80m", 30, "0006", "0009");
  // The same serials, but the call is three edits away: no typing error.
  c.Qso("DL1AA", "SP9XYZ", "80m", 60, "0003", "0007").Qso("OK1BB", "DL1AA", "80m", 60, "0007", "0003");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::BustedCall);
  EXPECT_EQ(d.Of("DL1AA", 1).rightCall, "OK1BB");
  EXPECT_EQ(d.Of("DL1AA", 1).partner, d.Ref("OK1BB", 1));
  EXPECT_EQ(d("OK1BB", 1), Decision::Confirmed);
  EXPECT_EQ(d("DL1AA", 2), Decision::Unique);
  EXPECT_EQ(d("OK1BB", 2), Decision::NotInLog);
  EXPECT_EQ(d("DL1AA", 3), Decision::Unique);
  EXPECT_EQ(d("OK1BB", 3), Decision::NotInLog);
}

TEST(Busted, ACallThatIsAnotherSubmitterIsStillBusted) {
  Contest c;
  // OK1BC submitted, but has DL1AA only hours later; OK1BB has the QSO.
  c.Qso("DL1AA", "OK1BC", "80m", 0, "0001", "0005").Qso("OK1BB", "DL1AA", "80m", 0, "0005", "0001");
  c.Both("OK1BC", "DL1AA", "80m", 300, "0010", "0002");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::BustedCall);
  EXPECT_EQ(d.Of("DL1AA", 1).rightCall, "OK1BB");
  EXPECT_EQ(d("OK1BC", 1), Decision::Confirmed);
  EXPECT_EQ(d("DL1AA", 2), Decision::Confirmed);
}

TEST(Busted, TheLoggedCallWinsWhenItsLogHasTheQso) {
  Contest c;
  // OK1BB has the QSO, with a wrong copy of our serial; OK1BC (one character away) has us at the
  // same minute with both serials: the QSO stays with the call we logged.
  c.Qso("DL1AA", "OK1BB", "80m", 0, "0001", "0005").Qso("OK1BB", "DL1AA", "80m", 0, "0005", "0009");
  c.Qso("OK1BC", "DL1AA", "80m", 0, "0005", "0001");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 1), Decision::WrongSerial);
  EXPECT_EQ(d("OK1BC", 1), Decision::NotInLog);
}

TEST(Busted, AQsoConfirmsOneBustedCallOnly) {
  Contest c;
  c.Qso("OK1BB", "DL1AA", "80m", 0, "0005", "0001");
  c.Qso("DL1AA", "OK1BR", "80m", 0, "0001", "0005").Qso("DL1AA", "OK1BS", "80m", 1, "0001", "0005");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::BustedCall);
  EXPECT_EQ(d("DL1AA", 2), Decision::Unique);
}

TEST(Busted, TheOwnCallLoggedForTheWorkedOneIsBustedWhenTheOtherLogHasUs) {
  Contest c;
  // OK1BB logged its own call for OK1BC's; OK1BC has the QSO: busted, naming OK1BC, and OK1BC keeps it.
  c.Qso("OK1BB", "OK1BB", "80m", 0, "0001", "0005").Qso("OK1BC", "OK1BB", "80m", 0, "0005", "0001");
  // The same, but no log has it: not in log, naming no partner.
  c.Qso("OK1BB", "OK1BB", "40m", 50, "0002", "0006");
  const Decided d(c);
  EXPECT_EQ(d("OK1BB", 1), Decision::BustedCall);
  EXPECT_EQ(d.Of("OK1BB", 1).rightCall, "OK1BC");
  EXPECT_EQ(d("OK1BC", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 2), Decision::NotInLog);
  EXPECT_FALSE(d.Of("OK1BB", 2).partner);
}

TEST(Busted, ADroppedPortableIndicatorOrPrefixIsTheSameStation) {
  Contest c;
  c.Qso("EA8/DL1AA", "OK1BB", "80m", 0, "0001", "0005").Qso("OK1BB", "DL1AA", "80m", 0, "0005", "0001");
  c.Qso("SP2CC/QRP", "OK1BB", "40m", 10, "0001", "0006").Qso("OK1BB", "SP2CC", "40m", 10, "0006", "0001");
  // Added, too: G3DD signed its plain call.
  c.Qso("G3DD", "OK1BB", "80m", 20, "0001", "0007").Qso("OK1BB", "G3DD/P", "80m", 21, "0007", "0001");
  // The home call is what identifies: another station's home call is another station.
  c.Qso("F5EE/P", "OK1BB", "80m", 30, "0001", "0008").Qso("OK1BB", "F5EX/QRP", "80m", 30, "0008", "0001");
  const Decided d(c);
  EXPECT_EQ(d("EA8/DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 1), Decision::BustedCall);
  EXPECT_EQ(d.Of("OK1BB", 1).rightCall, "EA8/DL1AA");
  EXPECT_EQ(d.Of("OK1BB", 1).partner, d.Ref("EA8/DL1AA", 1));
  EXPECT_EQ(d("SP2CC/QRP", 1), Decision::Confirmed);
  EXPECT_EQ(d.Of("OK1BB", 2).rightCall, "SP2CC/QRP");
  EXPECT_EQ(d("G3DD", 1), Decision::Confirmed);
  EXPECT_EQ(d.Of("OK1BB", 3).rightCall, "G3DD");
  EXPECT_EQ(d("F5EE/P", 1), Decision::NotInLog);
  EXPECT_EQ(d("OK1BB", 4), Decision::Unique);

  EXPECT_TRUE(SameHomeCall("EA8/DL1AA", "DL1AA"));
  EXPECT_TRUE(SameHomeCall("DL1AA/QRP", "DL1AA/P"));
  EXPECT_TRUE(SameHomeCall("EA8/DL1AA/P", "DL1AA"));
  EXPECT_FALSE(SameHomeCall("DL1AA", "DL1AA"));
  EXPECT_FALSE(SameHomeCall("DL1AA/P", "DL1AB"));
  EXPECT_FALSE(SameHomeCall("/", ""));
}

TEST(Busted, BothSidesBustingTheOthersCallLoseTheQso) {
  Contest c;
  c.Qso("DL1AA", "OK1BR", "80m", 0, "0001", "0005").Qso("OK1BB", "DL1AX", "80m", 1, "0005", "0001");
  // The serials must match both ways, and the time and band too.
  c.Qso("DL1AA", "OK1BX", "80m", 20, "0002", "0006").Qso("OK1BB", "DL1AY", "80m", 20, "0006", "0009");
  c.Qso("DL1AA", "OK1BQ", "80m", 40, "0003", "0007").Qso("OK1BB", "DL1AZ", "40m", 40, "0007", "0003");
  c.Qso("DL1AA", "OK1BP", "80m", 60, "0004", "0008").Qso("OK1BB", "DL1AW", "80m", 64, "0008", "0004");
  // Calls too far from the other's: no typing error.
  c.Qso("DL1AA", "SP9XYZ", "40m", 80, "0005", "0009").Qso("OK1BB", "DL1AV", "40m", 80, "0009", "0005");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::BustedCall);
  EXPECT_EQ(d.Of("DL1AA", 1).rightCall, "OK1BB");
  EXPECT_EQ(d.Of("DL1AA", 1).partner, d.Ref("OK1BB", 1));
  EXPECT_EQ(d("OK1BB", 1), Decision::BustedCall);
  EXPECT_EQ(d.Of("OK1BB", 1).rightCall, "DL1AA");
  EXPECT_EQ(d.Of("OK1BB", 1).partner, d.Ref("DL1AA", 1));
  for (std::size_t line = 2; line <= 5; ++line) {
    EXPECT_EQ(d("DL1AA", line), Decision::Unique) << line;
    EXPECT_EQ(d("OK1BB", line), Decision::Unique) << line;
  }
}

TEST(Matching, ManyQsosInOneMinuteArePairedAsFewWouldBe) {
  // Two logs with 3,000 QSOs of each other in one minute: the serials pair them one to one, a
  // few copied wrong one way; memory and time stay linear (listing every pair would need 9 M).
  Contest c;
  constexpr int kMany = 3000;
  for (int i = 0; i < kMany; ++i) {
    const std::string a = std::to_string(1000 + i), b = std::to_string(5000 + i);
    c.Qso("DL1AA", "OK1BB", "80m", 10, a, i % 100 == 7 ? "0000" : b).Qso("OK1BB", "DL1AA", "80m", 10, b, a);
  }
  const Decided d(c);
  for (std::size_t line = 1; line <= kMany; ++line) {
    ASSERT_EQ(d.Of("DL1AA", line).partner, d.Ref("OK1BB", line)) << line;
    EXPECT_EQ(d("DL1AA", line), line % 100 == 8 ? Decision::WrongSerial : Decision::Confirmed) << line;
    EXPECT_EQ(d("OK1BB", line), Decision::Confirmed) << line;
  }
  // A group just above the size listed pair by pair decides as the small groups above do.
  Contest few;
  for (int i = 0; i < 9; ++i) few.Qso("DL1AA", "OK1BB", "80m", i % 3, "000" + std::to_string(i), "0001");
  for (int i = 0; i < 9; ++i)
    few.Qso("OK1BB", "DL1AA", "80m", 2 - i % 3, "0001", i == 4 ? "0009" : "000" + std::to_string(8 - i));
  const Decided f(few);
  for (std::size_t line = 1; line <= 9; ++line) {
    const std::size_t theirs = line == 5 ? 0 : 10 - line;
    if (theirs) {
      EXPECT_EQ(f.Of("DL1AA", line).partner, f.Ref("OK1BB", theirs)) << line;
    }
  }
}

TEST(Clocks, AWrongClockIsTakenOutAndTheOthersKeepTheirQsos) {
  Contest c;
  // SP2CC's clock is 60 minutes fast; the others are right. Every log has QSOs with the others.
  const std::vector<std::string> calls = {"DL1AA", "OK1BB", "SP2CC", "G3DD", "F5EE"};
  int serial = 0;
  for (int minute = 0; minute < 400; minute += 10) {
    for (std::size_t a = 0; a < calls.size(); ++a) {
      const std::size_t b = (a + 1 + static_cast<std::size_t>(minute / 10) % (calls.size() - 1)) % calls.size();
      if (a > b) continue;
      const std::string sa = std::to_string(1000 + ++serial), sb = std::to_string(1000 + ++serial);
      const int ta = minute + (calls[a] == "SP2CC" ? 60 : 0), tb = minute + (calls[b] == "SP2CC" ? 60 : 0);
      c.Qso(calls[a], calls[b], "80m", ta, sa, sb).Qso(calls[b], calls[a], "80m", tb, sb, sa);
    }
  }
  const CrossCheckResult corrected = CheckAll(c.logs, {3, true});
  const std::size_t sp = c.LogOf("SP2CC");
  EXPECT_EQ(corrected.offsets[sp].minutes, 60);
  EXPECT_TRUE(corrected.offsets[sp].corrected);
  EXPECT_GE(corrected.offsets[sp].evidence, kOffsetEvidence);
  for (std::size_t l = 0; l < c.logs.size(); ++l) {
    if (l != sp) {
      EXPECT_FALSE(corrected.offsets[l].corrected) << c.logs[l].call;
    }
    for (const Verdict& v : corrected.verdicts[l]) EXPECT_EQ(v.decision, Decision::Confirmed) << c.logs[l].call;
  }
  // Without the correction both sides of each of SP2CC's QSOs are not in log.
  const CrossCheckResult logged = CheckAll(c.logs, {3, false});
  for (const Verdict& v : logged.verdicts[sp]) EXPECT_EQ(v.decision, Decision::NotInLog);
  EXPECT_EQ(logged.offsets[sp].evidence, 0u);
}

TEST(Clocks, ALogThatWorkedCorrectedClocksIsNeverMovedForThem) {
  Contest c;
  // Three clocks 60 minutes fast, each worked by six right ones, which also work each other.
  const std::vector<std::string> fast = {"W1AA", "W2BB", "W3CC"};
  const std::vector<std::string> right = {"DL1AA", "OK1BB", "SP2CC", "G3DD", "F5EE", "ON4FF"};
  int serial = 1000, minute = 0;
  auto qso = [&](const std::string& a, int aLate, const std::string& b, int bLate, const std::string& band) {
    const std::string sa = std::to_string(++serial), sb = std::to_string(++serial);
    c.Qso(a, b, band, minute + aLate, sa, sb).Qso(b, a, band, minute + bLate, sb, sa);
    minute += 10;
  };
  for (const std::string& w : fast) {
    for (const std::string& r : right) qso(w, 60, r, 0, "80m");
  }
  for (std::size_t i = 0; i < right.size(); ++i) {
    for (std::size_t j = i + 1; j < right.size(); ++j) qso(right[i], 0, right[j], 0, "40m");
  }
  // HA5GG's clock is right, but six of its seven QSOs are with the fast clocks: against them it
  // looks 60 minutes slow, clearly, until their offsets are out.
  for (const std::string& w : fast) {
    qso("HA5GG", 0, w, 60, "80m");
    qso("HA5GG", 0, w, 60, "40m");
  }
  qso("HA5GG", 0, "DL1AA", 0, "80m");

  const CrossCheckResult result = CheckAll(c.logs, {3, true});
  for (const std::string& w : fast) {
    EXPECT_EQ(result.offsets[c.LogOf(w)].minutes, 60) << w;
    EXPECT_TRUE(result.offsets[c.LogOf(w)].corrected) << w;
  }
  const ClockOffset& victim = result.offsets[c.LogOf("HA5GG")];
  EXPECT_EQ(victim.minutes, 0);
  EXPECT_FALSE(victim.corrected);
  EXPECT_EQ(victim.evidence, 7u);
  for (const std::string& r : right) EXPECT_FALSE(result.offsets[c.LogOf(r)].corrected) << r;
  for (std::size_t l = 0; l < c.logs.size(); ++l) {
    for (const Verdict& v : result.verdicts[l]) EXPECT_EQ(v.decision, Decision::Confirmed) << c.logs[l].call;
  }
}

TEST(Stations, TheCallTheQsoLinesSendIsMatched) {
  Contest c;
  // DL1AA's header says DL1AA, its lines send DL1AA/P, and OK1BB logged DL1AA/P.
  c.Qso("DL1AA", "OK1BB", "80m", 0, "0001", "0005").Qso("OK1BB", "DL1AA/P", "80m", 0, "0005", "0001");
  c.logs[0].qsos[0].ownCall = "DL1AA/P";
  // A call two logs send: the log whose header call it is keeps it.
  c.Qso("SP2CC", "OK1BB", "40m", 5, "0002", "0006").Qso("OK1BB", "SP2CC", "40m", 5, "0006", "0002");
  c.Qso("G3DD", "OK1BB", "40m", 5, "0003", "0006");
  c.logs.back().qsos.back().ownCall = "SP2CC";
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 1), Decision::Confirmed);
  EXPECT_EQ(d("SP2CC", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 2), Decision::Confirmed);
  EXPECT_EQ(d("G3DD", 1), Decision::NotInLog);
}

TEST(Rules, RuledOutQsosTakeNoPartAndSerialsCompareAsNumbers) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "80m", 0, CheckedSerial("00008"), CheckedSerial("12"))
      .Qso("OK1BB", "DL1AA", "80m", 0, CheckedSerial("0012"), CheckedSerial("8"));
  c.Qso("DL1AA", "OK1BB", "40m", 30, "0002", "0013").Qso("OK1BB", "DL1AA", "40m", 30, "0013", "0002");
  c.logs[1].qsos[1].ruled = static_cast<int>(Decision::WrongMode);
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 2), Decision::WrongMode);
  EXPECT_EQ(d("DL1AA", 2), Decision::NotInLog);
  EXPECT_EQ(CheckedSerial("00008"), "0008");
  EXPECT_EQ(CheckedSerial("12345"), "12345");
  EXPECT_EQ(CheckedSerial("0"), "0000");
  EXPECT_EQ(CheckedSerial("12A"), "12A");
}

TEST(Ambiguous, SerialsChooseAmongTwoCandidatesBeforeTime) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "80m", 101, "0001", "0006");
  c.Qso("OK1BB", "DL1AA", "80m", 101, "0005", "0099").Qso("OK1BB", "DL1AA", "80m", 103, "0006", "0001");
  const Decided d(c);
  EXPECT_EQ(d.Of("DL1AA", 1).partner, d.Ref("OK1BB", 2));
  EXPECT_EQ(d("DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 2), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 1), Decision::NotInLog);
  EXPECT_TRUE(d.Of("OK1BB", 1).partnerTaken);
}

TEST(Ambiguous, ALoggedTwiceQsoIsConfirmedOnceAtTheCloserTime) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "80m", 0, "0001", "0005").Qso("DL1AA", "OK1BB", "80m", 1, "0001", "0005");
  c.Qso("OK1BB", "DL1AA", "80m", 1, "0005", "0001");
  // A real second QSO later on the same band is a dupe for the score, but confirmed here.
  c.Both("DL1AA", "OK1BB", "80m", 200, "0002", "0006");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::NotInLog);
  EXPECT_EQ(d("DL1AA", 2), Decision::Confirmed);
  EXPECT_TRUE(d.Of("DL1AA", 1).partnerTaken);
  EXPECT_EQ(d("DL1AA", 3), Decision::Confirmed);
  EXPECT_EQ(d("OK1BB", 2), Decision::Confirmed);
}

TEST(Ambiguous, EqualCandidatesGoToTheEarlierQso) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "80m", 0, "0001", "0005").Qso("DL1AA", "OK1BB", "80m", 4, "0001", "0005");
  c.Qso("OK1BB", "DL1AA", "80m", 2, "0005", "0001");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::Confirmed);
  EXPECT_EQ(d("DL1AA", 2), Decision::NotInLog);
}

TEST(Stations, UniqueOrNotSubmittedByHowManyLogsNameTheCall) {
  Contest c;
  c.Qso("DL1AA", "EA3NS", "80m", 0, "0001", "0010").Qso("OK1BB", "EA3NS", "40m", 9, "0001", "0011");
  c.Qso("DL1AA", "EA3UQ", "80m", 5, "0002", "0012").Qso("DL1AA", "EA3UQ", "40m", 50, "0003", "0013");
  c.Qso("DL1AA", "DL1AA", "80m", 60, "0004", "0004");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::NotSubmitted);
  EXPECT_EQ(d.Of("DL1AA", 1).workedBy, 1u);
  EXPECT_EQ(d("OK1BB", 1), Decision::NotSubmitted);
  EXPECT_EQ(d("DL1AA", 2), Decision::Unique);
  EXPECT_EQ(d("DL1AA", 3), Decision::Unique);
  // The own call is in this log only as the log's own: never confirmed.
  EXPECT_EQ(d("DL1AA", 4), Decision::NotInLog);
  EXPECT_FALSE(d.Of("DL1AA", 4).partner);
}

TEST(Stations, NotInLogWithoutAnyQsoOfUsNamesNoPartner) {
  Contest c;
  c.Qso("DL1AA", "OK1BB", "80m", 0, "0001", "0005").Both("OK1BB", "SP2CC", "80m", 0, "0005", "0001");
  const Decided d(c);
  EXPECT_EQ(d("DL1AA", 1), Decision::NotInLog);
  EXPECT_FALSE(d.Of("DL1AA", 1).partner);
}

// A random contest with every kind of fault; the decisions keyed by (log call, line).
Contest RandomContest(unsigned seed) {
  std::mt19937 random(seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::vector<std::string> calls;
  for (int i = 0; i < 25; ++i)
    calls.push_back("OK" + std::to_string(i % 10) + std::string(1, static_cast<char>('A' + i)) + "B");
  std::map<std::string, int> serial;
  Contest c;
  for (int n = 0; n < 600; ++n) {
    const std::string& a = calls[static_cast<std::size_t>(pick(25))];
    const std::string& b = calls[static_cast<std::size_t>(pick(25))];
    if (a == b) continue;
    const std::string band = pick(2) ? "80m" : "40m";
    const int minute = pick(300);
    const std::string as = std::to_string(1000 + ++serial[a]), bs = std::to_string(1000 + ++serial[b]);
    switch (pick(6)) {
      case 0:
        c.Qso(a, b, band, minute, as, bs);
        break;
      case 1:
        c.Qso(a, b.substr(0, 3) + "X", band, minute, as, bs).Qso(b, a, band, minute, bs, as);
        break;
      case 2:
        c.Qso(a, b, band == "80m" ? "40m" : "80m", minute, as, bs).Qso(b, a, band, minute + pick(3), bs, as);
        break;
      default:
        c.Qso(a, b, band, minute, as, pick(4) ? bs : "9999").Qso(b, a, band, minute + pick(9) - 4, bs, as);
    }
  }
  return c;
}

using Keyed = std::map<std::pair<std::string, std::size_t>, std::tuple<Decision, std::string, std::string>>;

Keyed KeyedVerdicts(const Contest& c) {
  const std::vector<std::vector<Verdict>> verdicts = c.Check();
  Keyed keyed;
  for (std::size_t l = 0; l < c.logs.size(); ++l) {
    for (std::size_t q = 0; q < c.logs[l].qsos.size(); ++q) {
      const Verdict& v = verdicts[l][q];
      const std::string partner = v.partner ? c.logs[v.partner->log].call + ":" +
                                                  std::to_string(c.logs[v.partner->log].qsos[v.partner->qso].line)
                                            : "";
      keyed[{c.logs[l].call, c.logs[l].qsos[q].line}] = {v.decision, v.rightCall, partner};
    }
  }
  return keyed;
}

TEST(Matching, TheOrderOfTheLogsChangesNothing) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    Contest c = RandomContest(seed);
    const Keyed before = KeyedVerdicts(c);
    std::mt19937 random(seed);
    std::shuffle(c.logs.begin(), c.logs.end(), random);
    EXPECT_EQ(KeyedVerdicts(c), before) << "seed " << seed;

    // Every pairing is mutual: a partner's partner is the QSO itself.
    const std::vector<std::vector<Verdict>> verdicts = c.Check();
    std::map<Decision, int> seen;
    for (std::uint32_t l = 0; l < c.logs.size(); ++l) {
      for (std::uint32_t q = 0; q < verdicts[l].size(); ++q) {
        const Verdict& v = verdicts[l][q];
        ++seen[v.decision];
        if (v.decision == Decision::NotInLog || !v.partner) continue;
        const Verdict& back = verdicts[v.partner->log][v.partner->qso];
        ASSERT_TRUE(back.partner);
        EXPECT_EQ(*back.partner, (QsoRef{l, q}));
      }
    }
    for (Decision kind : {Decision::Confirmed, Decision::NotInLog, Decision::BustedCall, Decision::WrongSerial,
                          Decision::BandMismatch}) {
      EXPECT_GT(seen[kind], 0) << "seed " << seed;
    }
  }
}

TEST(CallDistance, CountsTypingErrors) {
  EXPECT_EQ(CallDistance("OK1BB", "OK1BB", 2), 0);
  EXPECT_EQ(CallDistance("OK1BB", "OK1BR", 2), 1);
  EXPECT_EQ(CallDistance("OK1BB", "KO1BB", 2), 1);
  EXPECT_EQ(CallDistance("OK1BB", "OK1B", 2), 1);
  EXPECT_EQ(CallDistance("OK1BB", "OK1BBB/P", 2), 3);
  EXPECT_EQ(CallDistance("OK1BB", "SP9XYZ", 2), 3);
  EXPECT_EQ(CallDistance("", "AB", 2), 2);
}

// The distance as the textbook writes it, the whole table at once, on random calls near each
// other and far apart, for every limit the matching could use.
TEST(CallDistance, AsTheWholeTableCountsIt) {
  auto plain = [](const std::string& a, const std::string& b) {
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
      for (std::size_t j = 1; j <= b.size(); ++j) {
        d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
        if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
    return d[a.size()][b.size()];
  };
  std::mt19937 random(5);
  auto call = [&](std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += "AB1/"[random() % 4];
    return text;
  };
  for (int n = 0; n < 20000; ++n) {
    std::string a = call(random() % 9), b = a;
    for (unsigned edits = random() % 5; edits > 0 && !b.empty(); --edits) {
      const std::size_t at = random() % b.size();
      switch (random() % 4) {
        case 0: b[at] = "AB1/"[random() % 4]; break;
        case 1: b.erase(at, 1); break;
        case 2: b.insert(at, 1, "AB1/"[random() % 4]); break;
        default: if (at + 1 < b.size()) std::swap(b[at], b[at + 1]);
      }
    }
    if (n % 3 == 0) b = call(random() % 9);
    for (int limit = 0; limit <= 4; ++limit) {
      ASSERT_EQ(CallDistance(a, b, limit), std::min(plain(a, b), limit + 1)) << a << " " << b << " " << limit;
    }
  }
}

}  // namespace

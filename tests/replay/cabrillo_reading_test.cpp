// Cabrillo 3.0 logs of this contest: the plug-in's own, other programs' forms, broken lines.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "host_form.h"
#include "log_file.h"
#include "shared_text.h"

namespace {

std::string CrLf(const std::string& lf) {
  std::string text;
  for (char c : lf) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return text;
}

const std::string kHeader =
    "START-OF-LOG: 3.0\n"
    "CONTEST: PSK-63-TORVALE\n"
    "CALLSIGN: N0CALL\n"
    "CATEGORY-OPERATOR: SINGLE-OP\n"
    "SOAPBOX: QSO: lines below\n";

std::string Messages(const LogFile& log) {
  std::string all;
  for (const Problem& p : log.problems) all += std::to_string(p.line) + ": " + p.message + "\n";
  return all;
}

TEST(CabrilloFields, TheLinesThePlugInWrites) {
  LogFile log =
      ParseLogText(CrLf(kHeader + "QSO:  3582 PM 2025-03-15 1203 N0CALL        599 0001   DL1ABC        579 0042\n"
                                  "QSO:  7040 PM 2025-03-16 0959 N0CALL        599 0002   OK1XYZ/P      599 0007\n"
                                  "END-OF-LOG:\n"));
  EXPECT_EQ(log.skipped, 0u);
  EXPECT_TRUE(log.problems.empty()) << Messages(log);
  EXPECT_EQ(log.ownCall, "N0CALL");
  ASSERT_EQ(log.qsos.size(), 2u);
  const LogQso& q = log.qsos[0];
  EXPECT_EQ(q.line, 6u);
  EXPECT_EQ(q.freqHz, 3'582'000u);
  EXPECT_EQ(q.band, "80m");
  EXPECT_EQ(q.mode, "BPSK63");
  EXPECT_EQ(q.days, *HostDays({2025, 3, 15, 12, 3, 0}));
  EXPECT_EQ(q.ownCall, "N0CALL");
  EXPECT_EQ(q.rstSent, "599");
  EXPECT_EQ(q.exchSent, "0001");
  EXPECT_EQ(q.call, "DL1ABC");
  EXPECT_EQ(q.rstRcvd, "579");
  EXPECT_EQ(q.exchRcvd, "0042");
  EXPECT_EQ(log.qsos[1].band, "40m");
  EXPECT_EQ(log.qsos[1].call, "OK1XYZ/P");
  EXPECT_EQ(log.qsos[1].days, *HostDays({2025, 3, 16, 9, 59, 0}));
}

TEST(CabrilloFields, OtherProgramsForms) {
  LogFile log = ParseLogText(
      "\n  start-of-log: 3.0\n"
      "callsign: n0call\n"
      "category-transmitter: two\n"
      "QSO: 7040 CW 2025-03-15 1210 n0call 599 1 ok1xyz 579 7 1\n"
      "QSO: 3590.5 pm 2025-03-15 1211 N0CALL 599 2 SP1ABC 599\n"
      "QSO: 3590 RY 2025-03-15 1212 N0CALL 599 3 SP2ABC 599 12\n"
      "END-OF-LOG:\n");
  EXPECT_TRUE(log.problems.empty()) << Messages(log);
  EXPECT_EQ(log.ownCall, "N0CALL");
  ASSERT_EQ(log.qsos.size(), 3u);
  EXPECT_EQ(log.qsos[0].mode, "CW");
  EXPECT_EQ(log.qsos[0].call, "OK1XYZ");
  EXPECT_EQ(log.qsos[0].ownCall, "N0CALL");
  EXPECT_EQ(log.qsos[0].exchSent, "0001");
  EXPECT_EQ(log.qsos[0].exchRcvd, "0007");
  EXPECT_EQ(log.qsos[1].mode, "BPSK63");
  EXPECT_EQ(log.qsos[1].freqHz, 3'590'500u);
  EXPECT_EQ(log.qsos[1].exchRcvd, "");
  EXPECT_EQ(log.qsos[2].mode, "RY");
  EXPECT_EQ(log.qsos[2].line, 7u);
}

TEST(CabrilloFields, WhatTheLineWroteIsKeptBesideTheHostsForm) {
  LogFile log = ParseLogText(kHeader + "QSO: 7040 pm 2025-03-15 1210 n0call 599 1 ok1xyz/p 579 12\n");
  ASSERT_EQ(log.qsos.size(), 1u);
  const LogQso& q = log.qsos[0];
  EXPECT_EQ(std::tie(q.call, q.written.call), std::make_tuple("OK1XYZ/P", "ok1xyz/p"));
  EXPECT_EQ(std::tie(q.ownCall, q.written.ownCall), std::make_tuple("N0CALL", "n0call"));
  EXPECT_EQ(std::tie(q.mode, q.written.mode), std::make_tuple("BPSK63", "pm"));
  EXPECT_EQ(std::make_tuple(q.exchSent, q.WrittenSent()), std::make_tuple("0001", "1"));
  EXPECT_EQ(std::make_tuple(q.exchRcvd, q.WrittenRcvd()), std::make_tuple("0012", "12"));
  EXPECT_EQ(std::tie(q.freqHz, q.written.freq), std::make_tuple(7'040'000u, "7040"));
  EXPECT_EQ(q.band, "40m");
  EXPECT_EQ(q.written.band, "");
}

TEST(CabrilloLayout, EveryTaggedLineInFileOrder) {
  LogFile log = ParseLogText(CrLf(
      "START-OF-LOG: 3.0\n"              // 1
      "CALLSIGN: N0CALL\n"               // 2
      "address: Main St 1\n"             // 3
      "\n"                               // 4
      "ADDRESS:   Springfield  \n"       // 5
      "QSO: 3582 PM 2025-03-15 1203 N0CALL 599 0001 DL1ABC 579 0042\n"  // 6
      "stray text\n"                     // 7
      "X-QSO: 3582 PM 2025-03-15 1204 N0CALL 599 0002 DL2ABC 579 0043\n"  // 8
      "END-OF-LOG:\n"                    // 9
      "SOAPBOX: after the end\n"));      // 10
  EXPECT_EQ(log.format, LogFormat::Cabrillo);
  std::string lines;
  for (const CabrilloLine& l : log.cabrilloLines) lines += std::to_string(l.line) + " " + l.tag + "=" + l.value + "|";
  EXPECT_EQ(lines,
            "1 START-OF-LOG=3.0|2 CALLSIGN=N0CALL|3 ADDRESS=Main St 1|5 ADDRESS=Springfield|6 QSO=|7 =stray text|"
            "8 X-QSO=3582 PM 2025-03-15 1204 N0CALL 599 0002 DL2ABC 579 0043|9 END-OF-LOG=|10 =SOAPBOX: after the end|");
  ASSERT_EQ(log.problems.size(), 2u) << Messages(log);
  EXPECT_EQ(log.problems[0].kind, ProblemKind::Layout);
  EXPECT_EQ(log.problems[1].kind, ProblemKind::Excluded);
}

// QSO lines are read a few at a time; a header line among them counts from its own line on, and
// every finding keeps its line's place.
TEST(CabrilloLayout, AHeaderLineAmongTheQsosCountsFromItsLineOn) {
  std::string lines;
  for (int i = 1; i <= 40; ++i) {
    if (i == 21) lines += "CATEGORY-TRANSMITTER: TWO\n";
    if (i == 30) lines += "a stray line\n";
    const std::string serial = std::to_string(1000 + i);
    lines += "QSO: 3582 PM 2025-03-15 1203 N0CALL 599 " + serial + " DL1ABC 579 0042 1\n";
  }
  const LogFile log = ParseLogText(kHeader + lines + "END-OF-LOG:\n");
  ASSERT_EQ(log.qsos.size(), 40u);
  for (std::size_t i = 0; i < log.qsos.size(); ++i) EXPECT_EQ(log.qsos[i].exchSent, std::to_string(1001 + i));
  // Lines 6 to 25 come before the header line (26): their 11th field is a fault, the others' is
  // the transmitter.
  std::string expected;
  for (int line = 6; line <= 25; ++line) {
    expected += std::to_string(line) +
                ": an 11th field '1' after the received exchange: this contest's QSO lines have 10 (an 11th, the "
                "transmitter 0 or 1, only with CATEGORY-TRANSMITTER: TWO); remove it\n";
  }
  expected += "36: a line without a tag is ignored\n";
  EXPECT_EQ(Messages(log), expected);
}

// The fields a log repeats from line to line are the very texts any other reading keeps for them.
TEST(CabrilloFields, RepeatedFieldsAreTheTextsKeptForThem) {
  const LogFile log = ParseLogText(kHeader +
                                   "QSO: 3582 PM 2025-03-15 1203 N0CALL 599 0001 DL1ABC 579 0042\n"
                                   "QSO: 7040 pm 2025-03-15 1204 n0call 579 0002 dl2abc 599 0043\n"
                                   "QSO: 3582 PM 2025-03-15 1205 N0CALL 599 0003 DL1ABC 579 0044\n"
                                   "END-OF-LOG:\n");
  ASSERT_EQ(log.qsos.size(), 3u);
  for (const LogQso& q : log.qsos) {
    EXPECT_EQ(&q.band.str(), &SharedText(q.band.str()).str());
    EXPECT_EQ(&q.rstSent.str(), &SharedText(q.rstSent.str()).str());
    EXPECT_EQ(&q.written.ownCall.str(), &SharedText(q.written.ownCall.str()).str());
    EXPECT_EQ(&q.call.str(), &SharedText(q.call.str()).str());
  }
  EXPECT_EQ(log.qsos[1].band, "40m");
  EXPECT_TRUE(log.qsos[0].band == log.qsos[2].band);
  EXPECT_EQ(log.qsos[1].written.mode, "pm");
  EXPECT_EQ(log.qsos[1].mode, "BPSK63");
  EXPECT_EQ(log.qsos[1].written.call, "dl2abc");
  EXPECT_EQ(log.qsos[1].call, "DL2ABC");
  EXPECT_EQ(log.qsos[1].ownCall, "N0CALL");
  EXPECT_TRUE(log.qsos[0].ownCall == log.qsos[1].ownCall);
  EXPECT_EQ(log.qsos[1].rstSent, "579");
  EXPECT_TRUE(log.qsos[0].call == log.qsos[2].call);
}

TEST(CabrilloFaults, BrokenLinesAreCountedAndTheRestRead) {
  LogFile log = ParseLogText(kHeader +
                             "QSO: 3582 PM 2025-03-15 1203 N0CALL 599 0001 DL1ABC 579 0042\n"          // 6
                             "QSO: 3582 PM 2025-03-15 1204 N0CALL 599 0002 DL2ABC\n"                   // 7
                             "QSO: 3582 PM 2025-02-30 1205 N0CALL 599 0003 DL3ABC 599 0001\n"          // 8
                             "QSO: 3582 PM 2025-03-15 2460 N0CALL 599 0004 DL4ABC 599 0001\n"          // 9
                             "QSO: 3.5MHz PM 2025-03-15 1207 N0CALL 599 0005 DL5ABC 599 0001\n"        // 10
                             "QSO: 144 PM 2025-03-15 1208 N0CALL 599 0006 DL6ABC 599 0001\n"           // 11
                             "X-QSO: 3582 PM 2025-03-15 1209 N0CALL 599 0007 DL7ABC 599 0001\n"        // 12
                             "a stray line\n"                                                          // 13
                             "QSO: 7040 PM 2025-03-15 1210 N0CALL 599 0008 DL8ABC 599 0001 0 extra\n"  // 14
                             "QSO: 7040 PM 2025-03-15 1211 N0CALL 599 0009 DL9ABC 599 0001\n");        // 15
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].call, "DL1ABC");
  EXPECT_EQ(log.qsos[1].call, "DL9ABC");
  EXPECT_EQ(log.skipped, 7u);
  const std::string expected =
      "7: QSO skipped: QSO: line with 8 fields; this contest's have 10: freq mode date time own-call rst nr call "
      "rst nr\n"
      "8: QSO skipped: '2025-02-30 1205' is no date and time (YYYY-MM-DD HHMM)\n"
      "9: QSO skipped: '2025-03-15 2460' is no date and time (YYYY-MM-DD HHMM)\n"
      "10: QSO skipped: frequency '3.5MHz' is no figure in kHz\n"
      "11: QSO skipped: frequency '144' is in MHz: QSO lines give it in kHz, 144000\n"
      "12: X-QSO: excluded from the score by its operator, not replayed\n"
      "13: a line without a tag is ignored\n"
      "14: QSO skipped: QSO: line with 12 fields; this contest's have 10: freq mode date time own-call rst nr call "
      "rst nr\n"
      "15: no END-OF-LOG: line; the file may be cut short\n";
  EXPECT_EQ(Messages(log), expected);
  EXPECT_EQ(log.problems.front().kind, ProblemKind::Skipped);
  EXPECT_EQ(log.problems.back().kind, ProblemKind::Layout);
}

}  // namespace

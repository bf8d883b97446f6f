// The pre-submission check on logs replayed through the native plug-in: logs with one seeded
// fault a line, the clean sample, the plug-in's own Cabrillo file, and header cases.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cabrillo_header_check.h"
#include "finding_text.h"
#include "host_form.h"
#include "log_check.h"
#include "replay_fixture.h"
#include "serial_check.h"

namespace {

using namespace replay_test;

struct Expected {
  std::size_t line;
  Severity severity;
  std::string part;  // of the finding's text
};

std::string All(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) text += FindingLine(f) + "\n";
  return text;
}

// Every seeded fault has its own line: one finding there, of its weight, and no other finding.
void ExpectEachFaultAtItsLine(const std::vector<Finding>& findings, const std::vector<Expected>& expected) {
  std::map<std::size_t, const Finding*> byLine;
  for (const Finding& f : findings) EXPECT_TRUE(byLine.emplace(f.line, &f).second) << "two findings at " << f.line;
  for (const Expected& e : expected) {
    auto it = byLine.find(e.line);
    if (it == byLine.end()) {
      ADD_FAILURE() << "no finding at line " << e.line << " (" << e.part << ")\n" << All(findings);
      continue;
    }
    EXPECT_EQ(SeverityName(it->second->severity), std::string(SeverityName(e.severity))) << FindingLine(*it->second);
    EXPECT_NE(FindingText(*it->second).find(e.part), std::string::npos)
        << FindingLine(*it->second) << "\nlacks: " << e.part;
    byLine.erase(it);
  }
  for (const auto& [line, f] : byLine) ADD_FAILURE() << "unexpected: " << FindingLine(*f);
}

// The err.txt lines a finding quotes must be lines of the file the plug-in wrote.
void ExpectQuotedLinesInProblemFile(const std::vector<Finding>& findings, const fs::path& errTxt) {
  std::set<std::string> lines;
  std::istringstream file(FileBytes(errTxt));
  for (std::string line; std::getline(file, line);) lines.insert(line.substr(0, line.find('\r')));
  std::size_t quoted = 0;
  for (const Finding& f : findings) {
    const std::string text = FindingText(f);
    const std::size_t at = text.find("err.txt got");
    if (at == std::string::npos) continue;
    ++quoted;
    const std::string line = text.substr(text.find(": ", at) + 2);
    EXPECT_TRUE(lines.count(line)) << "not in err.txt: " << line;
  }
  EXPECT_GT(quoted, 0u);
}

TEST(SeededFaults, CabrilloEveryFaultItsOwnMessage) {
  TempFolder folder;
  const CheckedReplay run = ReplayForCheck(folder.path(), SEEDED_CABRILLO_FILE);
  // The contest's own 24 hours from --start 2025-03-15 1200.
  CheckChoices choices{PeriodOf(*ReadMoment("2025-03-15 1200"), std::nullopt), &KnownCalls()};
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, choices);

  const Severity E = Severity::Error, W = Severity::Warning, N = Severity::Note;
  const std::vector<Expected> expected = {
      {2, E, "CONTEST: 'PSK-31-OTHER' is not PSK-63-TORVALE"},
      {4, W, "CATEGORY-OPERATOR: 'SINGLE-OPERATOR' is none of this contest's SINGLE-OP, MULTI-OP, CHECKLOG"},
      {6, E, "CATEGORY-BAND: appears a second time (first at line 5)"},
      {8, W, "NAME: is 79 characters long; Cabrillo allows 75"},
      {10, W, "ADDRESS: is 56 characters long; Cabrillo allows 45"},
      {15, W, "a seventh ADDRESS: line"},
      {17, W, "EMAIL: 'n0call-at-example.org' is not an e-mail address"},
      {18, W, "SOAPBOX: is 83 characters long"},
      {19, E, "CLAIMED-SCORE: 12345 is not 777, the score the plug-in computes"},
      {20, W, "unknown tag FOO-BAR:"},
      {21, E, "QSO at 2025-03-15 1159 is before the contest's start, 2025-03-15 1200"},
      {24, W, "logged after a later QSO (line 23, 2025-03-15 1230): the log is not in time order"},
      {25, W, "sent serial 0004 was sent before, at line 23"},
      {28, W, "sent serial 0006 is lower than 0007, sent before it at line 27"},
      {30, W, "sent serials 0009 to 0010 were never sent; this QSO sent 0011"},
      {31, W, "sent serial '12' is not written with four digits (0012)"},
      {32, E,
       "received exchange '12A' is not four digits: the host's exchange check would refuse it; the plug-in does not "
       "check exchanges"},
      {33, W, "received exchange '7' is not written with four digits (0007)"},
      {34, E, "sent serial '00015' is not four digits"},
      {35, W, "call 'f5pni' is in lower case"},
      {36, E, "call 'M0LKW?' has characters other than A-Z, 0-9 and /"},
      {37, E, "call 'DKPA' has no digit"},
      {38, N, "DL9ZZZ is not in the check-partial list MASTER.SCP: a possible busted call"},
      {39, W, "QSO on 20m: the contest is on 80 m and 40 m; the plug-in's summary counts it all the same"},
      {40, E,
       "mode CW is not PM (BPSK63), the only mode of this contest: the plug-in rejected the QSO; err.txt got: QSO:  "
       "7057  CW  2025-03-15 1350  N0CALL  599  0021  F6FUZ  599  0012   NO CONTEST MODE !!!"},
      {41, E, "no received exchange: the plug-in rejected the QSO; err.txt got: "},
      {42, N, "dupe of line 22 (OK1T on 80m): the plug-in stored it as a dupe"},
      {43, W, "own call 'N0CALX' on the QSO line is not the CALLSIGN: N0CALL"},
      {44, E, "QSO at 2025-03-16 1200 is after the contest's end, 2025-03-16 1200"},
      {45, W, "CLUB: comes after the first QSO line (line 21)"},
      {46, E, "a line without a tag"},
      {47, E, "QSO skipped: frequency '3.5MHz' is no figure in kHz"},
      {48, N, "X-QSO: excluded from the score by its operator"},
      {50, E, "this line follows END-OF-LOG: (line 49)"},
  };
  ExpectEachFaultAtItsLine(findings, expected);
  ExpectQuotedLinesInProblemFile(findings, folder / "err.txt");
}

TEST(SeededFaults, AdifEveryFaultItsOwnMessage) {
  TempFolder folder;
  const CheckedReplay run = ReplayForCheck(folder.path(), SEEDED_ADIF_FILE);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {std::nullopt, &KnownCalls()});

  // What the plug-in rejects only costs the QSO: its Cabrillo file leaves the QSO out.
  const Severity E = Severity::Error, W = Severity::Warning, N = Severity::Note;
  ExpectEachFaultAtItsLine(
      findings,
      {
          {4, E,
           "FREQ 7.050 MHz lies on 40m, not on 80m as BAND says: the plug-in counts it on 80m, the Cabrillo file "
           "shows 7050 kHz"},
          {5, E, "FREQ 7.400 MHz lies on no amateur band; BAND says 40M"},
          {6, E, "no FREQ: the Cabrillo file gets frequency 0"},
          {7, W, "QSO on 20m: the contest is on 80 m and 40 m"},
          {8, W, "record skipped: QSO_DATE '20250230' is no date"},
          {9, E, "received exchange '12345' is not four digits"},
          {10, W,
           "no sent serial: the plug-in rejected the QSO; err.txt got: QSO:  7043  BPSK63  2025-03-15 1207  "
           "N0CALL  599    RA6F  599  0005   NO RX NUMBER !!!"},
          {11, W, "mode RTTY is not BPSK63, the only mode of this contest: the plug-in rejected the QSO"},
          {12, N, "dupe of line 3 (DL1WA on 80m)"},
          {13, N, "DXCC 'DL?' is no entity number"},
          {15, W,
           "mode RTTY is not BPSK63, the only mode of this contest, and an exchange is missing too: the "
           "plug-in rejected the QSO; err.txt got: QSO:  7047  RTTY  2025-03-15 1212  N0CALL  599  0011  DK7PA  "
           "599     NO CONTEST MODE !!!"},
      });
  ExpectQuotedLinesInProblemFile(findings, folder / "err.txt");
}

TEST(CleanLogs, TheSampleHasNoErrors) {
  TempFolder folder;
  const CheckedReplay run = ReplayForCheck(folder.path(), SAMPLE_LOG_FILE);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {std::nullopt, &KnownCalls()});
  const FindingCounts counts = CountFindings(findings);
  // Its four QSOs in other modes and three without a received number are lost QSOs, its five
  // dupes are harmless: none makes the Cabrillo file the plug-in writes from it wrong.
  EXPECT_EQ(counts.errors, 0u) << All(findings);
  EXPECT_EQ(counts.warnings, run.replayed.counts.rejected) << All(findings);
  EXPECT_EQ(counts.notes, run.replayed.counts.dupes) << All(findings);
  EXPECT_EQ(CountLine(counts), "Check: 0 errors, 7 warnings, 5 notes");
  ExpectQuotedLinesInProblemFile(findings, folder / "err.txt");
}

TEST(CleanLogs, ThePlugInsOwnCabrilloFileHasNoErrors) {
  TempFolder fromAdif, fromCabrillo;
  const CheckedReplay adif = ReplayForCheck(fromAdif.path(), SAMPLE_LOG_FILE);
  const CheckedReplay run = ReplayForCheck(fromCabrillo.path(), fromAdif / "N0CALL.cbr");
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {std::nullopt, &KnownCalls()});

  // The file leaves the rejected QSOs out, and with them the serials they were sent.
  std::set<std::string> serialsLeftOut;
  std::map<std::size_t, std::string> sentAtLine;
  for (const LogQso& q : adif.log.qsos) sentAtLine[q.line] = q.exchSent;
  for (const ReplayedQso& r : adif.replayed.qsos) {
    if (r.fate == QsoFate::Rejected) serialsLeftOut.insert(sentAtLine[r.line]);
  }
  ASSERT_EQ(serialsLeftOut.size(), adif.replayed.counts.rejected);

  std::vector<Expected> expected = {{13, Severity::Note, "EMAIL: is empty"}};
  for (const Finding& f : findings) {
    if (f.kind == FindingKind::Dupe) expected.push_back({f.line, Severity::Note, "dupe of line"});
    if (f.kind == FindingKind::SerialNeverSent && serialsLeftOut.erase(std::string(FindingValues(f)[0]))) {
      expected.push_back({f.line, Severity::Warning, " was never sent; this QSO sent "});
    }
  }
  EXPECT_TRUE(serialsLeftOut.empty());
  EXPECT_EQ(expected.size(), 1 + run.replayed.counts.dupes + adif.replayed.counts.rejected);
  ExpectEachFaultAtItsLine(findings, expected);
}

// The header alone, against a score the plug-in is taken to have computed.
std::vector<Finding> HeaderFindings(const std::string& text, std::optional<long long> score = 40) {
  std::vector<Finding> findings;
  CheckCabrilloHeader(ParseLogText(text), score, findings);
  return findings;
}

TEST(CabrilloHeader, MissingTagsAndTheirWeight) {
  const std::vector<Finding> findings = HeaderFindings("START-OF-LOG: 2.0\nSOAPBOX: hello\nEND-OF-LOG:\n");
  EXPECT_EQ(All(findings),
            "WARNING line 1: START-OF-LOG: version '2.0'; this contest's logs are Cabrillo 3.0\n"
            "ERROR line 1: the header has no CONTEST: line\n"
            "ERROR line 1: the header has no CALLSIGN: line\n"
            "ERROR line 1: the header has no CATEGORY-OPERATOR: line\n"
            "ERROR line 1: the header has no CATEGORY-BAND: line\n"
            "WARNING line 1: the header has no NAME: line\n"
            "WARNING line 1: the header has no ADDRESS: line\n"
            "WARNING line 1: the header has no EMAIL: line\n");
}

TEST(CabrilloHeader, WhatIsAllowed) {
  // Repeated ADDRESS, SOAPBOX and OPERATORS lines, X- tags, the contest's own band category in
  // any case, a claimed score with thousands separators, an address with a plus and a subdomain.
  const std::string header =
      "START-OF-LOG: 3.0\nCONTEST: psk-63-torvale\nCALLSIGN: DL0ABC/P\nCATEGORY-OPERATOR: MULTI-OP\n"
      "CATEGORY-BAND: 80m-40m\nNAME: A\nADDRESS: 1\nADDRESS: 2\nSOAPBOX: a\nSOAPBOX: b\nOPERATORS: DL1A\n"
      "OPERATORS: DL2B\nX-LOGGER: something\nEMAIL: dl0abc+contest@mail.example.org\nCLAIMED-SCORE: 1,040\n"
      "END-OF-LOG:\n";
  EXPECT_EQ(All(HeaderFindings(header, 1040)), "");
}

TEST(CabrilloHeader, ValuesAtFault) {
  EXPECT_EQ(All(HeaderFindings("START-OF-LOG: 3.0\nCONTEST: PSK-63-TORVALE\nCALLSIGN: \nCATEGORY-OPERATOR: SINGLE-OP\n"
                               "CATEGORY-BAND: 20M\nNAME: A\nNAME: B\nADDRESS: 1\nEMAIL: a@b\nCLAIMED-SCORE: many\n"
                               "END-OF-LOG:\nEND-OF-LOG:\n")),
            "ERROR line 3: CALLSIGN: is empty\n"
            "WARNING line 5: CATEGORY-BAND: '20M' is none of this contest's 80M-40M, 80M, 40M\n"
            "WARNING line 7: NAME: appears a second time (first at line 6), with 'B' instead of 'A'; keep the one that is "
            "right\n"
            "WARNING line 9: EMAIL: 'a@b' is not an e-mail address\n"
            "ERROR line 10: CLAIMED-SCORE: 'many' is no number\n"
            "ERROR line 12: this line follows END-OF-LOG: (line 11); nothing after it is part of the log: remove it or "
            "move it above END-OF-LOG:\n");
}

TEST(PlugInScore, AScorePastThirtyTwoBitsIsToldAndTheFullOneClaimed) {
  ReplayedLog replayed;
  replayed.summary = "Total\t 50000\t 50000\t 100\t   50000\r\nScore = 50000 * (100 + 50000)  = -1789967296 \r\n";
  replayed.score = ReadScoreSummary(replayed.summary);
  const LogFile log = ParseLogText(
      "START-OF-LOG: 3.0\nCONTEST: PSK-63-TORVALE\nCALLSIGN: N0CALL\nCATEGORY-OPERATOR: SINGLE-OP\n"
      "CATEGORY-BAND: 80M-40M\nNAME: A\nADDRESS: B\nEMAIL: a@example.org\nCLAIMED-SCORE: 2505000000\nEND-OF-LOG:\n");
  EXPECT_EQ(All(CheckLog(log, replayed, {})),
            "ERROR line 1: the log holds no QSO; the plug-in is not run for this log\n"
            "WARNING line 1: the plug-in's score, -1789967296, has run past its 32-bit arithmetic: its totals give "
            "50000 * (100 + 50000) = 2505000000\n");
}

TEST(SentSerials, ALogThatStartsLate) {
  std::vector<Finding> findings;
  CheckSentSerials(ParseLogText("START-OF-LOG: 3.0\n"
                                "QSO: 3582 PM 2025-03-15 1200 N0CALL 599 0005 DL1ABC 599 0012\n"
                                "QSO: 3582 PM 2025-03-15 1201 N0CALL 599 0006 DL2ABC 599 0012\n"
                                "QSO: 3582 PM 2025-03-15 1202 N0CALL 599 0008 DL3ABC 599 0012\n"),
                   findings);
  EXPECT_EQ(All(findings),
            "WARNING line 2: sent serials 0001 to 0004 were never sent; this QSO sent 0005\n"
            "WARNING line 4: sent serial 0007 was never sent; this QSO sent 0008\n");
}

}  // namespace

// The check report's lines with their evidence, the results table and the command line.
#include "check_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cabrillo_header_check.h"
#include "calendar.h"
#include "finding_text.h"
#include "crosscheck_options.h"
#include "log_set.h"
#include "results.h"

namespace {

std::string Log(const std::string& call, const std::vector<std::string>& qsos) {
  std::string text = "START-OF-LOG: 3.0\r\nCALLSIGN: " + call + "\r\n";
  for (const std::string& q : qsos) text += "QSO: " + q + "\r\n";
  return text + "END-OF-LOG:\r\n";
}

TEST(CheckReport, EachDecisionWithItsEvidence) {
  const std::vector<std::string> texts = {
      Log("DL1AA", {" 3580 PM 2025-03-15 1200 DL1AA         599 0001   OK1BB         599 0001",
                    " 3580 PM 2025-03-15 1210 DL1AA         599 0002   OK1BB         599 0099",
                    " 7040 PM 2025-03-15 1220 DL1AA         599 0003   OK1BB         599 0003",
                    " 3580 PM 2025-03-15 1230 DL1AA         599 0004   OK1BR         599 0004",
                    " 3580 PM 2025-03-15 1240 DL1AA         599 0005   SP2CC         599 0001",
                    " 3580 PM 2025-03-15 1250 DL1AA         599 0006   EA3UQ         599 0007",
                    " 3580 PM 2025-03-15 1300 DL1AA         599 0007   EA3NS         599 0008",
                    " 7040 PM 2025-03-15 1310 DL1AA         599 0008   OK1BB         599 0010"}),
      Log("OK1BB", {" 3580 PM 2025-03-15 1201 OK1BB         599 0001   DL1AA         599 0001",
                    " 3580 PM 2025-03-15 1210 OK1BB         599 0002   DL1AA         599 0002",
                    " 3580 PM 2025-03-15 1221 OK1BB         599 0003   DL1AA         599 0003",
                    " 3580 PM 2025-03-15 1230 OK1BB         599 0004   DL1AA         599 0004",
                    " 3580 PM 2025-03-15 1300 OK1BB         599 0005   EA3NS         599 0009"}),
      Log("SP2CC", {" 3580 PM 2025-03-15 1400 SP2CC         599 0001   OK1BB         599 0002"}),
  };
  std::vector<LogFile> files;
  std::vector<CheckedLog> logs;
  for (const std::string& text : texts) {
    files.push_back(ParseLogText(text));
    logs.push_back(CheckedOf(files.back(), files.back().ownCall));
  }
  const CrossCheckResult checked = CheckAll(logs, {3, true});
  const std::vector<std::vector<Verdict>>& verdicts = checked.verdicts;
  const PenaltyRules rules;
  const CheckContext context{logs, verdicts, rules, 3, {}, PointingAt(logs, checked)};
  EXPECT_EQ(ReportLines(context, 0, files[0]),
            "line 4: QSO:  3580 PM 2025-03-15 1210 DL1AA         599 0002   OK1BB         599 0099 | wrong serial "
            "received, removed | copied 0099, but OK1BB sent 0002 (its line 4, 80m 2025-03-15 1210)\n"
            "line 5: QSO:  7040 PM 2025-03-15 1220 DL1AA         599 0003   OK1BB         599 0003 | band mismatch, "
            "removed | OK1BB logged it on 80m (its line 5, 80m 2025-03-15 1221), serials 0003/0003 matching\n"
            "line 6: QSO:  3580 PM 2025-03-15 1230 DL1AA         599 0004   OK1BR         599 0004 | busted call, "
            "removed | the right call is OK1BB: it logged DL1AA and sent 0004, received 0004 (its line 6, 80m "
            "2025-03-15 1230)\n"
            "line 7: QSO:  3580 PM 2025-03-15 1240 DL1AA         599 0005   SP2CC         599 0001 | not in log, "
            "removed | SP2CC has no QSO with DL1AA on 80m within 3 minutes; it has DL1AA nowhere\n"
            "line 8: QSO:  3580 PM 2025-03-15 1250 DL1AA         599 0006   EA3UQ         599 0007 | unique, kept | "
            "EA3UQ did not submit and is in no other log\n"
            "line 10: QSO:  7040 PM 2025-03-15 1310 DL1AA         599 0008   OK1BB         599 0010 | not in log, "
            "removed | OK1BB has no QSO with DL1AA on 40m within 3 minutes; nearest: its line 6, 80m 2025-03-15 "
            "1230, which is matched to our line 6\n");
  const CrossCheckResult strict = CheckAll(logs, {1, true});
  const CheckContext oneMinute{logs, strict.verdicts, rules, 1, {}, PointingAt(logs, strict)};
  EXPECT_NE(ReportLines(oneMinute, 0, files[0]).find("has no QSO with DL1AA on 80m within 1 minute; it has"),
            std::string::npos);
  // OK1BB keeps what DL1AA copied wrong or busted; the band mismatch costs both.
  const std::string theirs = ReportLines(context, 1, files[1]);
  // (its not-submitted QSO costs nothing and is only counted).
  EXPECT_EQ(std::count(theirs.begin(), theirs.end(), '\n'), 1) << theirs;
  EXPECT_NE(theirs.find("line 5: QSO:  3580 PM 2025-03-15 1221"), std::string::npos) << theirs;
  // What DL1AA's check cost OK1BB is told to OK1BB with DL1AA's own line.
  const CheckContext quoting{logs, verdicts, rules, 3,
                             [&](std::size_t log, std::size_t qso) { return files[log].qsos[qso].written.text.str(); },
                             PointingAt(logs, checked)};
  const std::string done = DoneToUs(quoting, 1);
  EXPECT_NE(done.find("DL1AA line 4: QSO:  3580 PM 2025-03-15 1210 DL1AA         599 0002   OK1BB         599 0099 | "
                      "copied your serial 0002 as 0099 (your line 4)\n"),
            std::string::npos)
      << done;
  EXPECT_NE(done.find("DL1AA line 6: QSO:  3580 PM 2025-03-15 1230 DL1AA         599 0004   OK1BR         599 0004 | "
                      "busted your call as OK1BR (your line 6)\n"),
            std::string::npos)
      << done;
  EXPECT_NE(done.find("DL1AA line 10: "), std::string::npos) << done;  // it has OK1BB as not in log
  // SP2CC lost a QSO with OK1BB, whose log has no QSO with SP2CC at all to point at it.
  EXPECT_NE(done.find("SP2CC line 3: QSO:  3580 PM 2025-03-15 1400 SP2CC         599 0001   OK1BB         599 0002 | "
                      "has you as not in log; your log has no QSO with SP2CC\n"),
            std::string::npos)
      << done;
  // Quoting the other log's line in the evidence.
  EXPECT_NE(ReportLines(quoting, 0, files[0])
                .find("nearest: its line 6, 80m 2025-03-15 1230: QSO:  3580 PM 2025-03-15 1230 OK1BB         599 "
                      "0004   DL1AA         599 0004, which is matched to our line 6"),
            std::string::npos);
  EXPECT_NE(ReportLines(context, 2, files[2]).find("| not in log, removed | OK1BB has no QSO with SP2CC on 80m"),
            std::string::npos);
  const DecisionCounts counts = CountDecisions(verdicts);
  EXPECT_EQ(counts[static_cast<std::size_t>(Decision::NotInLog)], 3u);
  EXPECT_EQ(counts[static_cast<std::size_t>(Decision::Confirmed)], 4u);
}

// What a report says where a clock was corrected, a serial is missing, a line holds a tab and
// both sides busted the other's call.
TEST(CheckReport, CorrectedTimesMissingSerialsAndTabsReadAsTheyAre) {
  const std::int32_t day = static_cast<std::int32_t>(DayNumber(2025, 3, 15) * 1440);
  std::vector<CheckedLog> logs = {
      {"DL1AA",
       {{4, "OK1BB", "80m", day + 14 * 60 + 40, "0001", "0007", "", -1},
        {5, "OK1BB", "40m", day + 15 * 60 + 40, "0002", "", "", -1},
        {6, "SP2CR", "80m", day + 16 * 60, "0003", "0009", "", -1}}},
      {"OK1BB",
       {{4, "DL1AA", "80m", day + 15 * 60 + 50, "0007", "0001", "", -1},
        {5, "DL1AA", "40m", day + 16 * 60 + 40, "0008", "0002", "", -1}}},
      {"SP2CC", {{4, "DL1AX", "80m", day + 16 * 60 + 1, "0009", "0003", "", -1}}}};
  // OK1BB's clock is an hour fast; its QSO at 1550 is 1450, ten minutes from DL1AA's.
  std::vector<std::vector<Verdict>> verdicts(3);
  verdicts[0] = {{Decision::NotInLog, false, QsoRef{1, 0}, {}, 0},
                 {Decision::WrongSerial, false, QsoRef{1, 1}, {}, 0},
                 {Decision::BustedCall, false, QsoRef{2, 0}, "SP2CC", 0}};
  verdicts[1] = {{Decision::NotInLog, false, QsoRef{0, 0}, {}, 0}, {Decision::Confirmed, false, QsoRef{0, 1}, {}, 0}};
  verdicts[2] = {{Decision::BustedCall, false, QsoRef{0, 2}, "DL1AA", 0}};
  std::vector<ClockOffset> offsets(3);
  offsets[1] = {60, 12, 12, true};
  const std::vector<std::string> lines = {"QSO:  3580 PM 2025-03-15 1440\tDL1AA 599 0001\tOK1BB 599 0007",
                                          "QSO:  3580 PM 2025-03-15 1550 OK1BB 599 0007 DL1AA\x01 599 0001",
                                          "QSO:  3580 PM 2025-03-15 1601 SP2CC 599 0009 DL1AX 599 0003"};
  const std::string quoted0 = "QSO:  3580 PM 2025-03-15 1440 DL1AA 599 0001 OK1BB 599 0007";
  const std::string quoted1 = "QSO:  3580 PM 2025-03-15 1550 OK1BB 599 0007 DL1AA\\x01 599 0001";
  const PenaltyRules rules;
  const CrossCheckResult checked{verdicts, offsets, {}};
  const CheckContext c{logs,
                       verdicts,
                       rules,
                       3,
                       [&](std::size_t log, std::size_t) { return lines[log]; },
                       PointingAt(logs, checked),
                       offsets};
  EXPECT_EQ(EvidenceOf(c, 0, 0),
            "OK1BB has no QSO with DL1AA on 80m within 3 minutes; nearest: its line 4, 80m 2025-03-15 1550 (2025-03-15 "
            "1450 with its clock corrected): " +
                quoted1);
  EXPECT_EQ(EvidenceOf(c, 0, 1).substr(0, 37), "copied no serial, but OK1BB sent 0008");
  EXPECT_EQ(EvidenceOf(c, 0, 2).substr(0, 61), "the right call is SP2CC: it logged DL1AX and sent 0009, recei");
  EXPECT_NE(EvidenceOf(c, 0, 2).find("; it busted your call too, both QSOs are removed"), std::string::npos);
  const std::string toDl = DoneToUs(c, 0);
  EXPECT_NE(toDl.find("OK1BB line 4 (2025-03-15 1450 with its clock corrected): " + quoted1 +
                      " | has you as not in log; the nearest QSO of yours is your line 4\n"),
            std::string::npos)
      << toDl;
  EXPECT_NE(toDl.find("SP2CC line 4: QSO:  3580 PM 2025-03-15 1601 SP2CC 599 0009 DL1AX 599 0003 | busted your call as "
                      "DL1AX (your line 6)\n"),
            std::string::npos)
      << toDl;
  const std::string toOk = DoneToUs(c, 1);
  EXPECT_NE(toOk.find("DL1AA line 5: " + quoted0 + " | copied no serial where you sent 0008 (your line 5)\n"),
            std::string::npos)
      << toOk;
  // Our own clock corrected: the time the decision was taken on stands beside the written line.
  const LogFile file = ParseLogText(Log("OK1BB", {" 3580 PM 2025-03-15 1550 OK1BB 599 0007\tDL1AA 599 0001",
                                                  " 7040 PM 2025-03-15 1640 OK1BB 599 0008 DL1AA 599 0002"}));
  EXPECT_EQ(ReportLines(c, 1, file),
            "line 4: QSO:  3580 PM 2025-03-15 1550 OK1BB 599 0007 DL1AA 599 0001 | not in log, removed | at 2025-03-15 "
            "1450 with your clock corrected: DL1AA has no QSO with OK1BB on 80m within 3 minutes; nearest: its line "
            "4, 80m 2025-03-15 1440: " +
                quoted0 + "\n");
}

LogResult Entry(const std::string& call, long long checked, const std::string& op, const std::string& band,
                const std::string& club = "") {
  LogResult r;
  r.call = call;
  r.file = "/x/" + call + ".log";
  r.checked = checked;
  r.claimed = checked + 10;
  r.header.categoryOperator = op;
  r.header.categoryBand = band;
  r.header.club = club;
  r.checklog = op == "CHECKLOG";
  r.entity = call.substr(0, 2);
  r.continent = "EU";
  return r;
}

Finding Made(FindingKind kind, const std::vector<std::string>& values, std::uint8_t wording = 0,
             ProblemLines lines = ProblemLines::None) {
  std::vector<std::string_view> v(values.begin(), values.end());
  v.resize(kMostFindingValues);
  return {5, Severity::Warning, kind, wording, lines, PackValues({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]})};
}

// Whether the entrant reads a finding is its kind's to say: the same for every wording and every
// value, the very words the view once looked for among them; and what the entrant reads names
// none of the tools' inner workings, whatever a kind's text for the contester says.
TEST(EntrantView, DecidedByTheKindWhateverTheTextSays) {
  const std::vector<std::string> markers = {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7"};
  const std::vector<std::string> loaded = {"the plug-in rejected the QSO", "32-bit arithmetic", "ALL",
                                           "CATEGORY-BAND: 'ALL'",         "; err.txt got",     "host",
                                           "plug-in",                      "err.txt"};
  std::size_t shownKinds = 0;
  for (std::size_t k = 0; k < kFindingKinds; ++k) {
    const FindingKind kind = static_cast<FindingKind>(k);
    const bool shown = EntrantFinding(Made(kind, markers)).has_value();
    shownKinds += shown;
    for (std::uint8_t wording = 0; wording < 4; ++wording) {
      for (ProblemLines lines : {ProblemLines::None, ProblemLines::One, ProblemLines::Several}) {
        const std::optional<std::string> plain = EntrantFinding(Made(kind, markers, wording, lines));
        EXPECT_EQ(plain.has_value(), shown) << k;
        EXPECT_EQ(EntrantFinding(Made(kind, loaded, wording, lines)).has_value(), shown) << k;
        if (!plain) continue;
        for (const char* internal : {"plug-in", "err.txt", "host"}) {
          EXPECT_EQ(plain->find(internal), std::string::npos) << *plain;
        }
      }
    }
  }
  EXPECT_GT(shownKinds, kFindingKinds / 2);
}

// What the cross-check's own lines say, and CATEGORY-BAND ALL however it is written, never reach
// the entrant from the log's check; the same fault's other values do.
TEST(EntrantView, WhatTheCrossCheckSaysItselfIsLeftOut) {
  for (const char* all : {"ALL", "all", "All"}) {
    std::vector<Finding> findings;
    CheckCabrilloHeader(ParseLogText("START-OF-LOG: 3.0\nCONTEST: PSK-63-TORVALE\nCALLSIGN: DL1AA\n"
                                     "CATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-BAND: " +
                                     std::string(all) + "\nNAME: A\nADDRESS: B\nEMAIL: a@example.org\nEND-OF-LOG:\n"),
                        std::nullopt, findings);
    ASSERT_EQ(findings.size(), 1u) << all;
    EXPECT_EQ(EntrantFinding(findings.front()), std::nullopt) << all;
  }
  EXPECT_EQ(EntrantFinding(Made(FindingKind::NotAContestValue, {"CATEGORY-BAND", "20M"})),
            "WARNING line 5: CATEGORY-BAND: '20M' is none of this contest's 80M-40M, 80M, 40M");
  for (FindingKind told : {FindingKind::RejectedForMode, FindingKind::RejectedNoExchange, FindingKind::Refused,
                           FindingKind::OffTheBands, FindingKind::ScoreBeyond32Bits, FindingKind::CallIsOwn}) {
    EXPECT_EQ(EntrantFinding(Made(told, {"RY"})), std::nullopt) << FindingText(Made(told, {"RY"}));
  }
  EXPECT_EQ(EntrantFinding(Made(FindingKind::Dupe, {"4", "DL1AA", "80m", "0", ""})),
            "WARNING line 5: dupe of line 4 (DL1AA on 80m): it adds nothing to the score");
}

TEST(ResultsTable, EqualScoresShareARankAndChecklogsStandApart) {
  const std::vector<LogResult> results = {
      Entry("DL1AA", 100, "SINGLE-OP", "80M", "Club A"), Entry("OK1BB", 90, "single-op", "ALL", "club a "),
      Entry("SP2CC", 100, "MULTI-OP", "80M-40M"), Entry("G3DD", 80, "SINGLE-OP", "40M", "Club B"),
      Entry("DL2EE", 500, "CHECKLOG", "80M")};
  const std::string text = ResultsText(results);
  // Overall: DL1AA and SP2CC share rank 1, OK1BB is third; the checklog is in no ranked table.
  const std::string overall = text.substr(0, text.find("\n\n"));
  EXPECT_NE(overall.find("    1  DL1AA"), std::string::npos) << overall;
  EXPECT_NE(overall.find("    1  SP2CC"), std::string::npos) << overall;
  EXPECT_NE(overall.find("    3  OK1BB"), std::string::npos) << overall;
  EXPECT_NE(overall.find("    4  G3DD"), std::string::npos) << overall;
  EXPECT_EQ(overall.find("DL2EE"), std::string::npos) << overall;
  EXPECT_NE(text.find("Checklogs (not ranked)\n  DL2EE\n"), std::string::npos) << text;
  // "ALL" is both bands; a category written in lower case is the contest's.
  EXPECT_NE(text.find("CATEGORY-BAND 80M-40M\n"), std::string::npos);
  const std::string bothBands = text.substr(text.find("CATEGORY-BAND 80M-40M\n"));
  EXPECT_NE(bothBands.find("    1  SP2CC"), std::string::npos);
  EXPECT_NE(bothBands.find("    2  OK1BB"), std::string::npos);
  const std::string singleOp = text.substr(text.find("CATEGORY-OPERATOR SINGLE-OP\n"));
  EXPECT_NE(singleOp.find("    2  OK1BB"), std::string::npos) << singleOp;
  // Clubs by the sum of their members' scores, the name matched without case and blanks.
  EXPECT_NE(text.find("    1  Club A                               2 logs           190\n"), std::string::npos) << text;

  const std::string csv = ResultsCsv(results);
  EXPECT_NE(csv.find("\noverall,1,DL1AA,110,100,9.1,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\noverall,1,SP2CC,110,100,9.1,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\nchecklog,,DL2EE,510,500,"), std::string::npos) << csv;
  EXPECT_EQ(csv.find("overall,5"), std::string::npos);
}

TEST(CrossCheckOptions, DefaultsValuesAndMistakes) {
  const CrossCheckOptions plain = ParseCrossCheckOptions({"logs"});
  EXPECT_EQ(plain.logFolder, "logs");
  EXPECT_EQ(plain.tolerance, 3);
  EXPECT_FALSE(plain.rules.uniqueRemoved || plain.rules.bandMismatchKept || plain.rules.wrongSerialKept);
  EXPECT_EQ(plain.rules.extraPenalty, 0);

  const CrossCheckOptions set =
      ParseCrossCheckOptions({"--tolerance=5", "--unique-penalty", "--keep-band-mismatch", "--keep-wrong-serial",
                              "--extra-penalty", "2", "--out", "results", "logs"});
  EXPECT_EQ(set.tolerance, 5);
  EXPECT_TRUE(set.rules.uniqueRemoved && set.rules.bandMismatchKept && set.rules.wrongSerialKept);
  EXPECT_EQ(set.rules.extraPenalty, 2);
  EXPECT_EQ(set.outFolder, "results");

  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{{},
                                                                                     {"--tolerance", "three", "logs"},
                                                                                     {"--tolerance=-1", "logs"},
                                                                                     {"--tolerance", "1441", "logs"},
                                                                                     {"--unique-penalty=yes", "logs"},
                                                                                     {"--out"},
                                                                                     {"--frobnicate", "logs"},
                                                                                     {"a", "b"}}) {
    EXPECT_THROW(ParseCrossCheckOptions(wrong), UsageError) << (wrong.empty() ? "" : wrong[0]);
  }
  EXPECT_TRUE(ParseCrossCheckOptions({"--help"}).help);

  const CrossCheckOptions period = ParseCrossCheckOptions(
      {"--start", "2025-03-15T1200", "--no-clock-correction", "--jobs=3", "--receipts", "r.csv", "logs"});
  EXPECT_EQ(MinuteText(period.period->start), "2025-03-15 1200");
  EXPECT_EQ(MinuteText(period.period->end), "2025-03-16 1200");  // 24 hours by default
  EXPECT_FALSE(period.correctClocks);
  EXPECT_EQ(period.jobs, 3u);
  EXPECT_EQ(period.receipts, "r.csv");
  EXPECT_TRUE(plain.correctClocks && plain.jobs >= 1 && !plain.period);
  EXPECT_EQ(
      MinuteText(ParseCrossCheckOptions({"--start=2025-03-15 1200", "--end", "2025-03-15T1800", "logs"}).period->end),
      "2025-03-15 1800");
  for (const std::vector<std::string>& wrong :
       std::vector<std::vector<std::string>>{{"--start", "2025-02-30T1200", "logs"},
                                             {"--start", "2025-03-15T2460", "logs"},
                                             {"--end", "2025-03-16T1200", "logs"},
                                             {"--start", "2025-03-15T1200", "--end", "2025-03-15T1200", "logs"},
                                             {"--jobs", "0", "logs"}}) {
    EXPECT_THROW(ParseCrossCheckOptions(wrong), UsageError) << wrong[1];
  }
}

}  // namespace

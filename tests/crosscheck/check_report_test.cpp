// The check report's lines with their evidence, the results table and the command line.
#include "check_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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
  const std::vector<std::vector<Verdict>> verdicts = CrossCheck(logs, 3);
  const PenaltyRules rules;
  const CheckContext context{logs, verdicts, rules, 3};
  EXPECT_EQ(ReportLines(context, 0, files[0]),
            "line 4: QSO:  3580 PM 2025-03-15 1210 DL1AA         599 0002   OK1BB         599 0099 | wrong serial "
            "received, removed | copied 0099, but OK1BB sent 0002 (its line 4, 80m 2025-03-15 1210)\n"
            "line 5: QSO:  7040 PM 2025-03-15 1220 DL1AA         599 0003   OK1BB         599 0003 | band mismatch, "
            "removed | OK1BB logged it on 80m (its line 5, 80m 2025-03-15 1221), serials 0003/0003 matching\n"
            "line 6: QSO:  3580 PM 2025-03-15 1230 DL1AA         599 0004   OK1BR         599 0004 | busted call, "
            "removed | the right call is OK1BB: it logged DL1AA (its line 6, 80m 2025-03-15 1230) and sent 0004, "
            "received 0004\n"
            "line 7: QSO:  3580 PM 2025-03-15 1240 DL1AA         599 0005   SP2CC         599 0001 | not in log, "
            "removed | SP2CC has no QSO with DL1AA on 80m within 3 minutes; it has DL1AA nowhere\n"
            "line 8: QSO:  3580 PM 2025-03-15 1250 DL1AA         599 0006   EA3UQ         599 0007 | unique, kept | "
            "EA3UQ did not submit and is in no other log\n"
            "line 9: QSO:  3580 PM 2025-03-15 1300 DL1AA         599 0007   EA3NS         599 0008 | not submitted, "
            "kept | EA3NS did not submit; 1 other log names it\n"
            "line 10: QSO:  7040 PM 2025-03-15 1310 DL1AA         599 0008   OK1BB         599 0010 | not in log, "
            "removed | OK1BB has no QSO with DL1AA on 40m within 3 minutes; nearest: its line 6, 80m 2025-03-15 "
            "1230, which is matched to our line 6\n");
  // OK1BB keeps what DL1AA copied wrong or busted; the band mismatch costs both.
  const std::string theirs = ReportLines(context, 1, files[1]);
  EXPECT_EQ(std::count(theirs.begin(), theirs.end(), '\n'), 2) << theirs;
  EXPECT_NE(theirs.find("line 5: QSO:  3580 PM 2025-03-15 1221"), std::string::npos) << theirs;
  EXPECT_NE(theirs.find("line 7: QSO:  3580 PM 2025-03-15 1300"), std::string::npos) << theirs;
  EXPECT_NE(ReportLines(context, 2, files[2]).find("| not in log, removed | OK1BB has no QSO with SP2CC on 80m"),
            std::string::npos);
  const DecisionCounts counts = CountDecisions(verdicts);
  EXPECT_EQ(counts[static_cast<std::size_t>(Decision::NotInLog)], 3u);
  EXPECT_EQ(counts[static_cast<std::size_t>(Decision::Confirmed)], 4u);
}

TEST(ResultsTable, RanksEachCategoryByCheckedScore) {
  const std::vector<LogResult> results = {
      {"DL1AA", "SINGLE-OP", "/x/dl1aa.log", 10, 9, 1, 100, 81},
      {"OK1BB", "", "/x/ok1bb.log", 5, 5, 0, 25, 25},
      {"SP2CC", "SINGLE-OP", "/x/sp2cc.log", 12, 10, 2, 144, 90},
      {"G3DD", "MULTI-OP", "/x/g3dd,x.log", 1, 1, 0, 1, 1},
  };
  EXPECT_EQ(ResultsCsv(results),
            "category,rank,call,claimed_score,checked_score,qsos,kept,removed,file\n"
            "MULTI-OP,1,G3DD,1,1,1,1,0,\"g3dd,x.log\"\n"
            "SINGLE-OP,1,SP2CC,144,90,12,10,2,sp2cc.log\n"
            "SINGLE-OP,2,DL1AA,100,81,10,9,1,dl1aa.log\n"
            ",1,OK1BB,25,25,5,5,0,ok1bb.log\n");
  EXPECT_EQ(ResultsText(results),
            "MULTI-OP\n"
            " Rank  Call             Claimed    Checked   QSOs   Kept  Removed\n"
            "    1  G3DD                   1          1      1      1        0\n\n"
            "SINGLE-OP\n"
            " Rank  Call             Claimed    Checked   QSOs   Kept  Removed\n"
            "    1  SP2CC                144         90     12     10        2\n"
            "    2  DL1AA                100         81     10      9        1\n\n"
            "(no CATEGORY-OPERATOR)\n"
            " Rank  Call             Claimed    Checked   QSOs   Kept  Removed\n"
            "    1  OK1BB                 25         25      5      5        0\n\n");
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
}

}  // namespace

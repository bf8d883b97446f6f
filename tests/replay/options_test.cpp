// The command line as users type it, and as they mistype it.
#include "options.h"

#include <gtest/gtest.h>

#include "host_form.h"

namespace {

std::string Fault(const std::vector<std::string>& args) {
  try {
    ParseOptions(args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(Options, DefaultsNeedOnlyTheLog) {
  const Options o = ParseOptions({"contest.adi"});
  EXPECT_EQ(o.log, "contest.adi");
  EXPECT_EQ(o.outFolder, ".");
  EXPECT_TRUE(o.plugin.empty());
  EXPECT_TRUE(o.countryFile.empty());
  EXPECT_TRUE(o.countryCsv.empty());
  EXPECT_EQ(o.ownCall, "");
  EXPECT_FALSE(o.startDay || o.endDay || o.noReport || o.verbose || o.unattended || o.help);
  EXPECT_FALSE(o.period || o.check);
  EXPECT_TRUE(o.reportFolder.empty() && o.callList.empty());
  EXPECT_EQ(o.minBreakMinutes, 30);
}

TEST(Options, EveryOptionBothWays) {
  const Options o = ParseOptions({"--plugin", "x/Stats.dll", "--out=run", "--cty", "c/cty.dat", "--cty-csv=c/n.csv",
                                  "--own-call", " dl0xyz ", "--start=2025-03-15", "--end", "2025-03-16", "--no-report",
                                  "--verbose", "--unattended", "log.cbr"});
  EXPECT_EQ(o.plugin, "x/Stats.dll");
  EXPECT_EQ(o.outFolder, "run");
  EXPECT_EQ(o.countryFile, "c/cty.dat");
  EXPECT_EQ(o.countryCsv, "c/n.csv");
  EXPECT_EQ(o.ownCall, "DL0XYZ");
  EXPECT_EQ(o.startDay, HostDays({2025, 3, 15, 0, 0, 0}));
  EXPECT_EQ(o.endDay, HostDays({2025, 3, 16, 0, 0, 0}));
  EXPECT_TRUE(o.noReport && o.verbose && o.unattended);
  EXPECT_EQ(o.log, "log.cbr");
}

TEST(Options, TheCheckAndTheReport) {
  const Options checked = ParseOptions({"--check", "--scp=calls.scp", "log.cbr"});
  EXPECT_TRUE(checked.check);
  EXPECT_TRUE(checked.reportFolder.empty());
  EXPECT_EQ(checked.callList, "calls.scp");

  const Options reported = ParseOptions({"--report", "stats", "--min-break=31", "log.cbr"});
  EXPECT_TRUE(reported.check);
  EXPECT_EQ(reported.reportFolder, "stats");
  EXPECT_EQ(reported.minBreakMinutes, 31);
  EXPECT_EQ(reported.runToleranceHz, 100u);
  EXPECT_EQ(reported.runMinQsos, 3);
  EXPECT_TRUE(reported.locator.empty() && reported.compareLog.empty() && !reported.comparePeriod);
}

TEST(Options, TheReportsRunRuleLocatorAndComparison) {
  const Options o = ParseOptions({"--report", "stats", "--run-tolerance=0", "--run-min", "5", "--locator", " jo62qm ",
                                  "--compare", "last-year.cbr", "--compare-start=2024-03-16 1200", "log.cbr"});
  EXPECT_EQ(o.runToleranceHz, 0u);
  EXPECT_EQ(o.runMinQsos, 5);
  EXPECT_EQ(o.locator, "JO62QM");
  EXPECT_EQ(o.compareLog, "last-year.cbr");
  ASSERT_TRUE(o.comparePeriod);
  EXPECT_EQ(MinuteText(o.comparePeriod->start), "2024-03-16 1200");
  EXPECT_EQ(MinuteText(o.comparePeriod->end), "2024-03-17 1200");
  EXPECT_EQ(ParseOptions({"--report=s", "--run-tolerance", "999999", "a.adi"}).runToleranceHz, 999999u);
}

TEST(Options, ThePeriodFromDatesOrDateTimes) {
  // A date alone is its whole day; a time is the contest's first minute or the minute it ends.
  const Options days = ParseOptions({"--start", "2025-03-15", "--end", "2025-03-16", "a.adi"});
  EXPECT_EQ(MinuteText(days.period->start), "2025-03-15 0000");
  EXPECT_EQ(MinuteText(days.period->end), "2025-03-17 0000");
  EXPECT_EQ(days.endDay, HostDays({2025, 3, 16, 0, 0, 0}));

  for (const auto& [start, end] : {std::pair{"2025-03-15 1200", "2025-03-16 1200"},
                                   std::pair{"2025-03-15T12:00", "2025-03-16 12:00"},
                                   std::pair{"2025-03-15T1200", "2025-03-16T12:00"}}) {
    const Options o = ParseOptions({std::string("--start=") + start, std::string("--end=") + end, "a.adi"});
    EXPECT_EQ(MinuteText(o.period->start), "2025-03-15 1200") << start;
    EXPECT_EQ(o.startDay, HostDays({2025, 3, 15, 12, 0, 0})) << start;
    EXPECT_EQ(MinuteText(o.period->end), "2025-03-16 1200") << end;
    EXPECT_EQ(o.endDay, HostDays({2025, 3, 16, 12, 0, 0})) << end;
  }
  // Without an end, the contest's 24 hours; an end needs a start, after it.
  EXPECT_EQ(MinuteText(ParseOptions({"--start", "2025-03-15 1200", "a.adi"}).period->end), "2025-03-16 1200");
  EXPECT_EQ(Fault({"--end", "2025-03-16", "a.adi"}), "--end without --start");
  EXPECT_EQ(Fault({"--start", "2025-03-15 1200", "--end", "2025-03-15 1200", "a.adi"}), "--end is not after --start");
}

TEST(Options, HelpNeedsNoLog) { EXPECT_TRUE(ParseOptions({"--help"}).help); }

TEST(Options, MistakesAreNamed) {
  EXPECT_EQ(Fault({}), "no log file given");
  EXPECT_EQ(Fault({"a.adi", "b.adi"}), "one log at a time: a.adi and b.adi");
  EXPECT_EQ(Fault({"--out"}), "--out needs a value");
  const std::string noDate = "' is no date YYYY-MM-DD or date and time YYYY-MM-DD HHMM, from 1900 to 2100";
  EXPECT_EQ(Fault({"--start", "15.03.2025", "a.adi"}), "--start: '15.03.2025" + noDate);
  EXPECT_EQ(Fault({"--end=2025-02-30", "a.adi"}), "--end: '2025-02-30" + noDate);
  EXPECT_EQ(Fault({"--end=2025-03-15 2400", "a.adi"}), "--end: '2025-03-15 2400" + noDate);
  EXPECT_EQ(Fault({"--end=2025-03-15 12:0", "a.adi"}), "--end: '2025-03-15 12:0" + noDate);
  EXPECT_EQ(Fault({"--end=2025-03-15x1200", "a.adi"}), "--end: '2025-03-15x1200" + noDate);
  EXPECT_EQ(Fault({"--min-break", "0", "a.adi"}), "--min-break: '0' is no number of minutes from 1");
  EXPECT_EQ(Fault({"--min-break=half", "a.adi"}), "--min-break: 'half' is no number of minutes from 1");
  EXPECT_EQ(Fault({"--run-tolerance", "1000000", "a.adi"}), "--run-tolerance: '1000000' is no number of Hz from 0");
  EXPECT_EQ(Fault({"--run-min", "0", "a.adi"}), "--run-min: '0' is no number of QSOs from 1");
  EXPECT_EQ(Fault({"--locator", "JO6", "a.adi"}), "--locator: 'JO6' is no Maidenhead locator such as JO62 or JO62QM");
  EXPECT_EQ(Fault({"--locator=ZZ00", "a.adi"}), "--locator: 'ZZ00' is no Maidenhead locator such as JO62 or JO62QM");
  EXPECT_EQ(Fault({"--compare", "b.adi", "a.adi"}), "--compare needs --report DIR");
  EXPECT_EQ(Fault({"--check=yes", "a.adi"}), "--check takes no value");
  EXPECT_EQ(Fault({"--verbose=yes", "a.adi"}), "--verbose takes no value");
  EXPECT_EQ(Fault({"--wine", "a.adi"}), "unknown option --wine");
}

}  // namespace

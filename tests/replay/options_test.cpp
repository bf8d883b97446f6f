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

TEST(Options, HelpNeedsNoLog) { EXPECT_TRUE(ParseOptions({"--help"}).help); }

TEST(Options, MistakesAreNamed) {
  EXPECT_EQ(Fault({}), "no log file given");
  EXPECT_EQ(Fault({"a.adi", "b.adi"}), "one log at a time: a.adi and b.adi");
  EXPECT_EQ(Fault({"--out"}), "--out needs a value");
  EXPECT_EQ(Fault({"--start", "15.03.2025", "a.adi"}), "--start: '15.03.2025' is no date YYYY-MM-DD");
  EXPECT_EQ(Fault({"--end=2025-02-30", "a.adi"}), "--end: '2025-02-30' is no date YYYY-MM-DD");
  EXPECT_EQ(Fault({"--verbose=yes", "a.adi"}), "--verbose takes no value");
  EXPECT_EQ(Fault({"--wine", "a.adi"}), "unknown option --wine");
}

}  // namespace

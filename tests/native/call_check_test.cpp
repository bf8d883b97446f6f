// The call check's answers and the order in which its questions are asked.
#include "call_check.h"

#include <gtest/gtest.h>

namespace {

CInfo Qso(std::string_view call, std::string_view band, std::string_view multKey) {
  CInfo info;
  info.Call = call;
  info.Band = band;
  info.MultKey = multKey;
  info.Dxcc = "Entity";
  return info;
}

CallCheckQuery Ask(std::string_view call, std::string_view band, std::string_view multKey,
                   std::string_view dxcc = "Entity") {
  return CallCheckQuery{call, multKey, dxcc, band, band};
}

TEST(CallCheck, AnswersInOrderNoEntityThenDupeThenMultiplier) {
  LogEntries log;
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "80m", "OK")), CallCheckResult::NewMultiplier);
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "80m", "OK", "")), CallCheckResult::NotNewMultiplier);

  log.Append(Qso("OK1XYZ", "80m", "OK"));
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "80m", "OK")), CallCheckResult::Dupe);
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "80m", "OK", "")), CallCheckResult::NotNewMultiplier);
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "40m", "XX")), CallCheckResult::NewMultiplier);
  EXPECT_EQ(ClassifyCall(log, Ask("OK2ABC", "80m", "OK")), CallCheckResult::NotNewMultiplier);
  EXPECT_EQ(ClassifyCall(log, Ask("OK2ABC", "40m", "OK")), CallCheckResult::NewMultiplier);
}

TEST(CallCheck, CallsAndBandsCompareExactly) {
  LogEntries log;
  log.Append(Qso("ok1xyz", "80m", "OK"));
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "80m", "DL")), CallCheckResult::NewMultiplier);
  EXPECT_EQ(ClassifyCall(log, Ask("ok1xyz", "80M", "DL")), CallCheckResult::NewMultiplier);
}

TEST(CallCheck, DupeFlaggedEntriesStillCount) {
  LogEntries log;
  CInfo dupe = Qso("OK1XYZ", "80m", "OK");
  dupe.Dupe = 1;
  log.Append(dupe);
  EXPECT_EQ(ClassifyCall(log, Ask("OK1XYZ", "80m", "OK")), CallCheckResult::Dupe);
}

TEST(BandMismatch, IgnoresAsciiCaseOnlyAndNeedsBothBands) {
  auto query = [](std::optional<std::string_view> a, std::optional<std::string_view> b) {
    return CallCheckQuery{"X", "", "E", a, b};
  };
  EXPECT_FALSE(IsBandMismatch(query("80m", "80M")));
  EXPECT_TRUE(IsBandMismatch(query("80m", "40m")));
  EXPECT_TRUE(IsBandMismatch(query("80m", "80m ")));
  EXPECT_TRUE(IsBandMismatch(query("\xC4m", "\xE4m")));  // only A to Z fold
  EXPECT_FALSE(IsBandMismatch(query("80m", std::nullopt)));
  EXPECT_FALSE(IsBandMismatch(query(std::nullopt, "40m")));
}

}  // namespace

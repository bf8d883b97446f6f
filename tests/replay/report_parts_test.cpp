// The report's parts on their own: locators and headings against worked figures, how findings
// group, and what the page's form of stats.json leaves out and says it left out.
#include <gtest/gtest.h>

#include "finding_groups.h"
#include "great_circle.h"
#include "json_reader.h"
#include "rival_comparison.h"
#include "stats_json.h"

namespace {

using json_test::Value;

Finding Made(std::size_t line, Severity severity, FindingKind kind, std::initializer_list<std::string_view> values,
             std::uint8_t wording = 0) {
  return {line, severity, kind, wording, ProblemLines::None, PackValues(values)};
}

TEST(Locator, CentresOfFieldSquareSubsquareAndExtendedSquare) {
  auto at = [](const char* locator) {
    const std::optional<GeoPosition> p = LocatorCentre(locator);
    return p ? std::pair(p->latitude, p->longitude) : std::pair(-999.0, -999.0);
  };
  EXPECT_EQ(at("JO"), std::pair(55.0, 10.0));
  EXPECT_EQ(at("JO62"), std::pair(52.5, 13.0));
  EXPECT_NEAR(at("JO62QM").first, 52.5 + 1.0 / 48, 1e-12);
  EXPECT_NEAR(at("jo62qm").second, 13.375, 1e-12);
  EXPECT_NEAR(at("JO62QM48").second, 12 + 16 * (2.0 / 24) + 4 * (2.0 / 240) + 1.0 / 240, 1e-12);
  EXPECT_NEAR(at("AA00aa").first, -90 + 1.0 / 48, 1e-12);
  EXPECT_NEAR(at("RR99XX").second, 180 - 1.0 / 24, 1e-12);
  for (const char* bad : {"", "J", "JO6", "SA00", "JO6A", "JO62QY", "JO62QM4", "JO62QM4X", "JO62QM48AA"}) {
    EXPECT_EQ(at(bad).first, -999.0) << bad;
  }
}

TEST(Beam, HeadingsAndDistancesWorkedByHand) {
  // Along the equator a quarter of the way round, and due north along a meridian.
  const Beam east = BeamTo({0, 0}, {0, 90});
  EXPECT_NEAR(east.degrees, 90, 1e-9);
  EXPECT_NEAR(east.kilometres, kEarthRadiusKm * 3.141592653589793 / 2, 1e-6);
  const Beam north = BeamTo({10, 20}, {50, 20});
  EXPECT_NEAR(north.degrees, 0, 1e-9);
  EXPECT_NEAR(north.kilometres, kEarthRadiusKm * 40 * 3.141592653589793 / 180, 1e-6);
  EXPECT_NEAR(BeamTo({50, 20}, {10, 20}).degrees, 180, 1e-9);
  EXPECT_NEAR(BeamTo({0, 10}, {0, -20}).degrees, 270, 1e-9);
  // Berlin to New York: about 6,385 km, leaving at about 296 degrees.
  const Beam ny = BeamTo({52.52, 13.405}, {40.7128, -74.006});
  EXPECT_NEAR(ny.kilometres, 6385, 5);
  EXPECT_NEAR(ny.degrees, 296.0, 0.5);
  // The antipode is half the way round, whatever the heading.
  EXPECT_NEAR(BeamTo({30, 40}, {-30, -140}).kilometres, kEarthRadiusKm * 3.141592653589793, 1e-6);
  EXPECT_EQ(BeamTo({30, 40}, {30, 40}).kilometres, 0);
}

TEST(FindingGroups, WhatVariesIsPutAside) {
  EXPECT_EQ(FindingPattern("sent serial '10000' is not four digits"), "sent serial '\xE2\x80\xA6' is not four digits");
  EXPECT_EQ(FindingPattern("QSO at 2025-03-15 1159 is before the contest's start, 2025-03-15 1200"),
            "QSO at # is before the contest's start, #");
  EXPECT_EQ(FindingPattern("DL1ABC is not in the check-partial list MASTER.SCP: a possible busted call"),
            "# is not in the check-partial list MASTER.SCP: a possible busted call");
  EXPECT_EQ(FindingPattern("dupe of line 12 (40m on 2025-03-15)."), "dupe of line # (# on #).");
  EXPECT_EQ(FindingPattern("call 'it''s' odd"), "call '\xE2\x80\xA6' odd");
  EXPECT_EQ(FindingPattern("an 'open quote"), "an 'open quote");

  // Grouped by kind: a dupe as a note and as a warning are two groups, the serials one.
  const std::vector<Finding> findings = {Made(3, Severity::Note, FindingKind::Dupe, {"1", "DL1ABC", "80m"}),
                                         Made(4, Severity::Error, FindingKind::SentNotFourDigits, {"10000"}),
                                         Made(5, Severity::Warning, FindingKind::OffTheBands, {"20m"}),
                                         Made(6, Severity::Error, FindingKind::SentNotFourDigits, {"10001"}),
                                         Made(7, Severity::Note, FindingKind::Dupe, {"2", "OK1T", "40m"}),
                                         Made(8, Severity::Warning, FindingKind::Dupe, {"2", "OK1T", "40m"})};
  const std::vector<FindingGroup> groups = GroupFindings(findings);
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(groups[0].severity, Severity::Error);
  EXPECT_EQ(groups[0].findings.size(), 2u);
  EXPECT_EQ(groups[0].findings[1]->line, 6u);
  EXPECT_EQ(groups[0].pattern, "sent serial '\xE2\x80\xA6' is not four digits");
  EXPECT_EQ(groups[1].pattern, "QSO on #: the contest is on # m and # m");  // warnings in the order of their first
  EXPECT_EQ(groups[2].pattern.substr(0, 24), "dupe of line # (# on #):");
  EXPECT_EQ(groups[2].severity, Severity::Warning);
  EXPECT_EQ(groups[3].findings.size(), 2u);
}

// What shows of a value decides with the kind, as it did when findings were grouped by their text:
// a mode without a digit is a group of its own, a quoted value never, whatever it holds.
TEST(FindingGroups, WhatAValueShowsOfItself) {
  const std::vector<Finding> findings = {
      Made(1, Severity::Warning, FindingKind::RejectedForMode, {"CW"}, wording::kAdif),
      Made(2, Severity::Warning, FindingKind::RejectedForMode, {"PSK31"}, wording::kAdif),
      Made(3, Severity::Warning, FindingKind::RejectedForMode, {"FT8"}, wording::kAdif),
      Made(4, Severity::Warning, FindingKind::RejectedForMode, {"CW"}, wording::kAdif),
      Made(5, Severity::Error, FindingKind::CallNoCall, {"it' s", "has no digit"}),
      Made(6, Severity::Error, FindingKind::CallNoCall, {"DKPA", "has no digit"}),
      Made(7, Severity::Warning, FindingKind::NotAContestValue, {"CATEGORY-BAND", "20M"}),
      Made(8, Severity::Warning, FindingKind::CategoryBandAll, {"CATEGORY-BAND", "ALL"}),
      Made(9, Severity::Warning, FindingKind::NotAContestValue, {"CATEGORY-POWER", "MEDIUM"})};
  const std::vector<FindingGroup> groups = GroupFindings(findings);
  ASSERT_EQ(groups.size(), 5u);
  EXPECT_EQ(groups[0].findings.size(), 2u);  // both calls: the quote in the first one changes nothing
  EXPECT_EQ(groups[0].pattern, "call '\xE2\x80\xA6' has no digit");
  EXPECT_EQ(groups[1].findings.size(), 2u);
  EXPECT_EQ(groups[1].pattern.substr(0, 22), "mode CW is not #, the ");
  EXPECT_EQ(groups[2].findings.size(), 2u);
  EXPECT_EQ(groups[2].pattern.substr(0, 21), "mode # is not #, the ");
  // ALL reads as any value of the format's that the contest does not list, and stands with them.
  EXPECT_EQ(groups[3].findings.size(), 2u);
  EXPECT_EQ(groups[3].pattern, "CATEGORY-BAND: '\xE2\x80\xA6' is none of this contest's #, #, #");
  EXPECT_EQ(groups[4].findings.size(), 1u);
}

TEST(PageForm, LongListsAreCutAndSaySoFindingsComeGrouped) {
  ContestStats stats;
  stats.bands = {"80m", "40m"};
  stats.bestHourByBand.resize(2);
  for (int i = 0; i < 1500; ++i) stats.oneBandCalls.push_back({"K" + std::to_string(10000 + i), "80m", {"40m"}});
  stats.oneBandEntities.push_back({"Japan", "40m", {"80m"}});
  std::vector<Finding> findings;
  for (std::size_t i = 0; i < 250; ++i) {
    findings.push_back(Made(i + 1, Severity::Error, FindingKind::ReadingProblem, {"serial " + std::to_string(i)}));
  }
  findings.push_back(Made(300, Severity::Note, FindingKind::ReadingProblem, {"one of a kind"}));
  const std::optional<ScoreSummary> none;

  for (int i = 0; i < 1001; ++i) stats.runSplit.list.push_back({i, i, "80m", 3'580'000, {3, 1, 180}});
  stats.notWorked = {{"80m", std::vector<NotWorked>(1002, {"Japan", "AS", {"40m"}, std::nullopt})},
                     {"40m", std::vector<NotWorked>(3, {"Chile", "SA", {}, std::nullopt})}};
  // A rival with as many calls the own log lacks: the other log's part says what it left out.
  const ContestStats otherStats = stats;
  RivalComparison rival;
  for (int i = 0; i < 1200; ++i) rival.otherCalls.push_back({"W" + std::to_string(1000 + i), {"40m"}});
  rival.lead.resize(30);
  const ComparedFigures compared{"rival.adi", "W1AW", {otherStats, none}, rival};

  const Value file = json_test::Parse(StatsJson({stats, none}, findings, &compared, JsonForm::File));
  EXPECT_EQ(file["one_band_calls"].items.size(), 1500u);
  EXPECT_EQ(file["findings"].items.size(), 251u);
  EXPECT_EQ(file["run_list"].items.size(), 1001u);
  EXPECT_EQ(file["not_worked_entities"]["80m"].items.size(), 1002u);
  EXPECT_EQ(file["compare"]["calls_only_other"].items.size(), 1200u);
  EXPECT_EQ(file["compare"]["one_band_calls"].items.size(), 1500u);
  EXPECT_FALSE(file.Has("left_out") || file.Has("finding_groups") || file["compare"].Has("left_out"));

  const Value page = json_test::Parse(StatsJson({stats, none}, findings, &compared, JsonForm::Page));
  EXPECT_EQ(page["one_band_calls"].items.size(), kPageListLimit);
  EXPECT_EQ(page["one_band_calls"].items.back()["call"].text, "K" + std::to_string(10000 + kPageListLimit - 1));
  EXPECT_EQ(page["one_band_entities"].items.size(), 1u);
  EXPECT_EQ(page["run_list"].items.size(), kPageListLimit);
  EXPECT_EQ(page["not_worked_entities"]["80m"].items.size(), kPageListLimit);
  EXPECT_EQ(page["not_worked_entities"]["40m"].items.size(), 3u);
  const Value& leftOut = page["left_out"];
  EXPECT_EQ(leftOut.members.size(), 3u);
  EXPECT_EQ(leftOut["one_band_calls"].number, 500);
  EXPECT_EQ(leftOut["run_list"].number, 1);
  EXPECT_EQ(leftOut["not_worked_entities.80m"].number, 2);
  // Of the other log only what the comparison shows, and its own lists cut alike.
  const Value& other = page["compare"];
  EXPECT_FALSE(other.Has("one_band_calls") || other.Has("run_list"));
  EXPECT_EQ(other["calls_only_other"].items.size(), kPageListLimit);
  EXPECT_EQ(other["score_lead"].items.size(), 30u);
  EXPECT_EQ(other["left_out"].members.size(), 1u);
  EXPECT_EQ(other["left_out"]["calls_only_other"].number, 200);
  EXPECT_FALSE(page.Has("findings"));
  const Value& groups = page["finding_groups"];
  ASSERT_EQ(groups.items.size(), 2u);
  EXPECT_EQ(groups.items[0]["count"].number, 250);
  EXPECT_EQ(groups.items[0]["pattern"].text, "serial #");
  EXPECT_EQ(groups.items[0]["findings"].items.size(), kPageFindingsPerGroup);
  EXPECT_EQ(groups.items[1]["findings"].items[0]["line"].number, 300);
}

}  // namespace

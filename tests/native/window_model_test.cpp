// The windows' decisions: band limits, the "<SP1>" threshold, grid rows, captions, list reloads,
// drawing positions and placement.
#include "qso_intake.h"
#include "window_model.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowBand, WholeMegahertzDecide) {
  EXPECT_EQ(BandFromFrequency(7099999).text, "40m");
  EXPECT_EQ(BandFromFrequency(3500000).index, 1);
  EXPECT_EQ(BandFromFrequency(1838000).text, "160m");
  EXPECT_EQ(BandFromFrequency(28999999).text, "10m");
  EXPECT_EQ(BandFromFrequency(29000000).index, -1);
  EXPECT_EQ(BandFromFrequency(29000000).text, "");
  EXPECT_EQ(BandFromFrequency(0).index, -1);
  EXPECT_EQ(BandFromFrequency(10100000).index, -1);
}

TEST(WindowMacros, Sp1FollowsMovesOfMoreThan300Hz) {
  EXPECT_FALSE(FrequencyMoved(3580300.0, 3580000.0));
  EXPECT_TRUE(FrequencyMoved(3580300.5, 3580000.0));
  EXPECT_TRUE(FrequencyMoved(3579699.5, 3580000.0));
  EXPECT_TRUE(FrequencyMoved(301.0, 0.0));
  EXPECT_FALSE(FrequencyMoved(0.0, 0.0));
}

TEST(WindowGrid, RowsShowTheLastQsoWithTheExactCallPerBand) {
  Contest contest;
  auto add = [&](std::string_view call, std::string_view band, double days, std::string_view continent) {
    QsoArgs q;
    q.call = call;
    q.band = band;
    q.mode = "BPSK63";
    q.exchSent = q.exchRcvd = "0001";
    q.continent = continent;
    q.time = {days, DateTimeStatus::Valid};
    AddQso(contest, q);
  };
  add("OK1XYZ", "80m", 46054.25, "EU");
  add("OK1XYZ", "80m", 46054.75, "AS");  // a dupe, later in the log: it wins
  add("ok1xyz", "40m", 46054.5, "EU");
  add("OK1XYZ", "6m", 46054.5, "EU");
  BandTable rows = RowsForCall(contest.Log, "OK1XYZ");
  EXPECT_EQ(rows[1], (std::vector<std::string>{"80m", "BPSK63", "18:00", "AS", "   -"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"40m", "   -", "   -", "   -", "   -"}));
  EXPECT_EQ(RowsForCall(contest.Log, "")[1], (std::vector<std::string>{"80m", "   -", "   -", "   -", "   -"}));
}

TEST(WindowCaptions, NameTheCallOrTheBand) {
  EXPECT_EQ(DxccCaption("OK1XYZ", "80m"), " PSK-TORVALE worked with OK1XYZ");
  EXPECT_EQ(DxccCaption("", "80m"), "PSK-TORVALE DXCC worked on 80m");
  EXPECT_EQ(DxccCaption("", ""), "PSK-TORVALE DXCC worked on ");
  EXPECT_EQ(PrefixCaption("40m"), "PSK-TORVALE NEW CALL on 40m");
  EXPECT_EQ(PrefixCaption(""), "PSK-TORVALE NEW CALL on ");
}

TEST(PrefixList, ReloadsOnlyWhenTheCountChanges) {
  BandTable calls;
  calls[1] = {"OK1B", "DL1A", "G3C", "SP4D", "UA9E"};
  calls[2] = {"W1A", "W2B", "W3C", "W4D", "W5E"};
  int loaded = 0;
  auto first = PrefixListReload(calls, 1, loaded);
  ASSERT_TRUE(first);
  EXPECT_EQ((*first)[0], " OK1B");
  EXPECT_EQ(loaded, 5);
  EXPECT_FALSE(PrefixListReload(calls, 1, loaded));
  EXPECT_FALSE(PrefixListReload(calls, 2, loaded));  // another band, same count: kept
  auto none = PrefixListReload(calls, -1, loaded);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
  EXPECT_EQ(loaded, 0);
  EXPECT_FALSE(PrefixListReload(calls, 0, loaded));
}

TEST(WindowGeometry, ChildFillsTheClientLessMargins) {
  EXPECT_EQ(ChildRectForClient(400, 300), (Rect{1, 1, 397, 297}));
}

TEST(WindowPlacement, DefaultsAndSharedMemory) {
  WindowPosition dxcc = OpeningPosition(0, 0, 400);
  EXPECT_EQ(dxcc.x, 10);
  EXPECT_EQ(dxcc.y, 400);
  WindowPosition prefix = OpeningPosition(250, 0, 10);
  EXPECT_EQ(prefix.x, 250);
  EXPECT_EQ(prefix.y, 10);

  WindowPosition remembered{250, 10};
  PositionWrite w = SavePosition(remembered, 250, 80);
  EXPECT_FALSE(w.x);
  EXPECT_TRUE(w.y);
  EXPECT_EQ(remembered.y, 80);
  w = SavePosition(remembered, 10, 400);  // the mouse moved on to the other window
  EXPECT_TRUE(w.x && w.y);
  w = SavePosition(remembered, 10, 400);
  EXPECT_FALSE(w.x || w.y);
}

std::vector<std::pair<int, int>> TextPoints(const std::vector<DrawOp>& ops) {
  std::vector<std::pair<int, int>> points;
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::Kind::Text) points.emplace_back(op.x, op.y);
  }
  return points;
}

TEST(Painter, EntityListWrapsAtTheRightEdge) {
  PaintSnapshot s;
  s.currentBand = 1;
  s.bandDxcc = {"A", "B", "C", "D", "E", "F", "G", "H"};
  std::vector<DrawOp> ops = PaintOps(s, Rect{0, 0, 300, 120});
  ASSERT_EQ(ops[0].kind, DrawOp::Kind::Fill);
  EXPECT_EQ(ops[0].color, kEntityListBackground);
  EXPECT_EQ(TextPoints(ops), (std::vector<std::pair<int, int>>{
                                 {5, 0}, {45, 0}, {85, 0}, {125, 0}, {165, 0}, {205, 0}, {245, 0}, {5, 15}}));
  s.currentBand = -1;
  EXPECT_EQ(PaintOps(s, Rect{0, 0, 300, 120}).size(), 1u);
}

TEST(Painter, GridHighlightsTheBandAndSkipsThe160mLine) {
  PaintSnapshot s;
  s.enteredCall = "OK1XYZ";
  s.currentBand = 0;
  for (std::size_t b = 0; b < kBandCount; ++b) s.bandRows[b] = {std::string(BandOrder[b]), "m", "t", "c", "x"};
  std::vector<DrawOp> ops = PaintOps(s, Rect{0, 0, 330, 140});
  EXPECT_EQ(ops[0], (DrawOp{DrawOp::Kind::Fill, Rect{0, 0, 330, 140}, kGridBackground, 0, 0, {}}));
  EXPECT_EQ(ops[1], (DrawOp{DrawOp::Kind::Fill, Rect{0, 20, 330, 40}, kCurrentBandRow, 0, 0, {}}));
  std::vector<std::string> texts;
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::Kind::Text) texts.push_back(op.text);
  }
  EXPECT_EQ(texts.size(), 5u + 5u * 4u);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "160m"), 0);
  auto points = TextPoints(ops);
  EXPECT_EQ(points[2], (std::pair<int, int>{160, 0}));
  EXPECT_EQ(points[5], (std::pair<int, int>{20, 40}));    // 80m, the first band line
  EXPECT_EQ(points[8], (std::pair<int, int>{260, 40}));
  EXPECT_EQ(points.back(), (std::pair<int, int>{260, 120}));  // 10m
}

}  // namespace

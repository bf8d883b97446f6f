// The windows' decisions: band, grid rows, captions, list reloads, drawing and placement.
#include "window_model.h"

#include <cmath>

FrequencyBand BandFromFrequency(double hertz) {
  double mhz = std::trunc(hertz / 1000000.0);
  static constexpr struct {
    double mhz;
    int index;
  } kBands[] = {{1, 0}, {3, 1}, {7, 2}, {14, 3}, {21, 4}, {28, 5}};
  for (const auto& band : kBands) {
    if (mhz == band.mhz) return {band.index, std::string(BandOrder[static_cast<std::size_t>(band.index)])};
  }
  return {};
}

bool FrequencyMoved(double hertz, double lastMacroHertz) { return std::fabs(hertz - lastMacroHertz) > 300.0; }

BandTable RowsForCall(const LogEntries& log, std::string_view enteredCall) {
  BandTable rows;
  for (std::size_t k = 0; k < kBandCount; ++k) rows[k] = {std::string(BandOrder[k]), "   -", "   -", "   -", "   -"};
  if (enteredCall.empty()) return rows;
  for (const CInfo& e : log) {
    if (e.Call != enteredCall) continue;
    for (std::size_t k = 0; k < kBandCount; ++k) {
      if (e.Band != BandOrder[k]) continue;
      rows[k][1] = e.Mode;
      rows[k][2] = FormatDateTime(e.Time, "%H:%M");
      rows[k][3] = e.Continent;
    }
  }
  return rows;
}

std::string DxccCaption(std::string_view enteredCall, std::string_view bandText) {
  if (!enteredCall.empty()) return " PSK-TORVALE worked with " + std::string(enteredCall);
  return "PSK-TORVALE DXCC worked on " + std::string(bandText);
}

std::string PrefixCaption(std::string_view bandText) { return "PSK-TORVALE NEW CALL on " + std::string(bandText); }

std::optional<std::vector<std::string>> PrefixListReload(const BandTable& bandCalls, int band, int& loadedCount) {
  const std::vector<std::string>* calls = band >= 0 ? &bandCalls[static_cast<std::size_t>(band)] : nullptr;
  int count = calls ? static_cast<int>(calls->size()) : 0;
  if (count == loadedCount) return std::nullopt;
  loadedCount = count;
  std::vector<std::string> items;
  if (calls) {
    for (const std::string& call : *calls) items.push_back(" " + call);
  }
  return items;
}

Rect ChildRectForClient(int clientWidth, int clientHeight) {
  return Rect{1, 1, 1 + clientWidth - 4, 1 + clientHeight - 4};
}

std::vector<DrawOp> PaintOps(const PaintSnapshot& s, const Rect& r) {
  std::vector<DrawOp> ops;
  auto fill = [&ops](Rect rect, Rgb color) { ops.push_back({DrawOp::Kind::Fill, rect, color, 0, 0, {}}); };
  auto text = [&ops](int x, int y, std::string t) { ops.push_back({DrawOp::Kind::Text, {}, {}, x, y, std::move(t)}); };

  if (s.enteredCall.empty()) {
    fill(r, kEntityListBackground);
    if (s.currentBand < 0) return ops;
    int x = 5, y = 0;
    for (const std::string& entity : s.bandDxcc) {
      text(x, y, entity);
      x += 40;
      if (x > r.right - 40) {
        y += 15;
        x = 5;
      }
    }
    return ops;
  }

  fill(r, kGridBackground);
  int h = r.bottom / 7;
  if (s.currentBand >= 0) fill(Rect{0, (s.currentBand + 1) * h, r.right, (s.currentBand + 2) * h}, kCurrentBandRow);
  text(20, 18, "Band");
  text(100, 18, "Mode");
  text(160, 0, s.enteredCall);
  text(178, 18, "Time");
  text(245, 18, "Continent");
  // The 160m row is kept up to date but has no line of its own: the heading takes its place.
  static constexpr int kColumns[] = {20, 100, 180, 260};
  for (std::size_t band = 1; band < kBandCount; ++band) {
    const auto& row = s.bandRows[band];
    int y = static_cast<int>(band + 1) * h;
    for (std::size_t cell = 0; cell < 4 && cell < row.size(); ++cell) text(kColumns[cell], y, row[cell]);
  }
  return ops;
}

WindowPosition OpeningPosition(std::int32_t storedX, std::int32_t storedY, int defaultY) {
  return WindowPosition{storedX == 0 ? 10 : storedX, storedY == 0 ? defaultY : storedY};
}

PositionWrite SavePosition(WindowPosition& remembered, int left, int top) {
  PositionWrite write;
  if (left != remembered.x) {
    remembered.x = left;
    write.x = true;
  }
  if (top != remembered.y) {
    remembered.y = top;
    write.y = true;
  }
  return write;
}

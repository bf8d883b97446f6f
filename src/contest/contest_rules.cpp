// Products and sums wrap as unsigned 32-bit values: the plug-in's totals never overflow into
// undefined behaviour, and its score is what its own arithmetic always gave.
#include "contest_rules.h"

#include <algorithm>

namespace {

std::int32_t Wrapped(std::uint32_t value) { return static_cast<std::int32_t>(value); }

}  // namespace

bool IsContestBand(std::string_view band) {
  return std::find(kContestBands.begin(), kContestBands.end(), band) != kContestBands.end();
}

std::string SingleBandOf(std::string_view categoryBand) {
  std::string band;
  for (char c : categoryBand) {
    if (c != ' ' && c != '\t') band += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return IsContestBand(band) ? band : std::string();
}

bool IsChecklog(std::string_view categoryOperator) {
  std::string value;
  for (char c : categoryOperator) {
    if (c != ' ' && c != '\t') value += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return value == "CHECKLOG";
}

QsoRefusal RefusalOf(std::string_view mode, std::string_view exchSent, std::string_view exchRcvd) {
  if (mode != kContestMode) return QsoRefusal::NoContestMode;
  if (exchSent.empty() || exchRcvd.empty()) return QsoRefusal::NoRxNumber;
  return QsoRefusal::None;
}

std::int32_t WrappedScore(std::int32_t points, std::int32_t dxcc, std::int32_t newCalls) {
  const std::uint32_t multiplier = static_cast<std::uint32_t>(dxcc) + static_cast<std::uint32_t>(newCalls);
  return Wrapped(static_cast<std::uint32_t>(points) * multiplier);
}

std::int32_t WrappedClaimed(std::int32_t points, std::int32_t dxcc) {
  return Wrapped(static_cast<std::uint32_t>(points) * static_cast<std::uint32_t>(dxcc));
}

std::string FileBaseOf(std::string_view callsign) {
  std::string base(callsign);
  std::replace(base.begin(), base.end(), '/', '_');
  std::replace(base.begin(), base.end(), '\\', '_');
  auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  auto first = std::find_if_not(base.begin(), base.end(), space);
  auto last = std::find_if_not(base.rbegin(), base.rend(), space).base();
  base = first < last ? std::string(first, last) : std::string();
  // A ":" would open an alternate data stream; the others are refused by the file system.
  for (char& c : base) {
    if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos) c = '_';
  }
  return base.empty() ? "VEKO" : base;
}

std::string CabrilloFileNameOf(std::string_view callsign) {
  return FileBaseOf(callsign).append(kCabrilloExtension);
}

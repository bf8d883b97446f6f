// The short great circle by the spherical law of haversines (sound for near and antipodal
// points alike) and the initial heading by its atan2 form.
#include "great_circle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

Beam BeamTo(const GeoPosition& from, const GeoPosition& to) {
  const double lat1 = Radians(from.latitude), lat2 = Radians(to.latitude);
  const double dLat = lat2 - lat1, dLon = Radians(to.longitude - from.longitude);
  const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
  const double angle = 2 * std::atan2(std::sqrt(h), std::sqrt(std::max(0.0, 1 - h)));
  const double y = std::sin(dLon) * std::cos(lat2);
  const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
  double heading = std::atan2(y, x) * 180.0 / std::numbers::pi;
  if (heading < 0) heading += 360.0;
  if (heading >= 360.0) heading -= 360.0;
  return {heading, angle * kEarthRadiusKm};
}

// Fields of 20 by 10 degrees (A-R), squares of 2 by 1 (0-9), subsquares of a twelfth by a
// 24th of that (A-X), extended squares of a tenth again (0-9); longitude first in each pair.
std::optional<GeoPosition> LocatorCentre(std::string_view locator) {
  if (locator.size() < 2 || locator.size() > 8 || locator.size() % 2 != 0) return std::nullopt;
  struct Level {
    char first, last;
    double lonSize, latSize;
  };
  constexpr Level kLevels[] = {
      {'A', 'R', 20.0, 10.0}, {'0', '9', 2.0, 1.0}, {'A', 'X', 2.0 / 24, 1.0 / 24}, {'0', '9', 2.0 / 240, 1.0 / 240}};
  double lon = -180.0, lat = -90.0, lonSize = 360.0, latSize = 180.0;
  for (std::size_t pair = 0; pair * 2 < locator.size(); ++pair) {
    const Level& level = kLevels[pair];
    auto index = [&](char c) -> int {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      return c >= level.first && c <= level.last ? c - level.first : -1;
    };
    const int x = index(locator[2 * pair]), y = index(locator[2 * pair + 1]);
    if (x < 0 || y < 0) return std::nullopt;
    lon += x * level.lonSize;
    lat += y * level.latSize;
    lonSize = level.lonSize;
    latSize = level.latSize;
  }
  return GeoPosition{lat + latSize / 2, lon + lonSize / 2};
}

// Beam headings and distances over the earth taken as a sphere, and Maidenhead locators.
#pragma once

#include <optional>
#include <string_view>

#include "country_file.h"

inline constexpr double kEarthRadiusKm = 6371.0;  // the mean radius

struct Beam {
  double degrees = 0.0;     // the heading at the start, clockwise from true north, 0 up to 360
  double kilometres = 0.0;  // along the short great circle
};

Beam BeamTo(const GeoPosition& from, const GeoPosition& to);

// "JO62", "JO62qm", "JO62QM48": the centre of its square, subsquare or extended square; nothing
// for any other text.
std::optional<GeoPosition> LocatorCentre(std::string_view locator);

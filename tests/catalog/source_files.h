// The public sources the catalog builder reads, read here as their makers
// wrote them, so that built-data tests take their expected values from the
// sources rather than from the builder. Tests skip where the sources have
// not been fetched.
#pragma once

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numbers>
#include <string>

namespace celvaro::testing {

// ${XDG_CACHE_HOME:-~/.cache}/celvaro/datasrc, where the builder keeps them.
inline std::string sourceDirectory() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  return (xdg && *xdg ? std::string(xdg) : std::string(home ? home : ".") + "/.cache") + "/celvaro/datasrc";
}

inline std::string d3DataFile(const std::string& name) {
  return sourceDirectory() + "/d3-celestial-0.7.35/package/data/" + name;
}

struct HipparcosStar {
  double raDeg, decDeg, magnitude;
};

// d3-celestial's stars.14.json: features with the Hipparcos number as id,
// the magnitude, and [longitude, latitude] in degrees with the right
// ascension as a longitude of -180..180. Empty when the file is missing.
inline std::map<int32_t, HipparcosStar> readD3HipparcosStars() {
  std::ifstream in(d3DataFile("stars.14.json"));
  std::map<int32_t, HipparcosStar> stars;
  if (!in) return stars;
  const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
  if (json.is_discarded()) return stars;
  for (const auto& f : json["features"]) {
    const double lon = f["geometry"]["coordinates"][0], lat = f["geometry"]["coordinates"][1];
    stars[f["id"].get<int32_t>()] = {lon < 0 ? lon + 360 : lon, lat, f["properties"]["mag"].get<double>()};
  }
  return stars;
}

// The angle between two points, arcseconds.
inline double separationArcsec(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg) {
  constexpr double k = std::numbers::pi / 180;
  const double a = std::sin((dec2Deg - dec1Deg) * k / 2), b = std::sin((ra2Deg - ra1Deg) * k / 2);
  const double h = a * a + std::cos(dec1Deg * k) * std::cos(dec2Deg * k) * b * b;
  return 2 * std::asin(std::sqrt(std::min(1.0, h))) / k * 3600;
}

}  // namespace celvaro::testing

#include "milky_way_builder.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <numbers>

#include "platform/file_replace.h"

namespace celvaro {
namespace {

using nlohmann::json;

// d3-celestial longitudes run -180..180 for right ascensions 0..360.
MilkyWayPoint pointOf(const json& lonLat) {
  auto ra = static_cast<int32_t>(std::lround(lonLat[0].get<double>() * 1000));
  if (ra < 0) ra += 360000;
  if (ra >= 360000) ra -= 360000;
  return {ra, static_cast<int32_t>(std::lround(lonLat[1].get<double>() * 1000))};
}

MilkyWayRing ringOf(const json& coordinates) {
  MilkyWayRing ring;
  for (const json& point : coordinates) ring.push_back(pointOf(point));
  const bool repeated = ring.size() > 1 && ring.front().raThousandthsDeg == ring.back().raThousandthsDeg &&
                        ring.front().decThousandthsDeg == ring.back().decThousandthsDeg;
  if (repeated) ring.pop_back();
  return ring;
}

using Vector = std::array<double, 3>;

Vector vectorOf(const MilkyWayPoint& p) {
  const double ra = p.raThousandthsDeg / 1000.0 * std::numbers::pi / 180;
  const double dec = p.decThousandthsDeg / 1000.0 * std::numbers::pi / 180;
  return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}
Vector cross(const Vector& a, const Vector& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Vector& a, const Vector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Whether the arcs p1-p2 and q1-q2 (each shorter than half a circle) cross:
// each one's ends lie on either side of the other's great circle, and the
// crossing is on the side of the sphere where both lie.
bool arcsCross(const Vector& p1, const Vector& p2, const Vector& q1, const Vector& q2) {
  const Vector np = cross(p1, p2), nq = cross(q1, q2);
  const Vector sp{p1[0] + p2[0], p1[1] + p2[1], p1[2] + p2[2]}, sq{q1[0] + q2[0], q1[1] + q2[1], q1[2] + q2[2]};
  return (dot(np, q1) > 0) != (dot(np, q2) > 0) && (dot(nq, p1) > 0) != (dot(nq, p2) > 0) && dot(sp, sq) > 0;
}

// How many edges of the ring the arc from `from` to `to` crosses.
int crossings(const std::vector<Vector>& ring, const Vector& from, const Vector& to) {
  int count = 0;
  for (size_t i = 0; i < ring.size(); ++i) count += arcsCross(from, to, ring[i], ring[(i + 1) % ring.size()]);
  return count;
}

// The north galactic pole (IAU 1958, J2000: 12h 51m 26.3s, +27 07' 42"),
// which no level of the Milky Way covers.
const Vector kOutside = vectorOf({192859, 27128});

// d3-celestial's rings do not all run one way. A ring is turned so that
// its level's area lies on its left, seen from outside: that is the pole's
// side of the ring when an odd number of the level's other rings part the
// ring from the pole (the area by the even-odd rule), else the far side.
void turnAreaToTheLeft(MilkyWayLevel& level) {
  std::vector<std::vector<Vector>> vectors;
  for (const MilkyWayRing& ring : level) {
    vectors.emplace_back();
    for (const MilkyWayPoint& p : ring) vectors.back().push_back(vectorOf(p));
  }
  for (size_t r = 0; r < level.size(); ++r) {
    const std::vector<Vector>& ring = vectors[r];
    int parting = 0;
    for (size_t s = 0; s < level.size(); ++s) {
      if (s != r) parting += crossings(vectors[s], ring[0], kOutside) % 2;
    }
    // A point just left of the first edge, and whether the pole is on its side.
    const Vector left = cross(ring[0], ring[1]);
    const double length = std::sqrt(dot(left, left)), step = 1e-7 / length;
    const Vector beside{(ring[0][0] + ring[1][0]) / 2 + step * left[0], (ring[0][1] + ring[1][1]) / 2 + step * left[1],
                        (ring[0][2] + ring[1][2]) / 2 + step * left[2]};
    const bool poleOnLeft = crossings(ring, beside, kOutside) % 2 == 0;
    if (poleOnLeft != (parting % 2 == 1)) std::reverse(level[r].begin(), level[r].end());
  }
}

}  // namespace

bool readMilkyWayOutline(const std::string& path, std::vector<MilkyWayLevel>& levels) {
  std::ifstream in(path);
  const json doc = json::parse(in, nullptr, false);
  if (!in || doc.is_discarded()) {
    std::fprintf(stderr, "cannot read %s as JSON\n", path.c_str());
    return false;
  }
  std::map<std::string, MilkyWayLevel> byId;
  size_t rings = 0;
  for (const json& feature : doc.value("features", json::array())) {
    MilkyWayLevel& level = byId[feature.value("id", std::string())];
    for (const json& polygon : feature["geometry"]["coordinates"]) {
      for (const json& coordinates : polygon) {
        MilkyWayRing ring = ringOf(coordinates);
        if (ring.size() < 3) continue;
        level.push_back(std::move(ring));
        ++rings;
      }
    }
  }
  levels.clear();
  for (auto& [id, level] : byId) {
    turnAreaToTheLeft(level);
    levels.push_back(std::move(level));
  }
  return rings > 0;
}

bool buildMilkyWayFile(const std::string& d3Data, const std::string& dataDirectory) {
  std::vector<MilkyWayLevel> levels;
  if (!readMilkyWayOutline(d3Data + "/mw.json", levels)) return false;
  size_t rings = 0, points = 0;
  for (const MilkyWayLevel& level : levels) {
    rings += level.size();
    for (const MilkyWayRing& ring : level) points += ring.size();
  }
  std::printf("  %zu levels, %zu rings, %zu points\n", levels.size(), rings, points);
  const bool written = replaceFileContents(dataDirectory + "/milkyway.dat", milkyWayBytes(levels));
  if (!written) std::fprintf(stderr, "cannot write the Milky Way file in %s\n", dataDirectory.c_str());
  return written;
}

}  // namespace celvaro

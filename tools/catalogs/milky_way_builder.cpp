#include "milky_way_builder.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <utility>
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

using PointKey = std::pair<int32_t, int32_t>;

std::vector<PointKey> sortedPoints(const MilkyWayRing& ring) {
  std::vector<PointKey> points;
  for (const MilkyWayPoint& p : ring) points.emplace_back(p.raThousandthsDeg, p.decThousandthsDeg);
  std::sort(points.begin(), points.end());
  return points;
}

// A ring may be repeated from another starting point; by the even-odd rule
// the copies cancel in pairs, and are left out (a ring lying on another
// would leave its side undecided). Of an odd number one is kept.
void dropRepeatedRings(MilkyWayLevel& level) {
  std::map<std::vector<PointKey>, int> copies;
  for (const MilkyWayRing& ring : level) ++copies[sortedPoints(ring)];
  MilkyWayLevel kept;
  for (MilkyWayRing& ring : level) {
    int& count = copies[sortedPoints(ring)];
    if (count % 2 == 1) kept.push_back(std::move(ring));
    count = 0;
  }
  level = std::move(kept);
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
// which no level of the Milky Way covers, and the south one opposite.
const Vector kOutside = vectorOf({192859, 27128});
const Vector kOpposite{-kOutside[0], -kOutside[1], -kOutside[2]};

// The area on the ring's left minus that on its right, of the side away
// from the north galactic pole: the sum of the triangles from the south
// pole to each edge (Van Oosterom and Strackee's formula), none of which
// holds the north pole while the edges are short and keep clear of it.
// A ring crossing itself counts each loop by its turn, so the bulk of the
// ring decides, not a small loop where it happens to start.
double areaAwayFromPoleOnLeft(const std::vector<Vector>& ring) {
  double sum = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const Vector& a = ring[i];
    const Vector& b = ring[(i + 1) % ring.size()];
    sum += 2 * std::atan2(dot(kOpposite, cross(a, b)), 1 + dot(kOpposite, a) + dot(a, b) + dot(b, kOpposite));
  }
  return sum;
}

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
    int parting = 0;
    for (size_t s = 0; s < level.size(); ++s) {
      if (s != r) parting += crossings(vectors[s], vectors[r][0], kOutside) % 2;
    }
    const bool poleOnLeft = areaAwayFromPoleOnLeft(vectors[r]) < 0;
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
    dropRepeatedRings(level);
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

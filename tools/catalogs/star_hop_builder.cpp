#include "star_hop_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <queue>

#include "catalog/deepsky_data.h"
#include "sky_guide_builder.h"
#include "sky_sources.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kReachDeg = 30;
constexpr double kStartMagnitude = 3.5;
constexpr double kNearerByDeg = 1;        // a start this much farther than the nearest may take its place
constexpr double kOwnStarDeg = 0.05;      // the object's own star is no step
constexpr double kHopLimitDeg = 5;        // a finder's field
constexpr size_t kMaxHops = 5;
constexpr double kMaxDetour = 1.5;        // a route's length over the direct distance
constexpr double kStepCostDeg = 0.5;
constexpr double kEasyHopDeg = 3, kLongHopCost = 1;
constexpr double kFaintFrom = 4, kFaintCostDeg = 0.3;
constexpr int kMessierCount = 110;

struct Vector {
  double x, y, z;
};

Vector unitVector(double ra, double dec) { return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)}; }

double separationDeg(const Vector& a, const Vector& b) {
  const double dot = std::clamp(a.x * b.x + a.y * b.y + a.z * b.z, -1.0, 1.0);
  return std::acos(dot) / kRadPerDeg;
}

double pathLengthDeg(const std::vector<StarHopPoint>& points) {
  double length = 0;
  for (size_t i = 1; i < points.size(); ++i) {
    length += separationDeg(unitVector(points[i - 1].raRad, points[i - 1].decRad),
                            unitVector(points[i].raRad, points[i].decRad));
  }
  return length;
}

double directDeg(const std::vector<StarHopPoint>& points) {
  return pathLengthDeg({points.front(), points.back()});
}

// The stars a route from a start to a target may step on: the start
// first, the target last, and between them the stars through which the
// way is at most kMaxDetour times the direct distance.
struct HopGraph {
  std::vector<Vector> at;
  std::vector<double> magnitude;
  std::vector<StarHopPoint> point;

  void add(const Vector& v, double m, const StarHopPoint& p) {
    at.push_back(v);
    magnitude.push_back(m);
    point.push_back(p);
  }
};

HopGraph graphBetween(const std::vector<HopStar>& stars, const HopStar& start, const StarHopPoint& target) {
  HopGraph g;
  const Vector from = unitVector(start.raRad, start.decRad), to = unitVector(target.raRad, target.decRad);
  const double reach = kMaxDetour * separationDeg(from, to);
  g.add(from, start.magnitude, {start.raRad, start.decRad});
  for (const HopStar& s : stars) {
    const Vector v = unitVector(s.raRad, s.decRad);
    const double fromStart = separationDeg(from, v), toTarget = separationDeg(v, to);
    if (fromStart < kOwnStarDeg || toTarget < kOwnStarDeg || fromStart + toTarget > reach) continue;
    g.add(v, s.magnitude, {s.raRad, s.decRad});
  }
  g.add(to, kFaintFrom, target);
  return g;
}

// The cost of a step of `lengthDeg` onto node `to`.
double stepCost(const HopGraph& g, double lengthDeg, size_t to) {
  return lengthDeg + kStepCostDeg + kLongHopCost * std::max(0.0, lengthDeg - kEasyHopDeg) +
         kFaintCostDeg * std::max(0.0, g.magnitude[to] - kFaintFrom);
}

struct Candidate {
  double cost = 0;
  std::vector<StarHopPoint> points;
};

// Each node's least cost from the start over hops up to kHopLimitDeg, and
// the node it is reached from.
void costsFromStart(const HopGraph& g, std::vector<double>& cost, std::vector<size_t>& previous) {
  const size_t n = g.at.size();
  cost.assign(n, std::numeric_limits<double>::infinity());
  previous.assign(n, 0);
  cost[0] = 0;
  using Item = std::pair<double, size_t>;
  std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
  open.push({0, 0});
  while (!open.empty()) {
    const auto [c, node] = open.top();
    open.pop();
    if (c > cost[node]) continue;
    for (size_t other = 1; other < n; ++other) {
      const double length = separationDeg(g.at[node], g.at[other]);
      if (length > kHopLimitDeg) continue;
      const double through = c + stepCost(g, length, other);
      if (through < cost[other]) {
        cost[other] = through;
        previous[other] = node;
        open.push({through, other});
      }
    }
  }
}

// The cheapest route from the graph's start to its target; none when it
// takes more than kMaxHops hops or is longer than kMaxDetour times the
// direct distance.
std::optional<Candidate> cheapestRoute(const HopGraph& g) {
  std::vector<double> cost;
  std::vector<size_t> previous;
  costsFromStart(g, cost, previous);
  const size_t target = g.at.size() - 1;
  if (!std::isfinite(cost[target])) return std::nullopt;
  Candidate route{cost[target], {g.point[target]}};
  for (size_t node = target; node != 0;) {
    node = previous[node];
    route.points.push_back(g.point[node]);
  }
  std::reverse(route.points.begin(), route.points.end());
  const bool few = route.points.size() - 1 <= kMaxHops;
  if (!few || pathLengthDeg(route.points) > kMaxDetour * directDeg(route.points)) return std::nullopt;
  return route;
}

// The bright stars within reach of the target, the nearest first.
std::vector<std::pair<double, HopStar>> startsNear(const std::vector<HopStar>& stars, const StarHopPoint& target) {
  const Vector centre = unitVector(target.raRad, target.decRad);
  std::vector<std::pair<double, HopStar>> starts;
  for (const HopStar& s : stars) {
    const double distance = separationDeg(unitVector(s.raRad, s.decRad), centre);
    if (s.magnitude <= kStartMagnitude && distance >= kOwnStarDeg && distance <= kReachDeg) {
      starts.push_back({distance, s});
    }
  }
  std::sort(starts.begin(), starts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return starts;
}

std::vector<HopStar> hopStars(const std::vector<SourceStar>& source) {
  std::vector<HopStar> stars;
  for (const SourceStar& s : source) {
    const double ra = std::fmod(s.raDeg + 360, 360);
    stars.push_back({ra * kRadPerDeg, s.decDeg * kRadPerDeg, s.magnitude});
  }
  return stars;
}

void printRoutes(const std::vector<StarHopRoute>& routes) {
  size_t points = 0, longest = 0;
  double detour = 0;
  for (const StarHopRoute& r : routes) {
    points += r.points.size(), longest = std::max(longest, r.points.size());
    detour = std::max(detour, pathLengthDeg(r.points) / directDeg(r.points));
  }
  std::printf("  starhopping.dat: %zu routes of %zu points, the longest %zu points, each at most %.2f times as long\n"
              "    as the way straight from its start to its object\n",
              routes.size(), points, longest, detour);
}

}  // namespace

std::optional<std::vector<StarHopPoint>> starHopRoute(const std::vector<HopStar>& stars, const StarHopPoint& target) {
  std::optional<Candidate> best;
  std::optional<double> nearest;
  for (const auto& [distance, start] : startsNear(stars, target)) {
    if (nearest && distance > *nearest + kNearerByDeg) break;
    std::optional<Candidate> route = cheapestRoute(graphBetween(stars, start, target));
    if (!route) continue;
    if (!nearest) nearest = distance;
    if (!best || route->cost < best->cost) best = std::move(route);
  }
  if (!best) return std::nullopt;
  return std::move(best->points);
}

bool buildStarHopFile(const std::string& starsJson, const std::string& dataDirectory) {
  std::vector<SourceStar> source;
  std::unique_ptr<iDeepskyData> deepsky = openBuiltDeepsky(dataDirectory);
  if (!deepsky || !readD3Stars(starsJson, source)) return false;
  const std::vector<HopStar> stars = hopStars(source);
  std::vector<StarHopRoute> routes;
  for (int m = 1; m <= kMessierCount; ++m) {
    StarPosition at;
    if (!deepsky->findById(kIdMessier, m, at)) {
      std::printf("    M %d is not in the deep-sky catalog\n", m);
      continue;
    }
    if (auto points = starHopRoute(stars, {at.raRad, at.decRad})) routes.push_back({kIdMessier << 24 | m, std::move(*points)});
    else std::printf("    no route leads to M %d\n", m);
  }
  printRoutes(routes);
  return !routes.empty() && writeFile(dataDirectory + "/starhopping.dat", starHopBytes(routes));
}

}  // namespace celvaro

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
constexpr double kStartMagnitudes[] = {3.5, 4.5};
constexpr double kStepLimitsDeg[] = {3, 4, 5, 7, 10, 15};
constexpr double kStepCostDeg = 0.5;
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

// The stars near the target, the target last.
struct HopGraph {
  std::vector<Vector> at;
  std::vector<double> magnitude;
  std::vector<StarHopPoint> point;
};

HopGraph graphAround(const std::vector<HopStar>& stars, const StarHopPoint& target) {
  HopGraph g;
  const Vector centre = unitVector(target.raRad, target.decRad);
  for (const HopStar& s : stars) {
    const Vector v = unitVector(s.raRad, s.decRad);
    const double distance = separationDeg(v, centre);
    if (distance > kReachDeg || distance < 0.05) continue;  // the object's own star is no step
    g.at.push_back(v);
    g.magnitude.push_back(s.magnitude);
    g.point.push_back({s.raRad, s.decRad});
  }
  g.at.push_back(centre);
  g.magnitude.push_back(kFaintFrom);
  g.point.push_back(target);
  return g;
}

// The cost of stepping onto node `to`.
double stepCost(const HopGraph& g, size_t from, size_t to) {
  return separationDeg(g.at[from], g.at[to]) + kStepCostDeg + kFaintCostDeg * std::max(0.0, g.magnitude[to] - kFaintFrom);
}

// Least costs from every node to the target over steps up to `limitDeg`,
// and each node's next node on its way there.
void costsToTarget(const HopGraph& g, double limitDeg, std::vector<double>& cost, std::vector<size_t>& next) {
  const size_t n = g.at.size(), target = n - 1;
  cost.assign(n, std::numeric_limits<double>::infinity());
  next.assign(n, target);
  cost[target] = 0;
  using Item = std::pair<double, size_t>;
  std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
  open.push({0, target});
  while (!open.empty()) {
    const auto [c, node] = open.top();
    open.pop();
    if (c > cost[node]) continue;
    for (size_t other = 0; other < n; ++other) {
      if (other == node || separationDeg(g.at[other], g.at[node]) > limitDeg) continue;
      const double through = c + stepCost(g, other, node);
      if (through < cost[other]) {
        cost[other] = through;
        next[other] = node;
        open.push({through, other});
      }
    }
  }
}

std::optional<std::vector<StarHopPoint>> cheapestRoute(const HopGraph& g, double limitDeg, double startMagnitude) {
  std::vector<double> cost;
  std::vector<size_t> next;
  costsToTarget(g, limitDeg, cost, next);
  const size_t target = g.at.size() - 1;
  size_t best = target;
  for (size_t i = 0; i < target; ++i) {
    if (g.magnitude[i] <= startMagnitude && std::isfinite(cost[i]) && (best == target || cost[i] < cost[best])) best = i;
  }
  if (best == target) return std::nullopt;
  std::vector<StarHopPoint> route;
  for (size_t node = best; node != target; node = next[node]) route.push_back(g.point[node]);
  route.push_back(g.point[target]);
  return route;
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
  for (const StarHopRoute& r : routes) points += r.points.size(), longest = std::max(longest, r.points.size());
  std::printf("  starhopping.dat: %zu routes of %zu points, the longest %zu points\n", routes.size(), points, longest);
}

}  // namespace

std::optional<std::vector<StarHopPoint>> starHopRoute(const std::vector<HopStar>& stars, const StarHopPoint& target) {
  const HopGraph g = graphAround(stars, target);
  for (double startMagnitude : kStartMagnitudes) {
    for (double limit : kStepLimitsDeg) {
      if (auto route = cheapestRoute(g, limit, startMagnitude)) return route;
    }
  }
  return std::nullopt;
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

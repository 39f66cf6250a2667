#include "render/atlas_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "astro/coordinates.h"
#include "model/chart_settings.h"
#include "output/output_area.h"

namespace celvaro {
namespace {

constexpr double kArcminPerRad = 10800 / std::numbers::pi;
constexpr double kRadPerArcmin = std::numbers::pi / 10800;
// The steps the reaches are measured in, radians: a tenth of a degree, or a
// two-hundredth of the field.
constexpr double kReachStep = std::numbers::pi / 1800;
constexpr int kReachStepsInField = 200;
// The declinations of a band at which a page's reach is measured.
constexpr int kReachSamples = 9;
// Pages are spaced a little closer than the measured reach allows, for the
// declinations between the samples.
constexpr double kReachShare = 0.97;
// The band counts tried above the fewest that cover the declinations.
constexpr int kBandCountsTried = 4;

int arcminOf(double rad) { return static_cast<int>(std::lround(rad * kArcminPerRad)); }

double separation(const AtlasPage& a, const AtlasPage& b) {
  return separationAndAngle(a.raArcmin * kRadPerArcmin, a.decArcmin * kRadPerArcmin, b.raArcmin * kRadPerArcmin,
                            b.decArcmin * kRadPerArcmin, false)
             .arcmin *
         kRadPerArcmin;
}

}  // namespace

AtlasPlan::AtlasPlan(uint32_t projectionId, int32_t width, int32_t height, int fieldArcmin, int overlapArcmin)
    : transformer_(createTransformer(projectionId)),
      halfWidth_(width / 2),
      halfHeight_(height / 2),
      step_(std::min(kReachStep, fieldArcmin * kRadPerArcmin / kReachStepsInField)) {
  transformer_->setScale(std::min(width, height) / 2, fieldArcmin / 2);
  inset_ = transformer_->tenthArcminToPixels(overlapArcmin * 5);
  reachX_ = measureReach(false);
  reachY_ = measureReach(true);
}

bool AtlasPlan::project(const AtlasPage& page, double raRad, double decRad, ProjectedPoint& out) const {
  ChartSettings chart;
  chart.centreRaArcmin = page.raArcmin;
  chart.centreDecArcmin = page.decArcmin;
  chart.mirrorMode = kMirrorNone;
  chart.horizontalMode = 0;
  transformer_->setup(OutputArea{}, chart);
  return transformer_->project(raRad, decRad, out);
}

bool AtlasPlan::holdsAt(const AtlasPage& page, double raRad, double decRad, int32_t inset) const {
  ProjectedPoint p;
  return project(page, raRad, decRad, p) && std::abs(p.x) <= halfWidth_ - inset &&
         std::abs(p.y) <= halfHeight_ - inset;
}

bool AtlasPlan::holds(int page, double raRad, double decRad, int32_t inset) const {
  return page >= 0 && page < static_cast<int>(pages_.size()) && holdsAt(pages_[page], raRad, decRad, inset);
}

double AtlasPlan::measureReach(bool vertical) const {
  double t = 0;
  while (t < 2 * kQuarterTurn &&
         holdsAt({}, vertical ? 0 : t + step_, vertical ? t + step_ : 0, inset_)) {
    t += step_;
  }
  return t;
}

double AtlasPlan::raReach(double decRad, double lowRad, double highRad) const {
  const AtlasPage page{0, arcminOf(decRad)};
  double least = 2 * kQuarterTurn;
  for (int i = 0; i < kReachSamples; ++i) {
    const double dec = lowRad + (highRad - lowRad) * i / (kReachSamples - 1);
    double a = 0;
    if (!holdsAt(page, 0, dec, inset_)) return 0;
    while (a < least && holdsAt(page, a + step_, dec, inset_)) a += step_;
    least = std::min(least, a);
  }
  return least * kReachShare;
}

void AtlasPlan::addBand(double lowRad, double highRad, double raStartRad, double raSpanRad) {
  const double centre = (lowRad + highRad) / 2;
  const double reachEast = raReach(centre, lowRad, highRad);
  const bool round = raSpanRad >= 4 * kQuarterTurn - 1e-9;
  const int count = reachEast > 0 ? std::max(1, static_cast<int>(std::ceil(raSpanRad / (2 * reachEast)))) : 1;
  const double step = raSpanRad / count;
  for (int k = 0; k < count; ++k) {
    const double ra = raStartRad + step * (round ? k : k + 0.5);
    pages_.push_back({(arcminOf(ra) % 21600 + 21600) % 21600, arcminOf(centre)});
  }
}

bool AtlasPlan::cover(SkyBox box) {
  // The box's area over a page's, before any page is laid out.
  const double area = box.raSpanRad * (std::sin(box.decHighRad) - std::sin(box.decLowRad));
  if (reachX_ <= 0 || reachY_ <= 0 || area / (4 * reachX_ * reachY_) > 2.0 * kMaxPages) return false;
  const size_t had = pages_.size();
  const double capEdge = kQuarterTurn - std::min(reachX_, reachY_);
  const bool north = box.decHighRad > capEdge, south = box.decLowRad < -capEdge;
  if (north) pages_.push_back({0, 5400});
  box.decHighRad = std::min(box.decHighRad, capEdge);
  box.decLowRad = std::max(box.decLowRad, -capEdge);
  if (box.decHighRad > box.decLowRad) {
    // The fewest pages among a few band counts: more bands are lower, and
    // the charts' corners then reach further in right ascension.
    const double height = box.decHighRad - box.decLowRad;
    const int fewest = std::max(1, static_cast<int>(std::ceil(height / (2 * reachY_) - 1e-9)));
    std::vector<AtlasPage> best;
    for (int bands = fewest; bands < fewest + kBandCountsTried; ++bands) {
      std::vector<AtlasPage> kept = std::move(pages_);
      pages_.clear();
      for (int b = 0; b < bands; ++b) {
        const double high = box.decHighRad - height * b / bands;
        addBand(high - height / bands, high, box.raStartRad, box.raSpanRad);
      }
      if (best.empty() || pages_.size() < best.size()) best = pages_;
      pages_ = std::move(kept);
    }
    pages_.insert(pages_.end(), best.begin(), best.end());
  }
  if (south) pages_.push_back({0, -5400});
  if (pages_.size() - had <= kMaxPages) return true;
  pages_.resize(had);
  return false;
}

int AtlasPlan::pageOf(double raRad, double decRad) const {
  const AtlasPage at{arcminOf(raRad), arcminOf(decRad)};
  int nearest = -1;
  double nearestSeparation = 0;
  for (int page = 0; page < static_cast<int>(pages_.size()); ++page) {
    if (!holdsAt(pages_[page], raRad, decRad, 0)) continue;
    const double s = separation(pages_[page], at);
    if (nearest < 0 || s < nearestSeparation) nearest = page, nearestSeparation = s;
  }
  return nearest;
}

std::array<int, 4> AtlasPlan::neighbours(int page) const {
  std::array<int, 4> found{-1, -1, -1, -1};
  std::array<double, 4> nearest{};
  const double farthest = 2 * std::hypot(reachX_, reachY_);
  const AtlasPage& here = pages_.at(page);
  for (int other = 0; other < static_cast<int>(pages_.size()); ++other) {
    ProjectedPoint p;
    const AtlasPage& there = pages_[other];
    const double s = separation(here, there);
    if (other == page || s > farthest ||
        !project(here, there.raArcmin * kRadPerArcmin, there.decArcmin * kRadPerArcmin, p) ||
        (p.x == 0 && p.y == 0)) {
      continue;
    }
    // Beyond the edge the direction leaves the chart through.
    const bool vertical = static_cast<double>(std::abs(p.y)) * halfWidth_ >= static_cast<double>(std::abs(p.x)) * halfHeight_;
    const int edge = vertical ? (p.y > 0 ? kTop : kBottom) : (p.x > 0 ? kRight : kLeft);
    if (found[edge] < 0 || s < nearest[edge]) found[edge] = other, nearest[edge] = s;
  }
  return found;
}

}  // namespace celvaro

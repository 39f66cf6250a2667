#include "fast_stars.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace celvaro {
namespace {

constexpr double kReachRad = 0.5 / 3437.747;  // half an arcminute
constexpr int kDeclinationBands = 180 * 60;   // one arcminute each
constexpr double kTurn = 2 * std::numbers::pi;

int bandOf(double decRad) {
  return std::clamp(static_cast<int>((decRad + std::numbers::pi / 2) * 3437.747), 0, kDeclinationBands);
}

// The right ascension from a to b (both within a turn), within half a turn
// either way.
double raFromTo(double a, double b) {
  const double apart = b - a;
  return apart > std::numbers::pi ? apart - kTurn : apart < -std::numbers::pi ? apart + kTurn : apart;
}

}  // namespace

// The motion file's fast stars, counted into their bands.
void FastStars::index(const ProperMotions& motions) {
  std::vector<std::pair<int, Star>> fast;
  for (size_t i = 0; i < motions.fastStarCount(); ++i) {
    const ProperMotions::FastStar f = motions.fastStar(i);
    fast.push_back({bandOf(f.decRad), {f.hipparcos, f.raRad, f.decRad, std::max(std::cos(f.decRad), 1e-9)}});
  }
  std::vector<uint32_t> starts(kDeclinationBands + 2, 0);
  for (const auto& [band, star] : fast) ++starts[band + 1];
  for (size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
  stars_.resize(fast.size());
  std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
  for (const auto& [band, star] : fast) stars_[next[band]++] = star;
  bandStarts_ = std::move(starts);
}

// The nearest fast star by the distance on the plane that touches the sky
// at the star: within half an arcminute it is the separation to a part in
// a thousand, but within an arcminute of a pole.
std::optional<FastStars::Star> FastStars::starOf(double raRad, double decRad) const {
  if (bandStarts_.empty()) return std::nullopt;
  const int band = bandOf(decRad);
  const Star* nearest = nullptr;
  double nearestSquare = kReachRad * kReachRad;
  for (int b = std::max(band - 1, 0); b <= std::min(band + 1, kDeclinationBands); ++b) {
    for (uint32_t i = bandStarts_[b]; i < bandStarts_[b + 1]; ++i) {
      const Star& star = stars_[i];
      const double north = decRad - star.decRad;
      if (std::abs(north) > kReachRad) continue;
      const double east = raFromTo(star.raRad, raRad) * star.cosDec;
      if (const double square = east * east + north * north; square <= nearestSquare) {
        nearest = &star, nearestSquare = square;
      }
    }
  }
  if (!nearest) return std::nullopt;
  return *nearest;
}

}  // namespace celvaro

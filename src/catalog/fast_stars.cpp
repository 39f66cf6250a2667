#include "catalog/fast_stars.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kReachRad = 0.5 / 3437.747;  // half an arcminute
constexpr int kDeclinationBands = 180 * 60;   // one arcminute each

int bandOf(double decRad) {
  return std::clamp(static_cast<int>((decRad + std::numbers::pi / 2) * 3437.747), 0, kDeclinationBands);
}

}  // namespace

// A counting sort of the fast stars by their bands.
void FastStars::index(const StarDataSimple& stars, const ProperMotions& motions) {
  std::vector<uint32_t> starts(kDeclinationBands + 2, 0);
  for (int i = 0; i < stars.starCount(); ++i) {
    if (motions.isFast(stars.hipparcosNumber(i))) ++starts[bandOf(stars.filePlace(i).decRad) + 1];
  }
  for (size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
  stars_.resize(starts.back());
  std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
  for (int i = 0; i < stars.starCount(); ++i) {
    const int32_t hipparcos = stars.hipparcosNumber(i);
    if (!motions.isFast(hipparcos)) continue;
    const EquatorialPosition place = stars.filePlace(i);
    const Vector3 at = unitVectorOf(place.raRad, place.decRad);
    stars_[next[bandOf(place.decRad)]++] = {place.raRad, place.decRad, std::sqrt(at.x * at.x + at.y * at.y), at,
                                            motions.yearlyMotion(hipparcos, at)};
  }
  bandStarts_ = std::move(starts);
}

// Whether a place at the star's declination but this right ascension
// stands beyond `reach` radians of it: a cheap test before the separation.
// Along a parallel the separation is at least 2/pi of the right ascension
// apart times cos(dec); within half a degree of the pole the separation
// alone decides.
bool FastStars::Star::raApartBeyond(double ra, double reach) const {
  const double apart = std::abs(ra - raRad);
  return cosDec > 0.01 && std::min(apart, 2 * std::numbers::pi - apart) * cosDec > reach * std::numbers::pi / 2;
}

std::optional<EquatorialPosition> FastStars::markPlace(double raRad, double decRad, double years) const {
  if (!indexed()) return std::nullopt;
  const int band = bandOf(decRad);
  std::optional<Vector3> mark;  // the mark's direction, once a star is near
  const Star* nearest = nullptr;
  double nearestCosine = std::cos(kReachRad);
  for (int b = std::max(band - 1, 0); b <= std::min(band + 1, kDeclinationBands); ++b) {
    for (uint32_t i = bandStarts_[b]; i < bandStarts_[b + 1]; ++i) {
      const Star& star = stars_[i];
      if (std::abs(star.decRad - decRad) > kReachRad || star.raApartBeyond(raRad, kReachRad)) continue;
      if (!mark) mark = unitVectorOf(raRad, decRad);
      const double cosine = mark->x * star.at.x + mark->y * star.at.y + mark->z * star.at.z;
      if (cosine >= nearestCosine) nearest = &star, nearestCosine = cosine;
    }
  }
  if (!nearest) return std::nullopt;
  return equatorialOf(ProperMotions::movedAlong(*mark, nearest->yearly, years));
}

}  // namespace celvaro

#include "catalog/proper_motions.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kRadPerMas = std::numbers::pi / 648000.0 / 1000.0;

}  // namespace

bool ProperMotions::load(const StarInfoFile& file) {
  file_ = MappedStarInfo(file.path());
  return file_.valid();
}

bool ProperMotions::isFast(int32_t hipparcos) const {
  const std::optional<Motion> m = motionOf(hipparcos);
  return m && std::hypot(m->raMasPerYear, m->decMasPerYear) >= kFastMasPerYear;
}

// The file stores the motions and the parallax in hundredths of a mas.
std::optional<ProperMotions::Motion> ProperMotions::motionOf(int32_t hipparcos) const {
  int32_t values[3];
  if (hipparcos <= 0 || !file_.storedNumbers(hipparcos, {kInfoProperMotionRa, kInfoProperMotionDec, kInfoParallax}, values, 2)) {
    return std::nullopt;
  }
  return Motion{values[0] / 100.0, values[1] / 100.0, values[2] > 0 ? values[2] / 100.0 : 0.0};
}

// ERFA's proper-motion step of its astrometry: the star moves along its
// space motion for the years since J2000 (the radial velocity, which the
// data lack, taken as 0).
Vector3 ProperMotions::moved(const Motion& m, double raRad, double decRad, double years) {
  const double pmRa = m.raMasPerYear * kRadPerMas / std::cos(decRad), pmDec = m.decMasPerYear * kRadPerMas;
  double fromCentre[3] = {0, 0, 0}, p[3];
  eraPmpx(raRad, decRad, pmRa, pmDec, m.parallaxMas / 1000.0, 0.0, years, fromCentre, p);
  return {p[0], p[1], p[2]};
}

EquatorialPosition ProperMotions::placeAt(int32_t hipparcos, double raRad, double decRad, double julianDate) const {
  const std::optional<Motion> m = motionOf(hipparcos);
  if (!m || julianDate == kJ2000) return {raRad, decRad};
  return equatorialOf(moved(*m, raRad, decRad, (julianDate - kJ2000) / ERFA_DJY));
}

// ERFA's step is linear in time before its result is made a unit vector:
// the star's velocity across the sky, along the parallel and the meridian
// through it.
Vector3 ProperMotions::yearlyMotion(int32_t hipparcos, const Vector3& start) const {
  const std::optional<Motion> m = motionOf(hipparcos);
  const double across = std::hypot(start.x, start.y);
  if (!m || across == 0) return {0, 0, 0};
  const double east = m->raMasPerYear * kRadPerMas / across, north = m->decMasPerYear * kRadPerMas / across;
  return {-east * start.y - north * start.z * start.x, east * start.x - north * start.z * start.y, north * across * across};
}

}  // namespace celvaro

// The sky of a date. Catalogs, the chart's equatorial frame and its grid
// keep the mean equator and equinox of J2000 (the ICRS); what an observer
// or a mount sees at an instant is the apparent place of that date: the
// J2000 place bent by the Sun's light deflection and the Earth's
// aberration, then carried by precession and nutation (IAU 2006/2000B,
// through ERFA) onto the true equator and equinox of the date.
#pragma once

#include "astro/coordinates.h"

namespace celvaro {

struct Vector3 {
  double x, y, z;  // x toward right ascension 0, y toward 6 h, z toward the north pole
};

// A rotation as its matrix: rows are the new axes in the old frame.
struct Rotation3 {
  double m[3][3];

  Vector3 apply(const Vector3& v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
  // The inverse rotation, by the transposed matrix.
  Vector3 applyInverse(const Vector3& v) const {
    return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z, m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
            m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
  }
  // This rotation after `first`.
  Rotation3 after(const Rotation3& first) const;
  // The rotation that turns direction `from` onto direction `to` about
  // their common perpendicular (both unit vectors).
  static Rotation3 turning(const Vector3& from, const Vector3& to);
};

Vector3 unitVectorOf(double raRad, double decRad);
EquatorialPosition equatorialOf(const Vector3& v);

// Seconds by which Terrestrial Time runs ahead of Universal Time at a
// Julian date of Universal Time: the observed values from 1962 on, the
// polynomials fitted to the observed values of 1900 to 1962, the long-term
// parabola outside, reached smoothly after the last observation.
double dynamicalTimeOffsetSeconds(double julianDateUt);
// The Julian date of dynamical time, on which the bodies' theories run, of
// a Julian date of Universal Time (some seventy seconds behind now; the
// Moon moves 40" meanwhile).
double dynamicalJulianDate(double julianDateUt);

class ApparentPlace {
 public:
  // For a Julian date of Universal Time.
  explicit ApparentPlace(double julianDateUt);

  // J2000 direction to apparent direction of the date, and back.
  Vector3 apparentOf(const Vector3& j2000) const;
  Vector3 j2000Of(const Vector3& apparent) const;
  EquatorialPosition apparentOf(double raRad, double decRad) const;
  EquatorialPosition j2000Of(double raRad, double decRad) const;

  // Light deflection and aberration alone, on J2000 axes: the direction
  // a star appears in, and the direction it truly lies in.
  Vector3 aberrated(const Vector3& direction) const;
  Vector3 unaberrated(const Vector3& direction) const;

  // J2000 axes to those of the true equator and equinox of the date.
  const Rotation3& precessionNutation() const { return precessionNutation_; }
  // Greenwich apparent sidereal time, hours in [0, 24).
  double siderealHours() const { return siderealHours_; }
  double julianDate() const { return julianDate_; }

 private:
  struct Placing {};
  ApparentPlace(double julianDateUt, Placing);

  double julianDate_;
  Rotation3 precessionNutation_;
  double siderealHours_;
  Vector3 velocity_;         // the Earth's barycentric, in units of the speed of light
  double inverseLorentz_;    // sqrt(1 - v^2)
  double sunDistanceAu_;     // the Earth's from the Sun
  double fromSun_[3];        // unit vector from the Sun to the Earth
};

}  // namespace celvaro

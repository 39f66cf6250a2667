// Where the sky meets the Earth: a J2000 place becomes the apparent
// altitude and azimuth of an instant at a place (apparent place of the date
// with the apparent sidereal time), and back. Azimuth counts from the south
// through the west. Refraction, when asked for, is that of standard
// conditions (1010 hPa, 10 degrees Celsius).
#pragma once

#include "astro/apparent_place.h"
#include "astro/coordinates.h"

namespace celvaro {

// How much the air lifts a body seen at a true altitude, degrees.
// Below -1 degree the lift at -1 degree is kept, where the formula for the
// open sky no longer means anything.
double refractionDeg(double trueAltitudeDeg);
// The true altitude of a body seen at an apparent (refracted) altitude.
double unrefractedAltitudeDeg(double apparentAltitudeDeg);

class LocalSky {
 public:
  LocalSky(double julianDateUt, double latitudeDeg, double longitudeDeg, bool refraction = false);

  HorizontalPosition horizontalOf(double raRad, double decRad) const;
  EquatorialPosition j2000Of(double altitudeDeg, double azimuthDeg) const;
  // A body `distanceAu` from the Earth's centre at the J2000 place
  // `geocentric`, as the observer at sea level sees it (parallax): still a
  // J2000 place.
  EquatorialPosition topocentricOf(const EquatorialPosition& geocentric, double distanceAu) const;
  // The observer's place from the Earth's centre on J2000 axes, AU.
  Vector3 observerAu() const;

  const ApparentPlace& date() const { return date_; }
  double latitudeDeg() const { return latitudeDeg_; }
  double longitudeDeg() const { return longitudeDeg_; }
  bool refraction() const { return refraction_; }

 private:
  ApparentPlace date_;
  double latitudeDeg_;
  double longitudeDeg_;
  bool refraction_;
};

}  // namespace celvaro

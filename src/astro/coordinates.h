// Conversions between the equatorial and the horizontal frame, angular
// separation and position angle. Azimuth counts from the south through the
// west (0 south, 90 west, 180 north).
#pragma once

namespace celvaro {

struct HorizontalPosition {
  double altitudeDeg;
  double azimuthDeg;  // [0, 360), from the south through the west
};

struct EquatorialPosition {
  double raRad;   // [0, 2 pi]
  double decRad;
};

// Degrees brought into [0, 360).
double normaliseDegrees(double degrees);

// Altitude and azimuth of a star for a place and a Greenwich sidereal time.
HorizontalPosition equatorialToHorizontal(double raRad, double decRad, double latitudeDeg,
                                          double longitudeDeg, double greenwichHours);

// Right ascension and declination of a point of the local sky.
EquatorialPosition horizontalToEquatorial(double altitudeDeg, double azimuthDeg,
                                          double latitudeDeg, double longitudeDeg,
                                          double greenwichHours);

struct Separation {
  double arcmin;
  double positionAngleDeg;  // of the second point seen from the first, 0 north, 90 east
};

// Angular distance of two points; the position angle is computed only when
// `withAngle` is set (0 otherwise, and for coincident points).
Separation separationAndAngle(double ra1Rad, double dec1Rad, double ra2Rad, double dec2Rad,
                              bool withAngle);

}  // namespace celvaro

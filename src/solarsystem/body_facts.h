// What the information window tells of a body of the solar system besides
// its place: its brightness, size and phase, its distances from the Earth
// and the Sun, and how far from the Sun it stands in the sky.
#pragma once

#include <optional>

#include "astro/coordinates.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {

constexpr double kKilometresPerAu = 149597870.7;

struct BodyFacts {
  std::optional<double> magnitude;  // visual
  double diameterArcsec = 0;        // 0 where the size is not known
  double earthDistanceAu = 0;       // from the Earth's centre
  // None for the Sun.
  std::optional<double> sunDistanceAu;
  std::optional<double> phaseAngleDeg;  // Sun - body - Earth, 0 to 180
  std::optional<double> elongationDeg;  // Sun - Earth - body, east of the Sun positive, west negative

  // The lit part of the disc as the Earth sees it, 0 to 1; none for the Sun.
  std::optional<double> illuminatedFraction() const;
};

// Body 0..9 (the Sun, the Moon, the planets, Pluto) at a Julian date of Universal
// Time, as seen from the Earth's centre.
BodyFacts majorBodyFacts(int body, double julianDateUt);

// A comet or an asteroid from its J2000 place and distance as seen at a
// Julian date of Universal Time; the magnitude is left to its own law.
BodyFacts minorBodyFacts(const EquatorialPosition& place, double earthDistanceAu, double julianDateUt);

}  // namespace celvaro

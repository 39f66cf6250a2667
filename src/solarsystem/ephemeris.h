// What libnova computes for the solar system, converted at the call:
// angles in radians, distances in AU, Julian dates of Universal Time (no
// correction to dynamical time is applied).
#pragma once

#include <optional>
#include <string_view>

#include "astro/apparent_place.h"
#include "astro/chart_date.h"
#include "astro/coordinates.h"

namespace celvaro {

struct BodyPosition {
  double raRad = 0, decRad = 0;
  double magnitude = 0;        // planets and Pluto only
  int phaseAngleDeg = 0;       // Moon only, 0..359 (see update)
  double semidiameterArcsec = 0;
  double earthDistanceAu = 0;  // from the Earth's centre
  int brightLimbDeg = 0;       // Moon only
};

double julianDayOf(const ChartDate& date);

// Position, magnitude and semidiameter of body 0..9 (Sun, Moon, planets,
// Pluto),
// for a Julian date of dynamical time: a J2000 place as seen from the
// Earth's centre.
BodyPosition majorBodyAt(int body, double julianDate);
// The position only, for tracks.
EquatorialPosition majorBodyPositionAt(int body, double julianDate);
// The body's distance from the Earth's centre, AU.
double majorBodyDistanceAu(int body, double julianDate);
// The Moon's phase angle for a Julian date of dynamical time, [0, 360):
// it falls while the Moon waxes, 180 at new Moon through 270 to 360 = 0 at
// full Moon, then down through 90 while it wanes.
double lunarPhaseAngleDeg(double julianDate);
// The Moon's apparent geocentric ecliptic longitude less the Sun's,
// [0, 360): 0 at new Moon, 90 at first quarter, 180 full, 270 last quarter;
// for a Julian date of Universal Time.
double lunarElongationDeg(double julianDateUt);

struct EllipticElements {
  double a, e, iDeg, wDeg, nodeDeg, nDegPerDay, perihelionJd;
};
struct CometElements {
  double q, e, iDeg, wDeg, nodeDeg, perihelionJd;
};

// Positions of minor bodies at one instant as an observer sees them: the
// Sun's position from the observer plus the body's heliocentric one at the
// instant its light left it (the light time of the observer-to-body
// distance). The Sun's position is taken once for every body of the
// instant. None when the elements are not those of an orbit or the result
// is not a number.
class MinorBodyEphemeris {
 public:
  // For a Julian date of Universal Time (the orbits run on dynamical
  // time). `observer`: the observer's place from the Earth's centre on J2000
  // axes, AU (LocalSky::observerAu); none for the Earth's centre.
  explicit MinorBodyEphemeris(double julianDateUt, const Vector3& observer = {});

  // The place of an asteroid's or a comet's orbit (EllipticElements or
  // CometElements). A comet's closed orbit (e < 1) goes through the
  // elliptic routine with the semi-major axis q / (1 - e): libnova's series
  // for near-parabolic motion gives no number for most periodic comets away
  // from perihelion. Open orbits use libnova's near-parabolic series.
  template <typename Orbit>
  std::optional<EquatorialPosition> place(const Orbit& orbit) const {
    const std::optional<Sighting> seen = sighting(orbit);
    return seen ? std::optional(seen->place) : std::nullopt;
  }
  // The body's distance from the observer, AU, along the line of sight.
  template <typename Orbit>
  std::optional<double> distanceAu(const Orbit& orbit) const {
    const std::optional<Sighting> seen = sighting(orbit);
    return seen ? std::optional(seen->distanceAu) : std::nullopt;
  }
  // The visual magnitude of an asteroid of absolute magnitude H and slope
  // G by the IAU's H, G system, from its distances to the Sun and the Earth
  // and its phase angle; none where the orbit gives no position.
  std::optional<double> asteroidMagnitude(const EllipticElements& orbit, double h, double g) const;
  // A comet's total magnitude g + 5 log(delta) + 2.5 k log(r).
  std::optional<double> cometMagnitude(const CometElements& orbit, double g, double k) const;

 private:
  struct Sighting {
    EquatorialPosition place;
    double distanceAu;
  };
  std::optional<Sighting> sighting(const EllipticElements& orbit) const;
  std::optional<Sighting> sighting(const CometElements& orbit) const;
  template <typename Heliocentric>
  std::optional<Sighting> seenPlace(Heliocentric heliocentric) const;

  double jd_;  // dynamical time
  double sunX_ = 0, sunY_ = 0, sunZ_ = 0;
};

// The Julian date of a packed MPC epoch ("K2289"); none when malformed.
std::optional<double> julianDateOfPackedEpoch(std::string_view packed);
// The last perihelion before an epoch, from the mean anomaly and motion.
double lastPerihelion(double epochJd, double meanAnomalyDeg, double nDegPerDay);
// The instant of a perihelion given as year, month and a day with its
// fraction in ten-thousandths (286884 is day 28.6884, 16:31:17).
ChartDate perihelionDate(int year, int month, int dayTenThousandths);

}  // namespace celvaro

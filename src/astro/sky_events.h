// When a body rises, culminates and sets within a span of time, found on
// the body's own motion: its place is asked for at each instant, so the
// Sun, the Moon and the planets move while the sky turns. Rise and set are
// the instants the body's centre crosses the altitude its place gives
// (refraction, and for the Sun and the Moon their semidiameter and the
// Moon's parallax); transit is the upper culmination, hour angle zero.
#pragma once

#include <functional>
#include <vector>

#include "astro/observing_place.h"

namespace celvaro {

// A body at an instant: its apparent place of the date and the true
// altitude of its centre at which it rises or sets.
struct BodyAtInstant {
  double raRad = 0, decRad = 0;
  double horizonDeg = 0;
  double parallaxDeg = 0;  // horizontal parallax of a geocentric place
};
// The body at a Julian date of Universal Time.
using BodyPlace = std::function<BodyAtInstant(double julianDateUt)>;

// An object that keeps its J2000 place, seen in its apparent place of the
// date near `nearJd`: over the days of a night's events that place moves by
// about an arcsecond, a tenth of a second of its times.
BodyPlace fixedObject(double raJ2000Rad, double decJ2000Rad, double nearJd);

// Standard refraction at the horizon: a point rises when its true centre
// stands this far below it.
constexpr double kHorizonRefractionDeg = -34.0 / 60;

struct EventSpan {
  double fromJd = 0, toJd = 0;  // Julian dates of Universal Time
};

struct BodyEvents {
  enum Visibility { kRisesOrSets, kAlwaysUp, kNeverRises };
  Visibility visibility = kNeverRises;
  // The first of each in the span; 0 where there is none.
  double riseJd = 0, transitJd = 0, setJd = 0;
  // The altitude the observer sees at transit: from the Earth's surface,
  // refracted.
  double transitAltitudeDeg = 0;
};

// A body's course through a span, sampled once: its events and the
// instants it passes chosen altitudes, each to about a second. The body's
// place is asked for once an hour and interpolated between.
class BodyCourse {
 public:
  BodyCourse(BodyPlace body, const ObservingPlace& place, const EventSpan& span);

  // Rise, transit and set within the span.
  BodyEvents events() const;
  // The first instant in the span at which the centre crosses
  // `altitudeDeg` going down (`descending`) or up; 0 when it does not.
  double crossing(double altitudeDeg, bool descending) const;

  struct Sample {
    double jd;
    double altitudeDeg;   // true altitude of the centre
    double horizonDeg;    // the altitude it rises and sets at
    double hourAngleRad;  // (-pi, pi]
  };
  // Where the body stands at the span's start.
  const Sample& start() const { return samples_.front(); }

 private:
  Sample sampleAt(double jd) const;
  template <typename Height>
  double firstCrossing(bool descending, Height height) const;

  BodyPlace body_;
  ObservingPlace place_;
  std::vector<Sample> samples_;
  // The apparent sidereal time less the mean, taken once for the span: it
  // changes by hundredths of a second over days.
  double equinoxesHours_ = 0;
};

inline BodyEvents bodyEvents(const BodyPlace& body, const ObservingPlace& place, const EventSpan& span) {
  return BodyCourse(body, place, span).events();
}

// How far above its rising altitude the body's centre stands at an instant.
double aboveHorizonDeg(const BodyPlace& body, const ObservingPlace& place, double julianDateUt);

}  // namespace celvaro

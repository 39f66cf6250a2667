#include "astro/sky_events.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "astro/apparent_place.h"
#include "astro/local_sky.h"
#include "astro/sidereal_time.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
// Samples ten minutes apart: the Moon moves some five arcminutes meanwhile,
// and no body rises and sets again within them.
constexpr double kStepDays = 10.0 / 1440;
constexpr double kSecondDays = 1.0 / 86400;

// The body's place asked for once an hour and interpolated between (a
// cubic through four hourly places, right ascension unwrapped): the Moon,
// whose theory is the slowest to ask, bends its path little within four
// hours. Its rising altitude and parallax are those of the first place.
BodyPlace interpolatedOver(const BodyPlace& body, const EventSpan& span) {
  constexpr double kNodeDays = 1.0 / 24;
  const double first = span.fromJd - kNodeDays;
  const int count = static_cast<int>(std::ceil((span.toJd - first) / kNodeDays)) + 3;
  std::vector<BodyAtInstant> nodes;
  for (int i = 0; i < count; ++i) {
    nodes.push_back(body(first + i * kNodeDays));
    if (i > 0) nodes[i].raRad = nodes[i - 1].raRad + std::remainder(nodes[i].raRad - nodes[i - 1].raRad, 2 * kPi);
  }
  return [nodes = std::move(nodes), first](double jd) {
    const double x = (jd - first) / kNodeDays;
    const int i = std::clamp(static_cast<int>(std::floor(x)) - 1, 0, static_cast<int>(nodes.size()) - 4);
    const double u = x - i;
    double weights[4];
    for (int k = 0; k < 4; ++k) {
      weights[k] = 1;
      for (int m = 0; m < 4; ++m) {
        if (m != k) weights[k] *= (u - m) / (k - m);
      }
    }
    BodyAtInstant at = nodes[i];
    at.raRad = at.decRad = 0;
    for (int k = 0; k < 4; ++k) {
      at.raRad += weights[k] * nodes[i + k].raRad;
      at.decRad += weights[k] * nodes[i + k].decRad;
    }
    at.raRad = std::remainder(at.raRad, 2 * kPi);
    return at;
  };
}

}  // namespace

BodyCourse::BodyCourse(BodyPlace body, const ObservingPlace& place, const EventSpan& span)
    : body_(span.toJd > span.fromJd ? interpolatedOver(body, span) : std::move(body)),
      place_(place),
      equinoxesHours_(ApparentPlace(span.fromJd).siderealHours() - greenwichSiderealTime(span.fromJd)) {
  for (double jd = span.fromJd;; jd = std::min(jd + kStepDays, span.toJd)) {
    samples_.push_back(sampleAt(jd));
    if (jd >= span.toJd) return;
  }
}

BodyCourse::Sample BodyCourse::sampleAt(double jd) const {
  const BodyAtInstant b = body_(jd);
  const double siderealHours = greenwichSiderealTime(jd) + equinoxesHours_;
  const double localSiderealRad = (siderealHours * 15 + place_.longitudeDeg) * kPi / 180;
  const double hourAngle = std::remainder(localSiderealRad - b.raRad, 2 * kPi);
  const double lat = place_.latitudeDeg * kPi / 180;
  const double sinAltitude =
      std::sin(lat) * std::sin(b.decRad) + std::cos(lat) * std::cos(b.decRad) * std::cos(hourAngle);
  return {jd, std::asin(std::clamp(sinAltitude, -1.0, 1.0)) * 180 / kPi, b.horizonDeg, hourAngle};
}

// The first step across which `height` of the samples passes zero the way
// asked, narrowed down to a second; 0 when there is none. Rising counts a
// step from <= 0 to > 0; descending the other way.
template <typename Height>
double BodyCourse::firstCrossing(bool descending, Height height) const {
  for (size_t i = 1; i < samples_.size(); ++i) {
    const bool wasAbove = height(samples_[i - 1]) > 0, isAbove = height(samples_[i]) > 0;
    if (isAbove == wasAbove || isAbove == descending) continue;
    double from = samples_[i - 1].jd, to = samples_[i].jd;
    while (to - from > kSecondDays) {
      const double middle = (from + to) / 2;
      ((height(sampleAt(middle)) > 0) == wasAbove ? from : to) = middle;
    }
    return (from + to) / 2;
  }
  return 0;
}

double BodyCourse::crossing(double altitudeDeg, bool descending) const {
  return firstCrossing(descending, [altitudeDeg](const Sample& s) { return s.altitudeDeg - altitudeDeg; });
}

// Upper culmination: the hour angle passes zero from east to west (through
// pi it is the lower culmination). The altitude at transit is the one seen
// from the Earth's surface, lowered by the parallax and lifted by refraction.
BodyEvents BodyCourse::events() const {
  const auto aboveHorizon = [](const Sample& s) { return s.altitudeDeg - s.horizonDeg; };
  BodyEvents events;
  events.riseJd = firstCrossing(false, aboveHorizon);
  events.setJd = firstCrossing(true, aboveHorizon);
  events.transitJd =
      firstCrossing(false, [](const Sample& s) { return std::cos(s.hourAngleRad) > 0 ? s.hourAngleRad : -1.0; });
  if (events.transitJd != 0) {
    const double geocentricDeg = sampleAt(events.transitJd).altitudeDeg;
    const double parallaxRad = body_(events.transitJd).parallaxDeg * kPi / 180;
    const double topocentricDeg =
        geocentricDeg - std::asin(std::sin(parallaxRad) * std::cos(geocentricDeg * kPi / 180)) * 180 / kPi;
    events.transitAltitudeDeg = topocentricDeg + refractionDeg(topocentricDeg);
  }
  if (events.riseJd != 0 || events.setJd != 0) events.visibility = BodyEvents::kRisesOrSets;
  else if (aboveHorizon(samples_.front()) > 0) events.visibility = BodyEvents::kAlwaysUp;
  else events.visibility = BodyEvents::kNeverRises;
  return events;
}

BodyPlace fixedObject(double raRad, double decRad, double nearJd) {
  const EquatorialPosition apparent = ApparentPlace(nearJd).apparentOf(raRad, decRad);
  return [apparent](double) { return BodyAtInstant{apparent.raRad, apparent.decRad, kHorizonRefractionDeg}; };
}

double aboveHorizonDeg(const BodyPlace& body, const ObservingPlace& place, double jd) {
  const BodyCourse::Sample s = BodyCourse(body, place, {jd, jd}).start();
  return s.altitudeDeg - s.horizonDeg;
}

}  // namespace celvaro

#include "aids/night_events.h"

#include <cmath>
#include <numbers>

#include "astro/apparent_place.h"
#include "astro/zone_time.h"
#include "solarsystem/ephemeris.h"
#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEarthRadiusAu = 6378.14 / 149597870.7;
constexpr double kTwilightDeg[3] = {-6, -12, -18};

// The Moon travels with the Earth: its place of the date takes no annual
// aberration, as on the chart.
BodyAtInstant ofDate(int body, const EquatorialPosition& j2000, double jd, double horizonDeg, double parallaxDeg) {
  const ApparentPlace date(jd);
  const Vector3 direction = unitVectorOf(j2000.raRad, j2000.decRad);
  const EquatorialPosition apparent = equatorialOf(body == kMoon ? date.precessionNutation().apply(direction)
                                                                 : date.apparentOf(direction));
  return {apparent.raRad, apparent.decRad, horizonDeg, parallaxDeg};
}

double parallaxOf(int body, double dynamicalJd) {
  return std::asin(kEarthRadiusAu / majorBodyDistanceAu(body, dynamicalJd)) * 180 / kPi;
}

// A geocentric place of the Sun or the Moon rises when its upper limb does,
// the Moon's lifted by its parallax: the centre stands at -34' less the
// semidiameter, plus the horizontal parallax. The planets rise as points.
double horizonOf(int body, double dynamicalJd) {
  if (body != kSun && body != kMoon) return kHorizonRefractionDeg;
  const double semidiameterDeg = majorBodyAt(body, dynamicalJd).semidiameterArcsec / 3600;
  return kHorizonRefractionDeg - semidiameterDeg + (body == kMoon ? parallaxOf(body, dynamicalJd) : 0);
}

// Julian date of the zone's clock at `hour` on the day of the local instant.
double localHourJd(double julianDateUt, const ObservingPlace& place, int hour) {
  ChartDate local = universalToLocal(chartDateOfJulian(julianDateUt), place);
  local.hour = hour, local.minute = 0, local.seconds = 0;
  return julianDayOf(localToUniversal(local, place));
}

// Astronomical night less the Moon's time above the horizon: its longest
// stretch.
void darkWindow(Twilight& t, const ObservingPlace& place) {
  const EventSpan night{t.astronomicalDusk, t.astronomicalDawn};
  const BodyPlace moon = solarSystemBody(kMoon, (night.fromJd + night.toJd) / 2);
  const BodyEvents m = bodyEvents(moon, place, night);
  const auto keep = [&t](double from, double to) {
    if (to - from > t.darkToJd - t.darkFromJd) t.darkFromJd = from, t.darkToJd = to;
  };
  const bool upAtDusk = aboveHorizonDeg(moon, place, night.fromJd) > 0;
  if (upAtDusk && m.setJd == 0) return;
  const double from = upAtDusk ? m.setJd : night.fromJd;
  keep(from, m.riseJd > from ? m.riseJd : night.toJd);
  if (!upAtDusk && m.riseJd != 0 && m.setJd > m.riseJd) keep(m.setJd, night.toJd);
}

}  // namespace

// The rising altitude changes too little within a day to be asked again.
BodyPlace solarSystemBody(int body, double nearJd) {
  const double tdt = dynamicalJulianDate(nearJd);
  const double horizonDeg = horizonOf(body, tdt), parallaxDeg = parallaxOf(body, tdt);
  return [body, horizonDeg, parallaxDeg](double jd) {
    return ofDate(body, majorBodyPositionAt(body, dynamicalJulianDate(jd)), jd, horizonDeg, parallaxDeg);
  };
}

// From noon on the night to come, the Sun still up or not: an evening
// chart before sunset shows the night's events, not the morning's.
EventSpan nightOrDayOf(double jd, const ObservingPlace& place) {
  const double noon = localHourJd(jd, place, 12);
  if (jd < noon && aboveHorizonDeg(solarSystemBody(kSun, jd), place, jd) > 0) return {noon - 0.5, noon + 0.5};
  return nightOf(jd, place);
}

EventSpan nightOf(double jd, const ObservingPlace& place) {
  const double noon = localHourJd(jd, place, 12);
  const bool comingNight = jd >= noon || aboveHorizonDeg(solarSystemBody(kSun, jd), place, jd) > 0;
  return comingNight ? EventSpan{noon, noon + 1} : EventSpan{noon - 1, noon};
}

Twilight twilightOf(const EventSpan& night, const ObservingPlace& place) {
  const BodyPlace sun = solarSystemBody(kSun, night.fromJd + 0.5);
  Twilight t;
  double* dusks[3] = {&t.civilDusk, &t.nauticalDusk, &t.astronomicalDusk};
  double* dawns[3] = {&t.civilDawn, &t.nauticalDawn, &t.astronomicalDawn};
  const BodyCourse course(sun, place, night);
  for (int i = 0; i < 3; ++i) {
    *dusks[i] = course.crossing(kTwilightDeg[i], true);
    *dawns[i] = course.crossing(kTwilightDeg[i], false);
  }
  if (t.astronomicalDusk == 0 || t.astronomicalDawn == 0) return t;
  darkWindow(t, place);
  return t;
}

}  // namespace celvaro

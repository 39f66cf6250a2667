#include "render/solar_system_layer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "astro/coordinates.h"
#include "model/chart_settings.h"
#include "output/render_options.h"
#include "output/rendering_output.h"
#include "platform/utf_text.h"
#include "projection/transformer.h"
#include "render/polyline_tracer.h"
#include "solarsystem/solar_system.h"

namespace celvaro {
namespace {

constexpr int kDiscLine = 21, kTrackLine = 22, kCometTailLine = 25;
constexpr int kSunMoonFill = 4, kBodyFill = 6;
constexpr int kTextStyle = 5;
constexpr double kDegreesToRad = std::numbers::pi / 180;

std::string dateText(const TrackMark& mark) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d.%d.%d", mark.year, mark.month, mark.day);
  return buffer;
}

// The name an object is labelled with: objectName's text without its blank.
std::string labelOf(const SolarSystem& solar, int32_t id) {
  std::string name;
  if (!solar.objectName(id, name)) return "";
  return name.empty() ? name : name.substr(1);
}

// A tail's rays spread over this angle either side of the anti-solar
// direction; the outer ones are shorter.
constexpr int kTailRaysEachSide = 2;
constexpr double kTailRayStepRad = 2.5 * kDegreesToRad;
constexpr double kTailRayShortening = 0.15;  // of the length per ray from the middle

}  // namespace

// A tail 0.3 AU long for a comet of magnitude 0 at 1 AU from the Earth,
// 10^0.2 times shorter per magnitude fainter (the magnitude taken back to
// 1 AU); seen from the Earth shortened by the sine of the phase angle (a
// tail pointing at us is foreshortened), but never below a fifth, and at
// most 30 degrees.
double cometTailArcsec(double magnitude, double earthDistanceAu, double phaseAngleDeg) {
  constexpr double kTailAuAtZeroMagnitude = 0.3, kLeastForeshortening = 0.2, kLongestTailDeg = 30;
  const double distance = std::max(earthDistanceAu, 0.01);
  const double magnitudeAtOneAu = magnitude - 5 * std::log10(distance);
  const double tailAu = kTailAuAtZeroMagnitude * std::pow(10, -0.2 * magnitudeAtOneAu);
  const double seen = std::max(std::abs(std::sin(phaseAngleDeg * kDegreesToRad)), kLeastForeshortening);
  const double lengthDeg = std::atan(tailAu * seen / distance) / kDegreesToRad;
  return std::min(lengthDeg, kLongestTailDeg) * 3600;
}

DiscLimits discLimits(const DiscSizeSettings& s, int32_t starLimit, const RenderingOutput& output) {
  DiscLimits limits;
  if (s.flags & DiscSizeSettings::kMinimumFromMagnitude) {
    limits.minimum = std::max(limits.minimum, output.starDiameterForMagnitude(s.minimumOffset + starLimit));
  }
  if (s.flags & DiscSizeSettings::kFixedMinimum) limits.minimum = std::max(limits.minimum, s.fixedMinimum);
  if (s.flags & DiscSizeSettings::kMaximumFromMagnitude) {
    limits.maximum = output.starDiameterForMagnitude(s.maximumOffset + starLimit);
  }
  if (s.flags & DiscSizeSettings::kFixedMaximum) limits.maximum = std::max(limits.maximum, s.fixedMaximum);
  return limits;
}

int32_t SolarSystemLayer::bodyDiameter(double magnitude, double semidiameterArcsec, const DiscLimits& limits,
                                       const RenderingOutput& output, const iTransformer& transformer) {
  const int32_t byMagnitude = output.starDiameterForMagnitude(static_cast<int32_t>(std::lround(magnitude * 100)));
  int32_t d = std::max({byMagnitude, transformer.arcsecToPixels(2 * semidiameterArcsec), limits.minimum});
  if (limits.maximum > 0) d = std::min(d, limits.maximum);
  return d;
}

SolarSystemLayer::SolarSystemLayer(const SolarSystem& solar, RenderingOutput& output, iTransformer& transformer,
                                   const ChartSettings& settings, const RenderOptions& options, double visibilityLimit)
    : solar_(solar),
      output_(output),
      transformer_(transformer),
      settings_(settings),
      options_(options),
      visibilityLimit_(visibilityLimit) {}

void SolarSystemLayer::draw() {
  output_.setTextStyle(kTextStyle);
  majorBodies();
  minorBodies();
}

bool SolarSystemLayer::visible(double raRad, double decRad, int32_t& x, int32_t& y) const {
  ProjectedPoint p;
  if (!transformer_.project(raRad, decRad, p) || p.depth <= visibilityLimit_) return false;
  x = p.x, y = p.y;
  return true;
}

// Pluto, as faint as the minor planets, obeys the star limit as they do.
bool SolarSystemLayer::bodyShown(int body) const {
  if (body == kSun) return settings_.showSun;
  if (body == kMoon) return settings_.showMoon;
  if (body == kPluto && solar_.bodyPosition(kPluto)->magnitude * 100 > settings_.starLimitHundredths) return false;
  return settings_.showPlanets;
}

void SolarSystemLayer::majorBodies() {
  const DiscLimits limits = discLimits(settings_.planetDiscs, settings_.starLimitHundredths, output_);
  Disc discs[kBodyCount];
  bool drawnAsMark[kBodyCount] = {};
  for (int b = 0; b < kBodyCount; ++b) {
    const BodyPosition p = *solar_.bodyPosition(b);
    const int32_t d = bodyDiameter(p.magnitude, p.semidiameterArcsec, limits, output_, transformer_);
    discs[b] = {d, d / 2};
  }
  output_.selectPen(kTrackLine);
  for (int b = 0; b < kBodyCount; ++b) {
    if (!bodyShown(b) || !settings_.planetTracks.bodies[b]) continue;
    drawnAsMark[b] = track(b, solar_.trackPoints(b), solar_.trackMarks(b), discs[b], b <= kMoon ? kSunMoonFill : kBodyFill,
                           solar_.bodyName(b));
  }
  output_.selectPen(kDiscLine);
  for (int b = 0; b < kBodyCount; ++b) {
    const BodyPosition p = *solar_.bodyPosition(b);
    int32_t x, y;
    if (!bodyShown(b) || drawnAsMark[b] || !visible(p.raRad, p.decRad, x, y)) continue;
    output_.selectBrush(b <= kMoon ? kSunMoonFill : kBodyFill);
    if (bodyDisc(b, x, y, discs[b])) {
      output_.wideText(x, y, options_.labelOffsetX + discs[b].radius, 0, kDeepskyLargeText,
                       utf8ToUtf16(solar_.bodyName(b)));
    }
  }
}

bool SolarSystemLayer::bodyDisc(int body, int32_t x, int32_t y, const Disc& disc) {
  if (body != kMoon) return output_.planetDisc(body, -1, x, y, disc.diameter, disc.radius);
  return output_.moonDisc(body, x, y, disc.diameter, disc.radius, moonPhase(x, y));
}

MoonPhase SolarSystemLayer::moonPhase(int32_t x, int32_t y) const {
  const BodyPosition moon = *solar_.bodyPosition(kMoon);
  MoonPhase phase;
  phase.phaseAngleDeg = moon.phaseAngleDeg;
  towardSun(moon.raRad, moon.decRad, x, y, phase.towardSunX, phase.towardSunY);
  return phase;
}

// The direction toward the Sun on the chart is that of a point some 50
// pixels (at most half a degree) from the object along the great circle to
// the Sun, which every projection and mirroring carries along.
bool SolarSystemLayer::towardSun(double raRad, double decRad, int32_t x, int32_t y, double& ux, double& uy) const {
  const BodyPosition sun = *solar_.bodyPosition(kSun);
  const double pa = separationAndAngle(raRad, decRad, sun.raRad, sun.decRad, true).positionAngleDeg * kDegreesToRad;
  const double step = std::min(std::max(transformer_.pixelsToArcsec(50), 1) / 3600.0, 0.5) * kDegreesToRad;
  const double dec =
      std::asin(std::sin(decRad) * std::cos(step) + std::cos(decRad) * std::sin(step) * std::cos(pa));
  const double ra = raRad + std::atan2(std::sin(pa) * std::sin(step) * std::cos(decRad),
                                       std::cos(step) - std::sin(decRad) * std::sin(dec));
  ProjectedPoint toward;
  if (!transformer_.project(ra, dec, toward) || (toward.x == x && toward.y == y)) return false;
  const double length = std::hypot(toward.x - x, toward.y - y);
  ux = (toward.x - x) / length;
  uy = (toward.y - y) / length;
  return true;
}

bool SolarSystemLayer::track(int32_t id, std::span<const TrackPoint> points, std::span<const TrackMark> marks,
                             const Disc& disc, int fill, const std::string& name) {
  {
    PolylineTracer tracer(transformer_, output_, visibilityLimit_, false);
    for (const TrackPoint& p : points) tracer.point(p.raRad, p.decRad, false);
  }
  bool drawn = false, named = false;
  int32_t x, y, firstX = 0, firstY = 0;
  const int32_t dx = options_.labelOffsetX + disc.radius;
  for (size_t m = 0; m < marks.size(); ++m) {
    output_.selectBrush(fill);
    if (!visible(marks[m].raRad, marks[m].decRad, x, y)) continue;
    output_.planetDisc(id, static_cast<int>(m), x, y, disc.diameter, disc.radius);
    if (!drawn) firstX = x, firstY = y;
    drawn = true;
    if (marks[m].year == 0) continue;
    if (!named) output_.wideText(x, y, dx, 0, kDeepskyLargeText, utf8ToUtf16(name + " " + dateText(marks[m])));
    else output_.text(x, y, dx, 0, kDeepskyLargeText, dateText(marks[m]));
    named = true;
  }
  // Without a dated mark the first one drawn carries the name alone.
  if (drawn && !named) output_.wideText(firstX, firstY, dx, 0, kDeepskyLargeText, utf8ToUtf16(name));
  return drawn;
}

void SolarSystemLayer::minorBodies() {
  const DiscLimits asteroidLimits = discLimits(settings_.minorPlanetDiscs, settings_.starLimitHundredths, output_);
  const DiscLimits cometLimits = discLimits(settings_.cometDiscs, settings_.starLimitHundredths, output_);
  int32_t asteroidSize = asteroidLimits.minimum;
  if (asteroidLimits.maximum > 0) asteroidSize = std::min(asteroidSize, asteroidLimits.maximum);
  const Disc asteroid{asteroidSize, asteroidSize / 2}, comet{cometLimits.minimum, cometLimits.minimum / 2};
  output_.selectBrush(kBodyFill);
  for (bool isComet : {false, true}) {
    const MinorBodyTrackSettings& t = isComet ? settings_.cometTrack : settings_.asteroidTrack;
    const int32_t id = solar_.minorTrackObject(isComet);
    if (!(isComet ? settings_.showComets : settings_.showMinorPlanets) || !t.shown || id < 0) continue;
    output_.selectPen(kTrackLine);
    track(id, solar_.minorTrackPoints(isComet), solar_.minorTrackMarks(isComet), isComet ? comet : asteroid, kBodyFill,
          labelOf(solar_, id));
  }
  output_.selectPen(kDiscLine);
  if (settings_.showMinorPlanets) {
    minorBody(objectId(kUserAsteroid, 0), asteroid, false);
    for (int k = 0; k < 4; ++k) {
      const MinorPlanetList* list = solar_.minorPlanets(kBrightList + k);
      if (!settings_.minorPlanetLists[k] || !list->loaded()) continue;
      for (int i = 0; i < list->count(); ++i) minorBody(objectId(kBrightList + k, i), asteroid, false);
    }
    const int32_t selected = settings_.asteroidTrack.object;
    const int kind = objectKind(selected);
    const bool listed = kind >= kBrightList && kind < kLongList && settings_.minorPlanetLists[kind - kBrightList];
    if (selected >= 0 && kind != kUserAsteroid && !listed) minorBody(selected, asteroid, false);
  }
  if (settings_.showComets) {
    minorBody(objectId(kUserComet, 0), comet, true);
    if (objectKind(settings_.cometTrack.object) == kCometList) minorBody(settings_.cometTrack.object, comet, true);
  }
}

bool SolarSystemLayer::withinTheStarLimit(int32_t id) const {
  const bool selected = id == settings_.asteroidTrack.object || id == settings_.cometTrack.object;
  return selected || !solar_.fainterThan(id, settings_.starLimitHundredths);
}

// An asteroid or comet of known magnitude is drawn at least the size of a
// star of it.
void SolarSystemLayer::minorBody(int32_t id, Disc disc, bool comet) {
  StarPosition p;
  int32_t x, y;
  if (!withinTheStarLimit(id) || !solar_.objectPosition(id, -1, p) || !visible(p.raRad, p.decRad, x, y)) return;
  const std::optional<double> m = solar_.minorBodyMagnitude(id);
  if (m) {
    const auto hundredths = static_cast<int32_t>(std::lround(*m * 100));
    disc.diameter = std::max(disc.diameter, output_.starDiameterForMagnitude(hundredths));
    disc.radius = disc.diameter / 2;
  }
  const bool drawn = comet ? output_.cometDisc(id, x, y, disc.diameter, disc.radius)
                           : output_.minorPlanetDisc(id, x, y, disc.diameter, disc.radius);
  if (!drawn) return;
  if (comet) cometTail(id, p, x, y, disc);
  output_.text(x, y, disc.radius + options_.labelOffsetX, 0, kDeepskyLargeText, labelOf(solar_, id));
}

// The tail's length on the chart: by the comet's brightness and distance
// where its magnitude law is known, else four discs.
int32_t SolarSystemLayer::tailPixels(int32_t id, const Disc& disc) const {
  const int32_t fourDiscs = 4 * std::max(disc.diameter, 2);
  const std::optional<BodyFacts> facts = solar_.minorBodyFacts(id);
  if (!facts || !facts->magnitude || !facts->phaseAngleDeg) return fourDiscs;
  const double arcsec = cometTailArcsec(*facts->magnitude, facts->earthDistanceAu, *facts->phaseAngleDeg);
  return std::max(transformer_.arcsecToPixels(arcsec), disc.radius + 2);
}

// A fan of rays away from the Sun, from the disc's edge, in the planets' colour.
void SolarSystemLayer::cometTail(int32_t id, const StarPosition& p, int32_t x, int32_t y, const Disc& disc) {
  double ux, uy;
  if (!towardSun(p.raRad, p.decRad, x, y, ux, uy)) return;
  const double length = tailPixels(id, disc);
  output_.selectPen(kCometTailLine);
  for (int ray = -kTailRaysEachSide; ray <= kTailRaysEachSide; ++ray) {
    const double a = ray * kTailRayStepRad, c = std::cos(a), s = std::sin(a);
    const double dx = -(ux * c - uy * s), dy = -(ux * s + uy * c);  // away from the Sun, turned by a
    const double rayLength = length * (1 - kTailRayShortening * std::abs(ray));
    output_.line(x + static_cast<int32_t>(std::lround(dx * disc.radius)),
                 y + static_cast<int32_t>(std::lround(dy * disc.radius)),
                 x + static_cast<int32_t>(std::lround(dx * rayLength)), y + static_cast<int32_t>(std::lround(dy * rayLength)));
  }
  output_.selectPen(kDiscLine);
}

}  // namespace celvaro

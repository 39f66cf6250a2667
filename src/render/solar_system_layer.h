// The solar-system layer of the chart: the Sun, the Moon and the planets
// with their tracks, date-labelled marks and names, then the minor planets
// and comets. Every disc is recorded under its object identifier (the body
// number for the major bodies) with the track mark as sub-index, so that a
// picked disc leads back to the object.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "output/moon_phase.h"
#include "solarsystem/track_store.h"

namespace celvaro {

class RenderingOutput;
class SolarSystem;
class iTransformer;
struct ChartSettings;
struct DiscSizeSettings;
struct RenderOptions;
struct StarPosition;

// Disc size limits in device units; a maximum of 0 sets none.
struct DiscLimits {
  int32_t minimum = 1;
  int32_t maximum = 0;
};

// The apparent length of a comet's tail (arcseconds) from its visual
// magnitude, its distance from the Earth (AU) and its phase angle (Sun -
// comet - Earth, degrees).
double cometTailArcsec(double magnitude, double earthDistanceAu, double phaseAngleDeg);

DiscLimits discLimits(const DiscSizeSettings& settings, int32_t starLimitHundredths, const RenderingOutput& output);

class SolarSystemLayer {
 public:
  SolarSystemLayer(const SolarSystem& solar, RenderingOutput& output, iTransformer& transformer,
                   const ChartSettings& settings, const RenderOptions& options, double visibilityLimit);

  void draw();

  // The disc of a major body: the larger of its magnitude's star disc and
  // its apparent size, within the limits.
  static int32_t bodyDiameter(double magnitude, double semidiameterArcsec, const DiscLimits& limits,
                              const RenderingOutput& output, const iTransformer& transformer);

 private:
  struct Disc {
    int32_t diameter, radius;
  };

  void majorBodies();
  void minorBodies();
  bool bodyShown(int body) const;
  // The body's disc; the Moon's shows its phase.
  bool bodyDisc(int body, int32_t x, int32_t y, const Disc& disc);
  MoonPhase moonPhase(int32_t x, int32_t y) const;
  // The unit direction toward the Sun on the chart from the object at
  // (x, y); false, leaving it, where it cannot be found.
  bool towardSun(double raRad, double decRad, int32_t x, int32_t y, double& ux, double& uy) const;
  // A track with its marks; true when a mark was drawn. The first dated
  // mark carries the name, or without dates the first mark drawn.
  bool track(int32_t id, std::span<const TrackPoint> points, std::span<const TrackMark> marks, const Disc& disc,
             int fill, const std::string& name);
  // The object's disc and name when it is visible and within the star
  // limit; kind of disc by `comet`.
  void minorBody(int32_t id, Disc disc, bool comet);
  // Every minor body, the user's comet and asteroid with the listed ones,
  // is left off when its magnitude is beyond the chart's stars; the
  // selected comet and asteroid are drawn whatever their brightness.
  bool withinTheStarLimit(int32_t id) const;
  int32_t tailPixels(int32_t id, const Disc& disc) const;
  void cometTail(int32_t id, const StarPosition& p, int32_t x, int32_t y, const Disc& disc);
  bool visible(double raRad, double decRad, int32_t& x, int32_t& y) const;

  const SolarSystem& solar_;
  RenderingOutput& output_;
  iTransformer& transformer_;
  const ChartSettings& settings_;
  const RenderOptions& options_;
  double visibilityLimit_;
};

}  // namespace celvaro

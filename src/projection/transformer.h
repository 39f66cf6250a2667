// The projection interface: a sky position (right ascension and
// declination, radians) becomes a pixel offset from the chart centre, x to
// the right and y upward, with the cosine of its distance from the centre
// as depth.
#pragma once

#include <cstdint>
#include <memory>

#include "astro/apparent_place.h"

namespace celvaro {

struct ChartSettings;
struct OutputArea;

enum ProjectionId : uint32_t {
  kProjectionOrthographic = 0,
  kProjectionEqualArea = 1,
  kProjectionEquidistant = 2,
  kProjectionStereographic = 3,
  kProjectionGnomonic = 4,
  kProjectionConicPtolemaios = 5,
  kProjectionConicDeilsle = 6,
  kProjectionCylindrical = 7,
};

// How the plane offset (X, Y), X toward the east and Y toward the north or
// the zenith, is turned into the returned (x, y). Values above 3 act as 3.
enum MirrorMode : uint32_t {
  kMirrorNone = 0,        // (-X, Y): east to the left, as the naked eye sees the sky
  kMirrorCentral = 1,     // (X, -Y)
  kMirrorVertical = 2,    // (-X, -Y)
  kMirrorHorizontal = 3,  // (X, Y)
};

struct ProjectedPoint {
  int32_t x = 0;       // pixels right of the chart centre
  int32_t y = 0;       // pixels above the chart centre
  double depth = 0.0;  // cosine of the distance from the centre
};

// The edge of what a projection draws, in returned chart coordinates: the
// circle where the depth equals the visibility limit (every projection is
// azimuthal), and whether the chart turns as the sky seen from outside the
// sphere does (north up, east to the right), false when one axis is
// mirrored against that view.
struct VisibleEdge {
  double centreX, centreY, radius;
  bool turnsAsOutside;
};

class iTransformer {
 public:
  virtual ~iTransformer() = default;

  virtual bool isHorizontal() const = 0;
  // Points whose depth is not above this are not drawn.
  virtual double visibilityLimit() const = 0;
  // Takes the frame (centre, horizontal flag, mirror mode; for the
  // horizontal frame the place, the instant and the refraction switch)
  // from the settings and the vertical offset from the area. The
  // horizontal frame shows the apparent sky of the instant: the J2000
  // places are turned onto the local horizon through the apparent place of
  // the date by one rotation, exact at the chart's centre.
  virtual void setup(const OutputArea& area, const ChartSettings& settings) = 0;
  // The equidistant law in the equatorial frame, unmirrored; false (nothing
  // written) for the other projections.
  virtual bool projectEquatorialPlain(double raRad, double decRad, ProjectedPoint& out) = 0;
  // False, with `out` unwritten, when the point cannot be projected.
  virtual bool project(double raRad, double decRad, ProjectedPoint& out) = 0;
  // Projects ra[first .. first + count) into x, y and depth from index 0.
  // Depth is always written; x and y of points the law rejects in the
  // equatorial frame keep what they held.
  virtual void projectMany(const double* raRad, const double* decRad, int first, int count,
                           int32_t* x, int32_t* y, double* depth) = 0;
  // The same for points given as unit vectors (x toward right ascension 0,
  // y toward 6 h, z toward the north pole), which catalogs can keep beside
  // their coordinates: a rotation instead of per-point trigonometry.
  virtual void projectManyVectors(const double* ux, const double* uy, const double* uz, int first,
                                  int count, int32_t* x, int32_t* y, double* depth) = 0;
  // Whether project() refuses a point of this depth: a batch of points
  // projected at once is told apart by it.
  virtual bool rejects(double depth) const = 0;
  // The angle of the direction to the north celestial pole on the chart,
  // radians; 0 where a projection does not compute it.
  virtual double northAngle(double raRad, double decRad) = 0;
  virtual VisibleEdge visibleEdge() const = 0;
  virtual int32_t tenthArcminToPixels(int32_t tenthsOfArcmin) const = 0;
  virtual int32_t arcsecToPixels(double arcsec) const = 0;
  virtual int32_t pixelsToArcsec(int32_t pixels) const = 0;
  // A half-extent of `halfExtentPx` pixels shows `halfFieldArcmin`.
  virtual void setScale(double halfExtentPx, int32_t halfFieldArcmin) = 0;
};

using UnitVector = Vector3;
inline UnitVector unitVector(double raRad, double decRad) { return unitVectorOf(raRad, decRad); }

// The projection of an id; ids without a law of their own (5 to 7) and ids
// above 7 give the orthographic projection.
std::unique_ptr<iTransformer> createTransformer(uint32_t projectionId);

}  // namespace celvaro

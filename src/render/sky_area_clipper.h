// Turns closed rings on the sky into an area on the chart. A ring is cut
// where it passes the edge of what the projection draws (the visible edge,
// a circle on the chart); the parts in sight are joined along that circle,
// turning the way that keeps the rings' area on their left, into closed
// rings, which are then cut at a rectangle a little larger than the chart,
// so that no point lands far outside it. Points within a unit of the one
// before are left out: on a wide chart the outline's points crowd closer
// than the pixels.
//
// Rings wholly beyond the edge add nothing: an area is taken never to hold
// the whole edge inside it, as none of the Milky Way's levels can (they are
// narrower than the smallest visible cap, 145 degrees across).
#pragma once

#include <cstdint>
#include <vector>

#include "output/area_rings.h"
#include "projection/transformer.h"

namespace celvaro {

struct OutputArea;

class SkyAreaClipper {
 public:
  // Visible means a depth strictly greater than the limit. The rectangle is
  // the area's, widened by a margin.
  SkyAreaClipper(iTransformer& transformer, double visibilityLimit, const OutputArea& area);

  // A ring of unit vectors (x toward right ascension 0, y toward 6 h, z
  // toward the north pole), its area on its left seen from outside.
  void addRing(const double* x, const double* y, const double* z, int count);
  // The area of the rings added since the last call, in chart coordinates.
  void takeArea(AreaRings& area);

 private:
  struct PlanePoint {
    double x, y;
  };
  // A stretch of a ring in sight: from where it enters over the edge to
  // where it leaves, with the angles of both on the edge's circle.
  struct Piece {
    std::vector<PlanePoint> points;
    double entryAngle = 0, exitAngle = 0;
    bool joined = false;
  };

  void addPoint(std::vector<PlanePoint>& points, int i) const;
  void addPieces(const double* x, const double* y, const double* z, int count);
  // Where the edge cuts the step from a point in sight to one beyond,
  // placed on the circle; `angle` receives its angle there.
  PlanePoint crossing(const double* x, const double* y, const double* z, int inSight, int beyond, double& angle);
  PlanePoint onEdge(double angle) const;
  void joinPieces();
  size_t nextEntry(double exitAngle, double& turn) const;
  void addArc(std::vector<PlanePoint>& ring, double fromAngle, double turn) const;
  void cutAtRectangle(std::vector<PlanePoint>& ring);

  iTransformer& transformer_;
  const double limit_;
  const VisibleEdge edge_;
  const double sense_;  // +1: the area's side of the edge lies counter-clockwise of a ring's exit
  double left_, right_, bottom_, top_;
  std::vector<int32_t> px_, py_;
  std::vector<double> depth_;
  std::vector<Piece> pieces_;
  std::vector<PlanePoint> ring_, cut_;  // kept between rings for their room
  AreaRings area_;
};

}  // namespace celvaro

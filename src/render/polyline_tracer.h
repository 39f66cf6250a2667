// The visible polyline rule over points given one by one: a line runs
// between consecutive visible points and ends at the first invisible one;
// points that cannot be projected are skipped without breaking the line.
#pragma once

#include <cstdint>

namespace celvaro {

class RenderingOutput;
class iTransformer;
struct ProjectedPoint;

class PolylineTracer {
 public:
  // Visible means a depth strictly greater than the limit.
  PolylineTracer(iTransformer& transformer, RenderingOutput& output, double visibilityLimit, bool close);
  ~PolylineTracer() { end(); }
  PolylineTracer(const PolylineTracer&) = delete;
  PolylineTracer& operator=(const PolylineTracer&) = delete;

  // The next point; `move` ends the line and starts over from the point.
  void point(double raRad, double decRad, bool move);
  // The same for a point projected already; null for one that cannot be.
  void projected(const ProjectedPoint* p, bool move);
  void end();

 private:
  // The previous point: none yet or not projectable, projected but on the
  // hidden side, or visible.
  enum Previous { kFailed, kHidden, kVisible };

  iTransformer& transformer_;
  RenderingOutput& output_;
  double visibilityLimit_;
  bool close_;
  bool open_ = false;
  Previous previous_ = kFailed;
  int32_t previousX_ = 0, previousY_ = 0;
};

}  // namespace celvaro

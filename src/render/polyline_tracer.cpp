#include "render/polyline_tracer.h"

#include "output/rendering_output.h"
#include "projection/transformer.h"

namespace celvaro {

PolylineTracer::PolylineTracer(iTransformer& transformer, RenderingOutput& output, double visibilityLimit, bool close)
    : transformer_(transformer), output_(output), visibilityLimit_(visibilityLimit), close_(close) {}

void PolylineTracer::point(double raRad, double decRad, bool move) {
  ProjectedPoint p;
  projected(transformer_.project(raRad, decRad, p) ? &p : nullptr, move);
}

void PolylineTracer::projected(const ProjectedPoint* p, bool move) {
  const bool visible = p && p->depth > visibilityLimit_;
  if (move) end();
  if (!move && !p) return;
  if (!move && open_ && visible) {
    output_.polyLineTo(p->x, p->y);
  } else if (!move && open_) {
    output_.polyFinish(p->x, p->y, false);
    open_ = false;
  } else if (!move && visible && previous_ == kVisible) {
    output_.polyStart(previousX_, previousY_);
    output_.polyLineTo(p->x, p->y);
    open_ = true;
  } else if (!move && visible && previous_ == kFailed) {
    output_.polyStart(p->x, p->y);
    open_ = true;
  }
  previous_ = !p ? kFailed : visible ? kVisible : kHidden;
  if (p) previousX_ = p->x, previousY_ = p->y;
}

void PolylineTracer::end() {
  if (open_) output_.polyEnd(close_);
  open_ = false;
}

}  // namespace celvaro

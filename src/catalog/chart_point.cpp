#include "catalog/chart_point.h"

#include "output/rendering_output.h"

namespace celvaro {

bool pointOnChart(const RenderingOutput& output, iTransformer& transformer, double raRad, double decRad,
                  ProjectedPoint& point) {
  return transformer.project(raRad, decRad, point) && point.depth > transformer.visibilityLimit() &&
         output.isInsideOutput(point.x, point.y);
}

}  // namespace celvaro

// Where a star-catalog object lands on the chart.
#pragma once

#include "projection/transformer.h"

namespace celvaro {

class RenderingOutput;

// False unless the position projects, lies in front of the transformer's
// visibility limit and inside the output's clip rectangle.
bool pointOnChart(const RenderingOutput& output, iTransformer& transformer, double raRad, double decRad,
                  ProjectedPoint& point);

}  // namespace celvaro

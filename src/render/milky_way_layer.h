// The Milky Way, drawn under every other layer: each brightness level of
// the outline as one area, the faintest first, in the shade the output
// gives the level's brightness.
#pragma once

#include "catalog/milky_way.h"

namespace celvaro {

class RenderingOutput;
class iTransformer;
struct OutputArea;

class MilkyWayLayer {
 public:
  MilkyWayLayer(const MilkyWay& milkyWay, RenderingOutput& output, iTransformer& transformer, const OutputArea& area,
                double visibilityLimit);

  void draw();

 private:
  bool mayShow(const MilkyWay::Ring& ring, double reach, double horizon) const;

  const MilkyWay& milkyWay_;
  RenderingOutput& output_;
  iTransformer& transformer_;
  const OutputArea& area_;
  double visibilityLimit_;
};

}  // namespace celvaro

#include "render/milky_way_layer.h"

#include "output/rendering_output.h"
#include "render/sky_area_clipper.h"

namespace celvaro {

MilkyWayLayer::MilkyWayLayer(const MilkyWay& milkyWay, RenderingOutput& output, iTransformer& transformer,
                             const OutputArea& area, double visibilityLimit)
    : milkyWay_(milkyWay), output_(output), transformer_(transformer), area_(area), visibilityLimit_(visibilityLimit) {}

// Level k of n has the brightness k / n, the brightest 1.
void MilkyWayLayer::draw() {
  const std::vector<MilkyWay::Level>& levels = milkyWay_.levels();
  SkyAreaClipper clipper(transformer_, visibilityLimit_, area_);
  AreaRings area;
  for (size_t k = 0; k < levels.size(); ++k) {
    for (const MilkyWay::Ring& ring : levels[k]) clipper.addRing(ring.x.data(), ring.y.data(), ring.z.data(), ring.size());
    clipper.takeArea(area);
    output_.milkyWayArea(static_cast<double>(k + 1) / levels.size(), area);
  }
}

}  // namespace celvaro

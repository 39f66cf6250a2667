#include "output/render_options.h"

namespace celvaro {

RenderOptions printRenderOptions() {
  RenderOptions o;
  o.frame = true;
  o.hourLabelDx = 40, o.hourLabelDy = 40;
  o.decLabelDx = 40, o.decLabelDy = -200;
  o.doubleStarLineWidth = 15;
  o.galaxyShapeThreshold = 200;
  o.smallGalaxyWidth = 200, o.smallGalaxyHeight = 100;
  o.minGlobularSize = 200, o.minOpenClusterSize = 200, o.minPlanetarySize = 160;
  o.minNebulaSize = 200, o.minGalaxyClusterSize = 200;
  o.labelOffsetX = 40;
  o.starLabelOffsetDy = 0;
  o.labelSpare = 180, o.doubleStarLabelDy = -20;
  o.deepskyLabelDx = 20, o.deepskySpare = 30, o.deepskyLabelDy = -30;
  return o;
}

}  // namespace celvaro

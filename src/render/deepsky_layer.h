// The deep-sky layer: the objects the catalog hands out for the chart's
// settings, each with the symbol of its type at its size (galaxies large
// enough drawn to scale as rotated ellipses) and its label. Other objects
// wider than a sixteenth of the chart or three smallest nebula symbols are
// drawn as a dashed outline of their size, an ellipse of their axes at
// their position angle, and labelled at its edge, away from the stars they
// may hold (the reflection nebulae of the Pleiades).
#pragma once

#include <cstdint>

namespace celvaro {

class RenderingOutput;
class iDeepskyData;
class iTransformer;
struct ChartSettings;
struct DeepskyObject;
struct OutputArea;
struct RenderOptions;

class DeepskyLayer {
 public:
  // `language` 1..4 names the common names in labels.
  DeepskyLayer(iDeepskyData& catalog, RenderingOutput& output, iTransformer& transformer, const OutputArea& area,
               const ChartSettings& settings, const RenderOptions& options, double visibilityLimit, int language);

  void draw();

  // The axis vectors of a galaxy drawn to scale: u from the centre to the
  // point half the major axis north of it, v across it scaled by b/a, both
  // turned counter-clockwise by the angle. Returns the label offset.
  struct Axes {
    int32_t ux, uy, vx, vy;
  };
  static int32_t galaxyAxes(int32_t northX, int32_t northY, int32_t majorAxis, int32_t minorAxis,
                            int positionAngleDeg, Axes& axes);

 private:
  // Draws the object's symbol; the label offset it leaves, or -1 when the
  // object was not drawn.
  int32_t symbol(int index, const DeepskyObject& object, int32_t x, int32_t y);
  int32_t galaxy(int index, const DeepskyObject& object, int32_t x, int32_t y, int32_t size);
  static bool hasOutline(int type);
  bool isLarge(int32_t size) const;
  // The object's axes on the chart at (x, y) with the minor axis given
  // (hundredths of an arcminute) and the label offset that goes with them;
  // false when the object has no size or its axis cannot be projected.
  bool axesToScale(const DeepskyObject& object, int32_t x, int32_t y, int32_t minorAxis, Axes& axes,
                   int32_t& labelOffset) const;

  iDeepskyData& catalog_;
  RenderingOutput& output_;
  iTransformer& transformer_;
  const OutputArea& area_;
  const ChartSettings& settings_;
  const RenderOptions& options_;
  double visibilityLimit_;
  int language_;
};

}  // namespace celvaro

// The drawing back-end of the chart. Chart coordinates are signed integers
// with the origin at the chart centre and y upward; each output turns them
// into its own device coordinates. Besides lines and text there is one
// operation per star kind and per deep-sky symbol, so that each output can
// draw, group and classify them its own way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "output/area_rings.h"
#include "output/moon_phase.h"
#include "output/output_area.h"
#include "output/print_colour_table.h"
#include "output/render_options.h"
#include "output/star_size_table.h"

namespace celvaro {

// Text classes: the files choose a font size or style class by them.
enum TextClass : int {
  kTitleBarText = 0,
  kGridText = 1,
  kStarSmallText = 2,
  kStarLargeText = 3,
  kDeepskySmallText = 4,
  kDeepskyLargeText = 5,
  kConstellationNames = 6,
};

struct PageSize {
  int32_t width = 0;   // device units of the output
  int32_t height = 0;
};

// The label of a star: what drawStarLabel writes.
struct StarLabelParts {
  int greekLetter = -1;   // 0..23 alpha..omega, anything else none
  int superscript = 0;    // ignored by the outputs
  int flamsteed = -1;     // -1 none
  int constellation = -1; // 0..88, -1 none
  const char* name = nullptr;  // UTF-8, may be absent
};

class RenderingOutput {
 public:
  virtual ~RenderingOutput() = default;

  virtual void setColourTable(const PrintColourTable& colours);
  virtual void setOptions(const RenderOptions& options);
  virtual bool drawsStarsByClass() const = 0;
  virtual bool isScreen() const = 0;
  void loadStarSizes(int32_t limitHundredths, int32_t largest, int32_t smallest);
  void loadScreenStarSizes(int32_t limitHundredths, int32_t largest, int32_t smallest) {
    starSizes_.loadScreen(limitHundredths, largest, smallest);
  }
  void copyStarSizes(const int32_t* table, int count);
  const StarSizeTable& starSizes() const { return starSizes_; }
  int32_t starDiameter(int magClass) const { return starSizes_.diameterOfClass(magClass); }
  int32_t starDiameterForMagnitude(int32_t magHundredths) const {
    return starSizes_.diameterForMagnitude(magHundredths);
  }

  // Starts a pass: sets the clip rectangle (-width/2, -height/2, width/2,
  // height/2) and the device centre. The screen ignores the file and page.
  virtual bool begin(const std::string& fileName, PageSize page, const OutputArea& area) = 0;
  virtual void end() = 0;
  virtual void beginGroup(std::string_view layerName) = 0;
  virtual void endGroup() = 0;
  // Cuts what is drawn at the clip rectangle until endChartClip, so that
  // symbols near the edge stop at the frame; the frame and its legend are
  // drawn before. The file outputs forget their styles when the cut ends
  // (see forgetStyles): select them again before drawing on. The screen's
  // window cuts at its own edges.
  virtual void clipToChart() {}
  virtual void endChartClip() {}

  // Inside the clip rectangle, edges included.
  bool isInsideOutput(int32_t x, int32_t y) const;
  virtual bool toDevice(int32_t x, int32_t y, int32_t& dx, int32_t& dy) const = 0;

  virtual void polyStart(int32_t x, int32_t y) = 0;
  virtual void polyLineTo(int32_t x, int32_t y) = 0;
  virtual void polyFinish(int32_t x, int32_t y, bool close) = 0;
  virtual void polyEnd(bool close) = 0;
  virtual void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  virtual void pathMoveTo(int32_t x, int32_t y) = 0;
  virtual void pathLineTo(int32_t x, int32_t y) = 0;
  virtual void pathEnd(bool close) = 0;
  virtual void circle(int32_t x, int32_t y, int32_t radius) = 0;
  virtual void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) = 0;
  virtual void polyline(const int32_t* x, const int32_t* y, int count) = 0;
  virtual void clear() = 0;
  virtual void setFrameLineStyle() = 0;
  // The next pen, fill and text style selections take effect even when they
  // name the styles selected last (after the device was drawn on elsewhere).
  void forgetStyles() { lineStyle_ = fillStyle_ = textStyle_ = -1; }
  virtual void selectPen(int lineStyle) = 0;
  virtual void selectBrush(int fillStyle) = 0;
  virtual void setTextStyle(int textStyle) = 0;

  // Discs. The clipped ones return false, drawing nothing, for a point
  // outside the clip rectangle; the recorded ones enter the hit list.
  virtual bool planetDisc(int body, int mark, int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual bool discWithTick(int index, int subIndex, int32_t x, int32_t y, int32_t diameter,
                            int32_t radius, double angleRad) = 0;
  virtual bool minorPlanetDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual bool cometDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  // The Moon showing its phase: the lit part in the body's fill, the rest
  // in a dim shade; the hit list takes the whole disc. An output without a
  // drawing of its own draws the plain disc.
  virtual bool moonDisc(int body, int32_t x, int32_t y, int32_t diameter, int32_t radius, const MoonPhase& phase) {
    (void)phase;
    return planetDisc(body, -1, x, y, diameter, radius);
  }
  virtual bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t diameter,
                                       int32_t radius, int colourClass) = 0;
  virtual bool drawStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual bool drawColouredStar(int32_t x, int32_t y, int32_t diameter, int32_t radius, int colourClass) = 0;
  virtual void legendStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual bool variableStar(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual bool dashMarker(int index, int32_t x, int32_t y, int32_t halfLength) = 0;

  // Deep-sky symbols.
  virtual void galaxyEllipse(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t width, int32_t height) = 0;
  virtual void rotatedGalaxyEllipse(int index, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx, int32_t vy) = 0;
  virtual void globularCluster(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) = 0;
  virtual void openCluster(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) = 0;
  virtual void planetaryNebula(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) = 0;
  virtual void diffuseNebula(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) = 0;
  virtual void squareSymbol(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) = 0;
  virtual void pentagonSymbol(int index, int32_t x, int32_t y, int32_t size) = 0;
  virtual void crossTickSymbol(int index, int32_t x, int32_t y) = 0;
  // A large object's outline: the ellipse (x, y) + u cos t + v sin t in
  // dashes half the smallest nebula symbol long, in the current pen; the
  // catalog value is the object's magnitude, as for the symbols.
  virtual void largeOutline(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t ux, int32_t uy, int32_t vx,
                            int32_t vy);

  // A brightness level of the Milky Way: the area filled, not stroked, in
  // a shade by its brightness, from 0 (none) to 1 (the brightest level).
  virtual void milkyWayArea(double brightness, const AreaRings& area) {
    (void)brightness;
    (void)area;
  }

  // Texts at the point shifted by (dx, dy) device units.
  virtual void text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) = 0;
  virtual void wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::u16string_view text) = 0;
  virtual void legendText(int32_t x, int32_t y, int textClass, std::string_view text) = 0;
  virtual bool drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy,
                             const StarLabelParts& label) = 0;

  // Clips the segment to the clip rectangle (Cohen-Sutherland); false when
  // nothing of it is inside. The clipped end points are kept.
  bool clipSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  struct Segment {
    int32_t x1, y1, x2, y2;
  };
  const Segment& clippedSegment() const { return clipped_; }

 protected:
  void setClipRectangle(int32_t left, int32_t bottom, int32_t right, int32_t top);

  RenderOptions options_;
  int32_t clipLeft_ = 0, clipBottom_ = 0, clipRight_ = 0, clipTop_ = 0;
  Segment clipped_{};
  int lineStyle_ = -1, fillStyle_ = -1, textStyle_ = -1;
  StarSizeTable starSizes_;
};

}  // namespace celvaro

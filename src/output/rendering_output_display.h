// The screen output: draws the chart on the chart window's canvas through
// the colour table, and records every pickable object it draws in the hit
// list. Device position of a chart point: (cx + x, cy - y).
#pragma once

#include <vector>

#include "output/canvas.h"
#include "output/hit_list.h"
#include "output/rendering_output.h"

namespace celvaro {

class RenderingOutputDisplay final : public RenderingOutput {
 public:
  static constexpr int kPolylinePoints = 600;

  explicit RenderingOutputDisplay(const ColorTable& colors);

  void setCanvas(Canvas* canvas) { canvas_ = canvas; }
  void setHitList(HitList* hits) { hits_ = hits; }

  bool drawsStarsByClass() const override { return false; }
  bool isScreen() const override { return true; }
  bool begin(const std::string& fileName, PageSize page, const OutputArea& area) override;
  void end() override;
  void beginGroup(std::string_view) override {}
  void endGroup() override {}
  bool toDevice(int32_t x, int32_t y, int32_t& dx, int32_t& dy) const override;

  void polyStart(int32_t x, int32_t y) override;
  void polyLineTo(int32_t x, int32_t y) override;
  void polyFinish(int32_t x, int32_t y, bool close) override;
  void polyEnd(bool close) override;
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void pathMoveTo(int32_t, int32_t) override {}
  void pathLineTo(int32_t, int32_t) override {}
  void pathEnd(bool) override {}
  void circle(int32_t x, int32_t y, int32_t radius) override;
  void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool stroke, bool fill) override;
  void polyline(const int32_t* x, const int32_t* y, int count) override;
  void clear() override;
  // The area in a shade between the background and the grid colour.
  void milkyWayArea(double brightness, const AreaRings& area) override;
  void setFrameLineStyle() override {}
  void selectPen(int lineStyle) override;
  void selectBrush(int fillStyle) override;
  void setTextStyle(int textStyle) override;

  bool planetDisc(int body, int mark, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool discWithTick(int index, int subIndex, int32_t x, int32_t y, int32_t diameter, int32_t radius,
                    double angleRad) override;
  bool minorPlanetDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool cometDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool moonDisc(int body, int32_t x, int32_t y, int32_t diameter, int32_t radius, const MoonPhase& phase) override;
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius,
                               int colourClass) override;
  bool drawStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool drawColouredStar(int32_t x, int32_t y, int32_t diameter, int32_t radius, int colourClass) override;
  void legendStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool variableStar(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool dashMarker(int index, int32_t x, int32_t y, int32_t halfLength) override;

  void galaxyEllipse(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t width, int32_t height) override;
  void rotatedGalaxyEllipse(int index, int32_t x, int32_t y, int32_t ux, int32_t uy, int32_t vx, int32_t vy) override;
  void globularCluster(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void openCluster(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void planetaryNebula(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void diffuseNebula(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void squareSymbol(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t size) override;
  void pentagonSymbol(int index, int32_t x, int32_t y, int32_t size) override;
  void crossTickSymbol(int index, int32_t x, int32_t y) override;
  void largeOutline(int index, int32_t x, int32_t y, int32_t catalogValue, int32_t ux, int32_t uy, int32_t vx,
                    int32_t vy) override;

  void text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) override;
  void wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::u16string_view text) override;
  void legendText(int32_t, int32_t, int, std::string_view) override {}
  bool drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy, const StarLabelParts& label) override;

  // The UTF-16 star label: Greek letter, Flamsteed number, name and
  // constellation abbreviation, blank-separated, at most 40 characters.
  static std::u16string starLabelText(const StarLabelParts& label);

 private:
  DevicePoint device(int32_t x, int32_t y) const { return {cx_ + x, cy_ - y}; }
  void disc(int32_t x, int32_t y, int32_t diameter, int32_t radius);
  // Fills the outline, device coordinates, row by row with lines of the
  // colour; the pen is put back afterwards.
  void fillOutline(const std::vector<OutlinePoint>& outline, Rgb colour);
  void selectStarColour(int colourClass);
  void flushPolyline();
  void closedOutline(const DevicePoint* points, int count);
  void recordDeepsky(int32_t x, int32_t y, int symbolType, int index);

  const ColorTable& colors_;
  Canvas* canvas_ = nullptr;
  HitList* hits_ = nullptr;
  int32_t cx_ = 0, cy_ = 0;
  int32_t width_ = 0;  // the chart's columns: 2 cx_ + 1 for an odd width
  std::vector<DevicePoint> polyPoints_;  // the polyline being drawn
  std::vector<DevicePoint> areaPoints_;  // the area being filled
  int starColourClass_ = -1;
  Rgb brushColour_{};
  Rgb penColour_{};
  bool penXor_ = false;
  bool brushSet_ = false;
  Rgb textColour_{};
};

}  // namespace celvaro

// What the three printed-map outputs (PDF, EPS, SVG) share: the page
// (chart coordinates in hundredths of a millimetre, shifted by the chart's
// origin on the page), the document text they build and put in place at
// the end of the pass, polylines clipped to the chart, the symbols they draw
// alike with their path operators, the pens of the line styles and the
// font sizes of the text classes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/rendering_output.h"

namespace celvaro {

class RenderingOutputFile : public RenderingOutput {
 public:
  static constexpr int32_t kDefaultStarDiameter = 45;
  static constexpr int32_t kVariableRingGap = 25;  // between a variable star's disc and its ring

  // A stroke colour of the line styles.
  enum class Ink { kBlack, kGrey, kWhite };
  struct Pen {
    int32_t width;
    int32_t dashOn, dashOff;  // solid when on is 0
    Ink ink;
  };
  // The fill of stars and discs by fill style, none where the style keeps
  // the current one: white for 1 and 3, black for 2, grey for 4 to 6.
  static std::optional<Ink> fillOf(int fillStyle);

  void setColourTable(const PrintColourTable& colours) override { colours_ = colours; }
  void setOptions(const RenderOptions& options) override;
  bool isScreen() const override { return false; }

  // Starts the document; false when the file cannot be created there (no
  // such directory, or a directory of that name).
  bool begin(const std::string& fileName, PageSize page, const OutputArea& area) override;
  // Another chart in the same document: on the page beside those drawn, or
  // on a new page of the same size. What was drawn is finished, the chart's
  // coordinates move to the area and the star sizes set since are used.
  // False for a new page of a file that holds one page (EPS, SVG).
  bool nextChart(const OutputArea& area, bool newPage);
  // Finishes the document and puts it in place whole, or not at all.
  void end() override;
  // Whether the last pass's file was written completely.
  bool written() const { return written_; }
  bool toDevice(int32_t x, int32_t y, int32_t& dx, int32_t& dy) const override;
  // The cut at the chart's rectangle, balanced by end when still open.
  void clipToChart() override;
  void endChartClip() override;

  // Polylines are clipped to the chart: each stretch inside it is a path
  // of its own, started where the line enters and stroked where it leaves.
  void polyStart(int32_t x, int32_t y) override;
  void polyLineTo(int32_t x, int32_t y) override;
  void polyFinish(int32_t x, int32_t y, bool close) override;
  void polyEnd(bool close) override;
  void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void pathMoveTo(int32_t x, int32_t y) override { moveTo(x, y); }
  void pathLineTo(int32_t x, int32_t y) override { lineTo(x, y); }
  void pathEnd(bool close) override;
  // An outline in the current pen, cut by the chart's clip when drawn within it.
  void circle(int32_t x, int32_t y, int32_t radius) override { circleOutline(x, y, radius); }
  void polyline(const int32_t*, const int32_t*, int) override {}
  void clear() override {}
  // The area in a light grey: 96 percent of white for the faintest level,
  // 80 for the brightest.
  void milkyWayArea(double brightness, const AreaRings& area) override;

  bool planetDisc(int body, int mark, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool discWithTick(int index, int subIndex, int32_t x, int32_t y, int32_t diameter, int32_t radius,
                    double angleRad) override;
  bool minorPlanetDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool cometDisc(int objectCode, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  // The disc in a light grey, the lit part in the bodies' grey over it,
  // the rim in the pen.
  bool moonDisc(int body, int32_t x, int32_t y, int32_t diameter, int32_t radius, const MoonPhase& phase) override;
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t diameter, int32_t radius,
                               int colourClass) override;
  bool drawStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) override;
  bool drawColouredStar(int32_t x, int32_t y, int32_t diameter, int32_t radius, int colourClass) override;
  void legendStar(int32_t x, int32_t y, int32_t diameter, int32_t radius) override { star(x, y, diameter, radius); }
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

  // Texts are written in the file's encoding; the offsets point the way
  // chart coordinates do (y upward).
  void text(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::string_view text) override;
  void wideText(int32_t x, int32_t y, int32_t dx, int32_t dy, int textClass, std::u16string_view text) override;
  void legendText(int32_t x, int32_t y, int textClass, std::string_view text) override;
  bool drawStarLabel(int index, int32_t x, int32_t y, int32_t dx, int32_t dy, const StarLabelParts& label) override;

  // The Symbol-font codes of the Greek letters alpha..omega, two hexadecimal
  // digits each.
  static constexpr std::string_view kSymbolGreek = "61626764657a6871696b6c6d6e786f70727374756a637977";
  // What a star label shows after its Greek letter and Flamsteed number:
  // " name" and " constellation", each space only after something.
  static std::u16string starLabelTail(const StarLabelParts& label);
  static bool hasGreekLetter(const StarLabelParts& label) { return label.greekLetter >= 0 && label.greekLetter < 24; }
  // The font-size index 0..5 of a text class.
  static int fontIndex(int textClass);

 protected:
  struct Point {
    int32_t x, y;
  };
  // yDown: device y grows downward from the page's top (SVG).
  explicit RenderingOutputFile(bool yDown);

  // The document frame, written by begin and end.
  virtual void writeHeader(PageSize page) = 0;
  virtual void writeTrailer() = 0;
  // A chart starts, its star sizes set: the PDF makes the star forms of
  // sizes it has not written yet.
  virtual void writeChartStart() {}
  // Ends the page and starts another of its size; false where the file
  // holds one page.
  virtual bool writePageBreak() { return false; }
  // Starts cutting at the rectangle between the corners, saving the page's
  // state, and ends it, putting that state back.
  virtual void beginClip(Point low, Point high) = 0;
  virtual void endClip() = 0;
  // Path operators, in chart coordinates.
  virtual void moveTo(int32_t x, int32_t y) = 0;
  virtual void lineTo(int32_t x, int32_t y) = 0;
  virtual void curveTo(Point a, Point b, Point end) = 0;
  virtual void closePath() = 0;
  virtual void strokePath() = 0;
  // Shapes each file writes its own way.
  virtual void circleOutline(int32_t x, int32_t y, int32_t radius) = 0;
  virtual void star(int32_t x, int32_t y, int32_t diameter, int32_t radius) = 0;
  virtual void bodyDisc(int32_t x, int32_t y, int32_t radius) = 0;
  // The closed outline filled in grey (percent of white), not stroked; the
  // colours selected stay as they were.
  virtual void fillOutline(const std::vector<Point>& outline, int greyPercent) = 0;
  // The area of the rings filled the same way, by the even-odd rule.
  virtual void fillArea(const AreaRings& area, int greyPercent) = 0;
  virtual void writeText(int32_t x, int32_t y, int textClass, std::u16string_view text) = 0;
  virtual void writeStarLabel(int32_t x, int32_t y, const StarLabelParts& label) = 0;

  // The outline centre + u cos t + v sin t as four Bezier quarters from
  // centre + u, the control points k = 0.5522847498 of the axes in.
  void ellipsePath(Point centre, Point u, Point v);
  void circlePath(int32_t x, int32_t y, int32_t radius) { ellipsePath({x, y}, {radius, 0}, {0, radius}); }
  void segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  // The pen of a line style, none where the style keeps the current one.
  std::optional<Pen> penOf(int lineStyle) const;
  // The pen's dash array: "[on off]", or "[]" for a solid line.
  void putDashArray(const Pen& pen);
  // A text class held within 0..6, and its font size.
  static int textClassOf(int textClass) { return textClass < 0 ? 0 : textClass > 6 ? 6 : textClass; }
  int32_t fontSize(int textClass) const { return fontSizes_[fontIndex(textClass)]; }
  int32_t fontSizeAt(int index) const { return fontSizes_[index]; }
  const PrintColourTable& colours() const { return colours_; }

  // The document being written.
  void put(std::string_view text) { out_->append(text); }
  void put(char c) { out_->push_back(c); }
  void put(int32_t value);
  // "X Y" on the page.
  void putPoint(int32_t x, int32_t y);
  int32_t deviceX(int32_t x) const { return originX_ + x; }
  int32_t deviceY(int32_t y) const { return yDown_ ? originY_ - y : originY_ + y; }
  // Where put writes: the file, unless a page's text is kept apart.
  std::string& document() { return *out_; }
  std::string& file() { return document_; }
  // Sends what put writes into `text`, or into the file again with none.
  void writeInto(std::string* text) { out_ = text ? text : &document_; }
  // Sends what is written into `scratch`, in coordinates about the page's
  // (0, 0) instead of the chart's origin, until the guard ends: a shape of
  // its own, such as the PDF's star forms.
  class Scratch {
   public:
    Scratch(RenderingOutputFile& output, std::string& text);
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

   private:
    RenderingOutputFile& output_;
    std::string* out_;
    int32_t originX_, originY_;
  };

 private:
  static bool canCreate(const std::string& fileName);
  // The chart's clip rectangle and origin on the page.
  void placeChart(const OutputArea& area);
  // Strokes the stretch of a polyline still being drawn.
  void finishPolyline();
  void closedPolygon(const Point* corners, int count);

  const bool yDown_;
  std::string fileName_;
  std::string document_;
  std::string* out_ = &document_;
  bool written_ = false;
  bool clipping_ = false;
  int32_t originX_ = 0, originY_ = 0;
  PageSize page_;
  PrintColourTable colours_;
  std::array<int32_t, 6> fontSizes_{160, 180, 200, 240, 320, 400};
  // The polyline: whether the pen is down inside the chart, whether the
  // stretch being drawn began at the polyline's start, the start and the
  // last point given.
  bool penDown_ = false;
  bool fromStart_ = false;
  Point start_{}, last_{};
};

}  // namespace celvaro

// Draws one complete sky chart onto a rendering output through a
// projection: the layers in their order, each with its group and styles.
// Catalogs draw their own objects; the renderer draws the grid, the lines,
// the names, the frame, the legend and, on a printed map, the title strip
// and the field-of-view overlay's frames.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/sky_polylines.h"

namespace celvaro {

class RenderingOutput;
class SkyCatalogs;
class iTransformer;
struct FovOverlay;
struct ChartSettings;
struct OutputArea;
struct RenderOptions;

// A text a printed map writes at a place in the sky, centred on it: an
// atlas's key gives each page's number at the page's centre.
struct SkyNote {
  double raRad = 0, decRad = 0;
  std::string text;
};

// What a page of an atlas writes over its chart, each on a white box: the
// texts at the middles of the top, right, bottom and left edges (the pages
// beyond them) and the notes at their places.
struct PageMarks {
  std::array<std::string, 4> edges;
  std::vector<SkyNote> notes;
  bool empty() const {
    return notes.empty() && std::all_of(edges.begin(), edges.end(), [](const std::string& e) { return e.empty(); });
  }
};

// What one drawing pass asks of the catalogs.
struct PassFlags {
  bool recordStars = false;  // draw stars with their indices, for picking
};

class ChartRenderer {
 public:
  ChartRenderer(SkyCatalogs* catalogs, RenderingOutput* output, iTransformer* transformer,
                const OutputArea* area, const ChartSettings* settings, const RenderOptions* options);

  void setCatalogs(SkyCatalogs* catalogs) { catalogs_ = catalogs; }
  void setOutput(RenderingOutput* output) { output_ = output; }
  void setTransformer(iTransformer* transformer) { transformer_ = transformer; }
  // The lines the model computes for the chart's time and place.
  void setSkyLines(const SkyPolylines* ecliptic, const SkyPolylines* horizon) {
    ecliptic_ = ecliptic;
    horizon_ = horizon;
  }
  void setRoute(const SkyPolylines* route) { route_ = route; }
  // The user-interface language (1..4) of the common names in labels.
  void setLanguage(int language) { language_ = language >= 1 && language <= 4 ? language : 2; }
  // What a printed map adds: the lines of the title strip above the frame
  // (drawn when the area has one; a pitch apart, they fill its columns one
  // after the other below a first line across them) and the overlay's frames over the chart (drawn
  // when it is shown). The screen draws its overlay itself.
  static constexpr int32_t kTitleLinePitch = 350;
  void setTitleLines(const std::vector<std::string>* lines, int columns = 1) {
    titleLines_ = lines;
    titleColumns_ = std::max(columns, 1);
  }
  void setFovOverlay(const FovOverlay* overlay) { fovOverlay_ = overlay; }
  void setPageMarks(const PageMarks* marks) { marks_ = marks; }

  // Draws every layer; the output must have been begun.
  void drawChart(const PassFlags& flags);
  // Writes the title lines alone, from the top of the area down, in its
  // columns: a page of text such as an atlas's index.
  void textPage();

  // The layers, each drawn with the styles the pass has selected.
  void equatorialGrid();
  // Pen flags 0 move, others draw; segments only between visible points.
  void polylineLayer(const SkyPolylines& line, bool close);
  // Points projected at once: pixels and depths.
  struct ProjectedLine {
    explicit ProjectedLine(size_t n) : x(n), y(n), depth(n) {}
    std::vector<int32_t> x, y;
    std::vector<double> depth;
  };
  void vectorLine(const std::vector<double>& ux, const std::vector<double>& uy, const std::vector<double>& uz);
  void traceLine(const ProjectedLine& line, const uint8_t* pens, bool close);
  void constellationNames();
  void legend();
  void titleStrip();

  // Label texts of the grid: declinations in arcminutes, right ascensions
  // in arcminutes of time-angle (900 per hour).
  static std::string declinationLabel(int arcmin);
  static std::string hourLabel(int arcmin);

 private:
  bool visible(double raRad, double decRad, int32_t& x, int32_t& y) const;
  void drawLayers(const PassFlags& flags);
  void starField(const PassFlags& flags);
  void route();
  void fovFrames();
  void pageMarks();
  void boxedText(int32_t x, int32_t y, const std::string& text);
  // The title lines from `top` down, in columns across the area's width.
  void titleText(int32_t top);
  void orientationFigure(int32_t x0, int32_t y0, int32_t height);
  struct Direction {
    double x, y;
  };
  void chartDirection(double ra1, double dec1, double ra2, double dec2, int sign, Direction& out);
  int32_t scaleBar(int32_t x0, int32_t y0);
  void magnitudeScale(int32_t x, int32_t y);

  SkyCatalogs* catalogs_;
  RenderingOutput* output_;
  iTransformer* transformer_;
  const OutputArea* area_;
  const ChartSettings* settings_;
  const RenderOptions* options_;
  const SkyPolylines* ecliptic_ = nullptr;
  const SkyPolylines* horizon_ = nullptr;
  const SkyPolylines* route_ = nullptr;
  const std::vector<std::string>* titleLines_ = nullptr;
  int titleColumns_ = 1;
  const FovOverlay* fovOverlay_ = nullptr;
  const PageMarks* marks_ = nullptr;
  double visibilityLimit_ = 0;
  int language_ = 2;
};

}  // namespace celvaro

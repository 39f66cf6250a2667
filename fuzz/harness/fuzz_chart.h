// A small screen chart for the fuzz targets whose readers are exercised by
// drawing: an orthographic projection of a chosen field drawn through the
// screen output onto a canvas that keeps nothing, with a hit list.
#pragma once

#include "model/chart_settings.h"
#include "output/canvas.h"
#include "output/color_table.h"
#include "output/hit_list.h"
#include "output/output_area.h"
#include "output/render_options.h"
#include "output/rendering_output_display.h"
#include "projection/transformer_orthographic.h"

namespace celvaro::fuzz {

class NullCanvas final : public Canvas {
 public:
  void setPen(Rgb, bool) override {}
  void setBrush(const Rgb*) override {}
  void fillRect(int32_t, int32_t, int32_t, int32_t, Rgb) override {}
  void line(int32_t, int32_t, int32_t, int32_t) override {}
  void polyline(const DevicePoint*, int) override {}
  void fillArea(const DevicePoint*, const uint32_t*, int, Rgb) override {}
  void ellipse(int32_t, int32_t, int32_t, int32_t) override {}
  void text(int32_t, int32_t, std::u16string_view, Rgb) override {}
};

class FuzzChart {
 public:
  static constexpr int32_t kPixels = 600;

  FuzzChart(double raDeg, double decDeg, int32_t fieldArcmin);

  OutputArea area;
  ChartSettings settings;
  RenderOptions options;
  TransformerOrthographic transformer;
  RenderingOutputDisplay output{colors_};

 private:
  ColorTable colors_;
  NullCanvas canvas_;
  HitList hits_;
};

}  // namespace celvaro::fuzz

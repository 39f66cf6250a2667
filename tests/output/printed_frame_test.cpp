// Nothing of a printed map crosses its frame: the chart program prints the
// map as a user would, Ghostscript and librsvg rasterise it, and no pixel
// outside the frame rectangle, the title strip over it and the legend strip
// under it is inked. The rectangles come from the page layout a user asks
// for (A4, 10 mm margins, a 12 mm title strip over the chart and a 10 mm
// legend strip under it), not from the outputs. The maps
// are skipped where the catalog data have not been built. After the cut
// the legend strip is drawn again, in the pens selected anew.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <string>
#include <vector>

#include "output/document_checks.h"
#include "output/file_output_pass.h"
#include "output/rendering_output_eps.h"
#include "output/rendering_output_pdf.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::runCommand;

constexpr double kDotsPerInch = 100;
constexpr double kMmPerDot = 25.4 / kDotsPerInch;
// The page and where the frame and the two strips lie on it, in
// millimetres from the page's top left corner.
constexpr double kPageHeight = 297;
struct MmBox { double left, top, right, bottom; };
constexpr MmBox kTitle{10, 10, 200, 22};
constexpr MmBox kFrame{10, 22, 200, 277};
constexpr MmBox kLegend{10, 277, 200, 287};
// Half the frame line (0.2 mm) and two dots of smoothing and rounding.
constexpr double kSlack = 0.1 + 2 * kMmPerDot;

struct Picture { int width = 0, height = 0; std::vector<unsigned char> rgb; };

bool within(const MmBox& box, double x, double y) {
  return x >= box.left - kSlack && x <= box.right + kSlack && y >= box.top - kSlack && y <= box.bottom + kSlack;
}

// The inked dots (darker than light grey) outside the frame and the
// strips, and the first of them in millimetres for the message.
struct Spill { int dots = 0; double x = 0, y = 0; };

// Rows are placed from the page's bottom edge, where the rasterisers put
// the page's origin; a picture a dot taller than the page is cut at its top.
Spill spillOf(const Picture& picture) {
  Spill spill;
  for (int row = 0; row < picture.height; ++row) {
    const double y = kPageHeight - (picture.height - row - 0.5) * kMmPerDot;
    for (int column = 0; column < picture.width; ++column) {
      const unsigned char* p = &picture.rgb[(size_t{3} * row * picture.width) + 3 * column];
      if (std::min({p[0], p[1], p[2]}) >= 160) continue;
      const double x = (column + 0.5) * kMmPerDot;
      if (within(kFrame, x, y) || within(kTitle, x, y) || within(kLegend, x, y)) continue;
      if (spill.dots++ == 0) spill.x = x, spill.y = y;
    }
  }
  return spill;
}

// The map rasterised at 100 dots per inch into `png` by Poppler (PDF),
// Ghostscript (EPS) or librsvg (SVG), after qpdf's and xmllint's checks.
Picture rasterised(const std::string& format, const std::string& map, const std::string& png) {
  if (format == "pdf") testing::expectSoundPdf(map, png);
  if (format == "eps") testing::expectRenderedEps(map, png);
  if (format == "svg") {
    testing::expectWellFormedSvg(map);
    testing::expectQuiet(runCommand("rsvg-convert -d 100 -p 100 -o '" + png + "' '" + map + "'"));
  }
  Picture picture;
  int channels = 0;
  unsigned char* rgb = stbi_load(png.c_str(), &picture.width, &picture.height, &channels, 3);
  EXPECT_NE(rgb, nullptr) << format;
  if (rgb) picture.rgb.assign(rgb, rgb + size_t{3} * picture.width * picture.height);
  stbi_image_free(rgb);
  return picture;
}

class PrintedFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT("gs");
    CELVARO_SKIP_WITHOUT("rsvg-convert");
    CELVARO_SKIP_WITHOUT("qpdf");
    CELVARO_SKIP_WITHOUT("pdftoppm");
  }

  // Prints the map with the options in each format and expects no dot
  // outside the frame and the strips.
  void expectNoSpill(const std::string& options) {
    for (const std::string format : {"pdf", "eps", "svg"}) {
      const std::string map = dir.file("map." + format);
      const testing::CommandResult print =
          runCommand(std::string(CELVARO_RUN_DIR) + "/celvaro-chart --program-dir '" CELVARO_RUN_DIR "' --format " +
                     format + " --out '" + map + "' --lat 52.52 --lon 13.40 " + options);
      ASSERT_EQ(print.status, 0) << print.output;
      const Spill spill = spillOf(rasterised(format, map, dir.file("map.png")));
      EXPECT_EQ(spill.dots, 0) << format << ": the first at " << spill.x << " mm, " << spill.y
                               << " mm from the top left";
    }
  }

  testing::ScratchDir dir;
};

TEST_F(PrintedFrame, TheOrionMapKeepsItsSymbolsAndLabelsInside) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  expectNoSpill("--utc 2024-01-15T21:00 --object Orion --field 1800");
}

// The Orion Nebula's square, two degrees across on a two-degree chart,
// centred under the top edge: half of it lies above the frame.
TEST_F(PrintedFrame, ANebulaOnTheTopEdgeIsCutAtTheFrame) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  expectNoSpill("--utc 2024-01-15T21:00 --ra 5.588 --dec -6.5 --field 120");
}

// The darkest grey level within four dots of the point, in millimetres from
// the page's top left corner, along its column.
int darkestNear(const Picture& picture, double x, double y) {
  const int column = static_cast<int>(x / kMmPerDot);
  const int row = picture.height - static_cast<int>((kPageHeight - y) / kMmPerDot);
  int darkest = 255;
  for (int r = std::max(row - 4, 0); r <= std::min(row + 4, picture.height - 1); ++r) {
    const unsigned char* p = &picture.rgb[(size_t{3} * r * picture.width) + 3 * column];
    darkest = std::min<int>(darkest, std::min({p[0], p[1], p[2]}));
  }
  return darkest;
}

// A grey line across the chart inside the cut and one across the legend
// strip after it, the grey pen selected again: the page's state that ends
// the cut held the black frame pen, and the second line must be neither
// cut away nor black. The chart is 190 by 267 mm, 10 mm from the page's
// left edge and 20 mm above its bottom.
template <typename Output>
void expectThePenSelectedAfterTheCut(const std::string& format) {
  testing::FilePass<Output> pass("cut." + format, testing::kA4, testing::printedArea());
  RenderingOutput& out = pass.output;
  out.selectPen(1);
  out.clipToChart();
  out.selectPen(2);
  out.line(-9000, 0, 9000, 0);  // 153.5 mm above the page's bottom
  out.endChartClip();
  out.selectPen(2);
  out.line(-9000, -13850, 9000, -13850);  // 15 mm above it
  pass.finish();
  const Picture picture = rasterised(format, pass.path(), pass.file("cut.png"));
  for (const double fromTop : {kPageHeight - 153.5, kPageHeight - 15}) {
    const int grey = darkestNear(picture, 105, fromTop);
    EXPECT_GT(grey, 100) << format << " at " << fromTop << " mm";
    EXPECT_LT(grey, 160) << format << " at " << fromTop << " mm";
  }
}

TEST_F(PrintedFrame, AfterTheCutTheLegendStripIsDrawnInThePenSelectedAgain) {
  expectThePenSelectedAfterTheCut<RenderingOutputPdf>("pdf");
  expectThePenSelectedAfterTheCut<RenderingOutputEps>("eps");
}

}  // namespace
}  // namespace celvaro

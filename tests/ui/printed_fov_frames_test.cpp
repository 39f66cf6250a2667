// A printed map shows the field-of-view frames of the scheme file
// celvaro-chart is given, measured in the SVG against sizes worked out by
// hand from the sensor and the focal length, and none without one.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_files.h"
#include "ui/chart_program.h"

namespace celvaro {
namespace {

using testing::ScratchDir;

// A scheme file's frames at 1 arcminute of the chart per 190/F mm: an
// equidistant chart F arcminutes across a 190 mm wide A4 page with 10 mm
// margins. A side s of the sensor spans 2 atan(s / 2f) at focal length f,
// the total field's radius r spans atan(r / f).
struct FrameCase {
  const char* name;
  const char* scheme;
  const char* fieldArcmin;
  double widthMm, heightMm;  // the camera frame
  double radiusMm;           // the total field's circle, 0 for none
};

// 22 x 16 mm at 1200 mm: 63.024' x 45.836' on 5 degrees (38 mm per degree):
// 39.91 x 29.03 mm; the 25 mm radius 71.612', 45.35 mm.
// 36 x 24 mm at 500 mm: 247.411' x 164.980' on 10 degrees: 78.35 x 52.24 mm.
const FrameCase kFrames[] = {
    {"Camera22x16AndTotalField", "flags=3\r\nccdxs=2200\r\nccdys=1600\r\ntotalfovradius=2500\r\nfocallength=1200\r\n",
     "300", 39.91, 29.03, 45.35},
    {"FullFrameAt500", "flags=2\r\nccdxs=3600\r\nccdys=2400\r\nfocallength=500\r\n", "600", 78.35, 52.24, 0},
};

constexpr double kToleranceMm = 0.1;

// The group's text, empty when the SVG has none of that id.
std::string groupOf(const std::string& svg, const std::string& id) {
  const size_t start = svg.find("<g id=\"" + id + "\">");
  if (start == std::string::npos) return "";
  return svg.substr(start, svg.find("</g>", start) - start);
}

std::string printedSvg(const ScratchDir& dir, const std::string& field, const std::vector<std::string>& more) {
  std::vector<std::string> args = {"--utc", "2024-01-15T20:00", "--ra", "5.6", "--dec", "3", "--projection", "2",
                                   "--field", field, "--format", "svg", "--out", dir.file("map.svg")};
  args.insert(args.end(), more.begin(), more.end());
  const testing::ChartRun run = testing::runChartProgram(args);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return testing::readBytes(dir.file("map.svg"));
}

TEST(PrintedFovFrames, EachSchemesFramesHaveTheSizeOfItsSensorAtItsFocalLength) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  for (const FrameCase& c : kFrames) {
    ScratchDir dir;
    testing::writeBytes(dir.file("scheme.dat"), c.scheme);
    const std::string group = groupOf(printedSvg(dir, c.fieldArcmin, {"--fov-scheme", dir.file("scheme.dat")}),
                                      "fovoverlay");
    ASSERT_FALSE(group.empty()) << c.name;
    // The camera frame: from its lower left corner up, across and down.
    int x1, y1, x2, y2, x3, y3, x4, y4;
    const size_t path = group.find("d=\"M");
    ASSERT_NE(path, std::string::npos) << c.name;
    ASSERT_EQ(std::sscanf(group.c_str() + path, "d=\"M%d %d L%d %d L%d %d L%d %d", &x1, &y1, &x2, &y2, &x3, &y3, &x4,
                          &y4),
              8)
        << c.name;
    EXPECT_NEAR((x3 - x1) / 100.0, c.widthMm, kToleranceMm) << c.name;
    EXPECT_NEAR((y1 - y2) / 100.0, c.heightMm, kToleranceMm) << c.name;
    const size_t circle = group.find(" r=\"");
    EXPECT_EQ(circle != std::string::npos, c.radiusMm > 0) << c.name;
    if (circle != std::string::npos) {
      EXPECT_NEAR(std::stoi(group.substr(circle + 4)) / 100.0, c.radiusMm, kToleranceMm) << c.name;
    }
  }
}

TEST(PrintedFovFrames, AMapWithoutASchemeHasNone) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  ScratchDir dir;
  const std::string svg = printedSvg(dir, "300", {});
  EXPECT_NE(svg.find("<g id=\"titleblock\">"), std::string::npos);
  EXPECT_EQ(svg.find("fovoverlay"), std::string::npos);
}

TEST(PrintedFovFrames, ASchemeFileThatCannotBeReadIsRefused) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  ScratchDir dir;
  const testing::ChartRun run =
      testing::runChartProgram({"--fov-scheme", dir.file("missing.dat"), "--format", "svg", "--out", dir.file("m.svg")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("cannot read the field-of-view scheme"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("m.svg")));
}

}  // namespace
}  // namespace celvaro

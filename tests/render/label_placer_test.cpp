// Labels on the screen through the label placer: the canvas puts a text's
// top-left corner at (cx + x + dx, cy - y + dy) of a chart point (x, y).
#include "render/label_placer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "output/recorded_screen.h"
#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

class LabelPlacerTest : public testing::RecordedScreen {
 protected:
  // The canvas's text calls that write `text`, without their colour.
  std::vector<std::string> written(const std::string& text) const {
    std::vector<std::string> found;
    for (const std::string& call : canvas.calls) {
      if (call.starts_with("text ") && call.find(" " + text + " ") != std::string::npos) found.push_back(call.substr(0, call.rfind(' ')));
    }
    return found;
  }

  RenderOptions options;
};

TEST_F(LabelPlacerTest, TheBrighterStarKeepsItsPlaceAndTheFainterStillPicks) {
  LabelPlacer placer(output, area, options);
  placer.drawStar(0, 0, 9, 4);
  placer.drawStar(6, 2, 3, 1);
  placer.drawStarLabel(2, 6, 2, 1 + 5, -8, {.name = "Faint"});  // offered first, placed second
  placer.drawStarLabel(1, 0, 0, 4 + 5, -8, {.name = "Bright"});
  placer.finish();
  EXPECT_EQ(written("Bright"), std::vector<std::string>{"text 409 292 Bright"});
  // Its described place (412, 290) runs over "Bright".
  const std::vector<std::string> faint = written("Faint");
  EXPECT_TRUE(std::none_of(faint.begin(), faint.end(), [](const std::string& c) { return c.starts_with("text 412 290"); }));
  int near = 2;
  EXPECT_EQ(hits.queryNamedStar(406, 298, near), 2);
  near = 2;
  EXPECT_EQ(hits.queryNamedStar(400, 300, near), 1);
}

TEST_F(LabelPlacerTest, ALabelRunningOffTheWindowTakesTheOtherSide) {
  LabelPlacer placer(output, area, options);
  placer.drawStarLabel(1, 390, 0, 9, -8, {.name = "Betelgeuse"});
  placer.finish();
  const std::vector<std::string> calls = written("Betelgeuse");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_LT(std::stoi(calls[0].substr(5)), 790);  // its left edge left of the star
}

TEST_F(LabelPlacerTest, AVariableStarLabelledByTheStarLayerIsNotLabelledAgain) {
  LabelPlacer placer(output, area, options);
  placer.drawStarLabel(1, -100, 50, 9, -8, {.name = "Betelgeuse"});
  placer.beginGroup("variables");
  placer.text(-101, 51, 9, -8, kStarSmallText, "alf Ori");
  placer.text(100, -50, 9, -8, kStarSmallText, "CK Ori");
  placer.endGroup();
  placer.finish();
  EXPECT_EQ(written("Betelgeuse").size(), 1u);
  EXPECT_TRUE(written("alf Ori").empty());
  EXPECT_EQ(written("CK Ori"), std::vector<std::string>{"text 509 342 CK Ori"});
}

// A grid number names no object: a disc near its anchor is not its own. The
// Moon's disc let "23:43" and "-4 45'" through when they stood within half
// its radius of its centre; a galaxy's ellipse let "47 15'" through.
TEST_F(LabelPlacerTest, GridNumbersKeepOffTheMoonAndTheDeepSkySymbols) {
  const struct {
    const char* name;
    int32_t x, y;  // the number's anchor
    bool written;
  } kCases[] = {{"beside the Moon's centre", 30, -20, false},
                {"on the galaxy", 205, 105, false},
                {"clear of both", -300, 200, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    canvas.calls.clear();
    LabelPlacer placer(output, area, options);
    placer.moonDisc(kMoon, 0, 0, 200, 100, MoonPhase{});
    placer.galaxyEllipse(7, 200, 100, 840, 60, 30);
    placer.text(c.x, c.y, 0, 0, kGridText, "47 15'");
    placer.finish();
    EXPECT_EQ(written("47 15'").size(), c.written ? 1u : 0u);
  }
}

}  // namespace
}  // namespace celvaro

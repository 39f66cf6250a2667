// The labels of printable maps measured in the SVG file celvaro-chart
// writes: each text's box from its font size in the file's style sheet and
// the advance widths Adobe publishes for Helvetica (which Arial shares),
// from the descender (-207) to the ascender (718) of the face.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "test_files.h"
#include "ui/chart_program.h"

namespace celvaro {
namespace {

// Helvetica advances of the characters 32 to 126, thousandths of the size.
constexpr int kHelvetica[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr int kOtherLetter = 600;  // Greek and accented letters of the sans faces

struct Box {
  std::string text;
  double left, top, right, bottom;  // the page's units, y downward
};

struct Map {
  std::string svg;
  std::vector<Box> labels;  // the chart's, without the legend's
  Box frame;
};

std::string unescaped(std::string text) {
  static const std::pair<const char*, const char*> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, letter] : kEntities) {
    for (size_t at; (at = text.find(entity)) != std::string::npos;) text.replace(at, std::string(entity).size(), letter);
  }
  return text;
}

double advance(const std::string& utf8, double size) {
  double width = 0;
  for (unsigned char c : utf8) {
    if (c >= 32 && c < 127) width += kHelvetica[c - 32];
    else if (c >= 0xC0) width += kOtherLetter;  // the first byte of a letter beyond ASCII
  }
  return width * size / 1000;
}

// The text elements with their boxes; a tspan takes its own class's size.
Map parse(const std::string& svg) {
  Map map{svg, {}, {}};
  std::map<std::string, double> sizes;
  const std::regex sizeRule(R"(\.(\w+)\{font-size:(\d+)px\})");
  for (std::sregex_iterator m(svg.begin(), svg.end(), sizeRule), end; m != end; ++m) sizes[(*m)[1]] = std::stod((*m)[2]);
  const std::regex textElement(R"lbl(<text class="(\w+)" x="(-?\d+)" y="(-?\d+)">(.*?)</text>)lbl");
  const std::regex span(R"lbl(<tspan class="(\w+)">(.*?)</tspan>)lbl");
  for (std::sregex_iterator m(svg.begin(), svg.end(), textElement), end; m != end; ++m) {
    if ((*m)[1] == "titlebartext") continue;
    const double size = sizes[(*m)[1]], x = std::stod((*m)[2]), y = std::stod((*m)[3]);
    const std::string body = (*m)[4];
    double width = 0, ascent = 0.718 * size;
    std::string text;
    for (std::sregex_iterator s(body.begin(), body.end(), span); s != end; ++s) {
      width += advance(unescaped((*s)[2]), sizes[(*s)[1]]);
      ascent = std::max(ascent, 0.718 * sizes[(*s)[1]]);
      text += unescaped((*s)[2]);
    }
    const std::string plain = unescaped(std::regex_replace(body, span, ""));
    width += advance(plain, size);
    map.labels.push_back({text + plain, x, y - ascent, x + width, y + 0.207 * size});
  }
  std::smatch frame;
  const std::regex frameRule(R"(<g id="frame">\s*<polygon class="framelines" points="(\d+),(\d+) (\d+),(\d+) (\d+),(\d+))");
  if (std::regex_search(svg, frame, frameRule)) {
    map.frame = {"", std::stod(frame[1]), std::stod(frame[6]), std::stod(frame[3]), std::stod(frame[2])};
  }
  return map;
}

// An A4 map for an observer at Berlin on 2024-01-15 at 21:00 UT.
Map printedMap(const std::vector<std::string>& args) {
  const testing::ScratchDir dir;
  std::vector<std::string> all = {"--utc", "2024-01-15T21:00", "--lat", "52.52", "--lon", "13.40", "--tz", "1", "--dst", "0",
                                   "--language", "en", "--format", "svg", "--out", dir.file("map.svg")};
  all.insert(all.end(), args.begin(), args.end());
  const testing::ChartRun run = testing::runChartProgram(all);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return parse(testing::readBytes(dir.file("map.svg")));
}

std::vector<std::string> overlapping(const Map& map) {
  std::vector<std::string> pairs;
  const auto& l = map.labels;
  for (size_t i = 0; i < l.size(); ++i) {
    for (size_t j = i + 1; j < l.size(); ++j) {
      if (l[i].left < l[j].right && l[j].left < l[i].right && l[i].top < l[j].bottom && l[j].top < l[i].bottom) {
        pairs.push_back(l[i].text + " | " + l[j].text);
      }
    }
  }
  return pairs;
}

std::vector<std::string> outsideFrame(const Map& map) {
  std::vector<std::string> outside;
  for (const Box& b : map.labels) {
    if (b.left < map.frame.left || b.right > map.frame.right || b.top < map.frame.top || b.bottom > map.frame.bottom) {
      outside.push_back(b.text);
    }
  }
  return outside;
}

const Map& orion() {
  static const Map map = printedMap({"--object", "Orion", "--field", "1800"});
  return map;
}

class ChartLabels : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
  }
};

// Orion showed 41 overlapping pairs among 133 labels, the pole's hour
// numbers piled up, and a nebula's name ran past the frame.
TEST_F(ChartLabels, NoLabelCoversAnotherOrLeavesTheFrame) {
  const struct {
    std::vector<std::string> args;
    size_t atLeast;
  } kMaps[] = {{{"--object", "Ursa Major", "--field", "3600"}, 50},
               {{"--object", "Pleiades", "--field", "120"}, 20},
               {{"--ra", "0", "--dec", "88", "--field", "3600"}, 50}};
  EXPECT_GE(orion().labels.size(), 90u);
  EXPECT_EQ(overlapping(orion()).size(), 0u);
  EXPECT_EQ(outsideFrame(orion()).size(), 0u);
  for (const auto& chart : kMaps) {
    const Map map = printedMap(chart.args);
    SCOPED_TRACE(chart.args[1]);
    ASSERT_GT(map.frame.right, 0);
    EXPECT_GE(map.labels.size(), chart.atLeast);
    const std::vector<std::string> pairs = overlapping(map), outside = outsideFrame(map);
    EXPECT_EQ(pairs.size(), 0u) << (pairs.empty() ? "" : pairs.front());
    EXPECT_EQ(outside.size(), 0u) << (outside.empty() ? "" : outside.front());
  }
}

// Betelgeuse and Rigel were labelled by the star layer and again by the
// variable-star layer ("alf Ori", "bet Ori").
TEST_F(ChartLabels, AStarIsLabelledOnce) {
  const Map& map = orion();
  auto shown = [&](const std::string& text) {
    return std::any_of(map.labels.begin(), map.labels.end(), [&](const Box& b) { return b.text.find(text) != std::string::npos; });
  };
  EXPECT_TRUE(shown("Betelgeuse"));
  EXPECT_TRUE(shown("Rigel"));
  EXPECT_FALSE(shown("alf Ori"));
  EXPECT_FALSE(shown("bet Ori"));
}

// A boundary drawn through a grid number made "04:48" read "04:43".
TEST_F(ChartLabels, GridNumbersAreWrittenOverTheLines) {
  const Map& map = orion();
  const size_t firstNumber = map.svg.find("class=\"gridtext\"");
  ASSERT_NE(firstNumber, std::string::npos);
  EXPECT_GT(firstNumber, map.svg.find("<g id=\"constboundaries\""));
  EXPECT_GT(firstNumber, map.svg.find("<g id=\"constlines\""));
}

}  // namespace
}  // namespace celvaro

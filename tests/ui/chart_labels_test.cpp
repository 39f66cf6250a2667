// The labels of printable maps measured in the SVG file celvaro-chart
// writes: each text's box from its font size in the file's style sheet and
// the advance widths Adobe publishes for Helvetica (which Arial shares),
// from the descender (-207) to the ascender (718) of the face; the star
// and body discs from the file's circles, a star's magnitude from the
// legend's discs of magnitude 0, 1, 2, ..., and a deep-sky object's from
// what the program tells of it (--info).
#include "ui/ui_test_support.h"

namespace celvaro {
namespace {

using namespace testing;

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
  std::string group;                // the id of the group it is drawn in
  double size = 0;                  // of its font
};

struct Disc {
  double x, y, r;
  bool body;  // the Moon, a planet
};

struct Map {
  std::string svg;
  std::vector<Box> labels;  // the chart's, without the legend's
  Box frame;
  std::vector<Disc> discs;      // the chart's stars and bodies
  std::vector<double> legend;   // the radius of a star of magnitude 0, 1, 2, ...
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

// The id of the group an element at `at` is drawn in: the chart's groups
// hold no other, and the stars are drawn outside any.
std::string groupAt(const std::string& svg, size_t at) {
  const size_t opened = svg.rfind("<g id=\"", at), closed = svg.rfind("</g>", at);
  if (opened == std::string::npos || (closed != std::string::npos && closed > opened)) return "";
  return svg.substr(opened + 7, svg.find('"', opened + 7) - opened - 7);
}

// The legend's discs are each followed by their magnitude; the bodies'
// are all the circles of the solar-system group.
void readDiscs(Map& map) {
  const std::string& svg = map.svg;
  const std::regex circle(R"lbl(<circle class="(\w+)" cx="(-?\d+)" cy="(-?\d+)" r="(\d+)"/>)lbl");
  const std::regex legendMagnitude(R"lbl(^\s*<text class="titlebartext" x="-?\d+" y="-?\d+">(\d+)</text>)lbl");
  for (std::sregex_iterator m(svg.begin(), svg.end(), circle), end; m != end; ++m) {
    const std::string group = groupAt(svg, m->position()), kind = (*m)[1];
    const Disc disc{std::stod((*m)[2]), std::stod((*m)[3]), std::stod((*m)[4]), group == "solarsystem"};
    std::smatch magnitude;
    if (group == "frame") {
      const std::string after = svg.substr(m->position() + m->length(), 120);
      if (std::regex_search(after, magnitude, legendMagnitude) && std::stoul(magnitude[1]) == map.legend.size()) {
        map.legend.push_back(disc.r);
      }
    } else if (disc.body || kind == "star") {
      map.discs.push_back(disc);
    }
  }
}

// The text elements with their boxes; a tspan takes its own class's size.
Map parse(const std::string& svg) {
  Map map{svg, {}, {}, {}, {}};
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
    map.labels.push_back({text + plain, x, y - ascent, x + width, y + 0.207 * size, groupAt(svg, m->position()), size});
  }
  readDiscs(map);
  std::smatch frame;
  const std::regex frameRule(R"(<g id="frame">\s*<polygon class="framelines" points="(\d+),(\d+) (\d+),(\d+) (\d+),(\d+))");
  if (std::regex_search(svg, frame, frameRule)) {
    map.frame = {"", std::stod(frame[1]), std::stod(frame[6]), std::stod(frame[3]), std::stod(frame[2]), "frame"};
  }
  return map;
}

// An A4 map for an observer at Berlin on 2024-01-15 at 21:00 UT.
Map printedMap(const std::vector<std::string>& args) {
  const ScratchDir dir;
  std::vector<std::string> all = {"--utc", "2024-01-15T21:00", "--lat", "52.52", "--lon", "13.40", "--tz", "1", "--dst", "0",
                                   "--language", "en", "--format", "svg", "--out", dir.file("map.svg")};
  all.insert(all.end(), args.begin(), args.end());
  const ChartRun run = runChartProgram(all);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return parse(readBytes(dir.file("map.svg")));
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

bool inside(const Box& b, const Disc& d) { return d.x > b.left && d.x < b.right && d.y > b.top && d.y < b.bottom; }

double distance(const Box& b, const Disc& d) {
  const double dx = std::max({b.left - d.x, 0.0, d.x - b.right}), dy = std::max({b.top - d.y, 0.0, d.y - b.bottom});
  return std::hypot(dx, dy);
}

// The radius the legend gives a star of `magnitude`, between its discs.
double legendRadius(const Map& map, double magnitude) {
  const std::vector<double>& l = map.legend;
  if (magnitude <= 0) return l.front();
  if (magnitude >= static_cast<double>(l.size() - 1)) return l.back();
  const size_t i = static_cast<size_t>(magnitude);
  return l[i] + (l[i + 1] - l[i]) * (magnitude - static_cast<double>(i));
}

// A deep-sky label's object as the program finds it: the label's first
// designation ("2238" is NGC 2238, "M42", "IC434") or its name; its visual
// magnitude, else the one catalogue magnitude; none when unknown.
std::optional<double> deepskyMagnitude(const std::string& label) {
  static std::map<std::string, std::optional<double>> known;
  std::string query = label.substr(0, label.find(','));
  if (!query.empty() && std::all_of(query.begin(), query.end(), [](char c) { return c >= '0' && c <= '9'; })) query = "NGC " + query;
  if (const auto k = known.find(query); k != known.end()) return k->second;
  const ChartRun run = runChartProgram({"--utc", "2024-01-15T21:00", "--language", "en", "--object", query, "--info"});
  std::smatch m;
  std::optional<double> magnitude;
  if (run.out.find("Description:") != std::string::npos &&
      (std::regex_search(run.out, m, std::regex(R"(Visual magnitude \(V\): (-?[\d.]+))")) ||
       std::regex_search(run.out, m, std::regex(R"(\nMagnitude: (-?[\d.]+))")))) {
    magnitude = std::stod(m[1]);
  }
  return known[query] = magnitude;
}

// The star discs a label must not hold the centre of, by the radius above
// which a disc is too bright: a star's or body's label, those brighter than
// its own disc (the largest beside the box, within the label's font size);
// a deep-sky label, those brighter than its object (all when its magnitude
// is unknown); grid numbers and constellation names, those brighter than
// the fourth magnitude. 2 units spare the rounding of the discs.
double brightestAllowed(const Map& map, const Box& label) {
  if (label.group == "deepskylabels") {
    const std::optional<double> magnitude = deepskyMagnitude(label.text);
    return magnitude ? legendRadius(map, *magnitude) + 2 : 0;
  }
  if (label.group == "gridlabels" || label.group == "constnames") return legendRadius(map, 4) + 2;
  double own = 0;
  for (const Disc& d : map.discs) {
    if (!inside(label, d) && distance(label, d) <= d.r + label.size) own = std::max(own, d.r);
  }
  return own;
}

// The labels holding the centre of a body's disc or of a star's too bright
// for them, with the radii of those discs.
std::vector<std::string> labelsOverBrighterDiscs(const Map& map) {
  std::vector<std::string> found;
  for (const Box& label : map.labels) {
    const double allowed = brightestAllowed(map, label);
    std::string radii;
    for (const Disc& d : map.discs) {
      if (inside(label, d) && (d.body || d.r > allowed)) radii += " " + std::to_string(static_cast<int>(d.r));
    }
    if (!radii.empty()) found.push_back(label.group + " \"" + label.text + "\" over" + radii);
  }
  return found;
}

const Map& orion() {
  static const Map map = printedMap({"--object", "Orion", "--field", "1800"});
  return map;
}

using ChartLabels = BuiltData;

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
  EXPECT_EQ((std::tuple{overlapping(orion()).size(), outsideFrame(orion()).size()}), (std::tuple{0u, 0u}));
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

// Labels ran through star discs: on the Orion map a disc's centre lay in 39
// of 111 label boxes, a deep-sky label kept off the stars of the fourth
// magnitude and brighter only ("2238, Rosette Nebula" was struck through;
// the Veil Nebula's, of the 7th magnitude, ran over stars of the 5th).
TEST_F(ChartLabels, NoLabelHoldsTheCentreOfAStarBrighterThanItsObjectOrOfABody) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    size_t atLeast;
  } kMaps[] = {{"Orion", {"--ra", "5.6", "--dec", "3", "--field", "3600"}, 90},
               {"half the sky", {"--ra", "5.6", "--dec", "3", "--field", "10800"}, 90},
               {"Sagittarius", {"--ra", "18.2", "--dec", "-25", "--field", "3600"}, 60},
               {"Cygnus in Hungarian", {"--ra", "20.6", "--dec", "42", "--field", "3600", "--language", "hu"}, 60}};
  for (const auto& chart : kMaps) {
    SCOPED_TRACE(chart.name);
    const Map map = printedMap(chart.args);
    ASSERT_GE(map.legend.size(), 6u);
    ASSERT_GT(map.discs.size(), 1000u);
    EXPECT_GE(map.labels.size(), chart.atLeast);
    const std::vector<std::string> over = labelsOverBrighterDiscs(map), pairs = overlapping(map);
    EXPECT_EQ(over.size(), 0u) << (over.empty() ? "" : over.front());
    EXPECT_LE(pairs.size(), 2u) << (pairs.empty() ? "" : pairs.front());
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

// The Orion Nebula, drawn as the outline of its 85' x 60' once it spans
// more than a few symbols, lost its label on every map from 2 to 30 degrees:
// the placer took it for an object of unknown magnitude. On the 60-degree
// map it lost it to the small bright cluster NGC 1980 beside it.
TEST_F(ChartLabels, ALargeNebulaKeepsItsLabel) {
  for (const char* field : {"120", "600", "1800", "3600"}) {
    SCOPED_TRACE(field);
    const Map map = printedMap({"--ra", "5.59", "--dec", "-5.4", "--field", field});
    EXPECT_TRUE(std::any_of(map.labels.begin(), map.labels.end(),
                            [](const Box& b) { return b.text.find("Orion Nebula") != std::string::npos; }));
  }
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

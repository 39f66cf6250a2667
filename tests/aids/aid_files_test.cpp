// The observing aids' data files: the shared header checks, the city list
// and the star-hop routes and sky guide read back, and damaged files; the
// observing suggestions chosen from the sky guide around the zenith of an
// instant and a place, by difficulty, in the guide's order; and star-hop
// routes in words, and the routes celvaro-catalogs built: how long they are
// against the way straight to their objects, and where the routes to M 8 and
// M 15 start, against published places and magnitudes.
#include <gtest/gtest.h>

#include <map>
#include <numbers>
#include <tuple>

#include "aid_writers.h"
#include "aids/city_list.h"
#include "aids/observing_suggestions.h"
#include "aids/route_text.h"
#include "aids/star_hop_guides.h"
#include "astro/constellation_list.h"
#include "astro/coordinates.h"
#include "catalog/sky_polylines.h"
#include "catalog/star_labels.h"
#include "catalog/test_charts.h"
#include "catalog_writers.h"
#include "platform/binary_file.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace celvaro::testing;

const std::vector<CityRecord> kCities = {{"Budapest", 4750, 1904, 60, "Europe/Budapest"},
                                         {"Lima", -1205, -7704, -300, ""},
                                         {"Győr", 4768, 1763, 60, "Europe/Budapest"}};

// A copy of a file's bytes with a 32-bit word replaced.
std::string withWord(std::string bytes, size_t offset, uint32_t value) {
  std::string word;
  appendU32(word, value);
  return bytes.replace(offset, 4, word);
}

class AidFiles : public ::testing::Test {
 protected:
  std::string write(const std::string& bytes) {
    writeBytes(dir.file("aid.dat"), bytes);
    return dir.file("aid.dat");
  }
  ScratchDir dir;
};

// Each zone's name is stored once after the cities' names; a city without one, as in lists written before zones
// were kept, has none.
TEST_F(AidFiles, CitiesReadBackWithSignedValuesNamesAndZones) {
  const std::string bytes = cityListBytes(kCities);
  EXPECT_EQ(bytes.substr(kAidHeaderBytes + 3 * 20), std::string("Budapest\0Lima\0Győr\0Europe/Budapest\0", 36));
  CityList cities;
  ASSERT_EQ(cities.load(write(bytes)), kAidLoaded);
  ASSERT_EQ(cities.count(), 3);
  EXPECT_EQ((std::tuple{cities.cityAt(1), cities.cityAt(3)}), (std::tuple{(City{-1205, -7704, -300}), std::nullopt}));
  EXPECT_EQ(cities.firstCity(), "Budapest");
  EXPECT_EQ(cities.nextCity(), "Lima");
  EXPECT_EQ(cities.nextCity(), "Győr");
  EXPECT_EQ(cities.nextCity(), std::nullopt);
  EXPECT_EQ(std::tuple(cities.zoneAt(0), cities.zoneAt(1), cities.zoneAt(3)), std::tuple("Europe/Budapest", "", ""));
  ASSERT_EQ(cities.load(write(withWord(bytes, kAidHeaderBytes + 16, 1000))), kAidLoaded);
  EXPECT_EQ(cities.zoneAt(0), "");  // beyond the name block
}

// Counts out of range or beyond the file answer 3, another file's type or
// version 2, and each leaves the list empty.
TEST_F(AidFiles, RejectedFilesLeaveTheListsEmpty) {
  CityList cities;
  StarHopGuides guides;
  const std::string good = cityListBytes(kCities);
  const std::string tips = skyGuideBytes({{0, kSuggestDeepsky, "", 1, 13, u"M 13"}});
  const std::string routes = starHopBytes({{1 << 24 | 31, {{0.1, 0.2}, {0.3, 0.4}}}});
  for (const auto& [bytes, answer] :
       {std::pair{withWord(good, 12, 0), kAidCountOutOfRange}, {withWord(good, 12, 10001), kAidCountOutOfRange},
        {withWord(good, 16, 10001), kAidCountOutOfRange}, {withWord(good, 16, 0), kAidCountOutOfRange},
        {good.substr(0, good.size() - 1), kAidCountOutOfRange}, {tips, kAidWrongHeader},
        {withWord(good, 8, 2), kAidWrongHeader}, {std::string("CLV_CIT"), kAidWrongHeader}}) {
    ASSERT_EQ(cities.load(write(good)), kAidLoaded);
    EXPECT_EQ(cities.load(write(bytes)), answer);
    EXPECT_EQ((std::tuple{cities.count(), cities.firstCity()}), (std::tuple{0, std::nullopt}));
  }
  EXPECT_EQ(cities.load(dir.file("missing.dat")), kAidCannotOpen);
  EXPECT_EQ(guides.loadStarHops(write(tips)), kAidWrongHeader);
  EXPECT_EQ(guides.loadSkyGuide(write(good)), kAidWrongHeader);
  EXPECT_EQ(guides.loadStarHops(write(routes.substr(0, routes.size() - 8))), kAidCountOutOfRange);
  EXPECT_EQ(guides.routeCount(), 0);
}

// The name walk stops at the first name outside the name block or without
// its end inside it.
TEST_F(AidFiles, TheNameWalkStopsAtTheFirstNameOutsideTheNameBlock) {
  // The second record's name offset points past the names; the third's
  // name would read, but the walk has stopped.
  const std::string bytes = withWord(cityListBytes(kCities), kAidHeaderBytes + 20 + 12, 1000);
  CityList cities;
  ASSERT_EQ(cities.load(write(bytes)), kAidLoaded);
  EXPECT_EQ(cities.firstCity(), "Budapest");
  EXPECT_EQ(cities.nextCity(), std::nullopt);
  EXPECT_EQ(cities.nextCity(), std::nullopt);
  EXPECT_TRUE(cities.cityAt(2).has_value());
  std::string unended = cityListBytes({{"Wien", 4821, 1637, 60, ""}});
  unended.back() = 'X';  // the name's terminating zero
  ASSERT_EQ(cities.load(write(unended)), kAidLoaded);
  EXPECT_EQ(cities.firstCity(), std::nullopt);
}

TEST_F(AidFiles, ARouteIsOnePolyline) {
  StarHopGuides guides;
  ASSERT_EQ(guides.loadStarHops(write(starHopBytes({{1 << 24 | 13, {{1, 2}, {3, 4}, {5, 6}}}}))), kAidLoaded);
  SkyPolylines line;
  guides.routeLine(0, line);
  ASSERT_EQ(line.count(), 3);
  EXPECT_EQ(std::tuple(line.pen()[0], line.pen()[2], line.dec()[2]), std::tuple(0, 1, 6.0));
  guides.routeLine(5, line);
  EXPECT_EQ(line.count(), 0);
}

TEST_F(AidFiles, ARouteWhosePointsLieOutsideTheFileHasNone) {
  const std::string good = starHopBytes({{1 << 24 | 1, {{1, 2}, {3, 4}}}});
  StarHopGuides guides;
  ASSERT_EQ(guides.loadStarHops(write(withWord(good, kAidHeaderBytes, 1))), kAidLoaded);  // first point 1 of 2
  EXPECT_TRUE(guides.routePoints(0).empty());
  ASSERT_EQ(guides.loadStarHops(write(withWord(good, kAidHeaderBytes + 4, 0xFFFFFFFF))), kAidLoaded);
  EXPECT_TRUE(guides.routePoints(0).empty());
  ASSERT_EQ(guides.loadStarHops(write(withWord(good, kAidHeaderBytes + 4, 1))), kAidLoaded);  // one point
  EXPECT_TRUE(guides.routePoints(0).empty());
}

TEST_F(AidFiles, ASkyGuideNameOutsideTheTextOrWithoutItsEndIsEmpty) {
  const std::string good = skyGuideBytes({{0, kSuggestDeepsky, "", 1, 42, u"M 42"}});
  StarHopGuides guides;
  ASSERT_EQ(guides.loadSkyGuide(write(withWord(good, kAidHeaderBytes + 12, 5))), kAidLoaded);
  EXPECT_TRUE(guides.entry(0).name.empty());  // just past the text
  std::string unended = good;
  unended.replace(unended.size() - 2, 2, std::string("A\0", 2));
  ASSERT_EQ(guides.loadSkyGuide(write(unended)), kAidLoaded);
  EXPECT_TRUE(guides.entry(0).name.empty());
}

constexpr double kRadPerDeg = std::numbers::pi / 180;
const ObservingPlace kBudapest{0, 47.50, 19.04, 1.0, 1, ""};
const ChartDate kJuneEvening{2007, 6, 15, 20, 30, 0.0};  // 22:30 summer time

struct Sky { std::u16string name; double raDeg, decDeg; };
const std::map<int32_t, Sky> kObjects = {
    {13, {u"M 13", 250.42, 36.46}}, {42, {u"M 42", 83.82, -5.39}}, {57, {u"M 57", 283.40, 33.03}},
    {31, {u"M 31", 10.68, 41.27}}, {0, {u"Albireo", 292.68, 27.96}}};

class Suggestions : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(dir.file("tips.dat"),
               skyGuideBytes({{0, kSuggestDeepsky, "", 1, 42, u"M 42"}, {1, kSuggestDeepsky, "", 1, 13, u"M 13"},
                              {0, kSuggestDouble, "SFA  43", 0, 0, u"Albireo"}, {3, kSuggestDeepsky, "", 1, 57, u"M 57"},
                              {0, kSuggestDeepsky, "", 1, 31, u"M 31"}, {0, kSuggestDeepsky, "", 1, 999, u"lost"},
                              {0, kSuggestStar, "", 0, 0, u"a star"}}));
    ASSERT_EQ(guides.loadSkyGuide(dir.file("tips.dat")), kAidLoaded);
  }
  std::vector<std::u16string> chosen(int maxDifficulty, const ChartDate& when = kJuneEvening) {
    selectSuggestions(guides, locate, kBudapest, when, maxDifficulty);
    std::vector<std::u16string> names;
    for (int i : guides.selection()) names.push_back(guides.entry(i).name);
    return names;
  }

  // Deep-sky objects by Messier number, the one double star by its key.
  SuggestionLocator locate = [](const SkyGuideEntry& e) -> std::optional<StarPosition> {
    int32_t number = e.type == kSuggestDouble && e.doubleStarKey == "SFA  43" ? 0 : -1;
    if (e.type == kSuggestDeepsky && e.deepskyCode == 1) number = e.deepskyNumber;
    const auto found = kObjects.find(number);
    if (found == kObjects.end()) return std::nullopt;
    return StarPosition{0, found->second.raDeg * kRadPerDeg, found->second.decDeg * kRadPerDeg};
  };
  ScratchDir dir;
  StarHopGuides guides;
};

// A June evening in Budapest brings the summer objects, not Orion, as far
// as the difficulty allows; a December evening Orion and Andromeda.
TEST_F(Suggestions, TheSeasonAndTheDifficultyDecide) {
  EXPECT_EQ(chosen(3), (std::vector<std::u16string>{u"M 13", u"Albireo", u"M 57"}));
  EXPECT_EQ(chosen(0), (std::vector<std::u16string>{u"Albireo"}));
  EXPECT_EQ(chosen(1), (std::vector<std::u16string>{u"M 13", u"Albireo"}));
  EXPECT_EQ(chosen(3, ChartDate{2007, 12, 15, 21, 0, 0.0}), (std::vector<std::u16string>{u"M 42", u"M 31"}));
}

StarHopPoint at(double raDeg, double decDeg) { return {raDeg * kRadPerDeg, decDeg * kRadPerDeg}; }

double separationDeg(const StarHopPoint& a, const StarHopPoint& b) {
  return separationAndAngle(a.raRad, a.decRad, b.raRad, b.decRad, false).arcmin / 60;
}

const RouteWords kEnglishWords{{"N", "NE", "E", "SE", "S", "SW", "W", "NW"}, "star"};

// The start star is "α", any other star unnamed.
std::string oneStepText(const StarHopPoint& from, const StarHopPoint& to) {
  const RouteStarNamer alpha = [&from](const StarHopPoint& p) {
    return p.raRad == from.raRad && p.decRad == from.decRad ? "α" : "";
  };
  return routeText({from, to}, "M 1", alpha, kEnglishWords);
}

// Each step by hand: its length from cos d = sin δ1 sin δ2 + cos δ1 cos δ2
// cos Δα, its position angle from tan P = sin Δα / (cos δ1 tan δ2 - sin δ1
// cos Δα), the compass point the 45-degree sector P falls in.
TEST(RouteText, EachStepGivesItsLengthAndItsCompassPoint) {
  const struct { const char* name; StarHopPoint from, to; const char* text; } cases[] = {
      // Along an hour circle: 39.0 - 36.5 = 2.5 degrees, due south.
      {"south", at(250.4, 39.0), at(250.4, 36.5), "α → 2.5° S → M 1"},
      // On the equator, right ascension 10 -> 13: 3.0 degrees toward the east.
      {"east", at(10, 0), at(13, 0), "α → 3.0° E → M 1"},
      // Across right ascension 0, 1 -> 359: 2.0 degrees west.
      {"west over 0h", at(1, 0), at(359, 0), "α → 2.0° W → M 1"},
      // Over the pole, 88 -> 90 -> 88: 4.0 degrees, setting off north.
      {"over the pole", at(0, 88), at(180, 88), "α → 4.0° N → M 1"},
      // cos d = cos² 2° = 0.998782, d = 2.828°; tan P = sin 2° / tan 2°
      // = cos 2° = 0.99939, P = 44.98°: north-east.
      {"north-east", at(0, 0), at(2, 2), "α → 2.8° NE → M 1"},
      // The same turned half round: P = 224.98°, south-west.
      {"south-west", at(10, 0), at(8, -2), "α → 2.8° SW → M 1"},
      // cos d = cos 1° cos 1.732° = 0.999848 × 0.999543 = 0.999391, d =
      // 2.000°; tan P = sin 1° / tan 1.732° = 0.017452 / 0.030239 = 0.5772,
      // P = 30.0°: past 22.5°, north-east.
      {"north-east at 30 degrees", at(0, 0), at(1, 1.732), "α → 2.0° NE → M 1"},
      // Four degrees of right ascension at declination 60: sin(d/2) =
      // cos 60° sin 2° = 0.017450, d = 2.000°; tan P = sin 4° / (cos 60°
      // tan 60° - sin 60° cos 4°) = 0.069756 / 0.002110 = 33.06, P = 88.3°.
      {"east at declination 60", at(0, 60), at(4, 60), "α → 2.0° E → M 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(oneStepText(c.from, c.to), c.text) << c.name;
}

// Three steps: the middle star has no name and is called a star, in the
// language's words; east is toward increasing right ascension.
TEST(RouteText, StarsWithoutANameAreStarsInTheLanguagesWords) {
  const RouteWords hungarian{{"É", "ÉK", "K", "DK", "D", "DNy", "Ny", "ÉNy"}, "csillag"};
  const std::vector<StarHopPoint> route = {at(10, 0), at(13, 0), at(13, 2.5), at(12, 2.5)};
  const RouteStarNamer names = [&route](const StarHopPoint& p) {
    return p.raRad == route[0].raRad && p.decRad == route[0].decRad ? "Kaus Borealis" : "";
  };
  // The last step: cos d = sin² 2.5° + cos² 2.5° cos 1° = 0.999848, d =
  // 0.999°, heading west.
  EXPECT_EQ(routeText(route, "M 8", names, hungarian),
            "Kaus Borealis → 3.0° K → csillag → 2.5° É → csillag → 1.0° Ny → M 8");
  EXPECT_EQ(routeText({at(10, 0)}, "M 8", names, hungarian), "");
}

// The labels of a small sky; a place names the label within three
// arcminutes of it, the nearest where two are.
TEST(RouteText, StarsAreNamedAsTheirLabelsName) {
  auto label = [](double raDeg, double decDeg, int flamsteed, int greek, int superscript, const char* constellation) {
    StarLabelRecord r;
    r.raRad = raDeg * kRadPerDeg, r.decRad = decDeg * kRadPerDeg;
    r.flamsteed = static_cast<int16_t>(flamsteed);
    r.greekLetter = static_cast<int8_t>(greek);
    r.superscript = static_cast<int8_t>(superscript);
    r.constellation = static_cast<int8_t>(constellationNumber(constellation));
    return r;
  };
  ScratchDir dir;
  writeBytes(dir.file("labels.dat"), starLabelsBytes({{label(276.99, -25.42, 22, 10, 0, "Sgr"), "Kaus Borealis"},
                                                      {label(219.90, -60.83, -1, 0, 2, "Cen"), ""},
                                                      {label(316.73, 38.75, 61, -1, 0, "Cyg"), ""},
                                                      {label(3.31, 15.18, 88, 2, 0, "Peg"), ""},
                                                      {label(3.31, 15.21, 87, -1, 0, "Peg"), ""}}));
  StarLabels labels;
  ASSERT_EQ(labels.open(dir.file("labels.dat")), 0);
  const std::pair<StarHopPoint, const char*> cases[] = {
      {at(276.99, -25.44), "Kaus Borealis"},  // a name before a designation, 1.2' off
      {at(219.90, -60.83), "α2 Cen"},         // a Bayer letter with its superscript
      {at(316.73, 38.75), "61 Cyg"},          // a Flamsteed number alone
      {at(3.31, 15.185), "γ Peg"},            // the nearer of two, its letter before its number
      {at(316.73, 38.81), ""},                // 3.6' off: too far
  };
  for (const auto& [place, name] : cases) EXPECT_EQ(starLabelAt(labels, place.raRad, place.decRad), name) << name;
}

class BuiltRoutes : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    const std::string run = CELVARO_RUN_DIR;
    ASSERT_EQ(guides.loadStarHops(run + "/" + StarHopGuides::kRoutesPath), kAidLoaded);
    ASSERT_EQ(labels.open(run + "/data/star_labels.dat"), 0);
  }
  StarHopGuides guides;
  StarLabels labels;
};

TEST_F(BuiltRoutes, NoRouteIsLongerThanOneAndAHalfTimesTheWayStraightToItsObject) {
  ASSERT_EQ(guides.routeCount(), 110);
  for (int r = 0; r < guides.routeCount(); ++r) {
    const std::vector<StarHopPoint> points = guides.routePoints(r);
    ASSERT_GE(points.size(), 2u) << r;
    double length = 0;
    for (size_t i = 1; i < points.size(); ++i) length += separationDeg(points[i - 1], points[i]);
    EXPECT_LE(length, 1.5 * separationDeg(points.front(), points.back())) << "M " << (guides.routeObject(r) & 0xFFFFFF);
  }
}

// The objects' and the stars' places (J2000) and the stars' V magnitudes
// as SIMBAD gives them: M 8 (NGC 6523) 18h03m37s -24°23'12", Kaus Borealis
// (λ Sgr) 18h27m58.24s -25°25'18.1" V 2.81, 5.6° from M 8; M 15 (NGC 7078)
// 21h29m58.33s +12°10'01.2", Enif (ε Peg) 21h44m11.16s +09°52'30.0" V 2.39,
// 4.2° from M 15.
TEST_F(BuiltRoutes, RoutesStartAtTheBrightStarNearTheirObjects) {
  auto hms = [](double h, double m, double s) { return (h + m / 60 + s / 3600) * 15; };
  auto dms = [](double d, double m, double s) { return (d < 0 ? -1 : 1) * (std::abs(d) + m / 60 + s / 3600); };
  const struct {
    int messier;
    StarHopPoint object;
    double withinDeg;
    const char* star;
    StarHopPoint starAt;
    double magnitude;
  } cases[] = {
      {8, at(hms(18, 3, 37), dms(-24, 23, 12)), 8, "Kaus Borealis", at(hms(18, 27, 58.24), dms(-25, 25, 18.1)), 2.81},
      {15, at(hms(21, 29, 58.33), dms(12, 10, 1.2)), 5, "Enif", at(hms(21, 44, 11.16), dms(9, 52, 30.0)), 2.39},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("M " + std::to_string(c.messier));
    const std::vector<StarHopPoint> points = guides.routePoints(guides.routeTo(1 << 24 | c.messier));
    ASSERT_GE(points.size(), 2u);
    EXPECT_LT(separationDeg(points.front(), c.object), c.withinDeg);
    EXPECT_LT(separationDeg(points.front(), c.starAt) * 60, 1);
    EXPECT_EQ(starLabelAt(labels, points.front().raRad, points.front().decRad), c.star);
    size_t label = 0;
    auto starOff = [&](size_t i) { return separationDeg({labels.record(i).raRad, labels.record(i).decRad}, c.starAt); };
    while (label < labels.size() && starOff(label) * 60 > 1) ++label;
    ASSERT_LT(label, labels.size());
    EXPECT_NEAR(labels.record(label).magnitude / 100.0, c.magnitude, 0.05);
  }
}

}  // namespace
}  // namespace celvaro

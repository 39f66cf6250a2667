// The observing aids' data files: the shared header checks, the city list
// and the star-hop routes and sky guide read back, and damaged files; and the
// observing suggestions chosen from the sky guide around the zenith of an
// instant and a place, by difficulty, in the guide's order.
#include <gtest/gtest.h>

#include <map>
#include <numbers>
#include <tuple>

#include "aid_writers.h"
#include "aids/city_list.h"
#include "aids/observing_suggestions.h"
#include "aids/star_hop_guides.h"
#include "catalog/sky_polylines.h"
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

TEST_F(AidFiles, CitiesReadBackWithSignedValuesAndNamesInFileOrder) {
  CityList cities;
  ASSERT_EQ(cities.load(write(cityListBytes(kCities))), kAidLoaded);
  ASSERT_EQ(cities.count(), 3);
  EXPECT_EQ(cities.cityAt(1), (City{-1205, -7704, -300}));
  EXPECT_EQ(cities.firstCity(), "Budapest");
  EXPECT_EQ(cities.nextCity(), "Lima");
  EXPECT_EQ(cities.nextCity(), "Győr");
  EXPECT_EQ(cities.nextCity(), std::nullopt);
  EXPECT_EQ(cities.firstCity(), "Budapest");
  EXPECT_EQ(cities.cityAt(-1), std::nullopt);
  EXPECT_EQ(cities.cityAt(3), std::nullopt);
}

// Each zone's name is stored once after the cities' names; a city without
// one, as in lists written before zones were kept, has none.
TEST_F(AidFiles, CitiesGiveTheirZones) {
  const std::string bytes = cityListBytes(kCities);
  EXPECT_EQ(bytes.substr(kAidHeaderBytes + 3 * 20), std::string("Budapest\0Lima\0Győr\0Europe/Budapest\0", 36));
  CityList cities;
  ASSERT_EQ(cities.load(write(bytes)), kAidLoaded);
  EXPECT_EQ(cities.zoneAt(0), "Europe/Budapest");
  EXPECT_EQ(cities.zoneAt(1), "");
  EXPECT_EQ(cities.zoneAt(2), "Europe/Budapest");
  EXPECT_EQ(cities.zoneAt(3), "");
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
    EXPECT_EQ(cities.count(), 0);
    EXPECT_EQ(cities.firstCity(), std::nullopt);
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

TEST_F(AidFiles, RoutesGiveTheirStepsAndOnePolyline) {
  StarHopGuides guides;
  ASSERT_EQ(guides.loadStarHops(write(starHopBytes({{1 << 24 | 13, {{1, 2}, {3, 4}, {5, 6}}},
                                                    {2 << 24 | 7000, {{-1, -0.5}, {0.25, 0.5}}}}))),
            kAidLoaded);
  ASSERT_EQ(guides.routeCount(), 2);
  EXPECT_EQ(guides.routeObject(1), 2 << 24 | 7000);
  EXPECT_EQ(guides.routeObject(2), 0);
  const std::vector<StarHopPoint> steps = guides.routePoints(1);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_DOUBLE_EQ(steps[0].raRad, -1);
  EXPECT_DOUBLE_EQ(steps[1].decRad, 0.5);
  SkyPolylines line;
  guides.routeLine(0, line);
  ASSERT_EQ(line.count(), 3);
  EXPECT_EQ(line.pen()[0], 0);
  EXPECT_EQ(line.pen()[2], 1);
  EXPECT_DOUBLE_EQ(line.dec()[2], 6);
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

TEST(RouteView, CentresOnTheRouteInAFieldThatHoldsIt) {
  constexpr double kDeg = 0.017453292519943295;
  const RouteView view = routeView({{355 * kDeg, 10 * kDeg}, {1 * kDeg, 10 * kDeg}, {7 * kDeg, 10 * kDeg}});
  EXPECT_NEAR(view.raRad, 1 * kDeg, 1e-6);  // across the zero of right ascension
  EXPECT_NEAR(view.decRad, 10 * kDeg, 0.001);
  EXPECT_NEAR(view.fieldArcmin, 2.6 * 360 * 0.985, 6);  // 2.6 times the farthest step's distance
  EXPECT_EQ(routeView({{0, 0}, {1e-4, 0}}).fieldArcmin, 600);
  EXPECT_EQ(routeView({{0, 0}, {3, 0}}).fieldArcmin, 6000);
  EXPECT_EQ(routeView({}).fieldArcmin, 0);
}

TEST_F(AidFiles, SkyGuideEntriesGiveTheirObjectsAndNames) {
  std::string bytes = skyGuideBytes({{1, kSuggestDouble, "SFA  43", 0, 0, u"Albireo (β Cyg)"},
                                     {3, kSuggestDeepsky, "", 2, 7000, u"NGC 7000"}});
  bytes[kAidHeaderBytes + 11] = 'Z';  // byte 11 does not belong to the key
  StarHopGuides guides;
  ASSERT_EQ(guides.loadSkyGuide(write(bytes)), kAidLoaded);
  ASSERT_EQ(guides.entryCount(), 2);
  const SkyGuideEntry albireo = guides.entry(0), ngc = guides.entry(1);
  EXPECT_EQ(std::tuple(albireo.difficulty, albireo.type, albireo.doubleStarKey, albireo.name),
            std::tuple(1, kSuggestDouble, "SFA  43", u"Albireo (β Cyg)"));
  EXPECT_EQ(std::tuple(ngc.deepskyCode, ngc.deepskyNumber, ngc.name), std::tuple(2, 7000, u"NGC 7000"));
  EXPECT_TRUE(guides.entry(2).name.empty());
  EXPECT_TRUE(guides.selection().empty());
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

struct Sky {
  std::u16string name;
  double raDeg, decDeg;
};
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

}  // namespace
}  // namespace celvaro

// The deep star catalog celvaro-catalogs built, registered as at start-up,
// and the main catalog's zones.
// Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "catalog/large_star_catalogs.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_segmented.h"
#include "catalog/star_data_simple.h"
#include "large_star_files.h"
#include "render/magnitude_limits.h"
#include "source_files.h"
#include "test_files.h"

namespace celvaro {
namespace {

class BuiltLargeCatalogs : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    ASSERT_EQ(catalogs.registerStarCatalog(0, kIdentifierHipparcos, "data/stars_hip.dat", "Hipparcos", 0, 0), 0);
    ASSERT_GE(registerLargeStarCatalogs(catalogs), 1);
  }
  // Draws the catalog the chart chooses for this field, centred here.
  iStarData& drawAround(double raDeg, double decDeg, int fieldArcmin) {
    const int32_t limit = automaticStarLimit(fieldArcmin);
    catalogs.selectStarCatalog(limit, fieldArcmin);
    chart = std::make_unique<testing::TestChart>(raDeg, decDeg, fieldArcmin);
    chart->draw(*catalogs.currentStarCatalog(), limit);
    return *catalogs.currentStarCatalog();
  }
  // The magnitudes in the designations of the stars drawn, faintest first.
  std::vector<int> pleiadesMagnitudes(int fieldArcmin) {
    iStarData& stars = drawAround(56.75, 24.12, fieldArcmin);
    std::vector<int> magnitudes;
    for (int i = 0; i < stars.starCount(); ++i) magnitudes.push_back(designatedMagnitude(stars, i));
    std::sort(magnitudes.rbegin(), magnitudes.rend());
    return magnitudes;
  }
  static int designatedMagnitude(const iStarData& stars, int index) {
    const std::string name = testing::designationOf(stars, index);
    return std::stoi(name.substr(name.find('[') + 1));
  }
  // The Hipparcos number of a star drawn, 0 without one.
  static int32_t hipparcosOf(const iStarData& stars, int index) {
    const auto numbers = testing::catalogNumbersOf(stars, index);
    return numbers[0] == kIdentifierHipparcos ? numbers[1] : 0;
  }

  std::unique_ptr<testing::TestChart> chart;
  SkyCatalogs catalogs{CELVARO_RUN_DIR};
};

TEST_F(BuiltLargeCatalogs, A2DegreeFieldOnThePleiadesShowsStarsToAbout10AndAHalf) {
  const std::vector<int> deep = pleiadesMagnitudes(120);
  EXPECT_EQ(catalogs.currentDisplayName(), "Deep stars");
  ASSERT_GT(deep.size(), 100u);
  EXPECT_GE(deep.front(), 1000);  // the faintest
  const auto toTenAndAHalf = std::count_if(deep.begin(), deep.end(), [](int m) { return m > 900 && m <= 1050; });
  EXPECT_GT(toTenAndAHalf, 50);
  // Alcyone, the brightest, is there at about 2.9.
  EXPECT_NEAR(deep.back(), 290, 15);
}

// Within two degrees of Vega every Hipparcos star of d3-celestial's
// catalogue (a source the deep catalog is not built from) bright enough for
// the chart is drawn with its number; the other stars are named by their
// position to 0.1 seconds of time and a second of arc.
TEST_F(BuiltLargeCatalogs, DeepStarsCarryTheHipparcosNumbersOfTheSourcesOrTheirPosition) {
  const std::map<int32_t, testing::HipparcosStar> sources = testing::readD3HipparcosStars();
  if (sources.empty()) GTEST_SKIP() << "no d3-celestial source";
  const testing::HipparcosStar& vega = sources.at(91262);
  iStarData& deep = drawAround(vega.raDeg, vega.decDeg, 270);
  ASSERT_EQ(catalogs.currentDisplayName(), "Deep stars");
  std::set<int32_t> numbers;
  int unnumbered = 0;
  for (int i = 0; i < deep.starCount(); ++i) {
    if (const int32_t hip = hipparcosOf(deep, i)) {
      numbers.insert(hip);
      continue;
    }
    std::string name;
    StarPosition at;
    ASSERT_TRUE(deep.getDesignation(i, name) && deep.getPosition(i, at));
    int h = 0, m = 0, d = 0, dm = 0, ds = 0;
    double s = 0;
    char sign = 0;
    ASSERT_EQ(std::sscanf(name.c_str(), "J%2d%2d%4lf%c%2d%2d%2d [", &h, &m, &s, &sign, &d, &dm, &ds), 7) << name;
    const double raDeg = (h + m / 60.0 + s / 3600) * 15, decDeg = (sign == '-' ? -1 : 1) * (d + dm / 60.0 + ds / 3600.0);
    EXPECT_LT(testing::separationArcsec(raDeg, decDeg, at.raRad / testing::kDeg, at.decRad / testing::kDeg), 2.5)
        << name;
    ++unnumbered;
  }
  EXPECT_GT(unnumbered, 100);
  int expected = 0;
  for (const auto& [hip, star] : sources) {
    if (star.magnitude > automaticStarLimit(270) / 100.0 - 0.1 ||
        testing::separationArcsec(vega.raDeg, vega.decDeg, star.raDeg, star.decDeg) > 120 * 60) {
      continue;
    }
    ++expected;
    EXPECT_TRUE(numbers.count(hip)) << "HIP " << hip;
  }
  EXPECT_GT(expected, 10);
  EXPECT_TRUE(numbers.count(91262));
}

// Stars brighter than 0.00 keep their magnitudes, read here as the Bright
// Star Catalogue gives them, and are drawn as the brightest they are.
TEST_F(BuiltLargeCatalogs, StarsBrighterThanZeroKeepTheirMagnitudesAndTheLargestDiscs) {
  const std::map<int32_t, testing::HipparcosStar> sources = testing::readD3HipparcosStars();
  if (sources.empty()) GTEST_SKIP() << "no d3-celestial source";
  struct Published {
    int32_t hip;
    int magnitude;  // V, Bright Star Catalogue, hundredths
  };
  for (const Published star : {Published{32349, -146}, {30438, -72}, {91262, 3}}) {
    const testing::HipparcosStar& source = sources.at(star.hip);
    iStarData& deep = drawAround(source.raDeg, source.decDeg, 120);
    int index = 0;
    while (index < deep.starCount() && hipparcosOf(deep, index) != star.hip) ++index;
    ASSERT_LT(index, deep.starCount()) << star.hip;
    EXPECT_NEAR(designatedMagnitude(deep, index), star.magnitude, 10) << star.hip;
    // The chart's centre, to its whole arcminutes: the star is there, drawn
    // with the largest disc.
    const auto largest = std::max_element(chart->output.stars.begin(), chart->output.stars.end(),
                                          [](const auto& a, const auto& b) { return a.diameter < b.diameter; });
    ASSERT_NE(largest, chart->output.stars.end());
    EXPECT_LE(std::hypot(largest->x, largest->y), 6) << star.hip;
  }
}

// The main star catalog draws each star with its zone's magnitude: checked
// against the magnitudes of d3-celestial's stars.14.json, its source.
class BuiltStarZones : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    sources = testing::readD3HipparcosStars();
    if (sources.empty()) GTEST_SKIP() << "no d3-celestial source";
    catalog.setDataDirectory(CELVARO_RUN_DIR);
    ASSERT_EQ(catalog.open("data/stars_hip.dat"), 0);
    ASSERT_GT(catalog.starCount(), 100000);
  }
  int sourceHundredths(int index) const {
    return static_cast<int>(std::lround(sources.at(catalog.hipparcosNumber(index)).magnitude * 100));
  }

  std::map<int32_t, testing::HipparcosStar> sources;
  StarDataSimple catalog;
};

TEST_F(BuiltStarZones, NoStarIsDrawnMoreThanATenthOfAMagnitudeFromItsSourceMagnitude) {
  int checked = 0, off = 0;
  for (int z = 0; z < catalog.zoneCount(); ++z) {
    const StarDataSimple::Zone& zone = catalog.zone(z);
    for (int i = zone.first; i < zone.first + zone.count; ++i, ++checked) {
      if (std::abs(zone.magnitude - sourceHundredths(i)) <= 10) continue;
      if (++off <= 5) ADD_FAILURE() << "HIP " << catalog.hipparcosNumber(i) << " at " << sourceHundredths(i)
                                    << " is drawn as " << zone.magnitude;
    }
  }
  EXPECT_EQ(checked, catalog.starCount());
  EXPECT_EQ(off, 0);
}

// The northern sky drawn at several limits: every star brighter than the
// limit by a tenth is there, none fainter than it by a tenth.
TEST_F(BuiltStarZones, ALimitCutsWithinATenthOfAMagnitude) {
  testing::TestChart chart(0, 90, 180 * 60);
  testing::StarListOutput screen(false, true);
  screen.begin("", {}, chart.area);
  screen.loadStarSizes(1400, 9, 1);
  for (int32_t limit : {150, 300, 650, 920, 1150}) {
    screen.stars.clear();
    catalog.draw(screen, chart.transformer, chart.settings, chart.area, limit, true);
    std::set<int> drawn;
    for (const auto& star : screen.stars) drawn.insert(star.index);
    int wrong = 0;
    for (int i = 0; i < catalog.starCount(); ++i) {
      StarPosition at;
      if (!catalog.getPosition(i, at) || at.decRad < 0.1) continue;
      const int m = sourceHundredths(i);
      if ((m <= limit - 10 && !drawn.count(i)) || (m > limit + 10 && drawn.count(i))) {
        if (++wrong <= 3) ADD_FAILURE() << "limit " << limit << ": HIP " << catalog.hipparcosNumber(i) << " at " << m;
      }
    }
    EXPECT_EQ(wrong, 0) << limit;
  }
}

}  // namespace
}  // namespace celvaro

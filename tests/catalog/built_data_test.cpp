// The data files celvaro-catalogs built into the program directory, read
// with the program's readers. Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/constellation_list.h"
#include "astro/coordinates.h"
#include "catalog/catalog_file_type.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_simple.h"
#include "catalog/star_info_file.h"
#include "catalog/variable_star_data.h"
#include "test_files.h"

namespace celvaro {
namespace {

class BuiltData : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
  }
  SkyCatalogs catalogs{CELVARO_RUN_DIR};
};

TEST_F(BuiltData, MainCatalogHoldsTheHipparcosStars) {
  ASSERT_EQ(catalogs.registerStarCatalog(0, 3, "data/stars_hip.dat", "Hipparcos", 0, 0), 0);
  auto* stars = static_cast<StarDataSimple*>(catalogs.currentStarCatalog());
  EXPECT_GE(stars->starCount(), 115000);
  EXPECT_LE(stars->zoneCount(), StarDataSimple::kMaxZones);
  bool sirius = false;
  for (int i = 0; i < stars->starCount() && !sirius; ++i) {
    if (stars->hipparcosNumber(i) != 32349) continue;
    std::string designation;
    stars->getDesignation(i, designation);
    EXPECT_TRUE(designation == "HIP 32349 [-146]" || designation == "HIP 32349 [-144]") << designation;
    sirius = true;
  }
  EXPECT_TRUE(sirius);
  for (int z = 1; z < stars->zoneCount(); ++z) EXPECT_GT(stars->zone(z).magnitude, stars->zone(z - 1).magnitude);
}

// The fastest stars at the epochs 1950, 2026 and 2050 as astropy 5.2.1's
// apply_space_motion puts them (radial velocity 0), from the J2000 places,
// proper motions and parallaxes of these data: the chart draws them there.
TEST_F(BuiltData, FastStarsMoveToTheChartsEpoch) {
  ASSERT_EQ(catalogs.registerStarCatalog(0, 3, "data/stars_hip.dat", "Hipparcos", 0, 0), 0);
  ProperMotions motions;
  ASSERT_TRUE(motions.load(std::string(CELVARO_RUN_DIR) + "/" + ProperMotions::kPath));
  MarkLinks marks;
  ASSERT_TRUE(marks.load(std::string(CELVARO_RUN_DIR) + "/" + MarkLinks::kPath));
  catalogs.setProperMotions(std::move(motions), marks);
  const struct {
    int32_t hipparcos;  // Barnard's Star, alpha Centauri A, 61 Cygni A, Arcturus
    double julianEpoch, raDeg, decDeg;
  } cases[] = {
      {87937, 2026, 269.4463109, 4.7676249},   {87937, 1950, 269.4632295, 4.5506599},
      {71683, 2026, 219.8475965, -60.8305090}, {71683, 2050, 219.7972962, -60.8272670},
      {104214, 2026, 316.7632912, 38.7729302}, {69673, 2026, 213.9069398, 19.1679549},
  };
  constexpr double kRad = std::numbers::pi / 180;
  for (const auto& c : cases) {
    catalogs.setStarEpoch(2451545.0 + (c.julianEpoch - 2000) * 365.25);
    const int index = catalogs.currentStarOfHipparcos(c.hipparcos);
    StarPosition at;
    ASSERT_TRUE(catalogs.currentStarCatalog()->getPosition(index, at)) << c.hipparcos;
    const double arcsec =
        separationAndAngle(at.raRad, at.decRad, c.raDeg * kRad, c.decDeg * kRad, false).arcmin * 60;
    EXPECT_LT(arcsec, 0.5) << c.hipparcos << " in " << c.julianEpoch;
  }
  // The names go with their stars: alpha Cen's keeps its J2000 offset from
  // the star when the star has gone 185" by 2050.
  ASSERT_EQ(catalogs.openStarLabels(), 0);
  const StarLabels& labels = catalogs.starLabels();
  size_t rigil = 0;
  while (rigil < labels.size() && (!labels.name(rigil) || std::string(labels.name(rigil)) != "Rigil Kentaurus")) ++rigil;
  ASSERT_LT(rigil, labels.size());
  const StarLabelRecord before = labels.record(rigil);
  const auto arcsecBetween = [](double ra1, double dec1, double ra2, double dec2) {
    return separationAndAngle(ra1, dec1, ra2, dec2, false).arcmin * 60;
  };
  const double offset = arcsecBetween(before.raRad, before.decRad, 219.9021 * kRad, -60.8340 * kRad);
  catalogs.setStarEpoch(2451545.0 + 50 * 365.25);
  const StarLabelRecord& after = labels.record(rigil);
  EXPECT_NEAR(arcsecBetween(after.raRad, after.decRad, 219.7972962 * kRad, -60.8272670 * kRad), offset, 1);
  EXPECT_GT(arcsecBetween(after.raRad, after.decRad, before.raRad, before.decRad), 180);
}

// The drawings move each star along its yearly motion: the same place as
// ERFA's step gives, within a hundredth of an arcsecond, over a century.
TEST(ProperMotionsOfTheData, TheYearlyMotionFollowsErfasStep) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  ProperMotions motions;
  ASSERT_TRUE(motions.load(std::string(CELVARO_RUN_DIR) + "/" + ProperMotions::kPath));
  constexpr double kRad = std::numbers::pi / 180;
  const double ra = 269.4521 * kRad, dec = 4.6934 * kRad;  // Barnard's Star
  const Vector3 start = unitVectorOf(ra, dec), v = motions.yearlyMotion(87937, start);
  for (const double years : {-50.0, 26.0, 100.0}) {
    const EquatorialPosition linear = equatorialOf({start.x + years * v.x, start.y + years * v.y, start.z + years * v.z});
    const EquatorialPosition erfa = motions.placeAt(87937, ra, dec, 2451545.0 + years * 365.25);
    EXPECT_LT(separationAndAngle(linear.raRad, linear.decRad, erfa.raRad, erfa.decRad, false).arcmin * 60, 0.01) << years;
  }
}

TEST_F(BuiltData, BetelgeuseIsLabelledWithNameLetterAndConstellation) {
  ASSERT_EQ(catalogs.openStarLabels(), 0);
  const StarLabels& labels = catalogs.starLabels();
  bool found = false;
  for (size_t i = 0; i < labels.size(); ++i) {
    if (!labels.name(i) || std::string(labels.name(i)) != "Betelgeuse") continue;
    EXPECT_EQ(labels.record(i).greekLetter, 0);
    EXPECT_EQ(constellationAbbreviation(labels.record(i).constellation), "Ori");
    found = true;
  }
  EXPECT_TRUE(found);
}

TEST_F(BuiltData, VegasInformationReads) {
  StarInfoFile info;
  info.setPath(std::string(CELVARO_RUN_DIR) + "/data/hipparcos_data.dat");
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(info.read(91262, items));
  std::map<int, std::string> byField;
  for (const auto& item : items) byField[item.field] = item.text;
  EXPECT_EQ(byField[kInfoProperName], "Vega");
  EXPECT_EQ(byField[kInfoHd], "172167");
  EXPECT_EQ(byField[kInfoSpectralType].substr(0, 2), "A0");
  EXPECT_NEAR(std::stod(byField[kInfoDistance]), 25.0, 1.0);
}

// Mira and delta Cephei with their ranges, chi Cyg, xi UMa and theta Aur
// by each usual form of their Greek letter, written as the GCVS writes
// them, at their Hipparcos positions.
TEST_F(BuiltData, VariableStarsAnswerEveryFormOfTheirDesignation) {
  const std::string run = CELVARO_RUN_DIR;
  auto variables = variableStarCatalogOfType(detectCatalogFileType(run + "/data/variables.dat"));
  ASSERT_TRUE(variables);
  variables->setDataDirectory(run);
  ASSERT_EQ(variables->open("data/variables.dat"), 0);
  EXPECT_GT(variables->count(), 6000);
  struct Variable {
    std::vector<const char*> typed;
    const char* written;
    double raDeg, decDeg;
  };
  const Variable stars[] = {
      {{"omi Cet", "omicron Cet", "ο Cet"}, "omi Cet [L 2.0-10.1]", 34.837, -2.977},
      {{"del Cep", "delta cep"}, "del Cep [P 3.48-4.37]", 337.293, 58.415},
      {{"khi Cyg", "chi Cyg", "CHI CYG", "χ Cyg"}, "khi Cyg", 297.641, 32.914},
      {{"ksi UMa", "xi UMa", "Xi UMa", "ξ UMa"}, "ksi UMa", 169.546, 31.529},
      {{"tet Aur", "the Aur", "theta Aur", "Theta aur", "θ Aur"}, "tet Aur", 89.930, 37.213},
  };
  for (const Variable& star : stars) {
    for (const char* typed : star.typed) {
      StarPosition at;
      ASSERT_TRUE(variables->findByDesignation(typed, at)) << typed;
      EXPECT_NEAR(at.raRad * 180 / std::numbers::pi, star.raDeg, 0.02) << typed;
      EXPECT_NEAR(at.decRad * 180 / std::numbers::pi, star.decDeg, 0.02) << typed;
      std::string text;
      variables->getDesignation(at.index, text);
      EXPECT_EQ(text.substr(0, std::string_view(star.written).size()), star.written) << typed;
    }
  }
}

// Whether a point lies inside a ring of (ra, dec) radians: the ring is
// seen in the gnomonic plane of the point, where ray casting is exact; a
// ring reaching 90 degrees from the point cannot surround it.
bool inside(double ra0, double dec0, const std::vector<std::pair<double, double>>& ring) {
  std::vector<std::pair<double, double>> plane;
  for (auto [ra, dec] : ring) {
    const double h = ra - ra0;
    const double e = std::cos(dec) * std::sin(h);
    const double n = std::sin(dec) * std::cos(dec0) - std::cos(dec) * std::cos(h) * std::sin(dec0);
    const double c = std::cos(dec0) * std::cos(dec) * std::cos(h) + std::sin(dec0) * std::sin(dec);
    if (c <= 0) return false;
    plane.emplace_back(e / c, n / c);
  }
  bool in = false;
  for (size_t i = 0, j = plane.size() - 1; i < plane.size(); j = i++) {
    const auto [x1, y1] = plane[i];
    const auto [x2, y2] = plane[j];
    if ((y1 > 0) != (y2 > 0) && x1 - y1 * (x2 - x1) / (y2 - y1) > 0) in = !in;
  }
  return in;
}

TEST_F(BuiltData, ConstellationsAreCompleteAndClosed) {
  catalogs.loadConstellations();
  const SkyPolylines& bounds = catalogs.constellationBoundaries();
  std::vector<std::vector<std::pair<double, double>>> rings;
  for (int i = 0; i < bounds.count(); ++i) {
    if (bounds.pen()[i] == 0) rings.emplace_back();
    rings.back().emplace_back(bounds.ra()[i], bounds.dec()[i]);
  }
  ASSERT_EQ(rings.size(), 89u);
  for (const auto& ring : rings) {
    EXPECT_NEAR(std::remainder(ring.front().first - ring.back().first, 2 * std::numbers::pi), 0, 1e-9);
    EXPECT_NEAR(ring.front().second, ring.back().second, 1e-9);
  }
  // Every name position lies in a boundary, and every boundary holds a
  // part of a figure: all 88 figures are there.
  const SkyPolylines& figures = catalogs.constellationLines();
  int ringsWithFigure = 0;
  for (const auto& ring : rings) {
    bool holdsFigure = false;
    for (int i = 0; i < figures.count() && !holdsFigure; ++i) {
      holdsFigure = inside(figures.ra()[i], figures.dec()[i], ring);
    }
    ringsWithFigure += holdsFigure;
  }
  EXPECT_EQ(ringsWithFigure, 89);
  for (int n = 0; n < kConstellationCount; ++n) {
    double ra, dec;
    ASSERT_TRUE(constellationPosition(n, ra, dec));
    int containing = 0;
    for (const auto& ring : rings) containing += inside(ra, dec, ring);
    EXPECT_EQ(containing, 1) << constellationName(n);
  }
}

}  // namespace
}  // namespace celvaro

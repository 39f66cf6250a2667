// The data files celvaro-catalogs built into the program directory, read
// with the program's readers and, where the sources have been fetched,
// checked against them: the main and deep star catalogs, motions, star
// information, variable and double stars, constellations. Skipped where the
// data have not been built; and the builder's source cache.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <sstream>
#include <string>

#include "astro/constellation_list.h"
#include "catalog/catalog_file_type.h"
#include "catalog/constellation_regions.h"
#include "catalog/large_star_catalogs.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_data_segmented.h"
#include "catalog/star_data_simple.h"
#include "catalog/star_dbl_wds_data_d2.h"
#include "catalog/star_info_file.h"
#include "catalog/variable_star_data.h"
#include "render/magnitude_limits.h"
#include "sky_separation.h"
#include "source_cache.h"
#include "test_charts.h"
#include "test_files.h"

// The public sources the catalog builder reads, read here as their makers
// wrote them; tests skip where the sources have not been fetched.
namespace celvaro::testing {

// ${XDG_CACHE_HOME:-~/.cache}/celvaro/datasrc, where the builder keeps them.
inline std::string sourceDirectory() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  return (xdg && *xdg ? std::string(xdg) : std::string(home ? home : ".") + "/.cache") + "/celvaro/datasrc";
}

struct HipparcosStar { double raDeg, decDeg, magnitude; };

// d3-celestial's stars.14.json: features with the Hipparcos number as id,
// the magnitude, and [longitude, latitude] in degrees with the right
// ascension as a longitude of -180..180. Empty when the file is missing.
inline std::map<int32_t, HipparcosStar> readD3HipparcosStars() {
  std::ifstream in(sourceDirectory() + "/d3-celestial-0.7.35/package/data/stars.14.json");
  std::map<int32_t, HipparcosStar> stars;
  if (!in) return stars;
  const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
  if (json.is_discarded()) return stars;
  for (const auto& f : json["features"]) {
    const double lon = f["geometry"]["coordinates"][0], lat = f["geometry"]["coordinates"][1];
    stars[f["id"].get<int32_t>()] = {lon < 0 ? lon + 360 : lon, lat, f["properties"]["mag"].get<double>()};
  }
  return stars;
}

}  // namespace celvaro::testing

namespace celvaro {
namespace {

constexpr double kRad = std::numbers::pi / 180;

// The angle between two places, radians in, arcseconds out.
double arcsecBetween(double ra1, double dec1, double ra2, double dec2) {
  return testing::separationDeg(ra1 / kRad, dec1 / kRad, ra2 / kRad, dec2 / kRad) * 3600;
}

class BuiltData : public ::testing::Test {
 protected:
  void SetUp() override { CELVARO_SKIP_WITHOUT_BUILT_DATA(); }
  SkyCatalogs catalogs{CELVARO_RUN_DIR};
};

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
  for (const auto& c : cases) {
    catalogs.setStarEpoch(2451545.0 + (c.julianEpoch - 2000) * 365.25);
    const int index = catalogs.currentStarOfHipparcos(c.hipparcos);
    StarPosition at;
    ASSERT_TRUE(catalogs.currentStarCatalog()->getPosition(index, at)) << c.hipparcos;
    EXPECT_LT(arcsecBetween(at.raRad, at.decRad, c.raDeg * kRad, c.decDeg * kRad), 0.5) << c.hipparcos << " in "
                                                                                         << c.julianEpoch;
  }
  // The names go with their stars: alpha Cen's keeps its J2000 offset from
  // the star when the star has gone 185" by 2050.
  ASSERT_EQ(catalogs.openStarLabels(), 0);
  const StarLabels& labels = catalogs.starLabels();
  size_t rigil = 0;
  while (rigil < labels.size() && (!labels.name(rigil) || std::string(labels.name(rigil)) != "Rigil Kentaurus")) ++rigil;
  ASSERT_LT(rigil, labels.size());
  const StarLabelRecord before = labels.record(rigil);
  const double offset = arcsecBetween(before.raRad, before.decRad, 219.9021 * kRad, -60.8340 * kRad);
  catalogs.setStarEpoch(2451545.0 + 50 * 365.25);
  const StarLabelRecord& after = labels.record(rigil);
  EXPECT_NEAR(arcsecBetween(after.raRad, after.decRad, 219.7972962 * kRad, -60.8272670 * kRad), offset, 1);
  EXPECT_GT(arcsecBetween(after.raRad, after.decRad, before.raRad, before.decRad), 180);
}

TEST_F(BuiltData, VegasInformationReads) {
  StarInfoFile info;
  info.setPath(std::string(CELVARO_RUN_DIR) + "/data/hipparcos_data.dat");
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(info.read(91262, items));
  std::map<int, std::string> byField;
  for (const auto& item : items) byField[item.field] = item.text;
  EXPECT_EQ(std::tuple(byField[kInfoProperName], byField[kInfoHd]), std::tuple("Vega", "172167"));
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
  struct Variable { std::vector<const char*> typed; const char* written; double raDeg, decDeg; };
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
      EXPECT_NEAR(at.raRad / kRad, star.raDeg, 0.02) << typed;
      EXPECT_NEAR(at.decRad / kRad, star.decDeg, 0.02) << typed;
      std::string text;
      variables->getDesignation(at.index, text);
      EXPECT_EQ(text.substr(0, std::string_view(star.written).size()), star.written) << typed;
    }
  }
}

// Every name position lies in its own constellation, and every
// constellation (Serpens in its two parts) holds a part of a figure.
TEST_F(BuiltData, NamesAndFiguresLieInTheirConstellations) {
  catalogs.loadConstellations();
  const ConstellationRegions& regions = catalogs.constellationRegions();
  ASSERT_FALSE(regions.empty());
  for (int n = 0; n < kConstellationCount; ++n) {
    double ra, dec;
    ASSERT_TRUE(constellationPosition(n, ra, dec));
    EXPECT_EQ(regions.constellationAt(ra, dec), n) << constellationName(n);
  }
  const SkyPolylines& figures = catalogs.constellationLines();
  std::set<int> holdingFigures;
  for (int i = 0; i < figures.count(); ++i) holdingFigures.insert(regions.constellationAt(figures.ra()[i], figures.dec()[i]));
  holdingFigures.erase(-1);
  EXPECT_EQ(holdingFigures.size(), 89u);
}

// The double-star catalog, against published measures and the designations
// the WDS gives.
struct System {
  int index;
  std::string wds;
  double separation;  // arcseconds, 0 unknown
  int positionAngle;  // degrees, -1 unknown
  int year;           // of the measure, 0 unknown
};

class BuiltDoubleStars : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    doubles.setDataDirectory(CELVARO_RUN_DIR);
    ASSERT_EQ(doubles.open("data/doubles_d3.dat"), 0);
    ASSERT_GT(doubles.count(), 10000);
  }
  System system(int index) const {
    std::vector<StarInfoItem> items;
    EXPECT_TRUE(doubles.readObjectInfo(index, items));
    const auto field = [&](int f) {
      const auto at = std::find_if(items.begin(), items.end(), [f](const StarInfoItem& i) { return i.field == f; });
      return at == items.end() ? std::string() : at->text;
    };
    const std::string angle = field(kDoubleInfoPositionAngle), year = field(kDoubleInfoYear);
    return {index, field(kDoubleInfoWds), doubles.record(index).separation / 10.0,
            angle.empty() ? -1 : std::stoi(angle), year.empty() ? 0 : std::stoi(year)};
  }
  System find(const char* designation) const {
    StarPosition at;
    EXPECT_EQ(doubles.findByDesignation(designation, at), kDoubleFound) << designation;
    return system(at.index);
  }

  StarDblWDSDataD2 doubles;
};

// Published measures of showpiece pairs: the Washington Double Star
// Catalog's last measures of the 2010s (rho in arcseconds, theta in
// degrees), for the fast binaries (Castor, xi UMa, alpha Cen) the
// ephemerides of their visual orbits for 2025. A stored pair within a
// tenth of the separation and 10 degrees of the angle is the pair the
// WDS names; a pair of the cross-match's nearest rows is not.
TEST_F(BuiltDoubleStars, ShowpiecesCarryThePairTheWdsNames) {
  struct Published { const char* designation; double separation; int positionAngle; };
  constexpr Published kShowpieces[] = {
      {"STFA 43", 34.6, 55},   {"STF 2758", 31.6, 152}, {"STF 2727", 8.9, 265},  {"STF 1424", 4.7, 126},
      {"STF 1744", 14.4, 152}, {"STF 205", 9.6, 63},    {"STF 1877", 2.9, 344},  {"STF 1692", 19.3, 229},
      {"STF 180", 7.4, 1},     {"STF 919", 7.1, 132},   {"STF 2417", 22.3, 104}, {"STFA 35", 61.9, 311},
      {"STF 668", 9.5, 204},   {"STF 738", 4.2, 44},    {"STF 470", 6.9, 348},   {"STF 2140", 4.6, 103},
      {"STF 2264", 6.4, 257},  {"STF 1657", 20.1, 270}, {"STF 1268", 30.6, 307}, {"STF 299", 2.3, 298},
      {"STF 2010", 27.3, 13},  {"STF 2241", 30.3, 15},  {"STF 2806", 13.5, 250}, {"STFA 27", 104.9, 79},
      {"STF 1821", 13.5, 236}, {"STF 1334", 2.6, 227},  {"STF 471", 8.8, 10},    {"STF 774", 2.2, 167},
      {"STF 1965", 6.3, 305},  {"STF 60", 13.4, 326},   {"STF 93", 18.2, 237},   {"STFA 58", 40.6, 191},
      {"STFA 38", 43.7, 150},  {"STF 307", 28.3, 300},  {"STF 748", 8.8, 31},    {"STF 1110", 5.5, 50},
      {"STF 1523", 2.6, 136},  {"STF 2382", 2.2, 346},  {"STF 2383", 2.4, 76},   {"RHD 1", 8.7, 9},
  };
  for (const Published& p : kShowpieces) {
    const System s = find(p.designation);
    EXPECT_NEAR(s.separation, p.separation, p.separation / 10) << p.designation;
    EXPECT_LE(std::abs(std::remainder(s.positionAngle - p.positionAngle, 360.0)), 10) << p.designation;
  }
}

// epsilon1 and epsilon2 Lyr are two WDS entries under one number, each
// centred on its own star; alpha Cen goes by the designation of its AB
// pair; Castor's measure carries its year.
TEST_F(BuiltDoubleStars, SeparateEntriesAndDesignationsAsTheWdsWritesThem) {
  const System epsilon1 = find("STF 2382"), epsilon2 = find("STF 2383");
  EXPECT_NE(epsilon1.index, epsilon2.index);
  EXPECT_EQ(std::tuple(epsilon1.wds, epsilon2.wds), std::tuple("18443+3940", "18443+3940"));
  std::string label;
  doubles.getDesignation(find("RHD 1").index, label);
  EXPECT_EQ(label, "RHD 1");
  EXPECT_GT(find("STF 1110").year, 2000);
  EXPECT_EQ(find("STFA 43").wds, "19307+2758");  // Albireo, at 19h30.7m +27 58'
}

// Every designation the program shows of a system (its label, and the
// discoverer, further and WDS designations of its information) finds that
// system, typed exactly as shown.
TEST_F(BuiltDoubleStars, EveryDesignationShownFindsItsOwnSystem) {
  std::map<std::string, int> shown;  // each designation, with the first system showing it
  for (int i = 0; i < doubles.count(); ++i) {
    std::string label;
    doubles.getDesignation(i, label);
    shown.emplace(label, i);
    std::vector<StarInfoItem> items;
    ASSERT_TRUE(doubles.readObjectInfo(i, items));
    for (const StarInfoItem& item : items) {
      if (item.field == kDoubleInfoWds || item.field == kDoubleInfoDiscoverer) shown.emplace(item.text, i);
      if (item.field != kDoubleInfoOtherNames) continue;
      std::istringstream names(item.text);
      for (std::string name; std::getline(names >> std::ws, name, ',');) shown.emplace(name, i);
    }
  }
  int lost = 0;
  for (const auto& [designation, index] : shown) {
    StarPosition at;
    const int result = doubles.findByDesignation(designation, at);
    if (result == kDoubleFound && at.index == index) continue;
    if (++lost <= 10) ADD_FAILURE() << '"' << designation << "\" gives " << result << " at " << at.index << ", not " << index;
  }
  EXPECT_EQ(lost, 0) << "of " << shown.size();
}

// The data builder's source cache: a fetch that fails says why in the
// fetching tool's own words.
TEST(SourceCache, AFailedFetchShowsTheToolsErrorLines) {
  testing::ScratchDir dir;
  // An npm that cannot reach its registry, as npm reports it.
  testing::writeBytes(dir.file("npm"),
                      "#!/bin/sh\necho 'npm error code ENOTFOUND' >&2\n"
                      "echo 'npm error request to https://registry.npmjs.org/x failed' >&2\nexit 1\n");
  ::chmod(dir.file("npm").c_str(), 0755);
  testing::EnvironmentValue path("PATH", (dir.path().string() + ":/usr/bin:/bin").c_str());
  SourceCache cache(dir.file("cache"));
  ::testing::internal::CaptureStdout();
  const std::string fetched = cache.npmPackage("x", "1.0");
  const std::string said = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(fetched, "");
  EXPECT_NE(said.find("    npm error code ENOTFOUND\n"), std::string::npos) << said;
  EXPECT_NE(said.find("registry.npmjs.org/x failed"), std::string::npos) << said;
}

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
    EXPECT_LT(arcsecBetween(raDeg * kRad, decDeg * kRad, at.raRad, at.decRad), 2.5) << name;
    ++unnumbered;
  }
  EXPECT_GT(unnumbered, 100);
  int expected = 0;
  for (const auto& [hip, star] : sources) {
    if (star.magnitude > automaticStarLimit(270) / 100.0 - 0.1 ||
        testing::separationDeg(vega.raDeg, vega.decDeg, star.raDeg, star.decDeg) > 2) {
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
  EXPECT_EQ(std::tuple(checked, off), std::tuple(catalog.starCount(), 0));
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

// Names and designations in the data celvaro-catalogs built: each proper
// name, Bayer letter and catalogue number leads to the star that bears it,
// labels carry their constellation, and the name lists read cleanly.
// Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "astro/constellation_list.h"
#include "catalog/deepsky_data.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_id_database.h"
#include "platform/utf_text.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

// A published J2000 position to the second of time and the arcminute.
struct Position {
  int h, m, s;
  int sign, d, arcmin;
  double raRad() const { return (h + m / 60.0 + s / 3600.0) * 15 * kRadPerDeg; }
  double decRad() const { return sign * (d + arcmin / 60.0) * kRadPerDeg; }
};

// Within 1.5 arcminutes of a published position.
void expectAt(double raRad, double decRad, const Position& p, const std::string& what) {
  const double cosSeparation = std::sin(decRad) * std::sin(p.decRad()) +
                               std::cos(decRad) * std::cos(p.decRad()) * std::cos(raRad - p.raRad());
  EXPECT_GT(cosSeparation, std::cos(1.5 / 60 * kRadPerDeg)) << what;
}

int constellationNumber(std::string_view abbreviation) {
  for (int i = 0; i < kConstellationCount; ++i) {
    if (constellationAbbreviation(i) == abbreviation) return i;
  }
  return -1;
}

std::string lowered(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return text;
}

class BuiltNames : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    ASSERT_EQ(catalogs.loadStarIds(), 0);
  }
  StarIdDatabase& ids() { return catalogs.starIds(); }

  SkyCatalogs catalogs{CELVARO_RUN_DIR};
  StarIdRecord found;
};

// Every name that led to another star: the Hipparcos number the IAU
// Catalog of Star Names gives (IAU-CSN; Girtab kappa Sco, Schedar, Khambalia
// and Princeps as its later editions spell and place them), else the star
// d3-celestial's starnames.json gives as the name's bearer, with its
// position from the Hipparcos catalogue; Nash is gamma2 Sgr's (R. H. Allen,
// Star Names), not the Cepheid W Sgr's; Shedar and Mula stay as other
// names. Marfak is given to theta and mu Cas alike by both
// sources and by none of the IAU lists: the brighter, theta.
TEST_F(BuiltNames, EveryNameFindsTheStarThatBearsIt) {
  struct Named {
    const char* name;
    int32_t hipparcos;
    const char* designation;
    Position at;
  };
  const Named stars[] = {
      {"Al Kaff al Jidhmah", 10324, "xi1 Cet", {2, 13, 0, +1, 8, 51}},
      {"Alava", 88175, "zet Ser", {18, 0, 29, -1, 3, 41}}, {"Alcor", 65477, "80 UMa", {13, 25, 14, +1, 54, 59}},
      {"Algenib", 1067, "gam Peg", {0, 13, 14, +1, 15, 11}}, {"Angetenar", 13288, "tau2 Eri", {2, 51, 2, -1, 21, 0}},
      {"Atik", 17448, "omi Per", {3, 44, 19, +1, 32, 17}}, {"Beemim", 20535, "ups3 Eri", {4, 24, 2, -1, 34, 1}},
      {"Castula", 4422, "ups2 Cas", {0, 56, 40, +1, 59, 11}}, {"Dalim", 14879, "alf For", {3, 12, 5, -1, 28, 59}},
      {"Dheneb", 5364, "eta Cet", {1, 8, 35, -1, 10, 11}}, {"Gienah", 59803, "gam Crv", {12, 15, 48, -1, 17, 33}},
      {"Girtab", 86670, "kap Sco", {17, 42, 29, -1, 39, 2}}, {"Heka", 26176, "phi1 Ori", {5, 34, 49, +1, 9, 29}},
      {"Isis", 33345, "mu CMa", {6, 56, 7, -1, 14, 3}}, {"Markab", 113963, "alf Peg", {23, 4, 46, +1, 15, 12}},
      {"Minkar", 59316, "eps Crv", {12, 10, 7, -1, 22, 37}}, {"Mirzam", 30324, "bet CMa", {6, 22, 42, -1, 17, 57}},
      {"Nash", 88635, "gam2 Sgr", {18, 5, 48, -1, 30, 25}}, {"Schedar", 3179, "alf Cas", {0, 40, 30, +1, 56, 32}},
      {"Shedar", 3179, "alf Cas", {0, 40, 30, +1, 56, 32}}, {"Khambalia", 69974, "lam Vir", {14, 19, 7, -1, 13, 22}},
      {"Princeps", 74666, "del Boo", {15, 15, 30, +1, 33, 19}}, {"Mula", 86670, "kap Sco", {17, 42, 29, -1, 39, 2}},
      {"Rastaban", 85670, "bet Dra", {17, 30, 26, +1, 52, 18}},
      {"Rutilicus", 81693, "zet Her", {16, 41, 17, +1, 31, 36}}, {"Suhail", 44816, "lam Vel", {9, 8, 0, -1, 43, 26}},
      {"Terebellum", 98066, "ome Sgr", {19, 55, 50, -1, 26, 18}},
      {"Toliman", 71681, "alf2 Cen", {14, 39, 35, -1, 60, 50}}, {"Tureis", 39757, "rho Pup", {8, 7, 33, -1, 24, 18}},
      {"Wei", 102485, "psi Cap", {20, 46, 6, -1, 25, 16}},
      {"Zuben Elakribi", 73473, "del Lib", {15, 0, 58, -1, 8, 31}},
      {"Marfak", 5542, "tet Cas", {1, 11, 6, +1, 55, 9}},
      // Names that begin a brighter star's longer name.
      {"Mira", 10826, "omi Cet", {2, 19, 21, -1, 2, 59}}, {"Menkar", 14135, "alf Cet", {3, 2, 17, +1, 4, 5}},
      {"Men", 71860, "alf Lup", {14, 41, 56, -1, 47, 23}}, {"Rigel", 24436, "bet Ori", {5, 14, 32, -1, 8, 12}},
  };
  for (const Named& star : stars) {
    const std::string what = std::string(star.name) + " (" + star.designation + ")";
    found = {};
    ASSERT_TRUE(ids().readRecord(ids().findByName(star.name), found)) << what;
    EXPECT_EQ(found.hipparcos, star.hipparcos) << what;
    expectAt(found.raRad, found.decRad, star.at, what);
    found = {};
    ASSERT_TRUE(ids().readRecord(ids().findByName(lowered(star.name)), found)) << what;
    EXPECT_EQ(found.hipparcos, star.hipparcos) << what << " in lower case";
  }
}

// A star with an IAU name shows it first in its description and on its
// label, the other names after it (IAU-CSN).
TEST_F(BuiltNames, TheIauNameIsTheOneShown) {
  ASSERT_EQ(catalogs.openStarLabels(), 0);
  const StarLabels& labels = catalogs.starLabels();
  std::map<std::string, int> labelled;
  for (size_t i = 0; i < labels.size(); ++i) {
    if (labels.name(i)) ++labelled[labels.name(i)];
  }
  const std::pair<int32_t, std::u16string> named[] = {
      {86670, u"Girtab"}, {3179, u"Schedar"}, {69974, u"Khambalia"}, {88635, u"Alnasl"}, {74666, u"Princeps"}};
  for (const auto& [hipparcos, name] : named) {
    found = {};
    ASSERT_TRUE(ids().findByCatalogNumber(kCatalogHipparcos, hipparcos, found)) << hipparcos;
    EXPECT_EQ(utf16ToUtf8(ids().describe(found).substr(0, name.size())), utf16ToUtf8(name)) << hipparcos;
    EXPECT_EQ(labelled[utf16ToUtf8(name)], 1) << utf16ToUtf8(name);
  }
  for (const char* other : {"Mula", "Shedar", "Nash", "Khambaliya"}) EXPECT_EQ(labelled[other], 0) << other;
}

// Short beginnings find the prominent star: the records run brightest first.
TEST_F(BuiltNames, ShortPrefixesFindTheProminentStar) {
  for (auto [typed, hipparcos] : {std::pair{"sir", 32349}, {"BETELG", 27989}}) {
    ASSERT_TRUE(ids().readRecord(ids().findByName(typed), found)) << typed;
    EXPECT_EQ(found.hipparcos, hipparcos) << typed;
  }
  EXPECT_EQ(ids().findByName(""), -1);
}

// The name list walks alphabetically, and no name leads to two stars.
TEST_F(BuiltNames, EachNameBelongsToOneStarInTheAlphabeticalList) {
  std::map<std::string, int> recordOfName;
  std::vector<std::string> names;
  std::string name;
  int record;
  ids().restartNames();
  while (ids().nextName(name, record)) {
    EXPECT_TRUE(ids().readRecord(record, found)) << name;
    names.push_back(lowered(name));
    const auto [at, added] = recordOfName.emplace(names.back(), record);
    EXPECT_TRUE(added || at->second == record) << name << " leads to records " << at->second << " and " << record;
  }
  EXPECT_EQ(static_cast<int>(names.size()), ids().nameCount());
  EXPECT_GT(names.size(), 800u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

// Vega by each of its designations and numbers as the Bright Star
// Catalogue gives them (HR 7001 = HD 172167 = SAO 67174 = 3 alpha Lyr).
TEST_F(BuiltNames, VegaByEachDesignationAndNumber) {
  const int lyra = constellationNumber("Lyr");
  for (const char* typed : {"Vega", "alf Lyr", "alpha Lyr", "3 Lyr", "HD 172167", "HR 7001", "SAO 67174", "HIP 91262"}) {
    found = {};
    ASSERT_TRUE(ids().findByText(typed, found)) << typed;
    EXPECT_EQ(found.hipparcos, 91262) << typed;
  }
  ASSERT_TRUE(ids().findByBayer(lyra, 0, 0, found));
  ASSERT_TRUE(ids().findByFlamsteed(lyra, 3, found));
  EXPECT_EQ(found.hipparcos, 91262);
  expectAt(found.raRad, found.decRad, {18, 36, 56, +1, 38, 47}, "Vega");
  EXPECT_FALSE(ids().findByCatalogNumber(kCatalogUnused, 91262, found));
  // The sources hold no PPM number: the text leaves the catalogue out.
  const std::u16string text = ids().describe(found);
  EXPECT_TRUE(text.starts_with(u"Vega") &&
              text.ends_with(u"\r\n3 α(alfa) Lyr\r\nHipparcos:91262\r\nHD:172167\r\nHarvard:7001\r\nSAO:67174"))
      << utf16ToUtf8(text);
}

// Proxima is alpha Cen C in Stellarium's name.fab, a component of the
// system: alpha Cen without a superscript is alpha-1, component A.
TEST_F(BuiltNames, AlphaCentauriIsNotProxima) {
  const int cen = constellationNumber("Cen");
  ASSERT_TRUE(ids().findByBayer(cen, 0, 0, found));
  EXPECT_EQ(found.hipparcos, 71683);
  expectAt(found.raRad, found.decRad, {14, 39, 36, -1, 60, 50}, "alpha Cen");
  ASSERT_TRUE(ids().findByBayer(cen, 0, 2, found));
  EXPECT_EQ(found.hipparcos, 71681);
  ASSERT_TRUE(ids().readRecord(ids().findByName("Proxima"), found));
  EXPECT_EQ(found.hipparcos, 70890);
  EXPECT_GE(found.greekLetter, 24);
}

// The HD numbers the Bright Star Catalogue gives Albireo (HR 7417) and xi
// Cep (HR 8417), and those d3-celestial's starnames.json gives HIP 56280
// and 64520, which Stellarium's cross-id.dat leaves empty.
TEST_F(BuiltNames, StarsKeepTheirHdNumbers) {
  for (auto [hd, hipparcos] : {std::pair{183912, 95947}, {209790, 108917}, {100286, 56280}, {114846, 64520}}) {
    found = {};
    EXPECT_TRUE(ids().findByCatalogNumber(kCatalogHd, hd, found)) << "HD " << hd;
    EXPECT_EQ(found.hipparcos, hipparcos) << "HD " << hd;
    ASSERT_TRUE(ids().findByCatalogNumber(kCatalogHipparcos, hipparcos, found));
    EXPECT_EQ(found.hd, hd) << "HIP " << hipparcos;
  }
}

// Stars known by a name alone, in the constellations where published
// charts place them.
TEST_F(BuiltNames, EveryNamedLabelHasItsConstellation) {
  ASSERT_EQ(catalogs.openStarLabels(), 0);
  const StarLabels& labels = catalogs.starLabels();
  const std::map<std::string, std::string_view> expected = {
      {"Barnard's Star", "Oph"},   {"Kapteyn's Star", "Pic"},        {"Luyten's Star", "CMi"},
      {"Proxima", "Cen"},          {"van Maanen's Star", "Psc"},     {"Lalande 21185", "UMa"},
      {"Groombridge 1830", "UMa"}, {"Kruger 60", "Cep"},             {"Hind's Crimson Star", "Lep"},
      {"Przybylski's Star", "Cen"}, {"Tonatiuh", "Cam"},             {"Ogma", "Her"},
      {"Red Rectangle", "Mon"},    {"Babcock's Star", "Lac"},        {"Blaze Star", "CrB"},
      {"Campbell's Star", "Cyg"}};
  std::map<std::string, std::string_view> labelled;
  for (size_t i = 0; i < labels.size(); ++i) {
    if (!labels.name(i)) continue;
    const int constellation = labels.record(i).constellation;
    ASSERT_TRUE(constellation >= 0 && constellation < kConstellationCount) << labels.name(i);
    EXPECT_TRUE(labelled.emplace(labels.name(i), constellationAbbreviation(constellation)).second) << labels.name(i);
  }
  for (const auto& [name, abbreviation] : expected) EXPECT_EQ(labelled[name], abbreviation) << name;
}

// Names in every deep-sky list begin with a letter or a digit, and carry
// no blanks at either end.
TEST_F(BuiltNames, DeepSkyNamesBeginWithTheirFirstWord) {
  catalogs.loadDeepsky();
  iDeepskyData* deepsky = catalogs.deepsky();
  ASSERT_TRUE(deepsky);
  for (int list = 1; list <= 4; ++list) {
    deepsky->selectNameList(list);
    int names = 0;
    for (int p = deepsky->nextName(); p >= 0; p = deepsky->nextName(), ++names) {
      const std::u16string name = deepsky->getName(p).value_or(u"");
      ASSERT_FALSE(name.empty()) << list;
      EXPECT_TRUE(name.front() != u'(' && name.front() != u' ' && name.back() != u' ' && name.front() != u'\u00A0')
          << list << ": " << utf16ToUtf8(name);
    }
    EXPECT_GT(names, 400) << list;
  }
}

}  // namespace
}  // namespace celvaro

// Names and designations in the data celvaro-catalogs built: each proper
// name, Bayer letter and catalogue number leads to the star that bears it,
// labels carry their constellation, and the name lists read cleanly; the
// deep-sky catalog's objects, their facts and names in each language.
// Skipped where the data have not been built.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "astro/constellation_list.h"
#include "catalog/catalog_file_type.h"
#include "catalog/deepsky_data.h"
#include "catalog/deepsky_info_file.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_id_database.h"
#include "platform/utf_text.h"
#include "sky_separation.h"
#include "test_charts.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::constellationNumber;

constexpr double kRadPerDeg = std::numbers::pi / 180;

// A published J2000 position to the second of time and the arcminute.
struct Position { int h, m, s; int sign, d, arcmin; };

// Within 1.5 arcminutes of a published position.
void expectAt(double raRad, double decRad, const Position& p, const std::string& what) {
  const double raDeg = (p.h + p.m / 60.0 + p.s / 3600.0) * 15, decDeg = p.sign * (p.d + p.arcmin / 60.0);
  EXPECT_LT(testing::separationDeg(raRad / kRadPerDeg, decRad / kRadPerDeg, raDeg, decDeg), 1.5 / 60) << what;
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
  struct Named { const char* name; int32_t hipparcos; const char* designation; Position at; };
  const Named stars[] = {
      {"Al Kaff al Jidhmah", 10324, "xi1 Cet", {2, 13, 0, +1, 8, 51}}, {"Alava", 88175, "zet Ser", {18, 0, 29, -1, 3, 41}},
      {"Alcor", 65477, "80 UMa", {13, 25, 14, +1, 54, 59}}, {"Algenib", 1067, "gam Peg", {0, 13, 14, +1, 15, 11}},
      {"Angetenar", 13288, "tau2 Eri", {2, 51, 2, -1, 21, 0}}, {"Atik", 17448, "omi Per", {3, 44, 19, +1, 32, 17}},
      {"Beemim", 20535, "ups3 Eri", {4, 24, 2, -1, 34, 1}}, {"Castula", 4422, "ups2 Cas", {0, 56, 40, +1, 59, 11}},
      {"Dalim", 14879, "alf For", {3, 12, 5, -1, 28, 59}}, {"Dheneb", 5364, "eta Cet", {1, 8, 35, -1, 10, 11}},
      {"Gienah", 59803, "gam Crv", {12, 15, 48, -1, 17, 33}}, {"Girtab", 86670, "kap Sco", {17, 42, 29, -1, 39, 2}},
      {"Heka", 26176, "phi1 Ori", {5, 34, 49, +1, 9, 29}}, {"Isis", 33345, "mu CMa", {6, 56, 7, -1, 14, 3}},
      {"Markab", 113963, "alf Peg", {23, 4, 46, +1, 15, 12}}, {"Minkar", 59316, "eps Crv", {12, 10, 7, -1, 22, 37}},
      {"Mirzam", 30324, "bet CMa", {6, 22, 42, -1, 17, 57}}, {"Nash", 88635, "gam2 Sgr", {18, 5, 48, -1, 30, 25}},
      {"Schedar", 3179, "alf Cas", {0, 40, 30, +1, 56, 32}}, {"Shedar", 3179, "alf Cas", {0, 40, 30, +1, 56, 32}},
      {"Khambalia", 69974, "lam Vir", {14, 19, 7, -1, 13, 22}}, {"Princeps", 74666, "del Boo", {15, 15, 30, +1, 33, 19}},
      {"Mula", 86670, "kap Sco", {17, 42, 29, -1, 39, 2}}, {"Rastaban", 85670, "bet Dra", {17, 30, 26, +1, 52, 18}},
      {"Rutilicus", 81693, "zet Her", {16, 41, 17, +1, 31, 36}}, {"Suhail", 44816, "lam Vel", {9, 8, 0, -1, 43, 26}},
      {"Terebellum", 98066, "ome Sgr", {19, 55, 50, -1, 26, 18}}, {"Toliman", 71681, "alf2 Cen", {14, 39, 35, -1, 60, 50}},
      {"Tureis", 39757, "rho Pup", {8, 7, 33, -1, 24, 18}}, {"Wei", 102485, "psi Cap", {20, 46, 6, -1, 25, 16}},
      {"Zuben Elakribi", 73473, "del Lib", {15, 0, 58, -1, 8, 31}}, {"Marfak", 5542, "tet Cas", {1, 11, 6, +1, 55, 9}},
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
    EXPECT_EQ(ids().findByName(lowered(star.name)), ids().findByName(star.name)) << what << " in lower case";
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

class BuiltDeepsky : public ::testing::Test {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    catalog = deepskyCatalogOfType(detectCatalogFileType(data + "/deepsky.dat"));
    ASSERT_TRUE(catalog);
    catalog->setDataDirectory(CELVARO_RUN_DIR);
    catalog->setInfoFile(data + "/deepsky_ngcicdata.dat");
    ASSERT_EQ(catalog->open("data/deepsky.dat"), 0);
  }
  StarPosition find(const char* designation) {
    StarPosition at;
    EXPECT_TRUE(catalog->findByDesignation(designation, at)) << designation;
    return at;
  }

  const std::string data = std::string(CELVARO_RUN_DIR) + "/data";
  std::unique_ptr<iDeepskyData> catalog;
};

TEST_F(BuiltDeepsky, MessierObjectsLieWhereTheyShould) {
  struct Expected { const char* designation; double raDeg, decDeg; };
  for (const Expected& e : {Expected{"M 31", 10.68, 41.27}, {"M 13", 250.42, 36.46}, {"M 42", 83.82, -5.39},
                            {"M 57", 283.40, 33.03}}) {
    const StarPosition at = find(e.designation);
    EXPECT_NEAR(at.raRad / kRadPerDeg, e.raDeg, 0.05) << e.designation;
    EXPECT_NEAR(at.decRad / kRadPerDeg, e.decDeg, 0.05) << e.designation;
  }
  StarPosition at;
  for (int m = 1; m <= 110; ++m) EXPECT_TRUE(catalog->findById(kIdMessier, m, at)) << "M " << m;
}

TEST_F(BuiltDeepsky, AndromedaGalaxyIsNamedInAllFourLanguages) {
  const int m31 = find("M 31").index;
  catalog->selectNameList(3);
  for (int p = catalog->nextName(); p >= 0; p = catalog->nextName()) {
    const auto named = catalog->getNamedObject(p);
    if (!named || named->object != m31) continue;
    for (const auto& name : named->names) EXPECT_GT(name.length, 0);
    EXPECT_EQ(named->firstCode, kIdMessier);
    EXPECT_EQ(catalog->getName(p), u"Andromeda-Galaxie");
    return;
  }
  ADD_FAILURE() << "M 31 is not in the German name list";
}

TEST_F(BuiltDeepsky, HoldsTheNgcAndIcObjectsWithTheirFacts) {
  int ngc = 0, ic = 0;
  for (int i = 0; i < catalog->objectCount(); ++i) {
    int32_t ids[2];
    if (!catalog->getPrimaryIds(i, ids[0], ids[1])) continue;
    for (int32_t id : ids) {
      ngc += id >> 24 == kIdNgc;
      ic += id >> 24 == kIdIc;
    }
  }
  EXPECT_GE(ngc, 7000);
  EXPECT_GE(ic, 3500);
  std::vector<StarInfoItem> items;
  ASSERT_TRUE(catalog->readObjectInfo(find("M 31").index, items));
  std::map<int, std::string> byField;
  for (const auto& item : items) byField[item.field] = item.text;
  EXPECT_EQ(std::tuple(byField[kDeepskyInfoNgc], byField[kDeepskyInfoType]), std::tuple("224", "galaxy"));
  EXPECT_NEAR(std::stod(byField[kDeepskyInfoMajorAxis]), 190, 20);
  ASSERT_TRUE(catalog->readObjectInfo(find("IC 434").index, items));
  EXPECT_EQ(items.front().text, "434");
}

// An NGC or IC number names one object: the source's objects with a letter
// after the number (NGC 4486A beside M 87) do not carry the plain number to
// another place. The same object listed twice lies within 1'.
TEST_F(BuiltDeepsky, EachNgcAndIcNumberNamesOnePlace) {
  std::map<int32_t, DeepskyObject> first;
  int elsewhere = 0;
  for (int index = 0; index < catalog->objectCount(); ++index) {
    int32_t ids[2];
    DeepskyObject o;
    if (!catalog->getPrimaryIds(index, ids[0], ids[1]) || !catalog->getObject(index, o)) continue;
    for (const int32_t id : ids) {
      if (id >> 24 != kIdNgc && id >> 24 != kIdIc) continue;
      const auto [at, inserted] = first.try_emplace(id, o);
      const double dec = std::abs(o.decRad - at->second.decRad);
      const double ra = std::abs(std::remainder(o.raRad - at->second.raRad, 2 * std::numbers::pi)) * std::cos(o.decRad);
      if (!inserted && std::hypot(ra, dec) / kRadPerDeg * 60 > 1) ++elsewhere;
    }
  }
  EXPECT_EQ(elsewhere, 0);
  StarPosition m87;
  ASSERT_TRUE(catalog->findByDesignation("NGC 4486", m87));
  EXPECT_NEAR(m87.decRad / kRadPerDeg, 12.391, 0.01);  // SIMBAD: +12 23 28
}

// The nebulae name list gives "Markarian's Chain" to eight NGC galaxies of
// Virgo (4374, 4406, 4435, 4438, 4458, 4461, 4473, 4477) and "Small
// Sagittarius Star Cloud" to M 24 and to a second entry of it: the chart
// labels such a name once, at the one object that bears it.
TEST_F(BuiltDeepsky, ANameSeveralEntriesShareIsBorneByOneObject) {
  for (const std::u16string name : {u"Markarian's Chain", u"Small Sagittarius Star Cloud"}) {
    int bearers = 0;
    for (int index = 0; index < catalog->objectCount(); ++index) {
      std::u16string text;
      ASSERT_TRUE(catalog->formatDesignation(index, text, 2, true, false));
      bearers += text.ends_with(name);
    }
    EXPECT_EQ(bearers, 1) << utf16ToUtf8(name);
  }
}

// The Hungarian sky-culture translation misprints the Elephant's Trunk
// Nebula (IC 1396) as "Eelefánt törzse köd"; the catalog names it as
// Hungarian writes it, Elefántormány-köd.
TEST_F(BuiltDeepsky, HungarianNamesAreFreeOfTheTranslationsMisprint) {
  std::u16string text;
  ASSERT_TRUE(catalog->formatDesignation(find("IC 1396").index, text, 1, true, false));
  EXPECT_TRUE(text.ends_with(u", Elefántormány-köd")) << utf16ToUtf8(text);
  catalog->selectNameList(1);
  for (int p = catalog->nextName(); p >= 0; p = catalog->nextName()) {
    EXPECT_EQ(catalog->getName(p).value_or(u"").find(u"Eelef"), std::u16string::npos);
  }
}

}  // namespace
}  // namespace celvaro

// The deep-sky files celvaro-catalogs built into the program directory,
// read with the program's readers. Skipped where the data have not been
// built.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

#include "catalog/catalog_file_type.h"
#include "catalog/deepsky_data.h"
#include "catalog/deepsky_info_file.h"
#include "platform/utf_text.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kDegPerRad = 180 / std::numbers::pi;

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
  struct Expected {
    const char* designation;
    double raDeg, decDeg;
  };
  for (const Expected& e : {Expected{"M 31", 10.68, 41.27}, {"M 13", 250.42, 36.46}, {"M 42", 83.82, -5.39},
                            {"M 57", 283.40, 33.03}}) {
    const StarPosition at = find(e.designation);
    EXPECT_NEAR(at.raRad * kDegPerRad, e.raDeg, 0.05) << e.designation;
    EXPECT_NEAR(at.decRad * kDegPerRad, e.decDeg, 0.05) << e.designation;
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
  EXPECT_EQ(byField[kDeepskyInfoNgc], "224");
  EXPECT_EQ(byField[kDeepskyInfoType], "galaxy");
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
      if (!inserted && std::hypot(ra, dec) * kDegPerRad * 60 > 1) ++elsewhere;
    }
  }
  EXPECT_EQ(elsewhere, 0);
  StarPosition m87;
  ASSERT_TRUE(catalog->findByDesignation("NGC 4486", m87));
  EXPECT_NEAR(m87.decRad * kDegPerRad, 12.391, 0.01);  // SIMBAD: +12 23 28
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

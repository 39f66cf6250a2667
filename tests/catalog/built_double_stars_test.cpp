// The double-star catalog celvaro-catalogs built, against published
// measures and the designations the WDS gives. Skipped where the data are
// missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "catalog/star_dbl_wds_data_d2.h"

namespace celvaro {
namespace {

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
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
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
  struct Published {
    const char* designation;
    double separation;
    int positionAngle;
  };
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
  EXPECT_EQ(epsilon1.wds, "18443+3940");
  EXPECT_EQ(epsilon2.wds, "18443+3940");
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

}  // namespace
}  // namespace celvaro

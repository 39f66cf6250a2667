// The double-star catalog celvaro-catalogs built, against its sources read
// here as their makers wrote them (the WDS cross-match, d3-celestial's
// Hipparcos positions, the component records of the Stellarium star files)
// and against published measures. Skipped where the data or the sources
// are missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "catalog/star_dbl_wds_data_d2.h"
#include "source_files.h"
#include "zoned_star_files.h"

namespace celvaro {
namespace {

struct System {
  int index;
  std::string wds;
  double separation;  // arcseconds, 0 unknown
  double companion;   // magnitude, 0 unknown
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
    return {index, field(kDoubleInfoWds), doubles.record(index).separation / 10.0,
            doubles.record(index).companion / 100.0};
  }
  System find(const char* designation) const {
    StarPosition at;
    EXPECT_EQ(doubles.findByDesignation(designation, at), kDoubleFound) << designation;
    return system(at.index);
  }

  StarDblWDSDataD2 doubles;
};

// The rows of the WDS cross-match: each Hipparcos star's system and the
// one measure given for it (arcseconds; -1 and 999.9 unknown).
struct CrossMatch {
  std::map<std::string, std::vector<int32_t>> stars;
  std::map<int32_t, double> measure;
};

CrossMatch readCrossMatch() {
  CrossMatch rows;
  std::ifstream in(testing::stellariumStarFile("wds_hip_part.dat"));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int32_t hip = 0;
    std::string wds;
    int year = 0, angle = 0;
    double separation = 0;
    if (fields >> hip >> wds >> year >> angle >> separation) rows.stars[wds].push_back(hip), rows.measure[hip] = separation;
  }
  return rows;
}

struct Star {
  double raDeg, decDeg, magnitude;
};

// The stars the sources give a system: each Hipparcos star of its rows,
// and each one the star files letter as a component (A, B...) that no row
// names within a minute of arc of its primary, at its position in
// d3-celestial, or, where the star files hold component records for it,
// those records offset from that position by their distance to its
// brightest record. Brightest first.
struct Sources {
  std::map<int32_t, testing::HipparcosStar> d3;
  CrossMatch rows;
  std::map<int32_t, std::vector<ZonedStar>> components;
};

std::vector<Star> starsOf(std::vector<int32_t> hips, const Sources& s) {
  const testing::HipparcosStar& primary = s.d3.at(hips[0]);
  for (const auto& [hip, records] : s.components) {
    const auto star = s.d3.find(hip);
    if (star != s.d3.end() && !s.rows.measure.count(hip) &&
        testing::separationArcsec(primary.raDeg, primary.decDeg, star->second.raDeg, star->second.decDeg) <= 60) {
      hips.push_back(hip);
    }
  }
  std::vector<Star> stars;
  for (int32_t hip : hips) {
    const testing::HipparcosStar& star = s.d3.at(hip);
    const auto records = s.components.find(hip);
    if (records == s.components.end()) {
      stars.push_back({star.raDeg, star.decDeg, star.magnitude});
      continue;
    }
    const ZonedStar* brightest = &records->second[0];
    for (const ZonedStar& r : records->second) brightest = r.magnitude < brightest->magnitude ? &r : brightest;
    for (const ZonedStar& r : records->second) {
      stars.push_back({star.raDeg + std::remainder(r.raDeg - brightest->raDeg, 360),
                       star.decDeg + r.decDeg - brightest->decDeg, r.magnitude});
    }
  }
  std::sort(stars.begin(), stars.end(), [](const Star& a, const Star& b) { return a.magnitude < b.magnitude; });
  return stars;
}

// The principal pair of a system, separation and companion magnitude: its
// brightest star with the brightest companion within a minute of arc, or
// the nearest one when none is that close. A system the sources give one
// star, or whose pair is as wide as their "unknown" 999.9", keeps the
// cross-match's measure, its companion unknown.
std::pair<double, double> principalPair(const std::vector<Star>& stars, double measure) {
  const std::pair<double, double> measured{measure < 0 || measure >= 999.9 ? 0 : measure, 0};
  if (stars.size() < 2) return measured;
  auto distance = [&](const Star& s) {
    return testing::separationArcsec(stars[0].raDeg, stars[0].decDeg, s.raDeg, s.decDeg);
  };
  const Star* chosen = nullptr;
  for (size_t i = 1; i < stars.size(); ++i) {
    if (!chosen && distance(stars[i]) <= 60) chosen = &stars[i];
  }
  if (!chosen) {
    chosen = &*std::min_element(stars.begin() + 1, stars.end(),
                                [&](const Star& a, const Star& b) { return distance(a) < distance(b); });
  }
  return distance(*chosen) >= 999.9 ? measured : std::pair{distance(*chosen), chosen->magnitude};
}

TEST_F(BuiltDoubleStars, TheFiftyBrightestSystemsStoreTheirPrincipalPairAsTheSourcesGiveIt) {
  Sources s{testing::readD3HipparcosStars(), readCrossMatch(), {}};
  if (s.d3.empty() || s.rows.stars.empty()) GTEST_SKIP() << "no sources";
  std::vector<ZonedStar> records;
  ASSERT_TRUE(readZonedStars({testing::stellariumStarFile("stars_0_0v0_8.cat"),
                              testing::stellariumStarFile("stars_1_0v0_8.cat"),
                              testing::stellariumStarFile("stars_2_0v0_8.cat")},
                             records));
  for (const ZonedStar& r : records) {
    if (r.component != 0) s.components[r.hip].push_back(r);
  }
  std::vector<int> order(doubles.count());
  for (int i = 0; i < doubles.count(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return doubles.record(a).primary < doubles.record(b).primary; });
  for (int k = 0; k < 50; ++k) {
    const System stored = system(order[k]);
    std::vector<int32_t> hips;
    for (int32_t hip : s.rows.stars.at(stored.wds)) {
      if (s.d3.count(hip)) hips.push_back(hip);
    }
    std::stable_sort(hips.begin(), hips.end(), [&](int32_t a, int32_t b) { return s.d3.at(a).magnitude < s.d3.at(b).magnitude; });
    const auto [separation, companion] = principalPair(starsOf(hips, s), s.rows.measure.at(hips[0]));
    EXPECT_NEAR(stored.separation, separation, 0.1) << stored.wds;
    EXPECT_NEAR(stored.companion, companion, 0.01) << stored.wds;
  }
}

// Published measures of the showpieces (WDS, separations of the last
// decades; companion V from the Bright Star Catalogue) against what the
// catalog stores; their pairs move, so the ranges are those of the
// measures since the Hipparcos epoch.
TEST_F(BuiltDoubleStars, ShowpiecesCarryTheSeparationOfTheirNamedPair) {
  struct Published {
    const char* designation;
    double low, high;  // arcseconds
    double companion;  // magnitude, 0 when not checked
  };
  for (const Published& p : {Published{"STF 1110", 2.5, 6.0, 0},     // Castor AB
                             Published{"STFA 43", 34.0, 35.5, 5.11},  // Albireo, beta2 Cyg
                             Published{"STF 2758", 28.0, 32.0, 6.03},  // 61 Cyg
                             Published{"STF 2727", 8.9, 9.7, 5.14},   // gamma Del
                             Published{"STF 1424", 4.2, 5.0, 0},      // gamma Leo
                             Published{"STF 1744", 14.2, 14.6, 3.95}}) { // Mizar, HR 5055
    const System s = find(p.designation);
    EXPECT_GE(s.separation, p.low) << p.designation;
    EXPECT_LE(s.separation, p.high) << p.designation;
    if (p.companion > 0) {
      EXPECT_NEAR(s.companion, p.companion, 0.15) << p.designation;
    }
  }
  // Albireo under the WDS number of its place, 19h30.7m +27 58'; both pairs
  // of epsilon Lyr in the one system the WDS makes of them.
  EXPECT_EQ(find("STFA 43").wds, "19307+2758");
  EXPECT_EQ(find("STF 2382").wds, "18443+3940");
  EXPECT_EQ(find("STF 2383").wds, "18443+3940");
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

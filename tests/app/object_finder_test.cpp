// The search on the catalog data celvaro-catalogs built: each kind of
// designation the information window shows, typed back, finds its object
// at its published place. Skipped where the data have not been built.
#include "app/object_finder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/model_object_info.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "sky_separation.h"
#include "test_files.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

struct Place {
  double hours, minutes, seconds;  // right ascension, J2000
  int sign;
  double degrees, arcmin, arcsec;  // declination
  double raRad() const { return (hours + minutes / 60 + seconds / 3600) * 15 * kRadPerDeg; }
  double decRad() const { return sign * (degrees + arcmin / 60 + arcsec / 3600) * kRadPerDeg; }
};

double separationArcmin(const StarPosition& at, const Place& place) {
  return testing::separationDeg(at.raRad / kRadPerDeg, at.decRad / kRadPerDeg, place.raRad() / kRadPerDeg,
                                place.decRad() / kRadPerDeg) * 60;
}

// The model with the built data loaded once for all the tests: loading the
// catalogs is the slow part.
class SearchOnBuiltData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) return;
    resources_ = std::make_unique<UiResources>();
    resources_->setProgramDir(CELVARO_RUN_DIR);
    resources_->loadLanguage(kEnglish);
    model_ = std::make_unique<AppModel>(CELVARO_RUN_DIR, configurationPath(CELVARO_RUN_DIR), *resources_);
    if (!loadChartData(*model_)) model_.reset();
  }
  static void TearDownTestSuite() {
    model_.reset();
    resources_.reset();
  }
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    ASSERT_NE(model_, nullptr) << "the built data do not load";
  }

  std::optional<FoundObject> find(const std::string& text, int language = kEnglish) {
    return ObjectFinder(*model_->catalogs(), model_->chart.minorPlanetLists, language).find(text);
  }
  // The designations the information window shows: those of its
  // description, then those listed among its facts.
  std::string shownDesignations(const FoundObject& found) {
    const ObjectInformation info = objectInformation(*model_, found);
    std::string shown = info.description;
    for (const ObjectProperty& p : info.properties) shown += "\n" + p.value;
    return shown;
  }

  static inline std::unique_ptr<UiResources> resources_;
  static inline std::unique_ptr<AppModel> model_;
};

// Each row: a text that finds the object, a designation its information
// shows, and the object's published place (J2000) with its source.
struct ShownDesignation {
  const char* finds;
  const char* shown;
  Place place;
  double toleranceArcmin;
  const char* source;
};

const ShownDesignation kShown[] = {
    // Caldwell 14 is the Double Cluster, NGC 869 and NGC 884: the search
    // gives the first.
    {"NGC 869", "C 14", {2, 19, 0, +1, 57, 7, 42}, 1, "SIMBAD, NGC 869"},
    // The Hyades, 330' across: the deep-sky source puts their centre at
    // 04h27m00s, 1.4' east of SIMBAD's.
    {"Hyades", "Mel 25", {4, 26, 54, +1, 15, 52, 0}, 1.5, "SIMBAD, Cl Melotte 25"},
    {"Coathanger", "Cr 399", {19, 25, 24, +1, 20, 11, 0}, 1, "SIMBAD, Collinder 399"},
    {"M 42", "Sh2-281", {5, 35, 17.3, -1, 5, 23, 28}, 1, "SIMBAD, M 42"},
    {"LDN 1730", "B 33", {5, 40, 59.0, -1, 2, 27, 30}, 1, "SIMBAD, Barnard 33"},
    {"NGC 1976", "LBN 974", {5, 35, 17.3, -1, 5, 23, 28}, 1, "SIMBAD, M 42"},
    {"M 87", "UGC 7654", {12, 30, 49.4, +1, 12, 23, 28}, 1, "SIMBAD, M 87"},
    {"M 87", "PGC 41361", {12, 30, 49.4, +1, 12, 23, 28}, 1, "SIMBAD, M 87"},
};

// Pluto is the body of the solar system however it is asked for; the
// element lists' (134340) line, which would draw a second Pluto, is left out.
TEST_F(SearchOnBuiltData, PlutoIsTheBodyByNameAndByMinorPlanetNumber) {
  ObjectFinder finder(*model_->catalogs(), model_->chart.minorPlanetLists, kEnglish);
  const int32_t pluto = objectId(kMajorBody, kPluto);
  for (const char* text : {"Pluto", "pluto", "134340", "(134340)"}) {
    const auto found = finder.find(text);
    ASSERT_TRUE(found) << text;
    EXPECT_EQ(found->kind, SearchKind::kSolarSystemBody) << text;
    EXPECT_EQ(found->position.index, pluto) << text;
  }
  const MinorPlanetQuery queries[] = {{MinorPlanetQuery::kByName, "Pluto"},
                                      {MinorPlanetQuery::kByName, "(134340) Pluto"},
                                      {MinorPlanetQuery::kByNumber, "134340"}};
  for (const MinorPlanetQuery& query : queries) {
    const auto found = finder.minorPlanet(query);
    ASSERT_TRUE(found) << query.text;
    EXPECT_EQ(found->position.index, pluto) << query.text;
  }
}

TEST_F(SearchOnBuiltData, ShownDeepskyDesignationsFindTheirObjectAtItsPublishedPlace) {
  for (const ShownDesignation& row : kShown) {
    const auto anchor = find(row.finds);
    ASSERT_TRUE(anchor) << row.finds;
    EXPECT_NE(shownDesignations(*anchor).find(row.shown), std::string::npos) << row.finds << " shows " << row.shown;
    const auto typed = find(row.shown);
    ASSERT_TRUE(typed) << row.shown;
    EXPECT_EQ(typed->position.index, anchor->position.index) << row.shown;
    EXPECT_LE(separationArcmin(typed->position, row.place), row.toleranceArcmin) << row.shown << ", " << row.source;
  }
}

// The source gives NGC 4486A the number of M 87 without its letter and has
// no NGC 4486B: neither may pass for M 87.
TEST_F(SearchOnBuiltData, SuffixedNgcNumbersAreNotTheUnsuffixedObject) {
  const Place m87{12, 30, 49.4, +1, 12, 23, 28};  // SIMBAD
  for (const char* text : {"NGC 4486A", "NGC 4486B", "NGC4486B"}) {
    const auto found = find(text);
    if (found) {
      EXPECT_GT(separationArcmin(found->position, m87), 1) << text;
    }
  }
}

// A deep star without a catalogue number goes by the place its designation
// spells out; Vega's place written that way.
TEST_F(SearchOnBuiltData, PositionDesignationsCentreOnTheirPlace) {
  const auto found = find("J183656.3+384701");
  ASSERT_TRUE(found);
  EXPECT_LE(separationArcmin(found->position, {18, 36, 56.3, +1, 38, 47, 1}), 1.0 / 60);
  EXPECT_FALSE(find("J183656.3+384761"));  // 61 seconds of arc
}

// The constellation names of the chart's languages, typed in any of them.
TEST_F(SearchOnBuiltData, ConstellationNamesOfEveryChartLanguage) {
  struct Named { const char* text; const char* latin; };
  for (const Named& n : {Named{"Nagy Medve", "Ursa Major"}, {"Großer Bär", "Ursa Major"}, {"Fecioara", "Virgo"},
                         {"Szűz", "Virgo"}, {"Jungfrau", "Virgo"}, {"Ursa Mare", "Ursa Major"}}) {
    for (int language : {kHungarian, kEnglish, kGerman, kRomanian}) {
      const auto found = find(n.text, language);
      ASSERT_TRUE(found) << n.text;
      EXPECT_EQ(found->kind, SearchKind::kConstellation) << n.text;
      EXPECT_EQ(found->designation, n.latin) << n.text;
    }
  }
}

}  // namespace
}  // namespace celvaro

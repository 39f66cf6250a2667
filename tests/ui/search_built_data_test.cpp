// The search commands: each kind of object found on the built data the way
// a user finds it, the chart centred on its published place and the
// information window showing its facts; the star dialogs over a small
// database.
#include "ui/search_driving.h"



namespace celvaro {
namespace {

using namespace testing;

// The angle between the chart centre and a position, in arcminutes.
double centreOffsetArcmin(const ChartSettings& chart, double raRad, double decRad) {
  return separationDeg(chart.centreRaArcmin / 60.0, chart.centreDecArcmin / 60.0, raRad / kRad, decRad / kRad) * 60;
}

// A new user's program over the built data, in English.
class BuiltDataSearch : public BuiltProgramWindow {
 protected:
  void SetUp() override {
    BuiltProgramWindow::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    window = std::make_unique<MainWindow>(resources, *model);
    window->searches().setMessageSink(messages);
  }
  // The chart centre is the position, truncated to whole arcminutes.
  void expectCentredOn(double raRad, double decRad) {
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().text.toStdString();
    const double ra = raRad * kArcminPerRad, dec = decRad * kArcminPerRad;
    EXPECT_NEAR(std::remainder(model->chart.centreRaArcmin - ra, 21600), 0, 1) << "RA " << ra / 60;
    EXPECT_NEAR(model->chart.centreDecArcmin, dec, 1) << "Dec " << dec / 60;
  }
  // Within `toleranceArcmin` of a published J2000 position.
  void expectNear(double raHours, double decDeg, double toleranceArcmin) {
    EXPECT_LT(centreOffsetArcmin(model->chart, raHours * 15 * kRad, decDeg * kRad), toleranceArcmin);
  }
  // The star search (command 503) for a name or a number.
  void searchStar(const char* text) {
    whenShown([text](QWidget* dialog) {
      typeInto(dialog, DlgSimpleSearchStar::kName, text);
      press(dialog, kIdOk);
    });
    window->command(503);
  }
  // What the information window lists of the selection, by caption.
  std::map<std::string, std::string> selectionProperties() {
    const std::optional<ObjectInformation> info = objectInformation(*model);
    EXPECT_TRUE(info.has_value()) << "nothing selected";
    std::map<std::string, std::string> properties;
    if (info) {
      for (const ObjectProperty& p : info->properties) properties[p.caption] = p.value;
    }
    return properties;
  }

  RecordedMessages messages;
};

// The number a property's value begins with ("20.4° east" is 20.4) within
// a relative tolerance.
void expectClose(const std::string& value, double expected, double relative, const char* what) {
  EXPECT_NEAR(leadingDouble(value) / expected, 1, relative) << what << ": " << value;
}

// Each caption's value as given.
void expectValues(const std::map<std::string, std::string>& properties,
                  std::initializer_list<std::pair<std::string, std::string>> expected) {
  for (const auto& [caption, value] : expected) {
    const auto found = properties.find(caption);
    EXPECT_EQ(found == properties.end() ? "(none)" : found->second, value) << caption;
  }
}

// Vega by its name and by its HD number, selected as a click selects it:
// centred on its place, the status bar naming the find (not the pick
// before it), and its identifications and Hipparcos data in Object info
// (Hipparcos 91262, HR 7001, SAO 67174, V 0.03).
TEST_F(BuiltDataSearch, VegaByNameOrNumberShowsItsData) {
  if (model->catalogs()->starIds().recordCount() == 0) GTEST_SKIP() << "no star identification data";
  for (const char* typed : {"Vega", "HD 172167"}) {
    SCOPED_TRACE(typed);
    model->chart.fieldArcmin = 7200;
    searchStar(typed);
    expectNear(18 + 36 / 60.0 + 56.3 / 3600, 38 + 47 / 60.0 + 1.3 / 3600, 2);
    EXPECT_LE(model->chart.fieldArcmin, 3600);
    ASSERT_TRUE(model->selectionValid);
    EXPECT_EQ(model->selection.kind, kPickStar);
    EXPECT_NE(statusText().find("HIP 91262"), std::string::npos) << statusText();
    const std::optional<ObjectInformation> info = objectInformation(*model);
    ASSERT_TRUE(info.has_value());
    EXPECT_NE(info->description.find("Vega"), std::string::npos) << info->description;
    expectValues(selectionProperties(), {{"Hipparcos number", "91262"}, {"HD number", "172167"}, {"HR number", "7001"},
                                         {"SAO number", "67174"}, {"Visual magnitude", "0.03"}, {"Proper name", "Vega"}});
  }
}

// Designations and names typed into the one-line question, each within
// its tolerance of a published J2000 position (large nebulae's centres
// differ): the Beehive is M 44 (SIMBAD 08 40 24 +19 40 00).
TEST_F(BuiltDataSearch, DesignationsTypedIntoTheQuestion) {
  struct Case { int command; const char* typed; double raHours, decDeg, toleranceArcmin; };
  const Case cases[] = {{509, "M 13", 16.69479, 36.45986, 2},  {509, "NGC 7000", 20.98808, 44.52889, 15},
                        {509, "Beehive", 8.67333, 19.66667, 10}, {504, "RR Lyr", 19.42442, 42.78436, 2},
                        {505, "STF 1744", 13.39875, 54.92528, 2}};
  for (const Case& c : cases) {
    model->chart.fieldArcmin = 3600;
    answerQuestion(c.typed);
    window->command(c.command);
    EXPECT_TRUE(messages.messages.empty()) << c.typed;
    expectNear(c.raHours, c.decDeg, c.toleranceArcmin);
    EXPECT_EQ(model->chart.fieldArcmin, 1800) << c.typed;
  }
}

// Jupiter, 12P/Pons-Brooks and Ceres on 2024-04-21 0h UT against PyEphem
// 4.1.4 (geocentric; the comet and the minor planet as EllipticalBody of
// the built element lists' elements): Jupiter 5.93826 AU from the Earth
// and 5.00896 from the Sun, 20.44 degrees east of it, 33.13" across,
// 99.88 % lit, in Aries, its magnitude by the Almanac's law on those
// distances -2.01 (PyEphem's own law says -1.86); 12P magnitude 8.95 (g 9,
// k 4), 1.60377 and 0.78108 AU, 22.78 degrees east, in Taurus; Ceres
// magnitude 8.61 (H 3.33, G 0.12), 2.47045 and 2.84643 AU, 101.49 degrees
// west, in Sagittarius. A body found is centred and selected, so Object
// info shows it with the events of its night, each with its date.
TEST_F(BuiltDataSearch, APlanetACometAndAnAsteroidFoundShowTheirFacts) {
  model->setUniversalDate({2024, 4, 21, 0, 0, 0});
  model->timeChanged();
  const struct {
    int command;
    const char* name;
    double magnitude, earthAu, sunAu, elongation;
    const char* side;
    const char* constellation;
  } cases[] = {{507, "12P/Pons-Brooks", 8.95, 1.60377, 0.78108, 22.78, " east", "Taurus"},
               {508, "Ceres", 8.61, 2.47045, 2.84643, 101.49, " west", "Sagittarius"},
               {506, "Jupiter", -2.01, 5.93826, 5.00896, 20.44, " east", "Aries"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.command == 508 ? answerQuestion(c.name, DlgSearchAsteroid::kText) : pickFromList(c.name);
    window->command(c.command);
    ASSERT_TRUE(model->selectionValid);
    std::map<std::string, std::string> p = selectionProperties();
    EXPECT_NEAR(leadingDouble(p["Magnitude"]), c.magnitude, 0.1);
    expectClose(p["Distance from the Earth (AU)"], c.earthAu, 0.001, "distance");
    expectClose(p["Distance from the Sun (AU)"], c.sunAu, 0.001, "distance from the Sun");
    expectClose(p["Elongation from the Sun"], c.elongation, 0.005, "elongation");
    EXPECT_TRUE(p["Elongation from the Sun"].ends_with(c.side)) << p["Elongation from the Sun"];
    EXPECT_EQ(p["Constellation"], c.constellation);
  }
  const auto jupiter = model->catalogs()->solarSystem().bodyPosition(kJupiter);
  expectCentredOn(jupiter->raRad, jupiter->decRad);
  const std::optional<ObjectInformation> info = objectInformation(*model);
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(info->description.find("Jupiter"), std::string::npos) << info->description;
  EXPECT_TRUE(QString::fromStdString(info->localTimes[1]).contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d ")))
      << info->localTimes[1];
  std::map<std::string, std::string> p = selectionProperties();
  expectClose(p["Apparent diameter"], 33.13, 0.01, "diameter");
  EXPECT_NEAR(leadingDouble(p["Illuminated fraction"]), 99.88, 1);
}

// A constellation found is centred in a 60-degree field. Ursa Major: its
// names, the IAU's area and its brightest stars (Alioth 1.77, Dubhe 1.79,
// Alkaid 1.86).
TEST_F(BuiltDataSearch, AConstellationFoundShowsItsNamesAreaAndStars) {
  model->chart.fieldArcmin = 1200;
  pickFromList("Orion");
  window->command(502);
  double ra = 0, dec = 0;
  ASSERT_TRUE(constellationPosition(constellationNumber("Orion"), ra, dec));
  expectCentredOn(ra, dec);
  EXPECT_EQ(model->chart.fieldArcmin, 3600);
  pickFromList("Ursa Major");
  window->command(502);
  ASSERT_TRUE(model->selectionValid);
  std::map<std::string, std::string> p = selectionProperties();
  expectValues(p, {{"English", "Ursa Major"}, {"Magyar", "Nagy Medve"}, {"Deutsch", "Großer Bär"},
                   {"Română", "Ursa mare"}, {"Area (square degrees)", "1279.66"}});
  const std::string stars = p["Brightest stars"];
  EXPECT_LT(stars.find("Alioth"), stars.find("Dubhe")) << stars;
  EXPECT_LT(stars.find("Dubhe"), stars.find("Alkaid")) << stars;
  EXPECT_NE(stars.find("Alkaid"), std::string::npos) << stars;
}

TEST_F(BuiltDataSearch, FailedDesignationsAreReported) {
  const ChartSettings before = model->chart;
  answerQuestion("M 200");
  window->command(509);
  answerQuestion("xyz");
  window->command(505);
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[0].text, "The deep-sky object you are looking for is not in the database.");
  EXPECT_EQ(messages.messages[0].icon, QMessageBox::Critical);
  EXPECT_EQ(messages.messages[1].text, "The double-star designation is not in a valid format.");
  EXPECT_TRUE(before == model->chart);
}

TEST_F(BuiltDataSearch, APopularObjectFromItsTable) {
  whenShown([](QWidget* dialog) {
    auto* table = controlOf<QTableWidget>(dialog, DlgSearchNamedObj::kTable);
    const auto found = table->findItems("M 31", Qt::MatchExactly);
    ASSERT_FALSE(found.empty());
    table->setCurrentCell(found.front()->row(), 0);
    EXPECT_FALSE(table->item(found.front()->row(), 2)->text().isEmpty());
    press(dialog, kIdOk);
  });
  window->command(510);
  expectNear(0 + 42 / 60.0 + 44.3 / 3600, 41 + 16 / 60.0 + 9 / 3600.0, 2);  // SIMBAD's M 31
}

// --- the star dialogs over a small database --------------------------------------------------

StarIdRecord star(int hip, int hd, int hr, int sao, int ppm) {
  StarIdRecord r;
  r.hipparcos = hip, r.hd = hd, r.hr = hr, r.sao = sao, r.ppm = ppm;
  return r;
}

// Vega and Sheliak with their true numbers, Vega also in the Tycho file; the
// finds of each kind of designation: StarIdFiles.TypedNamesAndDesignationsFindTheirStar.
class StarDialogs : public ::testing::Test {
 protected:
  StarDialogs() {
    StarIdContents contents;
    StarIdRecord vega = star(91262, 172167, 7001, 67174, 81558);
    vega.tycho = starid::packTycho(3105, 2070, 1);
    vega.raRad = 4.873565, vega.decRad = 0.676903;
    contents.records = {vega, star(92420, 174638, 7106, 67451, 81657)};
    contents.names = {{"Vega", 0}, {"Sheliak", 1}};
    writeBytes(dir.file("starid.dat"), starIdBytes(contents));
    writeBytes(dir.file("tycho.dat"), starIdTychoBytes({{vega.tycho, 0, vega.raRad, vega.decRad}}));
    EXPECT_EQ(stars.open(dir.file("starid.dat"), dir.file("tycho.dat")), 0);
  }
  // Runs a Find button and answers the HD number of the star found, 0 for none.
  int find(DlgSearchStarByName& dialog, int button) {
    click(dialog, button);
    return dialog.found() ? dialog.found()->hd : 0;
  }

  ScratchDir dir;
  UiResources resources;
  StarIdDatabase stars;
  RecordedMessages messages;
};

TEST_F(StarDialogs, ALookupShowsTheStarOrForgetsItAndSaysSo) {
  DlgSearchStarByName dialog(resources, stars, messages);
  dialog.create(nullptr);
  type(dialog, DlgSearchStarByName::kName, "veg");
  ASSERT_EQ(find(dialog, DlgSearchStarByName::kFindName), 172167);
  const QString information = dialog.control<QLabel>(DlgSearchStarByName::kInformation)->text();
  EXPECT_TRUE(information.startsWith("Vega\n") && information.contains("HD:172167")) << information.toStdString();
  EXPECT_FALSE(information.contains('\r'));
  type(dialog, DlgSearchStarByName::kFirstNumber + 1, "172167");  // an HD number in the HR field
  EXPECT_EQ(find(dialog, DlgSearchStarByName::kFirstFindNumber + 1), 0);
  EXPECT_EQ(dialog.control<QLabel>(DlgSearchStarByName::kInformation)->text(), "");
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "There is no such star in the database.");
  click(dialog, kIdOk);  // nothing found: OK says so again and the dialog stays
  EXPECT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(dialog.window()->result(), 0);
  type(dialog, DlgSearchStarByName::kName, "Sheliak");
  find(dialog, DlgSearchStarByName::kFindName);
  click(dialog, kIdOk);
  EXPECT_EQ(dialog.window()->result(), 1);
}

}  // namespace
}  // namespace celvaro

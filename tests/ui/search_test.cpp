// The search commands: what their dialogs answer, the messages of the
// three outcomes, and, on the built data, each kind of object found the way
// a user finds it and the chart centred on it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>

#include "app/app_model.h"
#include "app/model_object_info.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "astro/constellation_list.h"
#include "catalog/star_id_format.h"
#include "platform/number_text.h"
#include "solarsystem/object_identifier.h"
#include "star_id_writers.h"
#include "test_files.h"
#include "ui/dialog_driving.h"
#include "ui/dialogs/dlg_search_lists.h"
#include "ui/dialogs/dlg_search_named_obj.h"
#include "ui/dialogs/dlg_search_star.h"
#include "ui/dialogs/dlg_search_typed.h"
#include "ui/main_window.h"
#include "ui/message_sink.h"
#include "ui/program_window.h"
#include "ui/search_commands.h"

namespace celvaro {
namespace {

using namespace testing;

constexpr double kPi = std::numbers::pi;
constexpr double kArcminPerRad = 10800 / kPi;

using Message = RecordedMessages::Message;

// The row of a list that shows `text`, made the current one.
void chooseRow(QWidget* dialog, const QString& text) {
  auto* list = controlOf<QListWidget>(dialog, PickListDialog::kList);
  ASSERT_NE(list, nullptr);
  const auto items = list->findItems(text, Qt::MatchExactly);
  ASSERT_FALSE(items.empty()) << text.toStdString();
  list->setCurrentItem(items.front());
}

void answerQuestion(const QString& answer) {
  whenShown([answer](QWidget* dialog) {
    typeInto(dialog, DlgSimpleQuestion::kAnswer, answer);
    press(dialog, kIdOk);
  });
}

void pickFromList(const QString& name) {
  whenShown([name](QWidget* dialog) {
    chooseRow(dialog, name);
    press(dialog, kIdOk);
  });
}

void typePosition(const QString& ra, const QString& dec) {
  whenShown([ra, dec](QWidget* dialog) {
    typeInto(dialog, PositionDlg::kRightAscension, ra);
    typeInto(dialog, PositionDlg::kDeclination, dec);
    press(dialog, kIdOk);
  });
}

// --- the outcome messages --------------------------------------------------------------

// The text ids of each kind's messages; 0 where the failure cannot happen.
struct KindTexts {
  SearchKind kind;
  int notFound, belowHorizon;
};
constexpr KindTexts kKindTexts[] = {
    {SearchKind::kConstellation, 0, 10181},   {SearchKind::kStar, 10100, 10101},
    {SearchKind::kVariableStar, 10110, 101101}, {SearchKind::kDoubleStar, 10120, 10121},
    {SearchKind::kSolarSystemBody, 0, 10131}, {SearchKind::kComet, 10140, 10141},
    {SearchKind::kMinorPlanet, 10150, 10151}, {SearchKind::kDeepsky, 10160, 10161},
    {SearchKind::kPosition, 0, 10170},
};

// A program directory with a one-star catalog and no language files.
class SearchWindow : public testing::ProgramWindow {
 protected:
  SearchWindow() {
    writeOneStarCatalog();
    open();
    window->searches().setMessageSink(messages);
  }

  RecordedMessages messages;
};

TEST_F(SearchWindow, OutcomesShowTheBuiltInTextsWithoutALanguage) {
  SearchCommands& searches = window->searches();
  searches.report(SearchKind::kVariableStar, kSearchNotFound);
  searches.report(SearchKind::kVariableStar, kSearchBelowHorizon);
  searches.report(SearchKind::kDeepsky, kSearchNotFound);
  searches.report(SearchKind::kStar, kSearchCentred);
  searches.report(SearchKind::kSolarSystemBody, kSearchNotFound);
  ASSERT_EQ(messages.messages.size(), 3u);
  const Message& notFound = messages.messages[0];
  EXPECT_EQ(notFound.caption, "Hiba");
  EXPECT_EQ(notFound.text, "A keresett valtozocsillag nem talalhato az adatbazisban.");
  EXPECT_EQ(notFound.icon, QMessageBox::Critical);
  EXPECT_EQ(messages.messages[1].text, "A keresett valtozocsillag a horizont alatt van.");
  EXPECT_EQ(messages.messages[1].icon, QMessageBox::Warning);
  EXPECT_EQ(messages.messages[2].text, "");  // deep-sky objects carry no built-in text
  EXPECT_EQ(messages.messages[2].icon, QMessageBox::Critical);
}

TEST_F(SearchWindow, OutcomesShowTheLanguageTextOfTheirKind) {
  resources.setProgramDir(CELVARO_RUN_DIR);
  if (resources.loadLanguage(kEnglish) != 1) GTEST_SKIP() << "no English language file";
  for (const KindTexts& kind : kKindTexts) {
    messages.messages.clear();
    window->searches().report(kind.kind, kSearchNotFound);
    window->searches().report(kind.kind, kSearchBelowHorizon);
    ASSERT_EQ(messages.messages.size(), kind.notFound ? 2u : 1u) << static_cast<int>(kind.kind);
    const Message& below = messages.messages.back();
    EXPECT_EQ(below.text.toStdString(), resources.textOr(kind.belowHorizon, "missing"));
    EXPECT_EQ(below.icon, QMessageBox::Warning);
    EXPECT_EQ(below.caption, "Error");
    if (!kind.notFound) continue;
    EXPECT_EQ(messages.messages[0].text.toStdString(), resources.textOr(kind.notFound, "missing"));
    EXPECT_EQ(messages.messages[0].icon, QMessageBox::Critical);
  }
}

TEST_F(SearchWindow, TypedPositionGetsAnHourWideField) {
  model->chart.fieldArcmin = 600;
  typePosition("5:35:17", "-5:23");
  window->command(513);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_NEAR(model->chart.centreRaArcmin, (5 * 3600 + 35 * 60 + 17) / 4.0, 1);
  EXPECT_NEAR(model->chart.centreDecArcmin, -323, 1);
  EXPECT_EQ(model->chart.fieldArcmin, 3600);
  EXPECT_TRUE(model->lastCentringTarget.valid);
}

// --- the list and typed dialogs -----------------------------------------------------------

TEST(SearchDialogs, ConstellationsAreListedInTheirNumbering) {
  UiResources resources;
  DlgSearchConst dialog(resources);
  dialog.create(nullptr);
  auto* list = dialog.control<QListWidget>(PickListDialog::kList);
  ASSERT_EQ(list->count(), kConstellationCount);
  EXPECT_EQ(list->item(0)->text(), "Andromeda");
  EXPECT_EQ(list->item(75)->text(), "Serpens Caput");
  EXPECT_EQ(list->item(88)->text(), "Vulpecula");
  list->setCurrentRow(77);
  click(dialog, kIdOk);
  EXPECT_EQ(dialog.chosen(), 77);
  EXPECT_EQ(dialog.window()->result(), 1);
}

TEST(SearchDialogs, ADoubleClickTakesTheName) {
  UiResources resources;
  SolarSystem solar;
  DlgSearchSolarsys dialog(resources, solar);
  dialog.create(nullptr)->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
  auto* list = dialog.control<QListWidget>(PickListDialog::kList);
  ASSERT_EQ(list->count(), kBodyCount);
  EXPECT_EQ(list->item(kJupiter)->text(), "Jupiter");
  list->scrollToItem(list->item(kJupiter));
  const QPoint jupiter = list->visualItemRect(list->item(kJupiter)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, jupiter);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, jupiter);
  EXPECT_EQ(dialog.chosen(), kJupiter);
  EXPECT_EQ(dialog.window()->result(), 1);
}

TEST(SearchDialogs, MinorPlanetQueryTakesTheWayChosen) {
  UiResources resources;
  DlgSearchAsteroid dialog(resources);
  dialog.create(nullptr);
  EXPECT_TRUE(dialog.control<QRadioButton>(DlgSearchAsteroid::kFirstWay)->isChecked());
  click(dialog, DlgSearchAsteroid::kFirstWay + MinorPlanetQuery::kByDesignation);
  dialog.control<QLineEdit>(DlgSearchAsteroid::kText)->setText("2006 DA00");
  click(dialog, kIdOk);
  EXPECT_EQ(dialog.query().by, MinorPlanetQuery::kByDesignation);
  EXPECT_EQ(dialog.query().text, "2006 DA00");
}

// Left alone, the fields read back as the centre they showed, to the
// arcminute they are written in.
TEST(SearchDialogs, PositionStartsAtTheChartCentre) {
  UiResources resources;
  const double ra = 5.52 * kPi / 12, dec = -20.51 * kPi / 180;
  PositionDlg dialog(resources, ra, dec);
  dialog.create(nullptr);
  EXPECT_TRUE(dialog.control<QLineEdit>(PositionDlg::kRightAscension)->text().startsWith("05:31:"));
  click(dialog, kIdOk);
  EXPECT_NEAR(dialog.raRad() * kArcminPerRad, ra * kArcminPerRad, 1);
  EXPECT_NEAR(dialog.decRad() * kArcminPerRad, dec * kArcminPerRad, 1);
}

// --- the star dialogs over a small database --------------------------------------------------

int constellationNumber(std::string_view name) {
  for (int n = 0; n < kConstellationCount; ++n) {
    if (constellationName(n) == name) return n;
  }
  return -1;
}

StarIdRecord star(int hip, int hd, int hr, int sao, int ppm, int constellation, int letter, int flamsteed) {
  StarIdRecord r;
  r.hipparcos = hip, r.hd = hd, r.hr = hr, r.sao = sao, r.ppm = ppm;
  r.constellation = static_cast<int8_t>(constellation);
  r.greekLetter = static_cast<uint8_t>(letter);
  r.flamsteed = flamsteed;
  return r;
}

// Vega and Sheliak with their true designations, Vega also in the Tycho file.
class StarDialogs : public ::testing::Test {
 protected:
  StarDialogs() {
    const int lyra = constellationNumber("Lyra");
    StarIdContents contents;
    StarIdRecord vega = star(91262, 172167, 7001, 67174, 81558, lyra, 0, 3);
    vega.dmCatalogue = kBonner, vega.dmZone = 38, vega.dmNumber = 3238;
    vega.tycho = starid::packTycho(3105, 2070, 1);
    vega.raRad = 4.873565, vega.decRad = 0.676903;
    contents.records = {vega, star(92420, 174638, 7106, 67451, 81657, lyra, 1, 10)};
    contents.names = {{"Vega", 0}, {"Sheliak", 1}};
    contents.bayer = {{starid::bayerKey(lyra, 0, 0), 0}, {starid::bayerKey(lyra, 1, 0), 1}};
    contents.flamsteed = {{starid::flamsteedKey(lyra, 3), 0}, {starid::flamsteedKey(lyra, 10), 1}};
    contents.durchmusterung = {{starid::durchmusterungKey(kBonner, 38, 3238), 0}};
    testing::writeBytes(dir.file("starid.dat"), starIdBytes(contents));
    testing::writeBytes(dir.file("tycho.dat"), starIdTychoBytes({{vega.tycho, 0, vega.raRad, vega.decRad}}));
    EXPECT_EQ(stars.open(dir.file("starid.dat"), dir.file("tycho.dat")), 0);
  }
  // Runs a Find button and answers the HD number of the star found, 0 for none.
  int find(DlgSearchStarByName& dialog, int button) {
    click(dialog, button);
    return dialog.found() ? dialog.found()->hd : 0;
  }
  void type(FwDialogBase& dialog, int id, const char* text) { dialog.control<QLineEdit>(id)->setText(text); }

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
  EXPECT_EQ(messages.messages[0].caption, "Error");
  EXPECT_EQ(messages.messages[0].text, "There is no such star in the database.");
  EXPECT_EQ(messages.messages[0].icon, QMessageBox::Warning);
  click(dialog, kIdOk);  // nothing found: OK says so again and the dialog stays
  EXPECT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(dialog.window()->result(), 0);
  type(dialog, DlgSearchStarByName::kName, "Sheliak");
  find(dialog, DlgSearchStarByName::kFindName);
  click(dialog, kIdOk);
  EXPECT_EQ(dialog.window()->result(), 1);
}

TEST_F(StarDialogs, EachFindButtonReadsItsOwnFields) {
  DlgSearchStarByName dialog(resources, stars, messages);
  dialog.create(nullptr);
  // HD, HR, SAO, PPM and Hipparcos rows in that order.
  const char* vega[DlgSearchStarByName::kCatalogues] = {"172167", "7001", "67174", "81558", "91262"};
  for (int row = 0; row < DlgSearchStarByName::kCatalogues; ++row) {
    type(dialog, DlgSearchStarByName::kFirstNumber + row, vega[row]);
    EXPECT_EQ(find(dialog, DlgSearchStarByName::kFirstFindNumber + row), 172167) << row;
    type(dialog, DlgSearchStarByName::kFirstNumber + row, "");
  }
  dialog.control<QComboBox>(DlgSearchStarByName::kConstellation)->setCurrentText("Lyra");
  dialog.control<QComboBox>(DlgSearchStarByName::kGreekLetter)->setCurrentText("beta");
  EXPECT_EQ(find(dialog, DlgSearchStarByName::kFindBayer), 174638);
  type(dialog, DlgSearchStarByName::kFlamsteed, "3");
  EXPECT_EQ(find(dialog, DlgSearchStarByName::kFindFlamsteed), 172167);
  dialog.control<QComboBox>(DlgSearchStarByName::kDmCatalogue)->setCurrentText("Bonner Durchmusterung");
  type(dialog, DlgSearchStarByName::kDmZone, "+38");
  type(dialog, DlgSearchStarByName::kDmNumber, "3238");
  EXPECT_EQ(find(dialog, DlgSearchStarByName::kFindDm), 172167);
  type(dialog, DlgSearchStarByName::kTycho, "3105");
  type(dialog, DlgSearchStarByName::kTycho + 1, "2070");
  type(dialog, DlgSearchStarByName::kTycho + 2, "1");
  EXPECT_EQ(find(dialog, DlgSearchStarByName::kFindTycho), 172167);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(StarDialogs, TheNameListsChoiceIsRead) {
  DlgSearchStarByName dialog(resources, stars, messages);
  dialog.create(nullptr);
  pickFromList("Vega");
  EXPECT_EQ(find(dialog, DlgSearchStarByName::kNameList), 172167);
}

TEST_F(StarDialogs, TheQuickSearchTakesANameOrTheFullSearch) {
  DlgSimpleSearchStar quick(resources, stars, messages);
  quick.create(nullptr);
  EXPECT_EQ(quick.control<QLineEdit>(DlgSimpleSearchStar::kName)->maxLength(), 99);
  type(quick, DlgSimpleSearchStar::kName, "Polaris");
  click(quick, kIdOk);
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(quick.window()->result(), 0);
  whenShown([](QWidget* full) {
    typeInto(full, DlgSearchStarByName::kFirstNumber + 4, "92420");
    press(full, DlgSearchStarByName::kFirstFindNumber + 4);
    press(full, kIdOk);
  });
  click(quick, DlgSimpleSearchStar::kOtherDesignations);
  ASSERT_TRUE(quick.found());
  EXPECT_EQ(quick.found()->hd, 174638);
  EXPECT_EQ(quick.window()->result(), 1);
}

// --- on the built data ------------------------------------------------------------------------

// The angle between the chart centre and a position, in arcminutes.
double centreOffsetArcmin(const ChartSettings& chart, double raRad, double decRad) {
  const double ra = chart.centreRaArcmin / kArcminPerRad, dec = chart.centreDecArcmin / kArcminPerRad;
  const double c = std::sin(dec) * std::sin(decRad) + std::cos(dec) * std::cos(decRad) * std::cos(ra - raRad);
  return std::acos(std::min(1.0, c)) * kArcminPerRad;
}

// A new user's program over the built data, in English.
class BuiltDataSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
    resources.setProgramDir(CELVARO_RUN_DIR);
    resources.loadLanguage(kEnglish);
    model = std::make_unique<AppModel>(CELVARO_RUN_DIR, dir.file("celvaro.cfg"), resources);
    loadChartData(*model);
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
  void expectCentredOn(const StarPosition& at) { expectCentredOn(at.raRad, at.decRad); }
  // Within `toleranceArcmin` of a published J2000 position.
  void expectNear(double raHours, double decDeg, double toleranceArcmin) {
    EXPECT_LT(centreOffsetArcmin(model->chart, raHours * kPi / 12, decDeg * kPi / 180), toleranceArcmin);
  }
  void requireStarIds() {
    if (model->catalogs()->starIds().recordCount() == 0) GTEST_SKIP() << "no star identification data";
  }
  void setUniversalDate(const ChartDate& universal) {
    model->setUniversalDate(universal);
    model->timeChanged();
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

  ScratchDir dir;
  UiResources resources;
  std::unique_ptr<AppModel> model;
  std::unique_ptr<MainWindow> window;
  RecordedMessages messages;
};

// The number a property's value begins with ("20.4° east" is 20.4) within
// a relative tolerance.
void expectClose(const std::string& value, double expected, double relative, const char* what) {
  EXPECT_NEAR(leadingDouble(value) / expected, 1, relative) << what << ": " << value;
}

constexpr double kVegaRaHours = 18 + 36 / 60.0 + 56.3 / 3600, kVegaDecDeg = 38 + 47 / 60.0 + 1.3 / 3600;

TEST_F(BuiltDataSearch, VegaByName) {
  requireStarIds();
  whenShown([](QWidget* dialog) {
    typeInto(dialog, DlgSimpleSearchStar::kName, "Vega");
    press(dialog, kIdOk);
  });
  window->command(503);
  expectNear(kVegaRaHours, kVegaDecDeg, 2);
  EXPECT_LE(model->chart.fieldArcmin, 3600);
  // Selected as a click selects it: Object info shows the star's data.
  ASSERT_TRUE(model->selectionValid);
  EXPECT_EQ(model->selection.kind, kPickStar);
  const std::optional<ObjectInformation> info = objectInformation(*model);
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(std::find(info->properties.begin(), info->properties.end(), ObjectProperty{"Hipparcos number", "91262"}),
            info->properties.end());
}

// Designations and names typed into the one-line question, each within
// its tolerance of a published J2000 position (large nebulae's centres
// differ): the Beehive is M 44 (SIMBAD 08 40 24 +19 40 00).
TEST_F(BuiltDataSearch, DesignationsTypedIntoTheQuestion) {
  struct Case {
    int command;
    const char* typed;
    const char* designation;
    double raHours, decDeg, toleranceArcmin;
  };
  const Case cases[] = {{509, "M 13", "M 13", 16.69479, 36.45986, 2},
                        {509, "NGC 7000", "NGC 7000", 20.98808, 44.52889, 15},
                        {509, "Beehive", "M 44", 8.67333, 19.66667, 10},
                        {504, "RR Lyr", "RR Lyr", 19.42442, 42.78436, 2},
                        {505, "STF 1744", "STF 1744", 13.39875, 54.92528, 2}};
  const SkyCatalogs& catalogs = *model->catalogs();
  for (const Case& c : cases) {
    model->chart.fieldArcmin = 3600;
    answerQuestion(c.typed);
    window->command(c.command);
    StarPosition at;
    const bool found = c.command == 509   ? catalogs.deepsky()->findByDesignation(c.designation, at)
                       : c.command == 504 ? catalogs.variableStars()->findByDesignation(c.designation, at)
                                          : catalogs.doubleStars()->findByDesignation(c.designation, at) == kDoubleFound;
    ASSERT_TRUE(found) << c.designation;
    expectCentredOn(at);
    expectNear(c.raHours, c.decDeg, c.toleranceArcmin);
    EXPECT_EQ(model->chart.fieldArcmin, 1800) << c.typed;
  }
}

// A planet found by the search is selected, so Object info shows it with
// the events of its night, each with its date.
TEST_F(BuiltDataSearch, APlanetFoundShowsItsInformation) {
  whenShown([](QWidget* dialog) {
    testing::controlOf<QListWidget>(dialog, PickListDialog::kList)->setCurrentRow(kJupiter);
    press(dialog, kIdOk);
  });
  window->command(506);
  ASSERT_TRUE(model->selectionValid);
  const std::optional<ObjectInformation> info = objectInformation(*model);
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(info->description.find("Jupiter"), std::string::npos) << info->description;
  EXPECT_TRUE(QString::fromStdString(info->localTimes[1]).contains(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d ")))
      << info->localTimes[1];
}

// Vega by its HD number: its identifications and Hipparcos data
// (Hipparcos 91262, HR 7001, SAO 67174, V 0.03).
TEST_F(BuiltDataSearch, AStarFoundByItsHdNumberShowsItsData) {
  requireStarIds();
  whenShown([](QWidget* dialog) {
    typeInto(dialog, DlgSimpleSearchStar::kName, "HD 172167");
    press(dialog, kIdOk);
  });
  window->command(503);
  ASSERT_TRUE(model->selectionValid);
  const std::optional<ObjectInformation> info = objectInformation(*model);
  ASSERT_TRUE(info.has_value());
  EXPECT_NE(info->description.find("Vega"), std::string::npos) << info->description;
  std::map<std::string, std::string> p = selectionProperties();
  EXPECT_EQ(p["Hipparcos number"], "91262");
  EXPECT_EQ(p["HD number"], "172167");
  EXPECT_EQ(p["HR number"], "7001");
  EXPECT_EQ(p["SAO number"], "67174");
  EXPECT_EQ(p["Visual magnitude"], "0.03");
  EXPECT_EQ(p["Proper name"], "Vega");
}

// Jupiter on 2024-04-21 0h UT and the Moon on 2026-02-15 6h UT against
// PyEphem 4.1.4 (geocentric): Jupiter 5.93826 AU from the Earth and
// 5.00896 from the Sun, 20.44 degrees east of it, 33.13" across, 99.88 %
// lit, in Aries; its magnitude by the Almanac's law on those distances
// -2.01 (PyEphem's own law says -1.86). The Moon 393631 km away, in
// Capricornus, 27.42 days after the new Moon of January 18, the next one
// on February 17 12:01:05 UT (14:01 on the chart's clock, 2 hours ahead).
TEST_F(BuiltDataSearch, PlanetsAndTheMoonFoundShowTheirFacts) {
  setUniversalDate({2024, 4, 21, 0, 0, 0});
  pickFromList("Jupiter");
  window->command(506);
  std::map<std::string, std::string> p = selectionProperties();
  expectClose(p["Distance from the Earth (AU)"], 5.93826, 0.001, "distance");
  expectClose(p["Distance from the Sun (AU)"], 5.00896, 0.001, "distance from the Sun");
  expectClose(p["Elongation from the Sun"], 20.44, 0.005, "elongation");
  EXPECT_TRUE(p["Elongation from the Sun"].ends_with(" east")) << p["Elongation from the Sun"];
  expectClose(p["Apparent diameter"], 33.13, 0.01, "diameter");
  EXPECT_NEAR(leadingDouble(p["Illuminated fraction"]), 99.88, 1);
  EXPECT_NEAR(leadingDouble(p["Magnitude"]), -2.01, 0.1);
  EXPECT_EQ(p["Constellation"], "Aries");

  setUniversalDate({2026, 2, 15, 6, 0, 0});
  pickFromList("Moon");
  window->command(506);
  p = selectionProperties();
  expectClose(p["Distance from the Earth (km)"], 393631, 0.001, "distance");
  EXPECT_EQ(p["Constellation"], "Capricornus");
  EXPECT_NEAR(leadingDouble(p["Age of the Moon (days)"]), 27.42, 0.05);
  EXPECT_TRUE(p["New Moon (Local time)"].starts_with("2026-02-17 14:0")) << p["New Moon (Local time)"];
  for (const char* quarter : {"First quarter (Local time)", "Full Moon (Local time)", "Last quarter (Local time)"}) {
    EXPECT_FALSE(p[quarter].empty()) << quarter;
  }
}

// 12P/Pons-Brooks and Ceres from the built element lists on 2024-04-21 0h
// UT against PyEphem 4.1.4's EllipticalBody of the same elements: 12P
// magnitude 8.95 (g 9, k 4), 1.60377 AU from the Earth, 0.78108 from the
// Sun, 22.78 degrees east of it, in Taurus; Ceres magnitude 8.61 (H 3.33,
// G 0.12), 2.47045 and 2.84643 AU, 101.49 degrees west, in Sagittarius.
TEST_F(BuiltDataSearch, ACometAndAnAsteroidFoundShowTheirFacts) {
  setUniversalDate({2024, 4, 21, 0, 0, 0});
  const struct {
    int command;
    const char* name;
    double magnitude, earthAu, sunAu, elongation;
    const char* side;
    const char* constellation;
  } cases[] = {{507, "12P/Pons-Brooks", 8.95, 1.60377, 0.78108, 22.78, " east", "Taurus"},
               {508, "Ceres", 8.61, 2.47045, 2.84643, 101.49, " west", "Sagittarius"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.command == 507) {
      pickFromList(c.name);
    } else {
      whenShown([&c](QWidget* dialog) {
        typeInto(dialog, DlgSearchAsteroid::kText, c.name);
        press(dialog, kIdOk);
      });
    }
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
}

// Ursa Major: its names, the IAU's area and its brightest stars (Alioth
// 1.77, Dubhe 1.79, Alkaid 1.86).
TEST_F(BuiltDataSearch, AConstellationFoundShowsItsNamesAreaAndStars) {
  pickFromList("Ursa Major");
  window->command(502);
  ASSERT_TRUE(model->selectionValid);
  std::map<std::string, std::string> p = selectionProperties();
  EXPECT_EQ(p["English"], "Ursa Major");
  EXPECT_EQ(p["Magyar"], "Nagy Medve");
  EXPECT_EQ(p["Deutsch"], "Großer Bär");
  EXPECT_EQ(p["Română"], "Ursa mare");
  EXPECT_EQ(p["Area (square degrees)"], "1279.66");
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

TEST_F(BuiltDataSearch, JupiterAndOrionFromTheirLists) {
  pickFromList("Jupiter");
  window->command(506);
  const auto jupiter = model->catalogs()->solarSystem().bodyPosition(kJupiter);
  expectCentredOn(jupiter->raRad, jupiter->decRad);
  model->chart.fieldArcmin = 1200;
  pickFromList("Orion");
  window->command(502);
  double ra = 0, dec = 0;
  ASSERT_TRUE(constellationPosition(constellationNumber("Orion"), ra, dec));
  expectCentredOn(ra, dec);
  EXPECT_EQ(model->chart.fieldArcmin, 3600);
}

TEST_F(BuiltDataSearch, CeresByNameAndANumberOnlyTheLongListHolds) {
  SolarSystem& solar = model->catalogs()->solarSystem();
  whenShown([](QWidget* dialog) {
    typeInto(dialog, DlgSearchAsteroid::kText, "Ceres");
    press(dialog, kIdOk);
  });
  window->command(508);
  StarPosition ceres;
  ASSERT_TRUE(solar.objectPosition(solar.findInLongList(1), -1, ceres));
  expectNear(ceres.raRad * 12 / kPi, ceres.decRad * 180 / kPi, 5);  // the two lists' elements agree
  EXPECT_EQ(objectKind(model->chart.asteroidTrack.object), kBrightList);
  StarPosition selected;
  ASSERT_TRUE(solar.objectPosition(model->chart.asteroidTrack.object, -1, selected));
  expectCentredOn(selected);

  whenShown([](QWidget* dialog) {
    press(dialog, DlgSearchAsteroid::kFirstWay + MinorPlanetQuery::kByNumber);
    typeInto(dialog, DlgSearchAsteroid::kText, "433");
    press(dialog, kIdOk);
  });
  window->command(508);
  EXPECT_EQ(model->chart.asteroidTrack.object, solar.findInLongList(433));
  ASSERT_TRUE(solar.objectPosition(model->chart.asteroidTrack.object, -1, selected));
  expectCentredOn(selected);
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
  StarPosition m31;
  ASSERT_TRUE(model->catalogs()->deepsky()->findById(kIdMessier, 31, m31));
  expectCentredOn(m31);
}

}  // namespace
}  // namespace celvaro

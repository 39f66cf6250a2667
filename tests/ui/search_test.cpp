// The search commands: what their dialogs answer and the messages of the
// three outcomes (the built data's objects: search_built_data_test.cpp).
#include "ui/search_driving.h"

namespace celvaro {
namespace {

using namespace testing;
using Message = RecordedMessages::Message;

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
class SearchWindow : public ProgramWindow {
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

using SearchDialogs = DialogTest;

TEST_F(SearchDialogs, ConstellationsAreListedInTheirNumbering) {
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

TEST_F(SearchDialogs, ADoubleClickTakesTheName) {
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

TEST_F(SearchDialogs, MinorPlanetQueryTakesTheWayChosen) {
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
TEST_F(SearchDialogs, PositionStartsAtTheChartCentre) {
  const double ra = 5.52 * 15 * kRad, dec = -20.51 * kRad;
  PositionDlg dialog(resources, ra, dec);
  dialog.create(nullptr);
  EXPECT_TRUE(dialog.control<QLineEdit>(PositionDlg::kRightAscension)->text().startsWith("05:31:"));
  click(dialog, kIdOk);
  EXPECT_NEAR(dialog.raRad() * kArcminPerRad, ra * kArcminPerRad, 1);
  EXPECT_NEAR(dialog.decRad() * kArcminPerRad, dec * kArcminPerRad, 1);
}

// --- the star dialogs over a small database --------------------------------------------------

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

}  // namespace
}  // namespace celvaro

// The search commands: a typed position, a list dialog and the star
// dialogs over a small database (the built data's objects:
// search_built_data_test.cpp).
#include "ui/search_driving.h"

namespace celvaro {
namespace {

using namespace testing;

// A program directory with a one-star catalog.
class SearchWindow : public ProgramWindow {
 protected:
  SearchWindow() {
    writeOneStarCatalog(dir);
    open();
    window->searches().setMessageSink(messages);
  }

  RecordedMessages messages;
};

TEST_F(SearchWindow, TypedPositionGetsAnHourWideField) {
  model->chart.fieldArcmin = 600;
  whenShown([](QWidget* dialog) {
    typeInto(dialog, PositionDlg::kRightAscension, "5:35:17");
    typeInto(dialog, PositionDlg::kDeclination, "-5:23");
    press(dialog, kIdOk);
  });
  window->command(513);
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_NEAR(model->chart.centreRaArcmin, (5 * 3600 + 35 * 60 + 17) / 4.0, 1);
  EXPECT_NEAR(model->chart.centreDecArcmin, -323, 1);
  EXPECT_EQ(model->chart.fieldArcmin, 3600);
  EXPECT_TRUE(model->lastCentringTarget.valid);
}

// --- a list dialog ----------------------------------------------------------------------

using SearchDialogs = DialogTest;

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
  EXPECT_EQ(messages.messages[0].text, "There is no such star in the database.");
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

TEST_F(StarDialogs, TheQuickSearchTakesANameOrTheFullSearch) {
  DlgSimpleSearchStar quick(resources, stars, messages);
  quick.create(nullptr);
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

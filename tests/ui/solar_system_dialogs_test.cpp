// The solar-system dialogs driven through their controls: what OK writes
// back, what Cancel leaves alone, the asteroid typed for its track and the
// comet list window over small element files.
#include "ui/ui_test_support.h"

#include "solarsystem/element_files.h"
#include "ui/dialogs/dlg_cometlist.h"
#include "ui/dialogs/dlg_comets.h"
#include "ui/dialogs/dlg_minor_planet_tracks.h"
#include "ui/dialogs/dlg_minor_planets.h"
#include "ui/dialogs/dlg_solar_system.h"

namespace celvaro {
namespace {

using namespace testing;

using SolarSystemDialogs = DialogTest;

// The track's numbers through OK: TypedNumbers.TrackNumbersAreRefusedByNameUntilMended.
TEST_F(SolarSystemDialogs, PlanetTracksCancelKeepsAndOkWritesTheBodies) {
  const ChartSettings before = chart;
  for (int button : {kIdCancel, kIdOk}) {
    DlgPlanetTracks dialog(resources, chart);
    dialog.create(nullptr);
    click(dialog, DlgPlanetTracks::kFirstBody + kMars);
    click(dialog, DlgPlanetTracks::kDateLabels);
    click(dialog, button);
    if (button == kIdCancel) {
      EXPECT_EQ(chart, before);
    }
  }
  const PlanetTrackSettings& t = chart.planetTracks;
  EXPECT_EQ(std::tuple(t.bodies[kMars], t.bodies[kVenus], t.dateLabels), std::tuple(1, 0, 0));
}

// The example elements date from 2006 (perihelion 2006-08-28.69, epoch
// 2006-09-22): a chart of 2007 keeps them, one of 2025 or of 1990 is more
// than ten years away and the dialogs say so.
TEST_F(SolarSystemDialogs, UserOrbitsFarFromTheChartDateAreFlagged) {
  const struct {
    ChartDate chartDate;
    bool flagged;
  } cases[] = {{{2007, 6, 15, 20, 0, 0}, false}, {{2025, 3, 1, 20, 0, 0}, true}, {{1990, 1, 1, 0, 0, 0}, true}};
  UserComet comet;
  UserAsteroid asteroid;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chartDate.year);
    chart.chartDate = c.chartDate;
    DlgComets cometDialog(resources, comet, chart.chartDate);
    cometDialog.create(nullptr);
    DlgMinorPlanets asteroidDialog(resources, chart, asteroid);
    asteroidDialog.create(nullptr);
    const QLabel* notes[] = {cometDialog.control<QLabel>(DlgComets::kOutdated),
                             asteroidDialog.control<QLabel>(DlgMinorPlanets::kOutdated)};
    for (const QLabel* note : notes) {
      EXPECT_EQ(note != nullptr, c.flagged);
      if (note) {
        EXPECT_TRUE(note->text().contains("more than ten years"));
      }
    }
  }
}

// --- with the element files -----------------------------------------------------------

class SolarSystemData : public ProgramWindow {
 protected:
  void loadElements(bool withComets) {
    std::filesystem::create_directories(dir.path() / "data/mpc");
    writeBytes(dir.file("data/mpc/Soft00Bright.txt"), kCeres + "\n");
    if (withComets) writeBytes(dir.file("data/mpc/CometEls.txt"), "\n" + kHaleBopp + "\n");
    load();
  }
  SolarSystem& solar() { return model->catalogs()->solarSystem(); }
};

TEST_F(SolarSystemData, TrackedAsteroidByNumberOrName) {
  loadElements(false);
  const int32_t ceres = objectId(kBrightList, 0);
  for (const char* typed : {"1", " Ceres ", "(1) Ceres"}) {
    model->chart.asteroidTrack.object = -1;
    DlgMinorPlanetTracks dialog(resources, model->chart, solar());
    dialog.create(nullptr);
    type(dialog, DlgMinorPlanetTracks::kAsteroid, typed);
    click(dialog, kIdOk);
    EXPECT_EQ(model->chart.asteroidTrack.object, ceres) << typed;
  }
  DlgMinorPlanetTracks dialog(resources, model->chart, solar());
  dialog.create(nullptr);
  EXPECT_EQ(dialog.control<QLineEdit>(DlgMinorPlanetTracks::kAsteroid)->text(), "(1) Ceres");
  type(dialog, DlgMinorPlanetTracks::kAsteroid, "");
  click(dialog, kIdOk);
  EXPECT_EQ(model->chart.asteroidTrack.object, -1);
}

TEST_F(SolarSystemData, UnknownAsteroidIsRefusedAndTheDialogStays) {
  loadElements(false);
  DlgMinorPlanetTracks dialog(resources, model->chart, solar());
  dialog.create(nullptr);
  type(dialog, DlgMinorPlanetTracks::kAsteroid, "zzz");
  type(dialog, DlgMinorPlanetTracks::kAsteroidTrack + 2, "55");
  EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }), QStringList{"No such minor planet."});
  EXPECT_NE(dialog.window()->result(), QDialog::Accepted);
  EXPECT_EQ(model->chart.asteroidTrack.object, -1);
  EXPECT_EQ(model->chart.asteroidTrack.days, 100);
}

TEST_F(SolarSystemData, CometListTracksTheChosenComet) {
  loadElements(true);
  MainWindow window(resources, *model);
  window.command(405);
  auto* list = window.findChild<QTableWidget*>(FwDialogBase::objectName(DlgCometlist::kTable));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->rowCount(), 1);  // the blank first line is no comet
  EXPECT_EQ(list->item(0, 0)->text(), "C/1995 O1 (Hale-Bopp)");
  EXPECT_EQ(list->item(0, 1)->text(), "1997.03.29/15:31");
  EXPECT_FALSE(list->item(0, 4)->text().isEmpty());
  EXPECT_TRUE(list->window()->findChild<QWidget*>(FwDialogBase::objectName(DlgCometlist::kNotLoaded))->isHidden());
  list->setCurrentCell(0, 0);
  const int field = model->chart.fieldArcmin;
  QTest::mouseClick(list->window()->findChild<QWidget*>(FwDialogBase::objectName(DlgCometlist::kTrack)), Qt::LeftButton);
  EXPECT_EQ(model->chart.cometTrack.object, objectId(kCometList, 1));
  EXPECT_EQ(model->chart.cometTrack.shown, 1);
  StarPosition comet;
  ASSERT_TRUE(solar().comets().position(1, comet));
  EXPECT_NEAR(model->chart.centreDecArcmin, comet.decRad * 10800 / 3.141592653589793, 1);
  EXPECT_EQ(model->chart.fieldArcmin, field);
}

TEST_F(SolarSystemData, CometListSaysWhenItIsNotLoaded) {
  loadElements(false);
  DlgCometlist dialog(resources, *model);
  dialog.showOver(nullptr);
  EXPECT_EQ(dialog.control<QTableWidget>(DlgCometlist::kTable)->rowCount(), 0);
  EXPECT_FALSE(dialog.control(DlgCometlist::kNotLoaded)->isHidden());
}

}  // namespace
}  // namespace celvaro

// The chart settings' dialogs driven through their controls: what each shows
// when it opens, what OK leaves in the chart settings and the bits and slots
// it must leave alone; the solar-system dialogs over small element files.
#include "ui/ui_test_support.h"

#include "solarsystem/element_files.h"
#include "ui/dialogs/dlg_chart_settings.h"
#include "ui/dialogs/dlg_cometlist.h"
#include "ui/dialogs/dlg_comets.h"
#include "ui/dialogs/dlg_deepsky.h"
#include "ui/dialogs/dlg_minor_planet_tracks.h"
#include "ui/dialogs/dlg_minor_planets.h"

namespace celvaro {
namespace {

using namespace testing;

class ChartDialogs : public ProgramWindow {
 protected:
  ChartDialogs() { open(); }
};

bool checked(QWidget* dialog, int id) {
  auto* button = controlOf<QAbstractButton>(dialog, id);
  return button && button->isChecked();
}

// Projection and mirror mode are two choices: each shows the chart's, and
// choosing one leaves the other as it is.
TEST_F(ChartDialogs, ProjectionDialogShowsAndKeepsBothChoices) {
  using D = DlgSimpleProjection;
  model->chart.projectionId = 3;  // stereographic
  model->chart.mirrorMode = 2;    // vertical
  std::vector<int> shown;
  whenShown([&](QWidget* dialog) {
    for (int id : {200, 201, 202, 203, 204, 300, 301, 302, 303}) {  // five projections, four mirror modes
      if (checked(dialog, id)) shown.push_back(id);
    }
    press(dialog, D::kFirstMirror + 1);  // central
    EXPECT_TRUE(checked(dialog, D::kFirstProjection + 3));
    press(dialog, kIdOk);
  });
  window->command(100);
  EXPECT_EQ(shown, (std::vector<int>{203, 302}));
  EXPECT_EQ(std::tuple(model->chart.projectionId, model->chart.mirrorMode), std::tuple(3u, 1u));

  whenShown([&](QWidget* dialog) {
    press(dialog, D::kFirstProjection + 4);  // gnomonic
    EXPECT_TRUE(checked(dialog, D::kFirstMirror + 1));
    press(dialog, kIdOk);
  });
  window->command(100);
  EXPECT_EQ(std::tuple(model->chart.projectionId, model->chart.mirrorMode), std::tuple(4u, 1u));
}

// Saving under a typed name: the file dialog adds ".clv" itself, so its
// question about replacing a file is asked for the file that is written.
// What the question and a failed save say is recorded.
class SettingFileSave : public ChartDialogs {
 protected:
  // Types `name` into the save dialog of command 107 and accepts it; a
  // message box it raises is answered with `answer`. The dialog is
  // cancelled if it is still open after that.
  void save(const QString& name, QMessageBox::StandardButton answer) {
    messages.clear();
    whenShown([&](QWidget* dialog) {
      auto* files = qobject_cast<QFileDialog*>(dialog);
      ASSERT_NE(files, nullptr);
      files->setDirectory(QString::fromStdString(dir.path().string()));
      files->selectFile(name);
      whenShown([&](QWidget* shown) {
        auto* box = qobject_cast<QMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        messages.push_back(box->text().toStdString());
        ASSERT_NE(box->button(answer), nullptr);
        box->button(answer)->click();
      }, dialog);
      static_cast<QDialog*>(files)->accept();  // the Save button
      if (files->isVisible()) files->reject();
    });
    window->command(107);
  }

  std::vector<std::string> messages;
};

TEST_F(SettingFileSave, ReplacingAFileIsAskedForTheNameWithItsExtension) {
  const std::string kept = dir.file("foo.clv");
  writeBytes(kept, "needhorizon=0\r\n");
  save("foo", QMessageBox::No);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("foo.clv"), std::string::npos) << messages[0];
  EXPECT_EQ(readBytes(kept), "needhorizon=0\r\n");

  save("foo", QMessageBox::Yes);
  EXPECT_EQ(readBytes(kept).rfind("needequatorialgrid=", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir.file("foo.clv.clv")));
}

// A file that cannot be written is named with the system's reason.
TEST_F(SettingFileSave, AFailedSaveSaysWhichFileAndWhy) {
  std::filesystem::create_symlink(dir.path() / "gone" / "x.clv", dir.path() / "lost.clv");
  save("lost.clv", QMessageBox::Ok);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(dir.file("lost.clv")), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find(std::strerror(ENOENT)), std::string::npos) << messages[0];
}

// --- the deep-sky layer's dialogs ----------------------------------------------------

// Short or missing texts leave a wide box's centre outside its clickable part.
void toggle(FwDialogBase& dialog, int id) { dialog.control<QAbstractButton>(id)->click(); }

using StarLayerDialogs = DialogTest;

TEST_F(StarLayerDialogs, CatalogIdsWriteTheirMaskBitsOnly) {
  using D = DlgDeepskyCatalogIds;
  chart.deepskyIdentifiers.mask |= 128;
  D dialog(resources, chart);
  QWidget* window = dialog.create(nullptr);
  // Wide enough that the title bar shows the whole title ("Deep-sky c…g identifiers" was cut).
  EXPECT_GT(window->minimumWidth(), window->fontMetrics().horizontalAdvance(window->windowTitle()) + 100);
  toggle(dialog, D::kFirstDesignation);      // Messier off
  toggle(dialog, D::kFirstDesignation + 3);  // UGC on
  click(dialog, D::kOnlyOne);
  click(dialog, kIdOk);
  using B = DeepskyIdentifierSettings;
  EXPECT_EQ(chart.deepskyIdentifiers, (B{B::kNgc | B::kIc | B::kUgc | 128, 0, 1}));
}

TEST_F(StarLayerDialogs, TypeRowsWriteTheirOwnSlots) {
  using D = DlgDeepskyLabelsForTypes;
  D dialog(resources, chart);
  dialog.create(nullptr);
  EXPECT_EQ(dialog.control<QLabel>(D::cellId(15, D::kNameColumn))->text(), "Quasars");
  click(dialog, D::kPerType);
  toggle(dialog, D::cellId(15, D::kShownColumn));
  toggle(dialog, D::cellId(6, D::kSecondLabelColumn));
  type(dialog, D::cellId(15, D::kLevelColumn), "-2");
  type(dialog, D::cellId(1, D::kLabelLevelColumn), "99");
  EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }),
            QStringList{"Label level offset must be between -10 and 10."});
  type(dialog, D::cellId(1, D::kLabelLevelColumn), "10");
  click(dialog, kIdOk);
  EXPECT_EQ(std::tuple(chart.deepskyPerType, chart.deepskyTypes[15], chart.deepskyTypes[6],
                       chart.deepskyTypes[1].labelOffset),
            std::tuple(1, (DeepskyTypeSettings{0, -2, 1, 1, 0}), (DeepskyTypeSettings{1, 0, 1, 0, 0}), 10));
  for (int type = 11; type <= 14; ++type) EXPECT_EQ(chart.deepskyTypes[type], DeepskyTypeSettings{}) << type;
}

// --- the solar-system dialogs ----------------------------------------------------------

using SolarSystemDialogs = DialogTest;

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
    DlgMinorPlanets asteroidDialog(resources, chart, asteroid);
    cometDialog.create(nullptr);
    asteroidDialog.create(nullptr);
    for (const QLabel* note : {cometDialog.control<QLabel>(DlgComets::kOutdated),
                               asteroidDialog.control<QLabel>(DlgMinorPlanets::kOutdated)}) {
      EXPECT_EQ(note && note->text().contains("more than ten years"), c.flagged);
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
}

TEST_F(SolarSystemData, UnknownAsteroidIsRefusedAndTheDialogStays) {
  loadElements(false);
  DlgMinorPlanetTracks dialog(resources, model->chart, solar());
  dialog.create(nullptr);
  type(dialog, DlgMinorPlanetTracks::kAsteroid, "zzz");
  type(dialog, DlgMinorPlanetTracks::kAsteroidTrack + 2, "55");
  EXPECT_EQ(messagesDuring([&] { click(dialog, kIdOk); }), QStringList{"No such minor planet."});
  EXPECT_NE(dialog.window()->result(), QDialog::Accepted);
  EXPECT_EQ(std::tuple(model->chart.asteroidTrack.object, model->chart.asteroidTrack.days), std::tuple(-1, 100));
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

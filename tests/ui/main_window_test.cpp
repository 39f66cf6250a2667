// The desktop program driven through its real widgets with key and mouse
// events, checked in the model and the status bar.
#include "ui/ui_test_support.h"

#include <QToolTip>

#include "catalog/variable_star_data.h"
#include "double_variable_writers.h"
#include "ui/dialogs/dlg_navigation_settings.h"
#include "ui/dialogs/dlg_panel_telescope.h"

namespace celvaro {
namespace {

using namespace testing;

// A program directory with a one-star catalog: the star sits at the chart
// centre (right ascension and declination 0).
class DesktopTest : public ProgramWindow {
 protected:
  DesktopTest() {
    writeOneStarCatalog(dir);
    open();
  }
  // Where the projection of the chart on screen puts a sky position.
  QPoint pixelOf(double raRad, double decRad) {
    chart().repaintNow();
    ProjectedPoint p;
    EXPECT_TRUE(model->projection().project(raRad, decRad, p));
    return centre() + QPoint(p.x, -p.y);
  }
};

// "Centre here" centres the sky that was under the pointer, also near the
// pole, where a straight shift by the pointer's offset misses by degrees,
// in a mirrored chart and in the horizontal frame. What was under the
// pointer is found by projecting known sky positions before the click.
TEST_F(DesktopTest, CentreHereCentresTheSkyUnderThePointer) {
  const std::pair<double, double> targets[] = {{45, 62}, {210, 70}, {300, 88}, {20, 78}};
  auto centreNearThePole = [&] {
    model->chart.horizontalMode = 0;
    model->chart.centreRaArcmin = 0;
    model->chart.centreDecArcmin = 80 * 60;
    model->chart.fieldArcmin = 3600;
    model->applyView();
  };
  for (uint32_t mirror : {kMirrorNone, kMirrorHorizontal}) {
    model->chart.mirrorMode = mirror;
    for (const auto& [ra, dec] : targets) {
      centreNearThePole();
      contextCommand(pixelOf(ra * kRad, dec * kRad), ChartWindow::kCentre);
      const QPoint moved = pixelOf(ra * kRad, dec * kRad) - centre();
      EXPECT_LE(std::max(std::abs(moved.x()), std::abs(moved.y())), 1) << ra << " " << dec << " mirror " << mirror;
    }
  }
  model->chart.mirrorMode = kMirrorNone;
  model->centreOnHorizontal(75 * 60, 0);
  model->applyView();
  const double ra = model->chart.centreRaArcmin * kRad / 60 + 0.3, dec = model->chart.centreDecArcmin * kRad / 60 + 0.2;
  contextCommand(pixelOf(ra, dec), ChartWindow::kCentreField30);
  const QPoint moved = pixelOf(ra, dec) - centre();
  EXPECT_LE(std::max(std::abs(moved.x()), std::abs(moved.y())), 1) << "horizontal frame";
  EXPECT_EQ(model->chart.fieldArcmin, 1800);
  model->centreOnHorizontal(5 * 60, 0);  // a point below the horizon centres the horizon
  model->applyView();
  chart().repaintNow();
  contextCommand(centre() + QPoint(0, chart().height() / 3), ChartWindow::kCentre);
  EXPECT_EQ(model->chart.centreAltArcmin, 0);
  const int azimuth = (model->chart.centreAzArcmin + 21600) % 21600;
  EXPECT_LE(std::min(azimuth, 21600 - azimuth), 60);  // still due south
}

// After a dialog closes the chart has the keyboard focus, and keys pressed
// on the main window reach the chart wherever its focus is, except in
// controls that take the keys themselves.
TEST_F(DesktopTest, KeysReachTheChartAfterADialogCloses) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  model->chart.fieldArcmin = 3600;
  whenShown([](QWidget* dialog) { press(dialog, kIdOk); });
  window->action(702)->trigger();  // the navigation dialog, left with OK
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &chart(); }, 1000));
  QTest::keyClick(window->windowHandle(), Qt::Key_PageUp);
  EXPECT_EQ(model->chart.fieldArcmin, 3240);
  QWidget* panel = window->telescopePanel().window();
  panel->findChild<QPushButton*>("id" + QString::number(TelescopeDialogBase::kConnect))->setFocus();
  QTest::keyClick(window->windowHandle(), Qt::Key_PageDown);
  EXPECT_EQ(model->chart.fieldArcmin, 3888);
  QTest::keyClick(window->windowHandle(), Qt::Key_Left);
  EXPECT_EQ(model->chart.centreRaArcmin, 180 * 8 / 2);  // base step 180 at 60 degrees, 8 pan steps
  auto* slider = panel->findChild<QSlider*>("id" + QString::number(TelescopeDialogBase::kSlowRate));
  slider->setFocus();
  const int rate = slider->value();
  QTest::keyClick(window->windowHandle(), Qt::Key_Right);
  EXPECT_EQ(slider->value(), rate + 1);
  EXPECT_EQ(model->chart.centreRaArcmin, 180 * 8 / 2);
}

// The pointer's tooltip names only what is under the pointer now: it goes
// when the chart moves under it (here as the gamepad pans in map mode,
// with no key or mouse event) and when a dialog opens; after a dialog
// closes, none shows until the pointer moves on the chart again.
TEST_F(DesktopTest, TheTooltipNamesWhatIsUnderThePointerNow) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  constexpr int kRest = 6 * ChartWindow::kTooltipTickMs;
  constexpr int kHideDelay = 500;  // a tooltip fades for 300 ms once told to hide
  QTest::mouseMove(&chart(), centre());  // over the star
  ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2 * kRest));
  EXPECT_EQ(QToolTip::text(), "HIP 1 [100]");
  chart().navigator().pan(PanDirection::kLeft, false);  // the star moves away
  window->refresh();
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, kHideDelay));
  QTest::qWait(2 * kRest);
  EXPECT_FALSE(QToolTip::isVisible());

  chart().navigator().pan(PanDirection::kRight, false);  // the star back under the pointer
  window->refresh();
  QTest::mouseMove(&chart(), centre() + QPoint(2, 2));
  bool hidden = false;
  whenShown([&](QWidget* dialog) {
    hidden = QTest::qWaitFor([] { return !QToolTip::isVisible(); }, kHideDelay);
    press(dialog, kIdCancel);
  });
  window->action(702)->trigger();
  EXPECT_TRUE(hidden);
  window->activateWindow();  // as the window manager gives the window back
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::qWait(2 * kRest);
  EXPECT_FALSE(QToolTip::isVisible());
  QTest::mouseMove(&chart(), centre() + QPoint(3, 3));
  EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2 * kRest));
}

using Dialogs = DialogTest;

// Each slider's steps are shown beside it; what OK keeps: DesktopProgram.ExitAndEndingSignalsWriteTheSettings.
TEST_F(Dialogs, NavigationSlidersShowTheirSteps) {
  NavigationSettings settings{20, 20, 20, 0};
  DlgNavigationSettings dialog(resources, settings);
  dialog.create(nullptr);
  auto shown = [&dialog](int i) { return dialog.control<QLabel>(DlgNavigationSettings::kStepsShown + i)->text(); };
  EXPECT_EQ(shown(0), "20");
  dialog.control<QSlider>(DlgNavigationSettings::kZoomSteps)->setValue(9);
  EXPECT_EQ(shown(2), "10");
}

// --- what the status bar and the tooltip name when the user clicks a double
// or a variable star: the heading of its kind and the designation the
// source catalogs give it ---------------------------------------------------------------

constexpr double kRadPerHour = 15 * kRad;

// Rigel's pair, WDS 05145-0812, discoverer designation STF 668.
constexpr double kRigelRa = (5 + 14 / 60.0 + 32.27 / 3600) * kRadPerHour;
constexpr double kRigelDec = -(8 + 12 / 60.0 + 5.9 / 3600) * kRad;
// Betelgeuse, GCVS alf Ori: semi-regular, 0.0 to 1.6 magnitudes.
constexpr double kBetelgeuseRa = (5 + 55 / 60.0 + 10.31 / 3600) * kRadPerHour;
constexpr double kBetelgeuseDec = (7 + 24 / 60.0 + 25.4 / 3600) * kRad;
constexpr int kOrion = 60;      // in the packed list of the 88 abbreviations
constexpr int kAlpha = 9001;

// Both catalogs in the regional versions the catalog builder writes.
void writeCatalogs(const ScratchDir& dir) {
  std::filesystem::create_directories(dir.path() / "data");
  DoubleStarEntry rigel;
  rigel.raRad = kRigelRa, rigel.decRad = kRigelDec;
  rigel.designation = "STF 668";
  rigel.primary = 13, rigel.companion = 680, rigel.separation = 95;
  const SkyRegionLayout doubles = skyRegionLayout({{kRigelRa, kRigelDec, 13}});
  writeBytes(dir.file("data/doubles_d3.dat"), doubleStarCatalogBytes(4, doubles.regions, {rigel}));
  VariableStarEntry betelgeuse;
  betelgeuse.raRad = kBetelgeuseRa, betelgeuse.decRad = kBetelgeuseDec;
  betelgeuse.brightest = 0, betelgeuse.faintest = 1600;
  betelgeuse.typeFlags = kVariableL;
  betelgeuse.constellation = kOrion;
  betelgeuse.code = kAlpha;
  const SkyRegionLayout variables = skyRegionLayout({{kBetelgeuseRa, kBetelgeuseDec, 0}});
  writeBytes(dir.file("data/variables.dat"), variableStarCatalogBytes(5, variables.regions, {betelgeuse}));
}

class ObjectNames : public ProgramWindow {
 protected:
  ObjectNames() {
    writeCatalogs(dir);
    load();
    model->chart.fieldArcmin = 600;
    open();
  }
  // Centres the chart on a position and clicks the middle of the chart.
  void clickOn(double raRad, double decRad) {
    model->centreOn(raRad, decRad, 0, 0, false);
    model->applyView();
    chart().repaintNow();
    QTest::mouseClick(&chart(), Qt::LeftButton, {}, centre());
  }
};

TEST_F(ObjectNames, DoubleAndVariableStarsAreNamedInTheStatusBarAndTheTooltip) {
  clickOn(kRigelRa, kRigelDec);
  EXPECT_EQ(model->selection.kind, kPickDoubleStar);
  EXPECT_EQ(statusText(), "Double star: STF 668");
  EXPECT_EQ(chart().navigator().nameAt(centre().x(), centre().y()), "STF 668");

  clickOn(kBetelgeuseRa, kBetelgeuseDec);
  EXPECT_EQ(model->selection.kind, kPickVariableStar);
  EXPECT_EQ(statusText(), "Variable star: alf Ori [L 0.0-1.6]");
  EXPECT_EQ(chart().navigator().nameAt(centre().x(), centre().y()), "alf Ori [L 0.0-1.6]");
}

}  // namespace
}  // namespace celvaro

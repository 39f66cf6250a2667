// What the status bar and the pointer's tooltip name when the user clicks a
// double or a variable star on the chart: the heading of its kind and the
// designation the source catalogs give it.
#include <gtest/gtest.h>

#include <QTest>

#include <filesystem>
#include <numbers>

#include "catalog/variable_star_data.h"
#include "double_variable_writers.h"
#include "ui/chart_window.h"
#include "ui/program_window.h"
#include "ui/status_parts.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kRadPerHour = std::numbers::pi / 12;

// Rigel's pair, WDS 05145-0812, discoverer designation STF 668.
constexpr double kRigelRa = (5 + 14 / 60.0 + 32.27 / 3600) * kRadPerHour;
constexpr double kRigelDec = -(8 + 12 / 60.0 + 5.9 / 3600) * kRadPerDeg;
// Betelgeuse, GCVS alf Ori: semi-regular, 0.0 to 1.6 magnitudes.
constexpr double kBetelgeuseRa = (5 + 55 / 60.0 + 10.31 / 3600) * kRadPerHour;
constexpr double kBetelgeuseDec = (7 + 24 / 60.0 + 25.4 / 3600) * kRadPerDeg;
constexpr int kOrion = 60;      // in the packed list of the 88 abbreviations
constexpr int kAlpha = 9001;

// Both catalogs in the regional versions the catalog builder writes.
void writeCatalogs(const testing::ScratchDir& dir) {
  std::filesystem::create_directories(dir.path() / "data");
  DoubleStarEntry rigel;
  rigel.raRad = kRigelRa, rigel.decRad = kRigelDec;
  rigel.designation = "STF 668";
  rigel.primary = 13, rigel.companion = 680, rigel.separation = 95;
  const SkyRegionLayout doubles = skyRegionLayout({{kRigelRa, kRigelDec, 13}});
  testing::writeBytes(dir.file("data/doubles_d3.dat"), doubleStarCatalogBytes(4, doubles.regions, {rigel}));
  VariableStarEntry betelgeuse;
  betelgeuse.raRad = kBetelgeuseRa, betelgeuse.decRad = kBetelgeuseDec;
  betelgeuse.brightest = 0, betelgeuse.faintest = 1600;
  betelgeuse.typeFlags = kVariableL;
  betelgeuse.constellation = kOrion;
  betelgeuse.code = kAlpha;
  const SkyRegionLayout variables = skyRegionLayout({{kBetelgeuseRa, kBetelgeuseDec, 0}});
  testing::writeBytes(dir.file("data/variables.dat"), variableStarCatalogBytes(5, variables.regions, {betelgeuse}));
}

class ObjectNames : public testing::ProgramWindow {
 protected:
  ObjectNames() {
    writeCatalogs(dir);
    load();
    model->chart.fieldArcmin = 600;
    open();
  }
  ChartWindow& chart() { return window->chartWindow(); }
  QPoint centre() { return QPoint(chart().width() / 2, chart().height() / 2); }
  // Centres the chart on a position and clicks the middle of the chart.
  void clickOn(double raRad, double decRad) {
    model->centreOn(raRad, decRad, 0, 0, false);
    model->applyView();
    chart().repaintNow();
    QTest::mouseClick(&chart(), Qt::LeftButton, {}, centre());
  }
  std::string statusText() { return window->statusParts().part(0).toStdString(); }
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

// A click on a star of the deep star catalog, in the real window on the
// built data: at fields of 5 degrees and less that catalog draws the stars,
// and a star picked there is the same star as on a wide chart. Skipped
// where the data have not been built.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "ui/chart_window.h"
#include "ui/dialogs/dlg_object_info.h"
#include "ui/main_window.h"
#include "ui/status_parts.h"

namespace celvaro {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
// Vega, Hipparcos (ESA 1997, SP-1200): HIP 91262 at 18h36m56.336s +38 47' 01.28" (J2000).
constexpr double kVegaRaDeg = (18 + 36 / 60.0 + 56.336 / 3600) * 15, kVegaDecDeg = 38 + 47 / 60.0 + 1.28 / 3600;

TEST(BuiltDeepStarPick, A2DegreeChartOnVegaPickedAtVegaNamesVegaWithItsHipparcosNumber) {
  if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) GTEST_SKIP() << "no built data";
  UiResources resources;
  resources.setProgramDir(CELVARO_RUN_DIR);
  resources.loadLanguage(kEnglish);
  AppModel model(CELVARO_RUN_DIR, configurationPath("/nonexistent"), resources);
  loadObservingAids(model);
  loadChartData(model);
  model.chart.fieldArcmin = 120;
  model.pickFilter = kPickStar;
  model.centreOn(kVegaRaDeg * kDeg, kVegaDecDeg * kDeg, 0, 0, false);
  model.applyView();
  MainWindow window(resources, model);
  window.resize(1000, 800);
  window.show();
  QApplication::processEvents();
  ChartWindow& chart = window.chartWindow();
  chart.repaintNow();
  ASSERT_EQ(model.catalogs()->currentDisplayName(), "Deep stars");

  QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(chart.width() / 2, chart.height() / 2));
  ASSERT_TRUE(model.selectionValid);
  EXPECT_EQ(model.selection.kind, kPickStar);
  EXPECT_TRUE(window.statusParts().part(0).startsWith("Star: HIP 91262 [")) << window.statusParts().part(0).toStdString();
  // The telescope's target is Vega's place at the chart's instant,
  // 2007-06-15 20:00 UT: astropy 5.2.1 moves SIMBAD's place by its proper
  // motion to 18h36m56.46s +38d47m03.41s.
  const double movedRaDeg = (18 + 36 / 60.0 + 56.46 / 3600) * 15, movedDecDeg = 38 + 47 / 60.0 + 3.41 / 3600;
  const double dRa = (model.lastCentringTarget.raRad / kDeg - movedRaDeg) * std::cos(movedDecDeg * kDeg);
  EXPECT_LT(std::hypot(dRa, model.lastCentringTarget.decRad / kDeg - movedDecDeg) * 3600, 1.0);

  window.showObjectInfo();
  DlgObjectInfo& info = window.objectInfo();
  EXPECT_TRUE(info.control<QPlainTextEdit>(DlgObjectInfo::kDescription)->toPlainText().contains("Vega"));
  EXPECT_FALSE(info.properties()->findItems("91262", Qt::MatchExactly, 1).isEmpty());
}

}  // namespace
}  // namespace celvaro

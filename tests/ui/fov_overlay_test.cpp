// The field-of-view overlay on the desktop: the chart menu's command on the
// selection, the adjustment dialog's controls, the XOR drawing over the
// chart's picture; and loading a setting file.
#include "ui/ui_test_support.h"

#include <QFocusEvent>

#include "app/setting_file.h"
#include "ui/dialogs/dlg_adjust_fov.h"
#include "ui/dialogs/fov_preview_panel.h"

namespace celvaro {
namespace {

using namespace testing;
using D = DlgAdjustFov;

// A one-star sky with the star at the chart centre, 10 degrees across, and
// the star selected.
class FovOverlayWindow : public ProgramWindow {
 protected:
  FovOverlayWindow() {
    writeOneStarCatalog(dir);
    load();
    model->chart.fieldArcmin = 600;
    model->applyView();
    open(900, 700);
    QTest::mouseClick(&chart(), Qt::LeftButton, {}, centre());
  }
  D& dialog() { return window->fovDialog(); }
  QSlider* bar(int id) { return dialog().control<QSlider>(id); }
  QString edit(int id) { return dialog().control<QLineEdit>(id)->text(); }
  void type(int id, const QString& text) {
    QLineEdit* field = dialog().control<QLineEdit>(id);
    field->setText(text);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(field, &out);
  }
  void placeOverlay() { chart().contextCommand(ChartWindow::kFovOverlay, centre()); }
  // The chart's pixel of the overlay's pointing.
  QPoint pointingPixel() {
    ProjectedPoint p;
    int32_t x = -1, y = -1;
    const CentringTarget& at = model->fov.correctedPointing;
    EXPECT_TRUE(model->projection().project(at.raRad, at.decRad, p) && model->screenOutput().toDevice(p.x, p.y, x, y));
    return {x, y};
  }
};

// The centre of the pixels an XOR drawing changed.
QPointF centreOfChange(const QImage& before, const QImage& after) {
  int left = after.width(), right = -1, top = after.height(), bottom = -1;
  for (int y = 0; y < after.height(); ++y) {
    for (int x = 0; x < after.width(); ++x) {
      if (before.pixel(x, y) == after.pixel(x, y)) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QPointF(-1, -1) : QPointF((left + right) / 2.0, (top + bottom) / 2.0);
}

// How far east and north of (ra0, dec0) a point lies on the sky, arcminutes
// along the tangent plane.
QPointF eastNorthArcmin(double ra0, double dec0, double ra, double dec) {
  const double c = std::sin(dec0) * std::sin(dec) + std::cos(dec0) * std::cos(dec) * std::cos(ra - ra0);
  const double east = std::cos(dec) * std::sin(ra - ra0) / c;
  const double north = (std::cos(dec0) * std::sin(dec) - std::sin(dec0) * std::cos(dec) * std::cos(ra - ra0)) / c;
  return QPointF(east, north) * (10800 / M_PI);
}

// Shifted 30' in right ascension and 20' in declination, the camera frame is
// drawn where the overlay points: the centre of the pixels the frame changed
// is where the chart's projection puts the pointing that centring and goto
// use, at the equator, at 60 degrees north and 75 south, in every mirror
// mode; and the pointing lies 30' west and 20' north of the object.
TEST_F(FovOverlayWindow, TheFrameIsDrawnWhereTheOverlayPoints) {
  model->fov.schemes.scheme.flags = FovScheme::kCamera;
  for (double decDeg : {0.0, 60.0, -75.0}) {
    for (uint32_t mirror = kMirrorNone; mirror <= kMirrorHorizontal; ++mirror) {
      SCOPED_TRACE(::testing::Message() << "declination " << decDeg << ", mirror mode " << mirror);
      const double ra = 1.0, dec = decDeg * M_PI / 180;
      model->chart.mirrorMode = mirror;
      model->centreOn(ra, dec, 0, 0, true);
      chart().repaintNow();
      const QImage plain = chart().image().copy();
      placeOverlay();
      type(D::kShiftRa + D::kEditStep, "30");
      type(D::kShiftDec + D::kEditStep, "20");
      const QPointF drawn = centreOfChange(plain, chart().image());
      EXPECT_NEAR(drawn.x(), pointingPixel().x(), 1.5);
      EXPECT_NEAR(drawn.y(), pointingPixel().y(), 1.5);
      const QPointF offset = eastNorthArcmin(ra, dec, model->fov.correctedPointing.raRad, model->fov.correctedPointing.decRad);
      EXPECT_NEAR(offset.x(), -30, 0.1);
      EXPECT_NEAR(offset.y(), 20, 0.1);
      click(dialog(), D::kRemove);
      EXPECT_EQ(chart().image(), plain) << "drawn in XOR, moved and removed, the overlay leaves the picture as it was";
    }
  }
}

TEST_F(FovOverlayWindow, ARepaintAfterRemovalShowsNoOverlayAndTheCommandShowsItAgainUnshifted) {
  chart().repaintNow();
  const QImage plain = chart().image().copy();
  placeOverlay();
  chart().repaintNow();
  EXPECT_NE(chart().image(), plain) << "a repaint draws the shown overlay";
  window->command(609);
  bar(D::kShiftDec)->setValue(100);
  const QPoint at = pointingPixel();
  int32_t near = 10;
  EXPECT_TRUE(model->hits.queryOverlay(at.x(), at.y(), near));
  click(dialog(), D::kRemove);
  near = 10;
  EXPECT_FALSE(model->hits.queryOverlay(at.x(), at.y(), near)) << "a removed overlay cannot be picked";
  chart().repaintNow();
  EXPECT_EQ(chart().image(), plain);

  model->lastCentringTarget = {0.003, -0.002, true};  // a new selection
  placeOverlay();
  EXPECT_EQ(std::tuple(model->fov.shown.shown, model->fov.shown.centreRaRad), std::tuple(1, 0.003));
  EXPECT_EQ(model->fov.shown.shiftDec, 0);
  EXPECT_EQ(bar(D::kShiftDec)->value(), 60) << "the dialog shows the fresh overlay";
  EXPECT_EQ(edit(D::kShiftDec + D::kEditStep), "0");
}

TEST_F(FovOverlayWindow, TypedShiftsMoveTheOverlay) {
  placeOverlay();
  window->command(609);
  type(D::kShiftDec + D::kEditStep, "60");
  EXPECT_EQ(model->fov.shown.shiftDec, 60);
  EXPECT_NEAR(model->fov.correctedPointing.decRad, model->fov.shown.centreDecRad + M_PI / 180, 1e-12);
  type(D::kGuiderRotation + D::kEditStep, "-90");
  EXPECT_EQ(model->fov.shown.guiderRotation, -90);
  // Beyond its track bar, or no whole number, a typed value is refused by
  // name and the field shows the bar's value again.
  const auto refusal = [&](int id, const char* text) {
    return messagesDuring([&] { type(id, text); }).join(" | ").toStdString();
  };
  EXPECT_EQ(refusal(D::kShiftRa + D::kEditStep, "1000"), "Shift in right ascension (′) must be between -60 and 60.");
  EXPECT_EQ(edit(D::kShiftRa + D::kEditStep), "0");
  EXPECT_EQ(refusal(D::kCameraRotation + D::kEditStep, "-9x"), "Camera rotation (°) must be between -180 and 180.");
  EXPECT_EQ(edit(D::kCameraRotation + D::kEditStep), "0");
  // No lens has a focal length of 0 (the frames would be infinite).
  EXPECT_NE(refusal(D::kFocalLength, "0").find("must be between 1 and 100000."), std::string::npos);
  EXPECT_EQ(model->fov.shown.shiftRa, 0);
  click(dialog(), D::kReset);
  EXPECT_EQ(std::tuple(model->fov.shown.shiftDec, model->fov.shown.guiderRotation), std::tuple(0, 0));
}

// Scale 20 gives 2 pixels a millimetre: the camera's 22 mm frame reaches
// 22 pixels either side of the centre.
TEST_F(FovOverlayWindow, ThePreviewDrawsTheFocalPlaneWhiteOnBlack) {
  dialog().showOver(window.get());
  FovPreviewPanel& preview = dialog().preview();
  const QImage picture = preview.grab().toImage();
  const int cx = preview.width() / 2, cy = preview.height() / 2;
  EXPECT_EQ(picture.pixel(cx, cy), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(cx - 22, cy), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(cx + 21, cy), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(cx, cy - 36 - 8), qRgb(255, 255, 255));  // the guider frame's top edge
  EXPECT_EQ(picture.pixel(cx, cy - 50), qRgb(0, 0, 0));            // no total-field circle
}

// --- setting files --------------------------------------------------------------------

TEST_F(FovOverlayWindow, LoadingASettingFileRedrawsTheChart) {
  const std::string path = dir.file("nohorizon.clv");
  writeBytes(path, "needequatorialgrid=0\r\nneeddoulestars=0\r\n");
  whenShown([&](QWidget* shown) {
    auto* files = qobject_cast<QFileDialog*>(shown);
    files->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(files)->accept();  // the file dialog's own accept checks the name
  });
  const QImage before = chart().image().copy();
  window->command(108);
  EXPECT_EQ(model->chart.needEquatorialGrid, 0);
  EXPECT_FALSE(window->action(2018)->isChecked());
  EXPECT_NE(chart().image(), before) << "the grid is gone";
}

}  // namespace
}  // namespace celvaro

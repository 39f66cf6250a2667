// Night vision as the eye at the telescope meets it: every pixel of the main
// window and of each aid window is red alone, and text stands out from its
// background by a luminance contrast of at least 4 (relative luminance as
// the sRGB standard defines it, computed here, not by the program).
#include "ui/ui_test_support.h"

#include "output/bitmap24.h"
#include "ui/dialogs/dlg_object_info.h"
#include "ui/dialogs/dlg_panel_telescope.h"
#include "ui/dialogs/dlg_scope_spiral_search.h"
#include "ui/dialogs/telescope_dialog_base.h"
#include "ui/image_view.h"

namespace celvaro {
namespace {

using namespace testing;

// The widgets of a window that drew pixels with any green or blue, each
// with the first such colour, for the failure message.
std::string nonRedPixels(QWidget* window) {
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  std::map<std::string, std::string> found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qGreen(pixel) == 0 && qBlue(pixel) == 0) continue;
      QWidget* at = window->childAt(x, y);
      const std::string name = at ? std::string(at->metaObject()->className()) + " " + at->objectName().toStdString()
                                  : std::string(window->metaObject()->className());
      found.try_emplace(name, QString::asprintf("(%d,%d,%d) at %d %d", qRed(pixel), qGreen(pixel), qBlue(pixel), x, y).toStdString());
    }
  }
  std::string text;
  for (const auto& [name, colour] : found) text += name + " " + colour + "; ";
  return text;
}

// sRGB relative luminance of a red level, and the contrast ratio of two.
double luminance(int red) {
  const double c = red / 255.0;
  return 0.2126 * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
}
double contrast(int a, int b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text of a control against its background: the brightest red against
// the most frequent one.
double textContrast(QWidget* control) {
  const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  std::map<int, int> counts;
  int brightest = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int red = qRed(image.pixel(x, y));
      ++counts[red];
      brightest = std::max(brightest, red);
    }
  }
  const auto background = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
  return contrast(brightest, background->first);
}

class NightVision : public ProgramWindow {
 protected:
  NightVision() {
    writeOneStarCatalog(dir);
    load();
    loadObservingAids(*model);
    open(1000, 700);
  }
  ~NightVision() override {
    if (window->action(704)->isChecked()) window->action(704)->trigger();
  }
  // Every visible window other than the main window, red alone.
  void expectEveryOtherWindowRed(const std::string& what) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top == window.get() || !top->isVisible() || top->windowType() == Qt::ToolTip) continue;
      EXPECT_EQ(nonRedPixels(top), "") << what << ": " << top->windowTitle().toStdString();
    }
  }
};

TEST_F(NightVision, EveryWindowDrawsInRedAloneWithReadableText) {
  window->action(704)->trigger();
  QApplication::processEvents();
  EXPECT_EQ(nonRedPixels(window.get()), "");
  QWidget* panel = window->telescopePanel().window();
  ASSERT_NE(panel, nullptr);
  EXPECT_GE(textContrast(panel->findChild<QPushButton*>("id" + QString::number(TelescopeDialogBase::kConnect))), 4.0);
  EXPECT_GE(textContrast(window->statusParts().findChild<QLabel*>("statuspart1")), 4.0);

  QTest::mouseClick(&window->chartWindow(), Qt::LeftButton, {},
                    QPoint(window->chartWindow().width() / 2, window->chartWindow().height() / 2));
  ASSERT_TRUE(model->selectionValid);
  window->showObjectInfo();
  // Suggestions, telescope control and adjustment, autoguider monitor, DSLR series.
  for (int aid : {512, 601, 611, 612}) window->action(aid)->trigger();
  QApplication::processEvents();
  expectEveryOtherWindowRed("modeless windows");

  // Moon calendar, gamepad, a file dialog, the printable map, a message box.
  for (int modal : {402, 607, 107, 800, 1001}) {
    bool seen = false;
    whenShown([&](QWidget* dialog) {
      QApplication::processEvents();
      EXPECT_EQ(nonRedPixels(dialog), "") << modal;
      seen = true;
      qobject_cast<QDialog*>(dialog)->reject();
    });
    window->action(modal)->trigger();
    EXPECT_TRUE(seen) << modal;
  }
  DlgScopeSpiralSearch spiral(resources, model->spiralSearch);
  spiral.create(window.get())->show();
  QApplication::processEvents();
  EXPECT_EQ(nonRedPixels(spiral.window()), "") << "spiral search settings";
}

// A photograph keeps its brightness, in red.
TEST_F(NightVision, PicturesShowTheirBrightnessInRed) {
  Bitmap24 picture;
  picture.create(2, 2);
  const uint8_t green[6] = {0, 255, 0, 0, 255, 0}, blue[6] = {255, 0, 0, 255, 0, 0};  // blue-green-red
  picture.setRow(0, green);
  picture.setRow(1, blue);
  ImageView view(resources, nullptr);
  view.resize(2, 2);
  view.setPicture(&picture);
  window->action(704)->trigger();
  const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Luma by the weights of ITU-R BT.601: 0.587 for green, 0.114 for blue.
  EXPECT_NEAR(qRed(shown.pixel(0, 0)), 0.587 * 255, 1);
  EXPECT_NEAR(qRed(shown.pixel(0, 1)), 0.114 * 255, 1);
  EXPECT_EQ((std::tuple{shown.pixel(0, 0) & 0xffff, shown.pixel(0, 1) & 0xffff}), (std::tuple{0u, 0u}));
}

// The built data under every preset, with the stars in colour and the Milky
// Way: Sagittarius and Scorpius in July, where coloured stars crowd.
using NightVisionOverTheBuiltData = BuiltProgramWindow;

TEST_F(NightVisionOverTheBuiltData, EveryPresetWithColouredStarsDrawsInRedAlone) {
  open(1000, 700);
  model->setUniversalDate({2025, 7, 15, 21, 0, 0.0});
  model->timeChanged();
  window->action(704)->trigger();
  for (int preset = 120; preset <= 124; ++preset) {
    window->action(preset)->trigger();
    model->chart.starColouring = 1;
    model->chart.centreRaArcmin = 17.5 * 900;
    model->chart.centreDecArcmin = -28 * 60;
    model->applyView();
    model->redrawChart();
    QApplication::processEvents();
    EXPECT_EQ(nonRedPixels(window.get()), "") << "preset " << preset - 120;
  }
  window->action(704)->trigger();
}

}  // namespace
}  // namespace celvaro

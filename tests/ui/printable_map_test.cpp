// Printable maps end to end: celvaro-chart's file formats, the dialog of
// command 800, the files it writes checked by programs of their own, and
// the built data's chart on paper against the chart on screen.
#include "ui/ui_test_support.h"

#include "app/chart_navigator.h"
#include "ui/dialogs/dlg_printable_map.h"

namespace celvaro {
namespace {

using namespace testing;

// --- a program directory of three stars ---------------------------------------------------

class ThreeStarSky : public ProgramWindow {
 protected:
  ThreeStarSky() {
    std::filesystem::create_directories(dir.path() / "data");
    writeBytes(dir.file("data/stars_hip.dat"),
               starCatalogBytes(zonedStarCatalog({{1, 100, 0.0, 0.0, 0}, {2, 200, 0.1, 0.05, 0}, {3, 300, -0.1, -0.1, 0}}, {400})));
    load();
  }
};

TEST_F(ThreeStarSky, TheMapShowsTheStarHopRouteTheChartShows) {
  model->route.add(0, 0.0, 0.0);
  model->route.add(1, 0.001, 0.001);
  model->chart.showRoute = true;
  PrintableMap svg;
  svg.format = kExportSvg;
  svg.fileName = dir.file("route.svg");
  ASSERT_TRUE(exportPrintableMap(*model, svg));
  EXPECT_NE(readBytes(dir.file("route.svg")).find("<path class=\"route\""), std::string::npos);
}

// --- the dialog ---------------------------------------------------------------------------

TEST_F(ThreeStarSky, OkWritesTheMapOfTheChosenPageAndKeepsTheChoice) {
  CELVARO_SKIP_WITHOUT("gs");
  PrintableMap choice;
  DlgPrintableMap dialog(resources, *model, choice);
  dialog.create(nullptr);
  dialog.control<QComboBox>(DlgPrintableMap::kFormat)->setCurrentIndex(2);
  dialog.control<QComboBox>(DlgPrintableMap::kPaper)->setCurrentIndex(DlgPrintableMap::kCustom);
  dialog.control<QLineEdit>(DlgPrintableMap::kWidth)->setText("150");
  dialog.control<QLineEdit>(DlgPrintableMap::kHeight)->setText("100.5");
  dialog.control<QLineEdit>(DlgPrintableMap::kMargin)->setText("5");
  dialog.control<QLineEdit>(DlgPrintableMap::kFileName)->setText(QString::fromStdString(dir.file("small.eps")));
  click(dialog, kIdOk);
  EXPECT_EQ(dialog.window()->result(), QDialog::Accepted);
  EXPECT_EQ(std::tuple(choice.format, choice.pageWidth, choice.pageHeight, choice.margin),
            std::tuple(kExportEps, 15000, 10050, 500));
  const std::string eps = readBytes(dir.file("small.eps"));
  EXPECT_NE(eps.find("%%BoundingBox: 0 0 426 285\r\n"), std::string::npos);
  expectRenderedEps(dir.file("small.eps"), dir.file("small.png"));
}

TEST_F(ThreeStarSky, AMapThatCannotBeWrittenIsReportedAndTheDialogStays) {
  PrintableMap choice;
  DlgPrintableMap dialog(resources, *model, choice);
  dialog.create(nullptr);
  auto* fileName = dialog.control<QLineEdit>(DlgPrintableMap::kFileName);
  const QStringList messages = messagesDuring([&] {
    fileName->setText(QString::fromStdString(dir.file("missing/map.pdf")));
    click(dialog, kIdOk);
    fileName->setText("");
    click(dialog, kIdOk);
    fileName->setText(QString::fromStdString(dir.file("map.pdf")));
    dialog.control<QLineEdit>(DlgPrintableMap::kMargin)->setText("200");
    click(dialog, kIdOk);
  });
  EXPECT_EQ(messages, QStringList({QString::fromStdString("The map could not be written to this file:\n" +
                                                          dir.file("missing/map.pdf") + "\n" + std::strerror(ENOENT)),
                                   "Choose a file for the map.", "The margins leave no room for the map on this page."}));
  EXPECT_NE(dialog.window()->result(), QDialog::Accepted);
  EXPECT_EQ(choice.fileName, "");  // the choice is kept only for a map written
  EXPECT_FALSE(std::filesystem::exists(dir.file("map.pdf")));
}

// The file named is the file written: a typed name without an extension
// takes the format's; an existing file is replaced only when the user says
// so (the file dialog's own suffix: SettingFileSave.ReplacingAFileIsAskedForTheNameWithItsExtension).
TEST_F(ThreeStarSky, TheFormatsExtensionIsAddedAndAReplacementIsAsked) {
  PrintableMap choice;
  DlgPrintableMap dialog(resources, *model, choice);
  dialog.create(nullptr);
  dialog.control<QLineEdit>(DlgPrintableMap::kFileName)->setText(QString::fromStdString(dir.file("chart")));
  click(dialog, kIdOk);
  EXPECT_TRUE(std::filesystem::exists(dir.file("chart.pdf")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("chart")));

  writeBytes(dir.file("chart.pdf"), "kept");
  DlgPrintableMap again(resources, *model, choice);
  again.create(nullptr);
  std::string asked;
  whenShown([&](QWidget* shown) {
    auto* box = qobject_cast<QMessageBox*>(shown);
    ASSERT_NE(box, nullptr);
    asked = box->text().toStdString();
    ASSERT_NE(box->button(QMessageBox::No), nullptr);
    box->button(QMessageBox::No)->click();
  });
  click(again, kIdOk);
  EXPECT_NE(asked.find(dir.file("chart.pdf")), std::string::npos) << asked;
  EXPECT_EQ(readBytes(dir.file("chart.pdf")), "kept");
  EXPECT_NE(again.window()->result(), QDialog::Accepted);
}

// --- the built data: the same stars, lines and labels as on screen ---------------------------

// The Pleiades, 4 degrees across, as faint as the deep star catalog goes:
// its stars are the ones the large catalogs collect for each drawing.
class BuiltDeepStars : public ProgramWindow {
 protected:
  void SetUp() override {
    CELVARO_SKIP_WITHOUT_BUILT_DATA();
    load(CELVARO_RUN_DIR);
    model->chart.fieldArcmin = 240;
    model->chart.starLimitManual = 1;
    model->chart.starLimitManualValue = 1000;
    model->pickFilter = kPickStar;
    model->centreOn(56.75 * kRad, 24.12 * kRad, 0, 0, false);
    model->applyView();
    open(1000, 800);
    model->redrawChart();
  }
  // The device pixels of eight of the stars drawn, spread over the list.
  std::vector<QPoint> starPixels() {
    iStarData& stars = *model->catalogs()->currentStarCatalog();
    std::vector<QPoint> pixels;
    for (int k = 0; k < 8; ++k) {
      StarPosition at;
      ProjectedPoint p;
      int32_t x = 0, y = 0;
      if (stars.getPosition(k * stars.starCount() / 8, at) && model->projection().project(at.raRad, at.decRad, p) &&
          model->screenOutput().toDevice(p.x, p.y, x, y)) {
        pixels.emplace_back(x, y);
      }
    }
    return pixels;
  }
  // What a click at each pixel selects and centres on.
  std::vector<std::tuple<int, int, double, double>> picks(const std::vector<QPoint>& pixels) {
    ChartNavigator navigator(*model);
    std::vector<std::tuple<int, int, double, double>> found;
    for (const QPoint& at : pixels) {
      std::string description;
      navigator.selectAt(at.x(), at.y(), description);
      found.emplace_back(model->selection.kind, model->selection.index, model->lastCentringTarget.raRad,
                         model->lastCentringTarget.decRad);
    }
    return found;
  }
};

// A printable map draws the large catalogs' stars of its own field: the
// screen's picks must still find the screen's stars afterwards, whether the
// map is of the chart on screen (command 800) or of another field.
TEST_F(BuiltDeepStars, PicksAfterAnExportFindTheStarsOnScreen) {
  ASSERT_GE(model->catalogs()->currentSlot(), 1) << "the deep star catalog";
  const std::vector<QPoint> pixels = starPixels();
  ASSERT_EQ(pixels.size(), 8u);
  const auto before = picks(pixels);
  for (const auto& pick : before) ASSERT_EQ(std::get<0>(pick), kPickStar);

  whenShown([&](QWidget* dialog) {  // command 800's dialog: the file name typed, and OK
    typeInto(dialog, DlgPrintableMap::kFileName, QString::fromStdString(dir.file("pleiades.pdf")));
    press(dialog, kIdOk);
  });
  window->command(800);
  ASSERT_TRUE(std::filesystem::exists(dir.file("pleiades.pdf")));
  EXPECT_EQ(picks(pixels), before) << "after the map of the chart on screen";

  ChartSettings hyades = model->chart;
  hyades.centreRaArcmin = 4 * 900 + 27 * 15;
  hyades.centreDecArcmin = 16 * 60;
  PrintableMap map;
  map.fileName = dir.file("hyades.pdf");
  const ChartSources sources{model->catalogs(), &model->ecliptic, &model->horizon, nullptr, 2};
  ASSERT_TRUE(exportChart(printableMapExport(map, hyades, sources, PrintColourTable{})));
  EXPECT_EQ(picks(pixels), before) << "after the map of another field";
}

class BuiltOrion : public OrionChart {
 protected:
  void SetUp() override {
    OrionChart::SetUp();
    if (!IsSkipped()) prepare();
  }
  ProjectedPoint projected(double raDeg, double decDeg) {
    ProjectedPoint p;
    model->projection().setup(model->outputArea, model->chart);
    model->projection().project(raDeg * kRad, decDeg * kRad, p);
    return p;
  }
  // Where a star is on an A4 page with 10 mm margins, in hundredths of a
  // millimetre from the page's lower left corner: its place on screen,
  // scaled from the screen's half height to the chart's half width on paper.
  // The chart's centre lies half of its 255 mm above the 10 mm legend strip.
  QPointF onPaper(double raDeg, double decDeg) {
    const ProjectedPoint p = projected(raDeg, decDeg);
    const double scale = 9500.0 / (std::min(request.width, request.height) / 2);
    return {10500 + p.x * scale, 14750 + p.y * scale};
  }
  // A rendered page's pixel of a paper position.
  static QPoint pixel(const QImage& page, QPointF hundredths) {
    const double perHundredth = 0.02835 * 100 / 72;  // 100 dots per inch
    return QPoint(static_cast<int>(hundredths.x() * perHundredth), page.height() - static_cast<int>(hundredths.y() * perHundredth));
  }
  // Ink within 7 pixels (1.8 mm): a disc, or the thin ring of a variable star.
  static bool darkNear(const QImage& image, QPoint at) {
    for (int dy = -7; dy <= 7; ++dy)
      for (int dx = -7; dx <= 7; ++dx)
        if (image.valid(at + QPoint(dx, dy)) && qGray(image.pixel(at + QPoint(dx, dy))) < 160) return true;
    return false;
  }
  void expectStarsOnPage(const QImage& page) {
    ASSERT_FALSE(page.isNull());
    for (const auto& [ra, dec] : kStars) EXPECT_TRUE(darkNear(page, pixel(page, onPaper(ra, dec)))) << ra << " " << dec;
    int dark = 0;  // a white page with a chart on it, not a dark one
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 64;
    EXPECT_LT(dark, page.width() * page.height() / 10);
  }
  std::string exported(int format, const std::string& name) {
    PrintableMap map;
    map.format = format;
    map.fileName = dir.file(name);
    EXPECT_TRUE(exportPrintableMap(*model, map));
    return readBytes(map.fileName);
  }
  static bool hasLabels(const std::string& text) {
    return text.find("Orion") != std::string::npos && text.find("Betelgeuse") != std::string::npos &&
           text.find("Bellatrix") != std::string::npos && text.find("05:20") != std::string::npos;
  }

  // Betelgeuse, Rigel, Bellatrix, Sirius.
  static constexpr std::pair<double, double> kStars[] = {
      {88.7929, 7.4071}, {78.6345, -8.2016}, {81.2828, 6.3497}, {101.2872, -16.7161}};

  ScratchDir dir;
};

// Each page as its format's own renderer draws it, and its text as that
// program reads it back.
TEST_F(BuiltOrion, ThePdfAndTheEpsHaveTheScreensStarsAndLabels) {
  CELVARO_SKIP_WITHOUT("qpdf");
  CELVARO_SKIP_WITHOUT("pdftoppm");
  CELVARO_SKIP_WITHOUT("gs");
  exported(kExportPdf, "orion.pdf");
  expectSoundPdf(dir.file("orion.pdf"), dir.file("pdf.png"));
  exported(kExportEps, "orion.eps");
  expectRenderedEps(dir.file("orion.eps"), dir.file("eps.png"));
  for (const char* page : {"pdf.png", "eps.png"}) {
    SCOPED_TRACE(page);
    expectStarsOnPage(QImage(QString::fromStdString(dir.file(page))));
  }
  EXPECT_TRUE(hasLabels(pdfText(dir.file("orion.pdf"))));
  EXPECT_TRUE(hasLabels(
      runCommand("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- '" + dir.file("orion.eps") + "'").output));
}

TEST_F(BuiltOrion, TheSvgHasTheScreensStarsAndLabels) {
  CELVARO_SKIP_WITHOUT("xmllint");
  const std::string svg = exported(kExportSvg, "orion.svg");
  expectWellFormedSvg(dir.file("orion.svg"));
  EXPECT_TRUE(hasLabels(svg));
  for (const auto& [ra, dec] : kStars) {
    // The circle's centre in the view box, y downward from the top.
    const QPointF paper = onPaper(ra, dec);
    const int x = static_cast<int>(paper.x()), y = 29700 - static_cast<int>(paper.y());
    bool found = false;
    for (size_t at = svg.find("<circle class=\""); at != std::string::npos; at = svg.find("<circle class=\"", at + 1)) {
      int cx, cy;
      if (std::sscanf(svg.c_str() + svg.find("cx=", at), "cx=\"%d\" cy=\"%d\"", &cx, &cy) != 2) continue;
      found = found || (std::abs(cx - x) <= 40 && std::abs(cy - y) <= 40);  // a screen pixel is 21 units
    }
    EXPECT_TRUE(found) << ra << " " << dec;
  }
}

// Facing west from 47.5 degrees north (azimuth 270, altitude 30, 2024-01-15
// 21:00 UT) the direction to the celestial pole leans from the zenith to
// the right by the parallactic angle, 46.6 degrees from
// tan q = sin H / (tan(lat) cos(dec) - sin(dec) cos H) at H = 4.58 h,
// dec = 21.6 degrees of the chart's centre.
TEST(PrintableMapLegend, TheOrientationFigureFollowsTheHorizontalFrame) {
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  ScratchDir dir;
  const ChartRun run =
      runChartProgram({"--utc", "2024-01-15T21:00", "--lat", "47.5", "--lon", "19.04", "--az", "270", "--alt", "30",
                                "--field", "3600", "--format", "svg", "--out", dir.file("west.svg")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string svg = readBytes(dir.file("west.svg"));
  // The L: from the north arm's end to the corner to the west arm's end, then its N.
  const std::regex figure(R"(d="M(-?\d+) (-?\d+) L(-?\d+) (-?\d+) L-?\d+ -?\d+ "/>\r\n<text [^>]*>N</text>)");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(svg, m, figure));
  const double dx = std::stod(m[1]) - std::stod(m[3]), up = std::stod(m[4]) - std::stod(m[2]);
  EXPECT_NEAR(std::atan2(dx, up) * 180 / std::numbers::pi, 46.6, 5);
}

}  // namespace
}  // namespace celvaro

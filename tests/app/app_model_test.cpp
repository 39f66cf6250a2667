// The application model: the telescope's events handed over to the windows, finds, dates and places, start and
// shutdown; and the field-of-view overlay in it: picked where it stands, and its scheme file.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>
#include <tuple>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/startup.h"
#include "app_model_fakes.h"
#include "solarsystem/object_identifier.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace celvaro::testing;
constexpr double kPi = std::numbers::pi;

using AppModelTest = ModelWithFakeWindows;

// An unplugged cable is told as 20 then 4 at once: every status reaches the
// panels, in order, with the mount's words after a refusal; positions in a
// row deliver only the newest, and never jump over a status.
TEST_F(AppModelTest, StatusesArriveInOrderAndPositionsInARowGiveTheNewest) {
  model.handOver.onLinkStatus(100 | (5 << 16));
  model.handOver.onMountPosition(1.0, 0.5, 10, 20);
  model.handOver.onMountPosition(2.0, -0.25, 30, 40);
  model.handOver.onLinkStatus(26);
  model.handOver.onMountMessage("Object Below Horizon");
  model.handOver.onMountPosition(3.0, 0.0, 50, 60);
  model.handOver.onLinkStatus(20);
  model.handOver.onLinkStatus(4);
  EXPECT_EQ(mainWindow.posted.size(), 8u);
  mainWindow.deliverAll(model);
  EXPECT_EQ(panel.order, (std::vector<std::string>{"status 327780", "position 30", "status 26",
                                                   "message Object Below Horizon", "position 50", "status 20",
                                                   "status 4"}));
  EXPECT_EQ(std::tuple(panel.positions[0].ra, panel.positions[0].rawB), std::tuple(2.0, 40));
  const auto& readings = model.handOver.readings;
  EXPECT_EQ(std::tuple(readings.linkState, readings.lastStatus, readings.mountMessage), std::tuple(20, 4, ""));
}

// Only the Nexstar, the equatorial motor controller and an INDI mount take
// guide corrections; the monitor is told with every change of the link.
TEST_F(AppModelTest, TheMonitorLearnsWhetherCorrectionsReachTheMount) {
  for (int type : {4, 5, 3, 7, 8, 1, 6}) model.handOver.onLinkStatus(100 | (type << 16));
  model.handOver.onLinkStatus(20);
  mainWindow.deliverAll(model);
  EXPECT_EQ(guider.correctionsSent, (std::vector<bool>{true, false, true, false, true, false, false, false}));
  EXPECT_FALSE(model.handOver.mountTakesGuideCorrections());
}

// A guider movement comes packed as two signed 16-bit halves, y above x.
TEST_F(AppModelTest, DslrAndGuiderEventsReachTheirDialogs) {
  model.handOver.onDslrSeriesStatus(3, 5, 30, 0);
  model.handOver.onGuiderPortStatus(3);
  model.handOver.onGuiderMovement(static_cast<int32_t>((5u << 16) | (static_cast<uint32_t>(-5) & 0xFFFF)));
  model.handOver.onGuiderMovement(static_cast<int32_t>(static_cast<uint32_t>(-5) << 16));
  mainWindow.deliverAll(model);
  EXPECT_EQ(dslr.states, (std::vector<std::array<int, 4>>{{3, 5, 30, 0}}));
  EXPECT_EQ(guider.portStates, std::vector<int>{3});
  EXPECT_EQ(guider.samples, (std::vector<std::pair<int, int>>{{-5, 5}, {0, -5}}));
}

TEST_F(AppModelTest, EventsFromAnotherThreadArriveWholeAndStatusesAllArrive) {
  // The telescope thread reports positions whose fields belong together;
  // the interface thread must never see a mixture of two reports, nor
  // miss a status among them.
  std::atomic<bool> done{false};
  std::vector<int> sent;
  std::thread telescope([&] {
    for (int i = 1; i <= 20000; ++i) {
      model.handOver.onMountPosition(i, -i, i, -i);
      if (i % 7 == 0) model.handOver.onLinkStatus(i);
    }
    done = true;
  });
  while (!done) mainWindow.deliverAll(model);
  telescope.join();
  mainWindow.deliverAll(model);
  for (int i = 7; i <= 20000; i += 7) sent.push_back(i);
  EXPECT_EQ(panel.statuses, sent);
  int previous = 0;
  for (const auto& p : panel.positions) {
    ASSERT_EQ(p.dec, -p.ra);
    ASSERT_EQ(p.rawA, p.ra);
    ASSERT_EQ(p.rawB, -p.rawA);
    ASSERT_GT(p.rawA, previous);
    previous = p.rawA;
  }
  EXPECT_EQ(panel.positions.back().rawA, 20000);
}

// Apparent altitudes and azimuths (azimuth from the north through the east)
// of the Hipparcos J2000 places of four stars, without refraction, as
// PyEphem 4.1.4 (Debian python3-ephem) computes them:
//   b = ephem.FixedBody(); b._ra, b._dec = '18:36:56.33635', '38:47:01.2802'; b._epoch = ephem.J2000
//   o = ephem.Observer(); o.lat, o.lon = '47.5', '19.04'; o.pressure = 0; o.date = '1990/3/11 00:00'
//   b.compute(o); print(math.degrees(b.az), math.degrees(b.alt))
// Canopus is seen from 33.92 S, 18.42 E, the others from 47.5 N, 19.04 E.
struct SkyStar { double raHours, decDeg; };
constexpr SkyStar kVega{18 + 36 / 60.0 + 56.33635 / 3600, 38 + 47 / 60.0 + 1.2802 / 3600};
constexpr SkyStar kCapella{5 + 16 / 60.0 + 41.35871 / 3600, 45 + 59 / 60.0 + 52.7693 / 3600};
constexpr SkyStar kPolaris{2 + 31 / 60.0 + 49.09456 / 3600, 89 + 15 / 60.0 + 50.7923 / 3600};
constexpr SkyStar kCanopus{6 + 23 / 60.0 + 57.10988 / 3600, -(52 + 41 / 60.0 + 44.3810 / 3600)};

struct ApparentPlaceCase { SkyStar star; ChartDate universal; double azimuthFromNorthDeg, altitudeDeg; };
const ApparentPlaceCase kApparentPlaces[] = {
    {kVega, {1990, 3, 11, 0, 0, 0.0}, 60.5380, 26.4808},
    {kCapella, {1990, 3, 10, 18, 0, 0.0}, 269.8139, 77.4709},
    {kPolaris, {1990, 3, 10, 18, 0, 0.0}, 358.9807, 47.8570},
    {kCanopus, {1990, 3, 10, 18, 0, 0.0}, 181.1911, 71.2211},
    {kVega, {2010, 7, 1, 18, 0, 0.0}, 72.4522, 39.5487},
    {kCapella, {2010, 7, 2, 3, 0, 0.0}, 52.3748, 29.1643},
    {kPolaris, {2010, 7, 1, 18, 0, 0.0}, 359.7860, 46.8216},
    {kCanopus, {2010, 7, 2, 5, 0, 0.0}, 135.7114, 30.6430},
    {kVega, {2030, 11, 20, 18, 0, 0.0}, 286.8532, 40.3758},
    {kCapella, {2030, 11, 20, 18, 0, 0.0}, 54.5420, 31.5400},
    {kPolaris, {2030, 11, 20, 18, 0, 0.0}, 0.7862, 47.7994},
    {kCanopus, {2030, 11, 20, 20, 0, 0.0}, 134.8476, 33.3415},
};

// A horizontal chart centred on the star's apparent place (to the whole
// arcminute the chart keeps) draws the star within 1' of its centre, and
// within a few arcseconds of where that place lies from the centre.
TEST_F(AppModelTest, HorizontalChartsCentredOnTheApparentPlaceDrawTheStarThere) {
  model.outputArea.width = model.outputArea.height = 1200;
  model.chart.fieldArcmin = 60;
  model.applyView();
  for (const ApparentPlaceCase& c : kApparentPlaces) {
    const bool south = c.star.decDeg < 0;
    model.place.latitudeDeg = south ? -33.92 : 47.5;
    model.place.longitudeDeg = south ? 18.42 : 19.04;
    model.setUniversalDate(c.universal);
    model.timeChanged();
    const double azimuth = std::fmod(c.azimuthFromNorthDeg + 180.0, 360.0);  // from the south through the west
    const int alt = static_cast<int>(std::lround(c.altitudeDeg * 60)), az = static_cast<int>(std::lround(azimuth * 60));
    model.centreOnHorizontal(alt, az);
    iTransformer& projection = model.projection();
    projection.setup(model.outputArea, model.chart);
    ProjectedPoint p;
    ASSERT_TRUE(projection.project(c.star.raHours * kPi / 12, c.star.decDeg * kPi / 180, p));
    const double arcminPerPixel = projection.pixelsToArcsec(100000) / 100000.0 / 60;
    // Unmirrored, x grows toward the west (larger azimuth) and y upward.
    const double expectedX = (std::remainder(azimuth * 60 - az, 21600.0)) * std::cos(c.altitudeDeg * kPi / 180);
    const double expectedY = c.altitudeDeg * 60 - alt;
    const double fromCentre = std::hypot(p.x, p.y) * arcminPerPixel;
    const double error = std::hypot(p.x * arcminPerPixel - expectedX, p.y * arcminPerPixel - expectedY);
    EXPECT_LT(fromCentre, 1.0) << c.universal.year << " " << c.star.raHours;
    EXPECT_LT(error, 0.15) << c.universal.year << " " << c.star.raHours;
  }
}

TEST_F(AppModelTest, CentringOnASearchFindEndsInOneOfThreeOutcomes) {
  const ChartSettings before = model.chart;
  EXPECT_EQ(model.centreOnFound(std::nullopt, SearchKind::kStar), kSearchNotFound);
  EXPECT_TRUE(before == model.chart);
  EXPECT_FALSE(model.redrawPending);

  const StarPosition m13{7, 4.3698, 0.6363};
  EXPECT_EQ(model.centreOnFound(m13, SearchKind::kDeepsky), kSearchCentred);
  EXPECT_EQ(model.chart.fieldArcmin, 1800);  // narrowed to the deep-sky bound
  EXPECT_TRUE(model.lastCentringTarget.valid);
  EXPECT_TRUE(model.redrawPending && model.statusPending);
  EXPECT_EQ(model.selection, (Selection{kPickDeepsky, 7, 0}));
  // A planet found is selected as itself, so Object info shows it.
  const StarPosition jupiter{objectId(kMajorBody, kJupiter), 4.0, 0.3};
  EXPECT_EQ(model.centreOnFound(jupiter, SearchKind::kSolarSystemBody), kSearchCentred);
  EXPECT_EQ(model.selection, (Selection{kPickSolarSystem, objectId(kMajorBody, kJupiter), -1}));
  EXPECT_TRUE(model.selectionValid);

  model.chart.horizontalMode = 1;
  model.chart.latitudeDeg = 47.0;
  const ChartSettings horizontal = model.chart;
  model.redrawPending = false;
  EXPECT_EQ(model.centreOnFound(StarPosition{-1, 1.0, -80 * kPi / 180}, SearchKind::kPosition), kSearchBelowHorizon);
  EXPECT_TRUE(horizontal == model.chart);
  EXPECT_FALSE(model.redrawPending);
}

TEST_F(AppModelTest, EachKindOfFindIsShownInItsField) {
  auto fieldAfter = [&](int fieldArcmin, SearchKind kind) {
    model.chart.fieldArcmin = fieldArcmin;
    model.centreOnFound(StarPosition{-1, 1.0, 0.2}, kind);
    return model.chart.fieldArcmin;
  };
  EXPECT_EQ(fieldAfter(600, SearchKind::kPosition), 3600);  // typed positions: exactly one hour
  EXPECT_EQ(fieldAfter(7200, SearchKind::kPosition), 3600);
  EXPECT_EQ(fieldAfter(600, SearchKind::kConstellation), 3600);
  EXPECT_EQ(fieldAfter(7200, SearchKind::kConstellation), 7200);
  EXPECT_EQ(fieldAfter(7200, SearchKind::kStar), 3600);
  EXPECT_EQ(fieldAfter(7200, SearchKind::kSolarSystemBody), 3600);
  EXPECT_EQ(fieldAfter(3600, SearchKind::kDoubleStar), 1800);
  EXPECT_EQ(fieldAfter(3600, SearchKind::kVariableStar), 1800);
  EXPECT_EQ(fieldAfter(600, SearchKind::kMinorPlanet), 600);  // narrow fields stay
  EXPECT_EQ(fieldAfter(60, SearchKind::kComet), 180);         // but never below three degrees
}

// The dates' consistency through the dialogs is shown in the window tests.
TEST_F(AppModelTest, DateAndPlaceChanges) {
  model.setLocalDate({2008, 1, 1, 0, 30, 0.0});
  model.timeChanged();
  ASSERT_EQ(mainWindow.datesShown.size(), 1u);
  EXPECT_EQ(mainWindow.datesShown[0].second, (ChartDate{2007, 12, 31, 22, 30, 0.0}));

  RecordingLink telescope;
  model.setTelescopeControl(&telescope);
  model.place.latitudeDeg = -33.9;
  model.place.longitudeDeg = 18.4;
  model.placeChanged();
  EXPECT_EQ(panel.placeChanges, 1);
  // A guiding program on the guider port asks the controller for the site.
  EXPECT_EQ(telescope.calls, std::vector<std::string>{"setObservingPlace -33.9 18.4"});
}

TEST_F(AppModelTest, ShutdownWritesTheConfigurationAndStartupReadsIt) {
  model.scope.port = 4;
  model.place.latitudeDeg = 51.5;
  runDataLoad(model);
  runShutdown(model);
  // Everything the shutdown writes lands in the program directory.
  EXPECT_EQ(readBytes(dir.file("locale.inf")), "EN");
  UiResources nextResources;
  AppModel next(dir.path().string(), dir.file("celvaro.cfg"), nextResources);
  next.loadConfiguration();
  EXPECT_EQ(next.scope.port, 4);
  EXPECT_DOUBLE_EQ(next.place.latitudeDeg, 51.5);
}

// The first start (no configuration yet) takes the computer's zone, whose
// rules then give the chart's local time (Python's zoneinfo agrees; the
// rules' dates are the zone time's test). A computer kept at UTC
// names no place, and the default place keeps its own zone, Hungary's.
TEST_F(AppModelTest, TheFirstStartTakesTheComputersZoneAndItsRulesForTheDate) {
  struct Case { const char* tz; ChartDate universal; int localHour; };
  for (const Case& c : {Case{"Europe/Budapest", {2026, 12, 7, 13, 7, 0.0}, 14},
                        Case{"America/New_York", {2026, 12, 7, 13, 7, 0.0}, 8},
                        Case{"Etc/UTC", {2026, 12, 7, 13, 7, 0.0}, 14}}) {
    SCOPED_TRACE(std::string(c.tz) + " " + std::to_string(c.universal.month));
    ::setenv("TZ", c.tz, 1);
    UiResources firstResources;
    AppModel first(dir.path().string(), dir.file("none.cfg"), firstResources);
    first.loadConfiguration();
    first.setUniversalDate(c.universal);
    EXPECT_EQ(std::tuple(first.local.hour, first.local.minute), std::tuple(c.localHour, 7));
  }
  ::unsetenv("TZ");
}

// A chart 800 by 600 pixels, 10 degrees across, painted once, with its
// centre (right ascension and declination 0) as the selection.
class FovOverlayModel : public ModelWithFakeWindows {
 protected:
  FovOverlayModel() {
    model.chart.fieldArcmin = 600;
    model.setChartSize(800, 600);
    model.applyView();
    RecordingCanvas canvas;
    model.paintChart(canvas);
    model.lastCentringTarget = {0, 0, true};
  }
};

TEST_F(FovOverlayModel, WithoutASelectionTheCommandDoesNothing) {
  model.lastCentringTarget.valid = false;
  model.fov.showAtSelection();
  EXPECT_EQ(model.fov.shown.shown, 0);
  EXPECT_TRUE(chartView.picture.calls.empty());
}

// Picking the overlay selects where it points, for the telescope to go to,
// and names its frames: the default 22 x 16 mm camera and 8 x 8 mm guider at
// 1200 mm span 2 atan(11/1200) = 63.02', 2 atan(8/1200) = 45.84' and 22.92'.
TEST_F(FovOverlayModel, APickOnTheOverlayCentreSelectsItsPointing) {
  model.fov.showAtSelection();
  model.fov.edited.shiftDec = 30;
  model.fov.fovAdjusted(true);
  const int32_t y = 300 - model.projection().tenthArcminToPixels(300);
  ChartNavigator navigator(model);
  std::string description;
  ASSERT_TRUE(navigator.selectAt(400, y, description));
  EXPECT_EQ(model.selection.kind, kPickFovOverlay);
  EXPECT_EQ(description, "Field-of-view overlay: CCD 63.0′×45.8′, Guider 22.9′×22.9′");
  EXPECT_NEAR(model.lastCentringTarget.decRad, 30 * kPi / 10800, 1e-12);
}

TEST_F(AppModelTest, TheFovSchemeFileIsReadAtConstructionAndWrittenAtShutdownOnlyWhenEdited) {
  const std::string path = dir.file("fovschemes.dat");
  writeBytes(path, "focallength=600\n");
  AppModel other(dir.path().string(), dir.file("celvaro.cfg"), resources);
  EXPECT_EQ(other.fov.schemes.scheme.focalLength, 600);
  runShutdown(other);
  EXPECT_EQ(readBytes(path), "focallength=600\n");
  EXPECT_EQ(readBytes(dir.file("locale.inf")), "EN");  // the shutdown writes nothing elsewhere
  other.fov.schemes.scheme.flags = 7;
  other.fov.schemes.markModified();
  runShutdown(other);
  EXPECT_EQ(readBytes(path).substr(0, 9), "flags=7\r\n");
}

}  // namespace
}  // namespace celvaro

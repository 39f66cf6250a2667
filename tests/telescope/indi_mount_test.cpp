// The INDI mount type against Debian's telescope simulator
// (indi_simulator_telescope from indi-bin) under a real indiserver. What the
// simulator says it did, read by a second client of the server speaking the
// XML itself, is the evidence; places of the date come from libnova.
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <future>
#include <iostream>
#include <memory>
#include <numbers>
#include <regex>
#include <string>
#include <thread>

#include "indi_driver.h"
#include "linked_pty.h"
#include "model/clock_listener.h"
#include "sky_places.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_control.h"
#include "test_files.h"
#include "waiting_listener.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

constexpr char kDevice[] = "Telescope Simulator";
constexpr int kPort = testing::kIndiPort;
constexpr int kGuiderPort = 3;
constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kM42RaDeg = testing::kM42RaHours * 15, kM42DecDeg = testing::kM42DecDeg;
// 360 degrees in a sidereal day of 86164.1 s.
constexpr double kSiderealArcsecPerSecond = 360.0 * 3600 / 86164.1;
// Vega, far enough from M 42 for a goto that lasts.
constexpr double kVegaRaDeg = 279.2347, kVegaDecDeg = 38.7837;

std::string link(int code) { return "link " + std::to_string(code); }

class NowClock : public iSiderealTime {
 public:
  double julianDate() const override { return testing::julianDateNow(); }
  double greenwichSiderealHours() const override { return 0; }
  double localSiderealHours() const override { return 0; }
};

// A J2000 place in the apparent place of now: (hours, degrees).
testing::Place ofDateNow(double raDeg, double decDeg) { return testing::libnovaOfDate(raDeg / 15, decDeg); }

// Where a set...Vector element of EQUATORIAL_EOD_COORD says the simulator
// points: (hours, degrees).
testing::Place placeIn(const std::string& element) {
  return {std::stod(testing::IndiDriver::member(element, "RA")), std::stod(testing::IndiDriver::member(element, "DEC"))};
}

class IndiMountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server = testing::startTelescopeSimulator(dir.path().string());
    ASSERT_TRUE(server) << "no indiserver listens: install Debian's indi-bin";
    watcher = std::make_unique<testing::IndiDriver>(testing::connectToServer(kPort));
    watcher->send("<getProperties version='1.7'/>\n");
    control.start({kMountIndi, 1, 0, {"localhost", kPort, kDevice}});
    control.connect(kMountIndi, 1);
    ASSERT_TRUE(listener.waitFor(link(linkEstablishedCode(kMountIndi)), 1, 10s, [this] { control.heartBeat(); }));
    // What the simulator offers, told again if it was not complete at first.
    for (int tries = 0; tries < 20 && control.indiCapabilities() != kSimulatorOffers; ++tries) {
      listener.waitFor(link(linkEstablishedCode(kMountIndi)), tries + 2, 100ms);
    }
  }
  static constexpr int kSimulatorOffers = kCanMove | kCanTrack | kCanSpiral | kCanPark;
  // Where the simulator last said it points, once its slew has ended.
  testing::Place settledPosition(size_t from, std::chrono::seconds timeout = 60s) {
    const auto element = watcher->awaitVector("EQUATORIAL_EOD_COORD", "Ok|Idle", from, timeout);
    return element ? placeIn(*element) : testing::Place{-100, -100};
  }
  // Where the simulator last said it stands, once the watcher has heard
  // what the program heard: the server's word reaches it a moment later.
  testing::Place positionOnceHeard() {
    std::this_thread::sleep_for(1s);
    return lastPosition();
  }
  testing::Place lastPosition() {
    const auto said = watcher->vectorsSince("EQUATORIAL_EOD_COORD", "\\w+", 0);
    return said.empty() ? testing::Place{-100, -100} : placeIn(said.back());
  }
  void gotoAndWaitForBusy(double raDeg, double decDeg) {
    const size_t from = watcher->mark();
    control.gotoPosition(raDeg * kRadPerDeg, decDeg * kRadPerDeg);
    ASSERT_TRUE(watcher->awaitVector("EQUATORIAL_EOD_COORD", "Busy", from, 5s)) << "no slew started";
  }

  testing::ScratchDir dir;
  std::unique_ptr<testing::IndiDriver> server, watcher;
  testing::WaitingListener listener;
  NowClock clock;
  std::unique_ptr<TelescopeControl> owner = std::make_unique<TelescopeControl>(listener, clock, dir.path().string());
  TelescopeControl& control = *owner;
};

TEST_F(IndiMountTest, ReadsGoesToSyncsStopsAndParksTheSimulator) {
  // The settings' device list: the server's one telescope.
  EXPECT_EQ(findIndiTelescopes("localhost", kPort, 1000), std::vector<std::string>{kDevice});
  EXPECT_TRUE(findIndiTelescopes("localhost", kPort + 1, 1000).empty());
  EXPECT_EQ(control.indiCapabilities(), kSimulatorOffers);
  // The read position is the simulator's, turned to J2000, once the site
  // told at connect has moved the parked simulator (at its next poll, one
  // a second).
  ASSERT_TRUE(watcher->awaitVector("GEOGRAPHIC_COORD", "Ok", 0, 5s));
  std::this_thread::sleep_for(2500ms);
  const auto now = positionOnceHeard();
  const int told = listener.count("position");  // the heartbeats' while connecting
  control.readPosition();
  ASSERT_TRUE(listener.waitFor("position", told + 1));
  const auto read = listener.lastPosition();
  EXPECT_LT(testing::arcminutesApart(ofDateNow(read.raRad / kRadPerDeg, read.decRad / kRadPerDeg), now), 1.0);

  // A goto to M 42 ends at its place of the date.
  gotoAndWaitForBusy(kM42RaDeg, kM42DecDeg);
  ASSERT_TRUE(listener.waitFor(link(kStatusFinished), 2, 90s));  // the first told the read
  const auto at = positionOnceHeard();
  EXPECT_LT(testing::arcminutesApart(at, ofDateNow(kM42RaDeg, kM42DecDeg)), 1.0) << at.first << "h " << at.second;

  // A sync makes the simulator take a place 30' north as where it points.
  size_t from = watcher->mark();
  control.setReferencePoint(0, 0, kM42RaDeg * kRadPerDeg, (kM42DecDeg + 0.5) * kRadPerDeg, 0);
  ASSERT_TRUE(listener.waitFor(link(kStatusReferenceStored)));
  const auto synced = watcher->awaitVector("ON_COORD_SET", "\\w+", from, 5s);
  ASSERT_TRUE(synced);
  EXPECT_EQ(testing::IndiDriver::member(*synced, "SYNC"), "On");
  EXPECT_LT(testing::arcminutesApart(settledPosition(from, 5s), ofDateNow(kM42RaDeg, kM42DecDeg + 0.5)), 1.0);

  // A stop ends a goto halfway.
  gotoAndWaitForBusy(kVegaRaDeg, kVegaDecDeg);
  from = watcher->mark();
  control.stopMove(4);
  EXPECT_TRUE(watcher->awaitVector("TELESCOPE_ABORT_MOTION", "Ok", from, 5s));
  EXPECT_GT(testing::arcminutesApart(settledPosition(from, 5s), ofDateNow(kVegaRaDeg, kVegaDecDeg)), 60.0);

  // Park: the simulator reaches its park position and says it is parked.
  from = watcher->mark();
  control.gotoPark();
  ASSERT_TRUE(listener.waitFor(link(kStatusParkStarted)));
  const auto parked = watcher->awaitVector("TELESCOPE_PARK", "Ok", from, 90s);
  ASSERT_TRUE(parked);
  EXPECT_EQ(testing::IndiDriver::member(*parked, "PARK"), "On");
  EXPECT_TRUE(listener.waitFor(link(kStatusParked), 1, 5s));
}

// Gotos one after another each end at their target: a position the
// simulator told before it took a slew up is not the slew's end.
TEST_F(IndiMountTest, GotosInARowEachEndAtTheirTarget) {
  const double targets[][2] = {{kM42RaDeg, kM42DecDeg}, {kM42RaDeg + 4, kM42DecDeg + 3}};
  int finished = listener.count(link(kStatusFinished));
  for (int i = 0; i < 20; ++i) {
    const auto [raDeg, decDeg] = targets[i % 2];
    gotoAndWaitForBusy(raDeg, decDeg);
    ASSERT_TRUE(listener.waitFor(link(kStatusFinished), ++finished, 90s)) << "goto " << i;
    EXPECT_LT(testing::arcminutesApart(positionOnceHeard(), ofDateNow(raDeg, decDeg)), 1.0) << "goto " << i;
  }
}

// The simulator publishes four rates, named 1x..4x and labelled Guide,
// Centering, Find and Max, none with a multiple of the sidereal rate: the
// slow rates are the first two, Guide for the slowest, which the simulator
// runs at the sidereal rate; the fast rates the last two, Max for the
// fastest. It starts parked at the pole, from where south is the one way.
TEST_F(IndiMountTest, MovesAtTheChosenRate) {
  // Moves south at a rate for `time`, stops and answers the switch of
  // TELESCOPE_SLEW_RATE that is on, the declination travelled and the
  // seconds from the simulator's saying it moves to its saying it stopped.
  struct Moved { std::string rate; double degrees, seconds; };
  const auto moveSouth = [this](bool fast, int rate, std::chrono::milliseconds time) -> Moved {
    const double dec = settledPosition(watcher->mark(), 5s).second;
    size_t from = watcher->mark();
    if (fast) control.moveFast(1, rate);
    else control.moveSlow(1, rate);
    const auto set = watcher->awaitVector("TELESCOPE_SLEW_RATE", "\\w+", from, 5s);
    if (!set || !watcher->awaitVector("TELESCOPE_MOTION_NS", "Busy", from, 5s)) return {"none", 0, 0};
    const auto started = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(time);
    from = watcher->mark();
    control.stopMove(1);
    if (!watcher->awaitVector("TELESCOPE_MOTION_NS", "Ok|Idle", from, 5s)) return {"never stopped", 0, 0};
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::string on;
    for (const char* name : {"1x", "2x", "3x", "4x"}) {
      if (testing::IndiDriver::member(*set, name) == "On") on += name;
    }
    return {on, dec - settledPosition(watcher->mark(), 5s).second, seconds};
  };
  // The sidereal rate: 360 degrees in a sidereal day of 86164.1 s.
  const double siderealDegPerSecond = 360.0 / 86164.1;
  const Moved guide = moveSouth(false, 0, 3s);
  EXPECT_EQ(guide.rate, "1x");
  EXPECT_NEAR(guide.degrees, siderealDegPerSecond * guide.seconds, 0.2 * siderealDegPerSecond * guide.seconds);
  EXPECT_EQ((std::tuple{moveSouth(false, 5, 300ms).rate, moveSouth(true, 0, 300ms).rate}), (std::tuple{"2x", "3x"}));
  const Moved max = moveSouth(true, 5, 1s);
  EXPECT_EQ(max.rate, "4x");
  EXPECT_GT(max.degrees, 100 * siderealDegPerSecond * max.seconds) << "not a fast rate";
}

// Which way the simulator moved between two reports: W, N, E or S, or
// nothing. East is growing right ascension.
char directionMoved(const testing::Place& a, const testing::Place& b) {
  const double east = std::remainder(b.first - a.first, 24.0) * 15 * std::cos(a.second * kRadPerDeg);
  const double north = b.second - a.second;
  if (std::abs(east) < 1e-3 && std::abs(north) < 1e-3) return 0;
  if (std::abs(east) > std::abs(north)) return east > 0 ? 'E' : 'W';
  return north > 0 ? 'N' : 'S';
}

// A spiral of one turn at the default speed, which is no guiding rate: of
// the simulator's, Centering. The first leg runs west, then north, east
// and south, eight legs in all. Not tracking, the place drifts a few
// arcseconds a second, which is no leg.
TEST_F(IndiMountTest, ASpiralSearchRunsItsLegsInTurn) {
  control.moveFast(1, 5);  // away from the pole
  std::this_thread::sleep_for(1s);
  const size_t stopped = watcher->mark();
  control.stopMove(1);
  ASSERT_TRUE(watcher->awaitVector("TELESCOPE_MOTION_NS", "Ok|Idle", stopped, 5s));
  std::this_thread::sleep_for(500ms);
  ASSERT_LT(lastPosition().second, 87);
  const size_t from = watcher->mark();
  testing::Place before = lastPosition();
  control.startSpiralSearch(3, 1, 2);
  ASSERT_TRUE(listener.waitFor(link(kStatusSpiralStarted)));
  const auto rate = watcher->awaitVector("TELESCOPE_SLEW_RATE", "\\w+", from, 5s);
  ASSERT_TRUE(rate);
  EXPECT_EQ(testing::IndiDriver::member(*rate, "2x"), "On");
  ASSERT_TRUE(listener.waitFor(link(kStatusSpiralFinished), 1, 60s));
  // The legs in the order run, how far north each went, and the most a
  // report moved north or south.
  std::string legs;
  std::vector<double> northward;
  double perReport = 0;
  for (const std::string& element : watcher->vectorsSince("EQUATORIAL_EOD_COORD", "\\w+", from)) {
    const testing::Place here = placeIn(element);
    const char way = directionMoved(before, here);
    if (way != 0 && (legs.empty() || legs.back() != way)) legs += way, northward.push_back(0);
    if (way != 0) northward.back() += here.second - before.second;
    perReport = std::max(perReport, std::abs(here.second - before.second));
    before = here;
  }
  ASSERT_EQ(legs, "WNESWNES");
  // The square spiral's legs run 1, 1, 3, 3, 5, 5, 7 and 7 steps: north 1,
  // south 3, north 5, south 7, each within two reports' travel (a report
  // at a corner counts for the leg that moved it most).
  const double step = -northward[7] / 7;
  EXPECT_NEAR(northward[1], step, 2 * perReport);
  EXPECT_NEAR(northward[3], -3 * step, 2 * perReport);
  EXPECT_NEAR(northward[5], 5 * step, 2 * perReport);
  EXPECT_GE(listener.count("offset"), 8);
}

// Stop ends a spiral where it is; so does a server that goes away, leaving
// the link down as a lost port's, and no thread blocked.
TEST_F(IndiMountTest, AStopOrALostServerEndsASpiralSearch) {
  control.moveFast(1, 5);
  std::this_thread::sleep_for(1s);
  control.stopMove(1);
  size_t from = watcher->mark();
  control.startSpiralSearch(5, 10, 0);
  ASSERT_TRUE(watcher->awaitVector("TELESCOPE_MOTION_WE", "Busy", from, 5s));
  control.stopMove(4);
  ASSERT_TRUE(watcher->awaitVector("TELESCOPE_ABORT_MOTION", "Ok", from, 5s));
  std::this_thread::sleep_for(300ms);
  from = watcher->mark();
  std::this_thread::sleep_for(3s);
  EXPECT_FALSE(watcher->awaitVector("TELESCOPE_MOTION_\\w\\w", "Busy", from, 0ms)) << "the spiral ran on";

  control.startSpiralSearch(5, 10, 0);
  ASSERT_TRUE(watcher->awaitVector("TELESCOPE_MOTION_WE", "Busy", from, 5s));
  server->kill();
  ASSERT_TRUE(listener.waitFor(link(kStatusSwitchedOff), 1, 5s));
  EXPECT_TRUE(listener.waitFor(link(kStatusHandshakeTimedOut), 1, 1s));
  control.readPosition();
  EXPECT_TRUE(listener.waitFor(link(kStatusNoLink), 1, 2s)) << "the command thread is blocked";
  auto ended = std::async(std::launch::async, [this] { owner.reset(); });
  EXPECT_EQ(ended.wait_for(5s), std::future_status::ready) << "the controller did not end";
}

// ":Mgn1000#" on the guider port reaches the simulator as one timed pulse
// of 1000 ms north, which it runs for that long.
TEST_F(IndiMountTest, AGuidePulseOnTheGuiderPortReachesTheSimulatorWhole) {
  // The simulator defines its guiding properties after the rest: both
  // clients of the server have heard of them a moment after the watcher.
  ASSERT_TRUE(watcher->awaitMatch(std::regex("<defNumberVector[^>]*TELESCOPE_TIMED_GUIDE_NS"), 0, 5s));
  std::this_thread::sleep_for(200ms);
  testing::Pty guider(dir.path(), kGuiderPort);
  control.openGuiderPort(kGuiderPort);
  ASSERT_TRUE(listener.waitFor("guider 3"));
  const size_t from = watcher->mark();
  ASSERT_TRUE(guider.write(":Mgn1000#"));
  const auto busy = watcher->awaitVector("TELESCOPE_TIMED_GUIDE_NS", "Busy", from, 5s);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(busy) << "no pulse reached the simulator";
  EXPECT_EQ(std::stod(testing::IndiDriver::member(*busy, "TIMED_GUIDE_N")), 1000);
  EXPECT_EQ(std::stod(testing::IndiDriver::member(*busy, "TIMED_GUIDE_S")), 0);
  // The simulator ends it on its own timer, polled every 250 ms.
  const auto ended = watcher->awaitVector("TELESCOPE_TIMED_GUIDE_NS", "Ok|Idle", watcher->mark(), 3s);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  ASSERT_TRUE(ended);
  std::cout << "[ timings  ] the simulator's pulse: " << ms << " ms\n";
  EXPECT_GE(ms, 900);
  // No second pulse, no motion: the stop at the pulse's end stays here.
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(watcher->awaitVector("TELESCOPE_MOTION_NS", "\\w+", from, 0ms));
}

// A guiding program through the guider port, as Debian's LX200 driver
// guides a "Standard LX200": untimed :Mn# ... :Qn# and :Mw# ... :Qw#. Each
// correction moves the simulator by its length at the simulator's guide
// rate (GUIDE_RATE, a fraction of the sidereal rate), never at a slew rate.
// The simulator's north and west follow its pier side: the sizes count.
TEST_F(IndiMountTest, UntimedCorrectionsOfAGuidingProgramMoveAtTheGuideRate) {
  gotoAndWaitForBusy(kM42RaDeg, kM42DecDeg);
  ASSERT_TRUE(listener.waitFor(link(kStatusFinished), 1, 90s));
  const auto rate = watcher->awaitMatch(std::regex("<defNumber\\s+name=.GUIDE_RATE_NS.[^>]*>\\s*[0-9.]+"), 0, 5s);
  ASSERT_TRUE(rate);
  const double guideRate = std::stod(rate->substr(rate->find('>') + 1));
  testing::PtyBridge cable(dir.path() / "ports" / ("COM" + std::to_string(kGuiderPort)), dir.path() / "driver-port");
  ASSERT_TRUE(cable.working());
  control.openGuiderPort(kGuiderPort);
  ASSERT_TRUE(listener.waitFor("guider 3"));
  const auto driver = testing::startLx200Driver(dir.path());
  ASSERT_TRUE(testing::connectLx200Driver(*driver, dir.path() / "driver-port"));
  struct Correction { const char *vector, *member, *other; int milliseconds; bool inDeclination; };
  for (const Correction c : {Correction{"TELESCOPE_TIMED_GUIDE_NS", "TIMED_GUIDE_N", "TIMED_GUIDE_S", 500, true},
                             Correction{"TELESCOPE_TIMED_GUIDE_WE", "TIMED_GUIDE_W", "TIMED_GUIDE_E", 1000, false}}) {
    std::this_thread::sleep_for(1500ms);
    const auto before = lastPosition();
    driver->setNumbers(testing::kLx200Device, c.vector, {{c.member, c.milliseconds}, {c.other, 0}});
    std::this_thread::sleep_for(std::chrono::milliseconds(c.milliseconds) + 2500ms);
    const auto after = lastPosition();
    const double movedArcsec = c.inDeclination ? std::abs(after.second - before.second) * 3600
                                                   : std::abs(std::remainder(after.first - before.first, 24.0)) * 15 * 3600;
    const double expected = guideRate * kSiderealArcsecPerSecond * c.milliseconds / 1000;
    std::cout << "[ guiding  ] " << c.member << " " << c.milliseconds << " ms: " << movedArcsec << "\" for "
              << expected << "\"\n";
    EXPECT_NEAR(movedArcsec, expected, 0.2 * expected) << c.member;
  }
  EXPECT_NE(cable.sentToFirst().find(":Mn#"), std::string::npos) << "not the untimed form";
  EXPECT_FALSE(watcher->awaitVector("TELESCOPE_MOTION_\\w\\w", "Busy", 0, 0ms)) << "moved at a slew rate";
}

// The device learns the observing place and the computer's time when the
// link comes up, and the place again when the user changes it (INDI's
// longitudes run east, 0..360).
TEST_F(IndiMountTest, TheDeviceIsToldTheSiteAndTheTime) {
  const auto site = watcher->awaitVector("GEOGRAPHIC_COORD", "Ok", 0, 5s);
  ASSERT_TRUE(site);
  EXPECT_DOUBLE_EQ(std::stod(testing::IndiDriver::member(*site, "LAT")), ObservingPlace{}.latitudeDeg);
  EXPECT_DOUBLE_EQ(std::stod(testing::IndiDriver::member(*site, "LONG")), ObservingPlace{}.longitudeDeg);
  const auto time = watcher->awaitVector("TIME_UTC", "Ok", 0, 5s);
  ASSERT_TRUE(time);
  EXPECT_NEAR(testing::utcSeconds(testing::IndiDriver::member(*time, "UTC")), std::time(nullptr), 10);

  const size_t from = watcher->mark();
  control.setObservingPlace({-1, -24.6272, -70.4042, -4, 0});  // Cerro Paranal
  const auto moved = watcher->awaitVector("GEOGRAPHIC_COORD", "Ok", from, 5s);
  ASSERT_TRUE(moved);
  EXPECT_NEAR(std::stod(testing::IndiDriver::member(*moved, "LAT")), -24.6272, 1e-4);
  EXPECT_NEAR(std::stod(testing::IndiDriver::member(*moved, "LONG")), 289.5958, 1e-4);
  EXPECT_EQ(std::stod(testing::IndiDriver::member(*moved, "ELEV")), 0);  // the simulator's own, kept
}

// The driver crashing mid-goto: its server starts it again, disconnected,
// and the link goes down instead of reporting the old device's state, as
// when another client disconnects the device.
TEST_F(IndiMountTest, ACrashedDriverTakesTheLinkDown) {
  gotoAndWaitForBusy(kVegaRaDeg, kVegaDecDeg);
  const std::vector<pid_t> drivers = server->children();
  ASSERT_EQ(drivers.size(), 1u);
  ASSERT_EQ(::kill(drivers[0], SIGKILL), 0);
  ASSERT_TRUE(listener.waitFor(link(kStatusSwitchedOff), 1, 10s));
  EXPECT_TRUE(listener.waitFor(link(kStatusDeviceDisconnected), 1, 1s));
  control.readPosition();
  EXPECT_TRUE(listener.waitFor(link(kStatusNoLink), 1, 2s));
}

}  // namespace
}  // namespace celvaro

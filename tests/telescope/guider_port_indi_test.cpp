// The guider port driven by a real guiding client: Debian's INDI driver for
// LX200 mounts (indi_lx200generic from indi-bin, what guiding programs use
// to talk to a mount), run as a child process speaking INDI's XML, joined to
// the program's guider port by a pseudo-terminal cable, with the simulated
// equatorial mount behind the program. The driver's own reading of the
// replies and the moves timed on the mount's wire are the evidence.
#include <time.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <thread>

#include "guided_mount.h"
#include "indi_driver.h"
#include "linked_pty.h"
#include "pseudo_terminals.h"
#include "sky_places.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;

using testing::kLx200Device;
constexpr const char* kDevice = kLx200Device;
constexpr int kGuiderPort = 2;
const ObservingPlace kPlace{-1, 47.4979, 19.0402, 1, 0};

int64_t monotonicMicroseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

class GuidingClient : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_PSEUDO_TERMINALS();
    ASSERT_TRUE(std::filesystem::exists(testing::kLx200Driver)) << "install Debian's indi-bin";
    mount.controller.setObservingPlace(kPlace);
    ASSERT_TRUE(mount.linkAndTrack());
    mount.startHeartbeats();
    layCable();
    mount.controller.openGuiderPort(kGuiderPort);
    ASSERT_TRUE(mount.listener.waitFor("guider 3"));
  }

  void layCable() {
    cable = std::make_unique<testing::PtyBridge>(dir.path() / "ports" / ("COM" + std::to_string(kGuiderPort)),
                                                 dir.path() / "driver-port");
    ASSERT_TRUE(cable->working());
  }
  // Starts the driver on its end of the cable and connects it: the seconds
  // from the connect request until the driver has read the mount's site
  // and clock, its last step of connecting; -1 when it did not.
  double connectDriver() {
    driver = testing::startLx200Driver(dir.path());
    const auto start = std::chrono::steady_clock::now();
    const auto from = testing::connectLx200Driver(*driver, dir.path() / "driver-port");
    if (!from) return -1;
    connectedAt = *from;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  // A guide pulse the driver times (or, with its pulse commands on, the
  // program); the move as the mount saw it.
  testing::GuidedMount::Move guide(const std::string& vector, const std::string& direction, const std::string& other,
                                   int milliseconds) {
    const size_t from = mount.commandCount(), said = driver->mark();
    driver->setNumbers(kDevice, vector, {{direction, milliseconds}, {other, 0}});
    const auto timeout = std::chrono::milliseconds(milliseconds + 10000);
    const auto move = vector == "TELESCOPE_TIMED_GUIDE_NS" ? mount.declinationMove(from, timeout)
                                                           : mount.rightAscensionMove(from, timeout);
    // The next pulse waits until the driver has finished this one.
    EXPECT_TRUE(driver->awaitVector(vector, "Ok|Idle", said, 10s)) << "the driver did not end its pulse";
    return move;
  }
  // A driver-timed pulse of 500 ms north reaches the mount as one of that length.
  void expectNorthPulse() {
    const auto n = guide("TELESCOPE_TIMED_GUIDE_NS", "TIMED_GUIDE_N", "TIMED_GUIDE_S", 500);
    EXPECT_EQ(n.direction, 0);
    EXPECT_NEAR(n.milliseconds, 500, 30);
  }

  testing::ScratchDir dir;
  testing::GuidedMount mount{dir.path()};
  std::unique_ptr<testing::PtyBridge> cable;
  std::unique_ptr<testing::IndiDriver> driver;
  size_t connectedAt = 0;
};

TEST_F(GuidingClient, ConnectsAtOnceAndReadsTheSiteClockAndPosition) {
  // The sky stands still while the mount tracks, so each heartbeat's read
  // finds it a second of right ascension further on: without heartbeats
  // the driver is told the position read here.
  mount.stopHeartbeats();
  const int told = mount.listener.count("position");
  mount.controller.readPosition();
  ASSERT_TRUE(mount.listener.waitFor("position", told + 1));
  const auto position = mount.listener.lastPosition();

  const double seconds = connectDriver();
  ASSERT_GE(seconds, 0) << "the driver did not finish connecting";
  EXPECT_LT(seconds, 5.0);
  const int64_t utcNow = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch()).count();

  // The driver's reading of the site: latitude, and a longitude it keeps
  // east-positive (any turn of 360 degrees).
  const auto site = driver->awaitVector("GEOGRAPHIC_COORD", "\\w+", connectedAt, 1s);
  ASSERT_TRUE(site);
  EXPECT_NEAR(std::stod(testing::IndiDriver::member(*site, "LAT")), kPlace.latitudeDeg, 1 / 60.0);
  EXPECT_NEAR(std::remainder(std::stod(testing::IndiDriver::member(*site, "LONG")) - kPlace.longitudeDeg, 360), 0,
              1 / 60.0);
  // Its universal time, from the local time and offset it read.
  const auto clock = driver->awaitVector("TIME_UTC", "Ok", connectedAt, 1s);
  ASSERT_TRUE(clock);
  EXPECT_NEAR(testing::utcSeconds(testing::IndiDriver::member(*clock, "UTC")), utcNow, 3);
  EXPECT_NEAR(std::stod(testing::IndiDriver::member(*clock, "OFFSET")), kPlace.timeZoneHours, 1e-9);
  // The position it polls is the mount's in the frame of the date: the
  // apparent place of the program's clock by libnova, whose aberration and
  // nutation are simpler than the IAU's, within ten arcseconds (and the
  // second of time the reply carries).
  const auto coordinates = driver->awaitVector("EQUATORIAL_EOD_COORD", "\\w+", connectedAt, 3s);
  ASSERT_TRUE(coordinates);
  const double raHours = std::stod(testing::IndiDriver::member(*coordinates, "RA"));
  const double decDegrees = std::stod(testing::IndiDriver::member(*coordinates, "DEC"));
  const auto [ra, dec] = testing::libnovaOfDate(position.raRad * 12 / std::numbers::pi,
                                                position.decRad * 180 / std::numbers::pi, mount.sky.julianDate());
  EXPECT_NEAR(std::remainder(raHours - ra, 24) * 3600, 0, 1.5);
  EXPECT_NEAR((decDegrees - dec) * 3600, 0, 10.0);
}

TEST_F(GuidingClient, GuidePulsesReachTheMountAsTheRightMovesForTheirLength) {
  ASSERT_GE(connectDriver(), 0);
  for (int run = 0; run < 3; ++run) {
    expectNorthPulse();
    const auto w = guide("TELESCOPE_TIMED_GUIDE_WE", "TIMED_GUIDE_W", "TIMED_GUIDE_E", 1000);
    EXPECT_EQ(w.period, testing::GuidedMount::kWestGuidePeriod);
    EXPECT_NEAR(w.milliseconds, 1000, 30);
  }
  // With its pulse commands on, the driver leaves the timing to the mount.
  driver->setSwitch(kDevice, "Use Pulse Cmd", "On");
  for (int run = 0; run < 3; ++run) expectNorthPulse();
  const std::string said = cable->sentToFirst();
  EXPECT_NE(said.find(":Mn#"), std::string::npos);
  EXPECT_NE(said.find(":Mgn0500#"), std::string::npos);
}

// A driver killed during a move leaves the mount stopped at once: its end
// of the cable hangs up, and with it the guider port. Restarted, it finds
// the port open again and guides.
TEST_F(GuidingClient, AKilledDriverLeavesTheMountStoppedAndReconnectsWhenRestarted) {
  ASSERT_GE(connectDriver(), 0);
  const size_t from = mount.commandCount();
  driver->setNumbers(kDevice, "TELESCOPE_TIMED_GUIDE_NS", {{"TIMED_GUIDE_N", 5000}, {"TIMED_GUIDE_S", 0}});
  const int started = mount.waitForCommand(":J2", from, 3s);
  ASSERT_GE(started, 0);
  std::this_thread::sleep_for(300ms);
  const int64_t killed = monotonicMicroseconds();
  driver->kill();
  const int stopped = mount.waitForCommand(":K2", static_cast<size_t>(started), 2s);
  ASSERT_GE(stopped, 0) << "the mount was left moving";
  const double afterKill = (mount.commands()[static_cast<size_t>(stopped)].microseconds - killed) / 1000.0;
  EXPECT_LT(afterKill, 1000);
  ASSERT_TRUE(mount.listener.waitFor("guider 0"));

  cable.reset();
  layCable();
  ASSERT_TRUE(mount.listener.waitFor("guider 3", 2));
  const double seconds = connectDriver();
  ASSERT_GE(seconds, 0);
  EXPECT_LT(seconds, 5.0);
  expectNorthPulse();
}

}  // namespace
}  // namespace celvaro

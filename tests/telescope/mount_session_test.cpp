// Whole sessions of the telescope controller with the simulated mount on a
// pseudo-terminal, as the program runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <thread>
#include <mutex>
#include <numbers>
#include <string>
#include <vector>

#include "mount_simulator.h"
#include "protocol_bench.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_control.h"
#include "pseudo_terminals.h"
#include "test_files.h"
#include "waiting_listener.h"

namespace celvaro {
namespace {

using namespace std::chrono_literals;
constexpr double kDeg = std::numbers::pi / 180;
constexpr double kLatitude = 47.5, kLongitude = 19.0;

// The simulated mount on port 1 of a scratch program directory, with every
// byte it read kept.
class MountSession : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_PSEUDO_TERMINALS(); }
  // Simulated time runs thirty times as fast as real time (0: it stands
  // still). Connects a mount of `type` and waits for the link.
  void connect(mountsim::MountKind kind, int type, double timeScale = 30) {
    mountsim::MountOptions options;
    options.kind = kind;
    options.timeScale = timeScale;
    options.highPrecision = lx200HighPrecision_;
    options.log = [this](const mountsim::LogRecord& r) {
      std::lock_guard lock(logLock_);
      if (r.incoming) received_ += r.bytes;
    };
    simulator_ = std::make_unique<mountsim::MountSimulator>(options);
    ASSERT_TRUE(simulator_->start());
    std::filesystem::create_directories(dir_.path() / "ports");
    std::filesystem::create_symlink(simulator_->slavePath(), dir_.path() / "ports" / "COM1");
    controller_.start({});
    controller_.connect(type, 1);
    ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(type))));
  }
  // Heartbeats while waiting, five times as often as the clock gives them:
  // the protocols count their time-outs in heartbeats.
  bool waitFor(const std::string& event, int times = 1) {
    return listener_.waitFor(event, times, 20s, [this] {
      if (std::chrono::steady_clock::now() - lastBeat_ < 200ms) return;
      lastBeat_ = std::chrono::steady_clock::now();
      controller_.heartBeat();
    });
  }
  std::string received() {
    std::lock_guard lock(logLock_);
    return received_;
  }
  // The last LX200 command beginning with `prefix` the mount received.
  std::string lastReceived(const std::string& prefix) {
    const std::string all = received();
    const size_t at = all.rfind(prefix);
    return at == std::string::npos ? "" : all.substr(at, all.find('#', at) + 1 - at);
  }

  testing::ScratchDir dir_;
  testing::WaitingListener listener_;
  testing::FixedSiderealTime clock_;
  TelescopeControl controller_{listener_, clock_, dir_.path().string()};
  std::mutex logLock_;
  std::string received_;
  std::chrono::steady_clock::time_point lastBeat_{};
  bool lx200HighPrecision_ = true;
  // Last, so that its thread stops before the log it writes into goes.
  std::unique_ptr<mountsim::MountSimulator> simulator_;
};

// A goto right after the link came up (the mount's answer to the
// acknowledge is not taken for the answer to the first set command) to
// M 42 on 2025-01-01 0h UT. The mount works in coordinates of the date:
// PyEphem 4.1.4 puts M 42 (J2000 05h35m17.3s -05°23'28") at 05h36m32.38s
// -05°22'29.0" then:
//   b = ephem.FixedBody(); b._ra, b._dec = '05:35:17.3', '-05:23:28'; b._epoch = ephem.J2000
//   b.compute('2025/1/1 00:00'); print(b.g_ra, b.g_dec)
// so a mount in low precision is sent 05:36.5 and -05:22 (the J2000 place
// would be 05:35.3 and -05:23), one in high precision 05:36:32 and
// -05*22:29, and where it then stands reads back as M 42's J2000 place,
// within what the commands carry.
class Lx200Precision : public MountSession, public ::testing::WithParamInterface<bool> {};

TEST_P(Lx200Precision, GoesToM42InCoordinatesOfTheDateAndReadsItBackInJ2000) {
  const bool high = GetParam();
  clock_.date = 2460676.5;
  lx200HighPrecision_ = high;
  connect(mountsim::MountKind::Lx200, kMountLx200);
  const double raDeg = (5 + 35 / 60.0 + 17.3 / 3600) * 15, decDeg = -(5 + 23 / 60.0 + 28 / 3600.0);
  controller_.gotoPosition(raDeg * kDeg, decDeg * kDeg);
  ASSERT_TRUE(waitFor("link 11"));
  EXPECT_EQ(lastReceived(":Sr"), high ? ":Sr05:36:32#" : ":Sr05:36.5#");
  EXPECT_EQ(lastReceived(":Sd"), high ? ":Sd-05*22:29#" : ":Sd-05:22#");
  std::this_thread::sleep_for(500ms);  // the slew at thirty times its speed
  controller_.readPosition();
  ASSERT_TRUE(waitFor("position"));
  // A second of time is 0.25' of right ascension.
  const auto p = listener_.lastPosition();
  EXPECT_LT(std::abs(std::remainder(p.raRad / kDeg - raDeg, 360.0)) * std::cos(decDeg * kDeg) * 60, high ? 0.2 : 1.0);
  EXPECT_LT(std::abs(p.decRad / kDeg - decDeg) * 60, high ? 0.2 : 1.0);
}

INSTANTIATE_TEST_SUITE_P(BothPrecisions, Lx200Precision, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "High" : "Low"; });

std::string kindName(const ::testing::TestParamInfo<mountsim::MountKind>& info) {
  constexpr const char* kNames[] = {"AltAzimuth", "Equatorial", "Lx200", "NexStar"};
  return kNames[static_cast<int>(info.param)];
}

// Each kind of mount on a real line, driven to where it reads positions (an
// alt-azimuth mount needs a reference point first). Its type, what it tells
// on a fast move's start (a NexStar: done, on its answer), and what its
// command set stops its motion with (a NexStar: rate 0 to each motor through
// the pass-through and its goto cancel).
struct KindSession { int type; std::string moveStarted; std::vector<std::string> stops; };
KindSession sessionOf(mountsim::MountKind kind) {
  using namespace std::string_literals;
  switch (kind) {
    case mountsim::MountKind::AltAzimuth: return {kMountMotorAltAz, "link 12", {":L1\r", ":L2\r"}};
    case mountsim::MountKind::Equatorial: return {kMountMotorEquatorial, "link 12", {":K1\r", ":K2\r"}};
    case mountsim::MountKind::Lx200: return {kMountLx200, "link 12", {":Q#"}};
    case mountsim::MountKind::NexStar:
      return {kMountNexstar, "link 11", {"P\x02\x10\x25\0\0\0\0"s, "P\x02\x11\x24\0\0\0\0"s, "M"}};
  }
  return {};
}

class MountFaultSession : public MountSession, public ::testing::WithParamInterface<mountsim::MountKind> {
 protected:
  void connectAndAlign() {
    connect(GetParam(), sessionOf(GetParam()).type);
    if (GetParam() != mountsim::MountKind::AltAzimuth) return;
    controller_.setReferencePoint(kLatitude, kLongitude, 105 * kDeg, 20 * kDeg, 0);
    ASSERT_TRUE(waitFor("link 16"));
  }
};

// A mount that falls silent while it slews is told to stop before the port
// closes (it may have lost only its reply wire), and the panels switch off
// with the reason on the status line.
TEST_P(MountFaultSession, AMountFallenSilentMidSlewIsToldToStopAndThePanelsSwitchOff) {
  connectAndAlign();
  const KindSession kind = sessionOf(GetParam());
  controller_.moveFast(0, 3);
  ASSERT_TRUE(waitFor(kind.moveStarted));
  const size_t before = received().size();
  simulator_->setFault(mountsim::Fault::Silent);
  controller_.readPosition();
  ASSERT_TRUE(waitFor("link 4", 2));  // told by the protocol, then again after the switch-off
  const std::vector<std::string> events = listener_.history();
  EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()), (std::vector<std::string>{"link 20", "link 4"}));
  // The simulator's reader logs what it read in its own time.
  const auto hasAllStops = [&] {
    const std::string since = received().substr(before);
    return std::all_of(kind.stops.begin(), kind.stops.end(),
                       [&](const std::string& stop) { return since.find(stop) != std::string::npos; });
  };
  for (int wait = 0; wait < 100 && !hasAllStops(); ++wait) std::this_thread::sleep_for(20ms);
  EXPECT_TRUE(hasAllStops()) << ::testing::PrintToString(received().substr(before));
  controller_.disconnect();
  EXPECT_TRUE(waitFor("link 20", 2));
}

// Each heartbeat reads the position (or a slew's progress) unasked; a
// command right behind it waits for the reply, which would otherwise be
// taken for the command's own answer. Each goto comes while the one before
// still runs, some of them before its last command was answered.
TEST_P(MountFaultSession, EveryHeartbeatReadsThePositionAndCommandsWaitForTheRead) {
  connectAndAlign();
  const int heard = listener_.count("position");
  for (int i = 0; i < 5; ++i) {
    controller_.heartBeat();
    std::this_thread::sleep_for(250ms);
  }
  EXPECT_GE(listener_.count("position") - heard, 4);
  // A NexStar tells a goto done on its answer; the others that it started.
  const std::string gotoTold = GetParam() == mountsim::MountKind::NexStar ? "link 11" : "link 14";
  const int gotosBefore = listener_.count(gotoTold);
  for (int i = 1; i <= 6; ++i) {
    controller_.heartBeat();
    controller_.gotoPosition((100 + 2 * i) * kDeg, 25 * kDeg);
    ASSERT_TRUE(waitFor(gotoTold, gotosBefore + i)) << "goto " << i;
  }
  EXPECT_EQ(listener_.count("link 6"), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, MountFaultSession,
                         ::testing::Values(mountsim::MountKind::AltAzimuth, mountsim::MountKind::Equatorial,
                                           mountsim::MountKind::Lx200, mountsim::MountKind::NexStar),
                         kindName);

TEST_F(MountSession, DslrSeriesHoldsTheShutterLineForTheExposure) {
  connect(mountsim::MountKind::Equatorial, kMountMotorEquatorial, 0);
  controller_.startDslrSeries(1, 2, 1);
  ASSERT_TRUE(waitFor("dslr 59"));
  // Linux keeps no modem lines for a pseudo-terminal; where a kernel does,
  // the simulator sees them too.
  EXPECT_EQ(controller_.mountControlLines(), 2);
  EXPECT_EQ(simulator_->controlLines().value_or(2), 2);
  ASSERT_TRUE(waitFor("dslr 3"));
  EXPECT_EQ(controller_.mountControlLines(), 2);
  ASSERT_TRUE(waitFor("dslr 72"));
  EXPECT_EQ(controller_.mountControlLines(), 0);
  EXPECT_EQ(simulator_->controlLines().value_or(0), 0);
}

}  // namespace
}  // namespace celvaro

// Whole sessions of the telescope controller with the simulated mount on a
// pseudo-terminal, as the program runs them: connect, align on reference
// stars, goto, read the position back, track, disconnect.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <cmath>
#include <filesystem>
#include <thread>
#include <mutex>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "model/clock_listener.h"
#include "mount_simulator.h"
#include "telescope/basic_command_sender.h"
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

class FixedSiderealTime : public iSiderealTime {
 public:
  double julianDate() const override { return date; }
  double greenwichSiderealHours() const override { return 6.0; }
  double localSiderealHours() const override { return 6.0 + kLongitude / 15; }
  double date = 2451545.0;
};

// The simulated mount on port 1 of a scratch program directory, with its
// traffic kept.
class MountSession : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_PSEUDO_TERMINALS(); }
  // Simulated time runs thirty times as fast as real time, so slews of tens
  // of degrees take a moment; at a scale of 0 it moves only with advance().
  void startMount(mountsim::MountKind kind, double timeScale = 30, std::optional<mountsim::Site> site = {}) {
    mountsim::MountOptions options;
    options.kind = kind;
    options.timeScale = timeScale;
    options.site = site;
    options.highPrecision = lx200HighPrecision_;
    options.log = [this](const mountsim::LogRecord& r) {
      std::lock_guard lock(logLock_);
      (r.incoming ? received_ : sent_).push_back(r.bytes);
      if (r.incoming) receivedAt_.push_back(r.microseconds);
    };
    simulator_ = std::make_unique<mountsim::MountSimulator>(options);
    ASSERT_TRUE(simulator_->start());
    std::filesystem::create_directories(dir_.path() / "ports");
    std::filesystem::create_symlink(simulator_->slavePath(), dir_.path() / "ports" / "COM1");
    controller_.start({});
  }
  // Heartbeats while waiting, as the clock gives them, only five times as
  // often: the protocols count their time-outs in heartbeats.
  bool waitFor(const std::string& event, int times = 1) {
    return listener_.waitFor(event, times, 20s, [this] { beat(); });
  }
  void beat() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastBeat_ < 200ms) return;
    lastBeat_ = now;
    ++beats_;
    controller_.heartBeat();
  }
  std::vector<std::string> received() {
    std::lock_guard lock(logLock_);
    return received_;
  }
  std::vector<std::string> sent() {
    std::lock_guard lock(logLock_);
    return sent_;
  }
  void connectEquatorial(double timeScale) {
    startMount(mountsim::MountKind::Equatorial, timeScale);
    controller_.connect(kMountMotorEquatorial, 1);
    ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(kMountMotorEquatorial))));
  }
  // The last command beginning with `prefix` the mount received.
  std::string lastReceived(const std::string& prefix) {
    const auto all = received();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
      const size_t at = it->rfind(prefix);
      if (at != std::string::npos) return it->substr(at);
    }
    return "";
  }
  void expectNear(const testing::WaitingListener::Position& p, double raDeg, double decDeg, double arcmin) {
    const double dRa = std::remainder(p.raRad / kDeg - raDeg, 360.0) * std::cos(decDeg * kDeg) * 60;
    EXPECT_LT(std::abs(dRa), arcmin) << "right ascension off by " << dRa << "'";
    EXPECT_LT(std::abs(p.decRad / kDeg - decDeg) * 60, arcmin);
  }

  testing::ScratchDir dir_;
  testing::WaitingListener listener_;
  FixedSiderealTime clock_;
  TelescopeControl controller_{listener_, clock_, dir_.path().string()};
  std::mutex logLock_;
  std::vector<std::string> received_, sent_;
  std::vector<int64_t> receivedAt_;  // when each of received_ came, in microseconds
  std::chrono::steady_clock::time_point lastBeat_{};
  int beats_ = 0;
  bool lx200HighPrecision_ = true;
  // Last, so that its thread stops before the log it writes into goes.
  std::unique_ptr<mountsim::MountSimulator> simulator_;
};

TEST_F(MountSession, AltAzimuthMotorControllerAlignsGoesToAStarAndTracks) {
  startMount(mountsim::MountKind::AltAzimuth);
  controller_.connect(kMountMotorAltAz, 1);
  ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(kMountMotorAltAz))));

  // Two reference stars: the mount points at the first; the second is
  // reached with the one-point model and stored there.
  controller_.setReferencePoint(kLatitude, kLongitude, 105 * kDeg, 20 * kDeg, 0);
  ASSERT_TRUE(waitFor("link 16"));
  controller_.gotoPosition(60 * kDeg, 25 * kDeg);
  ASSERT_TRUE(waitFor("link 14"));
  ASSERT_TRUE(waitFor("link 11"));
  controller_.setReferencePoint(kLatitude, kLongitude, 60 * kDeg, 25 * kDeg, 1);
  ASSERT_TRUE(waitFor("link 16", 2));

  controller_.gotoPosition(90 * kDeg, 35 * kDeg);
  ASSERT_TRUE(waitFor("link 14", 2));
  ASSERT_TRUE(waitFor("link 11", 2));
  // The axes stopped on the counts the goto computed.
  const std::string target1 = lastReceived(":S1"), target2 = lastReceived(":S2");
  ASSERT_EQ(target1.size(), 10u);
  controller_.readPosition();
  ASSERT_TRUE(waitFor("position"));
  expectNear(listener_.lastPosition(), 90, 35, 1.0);
  const auto replies = sent();
  const std::string position1 = "=" + target1.substr(3, 6) + "\r", position2 = "=" + target2.substr(3, 6) + "\r";
  EXPECT_NE(std::find(replies.begin(), replies.end(), position1), replies.end());
  EXPECT_NE(std::find(replies.begin(), replies.end(), position2), replies.end());

  // Tracking re-slews every four idle heartbeats.
  const auto starts = [&] {
    const auto all = received();
    return std::count(all.begin(), all.end(), std::string(":J1\r"));
  };
  const auto startsBefore = starts();
  controller_.setTracking(1);
  const auto more = [&] { return starts() > startsBefore; };
  for (int wait = 0; wait < 200 && !more(); ++wait) {
    beat();
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_TRUE(more());

  controller_.disconnect();
  controller_.readPosition();
  EXPECT_TRUE(waitFor("link 7"));
}

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
  startMount(mountsim::MountKind::Lx200);
  controller_.connect(kMountLx200, 1);
  ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(kMountLx200))));
  const double raDeg = (5 + 35 / 60.0 + 17.3 / 3600) * 15, decDeg = -(5 + 23 / 60.0 + 28 / 3600.0);
  controller_.gotoPosition(raDeg * kDeg, decDeg * kDeg);
  ASSERT_TRUE(waitFor("link 11"));
  EXPECT_EQ(lastReceived(":Sr"), high ? ":Sr05:36:32#" : ":Sr05:36.5#");
  EXPECT_EQ(lastReceived(":Sd"), high ? ":Sd-05*22:29#" : ":Sd-05:22#");
  std::this_thread::sleep_for(500ms);  // the slew at thirty times its speed
  controller_.readPosition();
  ASSERT_TRUE(waitFor("position"));
  // A second of time is 0.25' of right ascension.
  expectNear(listener_.lastPosition(), raDeg, decDeg, high ? 0.2 : 1.0);
}

// The spiral's legs on a real line, where position reads come back at once:
// each leg's travel, from its :J to its stop on the mount's log, at the
// rate its :G mode and :I period set on the simulated controller (its timer
// of 64935 Hz over the period, 16 times that in mode 3), is within 5 % of
// the leg's length: 1, 1, 3, 3, 5, 5 ... steps.
struct SpiralRun {
  mountsim::MountKind kind;
  int mountType;
  double countsPerRevolution;
  uint8_t radiusArcmin, turns, speed;
};

class SpiralOnALine : public MountSession, public ::testing::WithParamInterface<SpiralRun> {
 protected:
  // The travel of each leg in counts, as the mount's log shows it.
  std::vector<double> legTravels(size_t from) {
    std::lock_guard lock(logLock_);
    std::vector<double> travels;
    std::array<double, 3> rate{}, started{};
    int mode = 0;
    for (size_t i = from; i < received_.size(); ++i) {
      const std::string& c = received_[i];
      if (c.size() < 4 || c[0] != ':') continue;
      const int axis = c[2] - '0';
      if (axis < 1 || axis > 2) continue;
      const double seconds = receivedAt_[i] / 1e6;
      uint32_t period = 0;
      if (c[1] == 'G') mode = c[3] - '0';
      if (c[1] == 'I' && readMotorValue(c.data() + 3, static_cast<int>(c.size()) - 3, period) && period > 0) {
        rate[axis] = 64935.0 / period * (mode == 3 ? 16 : 1);
      }
      if (c[1] == 'J') started[axis] = seconds;
      if ((c[1] == 'L' || c[1] == 'K') && started[axis] > 0) {
        travels.push_back(rate[axis] * (seconds - started[axis]));
        started[axis] = 0;
      }
    }
    return travels;
  }
};

TEST_P(SpiralOnALine, LegsEndWithinFivePercentOfTheirLength) {
  const SpiralRun run = GetParam();
  startMount(run.kind, 1);
  controller_.connect(run.mountType, 1);
  ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(run.mountType))));
  const size_t from = received().size();
  controller_.startSpiralSearch(run.radiusArcmin, run.turns, run.speed);
  ASSERT_TRUE(listener_.waitFor("link 24", 1, 120s, [this] { beat(); }));
  const double step = run.radiusArcmin / 60.0 * run.countsPerRevolution / 360;
  const std::vector<double> travels = legTravels(from);
  ASSERT_EQ(travels.size(), 4u * (run.turns + 1u));  // the turns after the first
  double worst = 0;
  for (size_t leg = 0; leg < travels.size(); ++leg) {
    const double length = (leg < 2 ? 1 : 2 * (leg / 2) + 1) * step;
    worst = std::max(worst, std::abs(travels[leg] / length - 1));
    EXPECT_NEAR(travels[leg] / length, 1.0, 0.05) << "leg " << leg;
  }
  std::cout << "[ spiral   ] worst leg " << worst * 100 << " % off its length\n";
}

INSTANTIATE_TEST_SUITE_P(
    MotorControllers, SpiralOnALine,
    ::testing::Values(SpiralRun{mountsim::MountKind::AltAzimuth, kMountMotorAltAz, 0x1AF100, 10, 1, 2},
                      SpiralRun{mountsim::MountKind::Equatorial, kMountMotorEquatorial, 9024000, 5, 1, 5}),
    [](const auto& info) { return info.param.kind == mountsim::MountKind::AltAzimuth ? "AltAzimuth" : "Equatorial"; });

INSTANTIATE_TEST_SUITE_P(BothPrecisions, Lx200Precision, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "High" : "Low"; });

// A star 80° south never rises at 47.5° north: the mount refuses the slew.
TEST_F(MountSession, Lx200RefusedSlewShowsTheMountsText) {
  startMount(mountsim::MountKind::Lx200, 30, mountsim::Site{kLatitude, kLongitude});
  controller_.connect(kMountLx200, 1);
  ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(kMountLx200))));
  controller_.gotoPosition(82.5 * kDeg, -80 * kDeg);
  ASSERT_TRUE(waitFor("message Object Below Horizon"));
  EXPECT_EQ(listener_.count("link 26"), 1);
  EXPECT_EQ(listener_.count("link 11"), 0);
  controller_.gotoPosition(82.5 * kDeg, 80 * kDeg);  // always up there
  ASSERT_TRUE(waitFor("link 11"));
  EXPECT_EQ(listener_.count("link 26"), 1);
}

std::string kindName(const ::testing::TestParamInfo<mountsim::MountKind>& info) {
  constexpr const char* kNames[] = {"AltAzimuth", "Equatorial", "Lx200", "NexStar"};
  return kNames[static_cast<int>(info.param)];
}

// Each kind of mount falling silent on a real line: the session is driven
// to where it reads positions (an alt-azimuth mount needs a reference point
// first), then the fault starts. (Replies with bad digits are each
// protocol's own, tested on the bench.)
class MountFaultSession : public MountSession, public ::testing::WithParamInterface<mountsim::MountKind> {
 protected:
  void connectAndAlign() {
    const int type = mountTypeOf(GetParam());
    startMount(GetParam());
    controller_.connect(type, 1);
    ASSERT_TRUE(waitFor("link " + std::to_string(linkEstablishedCode(type))));
    if (type != kMountMotorAltAz) return;
    controller_.setReferencePoint(kLatitude, kLongitude, 105 * kDeg, 20 * kDeg, 0);
    ASSERT_TRUE(waitFor("link 16"));
  }
  static int mountTypeOf(mountsim::MountKind kind) {
    switch (kind) {
      case mountsim::MountKind::AltAzimuth: return kMountMotorAltAz;
      case mountsim::MountKind::Equatorial: return kMountMotorEquatorial;
      case mountsim::MountKind::Lx200: return kMountLx200;
      case mountsim::MountKind::NexStar: return kMountNexstar;
    }
    return kMountNone;
  }
};

// The awaited reply may be three heartbeats late at most, and the next one
// may already be under way.
TEST_P(MountFaultSession, AMountFallenSilentClosesThePortWithinFourHeartbeats) {
  connectAndAlign();
  const int heard = listener_.count("position");
  simulator_->setFault(mountsim::Fault::Silent);
  const int beatsBefore = beats_;
  controller_.readPosition();
  ASSERT_TRUE(waitFor("link 4"));
  EXPECT_LE(beats_ - beatsBefore, 4);
  EXPECT_LE(listener_.count("position") - heard, 1);  // a heartbeat's read answered as it fell silent
  controller_.readPosition();
  EXPECT_TRUE(waitFor("link 7"));
}

// What each kind's command set stops its motion with: the motor
// controllers' axis stops, LX200's :Q#, and the NexStar hand controller's
// pass-through of rate 0 to each motor and its goto cancel. A NexStar
// tells a fast move's start as done (11) on the mount's answer.
struct KindStops {
  std::string moveStarted;
  std::vector<std::string> stops;
};
KindStops stopsOf(mountsim::MountKind kind) {
  using namespace std::string_literals;
  switch (kind) {
    case mountsim::MountKind::AltAzimuth: return {"link 12", {":L1\r", ":L2\r"}};
    case mountsim::MountKind::Equatorial: return {"link 12", {":K1\r", ":K2\r"}};
    case mountsim::MountKind::Lx200: return {"link 12", {":Q#"}};
    case mountsim::MountKind::NexStar:
      return {"link 11", {"P\x02\x10\x25\0\0\0\0"s, "P\x02\x11\x24\0\0\0\0"s, "M"}};
  }
  return {};
}

// A mount that falls silent while it slews is told to stop before the port
// closes (it may have lost only its reply wire), and the panels switch off
// with the reason on the status line.
TEST_P(MountFaultSession, AMountFallenSilentMidSlewIsToldToStopAndThePanelsSwitchOff) {
  connectAndAlign();
  const KindStops kind = stopsOf(GetParam());
  controller_.moveFast(0, 3);
  ASSERT_TRUE(waitFor(kind.moveStarted));
  const size_t before = received().size();
  simulator_->setFault(mountsim::Fault::Silent);
  controller_.readPosition();
  ASSERT_TRUE(waitFor("link 4", 2));  // told by the protocol, then again after the switch-off
  const std::vector<std::string> events = listener_.history();
  EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()), (std::vector<std::string>{"link 20", "link 4"}));
  // The simulator's reader logs what it read in its own time.
  const auto receivedSince = [&] {
    const auto all = received();
    std::string since;
    for (size_t i = before; i < all.size(); ++i) since += all[i];
    return since;
  };
  const auto hasAllStops = [&] {
    const std::string since = receivedSince();
    return std::all_of(kind.stops.begin(), kind.stops.end(),
                       [&](const std::string& stop) { return since.find(stop) != std::string::npos; });
  };
  for (int wait = 0; wait < 100 && !hasAllStops(); ++wait) std::this_thread::sleep_for(20ms);
  EXPECT_TRUE(hasAllStops()) << ::testing::PrintToString(receivedSince());
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
  connectEquatorial(0);
  controller_.startDslrSeries(1, 2, 1);
  ASSERT_TRUE(waitFor("dslr 59"));
  // Linux keeps no modem lines for a pseudo-terminal; where a kernel does,
  // the simulator sees them too.
  EXPECT_EQ(controller_.mountControlLines(), 2);
  if (const auto seen = simulator_->controlLines()) {
    EXPECT_EQ(*seen, 2);
  }
  ASSERT_TRUE(waitFor("dslr 3"));
  EXPECT_EQ(controller_.mountControlLines(), 2);
  ASSERT_TRUE(waitFor("dslr 72"));
  EXPECT_EQ(controller_.mountControlLines(), 0);
  if (const auto seen = simulator_->controlLines()) {
    EXPECT_EQ(*seen, 0);
  }
}

}  // namespace
}  // namespace celvaro

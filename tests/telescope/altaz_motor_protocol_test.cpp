// MountType 5 on the bench: handshake, moves, reference points, goto with
// its polling, tracking, and replies that are wrong or too long.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "astro/coordinates.h"
#include "telescope/alignment_model.h"
#include "protocol_bench.h"
#include "simulated_bench.h"
#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_command_codes.h"

namespace celvaro {
namespace {

using testing::kOk;
using testing::ProtocolBench;
using testing::SimulatedBench;
using testing::valueReply;

constexpr uint32_t kBase = 0x800000;
constexpr double kLatitude = 47.0, kLongitude = 19.0;

// A star's place handed over as goto target and as reference point `index`.
SharedTelescopeValues valuesFor(double raRad, double decRad, int index) {
  SharedTelescopeValues v;
  v.latitudeDeg = kLatitude;
  v.longitudeDeg = kLongitude;
  v.referenceRaRad = v.gotoRaRad = raRad;
  v.referenceDecRad = v.gotoDecRad = decRad;
  v.referenceIndex = index;
  return v;
}

// The J2000 place of a point of the local sky at the sidereal time.
EquatorialPosition skyPlace(double azimuthDeg, double altitudeDeg, double siderealHours) {
  const EquatorialPosition p = horizontalToEquatorial(altitudeDeg, azimuthDeg, kLatitude, kLongitude, siderealHours);
  return testing::chartPlaceOf(p.raRad, p.decRad);
}

class AltAzMountTest : public ::testing::Test {
 protected:
  // Axis 1 has 1000000 counts per revolution, axis 2 1200000.
  void linkUp() { bench.linkUpAltAz(1000000, 1200000); }
  // Right ascension and declination of a point of the local sky now.
  SharedTelescopeValues skyAt(double azimuthDeg, double altitudeDeg, int index = 0) {
    const EquatorialPosition j2000 = skyPlace(azimuthDeg, altitudeDeg, bench.clock.hours);
    return valuesFor(j2000.raRad, j2000.decRad, index);
  }
  void storeReference(int index, double azimuthDeg, double altitudeDeg, uint32_t count1, uint32_t count2) {
    bench.command({kCmdSetReference}, skyAt(azimuthDeg, altitudeDeg, index));
    EXPECT_EQ(bench.dialog({valueReply(count1), valueReply(count2)}), ":j1\r|:j2\r|");
    EXPECT_EQ(bench.reported(), std::vector<int>{16});
  }
  // The slew after the goto or tracking decision, answered step by step,
  // axis 1 read standing at `axis1Now`.
  std::string slewBytes(uint32_t axis1Now = kBase) {
    return bench.dialog({kOk, kOk, valueReply(axis1Now), kOk, kOk, kOk, kOk, kOk, kOk});
  }
  // Heartbeats of an idle, aligned mount: each reads the position, answered
  // with the base counts.
  void idleBeats(int count) {
    for (int i = 0; i < count; ++i) {
      bench.protocol->tick();
      EXPECT_TRUE(bench.protocol->awaitsPoll());
      ASSERT_EQ(bench.dialog({valueReply(kBase), valueReply(kBase)}), ":j1\r|:j2\r|");
    }
  }
  static std::string expectedSlew(uint32_t count1, uint32_t count2) {
    return ":L1\r|:L2\r|:j1\r|:G100\r|" + motorValueBytes(1, 'S', count1) + "|:J1\r|:G200\r|" +
           motorValueBytes(2, 'S', count2) + "|:J2\r|";
  }

  ProtocolBench bench{kMountMotorAltAz};
};

TEST_F(AltAzMountTest, HandshakeByteForByteWithEchoesSkipped) {
  EXPECT_EQ(bench.protocol->connect(), kKeepLink);
  // The mount echoes each command before answering.
  EXPECT_EQ(bench.dialog({":F1\r=\r", kOk, valueReply(2500000), kOk, valueReply(800000)}),
            ":F1\r|:F2\r|:a1\r|:D1\r|:a2\r|:D2\r");
  EXPECT_TRUE(bench.reported().empty());
  EXPECT_EQ(bench.receive(kOk), kLinkEstablished);
  EXPECT_EQ(bench.reported(), std::vector<int>{linkEstablishedCode(kMountMotorAltAz)});
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, ImplausibleCountsPerRevolutionCloseThePort) {
  for (uint32_t counts : {2500001u, 799999u}) {
    bench.protocol->connect();
    bench.receive(kOk + kOk);
    EXPECT_EQ(bench.receive(valueReply(counts)), kClosePort) << counts;
    EXPECT_EQ(bench.reported(), std::vector<int>{5});
  }
  bench.protocol->connect();
  bench.receive(kOk + kOk + valueReply(1000000) + kOk);
  EXPECT_EQ(bench.receive("=12\r"), kClosePort);  // no value at all
}

TEST_F(AltAzMountTest, WatchdogEndsAHandshakeAfterTwelveHeartbeats) {
  bench.protocol->connect();
  bench.receive(kOk);
  EXPECT_EQ(bench.beatsToClose(), 12);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});

  // An error reply to a handshake command leaves the handshake unfinished:
  // the watchdog still closes the port.
  bench.protocol->connect();
  bench.receive("!0\r");
  EXPECT_EQ(bench.reported(), std::vector<int>{6});
  EXPECT_EQ(bench.beatsToClose(), 12);
  EXPECT_EQ(bench.reported(), std::vector<int>{4});

  linkUp();
  EXPECT_EQ(bench.beatsToClose(20), 0);
  EXPECT_TRUE(bench.reported().empty());
}

TEST_F(AltAzMountTest, RepliesReachingFiftyBytesAreDroppedWithTheirLine) {
  bench.protocol->connect();
  // The rest of a dropped line opens no reply, even with '=' in it.
  EXPECT_EQ(bench.dialog({"=" + std::string(48, '0') + "\r", "=" + std::string(49, '0') + "\r",
                          "=" + std::string(60, '0') + "=\r"}),
            ":F1\r|:F2\r||");
  const std::string huge = "=" + std::string(5000, '7') + "\r";
  EXPECT_EQ(bench.receive(huge), kKeepLink);
  EXPECT_EQ(bench.dialog({kOk}), "|:a1\r");
}

TEST_F(AltAzMountTest, MovesByteForByte) {
  linkUp();
  bench.command({kCmdMoveFast, 2, 1});
  EXPECT_EQ(bench.reported(), std::vector<int>{12});
  EXPECT_EQ(bench.dialog({kOk, kOk, kOk, kOk}), ":L1\r|:G130\r|" + motorValueBytes(1, 'I', 100) + "|:J1\r|");
  bench.command({kCmdMoveSlow, 1, 9});  // rate index clamped to 5
  EXPECT_EQ(bench.reported(), std::vector<int>{13});
  EXPECT_EQ(bench.dialog({kOk, kOk, kOk}), ":L2\r|:G211\r|" + motorValueBytes(2, 'I', 4) + "|:J2\r");

  bench.command({kCmdMoveFast, 5, 0});
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, StopsAndErrorReplies) {
  linkUp();
  bench.command({kCmdStop, 4});
  EXPECT_EQ(bench.dialog({kOk, kOk}), ":L1\r|:L2\r|");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});
  bench.command({kCmdStop, 1});
  EXPECT_EQ(bench.sent(), ":L2\r");
  // Replaced before the mount answered: that answer comes first and is
  // passed over.
  bench.command({kCmdStop, 2});
  EXPECT_EQ(bench.sent(), ":L1\r");
  bench.receive(kOk);
  EXPECT_TRUE(bench.reported().empty());
  bench.receive(kOk);
  EXPECT_EQ(bench.reported(), std::vector<int>{11});

  // An error reply ends the sequence: later replies send nothing.
  bench.command({kCmdMoveFast, 0, 0});
  bench.sent();
  bench.reported();
  EXPECT_EQ(bench.dialog({"!0\r", kOk}), "||");
  EXPECT_EQ(bench.reported(), std::vector<int>{6});
}

TEST_F(AltAzMountTest, GotoByteForByteWithPollingUntilBothAxesStand) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdGoto}, skyAt(40, 50));
  EXPECT_EQ(bench.reported(), std::vector<int>{14});
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 83333, kBase + 100000));

  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({"=013\r", "=203\r"}), ":f1\r|:f2\r|");
  EXPECT_TRUE(bench.reported().empty());
  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({"=003\r", "=203\r"}), ":f1\r|:f2\r|");
  EXPECT_EQ(bench.reported(), std::vector<int>{11});
  idleBeats(1);  // standing: the heartbeat reads the position again

  // A status that does not parse ends the polling.
  bench.command({kCmdGoto}, skyAt(40, 50));
  slewBytes(kBase + 83333);
  bench.protocol->tick();
  EXPECT_EQ(bench.dialog({"=20A\r"}), ":f1\r|");
  EXPECT_EQ(bench.reported(), (std::vector<int>{14, 6}));
  idleBeats(1);
}

// Without a model (none stored, or slot 2 alone) position commands are
// refused with 8; targets too high or below the horizon, 18 and 19.
TEST_F(AltAzMountTest, PositionCommandsNeedAModelAndTargetsInReach) {
  linkUp();
  bench.command({kCmdGoto}, skyAt(40, 50));
  bench.command({kCmdReadPosition});
  bench.command({kCmdTracking, 1});
  EXPECT_EQ(bench.reported(), (std::vector<int>{8, 8, 8}));
  storeReference(2, 10, 20, kBase, kBase);
  bench.command({kCmdGoto}, skyAt(40, 50));  // slot 2 alone makes no model
  bench.command({kCmdGoto}, skyAt(40, 85));
  bench.command({kCmdGoto}, skyAt(40, -5));
  EXPECT_EQ(bench.reported(), (std::vector<int>{8, 18, 19}));
  EXPECT_EQ(bench.sent(), "");
}

TEST_F(AltAzMountTest, AnUnreadablePositionIsNoPosition) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  for (const std::string& unreadable : {std::string("=12\r"), std::string("=ZZ%@~x\r")}) {
    bench.command({kCmdReadPosition});
    // Back to idle: the next reply is not read.
    EXPECT_EQ(bench.dialog({unreadable, valueReply(kBase)}), ":j1\r||");
    EXPECT_EQ(bench.reported(), std::vector<int>{6});
  }
  EXPECT_TRUE(bench.listener.positions.empty());
}

TEST_F(AltAzMountTest, TrackingReslewsEveryFourIdleHeartbeatsUntilTheTargetSets) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdTracking, 1});
  EXPECT_EQ(bench.dialog({valueReply(kBase + 83333), valueReply(kBase + 100000)}), ":j1\r|:j2\r|");
  idleBeats(3);
  bench.protocol->tick();
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 83333, kBase + 100000));
  EXPECT_TRUE(bench.reported().empty());  // no 14 for a tracking slew
  bench.protocol->tick();
  bench.dialog({"=003\r", "=203\r"});
  EXPECT_EQ(bench.reported(), std::vector<int>{11});

  // Half a day later the target is below the horizon: tracking stops.
  bench.clock.hours += 12;
  idleBeats(3);
  bench.protocol->tick();
  EXPECT_EQ(bench.reported(), std::vector<int>{19});
  idleBeats(8);  // no slew: only the position is read

  // A manual move ends tracking too.
  bench.command({kCmdTracking, 1});
  bench.dialog({valueReply(kBase), valueReply(kBase)});
  bench.command({kCmdMoveSlow, 0, 0});
  bench.dialog({kOk, kOk, kOk, kOk});
  idleBeats(8);
}

TEST_F(AltAzMountTest, DeletingReferencePoints) {
  linkUp();
  storeReference(0, 10, 20, kBase, kBase);
  storeReference(1, 45, 25, kBase + 100000, kBase + 90000);
  bench.command({kCmdDeleteReference, 0});
  EXPECT_TRUE(bench.reported().empty());
  bench.command({kCmdGoto}, skyAt(45, 25));  // slot 1 is now the base
  EXPECT_EQ(slewBytes(), expectedSlew(kBase + 100000, kBase + 90000));

  bench.command({kCmdDeleteReference, 255});
  EXPECT_EQ(bench.reported(), (std::vector<int>{14, 8}));
  bench.command({kCmdGoto}, skyAt(45, 25));
  EXPECT_EQ(bench.reported(), std::vector<int>{8});

  // Points deleted while a goto reads where axis 1 stands: no slew follows.
  storeReference(0, 10, 20, kBase, kBase);
  bench.command({kCmdGoto}, skyAt(45, 25));
  EXPECT_EQ(bench.dialog({kOk, kOk}), ":L1\r|:L2\r|:j1\r");
  bench.command({kCmdDeleteReference, 255});
  EXPECT_EQ(bench.dialog({valueReply(kBase)}), "|");
  EXPECT_EQ(bench.reported(), (std::vector<int>{14, 8, 8}));
}

// Both motor-controller types: once the link is up, a reply that has not
// come within three heartbeats means the mount no longer answers.
TEST(MotorControllerReplies, AReplyMissingForThreeHeartbeatsClosesThePort) {
  for (const int type : {kMountMotorAltAz, kMountMotorEquatorial}) {
    SimulatedBench sim(type, type == kMountMotorEquatorial, 1000000);
    sim.linkUp();
    ProtocolBench& bench = sim.bench;
    // A reply two heartbeats late is in time.
    bench.command({kCmdStop, 2});
    const std::string stop = bench.sent();
    EXPECT_EQ(bench.beatsToClose(2), 0);
    bench.receive(kOk);
    EXPECT_EQ(bench.reported(), std::vector<int>{11});
    // Three heartbeats without it close the port.
    bench.command({kCmdStop, 2});
    EXPECT_EQ(bench.sent(), stop);
    EXPECT_EQ(bench.beatsToClose(), 3) << type;
    EXPECT_EQ(bench.reported(), std::vector<int>{kStatusHandshakeTimedOut});
  }
}

// The model alone: reference points either side of due north, read back
// the way a goto counts.
constexpr int32_t kModelBase = kBase;

class AlignmentModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.setHalfRevolution(1, 500000);
    model.setHalfRevolution(2, 600000);
  }
  // Counts for a horizontal position, axis 1 standing at the base count.
  MotorCounts countsAt(double azimuthDeg, double altitudeDeg) {
    MotorCounts counts;
    EXPECT_TRUE(model.horizontalToCounts({altitudeDeg, azimuthDeg}, kModelBase, counts));
    return counts;
  }

  AlignmentModel model;
};

// Counts read back give the sky position a goto to it would have counted,
// correction included: the read-out and the goto are one model.
TEST_F(AlignmentModelTest, CountsBackToTheSkyThroughTheSameModel) {
  model.setPoint(0, {20, 10}, {kModelBase, kModelBase});
  model.setPoint(1, {25, 45}, {kModelBase + 100000, kModelBase + 90000});
  ASSERT_EQ(model.mode(), AlignmentModel::kTwoPoints);
  for (const auto& [azimuth, altitude] : {std::pair{80.0, 30.0}, {-100.0, 60.0}, {200.0, 5.0}, {10.0, 20.0}}) {
    HorizontalPosition back{};
    ASSERT_TRUE(model.countsToHorizontal(countsAt(azimuth, altitude), back));
    EXPECT_NEAR(normaliseDegrees(back.azimuthDeg - azimuth + 180) - 180, 0, 1e-3) << azimuth;
    EXPECT_NEAR(back.altitudeDeg, altitude, 1e-3) << azimuth;
  }
}

// Azimuth is folded at due north; two points on either side of it are 40
// degrees apart, as their counts show, not 320.
TEST_F(AlignmentModelTest, PointsEitherSideOfNorthSpanTheShortWay) {
  const int32_t fortyDegrees = 111111;  // 500000 counts a half turn
  model.setPoint(0, {30, 160}, {kModelBase, kModelBase});
  model.setPoint(1, {30, 200}, {kModelBase + fortyDegrees, kModelBase});
  ASSERT_EQ(model.mode(), AlignmentModel::kTwoPoints);
  EXPECT_NEAR(countsAt(180, 30).axis1, kModelBase + fortyDegrees / 2, 1);
  EXPECT_EQ(countsAt(200, 30).axis1, kModelBase + fortyDegrees);
  EXPECT_EQ(countsAt(180, 30).axis2, kModelBase);
  // Points whose counts say they lie 10 degrees apart stay one point.
  model.setPoint(1, {30, 200}, {kModelBase + fortyDegrees / 4, kModelBase});
  EXPECT_EQ(model.mode(), AlignmentModel::kOnePoint);
}

// --- on the sky: the simulated mount read through a model of its own -----------------

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;

// The mount as it really turns, written here apart from the program: from
// the home count axis 1 turns `gearing` times the angle its counts say (a
// gearing error the controller does not know of: it reports the nominal
// counts per revolution) and axis 2 as many as they say. Azimuth counts
// from the south through the west, as the program's, without folding.
struct PhysicalMount {
  double countsPerRevolution;
  double gearing;

  double azimuthOf(int32_t axis1) const { return (axis1 - int32_t(kBase)) * 360 / countsPerRevolution * gearing; }
  double altitudeOf(int32_t axis2) const { return (axis2 - int32_t(kBase)) * 360 / countsPerRevolution; }
  int32_t axis1For(double azimuthDeg) const {
    return int32_t(kBase) + int32_t(std::lround(azimuthDeg / gearing * countsPerRevolution / 360));
  }
  int32_t axis2For(double altitudeDeg) const {
    return int32_t(kBase) + int32_t(std::lround(altitudeDeg * countsPerRevolution / 360));
  }
};

struct Star { double raRad, decRad; };
// J2000 places of bright stars.
constexpr Star kAldebaran{(4 + 35 / 60. + 55.2 / 3600) * 15 * kDegree, (16 + 30 / 60. + 33 / 3600.) * kDegree};
constexpr Star kRegulus{(10 + 8 / 60. + 22.3 / 3600) * 15 * kDegree, (11 + 58 / 60. + 2 / 3600.) * kDegree};
constexpr Star kDubhe{(11 + 3 / 60. + 43.7 / 3600) * 15 * kDegree, (61 + 45 / 60. + 3 / 3600.) * kDegree};

double arcminApart(double ra1, double dec1, double ra2, double dec2) {
  return separationAndAngle(ra1, dec1, ra2, dec2, false).arcmin;
}

class AltAzMountOnTheSky : public ::testing::Test {
 protected:
  static constexpr uint32_t kCounts = 1765632;  // the simulated alt-azimuth controller's own

  explicit AltAzMountOnTheSky(double gearing = 1.0) : mount{kCounts, gearing} { sim.linkUp(); }

  // The mount's frame is the horizontal frame of the bench's date.
  HorizontalPosition horizontalOf(const Star& star) const {
    const EquatorialPosition p = testing::mountPlaceOf(star.raRad, star.decRad);
    return equatorialToHorizontal(p.raRad, p.decRad, kLatitude, kLongitude, sim.bench.clock.hours);
  }
  Star starAt(double azimuthDeg, double altitudeDeg) const {
    const EquatorialPosition j2000 = skyPlace(azimuthDeg, altitudeDeg, sim.bench.clock.hours);
    return {j2000.raRad, j2000.decRad};
  }
  static SharedTelescopeValues values(const Star& star, int index = 0) {
    return valuesFor(star.raRad, star.decRad, index);
  }
  // Turns the mount by hand onto the star (its azimuth taken as `azimuthDeg`
  // on the axis) and stores it as a reference point.
  void alignOn(const Star& star, double azimuthDeg, int index) {
    sim.place(mount.axis1For(azimuthDeg), mount.axis2For(horizontalOf(star).altitudeDeg));
    sim.command({kCmdSetReference}, values(star, index));
    ASSERT_EQ(sim.bench.reported(), std::vector<int>{16});
  }
  void gotoStar(const Star& star) {
    sim.command({kCmdGoto}, values(star));
    ASSERT_TRUE(sim.beatUntil(11, 1.0, 200));
    sim.bench.reported();
  }
  // Where axis 1 really points, unfolded, and how far the mount really
  // points from a star now, in arcminutes.
  double axis1Azimuth() { return mount.azimuthOf(sim.position(1)); }
  double arcminFrom(const Star& star) {
    const HorizontalPosition there = horizontalOf(star);
    return arcminApart(axis1Azimuth() * kDegree, mount.altitudeOf(sim.position(2)) * kDegree,
                       there.azimuthDeg * kDegree, there.altitudeDeg * kDegree);
  }

  SimulatedBench sim{kMountMotorAltAz, false, kCounts};
  PhysicalMount mount;
};

class AltAzMountWithGearingError : public AltAzMountOnTheSky {
 protected:
  AltAzMountWithGearingError() : AltAzMountOnTheSky(1.01) {}
};

// Two reference points 116 degrees apart in azimuth measure the gearing;
// the goto, the position read and the start of tracking must all use it
// (read without it the position came out 76.6' off, and tracking jumped
// 61.8' at once).
TEST_F(AltAzMountWithGearingError, GotoPositionAndTrackingAgreeWithTheSky) {
  alignOn(kAldebaran, horizontalOf(kAldebaran).azimuthDeg, 0);
  alignOn(kRegulus, horizontalOf(kRegulus).azimuthDeg - 360, 1);
  gotoStar(kDubhe);
  EXPECT_LT(arcminFrom(kDubhe), 1.0);

  sim.command({kCmdReadPosition});
  ASSERT_EQ(sim.bench.listener.positions.size(), 1u);
  const auto& read = sim.bench.listener.positions[0];
  EXPECT_LT(arcminApart(read.ra, read.dec, kDubhe.raRad, kDubhe.decRad), 1.0);

  const double azimuthBefore = axis1Azimuth();
  const double altitudeBefore = mount.altitudeOf(sim.position(2));
  sim.command({kCmdTracking, 1});
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 20));
  EXPECT_EQ(sim.commandsStarting("S1").size(), 2u);  // the re-slew ran
  EXPECT_LT(arcminApart(axis1Azimuth() * kDegree, mount.altitudeOf(sim.position(2)) * kDegree,
                        azimuthBefore * kDegree, altitudeBefore * kDegree),
            1.0);
}

TEST_F(AltAzMountOnTheSky, TrackingAStarAcrossDueNorthFollowsItTheShortWay) {
  alignOn(starAt(150, 40), 150, 0);
  // A star at declination 70 degrees, 72 s before it culminates north of
  // the zenith: its azimuth passes 180 degrees within the next minutes.
  const double localSiderealHours = sim.bench.clock.hours + kLongitude / 15;
  const Star star{(localSiderealHours + 0.02) * 15 * kDegree, 70 * kDegree};
  ASSERT_GT(horizontalOf(star).azimuthDeg, 180);
  gotoStar(star);
  sim.command({kCmdTracking, 1});
  double travel = 0;
  double before = axis1Azimuth();
  for (int second = 0; second < 180; ++second) {
    sim.bench.clock.hours += 1.0027379 / 3600;
    sim.heartbeat(1.0);
    travel += std::fabs(axis1Azimuth() - before);
    before = axis1Azimuth();
  }
  ASSERT_LT(horizontalOf(star).azimuthDeg, 180);
  EXPECT_LT(travel, 2.0);  // the star moved some 0.7 degrees in azimuth
  EXPECT_LT(arcminFrom(star), 3.0);
}

// Tracking switched on a while after a goto follows the goto's star, which
// has drifted from where the mount stopped, not the spot it stopped at.
TEST_F(AltAzMountOnTheSky, TrackingAfterAGotoFollowsItsStar) {
  alignOn(starAt(150, 40), 150, 0);
  const Star star = starAt(200, 45);
  gotoStar(star);
  sim.bench.clock.hours += 5 * 1.0027379 / 60;  // five minutes later: some 18' of drift
  ASSERT_GT(arcminFrom(star), 5.0);
  sim.command({kCmdTracking, 1});
  ASSERT_TRUE(sim.beatUntil(11, 1.0, 20));
  EXPECT_LT(arcminFrom(star), 1.0);
}

// The fold of the azimuth at due north must not turn the mount round.
TEST_F(AltAzMountOnTheSky, GotoFromAWesternBaseToANorthEasternTargetTurnsThroughNorth) {
  alignOn(starAt(100, 30), 100, 0);
  gotoStar(starAt(225, 40));
  EXPECT_NEAR(axis1Azimuth(), 225, 0.01);  // +125 degrees, not -235
  EXPECT_LT(arcminFrom(starAt(225, 40)), 1.0);
}

// Axis 1 stays within 270 degrees either way of the base point's count; a
// target the shorter way beyond that is reached the other way round. The
// fold of the azimuth at due north turns no mount round: 100 to 200 is +100.
TEST_F(AltAzMountOnTheSky, CablesAreNotWoundBeyondThreeQuartersOfATurn) {
  alignOn(starAt(0, 30), 0, 0);
  for (const auto& [azimuth, onTheAxis] : {std::pair{100.0, 100.0}, {200.0, 200.0}, {260.0, 260.0},
                                            {300.0, -60.0}, {200.0, -160.0}}) {
    gotoStar(starAt(azimuth, 30));
    EXPECT_NEAR(axis1Azimuth(), onTheAxis, 0.01) << azimuth;
  }
  // Wound further than that by hand, the mount is brought back within it.
  sim.place(mount.axis1For(700), mount.axis2For(30));
  gotoStar(starAt(10, 30));
  EXPECT_NEAR(axis1Azimuth(), 10, 0.01);
}

}  // namespace
}  // namespace celvaro

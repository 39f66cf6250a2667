#include "telescope/equatorial_motor_protocol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "model/clock_listener.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_encodings.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr int kWatchdogHeartbeats = 16;
// The handshake commands whose replies carry axis 1's and axis 2's counts
// per revolution.
constexpr int kAxis1CountsReply = 2;
constexpr int kAxis2CountsReply = 3;
// The handshake's two commands that declare the park position (:E1, :E2).
constexpr int kPositionSettings = 2;
// Any count the 24-bit value can hold but 0, which would leave the axis
// without a scale.
constexpr uint32_t kLowestCountsPerRevolution = 1;
constexpr uint32_t kHighestCountsPerRevolution = 0xFFFFFF;
constexpr int kSwapLimit = 30;
constexpr int kHighestRateIndex = 5;
constexpr char kGotoMode = '0';
constexpr char kSlowMode = '1';
constexpr char kFastMode = '3';
constexpr int kFirstAxisStop = 2;   // a guide stop of right ascension
constexpr int kSecondAxisStop = 0;  // a guide stop of declination
constexpr int kAllAxes = 4;
constexpr double kHoursPerRadian = 12.0 / std::numbers::pi;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Legs at the slow rate, ended with :K; the position read as :j<moving
// axis>, then :j1.
constexpr SpiralForm kSpiralForm = {'1', 'K', 1, {60, 45, 30, 18, 10, 7}};

char directionDigit(bool backwards) { return backwards ? '1' : '0'; }

// The status's tens digit is 0 while the axis stands (101, 301) and 1
// while it runs (111, 311).
bool standing(int status) { return status / 10 % 10 == 0; }

double hoursWithin12(double hours) {
  const double h = std::fmod(hours, 24.0);
  if (h < -12.0) return h + 24.0;
  return h >= 12.0 ? h - 24.0 : h;
}

double radiansWithinTurn(double angle) {
  const double a = std::fmod(angle, 2 * std::numbers::pi);
  return a < 0 ? a + 2 * std::numbers::pi : a;
}

}  // namespace

double eastWestSwapHours(int value) { return -std::clamp(value, -kSwapLimit, kSwapLimit) / 15.0; }

EquatorialMotorProtocol::EquatorialMotorProtocol(const ProtocolContext& context, int eastWestSwapPosition)
    : MotorControllerProtocol(context, kMountMotorEquatorial, kWatchdogHeartbeats, kSpiralForm.stopCommand),
      eastWestSwapHours_(eastWestSwapHours(eastWestSwapPosition)) {}

// --- handshake --------------------------------------------------------------------------

int EquatorialMotorProtocol::connect() {
  axes_ = EquatorialAxes();
  countsRead_ = false;
  trackingMode_ = 0;
  queuedGuideCount_ = 0;
  guideStartedAxis1_ = false;
  task_ = Task::kHandshake;
  startHandshake({plainCommand('c', 1), plainCommand('c', 2), plainCommand('a', 1), plainCommand('a', 2)});
  return kKeepLink;
}

// A mount whose axis 1 runs when the program connects (it tracks since an
// earlier connection) is not at its park position: its axes keep the
// positions they have, and the controller would refuse new ones anyway.
bool EquatorialMotorProtocol::takeHandshakeReply(int index, const ReplyBuffer& reply) {
  if (countsRead_) {
    if (sequence().awaitedCommand().command == 'f' && !standing(readAxisStatus(reply))) skipNext(kPositionSettings);
    return true;
  }
  if (index != kAxis1CountsReply && index != kAxis2CountsReply) return true;
  uint32_t counts = 0;
  if (!readCountsPerRevolution(reply, kLowestCountsPerRevolution, kHighestCountsPerRevolution, counts)) {
    return false;
  }
  axes_.setCountsPerRevolution(index == kAxis1CountsReply ? 1 : 2, counts);
  return true;
}

// Axis 1 goes to home and axis 2 a quarter turn below: the park position.
bool EquatorialMotorProtocol::handshakeAnswered() {
  if (countsRead_) return false;
  countsRead_ = true;
  run({plainCommand('b', 1), plainCommand('g', 1), plainCommand('s', 1), plainCommand('j', 2),
       plainCommand('j', 1), plainCommand('f', 1), valueCommand('E', 1, EquatorialAxes::kHome),
       valueCommand('E', 2, static_cast<uint32_t>(axes_.parkAxis2())), plainCommand('j', 2),
       plainCommand('j', 1), plainCommand('F', 1), plainCommand('F', 2)});
  return true;
}

void EquatorialMotorProtocol::goIdle() {
  task_ = Task::kIdle;
  queuedGuideCount_ = 0;
}

void EquatorialMotorProtocol::refuse(int code) {
  goIdle();
  report(code);
}

// --- commands ---------------------------------------------------------------------------

// Every command but a guide move replaces what ran, guide commands waiting
// included. The east-west swap position travels as one byte, negative
// values in two's complement.
int EquatorialMotorProtocol::onCommand(const uint8_t* payload, const SharedTelescopeValues& shared) {
  if (payload[0] != kCmdGuideMove) {
    queuedGuideCount_ = 0;
    guideStartedAxis1_ = false;
  }
  switch (payload[0]) {
    case kCmdMoveFast: move(payload[1], payload[2], true); break;
    case kCmdMoveSlow: move(payload[1], payload[2], false); break;
    case kCmdStop: stop(payload[1]); break;
    case kCmdSetReference: {
      const EquatorialPosition reference = ofDate(shared.referenceRaRad, shared.referenceDecRad);
      referenceRaRad_ = reference.raRad;
      referenceDecRad_ = reference.decRad;
      readPosition(Task::kSynchronise);
      break;
    }
    case kCmdEastWestSwap: eastWestSwapHours_ = eastWestSwapHours(static_cast<int8_t>(payload[1])); break;
    case kCmdGoto: {
      const EquatorialPosition target = ofDate(shared.gotoRaRad, shared.gotoDecRad);
      startGoto(target.raRad, target.decRad, false);
      break;
    }
    case kCmdTracking: setTracking(payload[1]); break;
    case kCmdReadPosition: readPosition(Task::kReadPosition); break;
    case kCmdSetPark: setPark(); break;
    case kCmdGotoPark:
      trackingMode_ = 0;
      startGoto(0, 0, true);
      break;
    case kCmdSpiralSearch: startSpiralSearch(payload[1], payload[2], payload[3]); break;
    case kCmdGuideMove: guideMove(payload[1]); break;
    default: break;
  }
  return kKeepLink;
}

// Direction 0 or 1 drives axis 2, 2 or 3 axis 1; 1 and 3 run backwards.
// While tracking, a slow move of axis 1 changes its speed on the sky: west
// runs faster, east slower, stands (a period of 0) or runs back.
void EquatorialMotorProtocol::move(int direction, int rateIndex, bool fast) {
  if (direction < 0 || direction > 3) return;
  const int rate = std::min(rateIndex, kHighestRateIndex);
  const EquatorialRates& rates = axes_.rates();
  const int axis = direction < 2 ? 2 : 1;
  const char backwards = directionDigit(direction == 1 || direction == 3);
  if (fast) {
    runMove(axis, kFastMode, backwards, rates.fast[rate], kStatusFastMotion);
  } else if (axis == 2 || trackingMode_ != 1) {
    runMove(axis, kSlowMode, backwards, rates.slow[rate], kStatusSlowMotion);
  } else if (direction == 2) {
    runMove(1, kSlowMode, '0', rates.trackingWest[rate], kStatusSlowMotion);
  } else if (const int east = rates.trackingEast[rate]; east != 0) {
    runMove(1, kSlowMode, directionDigit(east > 0), std::abs(east), kStatusSlowMotion);
  } else {
    report(kStatusSlowMotion);
    task_ = Task::kMove;
    run({plainCommand('K', 1)});
  }
}

void EquatorialMotorProtocol::runMove(int axis, char mode, char direction, int period, int startedCode) {
  report(startedCode);
  task_ = Task::kMove;
  run({plainCommand('K', axis), motionCommand(axis, mode, direction),
       valueCommand('I', axis, static_cast<uint32_t>(period)), plainCommand('J', axis)});
}

// A stopped axis 1 takes up tracking again once it stands.
void EquatorialMotorProtocol::stop(int direction) {
  if (direction == kAllAxes) run({plainCommand('K', 1), plainCommand('K', 2)});
  else if (direction == 2 || direction == 3) run({plainCommand('K', 1)});
  else if (direction == 0 || direction == 1) run({plainCommand('K', 2)});
  else return;
  task_ = Task::kStop;
  then_ = trackingMode_ == 1 && direction >= 2 ? Then::kRestartTracking : Then::kIdle;
}

void EquatorialMotorProtocol::setTracking(int mode) {
  if (mode != 0 && mode != 1) return;
  trackingMode_ = mode;
  task_ = Task::kTracking;
  if (mode == 0) {
    run({plainCommand('K', 1)});
  } else {
    run({plainCommand('K', 1), motionCommand(1, kSlowMode, '0'),
         valueCommand('I', 1, static_cast<uint32_t>(axes_.rates().siderealPeriod)), plainCommand('J', 1)});
  }
}

void EquatorialMotorProtocol::readPosition(Task task) {
  task_ = task;
  run({plainCommand('j', 2), plainCommand('j', 1)});
}

// The controller sets the position of a standing axis only.
void EquatorialMotorProtocol::setPark() {
  if (trackingMode_ == 1) afterTrackingStops(Then::kSetPark);
  else definePark();
}

void EquatorialMotorProtocol::definePark() {
  task_ = Task::kSetPark;
  run({valueCommand('E', 1, EquatorialAxes::kHome), valueCommand('E', 2, static_cast<uint32_t>(axes_.parkAxis2()))});
}

void EquatorialMotorProtocol::afterTrackingStops(Then then) {
  then_ = then;
  task_ = Task::kStopTracking;
  run({plainCommand('K', 1)});
}

// Both axes stop and are read; the slew follows from where they stand.
void EquatorialMotorProtocol::startGoto(double raRad, double decRad, bool park) {
  park_ = park;
  gotoRaRad_ = raRad;
  gotoDecRad_ = decRad;
  task_ = Task::kGotoRead;
  run({plainCommand('K', 1), plainCommand('K', 2), plainCommand('j', 1), plainCommand('j', 2)});
}

// Tracking stops first, and the spiral waits for axis 1 to stand.
void EquatorialMotorProtocol::startSpiralSearch(int stepArcmin, int turns, int speedIndex) {
  if (task_ != Task::kIdle) return;
  spiralStepArcmin_ = stepArcmin;
  spiralTurns_ = turns;
  spiralSpeed_ = speedIndex;
  if (trackingMode_ == 1) afterTrackingStops(Then::kSpiral);
  else proceed(Then::kSpiral);
}

// A finished spiral leaves a tracking mount tracking.
void EquatorialMotorProtocol::spiralFinished() {
  report(kStatusSpiralFinished);
  if (trackingMode_ == 1) restartTracking(Then::kIdle);
  else task_ = Task::kIdle;
}

// --- replies and heartbeats ---------------------------------------------------------------

int EquatorialMotorProtocol::onReply(const ReplyBuffer& reply) {
  if (task_ == Task::kIdle || (task_ == Task::kAwaitStanding && !pollPending_)) return kKeepLink;
  if (task_ == Task::kSpiral) {
    spiralReply(reply);
  } else if (!takeAxisReply(reply, position_, status_)) {
    refuse(kStatusErrorReply);
  } else if (!sendNext()) {
    sequenceAnswered();
  }
  return kKeepLink;
}

// An idle mount's position is read on every heartbeat, for the panels and
// the guider port.
int EquatorialMotorProtocol::onHeartbeat() {
  if (task_ == Task::kSpiral) {
    spiralHeartbeat();
  } else if (task_ == Task::kAwaitStanding && !pollPending_) {
    pollPending_ = true;
    run({plainCommand('f', awaitedAxis_)});
  } else if (task_ == Task::kIdle) {
    readPosition(Task::kPollPosition);
  }
  return kKeepLink;
}

void EquatorialMotorProtocol::sequenceAnswered() {
  switch (task_) {
    case Task::kStop:
      report(kStatusFinished);
      if (then_ == Then::kRestartTracking) awaitStanding(1, Then::kRestartTracking);
      else task_ = Task::kIdle;
      return;
    case Task::kReadPosition:
    case Task::kSynchronise: positionAnswered(); return;
    case Task::kPollPosition:
      positionAnswered();
      runQueuedGuide();
      return;
    case Task::kSetPark:
      report(kStatusParked);
      if (trackingMode_ == 1) restartTracking(Then::kIdle);
      else task_ = Task::kIdle;
      return;
    case Task::kGotoRead: gotoTargets(); return;
    case Task::kGotoSlew:
      report(park_ ? kStatusParkStarted : kStatusGotoStarted);
      task_ = Task::kGotoStart;
      run({plainCommand('J', 2)});
      return;
    case Task::kGotoStart: awaitStanding(1, park_ ? Then::kGotoAxis1Stands : Then::kCatchUp); return;
    case Task::kCatchUpRead: catchUp(); return;
    case Task::kCatchUpSlew: awaitStanding(1, Then::kGotoAxis1Stands); return;
    case Task::kAwaitStanding: standingPolled(); return;
    case Task::kRestartTracking: proceed(then_); return;
    case Task::kStopTracking: awaitStanding(1, then_); return;
    case Task::kGuideStatus: guideRate(guidePeriod_); return;
    case Task::kGuide: guideAnswered(); return;
    default: task_ = Task::kIdle; return;
  }
}

void EquatorialMotorProtocol::positionAnswered() {
  const Task task = task_;
  task_ = Task::kIdle;
  if (task == Task::kReadPosition || task == Task::kPollPosition) {
    const EquatorialPosition sky = skyPosition();
    const EquatorialPosition j2000 = j2000Of(sky.raRad, sky.decRad);
    listener().onMountPosition(j2000.raRad, j2000.decRad, position_[0], position_[1]);
    return;
  }
  const EquatorialPosition computed = axes_.skyPosition(position_[0], position_[1], clock().localSiderealHours());
  raOffsetRad_ = referenceRaRad_ - computed.raRad;
  decOffsetRad_ = referenceDecRad_ - computed.decRad;
  synced_ = true;
  report(kStatusReferenceStored);
}

EquatorialPosition EquatorialMotorProtocol::skyPosition() const {
  EquatorialPosition sky = axes_.skyPosition(position_[0], position_[1], clock().localSiderealHours());
  if (synced_) {
    sky.raRad = radiansWithinTurn(sky.raRad + raOffsetRad_);
    sky.decRad += decOffsetRad_;
  }
  return sky;
}

// --- goto and park ---------------------------------------------------------------------

double EquatorialMotorProtocol::hoursEastOf(double raRad) const {
  const double offset = synced_ ? raOffsetRad_ : 0;
  return hoursWithin12((raRad - offset) * kHoursPerRadian - clock().localSiderealHours());
}

// Both axes slew by distance from where they stand; axis 2 starts once the
// start is reported.
void EquatorialMotorProtocol::gotoTargets() {
  if (park_) {
    gotoCounts_ = {EquatorialAxes::kHome, axes_.parkAxis2()};
  } else {
    const double hours = hoursEastOf(gotoRaRad_);
    const double decDeg = (gotoDecRad_ - (synced_ ? decOffsetRad_ : 0)) * kDegreesPerRadian;
    pierSide_ = EquatorialAxes::pierSide(hours, eastWestSwapHours_);
    gotoCounts_ = {axes_.axis1Counts(hours, pierSide_), axes_.axis2Counts(decDeg, pierSide_)};
  }
  task_ = Task::kGotoSlew;
  run({gotoMotion(1), gotoDistance(1), plainCommand('J', 1), gotoMotion(2), gotoDistance(2)});
}

// The sky turned while axis 1 slewed: it moves on to where the target is
// now, on the same side.
void EquatorialMotorProtocol::catchUp() {
  gotoCounts_[0] = axes_.axis1Counts(hoursEastOf(gotoRaRad_), pierSide_);
  task_ = Task::kCatchUpSlew;
  run({gotoMotion(1), gotoDistance(1), plainCommand('J', 1)});
}

MotorCommand EquatorialMotorProtocol::gotoMotion(int axis) const {
  return motionCommand(axis, kGotoMode, directionDigit(gotoCounts_[axis - 1] < position_[axis - 1]));
}

MotorCommand EquatorialMotorProtocol::gotoDistance(int axis) const {
  const int64_t distance = int64_t{gotoCounts_[axis - 1]} - position_[axis - 1];
  return valueCommand('H', axis, static_cast<uint32_t>(std::llabs(distance)));
}

// --- waiting for an axis, and what follows ------------------------------------------------

void EquatorialMotorProtocol::awaitStanding(int axis, Then then) {
  awaitedAxis_ = axis;
  then_ = then;
  pollPending_ = false;
  task_ = Task::kAwaitStanding;
}

void EquatorialMotorProtocol::standingPolled() {
  pollPending_ = false;
  if (standing(status_[awaitedAxis_ - 1])) proceed(then_);
}

void EquatorialMotorProtocol::proceed(Then then) {
  switch (then) {
    case Then::kCatchUp:
      task_ = Task::kCatchUpRead;
      run({plainCommand('j', 1)});
      return;
    case Then::kGotoAxis1Stands:
      if (!park_ && trackingMode_ == 1) restartTracking(Then::kGotoAxis2);
      else awaitStanding(2, Then::kGotoFinished);
      return;
    case Then::kGotoAxis2: awaitStanding(2, Then::kGotoFinished); return;
    case Then::kGotoFinished:
      task_ = Task::kIdle;
      report(park_ ? kStatusParked : kStatusFinished);
      return;
    case Then::kRestartTracking: restartTracking(Then::kIdle); return;
    case Then::kSetPark: definePark(); return;
    case Then::kSpiral:
      task_ = Task::kSpiral;
      startSpiral(kSpiralForm,
                  static_cast<int32_t>(std::lround(spiralStepArcmin_ * axes_.countsPerDegree(1) / 60.0)),
                  spiralTurns_, spiralSpeed_);
      return;
    default: task_ = Task::kIdle; return;
  }
}

void EquatorialMotorProtocol::restartTracking(Then then) {
  then_ = then;
  task_ = Task::kRestartTracking;
  run({motionCommand(1, kSlowMode, '0'), valueCommand('I', 1, static_cast<uint32_t>(axes_.rates().siderealPeriod)),
       plainCommand('J', 1)});
}

// --- guiding ---------------------------------------------------------------------------

void EquatorialMotorProtocol::guideMove(int direction) {
  if (direction >= 0 && direction <= 3) guide({false, direction});
}

// Stopping all axes stops both: right ascension back to the sidereal rate,
// declination standing.
void EquatorialMotorProtocol::guideStop(int axis) {
  if (axis == kAllAxes) {
    guide({true, kFirstAxisStop});
    guide({true, kSecondAxisStop});
  } else if (axis == kFirstAxisStop || axis == kSecondAxisStop) {
    guide({true, axis});
  }
}

// Guiding starts only from idle; while a guide command or the heartbeat's
// read is under way the next ones wait their turn. The stop of a right-ascension pulse leaves
// axis 1 as it was before the pulse: standing again when the pulse started
// it, else back at the sidereal period.
void EquatorialMotorProtocol::guide(const GuideCommand& command) {
  if (task_ == Task::kGuideStatus || task_ == Task::kGuide || task_ == Task::kPollPosition) {
    if (queuedGuideCount_ < kQueuedGuides) queuedGuides_[queuedGuideCount_++] = command;
    return;
  }
  if (task_ != Task::kIdle) return;
  const EquatorialRates& rates = axes_.rates();
  if (command.stop && command.value == kFirstAxisStop && std::exchange(guideStartedAxis1_, false)) {
    task_ = Task::kGuide;
    run({plainCommand('K', 1)});
  } else if (command.stop && command.value == kSecondAxisStop) {
    task_ = Task::kGuide;
    run({plainCommand('K', 2)});
  } else if (command.stop || command.value >= 2) {
    guideRestores_ = command.stop;
    guidePeriod_ = command.stop ? rates.siderealPeriod
                                : (command.value == 2 ? rates.guideFastPeriod : rates.guideSlowPeriod);
    task_ = Task::kGuideStatus;
    run({plainCommand('f', 1)});
  } else {
    task_ = Task::kGuide;
    run({motionCommand(2, kSlowMode, directionDigit(command.value == 1)),
         valueCommand('I', 2, static_cast<uint32_t>(rates.declinationGuidePeriod)), plainCommand('J', 2)});
  }
}

// A running axis 1 takes the new period at once; a standing one is started
// (and stood again by the pulse's stop, see guide()).
void EquatorialMotorProtocol::guideRate(int period) {
  task_ = Task::kGuide;
  const MotorCommand rate = valueCommand('I', 1, static_cast<uint32_t>(period));
  if (standing(status_[0])) {
    guideStartedAxis1_ = !guideRestores_;
    run({motionCommand(1, kSlowMode, '0'), rate, plainCommand('J', 1)});
  } else {
    run({rate});
  }
}

void EquatorialMotorProtocol::guideAnswered() {
  task_ = Task::kIdle;
  runQueuedGuide();
}

void EquatorialMotorProtocol::runQueuedGuide() {
  if (queuedGuideCount_ == 0) return;
  const GuideCommand next = queuedGuides_[0];
  std::copy(queuedGuides_.begin() + 1, queuedGuides_.begin() + queuedGuideCount_, queuedGuides_.begin());
  --queuedGuideCount_;
  guide(next);
}

}  // namespace celvaro

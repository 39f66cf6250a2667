#include "telescope/altaz_motor_protocol.h"

#include <algorithm>
#include <cmath>

#include "model/clock_listener.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_control_interface.h"

namespace celvaro {
namespace {

constexpr int kWatchdogHeartbeats = 12;
constexpr int32_t kDefaultHalfRevolution = 726212;
constexpr double kDefaultCountsPerDegree = 4034.0;
constexpr uint32_t kLowestCountsPerRevolution = 800000;
constexpr uint32_t kHighestCountsPerRevolution = 2500000;
// The handshake commands whose replies carry each axis's counts per revolution.
constexpr int kAxis1CountsReply = 2;
constexpr int kAxis2CountsReply = 4;

constexpr int kFastPeriods[6] = {140, 100, 70, 50, 35, 25};
constexpr int kSlowPeriods[6] = {24, 18, 12, 8, 6, 4};
constexpr int kHighestRateIndex = 5;
constexpr char kFastMode = '3';
constexpr char kSlowMode = '1';
constexpr char kGotoMode = '0';
constexpr int kAllAxes = 4;

constexpr double kHighestAltitudeDeg = 80.0;

// Legs at the fast rate, ended with :L; the position read as :j<moving
// axis>, then :j2.
constexpr SpiralForm kSpiralForm = {'3', 'L', 2, {360, 300, 220, 160, 120, 80}};
constexpr int kTrackingHeartbeats = 4;

// The step period of a 16-bit rate: larger rates step faster, down to 32.
int periodOfRate(int rate) {
  const int p = 22 - rate / 240;
  return p >= 2 ? 16 * std::min(p, 20) : 32;
}

int periodAt(const int (&table)[6], int rateIndex) { return table[std::min(rateIndex, kHighestRateIndex)]; }

// 3 and 203 are the statuses of an axis standing after a goto.
bool standing(int status) { return status == 3 || status == 203; }

}  // namespace

AltAzMotorProtocol::AltAzMotorProtocol(const ProtocolContext& context)
    : MotorControllerProtocol(context, kMountMotorAltAz, kWatchdogHeartbeats, kSpiralForm.stopCommand),
      axis1CountsPerDegree_(kDefaultCountsPerDegree) {}

int AltAzMotorProtocol::connect() {
  trackingMode_ = 0;
  initialised_ = false;
  aligned_ = false;
  targetSet_ = false;
  model_.setHalfRevolution(1, kDefaultHalfRevolution);
  model_.setHalfRevolution(2, kDefaultHalfRevolution);
  axis1CountsPerDegree_ = kDefaultCountsPerDegree;
  task_ = Task::kHandshake;
  startHandshake({plainCommand('F', 1), plainCommand('F', 2), plainCommand('a', 1), plainCommand('D', 1),
                  plainCommand('a', 2), plainCommand('D', 2)});
  return kKeepLink;
}

bool AltAzMotorProtocol::takeHandshakeReply(int index, const ReplyBuffer& reply) {
  if (index != kAxis1CountsReply && index != kAxis2CountsReply) return true;
  uint32_t counts = 0;
  if (!readCountsPerRevolution(reply, kLowestCountsPerRevolution, kHighestCountsPerRevolution, counts)) {
    return false;
  }
  model_.setHalfRevolution(index == kAxis1CountsReply ? 1 : 2, static_cast<int32_t>(counts / 2));
  if (index == kAxis1CountsReply) axis1CountsPerDegree_ = counts / 360.0;
  return true;
}

bool AltAzMotorProtocol::handshakeAnswered() {
  initialised_ = true;
  return false;
}

int AltAzMotorProtocol::onCommand(const uint8_t* payload, const SharedTelescopeValues& shared) {
  switch (payload[0]) {
    case kCmdMoveFast:
      move(payload[1], periodAt(kFastPeriods, payload[2]), kFastMode, kStatusFastMotion);
      break;
    case kCmdMoveSlow:
      move(payload[1], periodAt(kSlowPeriods, payload[2]), kSlowMode, kStatusSlowMotion);
      break;
    case kCmdMoveAtRate:
      move(payload[1], periodOfRate(payload[2] | payload[3] << 8), kSlowMode, kStatusFastMotion);
      break;
    case kCmdStop: stop(payload[1]); break;
    case kCmdSetReference: setReferencePoint(shared); break;
    case kCmdDeleteReference: deleteReferencePoint(payload[1]); break;
    case kCmdGoto: gotoTarget(shared.gotoRaRad, shared.gotoDecRad); break;
    case kCmdTracking: setTracking(payload[1]); break;
    case kCmdReadPosition:
      if (aligned_) readPosition(Purpose::kReport);
      else refuse(kStatusNotAligned);
      break;
    case kCmdSpiralSearch: startSpiralSearch(payload[1], payload[2], payload[3]); break;
    default: break;
  }
  return kKeepLink;
}

// Direction 0 or 1 drives axis 2, 2 or 3 axis 1; 1 and 3 run backwards.
void AltAzMotorProtocol::move(int direction, int period, char mode, int startedCode) {
  if (direction < 0 || direction > 3) return;
  const int axis = direction < 2 ? 2 : 1;
  const char backwards = direction == 1 || direction == 3 ? '1' : '0';
  report(startedCode);
  task_ = Task::kMove;
  run({plainCommand('L', axis), motionCommand(axis, mode, backwards),
       valueCommand('I', axis, static_cast<uint32_t>(period)), plainCommand('J', axis)});
}

void AltAzMotorProtocol::stop(int direction) {
  if (direction == kAllAxes) {
    task_ = Task::kStop;
    run({plainCommand('L', 1), plainCommand('L', 2)});
  } else if (direction >= 0 && direction < kAllAxes) {
    task_ = Task::kStop;
    run({plainCommand('L', direction < 2 ? 2 : 1)});
  }
}

void AltAzMotorProtocol::readPosition(Purpose purpose) {
  purpose_ = purpose;
  task_ = Task::kReadPosition;
  run({plainCommand('j', 1), plainCommand('j', 2)});
}

// The star's horizontal position now is kept until the counts read at it
// arrive; only then does the point replace what its slot held.
void AltAzMotorProtocol::setReferencePoint(const SharedTelescopeValues& shared) {
  latitudeDeg_ = shared.latitudeDeg;
  longitudeDeg_ = shared.longitudeDeg;
  if (shared.referenceIndex < 0 || shared.referenceIndex >= AlignmentModel::kSlots) return;
  pendingReference_ = shared.referenceIndex;
  pendingReferenceSky_ = horizontalOf(shared.referenceRaRad, shared.referenceDecRad);
  readPosition(Purpose::kStoreReference);
}

// The user side asks for all points with the same index it uses itself,
// iTelescopeControl::kAllReferencePoints (255).
void AltAzMotorProtocol::deleteReferencePoint(int index) {
  if (index == iTelescopeControl::kAllReferencePoints) model_.clearAll();
  else model_.clearPoint(index);
  if (model_.anyValid()) return;
  aligned_ = false;
  report(kStatusNotAligned);
}

void AltAzMotorProtocol::gotoTarget(double raRad, double decRad) {
  if (!aligned_) {
    refuse(kStatusNotAligned);
    return;
  }
  targetSet_ = true;
  trackingCountdown_ = kTrackingHeartbeats;
  targetRaRad_ = raRad;
  targetDecRad_ = decRad;
  slewToTarget(false);
}

void AltAzMotorProtocol::setTracking(int mode) {
  if (mode == 0) {
    trackingMode_ = 0;
    targetSet_ = false;
    trackingCountdown_ = 0;
    task_ = Task::kIdle;
  } else if (mode == 1) {
    trackingMode_ = 1;
    trackingCountdown_ = kTrackingHeartbeats;
    // After a goto, and no move since, the object of the goto is followed
    // (it has drifted from where the mount stopped); else the sky where
    // the mount points.
    if (!aligned_) refuse(kStatusNotAligned);
    else if (targetSet_) slewToTarget(true);
    else readPosition(Purpose::kTrackHere);
  }
}

// The spiral runs around wherever the mount stands; it needs no alignment.
void AltAzMotorProtocol::startSpiralSearch(int stepArcmin, int turns, int speedIndex) {
  task_ = Task::kSpiral;
  startSpiral(kSpiralForm, static_cast<int32_t>(std::lround(stepArcmin * axis1CountsPerDegree_ / 60.0)), turns,
              speedIndex);
}

void AltAzMotorProtocol::spiralFinished() {
  task_ = Task::kIdle;
  report(kStatusSpiralFinished);
}

int AltAzMotorProtocol::onReply(const ReplyBuffer& reply) {
  if (task_ == Task::kIdle || task_ == Task::kGotoRunning) return kKeepLink;
  if (task_ == Task::kSpiral) {
    spiralReply(reply);
    return kKeepLink;
  }
  if (!takeAxisReply(reply, position_, status_)) {
    refuse(kStatusErrorReply);
  } else if (sendNext()) {
    if (task_ == Task::kMove && sequence().allSent()) targetSet_ = false;
  } else {
    sequenceAnswered();
  }
  return kKeepLink;
}

void AltAzMotorProtocol::sequenceAnswered() {
  switch (task_) {
    case Task::kStop: report(kStatusFinished); break;
    case Task::kReadPosition:
      task_ = Task::kIdle;
      positionRead();
      return;
    case Task::kGotoRead: slew(); return;
    case Task::kGoto: task_ = Task::kGotoRunning; return;
    case Task::kPollStatus:
      if (!standing(status_[0]) || !standing(status_[1])) {
        task_ = Task::kGotoRunning;
        return;
      }
      report(kStatusFinished);
      break;
    default: break;
  }
  task_ = Task::kIdle;
}

void AltAzMotorProtocol::positionRead() {
  if (purpose_ == Purpose::kStoreReference) {
    model_.setPoint(pendingReference_, pendingReferenceSky_, counts());
    aligned_ = true;
    report(kStatusReferenceStored);
    return;
  }
  HorizontalPosition horizontal{};
  if (!model_.countsToHorizontal(counts(), horizontal)) {
    report(kStatusNotAligned);
    return;
  }
  const EquatorialPosition ofDateSky =
      horizontalToEquatorial(horizontal.altitudeDeg, horizontal.azimuthDeg, latitudeDeg_, longitudeDeg_,
                             clock().greenwichSiderealHours());
  const EquatorialPosition sky = j2000Of(ofDateSky.raRad, ofDateSky.decRad);
  if (purpose_ == Purpose::kReport || purpose_ == Purpose::kPoll) {
    const MotorCounts offset = model_.offsetFromBase(counts());
    listener().onMountPosition(sky.raRad, sky.decRad, offset.axis1, offset.axis2);
  } else {
    targetRaRad_ = sky.raRad;
    targetDecRad_ = sky.decRad;
    targetSet_ = true;
  }
}

// An idle, aligned mount's position is read on every heartbeat, for the
// panels and the guider port.
int AltAzMotorProtocol::onHeartbeat() {
  if (task_ == Task::kSpiral) {
    spiralHeartbeat();
  } else if (task_ == Task::kGotoRunning) {
    task_ = Task::kPollStatus;
    run({plainCommand('f', 1), plainCommand('f', 2)});
  } else if (task_ == Task::kIdle && trackingDue()) {
    slewToTarget(true);
  } else if (task_ == Task::kIdle && aligned_) {
    readPosition(Purpose::kPoll);
  }
  return kKeepLink;
}

bool AltAzMotorProtocol::trackingDue() {
  if (!initialised_ || !aligned_ || !targetSet_ || trackingMode_ != 1) return false;
  if (--trackingCountdown_ > 0) return false;
  trackingCountdown_ = kTrackingHeartbeats;
  return true;
}

// A target out of reach is refused with its reason and ends tracking. Both
// axes stop and axis 1 is read: the slew takes the shorter way round from
// where it stands.
void AltAzMotorProtocol::slewToTarget(bool tracking) {
  slewTarget_ = horizontalOf(targetRaRad_, targetDecRad_);
  int refusal = 0;
  if (slewTarget_.altitudeDeg > kHighestAltitudeDeg) refusal = kStatusTooHigh;
  else if (slewTarget_.altitudeDeg < 0) refusal = kStatusBelowHorizon;
  else if (model_.mode() == AlignmentModel::kNoModel) refusal = kStatusNotAligned;
  if (refusal != 0) {
    if (tracking) trackingMode_ = 0;
    refuse(refusal);
    return;
  }
  if (!tracking) report(kStatusGotoStarted);
  task_ = Task::kGotoRead;
  run({plainCommand('L', 1), plainCommand('L', 2), plainCommand('j', 1)});
}

// The points may have been deleted while axis 1 was read.
void AltAzMotorProtocol::slew() {
  MotorCounts counts;
  if (!model_.horizontalToCounts(slewTarget_, position_[0], counts)) {
    refuse(kStatusNotAligned);
    return;
  }
  task_ = Task::kGoto;
  run({motionCommand(1, kGotoMode, '0'), valueCommand('S', 1, static_cast<uint32_t>(counts.axis1)),
       plainCommand('J', 1), motionCommand(2, kGotoMode, '0'),
       valueCommand('S', 2, static_cast<uint32_t>(counts.axis2)), plainCommand('J', 2)});
}

void AltAzMotorProtocol::refuse(int code) {
  report(code);
  task_ = Task::kIdle;
}

// The horizontal frame of the date: the model's points and slews are
// where the sky of the instant stands.
HorizontalPosition AltAzMotorProtocol::horizontalOf(double raRad, double decRad) const {
  const EquatorialPosition sky = ofDate(raRad, decRad);
  return equatorialToHorizontal(sky.raRad, sky.decRad, latitudeDeg_, longitudeDeg_, clock().greenwichSiderealHours());
}

}  // namespace celvaro

// MountType 4: a German equatorial mount driven through its motor
// controller, axis 1 in right ascension and axis 2 in declination. The
// handshake reads both axes' counts per revolution and declares the mount
// to stand at its park position. On top of it: sidereal tracking, goto with
// the pier side chosen by the east-west swap position and a catch-up move,
// the park position, one-star synchronisation, moves, guiding by the step
// period of axis 1, and the spiral search.
#pragma once

#include <array>
#include <cstdint>

#include "telescope/equatorial_axes.h"
#include "telescope/motor_controller_protocol.h"

namespace celvaro {

// The east-west swap position: a value clamped to -30..30, as hours
// (-value / 15).
double eastWestSwapHours(int value);

class EquatorialMotorProtocol : public MotorControllerProtocol {
 public:
  EquatorialMotorProtocol(const ProtocolContext& context, int eastWestSwapPosition);

  int connect() override;
  // Guide commands of an autoguider, taken while the mount is idle or
  // guiding; those arriving while a guide command is under way follow it.
  void guideMove(int direction) override;
  void guideStop(int axis) override;
  // The heartbeat's read of the position, or of an axis awaited standing.
  bool awaitsPoll() const override {
    return task_ == Task::kPollPosition || (task_ == Task::kAwaitStanding && pollPending_);
  }

 private:
  // What the running command sequence is for. kAwaitStanding polls one
  // axis once a heartbeat until it stands, then goes on with `then_`;
  // kStopTracking stops axis 1 and then awaits it standing.
  enum class Task {
    kIdle, kHandshake, kMove, kStop, kTracking, kReadPosition, kPollPosition, kSynchronise, kSetPark,
    kGotoRead, kGotoSlew, kGotoStart, kCatchUpRead, kCatchUpSlew, kAwaitStanding,
    kRestartTracking, kGuideStatus, kGuide, kStopTracking, kSpiral,
  };
  // What follows an axis coming to a stand or tracking restarting.
  enum class Then {
    kIdle, kCatchUp, kGotoAxis1Stands, kGotoAxis2, kGotoFinished, kRestartTracking, kSpiral, kSetPark,
  };
  // A guide command: a move in direction 0..3, or a stop of axis 0, 2 or 4.
  struct GuideCommand {
    bool stop;
    int value;
  };

  int onCommand(const uint8_t* payload, const SharedTelescopeValues& shared) override;
  int onReply(const ReplyBuffer& reply) override;
  int onHeartbeat() override;
  bool inHandshake() const override { return task_ == Task::kHandshake; }
  void goIdle() override;
  bool takeHandshakeReply(int index, const ReplyBuffer& reply) override;
  bool handshakeAnswered() override;
  void spiralFinished() override;

  void move(int direction, int rateIndex, bool fast);
  void runMove(int axis, char mode, char direction, int period, int startedCode);
  void stop(int direction);
  void setTracking(int mode);
  void readPosition(Task task);
  void startGoto(double raRad, double decRad, bool park);
  void startSpiralSearch(int stepArcmin, int turns, int speedIndex);
  void setPark();
  void definePark();
  // Tracking stops first where the controller needs axis 1 standing.
  void afterTrackingStops(Then then);

  void sequenceAnswered();
  void positionAnswered();
  void gotoTargets();
  void catchUp();
  MotorCommand gotoMotion(int axis) const;
  MotorCommand gotoDistance(int axis) const;
  void awaitStanding(int axis, Then then);
  void standingPolled();
  void proceed(Then then);
  void restartTracking(Then then);
  void guide(const GuideCommand& command);
  void guideRate(int period);
  void guideAnswered();
  void runQueuedGuide();
  void refuse(int code);

  // Hours east of the meridian of a right ascension, -12..12, with the
  // synchronisation offset taken off.
  double hoursEastOf(double raRad) const;
  EquatorialPosition skyPosition() const;

  EquatorialAxes axes_;
  double eastWestSwapHours_;
  Task task_ = Task::kIdle;
  Then then_ = Then::kIdle;
  // The handshake runs in two parts: the second sets positions that depend
  // on the counts per revolution the first reads.
  bool countsRead_ = false;
  std::array<int32_t, 2> position_{};
  std::array<int, 2> status_{};
  int trackingMode_ = 0;
  // The axis polled in kAwaitStanding, and whether its status is asked.
  int awaitedAxis_ = 1;
  bool pollPending_ = false;
  // The goto under way: the target, the side chosen, park or not.
  double gotoRaRad_ = 0;
  double gotoDecRad_ = 0;
  int pierSide_ = 0;
  bool park_ = false;
  std::array<int32_t, 2> gotoCounts_{};
  // Synchronisation: offsets added to the computed position.
  bool synced_ = false;
  double raOffsetRad_ = 0;
  double decOffsetRad_ = 0;
  double referenceRaRad_ = 0;
  double referenceDecRad_ = 0;
  // A spiral waiting for axis 1 to stop tracking.
  int spiralStepArcmin_ = 0, spiralTurns_ = 0, spiralSpeed_ = 0;
  // The period a right-ascension guide command sets, and whether it is the
  // stop that restores the sidereal period.
  int guidePeriod_ = 0;
  bool guideRestores_ = false;
  static constexpr int kQueuedGuides = 8;
  std::array<GuideCommand, kQueuedGuides> queuedGuides_{};
  int queuedGuideCount_ = 0;
  // A right-ascension guide pulse started axis 1 from a stand: its stop
  // stands it again.
  bool guideStartedAxis1_ = false;
};

}  // namespace celvaro

// MountType 5: an alt-azimuth mount driven through its motor controller.
// Axis 1 turns in azimuth, axis 2 in altitude; reference points align the
// motor counts with the sky, and tracking re-slews to the target every few
// idle heartbeats.
#pragma once

#include <array>
#include <cstdint>

#include "astro/coordinates.h"
#include "telescope/alignment_model.h"
#include "telescope/motor_controller_protocol.h"

namespace celvaro {

class AltAzMotorProtocol : public MotorControllerProtocol {
 public:
  explicit AltAzMotorProtocol(const ProtocolContext& context);

  int connect() override;
  // The heartbeat's read of the position, or of the axes' status while a
  // slew runs.
  bool awaitsPoll() const override {
    return task_ == Task::kPollStatus || (task_ == Task::kReadPosition && purpose_ == Purpose::kPoll);
  }

 private:
  // What the running command sequence is for; kGotoRead stops the axes and
  // reads axis 1 before a slew, kGotoRunning waits for the next heartbeat to
  // poll the axes.
  enum class Task {
    kIdle, kHandshake, kMove, kStop, kReadPosition, kGotoRead, kGoto, kGotoRunning, kPollStatus, kSpiral,
  };
  // What a position read is for: the user's, the heartbeat's, a reference
  // point's, the place tracking is to hold.
  enum class Purpose { kReport, kPoll, kStoreReference, kTrackHere };

  int onCommand(const uint8_t* payload, const SharedTelescopeValues& shared) override;
  int onReply(const ReplyBuffer& reply) override;
  int onHeartbeat() override;
  bool inHandshake() const override { return task_ == Task::kHandshake; }
  void goIdle() override { task_ = Task::kIdle; }
  bool takeHandshakeReply(int index, const ReplyBuffer& reply) override;
  bool handshakeAnswered() override;
  void spiralFinished() override;

  void move(int direction, int period, char mode, int startedCode);
  void stop(int direction);
  void readPosition(Purpose purpose);
  void setReferencePoint(const SharedTelescopeValues& shared);
  void deleteReferencePoint(int index);
  void gotoTarget(double raRad, double decRad);
  void setTracking(int mode);
  void startSpiralSearch(int stepArcmin, int turns, int speedIndex);

  MotorCounts counts() const { return {position_[0], position_[1]}; }
  void sequenceAnswered();
  void positionRead();
  bool trackingDue();
  void slewToTarget(bool tracking);
  void slew();
  void refuse(int code);
  HorizontalPosition horizontalOf(double raRad, double decRad) const;

  AlignmentModel model_;
  double axis1CountsPerDegree_;
  Task task_ = Task::kIdle;
  Purpose purpose_ = Purpose::kReport;
  bool initialised_ = false;
  bool aligned_ = false;
  bool targetSet_ = false;
  int trackingMode_ = 0;
  int trackingCountdown_ = 0;
  double targetRaRad_ = 0;
  double targetDecRad_ = 0;
  // The observing place handed over with the reference points.
  double latitudeDeg_ = 0;
  double longitudeDeg_ = 0;
  // A reference point waiting for the counts read at it.
  int pendingReference_ = 0;
  HorizontalPosition pendingReferenceSky_{};
  std::array<int32_t, 2> position_{};
  HorizontalPosition slewTarget_{};
  std::array<int, 2> status_{};
};

}  // namespace celvaro

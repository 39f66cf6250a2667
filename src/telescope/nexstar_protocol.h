// MountType 3: the hand-controller protocol of the medium Nexstar mounts.
// Replies end in '#'; positions travel as 16-bit turn fractions in hex, and
// moves as 8-byte pass-through commands to the motors.
#pragma once

#include "telescope/mount_protocol_base.h"
#include "telescope/reply_buffer.h"

namespace celvaro {

class NexstarProtocol : public MountProtocolBase {
 public:
  explicit NexstarProtocol(const ProtocolContext& context);

  int connect() override;
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) override;
  // Closes the port when an awaited reply (the echo's included) has not
  // come in time.
  int tick() override;
  // Guiding runs the motors at rate 1 and stops them at rate 0 without
  // disturbing what the protocol waits for; stopping all axes is the stop.
  void guideMove(int direction) override;
  void guideStop(int axis) override;
  // Both motors at rate 0, and "M", which cancels a goto.
  void sendStops() override;
  // The heartbeat's read of the position.
  bool awaitsPoll() const override { return state_ == State::kReadPosition && !readAsked_; }

 private:
  static constexpr int kReplyHeartbeats = 3;
  enum class State { kIdle, kConnecting, kAwaitDone, kStopFirstAxis, kReadPosition };

  int receiveByte(uint8_t byte) override;
  int onReply();
  void passThrough(int direction, int rate);
  void move(int direction, int rate);
  void stopAll();
  void gotoTarget(double raRad, double decRad);
  // `asked`: by the user; else the heartbeat's read.
  void readPosition(bool asked);
  void setTracking(int mode);
  void positionReply();
  void await(State state, int heartbeats = kReplyHeartbeats);
  void becomeIdle();
  void finish(int code);

  State state_ = State::kIdle;
  ReplyBuffer reply_;
  HandshakeWatchdog replyTimer_;
  bool linked_ = false;
  bool readAsked_ = false;
};

}  // namespace celvaro

// What the two motor-controller mount types share: the reply framing, the
// handshake run under a watchdog, reading values and counts from replies,
// and the spiral search.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "telescope/motor_command_sequence.h"
#include "telescope/mount_protocol_base.h"
#include "telescope/reply_buffer.h"
#include "telescope/spiral_search.h"

namespace celvaro {

class MotorControllerProtocol : public MountProtocolBase {
 public:
  // Rerunning the handshake is the connect routine; every other command
  // goes to the type.
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) final;
  // The watchdog first: when it runs out during the handshake, report 4
  // and close the port. With the link up, a reply awaited for three
  // heartbeats means the mount no longer answers: report 4 and close the
  // port too.
  int tick() final;
  // The type's stop command for both axes.
  void sendStops() final;

 protected:
  MotorControllerProtocol(const ProtocolContext& context, int mountType, int watchdogHeartbeats, char stopCommand);

  // Starts the handshake afresh: framing reset, watchdog running, the
  // commands sent one per reply.
  void startHandshake(std::initializer_list<MotorCommand> commands);
  void run(std::initializer_list<MotorCommand> commands);
  bool sendNext();
  void skipNext(int count) { sequence_.skip(count); }
  const MotorCommandSequence& sequence() const { return sequence_; }
  // Whether a command's reply is still awaited.
  bool awaitingReply() const { return sequence_.awaited() >= 0; }

  // The six-digit value after a reply's marker.
  static bool readReplyValue(const ReplyBuffer& reply, uint32_t& value);
  // The reply to the command awaited: for :j the axis's count goes into
  // `counts`, for :f its status into `statuses`; false when it does not
  // parse. Replies to other commands carry nothing to take.
  bool takeAxisReply(const ReplyBuffer& reply, std::array<int32_t, 2>& counts, std::array<int, 2>& statuses) const;
  // Counts per revolution from a reply; when they cannot be read or lie
  // outside lowest..highest, reports 5 and answers false.
  bool readCountsPerRevolution(const ReplyBuffer& reply, uint32_t lowest, uint32_t highest, uint32_t& counts);

  // The spiral search: reads the position, reports 23 and drives the legs,
  // reporting the offsets from the start on every heartbeat and where each
  // leg ends; the type's spiralFinished() once every turn has run. While the
  // type's state is its spiral it hands its replies and heartbeats to
  // spiralReply and spiralHeartbeat; any sequence it starts instead ends the
  // spiral.
  void startSpiral(const SpiralForm& form, int32_t stepCounts, int turns, int speedIndex);
  void spiralReply(const ReplyBuffer& reply);
  void spiralHeartbeat();
  virtual void spiralFinished() = 0;
  const SpiralSearch& spiral() const { return spiral_; }

  // A command with all its arguments.
  virtual int onCommand(const uint8_t* payload, const SharedTelescopeValues& shared) = 0;
  // A normal reply outside the handshake.
  virtual int onReply(const ReplyBuffer& reply) = 0;
  virtual int onHeartbeat() = 0;
  virtual bool inHandshake() const = 0;
  virtual void goIdle() = 0;
  // The reply to handshake command `index`; false closes the port.
  virtual bool takeHandshakeReply(int /*index*/, const ReplyBuffer& /*reply*/) { return true; }
  // Every handshake command is answered: true when the type sent more.
  virtual bool handshakeAnswered() = 0;

 private:
  enum class Framing { kOutside, kReply, kSkipLine };

  int receiveByte(uint8_t byte) final;
  int replyComplete();
  int stepHandshake();
  void spiralAnswered();
  void continueLeg();
  void beatRead();
  void reportSpiralOffset();

  // kWaiting: the leg runs and the next read waits for a heartbeat;
  // kBeatRead: a heartbeat's two reads; kCloseRead: a read on every reply.
  enum class SpiralPhase { kReadingStart, kStartingLeg, kWaiting, kBeatRead, kCloseRead, kStopping };

  const int mountType_;
  const int watchdogHeartbeats_;
  const char stopCommand_;
  HandshakeWatchdog watchdog_;
  MotorCommandSequence sequence_;
  int beatsAwaitingReply_ = -1;  // -1 while no reply is awaited
  int repliesOwed_ = 0;          // to commands of runs replaced before their answer
  Framing framing_ = Framing::kOutside;
  ReplyBuffer reply_;
  SpiralSearch spiral_;
  SpiralPhase spiralPhase_ = SpiralPhase::kWaiting;
  bool beatWhileReading_ = false;  // a heartbeat came while a read was under way
  std::array<int32_t, 2> startCounts_{};  // read before the first leg
};

}  // namespace celvaro

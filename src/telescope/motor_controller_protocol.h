// What the two motor-controller mount types share: the reply framing, the
// handshake run under a watchdog, and reading values and counts from replies.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "telescope/motor_command_sequence.h"
#include "telescope/mount_protocol_base.h"
#include "telescope/reply_buffer.h"

namespace celvaro {

class MotorControllerProtocol : public MountProtocolBase {
 public:
  // Rerunning the handshake is the connect routine; every other command
  // goes to the type.
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) final;
  // The watchdog first: when it runs out during the handshake, report 4
  // and close the port.
  int tick() final;

 protected:
  MotorControllerProtocol(const ProtocolContext& context, int mountType, int watchdogHeartbeats);

  // Starts the handshake afresh: framing reset, watchdog running, the
  // commands sent one per reply.
  void startHandshake(std::initializer_list<MotorCommand> commands);
  void run(std::initializer_list<MotorCommand> commands) { sequence_.start(commands, sender()); }
  bool sendNext() { return sequence_.sendNext(sender()); }
  const MotorCommandSequence& sequence() const { return sequence_; }

  // The six-digit value after a reply's marker.
  static bool readReplyValue(const ReplyBuffer& reply, uint32_t& value);
  // Counts per revolution from a reply; when they cannot be read or lie
  // outside lowest..highest, reports 5 and answers false.
  bool readCountsPerRevolution(const ReplyBuffer& reply, uint32_t lowest, uint32_t highest, uint32_t& counts);

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

  const int mountType_;
  const int watchdogHeartbeats_;
  HandshakeWatchdog watchdog_;
  MotorCommandSequence sequence_;
  Framing framing_ = Framing::kOutside;
  ReplyBuffer reply_;
};

}  // namespace celvaro

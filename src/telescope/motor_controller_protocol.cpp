#include "telescope/motor_controller_protocol.h"

#include <utility>

#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_encodings.h"
#include "telescope/mount_types.h"
#include "telescope/telescope_listener.h"

namespace celvaro {
namespace {

constexpr uint8_t kCarriageReturn = '\r';
constexpr uint8_t kLineFeed = '\n';
// Heartbeats a reply may be awaited once the link is up.
constexpr int kReplyHeartbeats = 3;

}  // namespace

MotorControllerProtocol::MotorControllerProtocol(const ProtocolContext& context, int mountType,
                                                 int watchdogHeartbeats, char stopCommand)
    : MountProtocolBase(context),
      mountType_(mountType),
      watchdogHeartbeats_(watchdogHeartbeats),
      stopCommand_(stopCommand) {}

void MotorControllerProtocol::sendStops() {
  sendAtOnce({plainCommand(stopCommand_, 1), plainCommand(stopCommand_, 2)}, sender());
}

int MotorControllerProtocol::command(const uint8_t* payload, int length,
                                     const SharedTelescopeValues& shared) {
  if (!commandComplete(payload, length)) return kKeepLink;
  if (payload[0] == kCmdReinitialise) return connect();
  return onCommand(payload, shared);
}

int MotorControllerProtocol::tick() {
  if (watchdog_.runsOut() && inHandshake()) {
    report(kStatusHandshakeTimedOut);
    return kClosePort;
  }
  if (!inHandshake() && beatsAwaitingReply_ >= 0 && ++beatsAwaitingReply_ >= kReplyHeartbeats) {
    beatsAwaitingReply_ = -1;
    goIdle();
    report(kStatusHandshakeTimedOut);
    return kClosePort;
  }
  return onHeartbeat();
}

// A run that replaces one whose last command is still unanswered leaves
// that reply owed: the mount answers in order, and it comes first.
void MotorControllerProtocol::run(std::initializer_list<MotorCommand> commands) {
  if (beatsAwaitingReply_ >= 0 && commands.size() > 0) ++repliesOwed_;
  sequence_.start(commands, sender());
  if (commands.size() > 0) beatsAwaitingReply_ = 0;
}

bool MotorControllerProtocol::sendNext() {
  if (!sequence_.sendNext(sender())) return false;
  beatsAwaitingReply_ = 0;
  return true;
}

void MotorControllerProtocol::startHandshake(std::initializer_list<MotorCommand> commands) {
  framing_ = Framing::kOutside;
  beatsAwaitingReply_ = -1;
  repliesOwed_ = 0;
  watchdog_.start(watchdogHeartbeats_);
  run(commands);
}

bool MotorControllerProtocol::readReplyValue(const ReplyBuffer& reply, uint32_t& value) {
  return readMotorValue(reply.text() + 1, reply.size() - 1, value);
}

bool MotorControllerProtocol::takeAxisReply(const ReplyBuffer& reply, std::array<int32_t, 2>& counts,
                                            std::array<int, 2>& statuses) const {
  const MotorCommand& command = sequence_.awaitedCommand();
  const int axis = command.axis == 2 ? 1 : 0;
  if (command.command == 'f') {
    statuses[axis] = readAxisStatus(reply);
    return statuses[axis] >= 0;
  }
  if (command.command != 'j') return true;
  uint32_t value = 0;
  if (!readReplyValue(reply, value)) return false;
  counts[axis] = static_cast<int32_t>(value);
  return true;
}

bool MotorControllerProtocol::readCountsPerRevolution(const ReplyBuffer& reply, uint32_t lowest,
                                                      uint32_t highest, uint32_t& counts) {
  if (readReplyValue(reply, counts) && counts >= lowest && counts <= highest) return true;
  report(kStatusImplausibleCounts);
  return false;
}

// Outside a reply '=' or '!' opens one and ':' starts the echo of an own
// command, skipped to the line's end. A reply that reaches the buffer's size
// is dropped together with the rest of its line.
int MotorControllerProtocol::receiveByte(uint8_t byte) {
  switch (framing_) {
    case Framing::kOutside:
      if (byte == '=' || byte == '!') {
        reply_.clear();
        reply_.append(byte);
        framing_ = Framing::kReply;
      } else if (byte == ':') {
        framing_ = Framing::kSkipLine;
      }
      return kKeepLink;
    case Framing::kSkipLine:
      if (byte == kCarriageReturn || byte == kLineFeed) framing_ = Framing::kOutside;
      return kKeepLink;
    case Framing::kReply:
      if (byte == kCarriageReturn) {
        framing_ = Framing::kOutside;
        return replyComplete();
      }
      reply_.append(byte);
      if (reply_.full()) framing_ = Framing::kSkipLine;
      return kKeepLink;
  }
  return kKeepLink;
}

// A reply owed to a replaced run is passed over. An error reply ends a
// sequence; during the handshake, which cannot go on without it, the
// watchdog then closes the port.
int MotorControllerProtocol::replyComplete() {
  if (repliesOwed_ > 0) {
    --repliesOwed_;
    return kKeepLink;
  }
  beatsAwaitingReply_ = -1;
  if (reply_.at(0) == '!') {
    if (!inHandshake()) goIdle();
    report(kStatusErrorReply);
    return kKeepLink;
  }
  return inHandshake() ? stepHandshake() : onReply(reply_);
}

int MotorControllerProtocol::stepHandshake() {
  if (!takeHandshakeReply(sequence_.awaited(), reply_)) return kClosePort;
  if (sendNext() || handshakeAnswered()) return kKeepLink;
  watchdog_.stop();
  goIdle();
  report(linkEstablishedCode(mountType_));
  return kLinkEstablished;
}

// --- the spiral search --------------------------------------------------------------

void MotorControllerProtocol::startSpiral(const SpiralForm& form, int32_t stepCounts, int turns, int speedIndex) {
  spiral_.setUp(form, stepCounts, turns, speedIndex);
  spiralPhase_ = SpiralPhase::kReadingStart;
  beatWhileReading_ = false;
  run({plainCommand('j', 1), plainCommand('j', 2)});
}

void MotorControllerProtocol::spiralReply(const ReplyBuffer& reply) {
  if (spiralPhase_ == SpiralPhase::kWaiting) return;  // nothing was asked
  if (spiralPhase_ == SpiralPhase::kReadingStart || spiralPhase_ == SpiralPhase::kBeatRead ||
      spiralPhase_ == SpiralPhase::kCloseRead) {
    uint32_t count = 0;
    if (!readReplyValue(reply, count)) {
      goIdle();
      report(kStatusErrorReply);
      return;
    }
    const int index = sequence_.awaited();
    if (spiralPhase_ == SpiralPhase::kReadingStart) startCounts_[index] = static_cast<int32_t>(count);
    else spiral_.takeCount(index, static_cast<int32_t>(count), now());
  }
  if (!sendNext()) spiralAnswered();
}

// A heartbeat while the leg waits for it reads the position; while the
// position is read on every reply, the next read counts as the heartbeat's.
void MotorControllerProtocol::spiralHeartbeat() {
  if (spiralPhase_ == SpiralPhase::kWaiting) {
    spiralPhase_ = SpiralPhase::kBeatRead;
    run({spiral_.positionRead(0), spiral_.positionRead(1)});
  } else if (spiralPhase_ == SpiralPhase::kCloseRead) {
    beatWhileReading_ = true;
  }
}

void MotorControllerProtocol::spiralAnswered() {
  switch (spiralPhase_) {
    case SpiralPhase::kReadingStart:
      spiral_.startAt(startCounts_[0], startCounts_[1]);
      report(kStatusSpiralStarted);
      break;
    case SpiralPhase::kBeatRead:
      beatRead();
      continueLeg();
      return;
    case SpiralPhase::kCloseRead:
      if (std::exchange(beatWhileReading_, false)) beatRead();
      else if (spiral_.legDone()) reportSpiralOffset();
      continueLeg();
      return;
    case SpiralPhase::kStartingLeg:
      spiral_.legStarted(now());
      continueLeg();
      return;
    case SpiralPhase::kStopping:
      if (spiral_.finished()) {
        spiralFinished();
        return;
      }
      break;
    default:
      continueLeg();
      return;
  }
  spiralPhase_ = SpiralPhase::kStartingLeg;
  run({spiral_.legMotion(), spiral_.legPeriod(), spiral_.legStart()});
}

// The leg ends once its axis reached the target or its time is up; before
// that the position is read at once or at the next heartbeat.
void MotorControllerProtocol::continueLeg() {
  if (spiral_.legDone() || spiral_.timeUp(now())) {
    const MotorCommand stop = spiral_.legStop();
    spiral_.nextLeg();
    spiralPhase_ = SpiralPhase::kStopping;
    run({stop});
  } else if (spiral_.readAgainAtOnce()) {
    spiralPhase_ = SpiralPhase::kCloseRead;
    run({spiral_.positionRead(0)});
  } else {
    spiralPhase_ = SpiralPhase::kWaiting;
  }
}

void MotorControllerProtocol::beatRead() {
  spiral_.beatPassed();
  reportSpiralOffset();
}

void MotorControllerProtocol::reportSpiralOffset() {
  listener().onSpiralSearchOffset(spiral_.offset(1), spiral_.offset(2));
}

}  // namespace celvaro

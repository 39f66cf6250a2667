#include "telescope/nexstar_protocol.h"

#include <algorithm>
#include <string>

#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_encodings.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr uint8_t kLineEnd = '#';
constexpr int kHighestRate = 9;
constexpr int kAllAxes = 4;
constexpr int kPositionReplyLength = 10;  // "XXXX,YYYY#"
// The echo that brings the link up may wait longer: heartbeats pile up while
// the port settles.
constexpr int kHandshakeHeartbeats = 6;
// Tracking modes as the hand control takes them, in a binary byte.
constexpr uint8_t kTrackingOff = 0;
constexpr uint8_t kTrackingEquatorialNorth = 2;

// The motor and its command for directions 0..3: motor 17 is the second
// axis, 16 the first; command 36 runs forwards, 37 backwards.
struct MotorDrive {
  uint8_t motor;
  uint8_t command;
};
constexpr MotorDrive kDrives[4] = {{17, 36}, {17, 37}, {16, 36}, {16, 37}};

bool isDirection(int direction) { return direction >= 0 && direction < 4; }

void appendHex4(std::string& text, uint16_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

int hexDigit(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool readHex4(const ReplyBuffer& reply, int at, uint16_t& value) {
  value = 0;
  for (int i = at; i < at + 4; ++i) {
    const int digit = hexDigit(reply.at(i));
    if (digit < 0) return false;
    value = static_cast<uint16_t>(value << 4 | digit);
  }
  return true;
}

}  // namespace

NexstarProtocol::NexstarProtocol(const ProtocolContext& context) : MountProtocolBase(context) {}

int NexstarProtocol::connect() {
  linked_ = false;
  reply_.clear();
  await(State::kConnecting, kHandshakeHeartbeats);
  sender().sendText("Kx");
  return kKeepLink;
}

// While the link is up and nothing is awaited, every heartbeat reads the
// position for the panels and the guider port; a mount that stops
// answering is noticed that way too.
int NexstarProtocol::tick() {
  if (state_ == State::kIdle) {
    if (linked_) readPosition(false);
    return kKeepLink;
  }
  if (!replyTimer_.runsOut()) return kKeepLink;
  finish(kStatusHandshakeTimedOut);
  return kClosePort;
}

int NexstarProtocol::command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) {
  if (!commandComplete(payload, length)) return kKeepLink;
  switch (payload[0]) {
    case kCmdMoveFast:
    case kCmdMoveSlow: move(payload[1], payload[2]); break;
    case kCmdStop: stopAll(); break;
    case kCmdGoto: gotoTarget(shared.gotoRaRad, shared.gotoDecRad); break;
    case kCmdTracking: setTracking(payload[1]); break;
    case kCmdReadPosition: readPosition(true); break;
    case kCmdGuideMove: guideMove(payload[1]); break;
    default: break;
  }
  return kKeepLink;
}

void NexstarProtocol::guideMove(int direction) {
  if (isDirection(direction)) passThrough(direction, 1);
}

void NexstarProtocol::guideStop(int axis) {
  if (axis == kAllAxes) stopAll();
  else if (isDirection(axis)) passThrough(axis, 0);
}

void NexstarProtocol::passThrough(int direction, int rate) {
  const MotorDrive drive = kDrives[direction];
  const uint8_t bytes[8] = {'P', 2, drive.motor, drive.command, static_cast<uint8_t>(rate), 0, 0, 0};
  sender().sendBytes(bytes, sizeof bytes);
}

void NexstarProtocol::move(int direction, int rate) {
  if (!isDirection(direction)) return;
  await(State::kAwaitDone);
  passThrough(direction, std::min(rate, kHighestRate));
}

void NexstarProtocol::sendStops() {
  passThrough(3, 0);
  passThrough(0, 0);
  sender().sendText("M");
}

// The first axis stops first, the second on its answer.
void NexstarProtocol::stopAll() {
  await(State::kStopFirstAxis);
  passThrough(3, 0);
}

void NexstarProtocol::gotoTarget(double raRad, double decRad) {
  const EquatorialPosition target = ofDate(raRad, decRad);
  std::string text = "R";
  appendHex4(text, turnFractionSingle(target.raRad));
  text += ',';
  appendHex4(text, turnFractionSingle(target.decRad));
  await(State::kAwaitDone);
  sender().sendBytes(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

void NexstarProtocol::readPosition(bool asked) {
  readAsked_ = asked;
  await(State::kReadPosition);
  sender().sendText("E");
}

// 'T' and the hand control's mode byte: off, or equatorial north for mode 1.
// Its '#' is not waited for.
void NexstarProtocol::setTracking(int mode) {
  if (mode != 0 && mode != 1) return;
  becomeIdle();
  const uint8_t bytes[2] = {'T', mode == 0 ? kTrackingOff : kTrackingEquatorialNorth};
  sender().sendBytes(bytes, sizeof bytes);
}

int NexstarProtocol::receiveByte(uint8_t byte) {
  if (!reply_.collectLine(byte, kLineEnd)) return kKeepLink;
  const int result = onReply();
  reply_.clear();
  return result;
}

// A lone '#' where a longer reply is awaited answers a command sent before
// (tracking, a guide move) and is passed over.
int NexstarProtocol::onReply() {
  const bool loneLineEnd = reply_.size() == 1;
  if (state_ == State::kIdle || (loneLineEnd && (state_ == State::kReadPosition || state_ == State::kConnecting)))
    return kKeepLink;
  if (state_ == State::kReadPosition) {
    positionReply();
    return kKeepLink;
  }
  const bool expected = state_ == State::kConnecting ? reply_.size() == 2 && reply_.at(0) == 'x' : loneLineEnd;
  if (!expected) {
    finish(kStatusErrorReply);
    return kKeepLink;
  }
  switch (state_) {
    case State::kConnecting:
      linked_ = true;
      finish(linkEstablishedCode(kMountNexstar));
      return kLinkEstablished;
    case State::kStopFirstAxis:
      await(State::kAwaitDone);
      passThrough(0, 0);
      break;
    default: finish(kStatusFinished); break;
  }
  return kKeepLink;
}

void NexstarProtocol::positionReply() {
  uint16_t ra = 0;
  uint16_t dec = 0;
  if (reply_.size() != kPositionReplyLength || reply_.at(4) != ',' || !readHex4(reply_, 0, ra) ||
      !readHex4(reply_, 5, dec)) {
    finish(kStatusErrorReply);
    return;
  }
  becomeIdle();
  const EquatorialPosition j2000 =
      j2000Of(angleOfTurnFraction(ra), declinationOfTurnFraction(dec));
  listener().onMountPosition(j2000.raRad, j2000.decRad, ra, dec);
}

// Waits in `state` for the mount's reply, at most `heartbeats`.
void NexstarProtocol::await(State state, int heartbeats) {
  state_ = state;
  replyTimer_.start(heartbeats);
}

void NexstarProtocol::becomeIdle() {
  state_ = State::kIdle;
  replyTimer_.stop();
}

void NexstarProtocol::finish(int code) {
  becomeIdle();
  report(code);
}

}  // namespace celvaro

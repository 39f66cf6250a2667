#include "telescope/lx200_protocol.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>

#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr int kHandshakeHeartbeats = 6;
constexpr int kReplyHeartbeats = 3;
constexpr uint8_t kAcknowledge = 0x06;
constexpr uint8_t kLineEnd = '#';
constexpr float kRadPerDegSingle = static_cast<float>(std::numbers::pi / 180.0);

// Move and stop commands by direction 0..3 (north, south, east, west).
constexpr const char* kMoveTexts[4] = {":Mn#", ":Ms#", ":Me#", ":Mw#"};
constexpr const char* kStopTexts[4] = {":Qn#", ":Qs#", ":Qe#", ":Qw#"};

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// The mount's answer to the acknowledge byte: its alignment, alt-azimuth,
// land or polar.
bool isAlignmentLetter(uint8_t c) { return c == 'A' || c == 'L' || c == 'P'; }

// Two digits at `at` making a number below `limit`: their value, or -1.
int twoDigits(const ReplyBuffer& reply, int at, int limit) {
  if (!isDigit(reply.at(at)) || !isDigit(reply.at(at + 1))) return -1;
  const int value = (reply.at(at) - '0') * 10 + (reply.at(at + 1) - '0');
  return value < limit ? value : -1;
}

// The fraction after "HH:MM" in minutes: ".T" tenths or ":SS" seconds,
// followed by the line's end; -1 when neither.
float minuteFraction(const ReplyBuffer& reply) {
  if (reply.at(5) == '.' && isDigit(reply.at(6)) && reply.at(7) == kLineEnd) return (reply.at(6) - '0') / 10.0f;
  const int seconds = reply.at(5) == ':' && reply.at(8) == kLineEnd ? twoDigits(reply, 6, 60) : -1;
  return seconds < 0 ? -1.0f : seconds / 60.0f;
}

// The seconds after "sDD*MM": none before the line's end, or "'SS"; -1 else.
int arcseconds(const ReplyBuffer& reply) {
  if (reply.at(6) == kLineEnd) return 0;
  return reply.at(6) == '\'' && reply.at(9) == kLineEnd ? twoDigits(reply, 7, 60) : -1;
}

// "HH:MM:SS#" or "HH:MM.T#" in radians, worked out in single precision.
bool readRightAscension(const ReplyBuffer& reply, double& raRad) {
  const int hours = twoDigits(reply, 0, 24);
  const int minutes = twoDigits(reply, 3, 60);
  const float fraction = minuteFraction(reply);
  if (hours < 0 || minutes < 0 || fraction < 0) return false;
  raRad = (hours * 15.0f + (minutes + fraction) * 0.25f) * kRadPerDegSingle;
  return true;
}

// "sDD*MM'SS#" or "sDD*MM#", the separator after the degrees being the
// mount's degree sign.
bool readDeclination(const ReplyBuffer& reply, double& decRad) {
  const uint8_t sign = reply.at(0);
  const int degrees = twoDigits(reply, 1, 91);
  const int minutes = twoDigits(reply, 4, 60);
  const int seconds = arcseconds(reply);
  if ((sign != '+' && sign != '-') || degrees < 0 || minutes < 0 || seconds < 0) return false;
  const float magnitude = degrees + minutes / 60.0f + seconds / 3600.0f;
  if (magnitude > 90.0f) return false;
  decRad = (sign == '-' ? -magnitude : magnitude) * kRadPerDegSingle;
  return true;
}

// ":SrHH:MM.T#": the nearest tenth of a minute of time, 24:00.0 being the
// next day's 00:00.0; in high precision ":SrHH:MM:SS#", the nearest second.
std::string rightAscensionCommand(double raRad, bool highPrecision) {
  const long perHour = highPrecision ? 3600 : 600;
  long units = std::lround(raRad * 12.0 / std::numbers::pi * perHour) % (24 * perHour);
  if (units < 0) units += 24 * perHour;
  char text[32];
  if (highPrecision) {
    std::snprintf(text, sizeof text, ":Sr%02ld:%02ld:%02ld#", units / 3600, units / 60 % 60, units % 60);
  } else {
    std::snprintf(text, sizeof text, ":Sr%02ld:%02ld.%ld#", units / 600, units % 600 / 10, units % 10);
  }
  return text;
}

// ":SdsDD:MM#": the nearest arcminute, no further than a pole; in high
// precision ":SdsDD*MM:SS#", the nearest arcsecond.
std::string declinationCommand(double decRad, bool highPrecision) {
  const long perDegree = highPrecision ? 3600 : 60;
  const long units = std::clamp(std::lround(decRad * 180.0 / std::numbers::pi * perDegree), -90 * perDegree,
                                90 * perDegree);
  const long a = std::labs(units);
  const char sign = units < 0 ? '-' : '+';
  char text[32];
  if (highPrecision) {
    std::snprintf(text, sizeof text, ":Sd%c%02ld*%02ld:%02ld#", sign, a / 3600, a / 60 % 60, a % 60);
  } else {
    std::snprintf(text, sizeof text, ":Sd%c%02ld:%02ld#", sign, a / 60, a % 60);
  }
  return text;
}

// A right ascension told to the second, "HH:MM:SS#", is high precision.
bool inHighPrecision(const ReplyBuffer& reply) { return reply.at(5) == ':'; }

}  // namespace

Lx200Protocol::Lx200Protocol(const ProtocolContext& context) : MountProtocolBase(context) {}

// The link is up once the mount has answered the acknowledge byte and
// told its right ascension, whose form shows the precision it works in.
int Lx200Protocol::connect() {
  linked_ = slewing_ = false;
  state_ = State::kConnecting;
  replyTimer_.start(kHandshakeHeartbeats);
  sender().sendByte(kAcknowledge);
  return kKeepLink;
}

// While the link is up and nothing is awaited, every heartbeat reads the
// position for the panels and the guider port, unannounced; a mount that
// stops answering is noticed that way too.
// While a slew runs the heartbeat asks for the distance bars instead, until
// the mount shows none; a mount that has no bars ends the slew there.
int Lx200Protocol::tick() {
  if (state_ == State::kIdle) {
    if (linked_ && slewing_) askDistance();
    else if (linked_) readPosition(false);
    return kKeepLink;
  }
  if (!replyTimer_.runsOut()) return kKeepLink;
  if (state_ == State::kDistance) {
    slewing_ = false;
    finish(kStatusFinished);
    return kKeepLink;
  }
  finish(kStatusHandshakeTimedOut);
  return kClosePort;
}

void Lx200Protocol::askDistance() {
  await(State::kDistance);
  sender().sendText(":D#");
}

// "#" alone: no bars, the slew has ended.
void Lx200Protocol::distanceLine(uint8_t byte) {
  if (!reply_.collectLine(byte, kLineEnd)) return;
  if (reply_.size() > 1) {
    settle();
    return;
  }
  slewing_ = false;
  finish(kStatusFinished);
}

// A reply in neither form leaves the mount in low precision, which every
// LX200 takes.
int Lx200Protocol::precisionLine(uint8_t byte) {
  if (!reply_.collectLine(byte, kLineEnd)) return kKeepLink;
  double raRad = 0;
  highPrecision_ = readRightAscension(reply_, raRad) && inHighPrecision(reply_);
  linked_ = true;
  finish(linkEstablishedCode(kMountLx200));
  return kLinkEstablished;
}

int Lx200Protocol::command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) {
  if (!commandComplete(payload, length)) return kKeepLink;
  switch (payload[0]) {
    case kCmdMoveFast: move(payload[1], ":RS#", kStatusFastMotion); break;
    case kCmdMoveSlow: move(payload[1], ":RM#", kStatusSlowMotion); break;
    case kCmdStop: stop(payload[1]); break;
    case kCmdGoto: gotoTarget(shared.gotoRaRad, shared.gotoDecRad); break;
    case kCmdReadPosition: readPosition(true); break;
    default: break;
  }
  return kKeepLink;
}

void Lx200Protocol::move(int direction, const char* rateCommand, int startedCode) {
  if (direction < 0 || direction > 3) return;
  sender().sendText(rateCommand);
  sender().sendText(kMoveTexts[direction]);
  finish(startedCode);
}

void Lx200Protocol::stop(int direction) {
  slewing_ = false;
  sender().sendText(direction >= 0 && direction <= 3 ? kStopTexts[direction] : ":Q#");
  finish(kStatusFinished);
}

void Lx200Protocol::sendStops() { sender().sendText(":Q#"); }

bool Lx200Protocol::awaitsPoll() const {
  return state_ == State::kDistance || (!readAsked_ && (state_ == State::kReadRa || state_ == State::kReadDec));
}

void Lx200Protocol::readPosition(bool asked) {
  readAsked_ = asked;
  await(State::kReadRa);
  sender().sendText(":GR#");
}

void Lx200Protocol::gotoTarget(double raRad, double decRad) {
  const EquatorialPosition target = ofDate(raRad, decRad);
  gotoDecRad_ = target.decRad;
  await(State::kGotoRa);
  sender().sendText(rightAscensionCommand(target.raRad, highPrecision_).c_str());
}

int Lx200Protocol::receiveByte(uint8_t byte) {
  switch (state_) {
    case State::kConnecting:
      if (isAlignmentLetter(byte)) {
        await(State::kPrecision);
        sender().sendText(":GR#");
      }
      break;
    case State::kPrecision: return precisionLine(byte);
    case State::kReadRa:
    case State::kReadDec: positionLine(byte); break;
    case State::kGotoRa:
    case State::kGotoDec: setReply(byte); break;
    case State::kSlew: slewReply(byte); break;
    case State::kDistance: distanceLine(byte); break;
    case State::kSlewRefused: refusalText(byte); break;
    case State::kIdle: break;
  }
  return kKeepLink;
}

void Lx200Protocol::positionLine(uint8_t byte) {
  if (!reply_.collectLine(byte, kLineEnd)) return;
  double decRad = 0;
  const bool parsed =
      state_ == State::kReadRa ? readRightAscension(reply_, readRaRad_) : readDeclination(reply_, decRad);
  if (!parsed) {
    finish(kStatusErrorReply);
  } else if (state_ == State::kReadRa) {
    highPrecision_ = inHighPrecision(reply_);
    await(State::kReadDec);
    sender().sendText(":GD#");
  } else {
    if (readAsked_) finish(kStatusFinished);
    else settle();
    const EquatorialPosition j2000 = j2000Of(readRaRad_, decRad);
    listener().onMountPosition(j2000.raRad, j2000.decRad, 0, 0);
  }
}

// Each set command is accepted with '1', refused with '0'.
void Lx200Protocol::setReply(uint8_t reply) {
  if (reply != '1') {
    finish(kStatusErrorReply);
  } else if (state_ == State::kGotoRa) {
    await(State::kGotoDec);
    sender().sendText(declinationCommand(gotoDecRad_, highPrecision_).c_str());
  } else {
    await(State::kSlew);
    sender().sendText(":MS#");
  }
}

// '0': the slew started. Another digit: refused (1 below the horizon, 2
// below the "higher" limit, others by the mount's own limits), and the
// mount's message follows up to '#'.
void Lx200Protocol::slewReply(uint8_t reply) {
  slewing_ = reply == '0';
  if (slewing_) finish(kStatusGotoStarted);
  else if (isDigit(reply)) await(State::kSlewRefused);
  else finish(kStatusErrorReply);
}

// The message is kept up to the buffer's size; the rest is dropped.
void Lx200Protocol::refusalText(uint8_t byte) {
  if (byte != kLineEnd) {
    reply_.append(byte);
    return;
  }
  const std::string text(reply_.text(), static_cast<size_t>(reply_.size()));
  finish(kStatusSlewRefused);
  listener().onMountMessage(text);
}

// Waits in `state` for the mount's reply, at most kReplyHeartbeats.
void Lx200Protocol::await(State state) {
  state_ = state;
  reply_.clear();
  replyTimer_.start(kReplyHeartbeats);
}

void Lx200Protocol::finish(int code) {
  settle();
  report(code);
}

void Lx200Protocol::settle() {
  state_ = State::kIdle;
  replyTimer_.stop();
}

}  // namespace celvaro

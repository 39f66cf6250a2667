#include "telescope/lx200_protocol.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr int kWatchdogHeartbeats = 6;
constexpr uint8_t kAcknowledge = 0x06;
constexpr uint8_t kLineEnd = '#';
constexpr float kRadPerDegSingle = static_cast<float>(std::numbers::pi / 180.0);

// Move and stop commands by direction 0..3 (north, south, east, west).
constexpr const char* kMoveTexts[4] = {":Mn#", ":Ms#", ":Me#", ":Mw#"};
constexpr const char* kStopTexts[4] = {":Qn#", ":Qs#", ":Qe#", ":Qw#"};

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// Two digits at `at`: their value, or -1.
int twoDigits(const ReplyBuffer& reply, int at) {
  if (!isDigit(reply.at(at)) || !isDigit(reply.at(at + 1))) return -1;
  return (reply.at(at) - '0') * 10 + (reply.at(at + 1) - '0');
}

// Two digits at `at` when `mark` stands before them; 0 otherwise.
int optionalSeconds(const ReplyBuffer& reply, uint8_t mark, int at) {
  const int seconds = reply.at(at - 1) == mark ? twoDigits(reply, at) : -1;
  return seconds < 0 ? 0 : seconds;
}

// An angle as the nearest whole number of arcminutes.
long arcminutes(double angleRad) { return std::lround(angleRad * 360.0 * 60.0 / (2.0 * std::numbers::pi)); }

}  // namespace

bool readLx200RightAscension(const ReplyBuffer& reply, double& raRad) {
  const int hours = twoDigits(reply, 0);
  const int minutes = twoDigits(reply, 3);
  if (hours < 0 || minutes < 0) return false;
  const int seconds = optionalSeconds(reply, ':', 6);
  const float degrees = hours * 15.0f + minutes * 0.25f + seconds / 240.0f;
  raRad = degrees * kRadPerDegSingle;
  return true;
}

bool readLx200Declination(const ReplyBuffer& reply, double& decRad) {
  const uint8_t sign = reply.at(0);
  const int degrees = twoDigits(reply, 1);
  const int minutes = twoDigits(reply, 4);
  if ((sign != '+' && sign != '-') || degrees < 0 || minutes < 0) return false;
  const int seconds = optionalSeconds(reply, '\'', 7);
  const float magnitude = degrees + minutes / 60.0f + seconds / 3600.0f;
  decRad = (sign == '-' ? -magnitude : magnitude) * kRadPerDegSingle;
  return true;
}

Lx200Protocol::Lx200Protocol(const ProtocolContext& context) : MountProtocolBase(context) {}

int Lx200Protocol::connect() {
  setLineMode(false);
  watchdog_.start(kWatchdogHeartbeats);
  state_ = State::kConnecting;
  sender().sendByte(kAcknowledge);
  return kKeepLink;
}

// The first heartbeat or reply after the acknowledge byte brings the link up.
int Lx200Protocol::tick() {
  if (watchdog_.runsOut() && state_ == State::kConnecting) {
    report(kStatusHandshakeTimedOut);
    return kClosePort;
  }
  return state_ == State::kConnecting ? linkUp() : kKeepLink;
}

int Lx200Protocol::linkUp() {
  watchdog_.stop();
  state_ = State::kIdle;
  report(linkEstablishedCode(kMountLx200));
  return kLinkEstablished;
}

int Lx200Protocol::command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) {
  if (!commandComplete(payload, length)) return kKeepLink;
  switch (payload[0]) {
    case kCmdMoveFast: move(payload[1], ":RS#", kStatusFastMotion); break;
    case kCmdMoveSlow: move(payload[1], ":RM#", kStatusSlowMotion); break;
    case kCmdStop: stop(payload[1]); break;
    case kCmdGoto: gotoTarget(shared.gotoRaRad, shared.gotoDecRad); break;
    case kCmdReadPosition: readPosition(); break;
    default: break;
  }
  return kKeepLink;
}

void Lx200Protocol::move(int direction, const char* rateCommand, int startedCode) {
  if (direction < 0 || direction > 3) return;
  state_ = State::kIdle;
  sender().sendText(rateCommand);
  sender().sendText(kMoveTexts[direction]);
  report(startedCode);
}

void Lx200Protocol::stop(int direction) {
  state_ = State::kIdle;
  sender().sendText(direction >= 0 && direction <= 3 ? kStopTexts[direction] : ":Q#");
  report(kStatusFinished);
}

void Lx200Protocol::readPosition() {
  setLineMode(true);
  state_ = State::kReadRa;
  sender().sendText(":GR#");
}

void Lx200Protocol::gotoTarget(double raRad, double decRad) {
  const long m = arcminutes(raRad);
  char text[32];
  std::snprintf(text, sizeof text, ":Sr%02ld:%02ld.0#", m / 900, m % 900 / 15);
  setLineMode(false);
  state_ = State::kGotoRa;
  gotoDecRad_ = decRad;
  sender().sendText(text);
}

int Lx200Protocol::receiveByte(uint8_t byte) {
  if (!lineMode_) {
    reply_.clear();
    reply_.append(byte);
    return onReply();
  }
  if (!reply_.collectLine(byte, kLineEnd)) return kKeepLink;
  const int result = onReply();
  reply_.clear();
  return result;
}

int Lx200Protocol::onReply() {
  switch (state_) {
    case State::kConnecting: return linkUp();
    case State::kReadRa:
    case State::kReadDec: positionReply(); break;
    case State::kGotoRa:
    case State::kGotoDec: gotoReply(); break;
    case State::kIdle: break;
  }
  return kKeepLink;
}

void Lx200Protocol::positionReply() {
  double decRad = 0;
  const bool parsed = state_ == State::kReadRa ? readLx200RightAscension(reply_, readRaRad_)
                                               : readLx200Declination(reply_, decRad);
  if (!parsed) {
    state_ = State::kIdle;
    report(kStatusErrorReply);
  } else if (state_ == State::kReadRa) {
    state_ = State::kReadDec;
    sender().sendText(":GD#");
  } else {
    state_ = State::kIdle;
    report(kStatusFinished);
    listener().onMountPosition(readRaRad_, decRad, 0, 0);
  }
}

// Each set command is accepted with '1'; then the slew starts.
void Lx200Protocol::gotoReply() {
  if (reply_.at(0) != '1') {
    state_ = State::kIdle;
    report(kStatusErrorReply);
  } else if (state_ == State::kGotoRa) {
    const long m = arcminutes(gotoDecRad_);
    char text[32];
    std::snprintf(text, sizeof text, ":Sd%c%02ld:%02ld#", m < 0 ? '-' : '+', std::labs(m) / 60,
                  std::labs(m) % 60);
    state_ = State::kGotoDec;
    sender().sendText(text);
  } else {
    state_ = State::kIdle;
    sender().sendText(":MS#");
    report(kStatusFinished);
  }
}

void Lx200Protocol::setLineMode(bool lineMode) {
  lineMode_ = lineMode;
  reply_.clear();
}

}  // namespace celvaro

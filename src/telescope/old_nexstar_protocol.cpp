#include "telescope/old_nexstar_protocol.h"

#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_encodings.h"

namespace celvaro {
namespace {

uint8_t highByte(uint16_t value) { return static_cast<uint8_t>(value >> 8); }
uint8_t lowByte(uint16_t value) { return static_cast<uint8_t>(value & 0xFF); }

uint16_t wordAt(const ReplyBuffer& reply, int at) {
  return static_cast<uint16_t>(reply.at(at) << 8 | reply.at(at + 1));
}

}  // namespace

OldNexstarProtocol::OldNexstarProtocol(const ProtocolContext& context) : MountProtocolBase(context) {}

int OldNexstarProtocol::command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) {
  if (commandComplete(payload, length) && payload[0] == kCmdGoto)
    gotoTarget(shared.gotoRaRad, shared.gotoDecRad);
  return kKeepLink;
}

// The mount is asked first; the goto itself follows its '#'.
void OldNexstarProtocol::gotoTarget(double raRad, double decRad) {
  const EquatorialPosition target = ofDate(raRad, decRad);
  const uint16_t ra = turnFraction(target.raRad);
  const uint16_t dec = turnFraction(target.decRad);
  gotoCommand_ = {'R', highByte(ra), lowByte(ra), highByte(dec), lowByte(dec)};
  report(kStatusGotoStarted);
  state_ = State::kGotoAsked;
  sender().sendText("?");
}

// Outside a record '#' and '@' are replies of their own; any other byte
// opens a record of itself and the next three.
int OldNexstarProtocol::receiveByte(uint8_t byte) {
  if (!inRecord_) {
    reply_.clear();
    if (byte != '#' && byte != '@') {
      reply_.append('!');
      inRecord_ = true;
    }
  }
  reply_.append(byte);
  if (inRecord_ && reply_.size() < kRecordLength) return kKeepLink;
  inRecord_ = false;
  onReply();
  return kKeepLink;
}

void OldNexstarProtocol::onReply() {
  const uint8_t reply = reply_.at(0);
  switch (state_) {
    case State::kIdle:
      if (reply == '!') positionRecord();
      break;
    case State::kGotoAsked:
      if (reply != '#') {
        finish(kStatusErrorReply);
        break;
      }
      state_ = State::kGotoSent;
      sender().sendBytes(gotoCommand_.data(), static_cast<int>(gotoCommand_.size()));
      break;
    case State::kGotoSent: finish(reply == '@' ? kStatusFinished : kStatusErrorReply); break;
  }
}

// A record that arrives while no goto runs carries the position.
void OldNexstarProtocol::positionRecord() {
  const uint16_t ra = wordAt(reply_, 1);
  const uint16_t dec = wordAt(reply_, 3);
  const EquatorialPosition j2000 =
      j2000Of(angleOfTurnFraction(ra), declinationOfTurnFraction(dec));
  listener().onMountPosition(j2000.raRad, j2000.decRad, ra, dec);
}

void OldNexstarProtocol::finish(int code) {
  state_ = State::kIdle;
  report(code);
}

}  // namespace celvaro

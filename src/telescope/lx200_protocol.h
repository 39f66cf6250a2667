// MountType 7: a mount that speaks the LX200 command set. Commands are
// texts ending in '#'; the acknowledge byte and the set and slew commands are
// answered with single bytes, the position inquiries and a refused slew's
// message with texts up to '#'.
#pragma once

#include "telescope/mount_protocol_base.h"
#include "telescope/reply_buffer.h"

namespace celvaro {

class Lx200Protocol : public MountProtocolBase {
 public:
  explicit Lx200Protocol(const ProtocolContext& context);

  int connect() override;
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) override;
  // Closes the port when an awaited reply (the acknowledge's included) has
  // not come in time.
  int tick() override;
  // ":Q#" stops every motion and a slew.
  void sendStops() override;
  // The heartbeat's read of the position or of the distance bars.
  bool awaitsPoll() const override;

 private:
  enum class State {
    kIdle, kConnecting, kPrecision, kReadRa, kReadDec, kGotoRa, kGotoDec, kSlew, kSlewRefused, kDistance
  };

  int receiveByte(uint8_t byte) override;
  int precisionLine(uint8_t byte);
  void move(int direction, const char* rateCommand, int startedCode);
  void stop(int direction);
  // `asked`: by the user, who is told it is done; else the heartbeat's read.
  void readPosition(bool asked);
  void gotoTarget(double raRad, double decRad);
  void positionLine(uint8_t byte);
  void setReply(uint8_t reply);
  void slewReply(uint8_t reply);
  void refusalText(uint8_t byte);
  void await(State state);
  void finish(int code);
  void settle();
  void askDistance();
  void distanceLine(uint8_t byte);

  State state_ = State::kIdle;
  ReplyBuffer reply_;
  HandshakeWatchdog replyTimer_;
  double readRaRad_ = 0;
  double gotoDecRad_ = 0;
  bool highPrecision_ = false;  // the mount tells and takes places to the second
  bool linked_ = false;
  bool readAsked_ = false;
  bool slewing_ = false;  // a goto the mount took, until its distance bars go
};

}  // namespace celvaro

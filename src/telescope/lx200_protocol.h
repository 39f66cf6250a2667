// MountType 7: a mount that speaks the LX200 command set. Commands are
// texts ending in '#'; replies come either as single bytes (raw mode) or as
// lines up to '#' (line mode).
#pragma once

#include "telescope/mount_protocol_base.h"
#include "telescope/reply_buffer.h"

namespace celvaro {

// The right-ascension reply "HH:MM:SS#" (seconds taken as 0 when missing)
// in radians, worked out in single precision; false when it does not parse.
bool readLx200RightAscension(const ReplyBuffer& reply, double& raRad);
// The declination reply "sDD*MM'SS#" (seconds only after an apostrophe).
bool readLx200Declination(const ReplyBuffer& reply, double& decRad);

class Lx200Protocol : public MountProtocolBase {
 public:
  explicit Lx200Protocol(const ProtocolContext& context);

  int connect() override;
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) override;
  int tick() override;

 private:
  enum class State { kIdle, kConnecting, kReadRa, kReadDec, kGotoRa, kGotoDec };

  int receiveByte(uint8_t byte) override;
  int onReply();
  int linkUp();
  void move(int direction, const char* rateCommand, int startedCode);
  void stop(int direction);
  void readPosition();
  void gotoTarget(double raRad, double decRad);
  void positionReply();
  void gotoReply();
  void setLineMode(bool lineMode);

  State state_ = State::kIdle;
  bool lineMode_ = false;
  ReplyBuffer reply_;
  HandshakeWatchdog watchdog_;
  double readRaRad_ = 0;
  double gotoDecRad_ = 0;
};

}  // namespace celvaro

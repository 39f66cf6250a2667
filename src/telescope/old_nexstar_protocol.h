// MountType 1: the protocol of the first Nexstar hand controllers. Replies
// are single bytes ('#', '@') or 4-byte records; positions travel as 16-bit
// turn fractions, most significant byte first.
//
// The type has no connect routine, so no routine of it reports the link and
// the controller refuses its commands; the goto below is what it does once
// a link exists.
#pragma once

#include <array>

#include "telescope/mount_protocol_base.h"
#include "telescope/reply_buffer.h"

namespace celvaro {

class OldNexstarProtocol : public MountProtocolBase {
 public:
  explicit OldNexstarProtocol(const ProtocolContext& context);

  int connect() override { return kKeepLink; }
  int command(const uint8_t* payload, int length, const SharedTelescopeValues& shared) override;
  int tick() override { return kKeepLink; }

 private:
  enum class State { kIdle, kGotoAsked, kGotoSent };
  static constexpr int kRecordLength = 5;  // the mark '!' and four bytes

  int receiveByte(uint8_t byte) override;
  void gotoTarget(double raRad, double decRad);
  void onReply();
  void positionRecord();
  void finish(int code);

  State state_ = State::kIdle;
  ReplyBuffer reply_;
  bool inRecord_ = false;
  std::array<uint8_t, 5> gotoCommand_{};
};

}  // namespace celvaro

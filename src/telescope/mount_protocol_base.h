// What every mount protocol holds: the port to write to, the listener to
// report to and the clock; received bytes are taken one at a time.
#pragma once

#include <cstdint>

#include "astro/apparent_place.h"
#include "model/clock_listener.h"
#include "telescope/mount_protocol.h"
#include "telescope/telescope_command_codes.h"
#include "telescope/telescope_listener.h"

namespace celvaro {

// Whether a command payload carries all the arguments of its code; a short
// one is ignored rather than read past its end.
inline bool commandComplete(const uint8_t* payload, int length) {
  if (length < 1) return false;
  switch (payload[0]) {
    case kCmdMoveFast:
    case kCmdMoveSlow: return length >= 3;
    case kCmdMoveAtRate:
    case kCmdSpiralSearch: return length >= 4;
    case kCmdStop:
    case kCmdDeleteReference:
    case kCmdEastWestSwap:
    case kCmdTracking:
    case kCmdGuideMove: return length >= 2;
    case kCmdDslrStart: return length >= 7;
    default: return true;
  }
}

class MountProtocolBase : public iMountProtocol {
 public:
  // Hands the bytes on one at a time; once a byte asks to close the port
  // the rest are not looked at.
  int receive(const uint8_t* bytes, int count) final {
    int result = kKeepLink;
    for (int i = 0; i < count && result != kClosePort; ++i) {
      const int byteResult = receiveByte(bytes[i]);
      if (byteResult > result) result = byteResult;
    }
    return result;
  }

 protected:
  explicit MountProtocolBase(const ProtocolContext& context)
      : sender_(context.sender), listener_(context.listener), clock_(context.clock), now_(context.now) {}

  virtual int receiveByte(uint8_t byte) = 0;

  iTelescopeBasicCommandSender& sender() { return sender_; }
  TelescopeListener& listener() { return listener_; }
  const iSiderealTime& clock() const { return clock_; }
  ProtocolContext::SteadyTime now() const { return now_(); }
  void report(int code) { listener_.onLinkStatus(code); }
  // Mounts work in the apparent place of the clock's date, the chart in
  // J2000: a target is carried to the date, a position read back to J2000.
  EquatorialPosition ofDate(double raRad, double decRad) const {
    return ApparentPlace(clock_.julianDate()).apparentOf(raRad, decRad);
  }
  EquatorialPosition j2000Of(double raRad, double decRad) const {
    return ApparentPlace(clock_.julianDate()).j2000Of(raRad, decRad);
  }

 private:
  iTelescopeBasicCommandSender& sender_;
  TelescopeListener& listener_;
  const iSiderealTime& clock_;
  const std::function<ProtocolContext::SteadyTime()> now_;
};

// The countdown in heartbeats within which a handshake must finish.
class HandshakeWatchdog {
 public:
  void start(int heartbeats) { left_ = heartbeats; }
  void stop() { left_ = 0; }
  // Counts one heartbeat: true on the heartbeat that runs it out.
  bool runsOut() { return left_ > 0 && --left_ == 0; }

 private:
  int left_ = 0;
};

}  // namespace celvaro

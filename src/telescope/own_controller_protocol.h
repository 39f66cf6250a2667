// MountType 6: Celvaro's own telescope controller. Only its connect routine
// exists so far: it opens the handshake, which must finish within the
// watchdog's heartbeats; nothing completes it yet, so it never links.
#pragma once

#include "telescope/mount_protocol_base.h"

namespace celvaro {

class OwnControllerProtocol : public MountProtocolBase {
 public:
  explicit OwnControllerProtocol(const ProtocolContext& context);

  int connect() override;
  int command(const uint8_t* /*payload*/, int /*length*/, const SharedTelescopeValues& /*shared*/) override {
    return kKeepLink;
  }
  // Reports 4 and closes the port when the watchdog runs out.
  int tick() override;

 private:
  int receiveByte(uint8_t /*byte*/) override { return kKeepLink; }

  HandshakeWatchdog watchdog_;
};

}  // namespace celvaro

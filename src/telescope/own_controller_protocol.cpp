#include "telescope/own_controller_protocol.h"

#include "telescope/basic_command_sender.h"
#include "telescope/link_status_codes.h"

namespace celvaro {
namespace {

constexpr int kWatchdogHeartbeats = 4;
// Command 0xAA (handshake) with parameter 0, in the 3-byte form.
constexpr uint8_t kFirstHandshakeCommand[3] = {0xAA, 0, 0};

}  // namespace

OwnControllerProtocol::OwnControllerProtocol(const ProtocolContext& context) : MountProtocolBase(context) {}

int OwnControllerProtocol::connect() {
  watchdog_.start(kWatchdogHeartbeats);
  sender().sendBytes(kFirstHandshakeCommand, sizeof kFirstHandshakeCommand);
  return kKeepLink;
}

int OwnControllerProtocol::tick() {
  if (!watchdog_.runsOut()) return kKeepLink;
  report(kStatusHandshakeTimedOut);
  return kClosePort;
}

}  // namespace celvaro

// The link status codes the controller and the mount protocols report
// through onLinkStatus; the link-established code of each type is
// linkEstablishedCode(type).
#pragma once

namespace celvaro {

enum LinkStatusCode : int {
  kStatusPortOpenFailed = 2,
  kStatusAlreadyConnected = 3,   // a connect while the link is up
  kStatusHandshakeTimedOut = 4,  // the port is closed; also told when the mount vanished
  kStatusNoLink = 7,             // a command without a link
  kStatusImplausibleCounts = 5,  // counts per revolution out of range; the port is closed
  kStatusErrorReply = 6,         // an error reply or one that does not parse
  kStatusNotAligned = 8,         // no reference point for a position-dependent command
  kStatusConnecting = 10,        // the port is open, the handshake about to run
  kStatusFinished = 11,          // goto reached, motion stopped, slew started, position read
  kStatusFastMotion = 12,
  kStatusSlowMotion = 13,
  kStatusGotoStarted = 14,
  kStatusReferenceStored = 16,  // a reference point stored, or the mount synchronised
  kStatusTooHigh = 18,  // target above 80 degrees altitude
  kStatusBelowHorizon = 19,
  kStatusSwitchedOff = 20,  // the telescope panels switch everything off
  kStatusParkStarted = 21,  // the slew to the park position started
  kStatusParked = 22,       // park position reached, or set
  kStatusSpiralStarted = 23,
  kStatusSpiralFinished = 24,
  kStatusSlewRefused = 26,  // the mount refused a slew; its own text follows as a mount message
  kStatusSlewTimedOut = 27,  // a slew the mount did not end in five minutes is given up
  kStatusSlewOffTarget = 28,  // the mount ended a slew, sent twice, away from its target
  kStatusDeviceDisconnected = 29,  // the INDI driver disconnected the mount; the link is closed
};

}  // namespace celvaro

// The link status codes the mount protocols report through onLinkStatus;
// the link-established code of each type is linkEstablishedCode(type).
#pragma once

namespace celvaro {

enum LinkStatusCode : int {
  kStatusHandshakeTimedOut = 4,  // the port is closed
  kStatusImplausibleCounts = 5,  // counts per revolution out of range; the port is closed
  kStatusErrorReply = 6,         // an error reply or one that does not parse
  kStatusNotAligned = 8,         // no reference point for a position-dependent command
  kStatusFinished = 11,          // goto reached, motion stopped, slew started, position read
  kStatusFastMotion = 12,
  kStatusSlowMotion = 13,
  kStatusGotoStarted = 14,
  kStatusReferenceStored = 16,
  kStatusTooHigh = 18,  // target above 80 degrees altitude
  kStatusBelowHorizon = 19,
};

}  // namespace celvaro

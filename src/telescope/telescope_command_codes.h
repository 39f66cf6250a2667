// The command codes of the controller's command frames (payload byte 0),
// shared by the controller, which writes and dispatches them, and the mount
// protocols, which act on them.
#pragma once

#include <cstdint>

namespace celvaro {

enum TelescopeCommandCode : uint8_t {
  kCmdConnect = 3,            // mount type, port
  kCmdDisconnect = 4,
  kCmdReinitialise = 5,       // rerun the handshake
  kCmdMoveFast = 6,           // direction, rate
  kCmdMoveSlow = 7,           // direction, rate
  kCmdMoveAtRate = 8,         // direction, 16-bit rate low byte first
  kCmdStop = 9,               // direction
  kCmdSetReference = 10,      // the reference values handed over
  kCmdDeleteReference = 11,   // index
  kCmdEastWestSwap = 12,      // value
  kCmdGoto = 13,              // the goto target handed over
  kCmdTracking = 14,          // mode
  kCmdReadPosition = 15,
  kCmdSetPark = 16,
  kCmdGotoPark = 17,
  kCmdSpiralSearch = 18,      // step in arcminutes, turns, speed index
  kCmdDslrStart = 19,         // frames, exposure and pause seconds as 16-bit values
  kCmdDslrStop = 20,
  kCmd21 = 21,                // a byte and a 16-bit value; no protocol acts on it
  kCmdGuideMove = 22,         // direction
  kCmd23 = 23,                // a byte; no protocol acts on it
  kCmdOpenGuiderPort = 24,    // port
  kCmdCloseGuiderPort = 25,
  // Written by the port readers when a port vanishes (hang-up, EIO, end of
  // file): the command thread closes it and tells the user.
  kCmdMountPortLost = 26,
  kCmdGuiderPortLost = 27,
  // Written when a mount heard by other means than the port (INDI) has
  // reports waiting.
  kCmdMountEvents = 28,
  // The observing place changed: the place handed over.
  kCmdObservingPlace = 29,
};

}  // namespace celvaro

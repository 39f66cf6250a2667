// The mount types: their names as the user sees them and what the control
// panel offers for each.
#pragma once

namespace celvaro {

enum MountType : int {
  kMountNone = 0,
  kMountOldNexstar = 1,
  kMountNexstar2 = 2,
  kMountNexstar = 3,
  kMountMotorEquatorial = 4,
  kMountMotorAltAz = 5,
  kMountOwnController = 6,
  kMountLx200 = 7,
  kMountIndi = 8,  // any mount an INDI server drives
  kMountTypeCount = 9,
};

// "-", "Old Nexstar protocol", ... "Meade LX200", "INDI"; "-" outside 0..8.
const char* mountTypeName(int type);

// Control-panel capability bits: 1 stop and direction buttons, 8 tracking,
// 16 spiral search, 32 park; any bit also offers "Get pos" and "Goto".
enum MountCapability : int { kCanMove = 1, kCanTrack = 8, kCanSpiral = 16, kCanPark = 32 };
// INDI's depend on its device: those the controller reports once the link is up.
int mountCapabilities(int type);

// The link-status code a protocol reports once its link is up.
constexpr int linkEstablishedCode(int type) { return 100 + 65536 * type; }

// The types that act on an autoguider's corrections: the Nexstar, the
// equatorial motor controller and an INDI mount (as timed guide pulses).
constexpr bool takesGuideCorrections(int type) {
  return type == kMountNexstar || type == kMountMotorEquatorial || type == kMountIndi;
}

}  // namespace celvaro

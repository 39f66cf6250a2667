#include "telescope/mount_types.h"

namespace celvaro {
namespace {

constexpr const char* kNames[kMountTypeCount] = {"-",
                                                 "Old Nexstar protocol",
                                                 "Nexstar-2",
                                                 "Medium Nexstar telescopes (eg. Nexstar 4 GT)",
                                                 "Skywatcher HEQ5, EQ6 direct",
                                                 "Skywatcher Autotrack direct",
                                                 "Celvaro telescope controller",
                                                 "Meade LX200",
                                                 "INDI"};
// Only what each type's protocol acts on: the own controller (6) acts on no
// command yet; LX200 (7) moves, stops, slews and reads, but neither tracks
// nor parks. INDI (8) offers what its device defines, every button until the
// link tells.
constexpr int kCapabilities[kMountTypeCount] = {0, 0, 0, 0x09, 0xBB, 0x1B, 0, kCanMove,
                                                kCanMove | kCanTrack | kCanPark};

bool known(int type) { return type >= 0 && type < kMountTypeCount; }

}  // namespace

const char* mountTypeName(int type) { return known(type) ? kNames[type] : kNames[0]; }

int mountCapabilities(int type) { return known(type) ? kCapabilities[type] : 0; }

}  // namespace celvaro

// The Stellarium star files (stars_N_*.cat), decoded with their positions.
//
// Little-endian. A header of eight 32-bit values: magic 0x835f040a, record
// type (0: 28-byte records with Hipparcos numbers, 1: 10-byte records),
// two version values, the level L of the zones, the magnitude minimum and
// range (thousandths) and the number of magnitude steps; then one star
// count per zone (20 4^L zones); then the records zone by zone.
//
// The zones are the triangles of an icosahedron divided L times, each into
// four. A star's position is given in the plane of its zone: the unit
// vector is n(c + x0 a0 + x1 a1), with c the zone centre, a0 = n(north x c)
// and a1 = c x a0 scaled by s / the largest coordinate value of the record
// type (2^31 - 1 or 2^19 - 1), s being the largest extent of any zone of
// the file's level in that plane. Positions are for J2000.0; proper motions
// are not applied.
//
//   type 0: bytes 0-2 Hipparcos number, 3 component, 4-7 x0, 8-11 x1 (int32),
//           12 colour, 13 magnitude step
//   type 1: an 80-bit field: x0 bits 0-19, x1 20-39 (signed), motions 40-67,
//           colour 68-74, magnitude step 75-79
//
// Magnitude = (minimum + step range / steps) / 1000; B-V = colour 4 / 127 - 0.5.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace celvaro {

struct ZonedStarFile {
  uint32_t type = 0;
  uint32_t level = 0;
  double magMin = 0, magRange = 0, magSteps = 1;  // thousandths of a magnitude
};

// A magnitude step of a file's records as a visual magnitude.
double zonedMagnitude(const ZonedStarFile& file, uint32_t step);

// Calls `onRecord` with each record of a star file, its zone and the
// file's header; false, with a message on stderr, when the file is missing
// or malformed.
bool forEachZonedStarRecord(const std::string& path,
                            const std::function<void(const ZonedStarFile&, uint32_t zone, const uint8_t*)>& onRecord);

struct ZonedStar {
  int32_t hip;  // 0 when none
  uint8_t component;  // of a Hipparcos system: 1 A, 2 B... (the files' list), 0 none
  double magnitude;
  double bv;
  double raDeg, decDeg;
};

// Every star of the files, in file order.
bool readZonedStars(const std::vector<std::string>& paths, std::vector<ZonedStar>& stars);

}  // namespace celvaro

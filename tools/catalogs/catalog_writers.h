// Writers of the program's catalog file formats, shared by the catalog
// builder and the tests. Each returns the complete file as bytes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "catalog/sky_regions.h"
#include "catalog/star_data_simple.h"
#include "catalog/star_labels.h"

namespace celvaro {

// A double as its eight little-endian bytes.
void appendDouble(std::string& out, double v);
// An eight-character magic and a little-endian 32-bit version.
void appendMagic(std::string& out, const char* magic, uint32_t version);

// Region records of the regional catalogs (sky_regions.h).
std::string skyRegionBytes(const std::vector<SkyRegion>& regions);

// --- CLV_STD1 main star catalog --------------------------------------------

struct CatalogStar {
  int32_t hip = 0;
  int16_t magnitude = 0;  // hundredths
  double raRad = 0, decRad = 0;
  uint8_t colourClass = 0;
};

struct StarCatalogContents {
  std::vector<StarDataSimple::Zone> zones;
  std::vector<CatalogStar> stars;  // in zone order
};

std::string starCatalogBytes(const StarCatalogContents& contents);

// Sorts stars into zones: each zone holds the stars up to its edge
// (hundredths, ascending) and above the previous edge, stars beyond the
// last edge join the last zone; the zone magnitude is its edge. Empty
// zones are left out.
StarCatalogContents zonedStarCatalog(std::vector<CatalogStar> stars, const std::vector<int32_t>& zoneEdges);

// Sorts stars into zones that span at most 2 maxOffset hundredths, each
// begun by the brightest star not yet in a zone, its magnitude the middle
// of its stars' range: no star is drawn more than maxOffset from its own
// magnitude, and a limit cuts within maxOffset. Sparse bright stars get
// zones of their own, so few zones are needed.
StarCatalogContents closelyZonedStarCatalog(std::vector<CatalogStar> stars, int32_t maxOffset);

// --- CLV_STLS star labels -----------------------------------------------------

// A label record; its name offset is set by the writer.
struct LabelEntry {
  StarLabelRecord record;
  std::string name;  // empty: none
};

std::string starLabelsBytes(const std::vector<LabelEntry>& labels);

// --- CLV_SPMO star motions --------------------------------------------------------

struct StoredMotion {
  int32_t raHundredthsMas = 0, decHundredthsMas = 0;  // a year; along the parallel and the meridian
  int32_t parallaxHundredthsMas = 0;                  // 0 unknown
};
// A fast star (ProperMotions::isFastMotion) at its J2000 place.
struct FastStarEntry {
  int32_t hip, raMas, decMas;
};
// One entry for each Hipparcos number from 0, then the fast stars.
std::string starMotionBytes(const std::vector<StoredMotion>& byNumber, const std::vector<FastStarEntry>& fast);

// --- CLV_SMRK marks of fast stars ----------------------------------------------

// The links of one kind of mark (MarkLinks::Kind): the record count of its
// file and each linked record with its star's number and J2000 declination.
struct MarkLinkEntry {
  uint32_t record;
  int32_t hipparcos, starDecMas;
};
struct MarkKindEntry {
  uint32_t recordCount = 0;
  std::vector<MarkLinkEntry> links;
};
std::string markLinkBytes(const std::vector<MarkKindEntry>& kinds);

// --- CLV_SIDX star information -------------------------------------------------

struct InfoValue {
  uint8_t field;
  uint8_t type;  // StarInfoValueType
  int32_t number = 0;
  std::string text;  // for the text type
};

// One information record as stored, its words then its text bytes, with
// its packed size: bits 0-7 items, 8-15 words, 16-31 text bytes.
struct InfoRecordBytes {
  std::string bytes;
  uint32_t packedSize;
};
InfoRecordBytes infoRecordBytes(const std::vector<InfoValue>& values);

// Entries 0 .. entryCount - 1; numbers without values get an empty record.
std::string starInfoBytes(const std::map<int32_t, std::vector<InfoValue>>& records, int32_t entryCount);

// --- polyline files ---------------------------------------------------------------

struct PolylinePoint {
  uint8_t pen;  // 0 starts a polyline
  double raRad, decRad;
};

std::string polylineBytes(const std::vector<PolylinePoint>& points);

}  // namespace celvaro

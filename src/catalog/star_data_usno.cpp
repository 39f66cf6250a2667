#include "catalog/star_data_usno.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>

#include "catalog/catalog_header.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerDeg = kPi / 180;
constexpr double kUnitsPerDeg = 360000;  // hundredths of an arcsecond
constexpr int64_t kChunkRecords = 4096;
constexpr int kCells = StarDataUSNO::kZones * StarDataUSNO::kCellsPerZone;

int32_t loadBigEndian(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
                              static_cast<uint32_t>(p[2]) << 8 | p[3]);
}

// Offers one record; the magnitude values 1 and 1000000001 are skipped.
void offerRecord(LargeStarData::Collector& stars, const uint8_t* record) {
  const int64_t magnitudes = std::llabs(static_cast<int64_t>(loadBigEndian(record + 8)));
  if (magnitudes == 1 || magnitudes == 1000000001) return;
  const double raDeg = static_cast<uint32_t>(loadBigEndian(record)) / kUnitsPerDeg;
  const double decDeg = static_cast<uint32_t>(loadBigEndian(record + 4)) / kUnitsPerDeg - 90;
  stars.offer(raDeg * kRadPerDeg, decDeg * kRadPerDeg, static_cast<int32_t>(magnitudes % 1000) * 10, 0, 0);
}

}  // namespace

StarDataUSNO::StarDataUSNO(StarBuffer& buffer) : LargeStarData(buffer), cellEnds_(kCells, 0) {
  for (int zone = 0; zone < kZones; ++zone) {
    for (int cell = 0; cell < kCellsPerZone; ++cell) {
      cells_.push_back({0, 0, cell * kPi / 48, (cell + 1) * kPi / 48, -kPi / 2 + zone * kPi / 24,
                        -kPi / 2 + (zone + 1) * kPi / 24});
    }
  }
}

int StarDataUSNO::open(const std::string& relativePath) {
  std::map<std::string, std::string> keys;
  if (!readCatalogHeader(resolveDataPath(directory_, relativePath), keys)) return 4;
  zoneDirectory_ = catalogDirectory(directory_, keys["usnodir"], kDefaultDirectory);
  return !zoneDirectory_.empty() && readCellIndex() ? 0 : 4;
}

bool StarDataUSNO::readCellIndex() {
  std::fill(cellEnds_.begin(), cellEnds_.end(), 0);
  BinaryFile file(resolveDataPath(directory_, kCellIndexPath));
  if (!file.isOpen()) return false;
  std::vector<uint8_t> bytes;
  readRecords(file, 0, kCells, 4, bytes);
  for (size_t cell = 0; cell < bytes.size() / 4; ++cell) cellEnds_[cell] = loadU32(&bytes[4 * cell]);
  return true;
}

// The cells are tested like the other catalogs' regions, against the chart
// widened by 60 arcminutes.
void StarDataUSNO::draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                        const OutputArea& area, int32_t limitHundredths, bool) {
  buffer_.reset();
  const std::vector<bool> visible = visibleRegions(cells_, area, transformer);
  Collector stars = collector(output, transformer, limitHundredths);
  for (int zone = 0; zone < kZones; ++zone) collectZone(stars, zone, visible);
  drawBuffer(output, settings);
}

void StarDataUSNO::collectZone(Collector& stars, int zone, const std::vector<bool>& visible) {
  const auto first = visible.begin() + zone * kCellsPerZone;
  if (std::find(first, first + kCellsPerZone, true) == first + kCellsPerZone) return;
  char name[32];
  std::snprintf(name, sizeof name, "/zone%04d.cat", zone * 75);
  BinaryFile file(zoneDirectory_ + name);
  if (!file.isOpen()) return;
  for (int cell = zone * kCellsPerZone; cell < (zone + 1) * kCellsPerZone; ++cell) {
    if (visible[cell]) collectCell(stars, file, cell);
  }
}

// A cell's records run from the end of the zone's previous cell (0 for its
// first) to its own end, and are read in chunks.
void StarDataUSNO::collectCell(Collector& stars, BinaryFile& file, int cell) {
  const int64_t start = cell % kCellsPerZone == 0 ? 0 : cellEnds_[cell - 1];
  const int64_t end = cellEnds_[cell];
  for (int64_t at = start; at < end; at += kChunkRecords) {
    if (!readRecords(file, static_cast<uint64_t>(at) * kRecordBytes, std::min(kChunkRecords, end - at), kRecordBytes,
                     chunk_)) {
      return;
    }
    for (size_t i = 0; i < chunk_.size(); i += kRecordBytes) offerRecord(stars, &chunk_[i]);
  }
}

}  // namespace celvaro

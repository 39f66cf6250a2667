#include "catalog/star_data_gsc.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>

#include "catalog/catalog_header.h"
#include "model/chart_settings.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr int32_t kFieldWideningArcmin = 120;

void offerStar(LargeStarData::Collector& stars, const gsc::Star& star) {
  stars.offer(star.raDeg * kRadPerDeg, star.decDeg * kRadPerDeg, star.magHundredths, 0, 0);
}

}  // namespace

int StarDataGsc::open(const std::string& relativePath) {
  std::map<std::string, std::string> keys;
  packedRegions_.clear();
  if (!readCatalogHeader(resolveDataPath(directory_, relativePath), keys)) return 4;
  regionDirectory_ = catalogDirectory(directory_, keys["gscdir"], kDefaultDirectory);
  if (regionDirectory_.empty() || !readRegionTable()) return 4;
  const std::string index = regionDirectory_ + "/" + kPackedIndexName;
  packed_ = BinaryFile(index).isOpen();
  if (packed_) readPackedIndex(index);
  return 0;
}

bool StarDataGsc::readRegionTable() {
  BinaryFile file(resolveDataPath(directory_, kRegionTablePath));
  std::vector<uint8_t> bytes;
  if (!file.readInto(bytes, 2 * gsc::kRegions * sizeof(double))) return false;
  loadColumn(bytes.data(), gsc::kRegions, centreRa_);
  loadColumn(bytes.data() + gsc::kRegions * sizeof(double), gsc::kRegions, centreDec_);
  return true;
}

// The regions past the end of a short index hold nothing.
void StarDataGsc::readPackedIndex(const std::string& path) {
  BinaryFile file(path);
  std::vector<uint8_t> bytes;
  readRecords(file, gsc::kIndexHeaderBytes, gsc::kRegions, gsc::kIndexRecordBytes, bytes);
  packedRegions_.resize(bytes.size() / gsc::kIndexRecordBytes);
  for (size_t r = 0; r < packedRegions_.size(); ++r) {
    if (!gsc::decodeIndexRecord(&bytes[r * gsc::kIndexRecordBytes], packedRegions_[r])) packedRegions_[r] = {};
  }
}

// A region is read when its centre lies within the field of view plus two
// degrees of the chart centre: its depth, the cosine of that distance, is
// above the cosine of the widened field.
void StarDataGsc::draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                       const OutputArea&, int32_t limitHundredths, bool) {
  buffer_.reset();
  if (centreRa_.empty()) return;
  const double reach = (settings.fieldArcmin + kFieldWideningArcmin) / 60.0 * kRadPerDeg;
  const double minDepth = reach >= std::numbers::pi ? -2 : std::cos(reach);
  workX_.resize(gsc::kRegions), workY_.resize(gsc::kRegions), workDepth_.resize(gsc::kRegions);
  transformer.projectMany(centreRa_.data(), centreDec_.data(), 0, gsc::kRegions, workX_.data(), workY_.data(),
                          workDepth_.data());
  Collector stars = collector(output, transformer, limitHundredths);
  for (int region = 0; region < gsc::kRegions; ++region) {
    if (workDepth_[region] <= minDepth) continue;
    if (packed_) collectPackedRegion(stars, region);
    else collectRegionFile(stars, region);
  }
  drawBuffer(output, settings);
}

void StarDataGsc::collectRegionFile(Collector& stars, int region) {
  char name[32];
  std::snprintf(name, sizeof name, "/%s/%04d.gsc", gsc::zoneName(gsc::zoneOfRegion(region + 1)), region + 1);
  BinaryFile file(regionDirectory_ + name);
  char head[gsc::kMaxHeaderBytes];
  if (!file.read(head, 3)) return;
  const int length = gsc::headerLength(std::string_view(head, 3));
  int32_t count = 0;
  gsc::RegionScales scales;
  if (length < 3 || !file.read(head + 3, static_cast<size_t>(length - 3)) ||
      !gsc::parseRegionHeader(std::string_view(head, static_cast<size_t>(length)), count, scales)) {
    return;
  }
  std::vector<uint8_t> bytes;
  readRecords(file, static_cast<uint64_t>(length), count, gsc::kRegionRecordBytes, bytes);
  gsc::Star star;
  for (size_t at = 0; at < bytes.size(); at += gsc::kRegionRecordBytes) {
    if (gsc::decodeRegionRecord(&bytes[at], scales, star)) offerStar(stars, star);
  }
}

void StarDataGsc::collectPackedRegion(Collector& stars, int region) {
  if (region >= static_cast<int>(packedRegions_.size()) || packedRegions_[region].zone < 0) return;
  const gsc::PackedRegion& r = packedRegions_[region];
  BinaryFile file(regionDirectory_ + "/" + gsc::zoneName(r.zone) + ".dat");
  std::vector<uint8_t> bytes;
  const uint64_t offset = gsc::kZoneHeaderBytes + static_cast<uint64_t>(r.first) * gsc::kZoneRecordBytes;
  readRecords(file, offset, r.count, gsc::kZoneRecordBytes, bytes);
  for (size_t at = 0; at < bytes.size(); at += gsc::kZoneRecordBytes) {
    offerStar(stars, gsc::decodeZoneRecord(&bytes[at], r.scales));
  }
}

}  // namespace celvaro

#include "double_variable_writers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

// A record's own fields, before its information offset and size.
struct RecordParts {
  std::string fields;
  const std::vector<InfoValue>* info;
};

std::string catalogBytes(const char* magic, int version, bool regional, size_t recordBytes,
                         const std::vector<SkyRegion>& regions, const std::vector<RecordParts>& records) {
  std::string body, area;
  uint32_t maxItems = 0, maxWords = 0, maxText = 0;
  for (const RecordParts& r : records) {
    std::string record = r.fields;
    if (regional) {
      const InfoRecordBytes info = infoRecordBytes(*r.info);
      appendU32(record, static_cast<uint32_t>(area.size()));
      appendU32(record, info.packedSize);
      area += info.bytes;
      maxItems = std::max(maxItems, info.packedSize & 0xFF);
      maxWords = std::max(maxWords, (info.packedSize >> 8) & 0xFF);
      maxText = std::max(maxText, info.packedSize >> 16);
    }
    record.resize(recordBytes, '\0');
    body += record;
  }
  std::string out(magic, 8);
  for (uint32_t value : {static_cast<uint32_t>(version), static_cast<uint32_t>(regional ? regions.size() : 0),
                         static_cast<uint32_t>(records.size()), static_cast<uint32_t>(recordBytes), maxItems,
                         maxWords, maxText}) {
    appendU32(out, value);
  }
  return out + (regional ? skyRegionBytes(regions) : "") + body + area;
}

std::string doubleFields(int version, const DoubleStarEntry& e) {
  std::string out;
  appendDouble(out, e.raRad);
  appendDouble(out, e.decRad);
  std::string designation = e.designation.substr(0, 7);
  designation.resize(8, '\0');
  out += designation;
  appendU32(out, static_cast<uint32_t>(e.primary));
  if (version == 4) {
    appendU32(out, static_cast<uint32_t>(e.companion));
    appendU32(out, static_cast<uint32_t>(e.separation));
  }
  return out;
}

std::string variableFields(const VariableStarEntry& e) {
  std::string out;
  appendDouble(out, e.raRad);
  appendDouble(out, e.decRad);
  appendU16(out, static_cast<uint16_t>(e.faintest));
  appendU16(out, static_cast<uint16_t>(e.brightest));
  appendU32(out, static_cast<uint32_t>(e.period));
  out += static_cast<char>(e.typeFlags);
  out += static_cast<char>(e.constellation);
  appendU16(out, static_cast<uint16_t>(e.code));
  return out;
}

constexpr int kBands = 9;

int sectorsOfBand(int band) {
  const double middle = (band + 0.5) * kPi / kBands - kPi / 2;
  return std::max(4, static_cast<int>(std::lround(16 * std::cos(middle))));
}

}  // namespace

std::string doubleStarCatalogBytes(int version, const std::vector<SkyRegion>& regions,
                                   const std::vector<DoubleStarEntry>& records) {
  std::vector<RecordParts> parts;
  for (const DoubleStarEntry& e : records) parts.push_back({doubleFields(version, e), &e.info});
  return catalogBytes("CLV_WDSC", version, version == 4, version == 4 ? 48 : 40, regions, parts);
}

std::string variableStarCatalogBytes(int version, const std::vector<SkyRegion>& regions,
                                     const std::vector<VariableStarEntry>& records) {
  std::vector<RecordParts> parts;
  for (const VariableStarEntry& e : records) parts.push_back({variableFields(e), &e.info});
  return catalogBytes("CLV_GCVS", version, version == 5, version == 5 ? 40 : 32, regions, parts);
}

SkyRegionLayout skyRegionLayout(const std::vector<RegionPoint>& points) {
  SkyRegionLayout layout;
  std::vector<int> firstOfBand;
  for (int band = 0; band < kBands; ++band) {
    firstOfBand.push_back(static_cast<int>(layout.regions.size()));
    const int sectors = sectorsOfBand(band);
    for (int s = 0; s < sectors; ++s) {
      layout.regions.push_back({0, 0, 2 * kPi * s / sectors, 2 * kPi * (s + 1) / sectors,
                                band * kPi / kBands - kPi / 2, (band + 1) * kPi / kBands - kPi / 2});
    }
  }
  auto regionOf = [&](const RegionPoint& p) {
    const int band = std::clamp(static_cast<int>((p.decRad + kPi / 2) / (kPi / kBands)), 0, kBands - 1);
    const int sectors = sectorsOfBand(band);
    const double ra = std::fmod(std::fmod(p.raRad, 2 * kPi) + 2 * kPi, 2 * kPi);
    return firstOfBand[band] + std::clamp(static_cast<int>(ra / (2 * kPi / sectors)), 0, sectors - 1);
  };
  std::vector<int> region(points.size());
  for (size_t i = 0; i < points.size(); ++i) region[i] = regionOf(points[i]);
  layout.order.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) layout.order[i] = i;
  std::stable_sort(layout.order.begin(), layout.order.end(), [&](size_t a, size_t b) {
    return region[a] != region[b] ? region[a] < region[b] : points[a].magnitude < points[b].magnitude;
  });
  for (size_t at = 0; at < layout.order.size(); ++at) {
    SkyRegion& r = layout.regions[region[layout.order[at]]];
    if (r.count++ == 0) r.first = static_cast<int32_t>(at);
  }
  // Empty regions start where the next run would.
  int32_t next = static_cast<int32_t>(points.size());
  for (auto r = layout.regions.rbegin(); r != layout.regions.rend(); ++r) {
    if (r->count == 0) r->first = next;
    next = r->first;
  }
  return layout;
}

}  // namespace celvaro

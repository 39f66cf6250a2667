#include "large_catalog_writers.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "catalog_writers.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

void appendBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

}  // namespace

std::string gscRecord(uint32_t ra, uint32_t dec, uint32_t magnitude, uint8_t flags) {
  uint8_t r[12] = {};
  const uint32_t raBits = ra << 3;  // bits 3-24 of bytes 1-4
  r[1] = static_cast<uint8_t>((raBits >> 24) & 1);
  r[2] = static_cast<uint8_t>(raBits >> 16);
  r[3] = static_cast<uint8_t>(raBits >> 8);
  r[4] = static_cast<uint8_t>(raBits | (dec >> 16 & 7));
  r[5] = static_cast<uint8_t>(dec >> 8);
  r[6] = static_cast<uint8_t>(dec);
  r[9] = static_cast<uint8_t>(magnitude >> 3);
  r[10] = static_cast<uint8_t>((magnitude & 7) << 5);
  r[11] = flags;
  return std::string(reinterpret_cast<char*>(r), sizeof r);
}

std::string gscRegionFile(int region, int32_t recordCount, double raOffset, double decOffset,
                          const std::vector<std::string>& records, double scale) {
  char header[65];
  std::snprintf(header, sizeof header, "064 2 %04d %5d %.5f 0 %.5f 0 0 %.0f %.0f 0 100", region, recordCount,
                raOffset, decOffset, scale, scale);
  std::string text(header);
  text.resize(64, ' ');
  for (const std::string& r : records) text += r;
  return text;
}

std::string gscZoneRecord(uint32_t ra, uint32_t dec, uint32_t magnitude) {
  std::string out;
  appendU32(out, (dec & 0x7FFFF) | (magnitude & 0x7FF) << 19);
  appendU32(out, ra & 0x3FFFFF);
  out += '\0';
  return out;
}

std::string gscPackedIndex(const std::vector<PackedIndexEntry>& entries, int records) {
  std::string out = "CLV_GIDX";
  appendU32(out, 1);
  appendU32(out, static_cast<uint32_t>(records));
  for (int r = 0; r < records; ++r) {
    PackedIndexEntry e{0, 0, 0, 0, 0};
    if (r < static_cast<int>(entries.size())) e = entries[r];
    appendU32(out, static_cast<uint32_t>(e.zone));
    appendU32(out, static_cast<uint32_t>(e.first));
    appendU32(out, static_cast<uint32_t>(e.count));
    appendU32(out, 0);
    for (double v : {e.raOffset, 0.0, e.decOffset, 0.0, 0.0, 100000.0, 100000.0, 0.0, 100.0}) appendDouble(out, v);
  }
  return out;
}

std::string gscRegionTable(const std::vector<std::pair<double, double>>& centresDeg) {
  std::string out;
  for (int coordinate = 0; coordinate < 2; ++coordinate) {
    for (int r = 0; r < 9537; ++r) {
      const auto centre = r < static_cast<int>(centresDeg.size()) ? centresDeg[r] : std::pair{180.0, -60.0};
      appendDouble(out, (coordinate == 0 ? centre.first : centre.second) * kRadPerDeg);
    }
  }
  return out;
}

std::string usnoRecord(double raDeg, double decDeg, int32_t magnitudes) {
  std::string out;
  appendBigEndian(out, static_cast<uint32_t>(std::lround(raDeg * 360000)));
  appendBigEndian(out, static_cast<uint32_t>(std::lround((decDeg + 90) * 360000)));
  appendBigEndian(out, static_cast<uint32_t>(magnitudes));
  return out;
}

std::string usnoCellIndex(const std::vector<uint32_t>& cellCounts) {
  std::string out;
  uint32_t end = 0;
  for (size_t cell = 0; cell < 24 * 96; ++cell) {
    if (cell % 96 == 0) end = 0;
    end += cell < cellCounts.size() ? cellCounts[cell] : 0;
    appendU32(out, end);
  }
  return out;
}

}  // namespace celvaro

// What the large star catalog tests share: the files of the Guide Star
// Catalog and of USNO-A2.0 written in their published layouts, an output
// that writes down each star it draws, and a chart on a chosen centre.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "app/chart_settings.h"
#include "app/output_area.h"
#include "catalog/star_buffer.h"
#include "catalog_writers.h"
#include "output/counting_output.h"
#include "platform/binary_file.h"
#include "projection/transformer_orthographic.h"
#include "test_files.h"

namespace celvaro::testing {

constexpr double kDeg = std::numbers::pi / 180;

// --- GSC -----------------------------------------------------------------

// One compressed region record: right ascension (22 bits), declination
// (19 bits) and magnitude value (11 bits) in their bit places, and the
// flags of byte 11.
inline std::string gscRecord(uint32_t ra, uint32_t dec, uint32_t magnitude, uint8_t flags = 0) {
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

// A region file: the text header (length, version, region, record count,
// then the nine values: right-ascension offset, 0, declination offset, 0,
// magnitude offset, the three scales with a 0 before the magnitude scale)
// padded to 64 bytes, then the records.
inline std::string gscRegionFile(int region, int32_t recordCount, double raOffset, double decOffset,
                                 const std::vector<std::string>& records, double scale = 100000) {
  char header[65];
  std::snprintf(header, sizeof header, "064 2 %04d %5d %.5f 0 %.5f 0 0 %.0f %.0f 0 100", region, recordCount,
                raOffset, decOffset, scale, scale);
  std::string text(header);
  text.resize(64, ' ');
  for (const std::string& r : records) text += r;
  return text;
}

// A packed zone record: A = declination | magnitude << 19, B = right ascension.
inline std::string gscZoneRecord(uint32_t ra, uint32_t dec, uint32_t magnitude) {
  std::string out;
  appendU32(out, (dec & 0x7FFFF) | (magnitude & 0x7FF) << 19);
  appendU32(out, ra & 0x3FFFFF);
  out += '\0';
  return out;
}

struct PackedIndexEntry {
  int32_t zone, first, count;
  double raOffset, decOffset;
};

// The packed index: magic, two values, then 9537 records, those not given
// in zone 0 with no records.
inline std::string gscPackedIndex(const std::vector<PackedIndexEntry>& entries, int records = 9537) {
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

// The region table: every centre at (ra, dec) of `far` unless given.
inline std::string gscRegionTable(const std::vector<std::pair<double, double>>& centresDeg) {
  std::string out;
  for (int coordinate = 0; coordinate < 2; ++coordinate) {
    for (int r = 0; r < 9537; ++r) {
      const auto centre = r < static_cast<int>(centresDeg.size()) ? centresDeg[r] : std::pair{180.0, -60.0};
      appendDouble(out, (coordinate == 0 ? centre.first : centre.second) * kDeg);
    }
  }
  return out;
}

// --- USNO-A2.0 ---------------------------------------------------------------

inline void appendBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

// A record at (ra, dec) degrees with its magnitude word.
inline std::string usnoRecord(double raDeg, double decDeg, int32_t magnitudes) {
  std::string out;
  appendBigEndian(out, static_cast<uint32_t>(std::lround(raDeg * 360000)));
  appendBigEndian(out, static_cast<uint32_t>(std::lround((decDeg + 90) * 360000)));
  appendBigEndian(out, static_cast<uint32_t>(magnitudes));
  return out;
}

// The cell index from each cell's record count (zone by zone, 96 cells each).
inline std::string usnoCellIndex(const std::vector<uint32_t>& cellCounts) {
  std::string out;
  uint32_t end = 0;
  for (size_t cell = 0; cell < 24 * 96; ++cell) {
    if (cell % 96 == 0) end = 0;
    end += cell < cellCounts.size() ? cellCounts[cell] : 0;
    appendU32(out, end);
  }
  return out;
}

// --- drawing -------------------------------------------------------------------

// Writes down every star drawn, in order.
class StarListOutput : public CountingOutput {
 public:
  explicit StarListOutput(bool byClass = false, bool screen = false) : CountingOutput(byClass), screen_(screen) {}
  struct Star {
    std::string kind;
    int index;
    int32_t x, y, diameter;
    int colour;
  };
  bool isScreen() const override { return screen_; }
  bool drawStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r) override {
    stars.push_back({"indexed", index, x, y, d, -1});
    return CountingOutput::drawStarIndexed(index, x, y, d, r);
  }
  bool drawColouredStarIndexed(int index, int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    stars.push_back({"colouredIndexed", index, x, y, d, c});
    return CountingOutput::drawColouredStarIndexed(index, x, y, d, r, c);
  }
  bool drawStar(int32_t x, int32_t y, int32_t d, int32_t r) override {
    stars.push_back({"plain", -1, x, y, d, -1});
    return CountingOutput::drawStar(x, y, d, r);
  }
  bool drawColouredStar(int32_t x, int32_t y, int32_t d, int32_t r, int c) override {
    stars.push_back({"coloured", -1, x, y, d, c});
    return CountingOutput::drawColouredStar(x, y, d, r, c);
  }
  std::vector<Star> stars;

 private:
  bool screen_;
};

// A 1000 by 1000 pixel orthographic chart of the given field on a centre.
struct TestChart {
  TestChart(double raDeg, double decDeg, int fieldArcmin) {
    area.width = area.height = 1000;
    aim(raDeg, decDeg, fieldArcmin);
    output.begin("", {}, area);
  }
  void aim(double raDeg, double decDeg, int fieldArcmin) {
    settings.centreRaArcmin = static_cast<int>(std::lround(raDeg * 60));
    settings.centreDecArcmin = static_cast<int>(std::lround(decDeg * 60));
    settings.fieldArcmin = fieldArcmin;
    transformer.setScale(500, fieldArcmin / 2);
    transformer.setup(area, settings);
  }
  template <typename Catalog>
  void draw(Catalog& catalog, int32_t limit = 2000) {
    output.stars.clear();
    catalog.draw(output, transformer, settings, area, limit, false);
  }

  OutputArea area;
  ChartSettings settings;
  TransformerOrthographic transformer;
  StarListOutput output;
};

}  // namespace celvaro::testing

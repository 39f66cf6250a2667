// The system's own segmented star catalog: the sky cut into segments by
// declination and right ascension, one file per segment, each read only
// for the drawings whose chart reaches it and kept for five drawings after
// it was last on the chart.
//
// Files, little-endian, the base name being the header's path without its
// extension:
//
//   base.hdr        text header (catalog_header.h): type = s2, segments = N
//                   (at most 1000), and identifiers = hipparcos when the
//                   identifiers are Hipparcos numbers rather than packed
//                   Tycho numbers
//   base_idx.dat    four arrays of N doubles, radians: the right-ascension
//                   minima, the maxima, the declination minima, the maxima
//   base_NNNN.dat   segment NNNN, from 0000: no header; n = size / 23 stars
//                   (truncated) in five columns of n elements each:
//                     identifier   uint32  packed Tycho number (bits 18-31,
//                                          4-17, 0-3) or Hipparcos number,
//                                          0 when none
//                     magnitude    int16   hundredths, negative brighter
//                                          than 0.00
//                     ra, dec      double  radians
//                     colour class uint8   0..7
#pragma once

#include <string_view>
#include <vector>

#include "catalog/large_star_data.h"
#include "catalog/sky_regions.h"

namespace celvaro {

class StarDataSegmented final : public LargeStarData {
 public:
  static constexpr int kMaxSegments = 1000;
  static constexpr int kStarBytes = 4 + 2 + 8 + 8 + 1;
  static constexpr int kKeptDrawings = 5;

  using LargeStarData::LargeStarData;

  // 4 when the header cannot be opened. A missing index leaves every
  // segment's bounds at 0.
  int open(const std::string& relativePath) override;
  void draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
            const OutputArea& area, int32_t limitHundredths, bool recordIndices) override;
  // "HIP 91262 [3]" or "Tycho 1-2-3 [850]"; a star without a number is
  // named by its position, "J183656.3+384701 [1012]" (right ascension to a
  // tenth of a second of time, declination to the second of arc, both
  // truncated as designations are).
  bool getDesignation(int index, std::string& out) const override;
  // Kind 3 and the Hipparcos number, or kind 8 and the three Tycho
  // numbers; false for a star without a number.
  bool getCatalogNumbers(int index, int& kind, int32_t& n1, int32_t& n2, int32_t& n3,
                         int32_t& n4) const override;

  // Loaded segments are dropped: each is read again when drawn, its stars
  // moved as it is read.
  void moveStars(const ProperMotions& motions, double julianDate) override;

  // The place a position designation of getDesignation stands for, the
  // middle of what its truncated digits cover; false for any other text.
  static bool parsePositionDesignation(std::string_view text, double& raRad, double& decRad);

  // The file of a segment: base + "_NNNN.dat".
  static std::string segmentPath(const std::string& base, int segment);

  int segmentCount() const { return static_cast<int>(segments_.size()); }
  const SkyRegion& bounds(int segment) const { return bounds_[segment]; }
  bool isLoaded(int segment) const { return segments_[segment].state & kLoaded; }
  int loadedCount() const;
  // How many segment files the drawings have read so far.
  int segmentReads() const { return reads_; }

 private:
  enum State : uint8_t { kVisible = 1, kLoaded = 2 };

  struct Segment {
    std::vector<uint32_t> identifier;
    std::vector<int16_t> magnitude;
    std::vector<double> ra, dec;
    std::vector<uint8_t> colour;
    uint8_t state = 0;
    int age = 0;  // drawings left to keep the segment once it is off the chart
  };

  void readIndex(const std::string& path);
  void markVisible(const OutputArea& area, iTransformer& transformer);
  void load(Segment& segment, int number);
  void move(Segment& segment) const;
  void loadAndUnload();
  void collect(Collector& collector, iTransformer& transformer, const Segment& segment);

  std::string base_;
  bool hipparcos_ = false;  // the identifiers are Hipparcos numbers
  const ProperMotions* motions_ = nullptr;
  double epoch_ = 0;  // Julian date the stars are moved to
  std::vector<SkyRegion> bounds_;
  std::vector<Segment> segments_;
  std::vector<int32_t> workX_, workY_;
  std::vector<double> workDepth_;
  int reads_ = 0;
};

}  // namespace celvaro

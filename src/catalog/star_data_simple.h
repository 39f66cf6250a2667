// A CLV_STD1 star catalog held wholly in memory, in columns, its stars in
// magnitude zones (brightest first) so that drawing stops at the first zone
// fainter than the limit.
//
//   offset        size  field
//   0             8     magic "CLV_STD1"
//   8             4     version, 1
//   12            4     zone count Z, 1..75
//   16            4     star count N, 1..1000000
//   20            12 Z  zones: magnitude (hundredths), first star, star count
//   20+12Z        4 N   Hipparcos numbers
//   20+12Z+4N     2 N   magnitudes, hundredths
//   20+12Z+6N     8 N   right ascensions, radians
//   20+12Z+14N    8 N   declinations, radians
//   20+12Z+22N    N     colour classes 0..7
#pragma once

#include <array>
#include <span>
#include <vector>

#include "astro/coordinates.h"
#include "catalog/star_data.h"

namespace celvaro {

class StarDataSimple final : public iStarData {
 public:
  static constexpr int kMaxZones = 75;
  static constexpr int32_t kMaxStars = 1000000;
  static constexpr int kBatch = 10000;

  struct Zone {
    int32_t magnitude = -1;  // hundredths; -1 ends the zones
    int32_t first = -1;
    int32_t count = 0;
  };

  StarDataSimple();

  void setDataDirectory(const std::string& directory) override { directory_ = directory; }
  int open(const std::string& relativePath) override;
  void draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
            const OutputArea& area, int32_t limitHundredths, bool recordIndices) override;
  bool getPosition(int index, StarPosition& out) const override;
  bool getDesignation(int index, std::string& out) const override;
  bool getCatalogNumbers(int index, int& kind, int32_t& n1, int32_t& n2, int32_t& n3,
                         int32_t& n4) const override;
  int starCount() const override { return static_cast<int>(hip_.size()); }
  void moveStars(const ProperMotions& motions, double julianDate) override;
  // The unit vectors (moved to the epoch) of the zones a drawing to the
  // limit takes.
  void prepareStars(int32_t limitHundredths) override;

  int zoneCount() const { return zoneCount_; }
  const Zone& zone(int z) const { return zones_[z]; }
  int32_t hipparcosNumber(int index) const { return hip_[index]; }
  int32_t magnitude(int index) const { return magnitude_[index]; }
  uint8_t colourClass(int index) const { return colour_[index]; }
  // The file's J2000 place, wherever the star has moved.
  EquatorialPosition filePlace(int index) const { return {ra_[index], dec_[index]}; }

 private:
  void clear();
  bool readBody(std::span<const uint8_t> file);
  void drawByClass(RenderingOutput& output, iTransformer& transformer, int32_t limitHundredths);
  void drawRaster(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                  int32_t limitHundredths, bool recordIndices);
  // Projects stars [first, first + n) into the work buffers.
  void prepareVectors(size_t end);
  void project(iTransformer& transformer, int first, int n);

  std::string directory_;
  int zoneCount_ = 0;
  std::array<Zone, kMaxZones + 1> zones_;
  std::vector<int32_t> hip_;
  std::vector<int16_t> magnitude_;
  std::vector<double> ra_, dec_;  // the file's J2000 places
  // The proper motions the stars move by (none: they keep the file's J2000
  // places) and the epoch.
  const ProperMotions* motions_ = nullptr;
  double epoch_ = 0, years_ = 0;
  std::vector<uint8_t> colour_;
  // Unit vectors of the stars, so that batches project by rotation.
  std::vector<double> ux_, uy_, uz_;
  std::vector<int32_t> workX_, workY_;
  std::vector<double> workDepth_;
};

}  // namespace celvaro

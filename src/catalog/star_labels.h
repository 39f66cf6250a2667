// The bright-star label file CLV_STLS (data/star_labels.dat): per star its
// position, magnitude, proper name, Bayer letter and Flamsteed number.
//
//   offset  size  field
//   0       8     magic "CLV_STLS"
//   8       4     version, 1
//   12      4     record count R
//   16      4     size T of the name text block in bytes
//   20      32 R  records (below)
//   20+32R  T     zero-terminated UTF-8 names
//
// Record: 0 name offset in the text block (0 or less: none), 4 unused,
// 8 right ascension and 16 declination (double radians), 24 magnitude
// (int16 hundredths), 26 Flamsteed number (int16), 28 constellation
// number (int8, 0..88), 29 Greek letter (int8, 0..23 alpha..omega),
// 30 Bayer superscript (int8), 31 unused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/star_mover.h"

namespace celvaro {

class RenderingOutput;
class iTransformer;
struct ChartSettings;
struct RenderOptions;

struct StarLabelRecord {
  int32_t nameOffset = 0;
  double raRad = 0, decRad = 0;
  int16_t magnitude = 0;
  int16_t flamsteed = -1;
  int8_t constellation = -1;
  int8_t greekLetter = -1;
  int8_t superscript = 0;
};

class StarLabels {
 public:
  static constexpr size_t kRecordBytes = 32;
  static constexpr size_t kHeaderBytes = 20;

  // 0, 3 for a bad magic, version or size, 4 when the file cannot be opened.
  int open(const std::string& path);

  // Labels every star brighter (strictly) than the settings' label limits:
  // names, Bayer letters, Flamsteed numbers and constellation abbreviations.
  void draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
            const RenderOptions& options) const;

  size_t size() const { return records_.size(); }
  const StarLabelRecord& record(size_t i) const { return records_[i]; }
  void moveMarks(const MarkMotions& motions, double years) { celvaro::moveMarks(records_, j2000_, motions, years); }
  // The proper name of a record, or null when it has none (or its offset
  // lies outside the text block).
  const char* name(size_t i) const;

 private:
  std::vector<StarLabelRecord> records_;
  std::vector<EquatorialPosition> j2000_;  // the file's places of the moving marks, once moved
  std::vector<char> text_;
};

}  // namespace celvaro

#include "catalog/star_dbl_wds_data_d1.h"

#include <cstring>

#include "model/chart_settings.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"

namespace celvaro {
namespace {

DoubleStarRecord decodeRecord(const uint8_t* p) {
  DoubleStarRecord r;
  std::memcpy(&r.raRad, p, 8);
  std::memcpy(&r.decRad, p + 8, 8);
  const char* text = reinterpret_cast<const char*>(p + 16);
  r.designation.assign(text, strnlen(text, 8));
  r.primary = static_cast<int32_t>(loadU32(p + 24));
  return r;
}

}  // namespace

int StarDblWDSDataD1::open(const std::string& relativePath) {
  RecordBytes bytes;
  const int result = file_.openFlat(resolveDataPath(directory_, relativePath), kFormat, bytes);
  records_ = decodeRecords(bytes.bytes, kFormat.recordBytes, decodeRecord);
  j2000_.clear();
  return result;
}

void StarDblWDSDataD1::draw(RenderingOutput& output, const OutputArea&, iTransformer& transformer,
                            const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const {
  for (int i = 0; i < count() && records_[i].primary <= settings.doubleLimitHundredths; ++i) {
    drawSystem(output, transformer, settings, i, labelDx, labelDy);
  }
}

}  // namespace celvaro

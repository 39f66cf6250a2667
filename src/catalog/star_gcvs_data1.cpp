#include "catalog/star_gcvs_data1.h"

#include "model/chart_settings.h"
#include "platform/data_paths.h"

namespace celvaro {

int StarGcvsData1::open(const std::string& relativePath) {
  RecordBytes bytes;
  const int result = file_.openFlat(resolveDataPath(directory_, relativePath), kFormat, bytes);
  records_ = decodeRecords(bytes.bytes, kFormat.recordBytes, decodeCommon);
  j2000_.clear();
  return result;
}

void StarGcvsData1::draw(RenderingOutput& output, const RenderOptions& layout, const OutputArea&,
                         iTransformer& transformer, const ChartSettings& settings) const {
  for (int i = 0; i < count(); ++i) {
    if (records_[i].magnitude() <= settings.variableLimitHundredths) drawStar(output, layout, transformer, settings, i);
  }
}

}  // namespace celvaro

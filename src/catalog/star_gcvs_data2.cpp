#include "catalog/star_gcvs_data2.h"

#include "model/chart_settings.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"

namespace celvaro {
namespace {

VariableStarRecord decodeRecord(const uint8_t* p) {
  VariableStarRecord r = StarGcvsData2::decodeCommon(p);
  r.infoOffset = loadU32(p + 28);
  r.infoSize = loadU32(p + 32);
  return r;
}

uint8_t typeMask(const ChartSettings& s) {
  uint8_t mask = 0;
  for (size_t bit = 0; bit < s.variableTypes.size(); ++bit) {
    if (s.variableTypes[bit]) mask |= static_cast<uint8_t>(1u << bit);
  }
  return mask;
}

bool passesFilters(const VariableStarRecord& r, const ChartSettings& s) {
  if (s.variableAmplitudeFilter && s.variableMinAmplitude > (r.faintest - r.brightest) / 10) return false;
  if (s.variableTypeFilter && (r.typeFlags & typeMask(s)) == 0) return false;
  if (s.variableMinPeriodFilter && r.period < s.variableMinPeriod) return false;
  return !s.variableMaxPeriodFilter || r.period <= s.variableMaxPeriod;
}

}  // namespace

int StarGcvsData2::open(const std::string& relativePath) {
  if (path_.empty()) path_ = resolveDataPath(directory_, relativePath);
  RecordBytes bytes;
  const int result = file_.openRegional(path_, kFormat, bytes);
  records_ = decodeRecords(bytes.bytes, kFormat.recordBytes, decodeRecord);
  j2000_.clear();
  return result;
}

void StarGcvsData2::draw(RenderingOutput& output, const RenderOptions& layout, const OutputArea& area,
                         iTransformer& transformer, const ChartSettings& settings) const {
  const std::vector<SkyRegion>& regions = file_.regions();
  const std::vector<bool> visible = visibleRegions(regions, area, transformer);
  for (size_t g = 0; g < regions.size(); ++g) {
    if (!visible[g]) continue;
    for (int i = regions[g].first; i < regions[g].first + regions[g].count; ++i) {
      if (records_[i].magnitude() > settings.variableLimitHundredths) break;
      if (passesFilters(records_[i], settings)) drawStar(output, layout, transformer, settings, i);
    }
  }
}

bool StarGcvsData2::readObjectInfo(int index, std::vector<StarInfoItem>& items) const {
  if (index < 0 || index >= count()) return false;
  return file_.readInfo(records_[index].infoOffset, records_[index].infoSize, items);
}

}  // namespace celvaro

#include "catalog/star_dbl_wds_data_d2.h"

#include <algorithm>
#include <cstring>

#include "app/chart_settings.h"
#include "catalog/catalog_file_type.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr size_t kDesignationChars = 7, kCodeChars = 3;

DoubleStarRecord decodeRecord(const uint8_t* p) {
  DoubleStarRecord r;
  std::memcpy(&r.raRad, p, 8);
  std::memcpy(&r.decRad, p + 8, 8);
  const char* text = reinterpret_cast<const char*>(p + 16);
  r.designation.assign(text, strnlen(text, kDesignationChars));
  r.label = doubleStarLabel(r.designation);
  r.primary = static_cast<int32_t>(loadU32(p + 24));
  r.companion = static_cast<int32_t>(loadU32(p + 28));
  r.separation = static_cast<int32_t>(loadU32(p + 32));
  r.infoOffset = loadU32(p + 36);
  r.infoSize = loadU32(p + 40);
  return r;
}

bool separationPasses(int32_t separation, const ChartSettings& s) {
  if (!s.doubleSeparationFilter || (separation == 0 && s.doubleKeepUnknownSeparations)) return true;
  return separation >= s.doubleSeparationMin && separation <= s.doubleSeparationMax;
}

}  // namespace

std::string doubleStarLabel(std::string_view designation) {
  const std::string_view code = designation.substr(0, std::min(kCodeChars, designation.size()));
  std::string label(code.substr(0, code.find(' ')));
  label += ' ';
  for (char c : designation.substr(code.size())) {
    if (c != ' ') label += c;
  }
  return label;
}

int StarDblWDSDataD2::open(const std::string& relativePath) {
  std::vector<uint8_t> bytes;
  const int result = file_.openRegional(resolveDataPath(directory_, relativePath), kFormat, bytes);
  records_ = decodeRecords(bytes, kFormat.recordBytes, decodeRecord);
  return result;
}

void StarDblWDSDataD2::draw(RenderingOutput& output, const OutputArea& area, iTransformer& transformer,
                            const ChartSettings& settings, int32_t labelDx, int32_t labelDy) const {
  const std::vector<SkyRegion>& regions = file_.regions();
  const std::vector<bool> visible = visibleRegions(regions, area, transformer);
  for (size_t g = 0; g < regions.size(); ++g) {
    if (!visible[g]) continue;
    for (int i = regions[g].first; i < regions[g].first + regions[g].count; ++i) {
      const DoubleStarRecord& r = records_[i];
      if (r.primary > settings.doubleLimitHundredths) break;
      if (r.companion > settings.doubleLabelLimitHundredths || !separationPasses(r.separation, settings)) continue;
      drawSystem(output, transformer, settings, i, labelDx, labelDy);
    }
  }
}

bool StarDblWDSDataD2::readObjectInfo(int index, std::vector<StarInfoItem>& items) const {
  if (index < 0 || index >= count()) return false;
  return file_.readInfo(records_[index].infoOffset, records_[index].infoSize, items);
}

}  // namespace celvaro

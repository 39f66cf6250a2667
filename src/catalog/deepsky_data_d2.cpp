#include "catalog/deepsky_data_d2.h"

namespace celvaro {

void DeepskyDataD2::prepareDraw(const ChartSettings& settings, const OutputArea& area, iTransformer& transformer) {
  DeepskyDataD1::prepareDraw(settings, area, transformer);
  visible_ = visibleRegions(file_.regions(), area, transformer);
  maxLevel_ = filter_.maxLevel();
  region_ = 0;
  inRegion_ = 0;
}

int DeepskyDataD2::nextVisible(DeepskyObject& object, bool& label, bool& secondLabel) {
  const std::vector<SkyRegion>& regions = file_.regions();
  for (; region_ < regions.size() && region_ < visible_.size(); ++region_, inRegion_ = 0) {
    if (!visible_[region_]) continue;
    const SkyRegion& region = regions[region_];
    while (inRegion_ < region.count) {
      const int index = region.first + inRegion_++;
      const DeepskyObject& candidate = file_.objects()[index];
      if (candidate.level > maxLevel_) break;
      if (filter_.shows(candidate, label, secondLabel)) {
        object = candidate;
        return index;
      }
    }
  }
  return -1;
}

bool DeepskyDataD2::readObjectInfo(int index, std::vector<StarInfoItem>& items) const {
  int32_t ids[2];
  if (!getPrimaryIds(index, ids[0], ids[1])) return false;
  for (const int32_t id : ids) {
    const int code = id >> 24;
    if (code == kIdNgc || code == kIdIc) return info_.read(code, id & 0xFFFFFF, items);
  }
  return false;
}

}  // namespace celvaro

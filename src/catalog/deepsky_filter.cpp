#include "catalog/deepsky_filter.h"

#include <algorithm>

#include "model/chart_settings.h"

namespace celvaro {

void DeepskyFilter::set(const ChartSettings& s) {
  secondLabelOffset_ = s.deepskySecondLabelOffset;
  // Type 0 keeps shown and level 10; it is never drawn.
  for (int type = 1; type < kDeepskyTypeSlots; ++type) {
    TypeLimits& t = types_[type];
    const DeepskyTypeSettings& own = s.deepskyTypes[deepskySettingsType(type)];
    t.shown = !s.deepskyPerType || own.shown;
    t.level = s.deepskyLevel + (s.deepskyPerType ? own.levelOffset : 0);
    t.label = s.deepskyLabels != 0;
    t.secondLabel = s.deepskySecondLabels != 0;
    t.labelLevel = t.level + s.deepskyLabelLevelOffset;
    if (s.deepskyPerTypeLabels) {
      t.label = t.label && own.label;
      t.secondLabel = t.secondLabel && own.secondLabel;
      t.labelLevel += own.labelOffset;
    }
  }
}

bool DeepskyFilter::shows(const DeepskyObject& object, bool& label, bool& secondLabel) const {
  if (object.type < 1 || object.type >= kDeepskyTypeSlots) return false;
  const TypeLimits& t = types_[object.type];
  if (!t.shown || object.level > t.level) return false;
  label = t.label && object.level <= t.labelLevel;
  secondLabel = t.secondLabel && object.level <= t.labelLevel + secondLabelOffset_;
  return true;
}

int DeepskyFilter::maxLevel() const {
  int highest = types_[1].level;
  for (int type = 2; type < kDeepskyTypeSlots; ++type) highest = std::max(highest, types_[type].level);
  return highest;
}

}  // namespace celvaro

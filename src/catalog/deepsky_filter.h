// Which deep-sky objects a chart shows and labels, per type slot, from the
// chart's deep-sky settings.
#pragma once

#include <array>

#include "catalog/deepsky_data.h"

namespace celvaro {

class DeepskyFilter {
 public:
  // Every type is shown up to the chart's deep-sky level (type 0 up to 10);
  // with the per-type switch each type takes its own shown flag and level
  // offset. Labels follow the two label switches up to the level limit plus
  // the label level offset, and with the per-type label switch also each
  // type's own label switches and offset. Types 11 to 14 take the settings
  // of 2, 7, 5 and 3.
  void set(const ChartSettings& settings);
  // Whether an object is drawn: types 1 to 15 only, shown and not above the
  // type's level limit. Sets its label and second-label flags.
  bool shows(const DeepskyObject& object, bool& label, bool& secondLabel) const;
  // The largest level limit of the drawable types 1 to 15. (Type 0 never
  // draws, so its limit of 10 is left out: it would only keep a walk in
  // level order from stopping early.)
  int maxLevel() const;

 private:
  struct TypeLimits {
    bool shown = true;
    int level = 10;
    bool label = false;
    bool secondLabel = false;
    int labelLevel = 0;
  };
  std::array<TypeLimits, kDeepskyTypeSlots> types_{};
  int secondLabelOffset_ = 0;
};

}  // namespace celvaro

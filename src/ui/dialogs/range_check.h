// Typed numbers checked against their ranges, with the message that names
// the field and the range when one is outside.
#pragma once

#include <QWidget>

#include "astro/value_range.h"

namespace celvaro {

class UiResources;

// A field of a dialog as its message names it.
struct RangedField {
  ValueRange range;
  int nameTextId;
  const char* englishName;
};

// True when the value lies within the field's range; otherwise a message
// box over `parent` says "<field> must be between <min> and <max>." and the
// answer is false.
bool acceptInRange(QWidget* parent, UiResources& resources, double value, const RangedField& field);

}  // namespace celvaro

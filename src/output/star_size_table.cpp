#include "output/star_size_table.h"

#include <algorithm>
#include <cmath>

namespace celvaro {

int magnitudeClass(int32_t magHundredths) { return std::clamp(magHundredths / 50, 0, 49); }

void StarSizeTable::load(int32_t limitHundredths, int32_t largest, int32_t smallest) {
  const int inUse = std::clamp(limitHundredths / 50 + 1, 1, kClasses);
  const int brightest = std::clamp((limitHundredths / 50) / 3, 0, inUse);
  int i = 0;
  for (; i < brightest; ++i) diameters_[i] = largest;
  const double step = 1.0 / (inUse - brightest);
  double t = step;
  for (; i < inUse; ++i, t += step) {
    const double w = std::pow(t, 0.7);
    const int32_t d = static_cast<int32_t>(std::lround((1 - w) * largest + w * smallest));
    diameters_[i] = std::max(d, smallest);
  }
  for (; i < kClasses; ++i) diameters_[i] = smallest;
}

void StarSizeTable::loadScreen(int32_t limitHundredths, int32_t largest, int32_t smallest) {
  constexpr double kOutline = 2, kBrightWidening = 1.5;
  const double faintBox = smallest + kOutline, brightBox = std::max(kBrightWidening * (largest + kOutline), faintBox);
  const double limitMag = std::max(limitHundredths / 100.0, 1.0);
  const double growthPerMag = std::log(brightBox / faintBox) / limitMag;
  for (int i = 0; i < kClasses; ++i) {
    const double bandMiddleMag = (i * 50 + 25) / 100.0;
    const double box = faintBox * std::exp(growthPerMag * (limitMag - bandMiddleMag));
    diameters_[i] = static_cast<int32_t>(std::lround(std::clamp(box, faintBox, brightBox) - kOutline));
  }
}

void StarSizeTable::copy(const int32_t* table, int count) {
  count = std::clamp(count, 0, kClasses);
  for (int i = 0; i < count; ++i) {
    if (table[i] > 0) diameters_[i] = table[i];
  }
  for (int i = count; i < kClasses; ++i) diameters_[i] = 0;
}

int32_t StarSizeTable::diameterOfClass(int magClass) const {
  if (magClass < 0) return diameters_[0];
  return magClass < kClasses ? diameters_[magClass] : 0;
}

int32_t StarSizeTable::diameterForMagnitude(int32_t magHundredths) const {
  return diameters_[magnitudeClass(magHundredths)];
}

}  // namespace celvaro

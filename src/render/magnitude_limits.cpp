#include "render/magnitude_limits.h"

#include <algorithm>

#include "model/chart_settings.h"

namespace celvaro {
namespace {

struct Row {
  int fieldAtLeast;
  int value;
};

constexpr Row kStarLimitByField[] = {{5400, 600}, {4500, 650}, {3600, 700}, {2700, 750}, {1800, 800},
                                     {1320, 850}, {900, 900},  {660, 950},  {480, 1000}, {400, 1050},
                                     {300, 1100}, {180, 1200}, {120, 1300}, {100, 1400}, {80, 1500},
                                     {60, 1600},  {45, 1700},  {30, 1800},  {20, 1900},  {0, 2000}};

constexpr Row kDeepskyLevelByField[] = {{5400, 0}, {4500, 1}, {3600, 2}, {3000, 3}, {2400, 4}, {1920, 5},
                                        {1500, 6}, {900, 7},  {540, 8},  {300, 9},  {0, 10}};

template <size_t N>
int firstRowReached(const Row (&rows)[N], int field) {
  for (const Row& row : rows) {
    if (field >= row.fieldAtLeast) return row.value;
  }
  return rows[N - 1].value;
}

constexpr int kNoLabels = -200;

int labelLimit(const LabelLimitSetting& label, bool wanted, int starLimit) {
  if (!wanted) return kNoLabels;
  return label.manual ? label.manualValue : starLimit + label.offset;
}

}  // namespace

int automaticStarLimit(int fieldArcmin) { return firstRowReached(kStarLimitByField, fieldArcmin); }

int automaticDeepskyLevel(int fieldArcmin) { return firstRowReached(kDeepskyLevelByField, fieldArcmin); }

void computeMagnitudeLimits(ChartSettings& s) {
  const int field = s.fieldArcmin;
  s.maxStarDiameter = std::min(s.maxStarDiameter, s.maxStarDiameterCap);
  const int star = std::min(s.starLimitManual ? s.starLimitManualValue : automaticStarLimit(field) + s.starLimitAutoOffset,
                            kFaintestStarLimit);
  s.starLimitHundredths = star;
  s.colourLimitHundredths = s.colourLimitManual ? s.colourLimitManualValue : star + s.colourLimitOffset;
  s.starNameLimitHundredths = labelLimit(s.nameLabel, s.needStarName, star);
  s.bayerLimitHundredths = labelLimit(s.bayerLabel, s.needStarBayer, star);
  s.flamsteedLimitHundredths = labelLimit(s.flamsteedLabel, s.needStarFlamsteed, star);
  s.abbreviationLimitHundredths =
      labelLimit(s.abbreviationLabel, s.needStarAbbreviation && field <= s.abbreviationMaxFieldArcmin, star);
  s.variableLimitHundredths = s.variableFilterMode != 0 ? s.variableLimitManual : star + s.variableLimitOffset;
  s.variableLabelLimitHundredths = s.variableLabel.manual ? s.variableLabel.manualValue
                                                          : s.variableLimitHundredths + s.variableLabel.offset;
  s.doubleLimitHundredths = (s.doubleLimitMode & 4) ? std::min(s.doubleLimitManual, star) : star + s.doubleLimitOffset;
  s.doubleLabelLimitHundredths = (s.doubleLimitMode & 8) ? s.doubleLabelManual : star + s.doubleLabelOffset;
  int level = 0;
  if (s.deepskyMode == 1) level = automaticDeepskyLevel(field) + s.deepskyLevelOffset;
  else if (s.deepskyMode == 2) level = s.deepskyManualLevel;
  s.deepskyLevel = std::clamp(level, 0, 10);
}

}  // namespace celvaro

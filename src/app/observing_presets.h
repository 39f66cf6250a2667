// The five built-in observing presets (menu commands 120 to 124): each sets
// the star, variable-star, double-star and deep-sky parameters of the chart
// settings for a kind of observing.
#pragma once

namespace celvaro {

struct ChartSettings;

enum ObservingPreset : int {
  kPresetDefault = 0,
  kPresetSchematic = 1,
  kPresetVariableStars = 2,
  kPresetDoubleStars = 3,
  kPresetDeepsky = 4,
};
constexpr int kPresetCount = 5;

// Sets the four groups of the preset; false, changing nothing, for a number
// outside 0..4. The derived limits are left to the caller's applyView.
bool applyPreset(ChartSettings& settings, int preset);

}  // namespace celvaro

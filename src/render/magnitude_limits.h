// The magnitude limits that thin out stars, labels and deep-sky objects
// with the field of view. Magnitudes in hundredths, fields in arcminutes.
#pragma once

namespace celvaro {

struct ChartSettings;

constexpr int kFaintestStarLimit = 1150;

// The star limit a field shows without an offset: 6.00 from 90 degrees to 20.00 below 20'.
int automaticStarLimit(int fieldArcmin);
// The deep-sky detail level 0..10 a field shows without an offset.
int automaticDeepskyLevel(int fieldArcmin);

// Computes every derived limit of the settings from the field: star,
// colour, the four label kinds, variable and double stars, deep-sky level;
// lowers the largest star diameter to its cap first.
void computeMagnitudeLimits(ChartSettings& settings);

}  // namespace celvaro

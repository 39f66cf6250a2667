// The arithmetic of moving about the chart: zoom, pan and star-limit steps
// (fields and angles in arcminutes, magnitudes in hundredths).
#pragma once

namespace celvaro {

constexpr int kMinFieldArcmin = 180;
constexpr int kMaxFieldArcmin = 16200;

// The field after zooming in or out by `steps` (the navigation setting);
// zooming in never goes below 3 degrees, out never beyond 270.
int zoomedIn(int fieldArcmin, int steps);
int zoomedOut(int fieldArcmin, int steps);

// The pan step before widening, by field.
int basePanStep(int fieldArcmin);
// The pan step of right ascension (or azimuth), widened toward the poles,
// at most one hour.
int widePanStep(int fieldArcmin, int centreDecArcmin);

// The automatic-limit offset or the manual limit after one step of 0.50
// magnitude (`direction` +1 fainter, -1 brighter); false when the offset is
// at its bound of -3.00 or +3.00 and nothing changes.
bool stepStarLimit(bool manual, int& offset, int& manualValue, int direction);

}  // namespace celvaro

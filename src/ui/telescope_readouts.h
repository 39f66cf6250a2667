// The read-outs of the telescope windows: mount positions and the clock.
#pragma once

#include <string>

#include "astro/chart_date.h"

namespace celvaro {

// Right ascension as "%02d:%02d:%02d" from the angle rounded to whole
// arcminutes of arc (so seconds come in steps of 4).
std::string mountRaText(double raRad);
// Declination as "%d:%d" or "-%d:%d", degrees and arcminutes, rounded.
std::string mountDecText(double decRad);
// "%04d.%02d.%02d  %02d:%02d:%02d".
std::string clockDateText(const ChartDate& date);
// The calendar date of a Julian date shifted by whole seconds, to the
// nearest second (the clock's Julian dates fall on whole seconds).
ChartDate clockDate(double julianDate, int offsetSeconds);
// Hours as "%02d:%02d:%02d", the hours wrapped into 0..23.
std::string siderealText(double hours);
// "%lf".
std::string julianText(double julianDate);

}  // namespace celvaro

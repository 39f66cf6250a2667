// The read-outs of the telescope windows: mount positions, the clock and
// the serial ports.
#pragma once

#include <string>
#include <vector>

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

// The ports COM1..COM256 as the connect dialogs list them: the device each
// ends at and its by-id name ("COM1  /dev/ttyUSB0  (usb-FTDI_...)"), or
// for a link whose adapter is not plugged in, `notPresent` and where the
// link points.
std::vector<std::string> serialPortTexts(const std::string& programDir, const std::string& notPresent);

}  // namespace celvaro

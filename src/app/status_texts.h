// The texts and layout of the main window's status bar.
#pragma once

#include <array>
#include <string>

#include "astro/chart_date.h"

namespace celvaro {

// "Field:5 degs" from 300' up, else "Field:4.59" (degrees and minutes).
std::string fieldStatusText(int fieldArcmin);
// "Limit: 6.05".
std::string limitStatusText(int limitHundredths);
// "DS:7".
std::string deepskyStatusText(int level);
// "2007.06.15/22:00" with '/' between the date and the time.
std::string dateTimeText(const ChartDate& date, char separator);
// "LT:2007.06.15/22:00   UT:2007.06.15/20:00".
std::string datesStatusText(const ChartDate& local, const ChartDate& universal);

// Where status parts 0 to 3 end in a window `width` pixels wide; part 4
// runs to the edge.
std::array<int, 4> statusPartEdges(int width);

}  // namespace celvaro

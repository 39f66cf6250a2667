// The texts and layout of the main window's status bar.
#pragma once

#include <array>
#include <string>

#include "astro/chart_date.h"
#include "model/language_texts.h"

namespace celvaro {

// The status bar's captions in the window's language.
struct StatusCaptions {
  std::string field, limit, magnitude, deepsky, local, universal;
};
StatusCaptions statusCaptions(iLanguageTexts& texts);

// "Field 5°" from 300' up, else "Field 4°59′" (degrees and minutes).
std::string fieldStatusText(int fieldArcmin, const StatusCaptions& captions);
// "Limit 6.05 mag".
std::string limitStatusText(int limitHundredths, const StatusCaptions& captions);
// "Deep sky 7".
std::string deepskyStatusText(int level, const StatusCaptions& captions);
// "2007.06.15/22:00" with '/' between the date and the time.
std::string dateTimeText(const ChartDate& date, char separator);
// "LT 2007.06.15 22:00   UT 2007.06.15 20:00".
std::string datesStatusText(const ChartDate& local, const ChartDate& universal, const StatusCaptions& captions);

// Where status parts 0 to 3 end in a window `width` pixels wide; part 4
// runs to the edge.
std::array<int, 4> statusPartEdges(int width);

}  // namespace celvaro

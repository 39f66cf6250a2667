#include "app/status_texts.h"

#include <algorithm>
#include <cstdio>

#include "astro/text_forms.h"

namespace celvaro {

std::string fieldStatusText(int fieldArcmin) {
  char text[48];
  if (fieldArcmin > 299) std::snprintf(text, sizeof text, "Field:%d degs", fieldArcmin / 60);
  else std::snprintf(text, sizeof text, "Field:%d.%d", fieldArcmin / 60, fieldArcmin % 60);
  return text;
}

std::string limitStatusText(int limitHundredths) { return "Limit: " + showHundredths(limitHundredths); }

std::string deepskyStatusText(int level) { return "DS:" + std::to_string(level); }

std::string dateTimeText(const ChartDate& d, char separator) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d.%02d.%02d%c%02d:%02d", d.year, d.month, d.day, separator, d.hour, d.minute);
  return text;
}

std::string datesStatusText(const ChartDate& l, const ChartDate& u) {
  return "LT:" + dateTimeText(l, '/') + "   UT:" + dateTimeText(u, '/');
}

std::array<int, 4> statusPartEdges(int width) {
  const int u = std::max(width / 10, 40), t = width / 3;
  return {width - 3 * u - t, width - 2 * u - t, width - u - t, width - t};
}

}  // namespace celvaro

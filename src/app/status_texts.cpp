#include "app/status_texts.h"

#include <algorithm>
#include <cstdio>

#include "astro/text_forms.h"
#include "model/text_ids.h"

namespace celvaro {

StatusCaptions statusCaptions(iLanguageTexts& texts) {
  return {texts.textOr(text_id::kStatusField, "Field"),        texts.textOr(text_id::kStatusLimit, "Limit"),
          texts.textOr(text_id::kStatusMagnitude, "mag"),      texts.textOr(text_id::kStatusDeepsky, "Deep sky"),
          texts.textOr(text_id::kStatusLocalTime, "LT"),       texts.textOr(text_id::kStatusUniversalTime, "UT")};
}

std::string fieldStatusText(int fieldArcmin, const StatusCaptions& captions) {
  const std::string degrees = captions.field + " " + std::to_string(fieldArcmin / 60) + "°";
  return fieldArcmin > 299 ? degrees : degrees + std::to_string(fieldArcmin % 60) + "′";
}

std::string limitStatusText(int limitHundredths, const StatusCaptions& captions) {
  return captions.limit + " " + showHundredths(limitHundredths) + " " + captions.magnitude;
}

std::string deepskyStatusText(int level, const StatusCaptions& captions) {
  return captions.deepsky + " " + std::to_string(level);
}

std::string dateTimeText(const ChartDate& d, char separator) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d.%02d.%02d%c%02d:%02d", d.year, d.month, d.day, separator, d.hour, d.minute);
  return text;
}

std::string datesStatusText(const ChartDate& l, const ChartDate& u, const StatusCaptions& captions) {
  return captions.local + " " + dateTimeText(l, ' ') + "   " + captions.universal + " " + dateTimeText(u, ' ');
}

std::array<int, 4> statusPartEdges(int width) {
  const int u = std::max(width / 10, 40), t = width / 3;
  return {width - 3 * u - t, width - 2 * u - t, width - u - t, width - t};
}

}  // namespace celvaro

// Typed numbers read from a field's text and checked against their ranges,
// with the message that names the field and the range when the text is no
// number or the number lies outside.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "astro/chart_date.h"
#include "astro/value_range.h"
#include "model/text_ids.h"

namespace celvaro {

class UiResources;

// How a field's text is written: a number with "." or "," as the decimal
// point, a whole number, or degrees (or hours) with minutes and seconds.
enum class NumberForm { kDecimal, kWhole, kSexagesimal };

// A field of a dialog as its message names it.
struct RangedField {
  ValueRange range;
  int nameTextId;
  const char* englishName;
  NumberForm form = NumberForm::kDecimal;
};

// True when the value lies within the field's range; otherwise a message
// box over `parent` says "<field> must be between <min> and <max>." and the
// answer is false.
bool acceptInRange(QWidget* parent, UiResources& resources, double value, const RangedField& field);

// The field's text read in the field's form: the number when the whole text
// (blanks around it aside) is one within the range; otherwise the message
// of acceptInRange, and no number.
std::optional<double> acceptTyped(QWidget* parent, UiResources& resources, std::string_view text,
                                  const RangedField& field);

// The names of a date's fields, year to minute, from a text id on.
struct DateFieldNames {
  int firstTextId;
  std::array<const char*, 5> english;
};
inline constexpr DateFieldNames kDateFieldNames{text_id::kSetDateTimeLabelFirst,
                                                {"Year", "Month", "Day", "Hour", "Minute"}};

// A date and time typed field by field, year first; a caller may give only
// the first few (the month and day missing count as 1, the hour and minute
// as 0). Each field is a whole number within its range, the day within its
// month of the chart's calendar (Julian before 1583), so 30 February or an
// hour of 24 is refused by the message naming the first wrong field.
std::optional<ChartDate> acceptDate(QWidget* parent, UiResources& resources, std::span<const std::string> fields,
                                    const DateFieldNames& names = kDateFieldNames, ValueRange years = kYearRange);

// A date or time written in one text ("2024.02.29", "-44.03.15", "21:30"):
// `count` fields, split at any of `separators` (a sign before the first
// field is no separator). Missing fields are empty and the last keeps
// whatever follows it, so a text with fewer or more fields than asked for
// is refused by the field that is wrong.
inline constexpr std::string_view kDateSeparators = ".-/";
std::vector<std::string> dateFields(std::string_view text, std::string_view separators, size_t count);

}  // namespace celvaro

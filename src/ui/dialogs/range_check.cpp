#include "ui/dialogs/range_check.h"

#include <QMessageBox>

#include <cmath>
#include <limits>

#include "app/ui_resources.h"
#include "astro/calendar.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

std::optional<double> numberOf(std::string_view text, NumberForm form) {
  switch (form) {
    case NumberForm::kWhole: {
      const std::optional<int> value = wholeInt(text);
      return value ? std::optional<double>(*value) : std::nullopt;
    }
    case NumberForm::kSexagesimal: return wholeSexagesimal(text);
    default: return wholeNumber(text);
  }
}

}  // namespace

bool acceptInRange(QWidget* parent, UiResources& resources, double value, const RangedField& field) {
  if (field.range.holds(value)) return true;
  auto text = [&resources](int id, const char* english) { return QString::fromStdString(resources.textOr(id, english)); };
  const QString message = text(text_id::kOutOfRangeMessage, "%1 must be between %2 and %3.")
                              .arg(text(field.nameTextId, field.englishName))
                              .arg(QString::number(field.range.min, 'g', 10))
                              .arg(QString::number(field.range.max, 'g', 10));
  QMessageBox::warning(parent, text(text_id::kErrorCaption, "Error"), message);
  return false;
}

std::optional<double> acceptTyped(QWidget* parent, UiResources& resources, std::string_view text,
                                  const RangedField& field) {
  const double value = numberOf(text, field.form).value_or(std::numeric_limits<double>::quiet_NaN());
  if (!acceptInRange(parent, resources, value, field)) return std::nullopt;
  return value;
}

std::optional<ChartDate> acceptDate(QWidget* parent, UiResources& resources, std::span<const std::string> fields,
                                    const DateFieldNames& names, ValueRange years) {
  int values[5] = {0, 1, 1, 0, 0};
  for (size_t i = 0; i < fields.size() && i < 5; ++i) {
    const RangedField field{dateFieldRange(int(i), values[0], values[1], years), names.firstTextId + int(i),
                            names.english[i], NumberForm::kWhole};
    const std::optional<double> value = acceptTyped(parent, resources, fields[i], field);
    if (!value) return std::nullopt;
    values[i] = static_cast<int>(*value);
  }
  return ChartDate{values[0], values[1], values[2], values[3], values[4], 0.0};
}

std::vector<std::string> dateFields(std::string_view text, std::string_view separators, size_t count) {
  std::vector<std::string> fields;
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) start = text.size();
  while (fields.size() + 1 < count) {
    const size_t end = text.find_first_of(separators, start + 1);
    if (end == std::string_view::npos) break;
    fields.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  fields.emplace_back(text.substr(start));
  fields.resize(count);
  return fields;
}

}  // namespace celvaro

#include "ui/dialogs/range_check.h"

#include <QMessageBox>

#include "app/text_ids.h"
#include "app/ui_resources.h"

namespace celvaro {

bool acceptInRange(QWidget* parent, UiResources& resources, double value, const RangedField& field) {
  if (field.range.holds(value)) return true;
  auto text = [&resources](int id, const char* english) { return QString::fromStdString(resources.textOr(id, english)); };
  const QString message = text(text_id::kOutOfRangeMessage, "%1 must be between %2 and %3.")
                              .arg(text(field.nameTextId, field.englishName))
                              .arg(field.range.min)
                              .arg(field.range.max);
  QMessageBox::warning(parent, text(text_id::kErrorCaption, "Error"), message);
  return false;
}

}  // namespace celvaro

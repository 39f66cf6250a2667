#include "ui/text_layouts.h"

#include <QString>
#include <QTransform>

namespace celvaro {

const QStaticText& TextLayouts::of(std::u16string_view text, const QFont& font) {
  if (kept_.size() >= kKept) kept_.clear();
  auto [at, isNew] = kept_.try_emplace(std::u16string(text));
  if (isNew) {
    at->second.setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    at->second.setTextFormat(Qt::PlainText);
    at->second.prepare(QTransform(), font);
  }
  return at->second;
}

}  // namespace celvaro

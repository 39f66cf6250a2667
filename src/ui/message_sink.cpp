#include "ui/message_sink.h"

namespace celvaro {

void MessageSink::show(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

MessageSink& messageBoxes() {
  static MessageSink sink;
  return sink;
}

}  // namespace celvaro

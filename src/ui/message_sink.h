// Where the program's message boxes go. The desktop shows each as a modal
// box; tests put a recorder in its place.
#pragma once

#include <QMessageBox>
#include <QString>

namespace celvaro {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows the message over `parent` and returns when it was acknowledged.
  virtual void show(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);
};

// The sink that shows real message boxes.
MessageSink& messageBoxes();

}  // namespace celvaro

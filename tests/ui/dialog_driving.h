// Driving dialogs through their controls in tests.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

#include "ui/dialog_framework.h"
#include "ui/message_sink.h"

namespace celvaro::testing {

inline void click(FwDialogBase& dialog, int id) {
  QWidget* control = dialog.control(id);
  ASSERT_NE(control, nullptr) << id;
  QTest::mouseClick(control, Qt::LeftButton);
}

// Typing into a dialog's edit field.
inline void type(FwDialogBase& dialog, int id, const QString& text) { dialog.control<QLineEdit>(id)->setText(text); }

// Modal dialogs, found by their control ids while their own loop runs.

template <typename Control = QWidget>
Control* controlOf(QWidget* dialog, int id) { return dialog->findChild<Control*>(FwDialogBase::objectName(id)); }

// A click on a button; wide radio buttons are not hit in their middle.
inline void press(QWidget* dialog, int id) {
  auto* button = controlOf<QAbstractButton>(dialog, id);
  ASSERT_NE(button, nullptr) << id;
  button->click();
}

inline void typeInto(QWidget* dialog, int id, const QString& text) {
  auto* field = controlOf<QLineEdit>(dialog, id);
  ASSERT_NE(field, nullptr) << id;
  field->setText(text);
}

// Acts on the next modal dialog above `under` once it shows. A dialog the
// action leaves open is cancelled after a while, so a failing test ends.
inline void whenShown(std::function<void(QWidget*)> act, QWidget* under = nullptr) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  // `under` is watched rather than remembered: once it is gone, a dialog
  // made where it lay (a message box after a file dialog) is a new one.
  QObject::connect(poll, &QTimer::timeout, [poll, act, under = QPointer<QWidget>(under)] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog == under) return;
    poll->stop();
    poll->deleteLater();
    QTimer::singleShot(5000, dialog, [dialog] { qobject_cast<QDialog*>(dialog)->reject(); });
    act(dialog);
  });
  poll->start();
}

// Runs `act`, answering each message box it shows with OK: their texts, in
// the order they came.
inline QStringList messagesDuring(const std::function<void()>& act) {
  QStringList texts;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&texts] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texts << box->text();
      box->accept();
    }
  });
  poll.start();
  act();
  return texts;
}

// Types every field's wrong value, then presses OK once for each field,
// mending it after its refusal: the refusals, in order. The dialog stays
// open until the last field is mended, and then closes without a word.
struct FieldRepair { int id; const char *wrong, *mended; };
inline QString refusalsFieldByField(QWidget* dialog, const std::vector<FieldRepair>& fields) {
  const QPointer<QWidget> open(dialog);
  const auto pressOk = [&] { return messagesDuring([&] { press(dialog, kIdOk); }).join(" | "); };
  for (const FieldRepair& field : fields) typeInto(dialog, field.id, field.wrong);
  QStringList refusals;
  for (const FieldRepair& field : fields) {
    refusals << pressOk();
    if (!open || !dialog->isVisible()) {
      ADD_FAILURE() << "closed before field " << field.id << " was mended";
      return refusals.join(" | ");
    }
    typeInto(dialog, field.id, field.mended);
  }
  EXPECT_EQ(pressOk().toStdString(), "");
  return refusals.join(" | ");
}

// Keeps the messages the program would show instead of showing them.
class RecordedMessages : public MessageSink {
 public:
  struct Message { QMessageBox::Icon icon; QString caption, text; };
  void show(QWidget*, QMessageBox::Icon icon, const QString& caption, const QString& text) override {
    messages.push_back({icon, caption, text});
  }
  std::vector<Message> messages;
};

}  // namespace celvaro::testing

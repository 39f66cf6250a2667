// The dialog framework: a dialog is an object with a resource number,
// onInitDialog that makes its controls (each carrying its control id as
// its object name "id<N>") and onCommand that handles them; runModal shows
// it and answers 1 for OK and 0 for Cancel.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QString>

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "ui/dialogs/range_check.h"


namespace celvaro {

class UiResources;

// Control ids the framework gives every dialog.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Notification codes passed to onCommand.
enum CommandCode : int { kClicked = 0, kSelectionChanged = 1, kValueChanged = 2, kTextChanged = 3, kFocusLost = 4 };

// A decimal field of a dialog over the number it shows and writes back,
// and the range the number typed must lie in.
struct DecimalRow {
  int id;
  int textId;
  const char* english;
  double* value;
  ValueRange range;
};

class FwDialogBase {
 public:
  explicit FwDialogBase(UiResources& resources);
  virtual ~FwDialogBase();
  FwDialogBase(const FwDialogBase&) = delete;
  FwDialogBase& operator=(const FwDialogBase&) = delete;

  virtual int resourceId() const = 0;
  // Makes the controls; called once when the dialog window is created.
  virtual void onInitDialog() = 0;
  // A control was used. OK and Cancel come here too; the default handling
  // of both ends the dialog (1 and 0).
  virtual void onCommand(int id, int code, QWidget* control);

  // Shows the dialog modally over `parent`; 1 for OK, 0 for Cancel.
  int runModal(QWidget* parent);
  // The dialog window while it exists (runModal or create), else null.
  QDialog* window() const { return dialog_; }
  // Makes the window and its controls without showing it (tests drive it).
  QDialog* create(QWidget* parent);
  // Moves the shown window beside `other` (right of it, else left of it,
  // else below it, as the screen has room) so neither hides the other's
  // controls.
  void placeBeside(const QWidget& other);

  // The control of an id, or null.
  template <typename Control = QWidget>
  Control* control(int id) const {
    return dialog_ ? dialog_->findChild<Control*>(objectName(id)) : nullptr;
  }
  static QString objectName(int id) { return QStringLiteral("id%1").arg(id); }

 protected:
  UiResources& resources() { return resources_; }
  // A language text, or the built-in one when the language has none.
  QString text(int textId, const char* fallback);

  // Controls, created with their ids and wired to onCommand.
  QPushButton* button(int id, const QString& label);
  QCheckBox* checkBox(int id, const QString& label, bool checked);
  QRadioButton* radioButton(int id, const QString& label, bool checked);
  QLineEdit* edit(int id, const QString& value);
  // An edit field that also tells onCommand when it loses the focus (kFocusLost).
  QLineEdit* focusEdit(int id, const QString& value);
  QComboBox* comboBox(int id);
  QSlider* slider(int id, int minimum, int maximum, int value);
  QSlider* bareSlider(int id, int minimum, int maximum, int value);  // not wired to onCommand
  QLabel* label(int id, const QString& text);
  // A label (id + 400) and an edit field in one row of the grid's first two columns.
  QLineEdit* labelledEdit(int id, const QString& labelText, const QString& value, int row);
  // Decimal fields, one a row from `row` on; answers the row after them.
  int decimalFields(std::span<const DecimalRow> rows, int row);
  // Writes the numbers back when every field holds one within its range;
  // otherwise the first that does not is named in a message and nothing
  // changes.
  bool readDecimals(std::span<const DecimalRow> rows);
  // The number typed into an edit field, read and checked as acceptTyped
  // does (the message names the field); none when it is refused.
  std::optional<double> typedNumber(int id, const RangedField& field);

  // The dialog's layout: controls are added in rows of a grid.
  QGridLayout* grid();
  // OK and Cancel (ids 1 and 2) below everything else.
  void addOkCancel();
  // Title from a text id, and labels of controls from text ids, each only
  // when the language has the text.
  void setDialogTexts(int titleTextId, std::initializer_list<std::pair<int, int>> controlTexts);

  void setItemText(int id, const std::string& text);
  std::string itemText(int id) const;  // at most 48 characters, as dialog texts are read
  void setChecked(int id, bool checked);
  bool isChecked(int id) const;
  void endDialog(int result);

 private:
  void command(int id, int code, QWidget* control);
  void connectButton(QAbstractButton* button, int id);

  UiResources& resources_;
  QDialog* dialog_ = nullptr;
  QGridLayout* grid_ = nullptr;
  QBoxLayout* layout_ = nullptr;
  bool initialised_ = false;
};

// Dialogs with sliders or scroll bars: their movements go to onHScroll.
class FwDialogBaseScroll : public FwDialogBase {
 public:
  using FwDialogBase::FwDialogBase;
  virtual void onHScroll(int id, int position) = 0;
  virtual void onVScroll(int id, int position) { onHScroll(id, position); }

 protected:
  QSlider* scrollSlider(int id, int minimum, int maximum, int value);
};

// Dialogs that lay their controls out again when resized.
class FwDialogBaseResizable : public FwDialogBase {
 public:
  using FwDialogBase::FwDialogBase;
  virtual void onSize(int width, int height) = 0;

 protected:
  // Routes the window's resizes to onSize; call in onInitDialog.
  void watchSize();
};

}  // namespace celvaro

#include "ui/dialog_framework.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

#include "app/ui_resources.h"
#include "astro/text_forms.h"
#include "model/text_ids.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace celvaro {
namespace {

// What a title bar takes besides the title: the icon and three buttons.
constexpr int kTitleBarButtons = 140;

// Texts typed into a dialog are read as at most this many characters.
constexpr int kDialogTextMaxChars = 48;

// Sends a dialog window's resizes to its object.
class SizeWatcher : public QObject {
 public:
  explicit SizeWatcher(FwDialogBaseResizable& dialog) : dialog_(dialog) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      const QSize size = static_cast<QResizeEvent*>(event)->size();
      dialog_.onSize(size.width(), size.height());
    }
    return false;
  }

 private:
  FwDialogBaseResizable& dialog_;
};

// Tells a dialog that one of its controls lost the focus.
class FocusWatcher : public QObject {
 public:
  FocusWatcher(std::function<void()> lost, QObject* parent) : QObject(parent), lost_(std::move(lost)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) lost_();
    return false;
  }

 private:
  std::function<void()> lost_;
};

}  // namespace

FwDialogBase::FwDialogBase(UiResources& resources) : resources_(resources) {}

FwDialogBase::~FwDialogBase() { delete dialog_; }

QDialog* FwDialogBase::create(QWidget* parent) {
  if (dialog_) return dialog_;
  dialog_ = new QDialog(parent);
  layout_ = new QVBoxLayout(dialog_);
  grid_ = new QGridLayout;
  layout_->addLayout(grid_);
  onInitDialog();
  initialised_ = true;
  // Wide enough for the whole title beside the title bar's buttons.
  dialog_->setMinimumWidth(std::max(dialog_->minimumWidth(),
                                    dialog_->fontMetrics().horizontalAdvance(dialog_->windowTitle()) + kTitleBarButtons));
  return dialog_;
}

void FwDialogBase::placeBeside(const QWidget& other) {
  if (!dialog_) return;
  const QRect there = other.frameGeometry();
  const QRect mine = dialog_->frameGeometry();
  const QScreen* screen = other.screen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  const QPoint candidates[] = {{there.right() + 1, there.top()},
                               {there.left() - mine.width(), there.top()},
                               {there.left(), there.bottom() + 1}};
  for (const QPoint& at : candidates) {
    if (room.isNull() || room.contains(QRect(at, mine.size()))) {
      dialog_->move(at);
      return;
    }
  }
  dialog_->move(candidates[0]);
}

int FwDialogBase::runModal(QWidget* parent) {
  create(parent);
  const int result = dialog_->exec();
  return result == QDialog::Accepted ? 1 : 0;
}

void FwDialogBase::onCommand(int id, int, QWidget*) {
  if (id == kIdOk) endDialog(1);
  else if (id == kIdCancel) endDialog(0);
}

void FwDialogBase::command(int id, int code, QWidget* control) {
  if (initialised_) onCommand(id, code, control);  // nothing reaches a dialog before its controls exist
}

QString FwDialogBase::text(int textId, const char* fallback) {
  return QString::fromStdString(resources_.textOr(textId, fallback));
}

void FwDialogBase::connectButton(QAbstractButton* b, int id) {
  b->setObjectName(objectName(id));
  QObject::connect(b, &QAbstractButton::clicked, dialog_, [this, id, b] { command(id, kClicked, b); });
}

QPushButton* FwDialogBase::button(int id, const QString& labelText) {
  auto* b = new QPushButton(labelText, dialog_);
  b->setAutoDefault(false);
  connectButton(b, id);
  return b;
}

QCheckBox* FwDialogBase::checkBox(int id, const QString& labelText, bool checked) {
  auto* b = new QCheckBox(labelText, dialog_);
  b->setChecked(checked);
  connectButton(b, id);
  return b;
}

QRadioButton* FwDialogBase::radioButton(int id, const QString& labelText, bool checked) {
  auto* b = new QRadioButton(labelText, dialog_);
  b->setChecked(checked);
  connectButton(b, id);
  return b;
}

QLineEdit* FwDialogBase::edit(int id, const QString& value) {
  auto* e = new QLineEdit(value, dialog_);
  e->setObjectName(objectName(id));
  e->setMaxLength(64);
  QObject::connect(e, &QLineEdit::textEdited, dialog_, [this, id, e] { command(id, kTextChanged, e); });
  return e;
}

QLineEdit* FwDialogBase::focusEdit(int id, const QString& value) {
  QLineEdit* e = edit(id, value);
  e->installEventFilter(new FocusWatcher([this, id, e] { command(id, kFocusLost, e); }, e));
  return e;
}

QComboBox* FwDialogBase::comboBox(int id) {
  auto* c = new QComboBox(dialog_);
  c->setObjectName(objectName(id));
  QObject::connect(c, &QComboBox::currentIndexChanged, dialog_, [this, id, c] { command(id, kSelectionChanged, c); });
  return c;
}

QSlider* FwDialogBase::bareSlider(int id, int minimum, int maximum, int value) {
  auto* s = new QSlider(Qt::Horizontal, dialog_);
  s->setObjectName(objectName(id));
  s->setRange(minimum, maximum);
  s->setValue(value);
  return s;
}

QSlider* FwDialogBase::slider(int id, int minimum, int maximum, int value) {
  QSlider* s = bareSlider(id, minimum, maximum, value);
  QObject::connect(s, &QSlider::valueChanged, dialog_, [this, id, s] { command(id, kValueChanged, s); });
  return s;
}

QLabel* FwDialogBase::label(int id, const QString& labelText) {
  auto* l = new QLabel(labelText, dialog_);
  l->setObjectName(objectName(id));
  return l;
}

QLineEdit* FwDialogBase::labelledEdit(int id, const QString& labelText, const QString& value, int row) {
  grid_->addWidget(label(id + 400, labelText), row, 0);
  QLineEdit* e = edit(id, value);
  grid_->addWidget(e, row, 1);
  return e;
}

// Twelve significant digits keep every digit of the element files, so a
// field left alone reads back as the number it showed.
int FwDialogBase::decimalFields(std::span<const DecimalRow> rows, int row) {
  for (const DecimalRow& r : rows) labelledEdit(r.id, text(r.textId, r.english), QString::number(*r.value, 'g', 12), row++);
  return row;
}

bool FwDialogBase::readDecimals(std::span<const DecimalRow> rows) {
  std::vector<double> values;
  for (const DecimalRow& r : rows) {
    const std::optional<double> value = typedNumber(r.id, {r.range, r.textId, r.english});
    if (!value) return false;
    values.push_back(*value);
  }
  for (size_t i = 0; i < rows.size(); ++i) *rows[i].value = values[i];
  return true;
}

// The whole text, not the first 48 characters: a long text is no number.
std::optional<double> FwDialogBase::typedNumber(int id, const RangedField& field) {
  auto* e = control<QLineEdit>(id);
  return acceptTyped(dialog_, resources_, e ? e->text().toStdString() : std::string(), field);
}

QGridLayout* FwDialogBase::grid() { return grid_; }

void FwDialogBase::addOkCancel() {
  auto* row = new QHBoxLayout;
  row->addStretch();
  QPushButton* ok = button(kIdOk, text(text_id::kButtonOk, "OK"));
  ok->setDefault(true);
  row->addWidget(ok);
  row->addWidget(button(kIdCancel, text(text_id::kButtonCancel, "Cancel")));
  layout_->addLayout(row);
}

void FwDialogBase::setDialogTexts(int titleTextId, std::initializer_list<std::pair<int, int>> controlTexts) {
  if (auto title = resources_.text(titleTextId)) dialog_->setWindowTitle(QString::fromStdString(*title));
  for (const auto& [id, textId] : controlTexts) {
    const auto found = resources_.text(textId);
    if (!found) continue;
    const QString value = QString::fromStdString(*found);
    QWidget* c = control(id);
    if (auto* b = qobject_cast<QAbstractButton*>(c)) b->setText(value);
    else if (auto* l = qobject_cast<QLabel*>(c)) l->setText(value);
  }
}

void FwDialogBase::setItemText(int id, const std::string& value) {
  const QString text = QString::fromStdString(value);
  QWidget* c = control(id);
  if (auto* e = qobject_cast<QLineEdit*>(c)) e->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(c)) l->setText(text);
}

std::string FwDialogBase::itemText(int id) const {
  QWidget* c = control(id);
  QString value;
  if (auto* e = qobject_cast<QLineEdit*>(c)) value = e->text();
  else if (auto* l = qobject_cast<QLabel*>(c)) value = l->text();
  return value.left(kDialogTextMaxChars).toStdString();
}

void FwDialogBase::setChecked(int id, bool checked) {
  if (auto* b = control<QAbstractButton>(id)) b->setChecked(checked);
}

bool FwDialogBase::isChecked(int id) const {
  auto* b = control<QAbstractButton>(id);
  return b && b->isChecked();
}

void FwDialogBase::endDialog(int result) {
  if (result == 1) dialog_->accept();
  else dialog_->reject();
}

QSlider* FwDialogBaseScroll::scrollSlider(int id, int minimum, int maximum, int value) {
  QSlider* s = bareSlider(id, minimum, maximum, value);
  QObject::connect(s, &QSlider::valueChanged, window(), [this, id](int position) { onHScroll(id, position); });
  return s;
}

void FwDialogBaseResizable::watchSize() {
  auto* watcher = new SizeWatcher(*this);
  watcher->setParent(window());
  window()->installEventFilter(watcher);
}

}  // namespace celvaro

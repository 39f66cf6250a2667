#include "ui/dialogs/dlg_colours.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

#include "model/text_ids.h"
#include "platform/number_text.h"

namespace celvaro {
namespace {

// A swatch: the background colour, and across it a line of another colour
// when it has one.
class ColourSample : public QWidget {
 public:
  ColourSample(QWidget* parent, const ColorTable& colours, int background, int line)
      : QWidget(parent), colours_(colours), background_(background), line_(line) {
    setMinimumSize(60, 14);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    auto qcolor = [this](int index) {
      const Rgb c = colours_.getColor(index);
      return QColor(c.red, c.green, c.blue);
    };
    painter.fillRect(rect(), qcolor(background_));
    if (line_ < 0) return;
    painter.setPen(QPen(qcolor(line_), 2));
    painter.drawLine(4, height() / 2, width() - 4, height() / 2);
  }

 private:
  const ColorTable& colours_;
  int background_, line_;
};

// The pure red, green or blue of a component, as its own little table.
ColorTable pureColours() {
  ColorTable pure;
  pure.setColor(0, {255, 0, 0});
  pure.setColor(1, {0, 255, 0});
  pure.setColor(2, {0, 0, 255});
  return pure;
}

constexpr const char* kComponentNames[] = {"Red", "Green", "Blue"};
constexpr ValueRange kComponentRange{0, 255};

uint8_t component(Rgb c, int which) { return which == 0 ? c.red : which == 1 ? c.green : c.blue; }

}  // namespace

void DlgColours::onInitDialog() {
  window()->setWindowTitle(text(text_id::kColoursTitle, "Colours"));
  static const char* kNames[kColorCount] = {"Background", "Grid", "Ecliptic", "Horizon", "Constellation lines",
                                            "Constellation boundaries", "Stars", "Star edge", "Planets",
                                            "Planet tracks", "Deep-sky objects", "Text", "Star-hop route",
                                            "Selection"};
  for (int i = 0; i < kColorCount; ++i) {
    if (i < 13) grid()->addWidget(radioButton(kFirstColour + i, text(text_id::kColourNameFirst + i, kNames[i]), i == 0), i, 0);
    auto* sample = new ColourSample(window(), colours_, kColorBackground, i == 0 ? -1 : i);
    sample->setObjectName(objectName(kBackgroundSwatch + i));
    grid()->addWidget(sample, i, 1);
  }
  static const ColorTable kPure = pureColours();
  for (int c = 0; c < 3; ++c) {
    auto* pure = new ColourSample(window(), kPure, c, -1);
    pure->setObjectName(objectName(30 + c));
    grid()->addWidget(pure, c, 2);
    grid()->addWidget(label(90 + c, text(text_id::kColourRed + c, kComponentNames[c])), c, 3);
    grid()->addWidget(scrollSlider(kRed + c, 0, 255, 0), c, 4);
    grid()->addWidget(edit(kRedValue + c, "0"), c, 5);
  }
  for (int s = 0; s < 6; ++s) {
    const std::string fallback = s < 5 ? "Scheme " + std::to_string(s + 1) : "Night scheme";
    const QString name = text(text_id::kSchemeButtonFirst + s, fallback.c_str());
    grid()->addWidget(button(kFirstScheme + s, name), 4 + s, 3, 1, 3);
  }
  showChosen();
  addOkCancel();
}

void DlgColours::showChosen() {
  const Rgb c = colours_.getColor(chosen_);
  for (int which = 0; which < 3; ++which) {
    QSlider* bar = control<QSlider>(kRed + which);
    const QSignalBlocker quiet(bar);
    bar->setValue(component(c, which));
    setItemText(kRedValue + which, std::to_string(component(c, which)));
  }
}

void DlgColours::setComponent(int which, int value) {
  Rgb c = colours_.getColor(chosen_);
  const uint8_t v = static_cast<uint8_t>(std::clamp(value, 0, 255));
  (which == 0 ? c.red : which == 1 ? c.green : c.blue) = v;
  colours_.setColor(chosen_, c);
  repaintSamples();
}

void DlgColours::repaintSamples() {
  for (QWidget* w : window()->findChildren<QWidget*>()) {
    if (dynamic_cast<ColourSample*>(w)) w->update();
  }
}

// A component typed moves its slider as soon as the text is a whole number
// from 0 to 255; what is typed on the way there ("", "-") waits for OK.
void DlgColours::componentTyped(int which) {
  const std::optional<int> value = wholeInt(itemText(kRedValue + which));
  if (!value || !kComponentRange.holds(*value)) return;
  setComponent(which, *value);
  const QSignalBlocker quiet(control<QSlider>(kRed + which));
  control<QSlider>(kRed + which)->setValue(*value);
}

// OK takes the colours only when each component field holds one.
bool DlgColours::componentsTyped() {
  for (int which = 0; which < 3; ++which) {
    const RangedField field{kComponentRange, text_id::kColourRed + which, kComponentNames[which], NumberForm::kWhole};
    if (!typedNumber(kRedValue + which, field)) return false;
  }
  return true;
}

void DlgColours::onHScroll(int id, int position) {
  const int which = id - kRed;
  setComponent(which, position);
  setItemText(kRedValue + which, std::to_string(position));
}

void DlgColours::onCommand(int id, int code, QWidget* control) {
  if (id >= kFirstColour && id < kFirstColour + 13) {
    chosen_ = id - kFirstColour;
    showChosen();
  } else if (id >= kRedValue && id <= kBlueValue && code == kTextChanged) {
    componentTyped(id - kRedValue);
  } else if (id >= kFirstScheme && id < kFirstScheme + 6) {
    colours_.applyScheme(id - kFirstScheme + 1);
    showChosen();
    repaintSamples();
  } else if (id == kIdOk) {
    if (!componentsTyped()) return;
    target_ = colours_;
  }
  FwDialogBaseScroll::onCommand(id, code, control);
}

}  // namespace celvaro

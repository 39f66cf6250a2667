// A seven-segment LED display of a few digits (window class
// "control_LED_7segment_2digit"). A value below 0 blanks every digit; a
// value too large for the digits shows a dash in each; otherwise the value
// is shown with leading zeros blank, the last digit always shown.
#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

namespace celvaro {

class LedDisplay : public QWidget {
 public:
  static constexpr const char* kWindowClass = "control_LED_7segment_2digit";
  // Segment bits: 0 lower left, 1 upper left, 2 top, 3 upper right,
  // 4 lower right, 5 bottom, 6 middle.
  static constexpr uint8_t kDigitMasks[10] = {0x3F, 0x18, 0x6D, 0x7C, 0x5A, 0x76, 0x77, 0x1C, 0xFF, 0x5E};
  static constexpr uint8_t kDash = 0x40;

  LedDisplay(int digits, QWidget* parent);

  void setValue(int value);
  int value() const { return value_; }
  // The lit segments of a digit, the most significant first; 0 blank.
  uint8_t segments(int digit) const { return masks_[digit]; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void drawDigit(QPainter& painter, int digit, const QRect& box) const;

  int value_ = -1;
  std::vector<uint8_t> masks_;
};

}  // namespace celvaro

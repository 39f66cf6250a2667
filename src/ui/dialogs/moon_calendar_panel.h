// The moon calendar's drawing panel ("mooncalendardrawingpanel", item 500):
// on black, the weekday headings, then the month's days seven to a row
// from the column of the first weekday, each with the Moon's picture shaded
// by its phase.
#pragma once

#include <QWidget>

namespace celvaro {

class MoonImage;
class UiResources;
struct MoonMonth;

class MoonCalendarPanel final : public QWidget {
 public:
  static constexpr int kControlId = 500;
  static constexpr int kCellWidth = 80;
  static constexpr int kHeadingHeight = 20;

  MoonCalendarPanel(UiResources& resources, const MoonImage& moon, const MoonMonth& month, QWidget* parent);

  // The cell of a day (0 = the first of the month): its column and row.
  static QPoint cellOf(int day, int firstWeekday);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  UiResources& resources_;
  const MoonImage& moon_;
  const MoonMonth& month_;
};

}  // namespace celvaro

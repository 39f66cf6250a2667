// The main window's status bar: five parts laid out by the program's own
// width rule (selection, field, star limit, deep-sky level, dates).
#pragma once

#include <QLabel>
#include <QStatusBar>

#include <array>

namespace celvaro {

class StatusParts final : public QStatusBar {
 public:
  static constexpr int kParts = 5;
  explicit StatusParts(QWidget* parent);
  void setPart(int part, const QString& text);
  QString part(int part) const { return labels_[part]->text(); }
  // Where part i begins, in pixels from the left.
  int partLeft(int part) const { return labels_[part]->x(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::array<QLabel*, kParts> labels_;
};

}  // namespace celvaro

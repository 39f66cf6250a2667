#include "ui/status_parts.h"

#include <QResizeEvent>

#include "app/status_texts.h"

namespace celvaro {

StatusParts::StatusParts(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(false);
  setMinimumHeight(22);
  for (int i = 0; i < kParts; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QStringLiteral("statuspart%1").arg(i));
    labels_[i]->setFrameShape(QFrame::StyledPanel);
    labels_[i]->setFrameShadow(QFrame::Sunken);
  }
}

void StatusParts::setPart(int part, const QString& text) { labels_[part]->setText(text); }

void StatusParts::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  const int width = event->size().width(), height = event->size().height();
  const std::array<int, 4> edges = statusPartEdges(width);
  int left = 0;
  for (int i = 0; i < kParts; ++i) {
    const int right = i < 4 ? edges[i] : width;
    labels_[i]->setGeometry(left, 0, std::max(right - left, 0), height);
    left = right;
  }
}

}  // namespace celvaro

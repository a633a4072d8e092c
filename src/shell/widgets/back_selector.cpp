#include "shell/widgets/back_selector.h"

#include <QPainter>
#include <QPen>

namespace tarlyk {

BackSelector::BackSelector(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BackSelector::Frame(const QWidget* item) {
  framed_ = item;
  const QRect r = item->geometry();
  setGeometry(r.adjusted(-kMargin, -kMargin, kMargin, kMargin));
  lower();
  update();
}

void BackSelector::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(palette().color(QPalette::HighlightedText));
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(palette().color(QPalette::Highlight));
  painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 5, 5);
}

}  // namespace tarlyk

#include "shell/widgets/gradient_band.h"

#include <QLinearGradient>
#include <QPainter>

namespace tarlyk {

GradientBand::GradientBand(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientBand::SetColors(const QColor& top, const QColor& bottom) {
  colors_ = GradientPair{top, bottom};
  update();
}

void GradientBand::ResetColors() {
  colors_.reset();
  update();
}

GradientPair GradientBand::Colors() const {
  return colors_ ? *colors_ : CurrentLook().band;
}

void GradientBand::paintEvent(QPaintEvent* /*event*/) {
  const GradientPair c = Colors();
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, c.first);
  gradient.setColorAt(1, c.second);
  QPainter(this).fillRect(rect(), gradient);
}

}  // namespace tarlyk

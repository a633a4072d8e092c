#include "shell/desk_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/accessible_table.h"

namespace tarlyk {

DeskWidget::DeskWidget(QWidget* parent) : QWidget(parent) {
  InstallAccessibleTable();
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Reached by Tab, or given the focus by the keys that move the mark; a click leaves
  // the focus where it is.
  setFocusPolicy(Qt::TabFocus);
}

void DeskWidget::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

void DeskWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), palette().window());
  if (!image_.isNull()) p.drawImage(QPoint(0, 0), image_);
}

void DeskWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) leftPressed_ = true;
  QWidget::mousePressEvent(event);
}

void DeskWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    const bool click = leftPressed_ && rect().contains(pos);
    leftPressed_ = false;
    if (click) emit clicked();
  }
  emit mouseReleased(event->button(), pos.x(), pos.y());
}

void DeskWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mouseMoved(pos.x(), pos.y());
}

void DeskWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit focusChanged(true);
}

void DeskWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  emit focusChanged(false);
}

}  // namespace tarlyk

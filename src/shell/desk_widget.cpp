#include "shell/desk_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/accessible_table.h"
#include "view/scaled_cards.h"

namespace tarlyk {

namespace {

// Drawings kept over the table: the end-of-game rain adds one every 80 ms. After this many
// the oldest are dropped (any part of them still showing would only be missed if the
// screen's pixel ratio changed, and so many later cards cover almost all of them).
constexpr size_t kMaxKeptDrawings = 4096;

}  // namespace

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
  table_ = false;
  drawing_ = nullptr;
  over_.clear();
  update();
}

void DeskWidget::SetDrawing(Drawing drawing, bool now) {
  if (!table_) image_ = QImage();  // the title picture goes for good
  table_ = true;
  drawing_ = std::move(drawing);
  over_.clear();
  stale_ = true;
  if (now) Draw(devicePixelRatioF());
  update();
}

void DeskWidget::AddDrawing(Drawing drawing) {
  if (!drawing) return;
  QImage& picture = Image();
  drawing(picture);
  if (table_) {
    if (over_.size() >= kMaxKeptDrawings) over_.erase(over_.begin());
    over_.push_back(std::move(drawing));
  }
  update();
}

void DeskWidget::Draw(qreal ratio) {
  const QSize device = DeviceSize(size(), ratio);
  if (image_.size() != device || image_.devicePixelRatio() != ratio) {
    image_ = QImage(device, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
  }
  if (drawing_) drawing_(image_);
  for (const Drawing& d : over_) d(image_);
  stale_ = false;
}

QImage& DeskWidget::Image() {
  if (table_) {
    const qreal ratio = devicePixelRatioF();
    if (stale_ || image_.devicePixelRatio() != ratio) Draw(ratio);
  }
  return image_;
}

const QImage& DeskWidget::Image() const {
  // Bringing the picture up to date changes nothing that shows.
  return const_cast<DeskWidget*>(this)->Image();
}

bool DeskWidget::event(QEvent* event) {
  // A move to a screen of another pixel ratio repaints the window; the paint draws the
  // table again at the new ratio.
  if (event->type() == QEvent::ScreenChangeInternal) update();
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  if (event->type() == QEvent::DevicePixelRatioChange) update();
#endif
  return QWidget::event(event);
}

void DeskWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& shown = Image();
  if (shown.isNull() || shown.deviceIndependentSize().toSize() != size()) {
    p.fillRect(event->rect(), palette().window());
  }
  if (!shown.isNull()) p.drawImage(QPoint(0, 0), shown);
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

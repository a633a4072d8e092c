#include "shell/lazy_icon_engine.h"

#include <QPainter>
#include <QPixmap>
#include <utility>

namespace tarlyk {

LazyIconEngine::LazyIconEngine(QList<QSize> listed, Source source)
    : listed_(std::move(listed)), source_(std::move(source)) {}

void LazyIconEngine::Fetch(QSize size) {
  if (size.isEmpty() || asked_.contains(size)) return;
  asked_.append(size);
  // A larger size's picture given earlier may be exactly this one.
  if (made_.availableSizes().contains(size)) return;
  const QImage image = source_(size);
  if (image.isNull()) return;
  QPixmap picture = QPixmap::fromImage(image);
  picture.setDevicePixelRatio(1.0);
  if (!made_.availableSizes().contains(picture.size())) made_.addPixmap(picture);
}

QPixmap LazyIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  Fetch(size);
  // Sizes here are device pixels already: asked at ratio 1, the icon of the pictures
  // takes the best of them and scales it to fit as it does for any icon.
  return made_.pixmap(size, 1.0, mode, state);
}

QSize LazyIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  Fetch(size);
  return made_.actualSize(size, mode, state);
}

void LazyIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                           QIcon::State state) {
  const QPaintDevice* device = painter->device();
  const qreal ratio = device != nullptr ? device->devicePixelRatioF() : 1.0;
  QPixmap picture = pixmap(rect.size() * ratio, mode, state);
  picture.setDevicePixelRatio(ratio);
  painter->drawPixmap(rect, picture);
}

QList<QSize> LazyIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
  return listed_;
}

bool LazyIconEngine::isNull() {
  if (listed_.isEmpty()) return true;
  Fetch(listed_.first());
  return made_.isNull();
}

QString LazyIconEngine::key() const {
  return QStringLiteral("tarlyk-lazy");
}

QIconEngine* LazyIconEngine::clone() const {
  return new LazyIconEngine(*this);
}

}  // namespace tarlyk

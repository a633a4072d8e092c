// An icon whose pictures are made only when a size is first asked for. A screen with a
// device pixel ratio of 1 asks only for the shipped pictures, so nothing else is ever
// read; a finer screen asks for its device size and gets a picture made for that size
// (or the nearest larger one, scaled down smoothly) instead of an enlarged one.
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QList>
#include <QSize>
#include <functional>

namespace tarlyk {

class LazyIconEngine final : public QIconEngine {
 public:
  // The picture for a size in device pixels: made for it, or a larger one, or a smaller
  // one when there is nothing larger; null when there is none at all.
  using Source = std::function<QImage(QSize)>;

  // `listed` are the sizes the icon names as its own (sent to the window system as a
  // window icon); the source is asked for those and for any other size on demand.
  LazyIconEngine(QList<QSize> listed, Source source);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  bool isNull() override;
  QString key() const override;
  QIconEngine* clone() const override;

 private:
  // Asks the source once per size and keeps what it gives among the pictures made.
  void Fetch(QSize size);

  QList<QSize> listed_;
  Source source_;
  QList<QSize> asked_;
  // The pictures made so far, chosen from and turned into the disabled look as any
  // icon of pictures is.
  QIcon made_;
};

}  // namespace tarlyk

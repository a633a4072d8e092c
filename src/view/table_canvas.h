// A table picture being drawn at its device pixel ratio: texts in table coordinates,
// pictures and filled rectangles placed on whole device pixels by DevicePixel, so that
// everything keeps its table position at any ratio and lines up with its neighbours.
// At ratio 1 both are the same plain drawing.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "view/scaled_cards.h"

namespace tarlyk {

class TableCanvas {
 public:
  // `picture` is drawn into directly and must not be shared with another QImage.
  explicit TableCanvas(QImage& picture);
  TableCanvas(const TableCanvas&) = delete;
  TableCanvas& operator=(const TableCanvas&) = delete;

  qreal Scale() const { return scale_; }
  // The device pixel of table position x (or y).
  int Px(int x) const { return DevicePixel(x, scale_); }
  QPoint Px(QPoint p) const { return {Px(p.x()), Px(p.y())}; }
  // The device pixels that make up a rectangle of the table.
  QRect Px(const QRect& r) const {
    return QRect(Px(r.topLeft()), Px(r.bottomRight() + QPoint(1, 1)) - QPoint(1, 1));
  }

  // The picture's pixels, for drawing pixel by pixel.
  QImage& Picture() { return picture_; }
  // Drawing in table coordinates (texts).
  QPainter& Text() { return text_; }
  // Drawing in device pixels (pictures already at the device size).
  QPainter& Pixels() { return scale_ == 1.0 ? text_ : pixels_; }

  // Fills the device pixels of a table rectangle.
  void Fill(const QRect& tableRect, QRgb colour) {
    Pixels().fillRect(Px(tableRect), QColor::fromRgb(colour));
  }
  // Draws a device-size picture with its top-left corner at table position (x, y).
  void Draw(int x, int y, const QImage& picture, const CardMask& mask = {}) {
    DrawMasked(Pixels(), QPoint(Px(x), Px(y)), picture, mask);
  }

 private:
  QImage& picture_;
  qreal scale_;
  QImage view_;  // the same pixels at ratio 1
  QPainter text_;
  QPainter pixels_;
};

inline TableCanvas::TableCanvas(QImage& picture)
    : picture_(picture), scale_(picture.devicePixelRatio()) {
  if (scale_ != 1.0) {
    view_ = QImage(picture_.bits(), picture_.width(), picture_.height(), picture_.bytesPerLine(),
                   picture_.format());
    pixels_.begin(&view_);
  }
  text_.begin(&picture_);
}

}  // namespace tarlyk

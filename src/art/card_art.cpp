#include "art/card_art.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tarlyk {

QColor SuitColor(ArtSuit suit) {
  return (suit == ArtSuit::kHearts || suit == ArtSuit::kDiamonds) ? QColor(200, 20, 30)
                                                                  : QColor(20, 20, 30);
}

namespace {

// Shapes in a unit square (0..1), scaled to the box by the caller.
QPainterPath HeartPath() {
  QPainterPath path;
  path.moveTo(0.5, 0.95);
  path.cubicTo(0.05, 0.6, -0.05, 0.3, 0.2, 0.12);
  path.cubicTo(0.35, 0.02, 0.48, 0.12, 0.5, 0.28);
  path.cubicTo(0.52, 0.12, 0.65, 0.02, 0.8, 0.12);
  path.cubicTo(1.05, 0.3, 0.95, 0.6, 0.5, 0.95);
  path.closeSubpath();
  return path;
}

QPainterPath DiamondPath() {
  QPainterPath path;
  path.moveTo(0.5, 0.02);
  path.quadTo(0.7, 0.3, 0.88, 0.5);
  path.quadTo(0.7, 0.7, 0.5, 0.98);
  path.quadTo(0.3, 0.7, 0.12, 0.5);
  path.quadTo(0.3, 0.3, 0.5, 0.02);
  path.closeSubpath();
  return path;
}

QPainterPath StemPath() {
  QPainterPath stem;
  stem.moveTo(0.46, 0.6);
  stem.quadTo(0.45, 0.85, 0.3, 0.98);
  stem.lineTo(0.7, 0.98);
  stem.quadTo(0.55, 0.85, 0.54, 0.6);
  stem.closeSubpath();
  return stem;
}

QPainterPath SpadePath() {
  QPainterPath path;
  path.moveTo(0.5, 0.02);
  path.cubicTo(0.95, 0.38, 1.05, 0.62, 0.78, 0.74);
  path.cubicTo(0.64, 0.8, 0.53, 0.72, 0.5, 0.62);
  path.cubicTo(0.47, 0.72, 0.36, 0.8, 0.22, 0.74);
  path.cubicTo(-0.05, 0.62, 0.05, 0.38, 0.5, 0.02);
  path.closeSubpath();
  return path.united(StemPath());
}

QPainterPath ClubPath() {
  QPainterPath path;
  path.addEllipse(QPointF(0.5, 0.25), 0.21, 0.21);
  path.addEllipse(QPointF(0.27, 0.56), 0.21, 0.21);
  path.addEllipse(QPointF(0.73, 0.56), 0.21, 0.21);
  path.addRect(QRectF(0.42, 0.3, 0.16, 0.3));
  path.setFillRule(Qt::WindingFill);
  return path.simplified().united(StemPath());
}

}  // namespace

void DrawSuitSymbol(QPainter& p, const QRectF& box, ArtSuit suit) {
  const qreal side = std::min(box.width(), box.height());
  const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
  QPainterPath path;
  switch (suit) {
    case ArtSuit::kHearts:
      path = HeartPath();
      break;
    case ArtSuit::kDiamonds:
      path = DiamondPath();
      break;
    case ArtSuit::kSpades:
      path = SpadePath();
      break;
    case ArtSuit::kClubs:
      path = ClubPath();
      break;
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(square.topLeft());
  p.scale(side, side);
  p.setPen(Qt::NoPen);
  p.setBrush(SuitColor(suit));
  p.drawPath(path);
  p.restore();
}

void DrawCardFace(QPainter& p, const QRectF& card, const QString& rank, ArtSuit suit) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal radius = std::max<qreal>(1.0, card.width() * 0.08);
  p.setPen(QPen(QColor(90, 90, 100), std::max<qreal>(1.0, card.width() / 60.0)));
  p.setBrush(Qt::white);
  p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  const qreal w = card.width();
  if (!rank.isEmpty() && w >= 24) {
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPixelSize(std::max(8, static_cast<int>(w * 0.22)));
    p.setFont(font);
    p.setPen(SuitColor(suit));
    const QRectF corner(card.left() + w * 0.07, card.top() + w * 0.04, w * 0.3, w * 0.26);
    p.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, rank);
    DrawSuitSymbol(p, QRectF(corner.left() + w * 0.04, corner.bottom(), w * 0.22, w * 0.22), suit);
  }
  const qreal big = w * (rank.isEmpty() ? 0.7 : 0.5);
  const QRectF centre(card.center().x() - big / 2, card.center().y() - big / 2, big, big);
  DrawSuitSymbol(p, centre.translated(rank.isEmpty() ? 0 : w * 0.06, rank.isEmpty() ? 0 : w * 0.1),
                 suit);
  p.restore();
}

void DrawCardBack(QPainter& p, const QRectF& card) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal radius = std::max<qreal>(1.0, card.width() * 0.08);
  p.setPen(QPen(QColor(60, 70, 110), std::max<qreal>(1.0, card.width() / 60.0)));
  p.setBrush(Qt::white);
  p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  const qreal inset = std::max<qreal>(2.0, card.width() * 0.08);
  const QRectF inner = card.adjusted(inset, inset, -inset, -inset);
  QLinearGradient fill(inner.topLeft(), inner.bottomRight());
  fill.setColorAt(0, QColor(90, 130, 210));
  fill.setColorAt(1, QColor(40, 70, 150));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(inner, radius / 2, radius / 2);
  p.setClipRect(inner);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
  const qreal step = std::max<qreal>(4.0, card.width() / 8.0);
  for (qreal d = -inner.height(); d < inner.width(); d += step) {
    p.drawLine(QPointF(inner.left() + d, inner.top()),
               QPointF(inner.left() + d + inner.height(), inner.bottom()));
    p.drawLine(QPointF(inner.left() + d + inner.height(), inner.top()),
               QPointF(inner.left() + d, inner.bottom()));
  }
  p.restore();
}

}  // namespace tarlyk

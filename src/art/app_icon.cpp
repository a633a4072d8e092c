#include "art/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "art/art_texts.h"
#include "art/card_art.h"

namespace tarlyk {

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;

  // Rounded square in the table's resting colours.
  const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
  QLinearGradient table(tile.topLeft(), tile.bottomLeft());
  table.setColorAt(0, QColor(218, 234, 253));
  table.setColorAt(1, QColor(136, 174, 228));
  p.setPen(QPen(QColor(70, 100, 160), std::max<qreal>(1.0, s / 32.0)));
  p.setBrush(table);
  p.drawRoundedRect(tile, s * 0.18, s * 0.18);

  // Two fanned cards: a spade behind, a heart in front.
  const qreal cw = s * 0.46;
  const qreal ch = cw * 96.0 / 71.0;
  const QRectF card(-cw / 2, -ch / 2, cw, ch);
  const QString rank = size >= 48 ? QString::fromUtf8(kAceLetter) : QString();
  p.save();
  p.translate(s * 0.42, s * 0.52);
  p.rotate(-14);
  DrawCardFace(p, card, rank, ArtSuit::kSpades);
  p.restore();
  p.save();
  p.translate(s * 0.6, s * 0.5);
  p.rotate(12);
  DrawCardFace(p, card, rank, ArtSuit::kHearts);
  p.restore();
  return image;
}

}  // namespace tarlyk

#include "art/title_picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

#include "art/art_texts.h"
#include "art/device_size.h"
#include "art/fonts.h"

namespace tarlyk {

namespace {

enum class Suit { kSpades, kHearts, kDiamonds, kClubs };

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                          static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                          static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t));
}

// A suit sign of height h centred on (0, 0).
QPainterPath SuitPath(Suit suit, double h) {
  QPainterPath path;
  const double r = h * 0.27;
  switch (suit) {
    case Suit::kHearts: {
      path.moveTo(0, h * 0.5);
      path.cubicTo(-h * 0.55, h * 0.05, -h * 0.6, -h * 0.45, -h * 0.25, -h * 0.5);
      path.cubicTo(-h * 0.1, -h * 0.52, 0, -h * 0.4, 0, -h * 0.28);
      path.cubicTo(0, -h * 0.4, h * 0.1, -h * 0.52, h * 0.25, -h * 0.5);
      path.cubicTo(h * 0.6, -h * 0.45, h * 0.55, h * 0.05, 0, h * 0.5);
      break;
    }
    case Suit::kDiamonds:
      path.moveTo(0, -h * 0.5);
      path.quadTo(h * 0.15, -h * 0.2, h * 0.38, 0);
      path.quadTo(h * 0.15, h * 0.2, 0, h * 0.5);
      path.quadTo(-h * 0.15, h * 0.2, -h * 0.38, 0);
      path.quadTo(-h * 0.15, -h * 0.2, 0, -h * 0.5);
      break;
    case Suit::kSpades: {
      path.moveTo(0, -h * 0.5);
      path.cubicTo(h * 0.15, -h * 0.25, h * 0.55, -h * 0.05, h * 0.45, h * 0.2);
      path.cubicTo(h * 0.38, h * 0.38, h * 0.1, h * 0.35, h * 0.03, h * 0.18);
      path.quadTo(h * 0.08, h * 0.42, h * 0.22, h * 0.5);
      path.lineTo(-h * 0.22, h * 0.5);
      path.quadTo(-h * 0.08, h * 0.42, -h * 0.03, h * 0.18);
      path.cubicTo(-h * 0.1, h * 0.35, -h * 0.38, h * 0.38, -h * 0.45, h * 0.2);
      path.cubicTo(-h * 0.55, -h * 0.05, -h * 0.15, -h * 0.25, 0, -h * 0.5);
      break;
    }
    case Suit::kClubs: {
      const auto ball = [](QPointF c, double radius) {
        QPainterPath b;
        b.addEllipse(c, radius, radius);
        return b;
      };
      path = ball(QPointF(0, -h * 0.22), r)
                 .united(ball(QPointF(-h * 0.24, h * 0.1), r))
                 .united(ball(QPointF(h * 0.24, h * 0.1), r))
                 .united(ball(QPointF(0, h * 0.02), r * 0.6));
      QPainterPath stem;
      stem.moveTo(-h * 0.03, h * 0.05);
      stem.quadTo(h * 0.0, h * 0.35, -h * 0.2, h * 0.5);
      stem.lineTo(h * 0.2, h * 0.5);
      stem.quadTo(h * 0.0, h * 0.35, h * 0.03, h * 0.05);
      stem.closeSubpath();
      path = path.united(stem);
      break;
    }
  }
  path.setFillRule(Qt::WindingFill);
  return path;
}

QColor SuitColor(Suit suit) {
  return suit == Suit::kHearts || suit == Suit::kDiamonds ? QColor(196, 24, 32)
                                                          : QColor(24, 24, 36);
}

// The signs at height 100, built once: the clubs' unions are the costly part.
const QPainterPath& CachedSuitPath(Suit suit) {
  static const std::array<QPainterPath, 4> paths = {
      SuitPath(Suit::kSpades, 100), SuitPath(Suit::kHearts, 100), SuitPath(Suit::kDiamonds, 100),
      SuitPath(Suit::kClubs, 100)};
  return paths[static_cast<size_t>(suit)];
}

void DrawSuit(QPainter& p, Suit suit, QPointF centre, double h, int alpha = 255) {
  p.save();
  p.translate(centre);
  p.scale(h / 100, h / 100);
  p.setPen(Qt::NoPen);
  QColor color = SuitColor(suit);
  color.setAlpha(alpha);
  p.setBrush(color);
  p.drawPath(CachedSuitPath(suit));
  p.restore();
}

// One card face, w x h, with its top-left corner at (0, 0) of the painter.
void DrawCard(QPainter& p, const QString& rank, Suit suit, double w, double h) {
  const QRectF card(0, 0, w, h);
  // Soft shadow first.
  for (int i = 6; i >= 2; i -= 2) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 20));
    p.drawRoundedRect(
        card.translated(i * 0.8, i * 1.1).adjusted(-i * 0.4, -i * 0.4, i * 0.4, i * 0.4), 8, 8);
  }
  QLinearGradient paper(0, 0, w, h);
  paper.setColorAt(0, QColor(255, 255, 255));
  paper.setColorAt(1, QColor(238, 240, 246));
  p.setBrush(paper);
  p.setPen(QPen(QColor(120, 124, 140), 1.2));
  p.drawRoundedRect(card, 7, 7);

  const QColor ink = SuitColor(suit);
  QFont font = TahomaPx(static_cast<int>(h * 0.15), true);
  p.setFont(font);
  p.setPen(ink);
  const QRectF corner(w * 0.05, h * 0.03, w * 0.3, h * 0.17);
  p.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, rank);
  DrawSuit(p, suit, QPointF(corner.center().x(), h * 0.26), h * 0.1);
  p.save();
  p.translate(w, h);
  p.rotate(180);
  p.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, rank);
  DrawSuit(p, suit, QPointF(corner.center().x(), h * 0.26), h * 0.1);
  p.restore();

  // The big sign in the middle, framed for the picture cards.
  if (rank.size() == 1 && rank != QString::fromUtf8(kAceLetter)) {
    const QRectF frame(w * 0.24, h * 0.16, w * 0.52, h * 0.68);
    QLinearGradient fill(frame.topLeft(), frame.bottomRight());
    fill.setColorAt(0, Mix(ink, Qt::white, 0.88));
    fill.setColorAt(1, Mix(ink, Qt::white, 0.72));
    p.setBrush(fill);
    p.setPen(QPen(Mix(ink, Qt::white, 0.35), 1));
    p.drawRoundedRect(frame, 3, 3);
    p.setFont(TahomaPx(static_cast<int>(h * 0.3), true));
    p.setPen(Mix(ink, Qt::white, 0.15));
    p.drawText(frame.adjusted(0, 0, 0, -h * 0.2), Qt::AlignCenter, rank);
    DrawSuit(p, suit, QPointF(w * 0.5, h * 0.66), h * 0.18);
  } else {
    DrawSuit(p, suit, QPointF(w * 0.5, h * 0.52), h * 0.36);
  }
}

// Text with a soft shadow, a light outline and a vertical gradient fill.
void DrawLettering(QPainter& p, const QString& text, const QFont& font, QPointF baselineCentre,
                   const QColor& top, const QColor& bottom, double outline) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  path.translate(baselineCentre.x() - box.center().x(), baselineCentre.y());
  const QRectF placed = path.boundingRect();
  const qreal ratio = p.device()->devicePixelRatioF();
  // The soft shadow: the text filled at a quarter of the size and drawn back enlarged
  // with smooth scaling, which blurs it. Stroking the outline with wide pens costs
  // ten times as much.
  constexpr double kShrink = 4;
  const QRectF shadowBox = placed.adjusted(-8, -8, 8, 8);
  QImage shadow(DeviceSize(QSize(static_cast<int>(shadowBox.width() / kShrink) + 1,
                                 static_cast<int>(shadowBox.height() / kShrink) + 1),
                           ratio),
                QImage::Format_ARGB32_Premultiplied);
  shadow.setDevicePixelRatio(ratio);
  shadow.fill(Qt::transparent);
  {
    QPainter sp(&shadow);
    sp.setRenderHint(QPainter::Antialiasing);
    sp.scale(1 / kShrink, 1 / kShrink);
    sp.translate(-shadowBox.topLeft());
    sp.setPen(QPen(QColor(0, 0, 40, 70), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    sp.setBrush(QColor(0, 0, 40, 70));
    sp.drawPath(path);
  }
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(shadowBox.topLeft() + QPointF(3, 4), shadow.deviceIndependentSize() * kShrink),
              shadow);
  p.restore();
  p.setPen(QPen(QColor(255, 255, 255, 235), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  QLinearGradient fill(0, placed.top(), 0, placed.bottom());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

}  // namespace

QImage DrawTitlePicture(QSize size, const QColor& table, const QColor& shade, qreal ratio) {
  QImage image(DeviceSize(size, ratio), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  const double w = size.width();
  const double h = size.height();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Table colours: a light middle fading to the shade at the edges.
  QRadialGradient glow(QPointF(w / 2, h * 0.42), w * 0.62);
  glow.setColorAt(0, Mix(table, Qt::white, 0.55));
  glow.setColorAt(0.55, table);
  glow.setColorAt(1, shade);
  p.fillRect(QRectF(0, 0, w, h), glow);
  QLinearGradient topBand(0, 0, 0, 18);
  topBand.setColorAt(0, shade);
  topBand.setColorAt(1, QColor(shade.red(), shade.green(), shade.blue(), 0));
  p.fillRect(QRectF(0, 0, w, 18), topBand);
  QLinearGradient bottomBand(0, h - 18, 0, h);
  bottomBand.setColorAt(0, QColor(shade.red(), shade.green(), shade.blue(), 0));
  bottomBand.setColorAt(1, shade);
  p.fillRect(QRectF(0, h - 18, w, 18), bottomBand);

  // Faint suit signs scattered over the cloth.
  const std::array<Suit, 4> suits = {Suit::kSpades, Suit::kHearts, Suit::kClubs, Suit::kDiamonds};
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 9; ++col) {
      const double x = w * (col + 0.5 + (row % 2) * 0.5) / 9.0;
      const double y = h * (row + 0.5) / 5.0;
      DrawSuit(p, suits[static_cast<size_t>((row + col) % 4)], QPointF(x, y), h * 0.06, 26);
    }
  }

  // A fan of five cards held from below.
  struct FanCard {
    const char* rank;
    Suit suit;
  };
  const std::array<FanCard, 5> fan = {{{kJackLetter, Suit::kDiamonds},
                                       {kQueenLetter, Suit::kClubs},
                                       {kKingLetter, Suit::kHearts},
                                       {kAceLetter, Suit::kSpades},
                                       {"10", Suit::kHearts}}};
  const double cw = h * 0.22;
  const double ch = cw * 96.0 / 71.0;
  const QPointF pivot(w / 2, h * 0.62);
  // Each card is drawn upright into a picture of its own and then turned: turned text
  // would be drawn as outlines, which costs several times as much.
  constexpr int kMargin = 4;
  constexpr int kShadowRoom = 10;
  const QSize cardSize(static_cast<int>(cw) + kMargin + kShadowRoom,
                       static_cast<int>(ch) + kMargin + kShadowRoom);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (size_t i = 0; i < fan.size(); ++i) {
    QImage card(DeviceSize(cardSize, ratio), QImage::Format_ARGB32_Premultiplied);
    card.setDevicePixelRatio(ratio);
    card.fill(Qt::transparent);
    {
      QPainter cp(&card);
      cp.setRenderHint(QPainter::Antialiasing);
      cp.setRenderHint(QPainter::TextAntialiasing);
      cp.translate(kMargin, kMargin);
      DrawCard(cp, QString::fromUtf8(fan[i].rank), fan[i].suit, cw, ch);
    }
    p.save();
    p.translate(pivot);
    p.rotate(-36.0 + 18.0 * static_cast<double>(i));
    p.translate(-cw / 2, -ch - h * 0.1);
    p.drawImage(QPointF(-kMargin, -kMargin), card);
    p.restore();
  }

  // The name and the subtitle.
  QFont title = TahomaPx(static_cast<int>(h * 0.16), true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  DrawLettering(p, QString::fromUtf8(kGameName), title, QPointF(w / 2, h * 0.8),
                QColor(40, 72, 160), QColor(10, 28, 84), 6);
  QFont subtitle = TahomaPx(static_cast<int>(h * 0.055), true);
  subtitle.setItalic(true);
  subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  const QString kind = QString::fromUtf8(kGameKind);
  DrawLettering(p, kind, subtitle, QPointF(w / 2, h * 0.9), QColor(150, 30, 40), QColor(96, 12, 20),
                4);

  // Ornamental rules either side of the subtitle.
  QPainterPath sub;
  sub.addText(0, 0, subtitle, kind);
  const double half = sub.boundingRect().width() / 2 + 18;
  p.setPen(QPen(Mix(shade, QColor(10, 28, 84), 0.5), 1.5));
  const double ry = h * 0.9 - h * 0.018;
  p.drawLine(QPointF(w / 2 - half - 110, ry), QPointF(w / 2 - half, ry));
  p.drawLine(QPointF(w / 2 + half, ry), QPointF(w / 2 + half + 110, ry));
  DrawSuit(p, Suit::kDiamonds, QPointF(w / 2 - half - 118, ry), 12);
  DrawSuit(p, Suit::kDiamonds, QPointF(w / 2 + half + 118, ry), 12);
  p.end();
  return image;
}

}  // namespace tarlyk

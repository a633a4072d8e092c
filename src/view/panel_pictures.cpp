#include "view/panel_pictures.h"

#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include "view/scaled_cards.h"

// The view library is static, so its resources have to be registered by hand.
static void initViewAssets() {
  Q_INIT_RESOURCE(view_assets);
}

namespace tarlyk {
namespace {

// A built-in player picture: the artwork laid over the panel background colour, at
// `size` pixels square. A missing resource still yields a plain picture, never a null one.
QImage loadIcon(const QString& resource, int size = kIconSize) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(PanelPictures::kIconBackground);
  // Named as PNG: guessing the format would load every image format plugin installed.
  QImageReader reader(resource, "png");
  reader.setAutoDetectImageFormat(false);
  const QImage art = reader.read();
  if (!art.isNull()) {
    QPainter p(&icon);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, size, size), art);
  }
  return icon;
}

const char* const kIconNames[2] = {"computer", "person"};

struct RibbonColours {
  QColor light, mid, dark;  // the band's gradient, top to bottom
  QColor edge;              // outline
  QColor tail;              // the folded-back ends
  QColor ink;               // the numerals
  QColor inkLight;          // the numerals' lower highlight (engraved look)
};

RibbonColours coloursFor(int index) {
  switch (index) {
    case kRibbonGold:
      return {QColor(255, 240, 150), QColor(236, 184, 34), QColor(186, 132, 10), QColor(118, 80, 0),
              QColor(176, 124, 8),   QColor(98, 62, 0),    QColor(255, 236, 160)};
    case kRibbonSilver:
      return {QColor(252, 252, 254), QColor(200, 204, 212), QColor(146, 152, 164),
              QColor(84, 88, 100),   QColor(150, 155, 167), QColor(56, 60, 72),
              QColor(245, 246, 250)};
    default:
      return {QColor(246, 204, 160), QColor(206, 128, 52), QColor(150, 84, 28),  QColor(96, 48, 14),
              QColor(150, 86, 30),   QColor(74, 36, 8),    QColor(248, 208, 166)};
  }
}

// The ribbon's outline: a band across the middle with two swallow-tailed ends that hang
// a little lower, as if folded behind it.
QPolygonF leftTail(qreal inset) {
  return QPolygonF({QPointF(0.5 + inset, 4.0 + inset), QPointF(10.0, 4.0 + inset),
                    QPointF(10.0, 16.5 - inset), QPointF(0.5 + inset, 16.5 - inset),
                    QPointF(4.5 + inset, 10.25)});
}

QPolygonF mirrored(const QPolygonF& poly) {
  QPolygonF out;
  for (const QPointF& pt : poly) out << QPointF(kRibbonWidth - pt.x(), pt.y());
  return out;
}

QRectF band(qreal inset) {
  return QRectF(6.5 + inset, 0.5 + inset, 43.0 - 2 * inset, 13.0 - 2 * inset);
}

// The outline filled in one colour: the two ends and the band, each painted whole so
// their overlaps stay solid.
void fillOutline(QPainter& p, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(leftTail(0));
  p.drawPolygon(mirrored(leftTail(0)));
  p.drawRoundedRect(band(0), 1.5, 1.5);
}

// Roman numeral of `count` strokes, drawn as serifed bars so it stays crisp at this size
// whatever fonts the system has.
void drawNumeral(QPainter& p, int count, const QColor& ink, const QColor& light) {
  constexpr int kGlyph = 4, kGap = 1, kTop = 3, kHeight = 8;
  const int width = count * kGlyph + (count - 1) * kGap;
  const int left = (kRibbonWidth - width) / 2;
  for (int i = 0; i < count; ++i) {
    const int x = left + i * (kGlyph + kGap);
    p.fillRect(x, kTop + kHeight, kGlyph, 1, light);    // highlight under the foot
    p.fillRect(x, kTop, kGlyph, 1, ink);                // top serif
    p.fillRect(x + 1, kTop + 1, 2, kHeight - 2, ink);   // stem
    p.fillRect(x, kTop + kHeight - 1, kGlyph, 1, ink);  // foot serif
  }
}

}  // namespace

QImage DrawRibbon(int index, qreal scale) {
  const QSize size = DeviceSize(QSize(kRibbonWidth, kRibbonHeight), scale);
  QImage img(size, QImage::Format_ARGB32_Premultiplied);
  const auto begin = [&](QPainter& p) {
    if (scale != 1.0) {
      p.scale(static_cast<qreal>(size.width()) / kRibbonWidth,
              static_cast<qreal>(size.height()) / kRibbonHeight);
    }
    p.setRenderHint(QPainter::Antialiasing);
  };
  if (index == kRibbonShape) {
    img.fill(Qt::black);
    QPainter p(&img);
    begin(p);
    fillOutline(p, Qt::white);
    return img;
  }
  const RibbonColours c = coloursFor(index);
  // The whole picture starts in the outline colour, so the shape's soft edge blends the
  // table with the outline rather than with a stray background.
  img.fill(c.edge);
  QPainter p(&img);
  begin(p);
  p.setPen(Qt::NoPen);

  // Ends, darker, as the back side of the ribbon.
  QLinearGradient tailGrad(0, 4, 0, 17);
  tailGrad.setColorAt(0.0, c.mid);
  tailGrad.setColorAt(1.0, c.tail);
  p.setBrush(tailGrad);
  p.drawPolygon(leftTail(1.0));
  p.drawPolygon(mirrored(leftTail(1.0)));
  // The folds where the ends go behind the band.
  p.setBrush(c.edge);
  p.drawPolygon(QPolygonF({QPointF(6.5, 13.5), QPointF(10.0, 13.5), QPointF(10.0, 16.0)}));
  p.drawPolygon(QPolygonF({QPointF(kRibbonWidth - 6.5, 13.5), QPointF(kRibbonWidth - 10.0, 13.5),
                           QPointF(kRibbonWidth - 10.0, 16.0)}));

  // The band, with a metallic sheen: light at the top, a bright streak, darker below.
  p.setBrush(c.edge);
  p.drawRoundedRect(band(0), 1.5, 1.5);
  QLinearGradient bandGrad(0, 1, 0, 13);
  bandGrad.setColorAt(0.0, c.light);
  bandGrad.setColorAt(0.35, c.mid);
  bandGrad.setColorAt(0.55, c.light);
  bandGrad.setColorAt(1.0, c.dark);
  p.setBrush(bandGrad);
  p.drawRoundedRect(band(1.0), 1.0, 1.0);

  p.setRenderHint(QPainter::Antialiasing, false);
  const int strokes = index == kRibbonGold ? 1 : (index == kRibbonSilver ? 2 : 3);
  drawNumeral(p, strokes, c.ink, c.inkLight);
  return img;
}

PanelPictures::PanelPictures() {
  initViewAssets();
  ilIcons[0] = loadIcon(QStringLiteral(":/panels/computer.png"));
  ilIcons[1] = loadIcon(QStringLiteral(":/panels/person.png"));
  for (int i = 0; i < 4; ++i) ilPlaces[static_cast<size_t>(i)] = DrawRibbon(i);
  for (size_t i = 0; i < ilIcons.size(); ++i) builtInIcons_[i] = ilIcons[i].cacheKey();
  for (size_t i = 0; i < ilPlaces.size(); ++i) builtInPlaces_[i] = ilPlaces[i].cacheKey();
}

bool PanelPictures::IsBuiltInIcon(int i) const {
  const size_t k = static_cast<size_t>(i);
  return !ilIcons[k].isNull() && ilIcons[k].cacheKey() == builtInIcons_[k];
}

bool PanelPictures::IsBuiltInPlace(int i) const {
  const size_t k = static_cast<size_t>(i);
  return !ilPlaces[k].isNull() && ilPlaces[k].cacheKey() == builtInPlaces_[k];
}

ScaledPanelPictures::ScaledPanelPictures(const PanelPictures& pictures, qreal scale)
    : pictures_(pictures), scale_(scale) {}

const QImage& ScaledPanelPictures::Icon(int i) {
  QImage& icon = icons_[static_cast<size_t>(i)];
  if (icon.isNull()) {
    const int size = DevicePixel(kIconSize, scale_);
    if (pictures_.IsBuiltInIcon(i)) {
      // The rendering at two or three times the size that fits best, reduced smoothly
      // when the ratio lies between.
      const int rendered = scale_ <= 2.0 ? 2 : 3;
      icon = loadIcon(QStringLiteral(":/panels/%1-%2.png")
                          .arg(QLatin1String(kIconNames[i]))
                          .arg(kIconSize * rendered),
                      size);
    } else if (const QImage& small = pictures_.ilIcons[static_cast<size_t>(i)]; !small.isNull()) {
      icon = small.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
  }
  return icon;
}

const QImage& ScaledPanelPictures::Place(int i) {
  QImage& place = places_[static_cast<size_t>(i)];
  if (place.isNull()) {
    if (pictures_.IsBuiltInPlace(i)) {
      place = DrawRibbon(i, scale_);
    } else if (const QImage& small = pictures_.ilPlaces[static_cast<size_t>(i)]; !small.isNull()) {
      place = small
                  .scaled(DeviceSize(small.size(), scale_), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
  }
  return place;
}

}  // namespace tarlyk

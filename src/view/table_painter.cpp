#include "view/table_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "game/hand_layout.h"
#include "game/piles.h"
#include "game/rounding.h"
#include "view/player_panels.h"
#include "view/view_texts.h"

namespace tarlyk {
namespace {

constexpr int kTextHeight = 13;  // line height of the table font

// Styles of marking the cards that may not be played now.
constexpr int kMarkTint = 0;
constexpr int kMarkEmboss = 1;

template <size_t N>
const QImage* pick(const std::array<QImage, N>& list, int index) {
  if (index < 0 || index >= static_cast<int>(N)) return nullptr;
  const QImage& img = list[static_cast<size_t>(index)];
  return img.isNull() ? nullptr : &img;
}

void draw(QPainter& p, int x, int y, const QImage* img) {
  if (img) p.drawImage(x, y, *img);
}

// A card face in one of the three marking styles for unplayable cards.
void drawMarked(QPainter& p, QImage& target, int x, int y, const CardImages& images,
                const InkCache& inkCache, int id, int style, const TablePalette& palette) {
  if (style == kMarkTint) {
    draw(p, x, y, pick(images.ilLightCards, id));
  } else if (style == kMarkEmboss) {
    if (const QImage* img = pick(images.ilCards, id))
      DrawEmbossed(target, x, y, inkCache.For(id, *img), palette.highlight, palette.shadow);
  } else {
    draw(p, x, y, pick(images.ilCards, id));
  }
}

// The cards in play: the attacker's row first from x 75, the defender's on top from x 78.
void PaintDesk(QPainter& p, const TdmData& d, const CardImages& images, int h) {
  const int humanY = RoundHalfEvenInt((h - 346) / 2.0 + 149);
  const int cpuY = RoundHalfEvenInt((h - 346) / 2.0 + 101);
  auto row = [&](int firstSlot, int x, int y) {
    for (int i = firstSlot; i < firstSlot + 6; ++i) {
      const TCardRec& c = d.DeskCards[static_cast<size_t>(i)];
      if (!IsPresent(c)) continue;
      draw(p, x, y, pick(images.ilCards, c.ID));
      x += 79;
    }
  };
  if (d.WhoGoing == 0) {
    row(0, 75, humanY);
    row(6, 78, cpuY);
  } else {
    row(6, 75, cpuY);
    row(0, 78, humanY);
  }
}

// The stock: the counter text, then the trump card with the turned backs across it.
void PaintColoda(QPainter& p, QImage& target, const TdmData& d, const CardImages& images,
                 const InkCache& inkCache, const TablePalette& palette, int w, int h) {
  const int n = GetCardsCount(d.ColodaCards);
  const int x = RoundHalfEvenInt(w - 116 + 12.5);
  const int y = RoundHalfEvenInt((h - 323 - kTextHeight) / 2.0 + 101);

  const QString text = ColodaCounterText(n);
  const int shift = RoundHalfEvenInt((p.fontMetrics().horizontalAdvance(text) - kCardWidth) / 2.0);
  DrawTableText(p, x - shift, y + 116, text, palette);

  // Before the first deal there is no trump card to show.
  const bool haveTrump = IsPresent(d.KozirCard);
  if (n >= 1 && haveTrump) draw(p, x, y, pick(images.ilCards, d.KozirCard.ID));
  if (n >= 2) {
    const QImage* back = pick(images.ilShorts90, images.ActiveShortID);
    for (int i = 0; i <= n / 8; ++i) draw(p, x - 12 + 2 * i, y + 35 + 2 * i, back);
  }
  if (n == 0 && haveTrump && d.Options().ShowSuperCard())
    drawMarked(p, target, x, y, images, inkCache, d.KozirCard.ID, d.Options().DisabledCardsType(),
               palette);
}

// The computer's hand along the top: backs while a game runs, faces otherwise.
void PaintCPU(QPainter& p, const TdmData& d, const CardImages& images, int w) {
  const int n = GetCardsCount(d.CPUCards);
  const QImage* back = pick(images.ilShorts, images.ActiveShortID);
  int k = 0;
  for (const TCardRec& c : d.CPUCards) {
    if (!IsPresent(c)) continue;
    draw(p, HandCardX(k++, n, w), 5, d.GameActive ? back : pick(images.ilCards, c.ID));
  }
}

// The person's hand along the bottom, the cards that may not be played now marked.
void PaintUser(QPainter& p, QImage& target, const TdmData& d, const CardImages& images,
               const InkCache& inkCache, const TablePalette& palette, int w, int h) {
  const int n = GetCardsCount(d.UserCards);
  const int style = d.Options().DisabledCardsType();
  const bool goMode = d.WhoGoing == 0;
  int k = 0;
  for (const TCardRec& c : d.UserCards) {
    if (!IsPresent(c)) continue;
    const int x = HandCardX(k++, n, w);
    if (style == kMarkTint || style == kMarkEmboss) {
      if (!d.ApplyRules(c, goMode)) {
        drawMarked(p, target, x, h - 101, images, inkCache, c.ID, style, palette);
        continue;
      }
    }
    draw(p, x, h - 101, pick(images.ilCards, c.ID));
  }
}

inline bool isInk(QRgb px) {
  if (qAlpha(px) == 255) return px != 0xFFFFFFFFu;
  if (qAlpha(px) < 128) return false;  // transparent, as a one-bit mask would see it
  return (qUnpremultiply(px) & 0x00FFFFFFu) != 0x00FFFFFFu;
}

void fillRow(QImage& img, int y, QRgb colour) {
  auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
  std::fill_n(line, img.width(), colour);
}

// The keyboard's mark: a two-pixel frame just outside the visible part of the marked
// card, white under black dashes, so that it shows on every card and table colour. Drawn
// in logical coordinates, so it lands on the same pixels of the card at any scale.
void PaintHandMark(QPainter& p, const TdmData& d, int position, int w, int h) {
  const QRect card = HandCardVisibleRect(position, GetCardsCount(d.UserCards), w, h);
  if (card.isEmpty()) return;
  const QRectF frame = QRectF(card).adjusted(-1, -1, 1, 1);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  QPen pen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.drawRect(frame);
  pen.setColor(Qt::black);
  pen.setDashPattern({2, 2});
  p.setPen(pen);
  p.drawRect(frame);
  p.restore();
}

}  // namespace

QString ColodaCounterText(int n) {
  static const QString count = QString::fromUtf8(kStockCount);
  static const QString empty = QString::fromUtf8(kStockEmpty);
  return n >= 1 ? count + QString::number(n) : empty;
}

QRect HandCardVisibleRect(int position, int n, int w, int h) {
  if (position < 1 || position > n) return {};
  const int x = HandCardX(position - 1, n, w);
  const int right =
      position < n ? std::min(x + kCardWidth, HandCardX(position, n, w)) : x + kCardWidth;
  return QRect(x, h - 101, right - x, kCardHeight);
}

const InkRuns& InkCache::For(int id, const QImage& image) const {
  InkRuns& slot = cache_[static_cast<size_t>(id)];
  if (slot.cacheKey != image.cacheKey()) slot = FindInk(image);
  return slot;
}

void PaintBG(QImage& img, const TablePalette& palette) {
  img.fill(palette.tableColor);
  const int h = img.height();
  for (int i = 0; i <= 15; ++i) {
    // Per channel (c1 * (15 - i) + c2 * i) / 15 to the nearest integer; 15 is odd, so no
    // exact halves arise and integer rounding is exact.
    auto channel = [i](int c1, int c2) { return (c1 * (15 - i) + c2 * i + 7) / 15; };
    const QRgb c1 = palette.tableColor, c2 = palette.shadeColor;
    const QRgb colour = qRgb(channel(qRed(c1), qRed(c2)), channel(qGreen(c1), qGreen(c2)),
                             channel(qBlue(c1), qBlue(c2)));
    for (int y : {15 - i, 91 + i, h - 91 - i, h - 15 + i})
      if (y >= 0 && y < h) fillRow(img, y, colour);
  }
}

InkRuns FindInk(const QImage& image) {
  const QImage src = image.format() == QImage::Format_ARGB32_Premultiplied
                         ? image
                         : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  InkRuns ink;
  ink.cacheKey = image.cacheKey();
  for (int y = 0; y < src.height(); ++y) {
    const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    int x = 0;
    while (x < src.width()) {
      while (x < src.width() && !isInk(s[x])) ++x;
      const int from = x;
      while (x < src.width() && isInk(s[x])) ++x;
      if (x > from) ink.runs.push_back({y, from, x});
    }
  }
  return ink;
}

void DrawInk(QImage& target, int x, int y, const InkRuns& ink, QRgb colour) {
  const int tw = target.width(), th = target.height();
  uchar* bits = target.bits();
  const qsizetype bpl = target.bytesPerLine();
  for (const InkRuns::Run& r : ink.runs) {
    const int ty = y + r.y;
    if (ty < 0 || ty >= th) continue;
    const int from = std::max(0, x + r.x0), to = std::min(tw, x + r.x1);
    if (from < to)
      std::fill(reinterpret_cast<QRgb*>(bits + ty * bpl) + from,
                reinterpret_cast<QRgb*>(bits + ty * bpl) + to, colour);
  }
}

void DrawEmbossed(QImage& target, int x, int y, const InkRuns& ink, QRgb highlight, QRgb shadow) {
  DrawInk(target, x + 1, y + 1, ink, highlight);
  DrawInk(target, x, y, ink, shadow);
}

TablePainter::TablePainter(const CardImages& images, const PanelPictures& pictures)
    : images_(images), pictures_(pictures) {}

void TablePainter::Paint(QImage& paintBitmap, const TdmData& data, const TablePalette& palette,
                         const QFont& font, int markedCard) const {
  if (paintBitmap.isNull()) return;
  if (paintBitmap.format() != QImage::Format_ARGB32_Premultiplied &&
      paintBitmap.format() != QImage::Format_RGB32)
    paintBitmap.convertTo(QImage::Format_ARGB32_Premultiplied);
  const int w = paintBitmap.width(), h = paintBitmap.height();

  PaintBG(paintBitmap, palette);
  QPainter p(&paintBitmap);
  p.setFont(font);
  PaintDesk(p, data, images_, h);
  PaintIcons(p, paintBitmap, pictures_, palette, QString::fromStdString(data.PlayerName),
             data.Score().Wins, data.Score().Loses, data.Options().ShowMedals());
  PaintColoda(p, paintBitmap, data, images_, inkCache_, palette, w, h);
  PaintCPU(p, data, images_, w);
  PaintUser(p, paintBitmap, data, images_, inkCache_, palette, w, h);
  if (markedCard > 0) PaintHandMark(p, data, markedCard, w, h);
}

}  // namespace tarlyk

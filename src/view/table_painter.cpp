#include "view/table_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "game/hand_layout.h"
#include "game/piles.h"
#include "game/rounding.h"
#include "view/table_canvas.h"
#include "view/view_texts.h"

namespace tarlyk {
namespace {

constexpr int kTextHeight = 13;  // line height of the table font

// Styles of marking the cards that may not be played now.
constexpr int kMarkTint = 0;
constexpr int kMarkEmboss = 1;

using Art = TableScene::Art;
using Card = TableScene::Card;

// A picture of a list by index; null when the index is outside the list or the picture
// is missing.
template <typename List>
const QImage* pick(const List& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  const QImage& img = list[static_cast<size_t>(index)];
  return img.isNull() ? nullptr : &img;
}

// A card face in one of the three marking styles for unplayable cards.
Art marked(int style) {
  if (style == kMarkTint) return Art::kLightFace;
  if (style == kMarkEmboss) return Art::kEmbossedFace;
  return Art::kFace;
}

// The cards in play: the attacker's row first from x 75, the defender's on top from x 78.
void ComposeDesk(std::vector<Card>& out, const TdmData& d, int h) {
  const int humanY = RoundHalfEvenInt((h - 346) / 2.0 + 149);
  const int cpuY = RoundHalfEvenInt((h - 346) / 2.0 + 101);
  auto row = [&](int firstSlot, int x, int y) {
    for (int i = firstSlot; i < firstSlot + 6; ++i) {
      const TCardRec& c = d.DeskCards[static_cast<size_t>(i)];
      if (!IsPresent(c)) continue;
      out.push_back({x, y, Art::kFace, c.ID});
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
void ComposeColoda(TableScene& s, const TdmData& d, int activeBack, const QFontMetrics& fm) {
  const int w = s.size.width(), h = s.size.height();
  const int n = GetCardsCount(d.ColodaCards);
  const int x = RoundHalfEvenInt(w - 116 + 12.5);
  const int y = RoundHalfEvenInt((h - 323 - kTextHeight) / 2.0 + 101);

  s.stockText.text = ColodaCounterText(n);
  const int shift = RoundHalfEvenInt((fm.horizontalAdvance(s.stockText.text) - kCardWidth) / 2.0);
  s.stockText.x = x - shift;
  s.stockText.y = y + 116;

  // Before the first deal there is no trump card to show.
  const bool haveTrump = IsPresent(d.KozirCard);
  if (n >= 1 && haveTrump) s.stock.push_back({x, y, Art::kFace, d.KozirCard.ID});
  if (n >= 2) {
    for (int i = 0; i <= n / 8; ++i)
      s.stock.push_back({x - 12 + 2 * i, y + 35 + 2 * i, Art::kTurnedBack, activeBack});
  }
  if (n == 0 && haveTrump && d.Options().ShowSuperCard())
    s.stock.push_back({x, y, marked(d.Options().DisabledCardsType()), d.KozirCard.ID});
}

// The computer's hand along the top: backs while a game runs, faces otherwise.
void ComposeCPU(std::vector<Card>& out, const TdmData& d, int activeBack, int w) {
  const int n = GetCardsCount(d.CPUCards);
  int k = 0;
  for (const TCardRec& c : d.CPUCards) {
    if (!IsPresent(c)) continue;
    const int x = HandCardX(k++, n, w);
    out.push_back(d.GameActive ? Card{x, 5, Art::kBack, activeBack} : Card{x, 5, Art::kFace, c.ID});
  }
}

// The person's hand along the bottom, the cards that may not be played now marked.
void ComposeUser(std::vector<Card>& out, const TdmData& d, int w, int h) {
  const int n = GetCardsCount(d.UserCards);
  const int style = d.Options().DisabledCardsType();
  const bool goMode = d.WhoGoing == 0;
  int k = 0;
  for (const TCardRec& c : d.UserCards) {
    if (!IsPresent(c)) continue;
    const int x = HandCardX(k++, n, w);
    const bool mark = (style == kMarkTint || style == kMarkEmboss) && !d.ApplyRules(c, goMode);
    out.push_back({x, h - 101, mark ? marked(style) : Art::kFace, c.ID});
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
// card (`card`, in table pixels), white under black dashes, so that it shows on every card
// and table colour. It is drawn in device pixels, on the ring between the card's device
// pixels and those two table pixels further out, so it meets the card without a seam at
// any ratio.
void PaintHandMark(TableCanvas& canvas, const QRect& card) {
  if (card.isEmpty()) return;
  const QRect inner = canvas.Px(card);
  const QRect outer = canvas.Px(card.adjusted(-2, -2, 2, 2));
  // At some ratios the sides differ by a device pixel: the pen covers the widest, and the
  // ring clips it.
  const int width = std::max({inner.left() - outer.left(), inner.top() - outer.top(),
                              outer.right() - inner.right(), outer.bottom() - inner.bottom()});
  const qreal half = width / 2.0;
  const QRectF frame = QRectF(outer).adjusted(half, half, -half, -half);
  QPainter& p = canvas.Pixels();
  p.save();
  p.setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  QPen pen(Qt::white, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.drawRect(frame);
  pen.setColor(Qt::black);
  pen.setDashPattern({2, 2});
  p.setPen(pen);
  p.drawRect(frame);
  p.restore();
}

// Draws one card of a scene. At ratio 1 the 71 x 96 pictures are drawn as they are; at
// other ratios `scaled` gives them at the device size, placed on whole device pixels.
void drawCard(TableCanvas& canvas, const Card& c, const CardImages& images, ScaledCards* scaled,
              const InkCache& inkCache, const TablePalette& palette) {
  const bool face = c.art == Art::kFace || c.art == Art::kLightFace || c.art == Art::kEmbossedFace;
  if (c.index < 0 || c.index >= (face ? 52 : kCardBackCount)) return;
  if (scaled == nullptr) {
    const QImage* img = nullptr;
    switch (c.art) {
      case Art::kFace:
        img = pick(images.ilCards, c.index);
        break;
      case Art::kLightFace:
        img = pick(images.ilLightCards, c.index);
        break;
      case Art::kEmbossedFace:
        if (const QImage* f = pick(images.ilCards, c.index))
          DrawEmbossed(canvas.Picture(), c.x, c.y, inkCache.For(c.index, *f), palette.highlight,
                       palette.shadow);
        return;
      case Art::kBack:
        img = pick(images.ilShorts, c.index);
        break;
      case Art::kTurnedBack:
        img = pick(images.ilShorts90, c.index);
        break;
    }
    if (img) canvas.Pixels().drawImage(c.x, c.y, *img);
    return;
  }
  switch (c.art) {
    case Art::kFace:
      canvas.Draw(c.x, c.y, scaled->Face(c.index), scaled->Mask());
      break;
    case Art::kLightFace:
      canvas.Draw(c.x, c.y, scaled->LightFace(c.index), scaled->Mask());
      break;
    case Art::kEmbossedFace:
      if (const QImage& f = scaled->Face(c.index); !f.isNull()) {
        // The light edge lies one table pixel right and down, at least one device pixel.
        const int offset = std::max(1, qRound(canvas.Scale()));
        DrawEmbossed(canvas.Picture(), canvas.Px(c.x), canvas.Px(c.y),
                     inkCache.For(c.index, f, scaled->Mask()), palette.highlight, palette.shadow,
                     offset);
      }
      break;
    case Art::kBack:
      canvas.Draw(c.x, c.y, scaled->Back(c.index));
      break;
    case Art::kTurnedBack:
      canvas.Draw(c.x, c.y, scaled->TurnedBack(c.index));
      break;
  }
}

// A premultiplied 32-bit picture to draw into, keeping its device pixel ratio.
bool ready(QImage& picture) {
  if (picture.isNull()) return false;
  if (picture.format() != QImage::Format_ARGB32_Premultiplied &&
      picture.format() != QImage::Format_RGB32)
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
  return true;
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

const InkRuns& InkCache::For(int id, const QImage& image, const CardMask& mask) const {
  InkRuns& slot = cache_[static_cast<size_t>(id)];
  if (slot.cacheKey != image.cacheKey()) {
    slot = FindInk(image);
    if (!mask.bands.empty()) {
      // What the mask hides is no ink: the runs are cut to the visible part of each row.
      std::vector<InkRuns::Run> kept;
      for (InkRuns::Run r : slot.runs) {
        const auto [x0, x1] = mask.Row(r.y);
        r.x0 = std::max(r.x0, x0);
        r.x1 = std::min(r.x1, x1);
        if (r.x0 < r.x1) kept.push_back(r);
      }
      slot.runs = std::move(kept);
    }
  }
  return slot;
}

void PaintBG(QImage& img, const TablePalette& palette) {
  img.fill(palette.tableColor);
  const qreal scale = img.devicePixelRatio();
  const int h = scale == 1.0 ? img.height() : qRound(img.height() / scale);
  for (int i = 0; i <= 15; ++i) {
    // Per channel (c1 * (15 - i) + c2 * i) / 15 to the nearest integer; 15 is odd, so no
    // exact halves arise and integer rounding is exact.
    auto channel = [i](int c1, int c2) { return (c1 * (15 - i) + c2 * i + 7) / 15; };
    const QRgb c1 = palette.tableColor, c2 = palette.shadeColor;
    const QRgb colour = qRgb(channel(qRed(c1), qRed(c2)), channel(qGreen(c1), qGreen(c2)),
                             channel(qBlue(c1), qBlue(c2)));
    for (int y : {15 - i, 91 + i, h - 91 - i, h - 15 + i}) {
      if (y < 0 || y >= h) continue;
      // A line of the table is the device rows between its top and the next line's.
      const int to = std::min(img.height(), DevicePixel(y + 1, scale));
      for (int row = DevicePixel(y, scale); row < to; ++row) fillRow(img, row, colour);
    }
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

void DrawEmbossed(QImage& target, int x, int y, const InkRuns& ink, QRgb highlight, QRgb shadow,
                  int offset) {
  DrawInk(target, x + offset, y + offset, ink, highlight);
  DrawInk(target, x, y, ink, shadow);
}

TablePainter::TablePainter(const CardImages& images, const PanelPictures& pictures)
    : images_(images), pictures_(pictures) {}

TablePainter::~TablePainter() = default;

ScaledCards& TablePainter::CardsAt(qreal scale) const {
  if (!scaledCards_ || scaledCards_->Scale() != scale) {
    if (!large_) large_ = std::make_unique<LargeCardSource>(images_.libraryPath);
    scaledCards_.reset();  // the pictures of the ratio left go before the new ones come
    scaledCards_ = std::make_unique<ScaledCards>(images_, scale, large_.get());
  }
  return *scaledCards_;
}

ScaledPanelPictures& TablePainter::PanelsAt(qreal scale) const {
  if (!scaledPanels_ || scaledPanels_->Scale() != scale) {
    scaledPanels_.reset();
    scaledPanels_ = std::make_unique<ScaledPanelPictures>(pictures_, scale);
  }
  return *scaledPanels_;
}

TableScene TablePainter::Compose(const TdmData& data, const TablePalette& palette,
                                 const QFont& font, QSize table, int markedCard) const {
  TableScene s;
  s.size = table;
  s.palette = palette;
  s.font = font;
  // Texts are measured as on a table picture at ratio 1, so they stand in the same
  // places at every ratio.
  const QImage measure(1, 1, QImage::Format_ARGB32_Premultiplied);
  const QFontMetrics fm(font, &measure);
  const int w = table.width(), h = table.height();
  ComposeDesk(s.desk, data, h);
  s.panels = ComposePanels(fm, QString::fromStdString(data.PlayerName), data.Score().Wins,
                           data.Score().Loses, data.Options().ShowMedals());
  ComposeColoda(s, data, images_.ActiveShortID, fm);
  ComposeCPU(s.cpu, data, images_.ActiveShortID, w);
  ComposeUser(s.user, data, w, h);
  s.mark = HandCardVisibleRect(markedCard, GetCardsCount(data.UserCards), w, h);
  return s;
}

void TablePainter::Render(QImage& picture, const TableScene& scene) const {
  if (!ready(picture)) return;
  const qreal scale = picture.devicePixelRatio();
  ScaledCards* cards = scale == 1.0 ? nullptr : &CardsAt(scale);
  ScaledPanelPictures* panels = scale == 1.0 ? nullptr : &PanelsAt(scale);

  PaintBG(picture, scene.palette);
  TableCanvas canvas(picture);
  canvas.Text().setFont(scene.font);
  const auto draw = [&](const std::vector<Card>& list) {
    for (const Card& c : list) drawCard(canvas, c, images_, cards, inkCache_, scene.palette);
  };
  draw(scene.desk);
  PaintIcons(canvas, scene.size.height(), scene.panels, pictures_, panels, scene.palette);
  DrawTableText(canvas.Text(), scene.stockText.x, scene.stockText.y, scene.stockText.text,
                scene.palette);
  draw(scene.stock);
  draw(scene.cpu);
  draw(scene.user);
  PaintHandMark(canvas, scene.mark);
}

void TablePainter::DrawRainDrop(QImage& picture, const RainDrop& drop) const {
  if (!ready(picture)) return;
  const qreal scale = picture.devicePixelRatio();
  TableCanvas canvas(picture);
  drawCard(canvas, {drop.x, drop.y, Art::kFace, drop.face}, images_,
           scale == 1.0 ? nullptr : &CardsAt(scale), inkCache_, TablePalette{});
}

void TablePainter::Paint(QImage& paintBitmap, const TdmData& data, const TablePalette& palette,
                         const QFont& font, int markedCard) const {
  if (paintBitmap.isNull()) return;
  Render(paintBitmap,
         Compose(data, palette, font, paintBitmap.deviceIndependentSize().toSize(), markedCard));
}

}  // namespace tarlyk

// Paints the whole table from the game state: the background bands, the cards in play,
// the player panels, the stock with the trump card and both hands. A repaint first takes
// everything it shows from the game (Compose), then draws it (Render) into a picture at
// any device pixel ratio: at ratio 1 from the 71 x 96 pictures exactly as they are, at
// other ratios with every card, picture, line and text at the screen's own resolution
// and in the same table positions. It only reads the game state.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "game/tdm_data.h"
#include "view/card_images.h"
#include "view/card_rain.h"
#include "view/panel_pictures.h"
#include "view/player_panels.h"
#include "view/scaled_cards.h"
#include "view/table_palette.h"

namespace tarlyk {

// The ink of a picture for the embossed style (every pixel that is neither white nor
// transparent) as horizontal runs [x0, x1) per row.
struct InkRuns {
  struct Run {
    int y, x0, x1;
  };
  std::vector<Run> runs;
  qint64 cacheKey = 0;  // of the picture the runs were found in
};

// The ink of every face, found at first use and again if a picture is replaced.
class InkCache {
 public:
  // The ink of `image`, the face `id`, limited to what `mask` shows (empty: all of it).
  const InkRuns& For(int id, const QImage& image, const CardMask& mask = {}) const;

 private:
  mutable std::array<InkRuns, 52> cache_;
};

// Everything one repaint shows, taken from the game at the moment of the repaint, in
// table pixels.
struct TableScene {
  // Which picture a card shows: its face, tinted or embossed face (a card that may not be
  // played now), or the back in use, upright or turned.
  enum class Art : uint8_t { kFace, kLightFace, kEmbossedFace, kBack, kTurnedBack };
  struct Card {
    int x = 0, y = 0;  // top-left corner
    Art art = Art::kFace;
    int index = 0;  // the card's ID, or the back's number
  };
  struct Text {
    int x = 0, y = 0;  // top-left corner of the text's background
    QString text;
  };

  QSize size;  // of the table, W x H
  TablePalette palette;
  QFont font;
  std::vector<Card> desk;  // the cards in play, in drawing order
  PanelScene panels;
  Text stockText;
  std::vector<Card> stock;  // the trump card, then the turned backs across it
  std::vector<Card> cpu;
  std::vector<Card> user;
  QRect mark;  // the visible part of the keyboard's marked card; empty: no mark
};

class TablePainter {
 public:
  // Both are kept by reference and must outlive the painter.
  TablePainter(const CardImages& images, const PanelPictures& pictures);
  ~TablePainter();

  // What a repaint of a W x H table shows now. The person's hand is taken in slot order,
  // so the caller sorts it beforehand. `font` is the table font (Tahoma 8 pt bold). A
  // markedCard of 1..n frames that card of the person's hand as the keyboard's mark, after
  // everything else.
  TableScene Compose(const TdmData& data, const TablePalette& palette, const QFont& font,
                     QSize table, int markedCard = 0) const;
  // Draws `scene` over the whole of `picture`: the table at the picture's device pixel
  // ratio, W x H times that ratio as DeviceSize gives (premultiplied ARGB; another format
  // is converted first).
  void Render(QImage& picture, const TableScene& scene) const;
  // Draws one card of the rain on top of what `picture` shows, as Render places cards.
  void DrawRainDrop(QImage& picture, const RainDrop& drop) const;

  // Compose and Render in one, for a table of paintBitmap's size.
  void Paint(QImage& paintBitmap, const TdmData& data, const TablePalette& palette,
             const QFont& font, int markedCard = 0) const;

 private:
  // The card and panel pictures at `scale` (not 1), kept until another ratio is asked for.
  ScaledCards& CardsAt(qreal scale) const;
  ScaledPanelPictures& PanelsAt(qreal scale) const;

  const CardImages& images_;
  const PanelPictures& pictures_;
  InkCache inkCache_;
  mutable std::unique_ptr<LargeCardSource> large_;
  mutable std::unique_ptr<ScaledCards> scaledCards_;
  mutable std::unique_ptr<ScaledPanelPictures> scaledPanels_;
};

// The text under the stock: "Карт в колоде: n", or "Колода пуста" for n = 0.
QString ColodaCounterText(int n);
// The part of the card at position 1..n of the person's hand that is not covered by the
// next card, on a table w x h; empty for a position outside the hand.
QRect HandCardVisibleRect(int position, int n, int w, int h);

// The pieces of a repaint.
// Fills the picture with the table colour and shades the four bands, at its device ratio.
void PaintBG(QImage& paintBitmap, const TablePalette& palette);
InkRuns FindInk(const QImage& image);
// Sets the ink pixels, placed at (x, y), to `colour`.
void DrawInk(QImage& target, int x, int y, const InkRuns& ink, QRgb colour);
// Draws ink in the embossed style: in `highlight` `offset` pixels right and down, then in
// `shadow` in place (offset: one table pixel in device pixels).
void DrawEmbossed(QImage& target, int x, int y, const InkRuns& ink, QRgb highlight, QRgb shadow,
                  int offset = 1);

}  // namespace tarlyk

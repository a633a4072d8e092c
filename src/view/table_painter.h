// Paints the whole table from the game state into an off-screen picture: the background
// bands, the cards in play, the player panels, the stock with the trump card and both
// hands. It only reads the game state.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "game/tdm_data.h"
#include "view/card_images.h"
#include "view/panel_pictures.h"
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
  const InkRuns& For(int id, const QImage& image) const;

 private:
  mutable std::array<InkRuns, 52> cache_;
};

class TablePainter {
 public:
  // Both are kept by reference and must outlive the painter.
  TablePainter(const CardImages& images, const PanelPictures& pictures);

  // Paints a complete table into paintBitmap (W x H, premultiplied ARGB; another format is
  // converted first). The person's hand is drawn in slot order, so the caller sorts it
  // beforehand. `font` is the table font (Tahoma 8 pt bold). A markedCard of 1..n frames
  // that card of the person's hand as the keyboard's mark, after everything else.
  void Paint(QImage& paintBitmap, const TdmData& data, const TablePalette& palette,
             const QFont& font, int markedCard = 0) const;

 private:
  const CardImages& images_;
  const PanelPictures& pictures_;
  InkCache inkCache_;
};

// The text under the stock: "Карт в колоде: n", or "Колода пуста" for n = 0.
QString ColodaCounterText(int n);
// The part of the card at position 1..n of the person's hand that is not covered by the
// next card, on a table w x h; empty for a position outside the hand.
QRect HandCardVisibleRect(int position, int n, int w, int h);

// The pieces of a repaint, in the order Paint calls them.
void PaintBG(QImage& paintBitmap, const TablePalette& palette);
InkRuns FindInk(const QImage& image);
// Sets the ink pixels, placed at (x, y), to `colour`.
void DrawInk(QImage& target, int x, int y, const InkRuns& ink, QRgb colour);
// Draws the ink of a picture (its non-white, non-transparent pixels), placed at (x, y), in
// the embossed style: in `highlight` one pixel right and down, then in `shadow` in place.
void DrawEmbossed(QImage& target, int x, int y, const InkRuns& ink, QRgb highlight, QRgb shadow);

}  // namespace tarlyk

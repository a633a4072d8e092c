// Paints the whole table from the game state into an off-screen picture: the background
// bands, the cards in play, the player panels, the stock with the trump card and both
// hands. It only reads the game state.
#pragma once

#include <QFont>
#include <QImage>

#include "game/tdm_data.h"
#include "view/card_images.h"
#include "view/panel_pictures.h"
#include "view/table_palette.h"

namespace tarlyk {

class TablePainter {
 public:
  // Both are kept by reference and must outlive the painter.
  TablePainter(const CardImages& images, const PanelPictures& pictures);

  // Paints a complete table into paintBitmap (W x H, premultiplied ARGB; another format is
  // converted first). The person's hand is drawn in slot order, so the caller sorts it
  // beforehand. `font` is the table font (Tahoma 8 pt bold).
  void Paint(QImage& paintBitmap, const TdmData& data, const TablePalette& palette,
             const QFont& font) const;

 private:
  const CardImages& images_;
  const PanelPictures& pictures_;
};

// The pieces of a repaint, in the order Paint calls them.
void PaintBG(QImage& paintBitmap, const TablePalette& palette);
// Draws `image` at (x, y) in the embossed style: its non-white, non-transparent pixels in
// `highlight` one pixel right and down, then the same pixels in `shadow` in place.
void DrawEmbossed(QImage& target, int x, int y, const QImage& image, QRgb highlight, QRgb shadow);

}  // namespace tarlyk

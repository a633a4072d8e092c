// The two player panels at the left edge of the table: names, framed pictures and the
// prize ribbon of the player who leads the score.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

#include "view/panel_pictures.h"
#include "view/table_palette.h"

namespace tarlyk {

// Which ribbon the score earns: the ilPlaces index (kRibbonGold..kRibbonBronze) or 0 for
// none; *onHuman says whose panel wears it.
int RibbonFor(int wins, int loses, bool* onHuman);

// Blends ilPlaces[ribbon] into the picture at (left, top), using ilPlaces[0]'s red channel
// as opacity. Pixels outside the picture are skipped.
void BlendRibbon(QImage& picture, int left, int top, const PanelPictures& pictures, int ribbon);

// Paints both panels. `painter` is active on `paintBitmap` with the table font selected.
void PaintIcons(QPainter& painter, QImage& paintBitmap, const PanelPictures& pictures,
                const TablePalette& palette, const QString& playerName, int wins, int loses,
                bool showMedals);

// Text drawn on the table: over an opaque background of the table colour.
void DrawTableText(QPainter& painter, int x, int y, const QString& text,
                   const TablePalette& palette);

}  // namespace tarlyk

// The two player panels at the left edge of the table: names, framed pictures and the
// prize ribbon of the player who leads the score.
#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "view/panel_pictures.h"
#include "view/table_canvas.h"
#include "view/table_palette.h"

namespace tarlyk {

// What the panels show at one repaint, in table pixels.
struct PanelScene {
  QString playerName;
  int computerNameX = 0;  // the names' left edges, centred on x = 40
  int playerNameX = 0;
  int ribbon = 0;  // the ilPlaces index, 0 for none
  bool ribbonOnHuman = true;
};

// Which ribbon the score earns: the ilPlaces index (kRibbonGold..kRibbonBronze) or 0 for
// none; *onHuman says whose panel wears it.
int RibbonFor(int wins, int loses, bool* onHuman);

// Blends the ribbon `art` into the picture at (left, top), using the red channel of `shape`
// as opacity. Pixels outside the picture are skipped.
void BlendRibbon(QImage& picture, int left, int top, const QImage& shape, const QImage& art);
// The same with ilPlaces[ribbon] and the shape ilPlaces[0].
void BlendRibbon(QImage& picture, int left, int top, const PanelPictures& pictures, int ribbon);

// Takes what the panels show: `fm` measures the table font at ratio 1.
PanelScene ComposePanels(const QFontMetrics& fm, const QString& playerName, int wins, int loses,
                         bool showMedals);

// Paints both panels; the canvas's text painter has the table font selected. `scaled` gives
// the pictures at the canvas's device pixel ratio when it is not 1.
void PaintIcons(TableCanvas& canvas, int tableHeight, const PanelScene& panels,
                const PanelPictures& pictures, ScaledPanelPictures* scaled,
                const TablePalette& palette);

// Text drawn on the table: over an opaque background of the table colour.
void DrawTableText(QPainter& painter, int x, int y, const QString& text,
                   const TablePalette& palette);

}  // namespace tarlyk

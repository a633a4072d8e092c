// Small vector drawings shared by the application icon and the splash picture: suit
// symbols and plain card faces, drawn with QPainter so no font or file is needed.
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace tarlyk {

enum class ArtSuit { kClubs, kDiamonds, kHearts, kSpades };

// A suit symbol filling `box` (kept square, centred).
void DrawSuitSymbol(QPainter& p, const QRectF& box, ArtSuit suit);

// A white card with rounded corners, a thin border, the rank in the top-left corner
// (when `rank` is not empty and the card is large enough) and a big suit symbol.
void DrawCardFace(QPainter& p, const QRectF& card, const QString& rank, ArtSuit suit);

// A face-down card in the table's blue with a lattice pattern.
void DrawCardBack(QPainter& p, const QRectF& card);

QColor SuitColor(ArtSuit suit);

}  // namespace tarlyk

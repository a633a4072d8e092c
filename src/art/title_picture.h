// The picture the table shows before the first game: a fan of cards, the game's name
// and "Карточная игра", drawn in the table's colours.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace tarlyk {

// The size of the table the picture fills.
inline constexpr QSize kTitlePictureSize(710, 480);

// Drawn at `ratio` device pixels per pixel (the picture then has that device pixel ratio
// and is size x ratio pixels large), so a finer screen gets a finer picture of the same
// drawing rather than an enlarged one.
QImage DrawTitlePicture(QSize size, const QColor& table, const QColor& shade, qreal ratio = 1.0);

}  // namespace tarlyk
